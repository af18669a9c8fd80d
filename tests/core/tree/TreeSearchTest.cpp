// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/TreeSearch.h"

#include "core/store/CodePage.h"
#include "core/tree/SortedLabelTree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A record list built from "group: account, account" lines in any order;
// the tree sorts it as the view does.
class CSearchFile {
public:
    CSearchFile(std::initializer_list<std::pair<const char*, std::vector<const char*>>> groups,
                const char* pszFileLabel = "Work.pwd")
        : m_strFileLabel(pszFileLabel) {
        for (const auto& [pszGroup, accounts] : groups) {
            CPasswordInfo& group = m_list.emplace_back();
            group.m_bGroup = 1;
            group.SetGroup(pszGroup);
            for (const char* pszAccount : accounts)
                m_list.emplace_back().SetAccount(pszAccount);
        }
        m_tree = SortedTree(m_list, CCodePage::Default());
    }

    CSortedLabelTree Labels() const { return CSortedLabelTree(m_tree, m_strFileLabel); }

    // The labels Find Next reaches in order, each as "group/account".
    std::vector<std::string> FindAllPaths(const char* pszText, SFindOptions options = {}) const {
        const CSortedLabelTree labels = Labels();
        std::vector<std::string> paths;
        for (const STreePos& pos : FindAll(labels, pszText, options, CCodePage::Default())) {
            std::string strPath;
            for (std::string_view label : labels.LabelPath(pos))
                strPath += (strPath.empty() ? "" : "/") + std::string(label);
            paths.push_back(strPath);
        }
        return paths;
    }

private:
    CCofferDoc::CInfoList m_list;
    std::vector<STreeGroup> m_tree;
    std::string m_strFileLabel;
};

bool Contains(const char* pszLabel, const char* pszText, bool bWholeWord, bool bMatchCase = false) {
    return LabelContains(pszLabel, pszText, {bMatchCase, bWholeWord}, CCodePage::Default());
}

TEST(TreeSearch, MatchCaseFoldsWithTheCodePagesLetters) {
    EXPECT_TRUE(Contains("Bank Card", "bank", false));
    EXPECT_FALSE(Contains("Bank Card", "bank", false, true));
    EXPECT_TRUE(Contains("Bank Card", "Bank", false, true));
    // É and é are one letter in windows-1252, as in the tree's order.
    EXPECT_TRUE(Contains("\xC9T\xC9", "\xE9t\xE9", false));
    EXPECT_FALSE(Contains("\xC9T\xC9", "\xE9t\xE9", false, true));
}

TEST(TreeSearch, WholeWordTreatsDigitsAndPunctuationAsSeparators) {
    EXPECT_TRUE(Contains("Bank-card", "card", true));
    EXPECT_TRUE(Contains("card 2", "card", true));
    EXPECT_TRUE(Contains("card2", "card", true));
    EXPECT_TRUE(Contains("card", "card", true));
    EXPECT_TRUE(Contains("my\xE9"
                         "card\xE9",
                         "card", true));
    EXPECT_FALSE(Contains("Bank_card", "card", true));
    EXPECT_FALSE(Contains("Cards", "card", true));
    // A later occurrence still counts when an earlier one is inside a word.
    EXPECT_TRUE(Contains("Cards, card", "card", true));
    EXPECT_TRUE(Contains("Cards, card", "card", false));
}

TEST(TreeSearch, WholeWordJudgesEveryOccurrenceInTheWholeLabel) {
    // Both occurrences of "ab" in "abab" lie inside the one word.
    EXPECT_FALSE(Contains("abab", "ab", true));
    EXPECT_FALSE(Contains("xabab", "ab", true));
    EXPECT_TRUE(Contains("abab ab", "ab", true));
    EXPECT_TRUE(Contains("abab", "ab", false));
    // Overlapping occurrences are all tried.
    EXPECT_TRUE(Contains("aaa aa", "aa", true));
}

TEST(TreeSearch, WholeWordWithMatchCaseAndOverlappingOccurrences) {
    const struct {
        const char* pszLabel;
        const char* pszText;
        bool bMatchCase;
        bool bFound;
    } CASES[] = {
        // Only the occurrence that overlaps the first one stands alone.
        {"ab-b-b", "b-b", false, true},
        {"ab-B-b", "B-b", true, true},
        {"ab-B-b", "b-b", true, false},
        {"ab-B-b", "b-b", false, true},
        // The case decides which occurrences there are at all.
        {"Card card", "card", true, true},
        {"Card cards", "card", true, false},
        {"cardCard", "Card", true, false},
        {"Cards card", "Card", true, false},
    };
    for (const auto& test : CASES)
        EXPECT_EQ(Contains(test.pszLabel, test.pszText, true, test.bMatchCase), test.bFound)
            << test.pszLabel << " / " << test.pszText;
}

TEST(TreeSearch, Utf8LabelsAreSearchedByCharacterInEveryScript) {
    const struct {
        const char* pszLabel;
        const char* pszText;
        bool bMatchCase;
        bool bWholeWord;
        bool bFound;
    } cases[] = {
        {"Моя Почта", "почта", false, false, true}, {"Łódź", "lodz", false, false, true},
        {"Ελλάδα", "ελλαδα", false, false, true},   {"Straße", "STRASSE", false, false, true},
        {"東京タワー", "東京", false, true, true},  {"👍🏽 fine", "👍", false, false, true},
        {"МояПочта", "почта", false, true, false},  {"Моя почта!", "ПОЧТА", false, true, true},
        {"Почта", "почта", true, false, false},     {"Моя Почта", "Почта", true, true, true},
        {"МояПочта", "Почта", true, true, false}, // no ASCII letter beside it, but a letter
        {"Ελλάδα", "ελλαδα", true, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            LabelContains(c.pszLabel, c.pszText, {c.bMatchCase, c.bWholeWord}, CCodePage::Utf8()),
            c.bFound)
            << c.pszLabel << " / " << c.pszText;
}

TEST(TreeSearch, PreorderVisitsGroupsThenTheirAccountsAndSkipsEmptyGroups) {
    const CSearchFile file({{"mail", {"b", "a"}}, {"empty", {}}, {"Bank", {"x"}}});
    const CSortedLabelTree labels = file.Labels();
    std::vector<std::string> visited;
    for (std::optional<STreePos> pos = STreePos{}; pos; pos = GetNextItemPreorder(labels, *pos))
        visited.emplace_back(labels.Label(*pos));
    EXPECT_EQ(visited,
              (std::vector<std::string>{"Work.pwd", "Bank", "x", "empty", "mail", "a", "b"}));
}

TEST(TreeSearch, FindItemWrapsPastTheEndToTheFileItemOnce) {
    const CSearchFile file({{"Bank", {"Card", "Loan"}}, {"Mail", {"Home"}}}, "Cards.pwd");
    const CSortedLabelTree labels = file.Labels();
    const CCodePage& page = CCodePage::Default();
    // From the last account the walk wraps to the file item, which matches.
    EXPECT_EQ(FindItem(labels, "card", {}, {1, 0}, page), (STreePos{}));
    // From the file item it goes on into the first group.
    EXPECT_EQ(FindItem(labels, "card", {}, STreePos{0, 0}, page), (STreePos{0, 0}));
    EXPECT_EQ(FindItem(labels, "home", {}, STreePos{0, 1}, page), (STreePos{1, 0}));
    // Start is visited first, and only once.
    EXPECT_EQ(FindItem(labels, "loan", {}, STreePos{0, 1}, page), (STreePos{0, 1}));
    EXPECT_EQ(FindItem(labels, "none", {}, STreePos{0, 1}, page), std::nullopt);
    EXPECT_EQ(FindItem(labels, "", {}, STreePos{0, 1}, page), std::nullopt);
}

TEST(TreeSearch, FindAllFollowsTreeOrderWithTheFileItemLast) {
    const CSearchFile file({{"Mail", {"bank mail"}}, {"empty", {}}, {"Bank", {"Card", "bank 2"}}},
                           "bank.pwd");
    EXPECT_EQ(file.FindAllPaths("BANK"),
              (std::vector<std::string>{"bank.pwd/Bank", "bank.pwd/Bank/bank 2",
                                        "bank.pwd/Mail/bank mail", "bank.pwd"}));
    EXPECT_EQ(
        file.FindAllPaths("bank", {true, false}),
        (std::vector<std::string>{"bank.pwd/Bank/bank 2", "bank.pwd/Mail/bank mail", "bank.pwd"}));
    EXPECT_TRUE(file.FindAllPaths("zzz").empty());
    EXPECT_TRUE(file.FindAllPaths("").empty());
}

TEST(TreeSearch, FindAllInFilesWithoutGroupsOrWithOneMatch) {
    const CSearchFile noGroups({}, "alone.pwd");
    EXPECT_EQ(noGroups.FindAllPaths("alone"), (std::vector<std::string>{"alone.pwd"}));
    EXPECT_TRUE(noGroups.FindAllPaths("x").empty());
    // A single match is reached once, however long the walk wraps.
    const CSearchFile one({{"a", {"b", "c"}}, {"d", {}}});
    EXPECT_EQ(one.FindAllPaths("c"), (std::vector<std::string>{"Work.pwd/a/c"}));
}

} // namespace
