// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UCollator;

// The display order of UTF-8 texts: the alphabetical order of the Unicode
// Collation Algorithm, in the common order of all languages (no locale) or
// in a language's own ("sv" puts ö after z, "de" after o; "tr" puts ı before
// i). Texts are compared ignoring case, as the program's lists always have:
// "apple" and "Apple" compare equal, so a stable sort keeps them in the
// order the file has. Accents count, but only after the letters: "Muller",
// "Müller", "Mullet" sort in that order. Invalid UTF-8 sorts as U+FFFD.
class CUnicodeCollator {
public:
    // strLocale: a language tag such as "de", "sv_SE" or "tr"; empty for the
    // common order. An unknown language gives the common order.
    explicit CUnicodeCollator(const std::string& strLocale = {});
    ~CUnicodeCollator();
    CUnicodeCollator(CUnicodeCollator&&) noexcept;
    CUnicodeCollator& operator=(CUnicodeCollator&&) noexcept;

    // Less than, equal to or greater than 0 as a sorts before, with or after b.
    int Compare(std::string_view a, std::string_view b) const;
    bool Less(std::string_view a, std::string_view b) const { return Compare(a, b) < 0; }
    // Bytes that sort as the text does: for sorting many texts, make each
    // text's key once and compare keys as strings (equal texts, equal keys).
    std::string SortKey(std::string_view strText) const;

private:
    struct SClose {
        void operator()(UCollator* pCollator) const;
    };
    std::unique_ptr<UCollator, SClose> m_pCollator;
};
