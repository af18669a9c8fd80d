// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include <string>
#include <string_view>

// Small text rules that several parts share. Names, extensions and setting
// names are ASCII; folding only ASCII letters keeps these rules independent
// of the code page of stored texts.

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal apart from the case of ASCII letters.
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);
// Ends with strSuffix, apart from the case of ASCII letters.
bool EndsWithNoCaseAscii(std::string_view strText, std::string_view strSuffix);

// A message text with its marks filled: the first "%1" of the template
// receives str1 and its first "%2" str2. Values are inserted as they are, so
// a value that holds a mark (a file named "%2.pwd") is never filled in turn.
std::string FormatText(std::string_view strText, std::string_view str1, std::string_view str2 = {});

// The same for a count text: its form for nCount with the number in place of
// "%n", then "%1" and "%2" filled.
std::string FormatCountText(const SCountText& text, long long nCount, std::string_view str1 = {},
                            std::string_view str2 = {});

// Fills the marks of a template already in the language shown.
std::string FillMarks(std::string_view strText, std::string_view str1, std::string_view str2 = {});

// Comments are stored with "\r\n" line breaks, which other programs that
// read password files expect. Editors show plain "\n" breaks: these two
// convert between the forms. A lone "\r" is kept as it is both ways.
std::string CommentsForDisplay(std::string_view strStored);
std::string CommentsForStore(std::string_view strShown);
