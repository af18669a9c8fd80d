// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/TreeSearch.h"

#include "core/store/CodePage.h"
#include "core/unicode/FoldedMatcher.h"

#include <optional>
#include <string>

namespace {

bool IsWordByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

void FoldInto(std::string_view strText, const CCodePage& codePage, std::string& strOut) {
    strOut.resize(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i)
        strOut[i] = static_cast<char>(codePage.ToLower(static_cast<unsigned char>(strText[i])));
}

bool StandsAlone(std::string_view strLabel, std::size_t nAt, std::size_t nLength, bool bUtf8) {
    if (bUtf8)
        return IsWholeWordAt(strLabel, nAt, nLength);
    const bool bFreeBefore = nAt == 0 || !IsWordByte(strLabel[nAt - 1]);
    const bool bFreeAfter =
        nAt + nLength >= strLabel.size() || !IsWordByte(strLabel[nAt + nLength]);
    return bFreeBefore && bFreeAfter;
}

// Occurrences are judged against the whole label: an occurrence inside a
// longer word ("ab" in "abab") is not a whole word, wherever the previous
// occurrence ended.
bool ContainsFolded(std::string_view strLabel, std::string_view strText, bool bWholeWord,
                    bool bUtf8) {
    for (std::size_t nAt = strLabel.find(strText); nAt != std::string_view::npos;
         nAt = strLabel.find(strText, nAt + 1)) {
        if (!bWholeWord || StandsAlone(strLabel, nAt, strText.size(), bUtf8))
            return true;
    }
    return false;
}

// Compares labels with one folded text, reusing its buffer for the labels.
// UTF-8 labels without match case are folded as the search folds them.
class CLabelMatcher {
public:
    CLabelMatcher(std::string_view strText, const SFindOptions& options, const CCodePage& codePage)
        : m_options(options), m_codePage(codePage) {
        if (m_options.m_bMatchCase)
            m_strText = strText;
        else if (codePage.IsUtf8())
            m_unicode.emplace(strText);
        else
            FoldInto(strText, codePage, m_strText);
    }

    bool Matches(std::string_view strLabel) {
        const bool bUtf8 = m_codePage.IsUtf8();
        if (m_unicode)
            return m_options.m_bWholeWord ? m_unicode->ContainsWord(strLabel)
                                          : m_unicode->Contains(strLabel);
        if (m_options.m_bMatchCase)
            return ContainsFolded(strLabel, m_strText, m_options.m_bWholeWord, bUtf8);
        FoldInto(strLabel, m_codePage, m_strLabel);
        return ContainsFolded(m_strLabel, m_strText, m_options.m_bWholeWord, bUtf8);
    }

private:
    const SFindOptions& m_options;
    const CCodePage& m_codePage;
    std::optional<CFoldedMatcher> m_unicode;
    std::string m_strText;
    std::string m_strLabel;
};

} // namespace

bool LabelContains(std::string_view strLabel, std::string_view strText, const SFindOptions& options,
                   const CCodePage& codePage) {
    return CLabelMatcher(strText, options, codePage).Matches(strLabel);
}

std::optional<STreePos> GetNextItemPreorder(const CLabelTree& tree, const STreePos& pos) {
    if (pos.IsFileItem())
        return tree.GroupCount() > 0 ? std::optional<STreePos>(STreePos{0, -1}) : std::nullopt;
    const int nNextAccount = pos.m_nAccount + 1;
    if (nNextAccount < tree.AccountCount(pos.m_nGroup))
        return STreePos{pos.m_nGroup, nNextAccount};
    if (pos.m_nGroup + 1 < tree.GroupCount())
        return STreePos{pos.m_nGroup + 1, -1};
    return std::nullopt;
}

std::optional<STreePos> FindItem(const CLabelTree& tree, std::string_view strText,
                                 const SFindOptions& options, const STreePos& start,
                                 const CCodePage& codePage) {
    if (strText.empty())
        return std::nullopt;
    CLabelMatcher matcher(strText, options, codePage);
    STreePos pos = start;
    do {
        if (matcher.Matches(tree.Label(pos)))
            return pos;
        // Past the last account the walk goes on at the file item.
        pos = GetNextItemPreorder(tree, pos).value_or(STreePos{});
    } while (pos != start);
    return std::nullopt;
}

STreePos NextFindStart(const CLabelTree& tree, const STreePos& found) {
    return GetNextItemPreorder(tree, found).value_or(STreePos{});
}

STreePos FirstFindPos(const CLabelTree& tree) {
    return tree.GroupCount() > 0 ? STreePos{0, -1} : STreePos{};
}

std::vector<STreePos> FindAll(const CLabelTree& tree, std::string_view strText,
                              const SFindOptions& options, const CCodePage& codePage) {
    std::vector<STreePos> found;
    STreePos from = FirstFindPos(tree);
    for (;;) {
        const std::optional<STreePos> hit = FindItem(tree, strText, options, from, codePage);
        if (!hit || (!found.empty() && *hit == found.front()))
            return found;
        found.push_back(*hit);
        from = NextFindStart(tree, *hit);
    }
}
