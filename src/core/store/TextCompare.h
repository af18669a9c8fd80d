// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class CCodePage;

// The one "alphabetical, ignoring case" order of the program: the tree, the
// Password Bar's lists, the group lists of the dialogs and keyhaven-cli all
// sort with it. In a single-byte code page bytes are compared after folding
// letters to lower case in that page. UTF-8 texts are compared by the
// Unicode collation in the common order of all languages, ignoring case
// (CUnicodeCollator): "ábc" sorts between "abc" and "abd", "Ёж" before
// "Жук". Equal texts compare 0 so that sorts stay stable.
int CompareNoCase(std::string_view a, std::string_view b, const CCodePage& codePage);

// Bytes that sort as strText does in that order when compared as a
// std::string: a sort of many texts makes each text's key once.
std::string SortKeyNoCase(std::string_view strText, const CCodePage& codePage);

// True when strText begins with strPrefix, ignoring case the same way (the
// lists' "first item that begins with" look-up). UTF-8 texts are compared
// as the search folds them (FoldForSearch), so accents are ignored too:
// "lod" begins "Łódź".
bool StartsWithNoCase(std::string_view strText, std::string_view strPrefix,
                      const CCodePage& codePage);
