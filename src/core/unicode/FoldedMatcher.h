// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Looks for one search text in many UTF-8 texts, ignoring case and accents
// as FoldForSearch folds them. The search text is folded once, here; a text
// is folded on each call of Contains and ContainsWord, so a list searched
// again and again (a live filter, one key at a time) keeps its texts folded
// and calls the Folded... functions.
//
// A match is a run of the folded text's characters: "ко" finds "кошка"
// and "👍" finds "👍🏽". That keeps a longer search text's matches among a
// shorter one's, so a filter narrowing as the user types need only look
// through what the previous key let through.
//
// A whole word is an occurrence whose neighbours are not letters, digits,
// marks or '_'. Han, kana and the scripts of South-East Asia mark no word
// ends in the text: their characters count as words of their own, so a
// whole-word search in them finds every occurrence.
//
// A matcher reuses one buffer for the texts it folds: one matcher per thread.
class CFoldedMatcher {
public:
    explicit CFoldedMatcher(std::string_view strSearchUtf8);

    // The folded search text; empty when the search text has nothing left
    // to look for (nothing typed, or only marks), which every text matches.
    const std::string& Folded() const { return m_strSearch; }
    bool IsEmpty() const { return m_strSearch.empty(); }

    bool Contains(std::string_view strTextUtf8) const;
    bool ContainsWord(std::string_view strTextUtf8) const;
    // The same for a text that FoldForSearch has folded already.
    bool FoldedContains(std::string_view strFolded) const;
    bool FoldedContainsWord(std::string_view strFolded) const;

private:
    std::string m_strSearch;
    mutable std::string m_strText;
};

// Whether the nLength bytes at nAt of a UTF-8 text are a whole word by the
// rule of ContainsWord: the characters on either side are no letters,
// digits, marks or '_', or are Han, kana or South-East Asian.
bool IsWholeWordAt(std::string_view strTextUtf8, std::size_t nAt, std::size_t nLength);
