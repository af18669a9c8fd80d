// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/SearchFold.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CCodePage;
class CPasswordInfo;

// The rule of the filter over every field: an account matches when each
// word of the query (split at blanks, in any order) is found in its account
// name, user name, web site, e-mail or comments, ignoring case and accents.
// Passwords are never searched: a filter must not tell, letter by letter,
// what a hidden password holds. Texts are bytes of the file's code page;
// UTF-8 texts are folded in every script as FoldForSearch folds them.
class CFieldFilter {
public:
    CFieldFilter(std::string_view strQuery, const CCodePage& codePage);

    // No words: everything matches, the tree is shown whole.
    bool IsEmpty() const { return m_astrWords.empty(); }
    bool Matches(const CPasswordInfo& account) const;
    // Where the words occur in a text (for highlighting), as (offset, length)
    // of the text's bytes in order of offset, whole characters; overlapping
    // occurrences are merged.
    std::vector<std::pair<std::size_t, std::size_t>> Spans(std::string_view strText) const;
    // Whether this filter lets through only accounts that wider lets
    // through too: each of wider's words lies within one of this filter's
    // words (a key typed onto a word, or a word added). A view narrowing
    // from wider need then test only the accounts wider let through.
    bool Narrows(const CFieldFilter& wider) const;

private:
    CSearchFold m_fold;
    std::vector<std::string> m_astrWords; // folded
    // Buffers reused for every account matched.
    mutable std::string m_strFolded;
    mutable std::vector<char> m_abFound;
};
