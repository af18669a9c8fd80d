// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/GroupChoice.h"
#include "core/store/CodePage.h"

#include <gtest/gtest.h>

namespace {

CCofferDoc::CInfoList Groups(std::initializer_list<const char*> names) {
    CCofferDoc::CInfoList list;
    for (const char* pszName : names) {
        CPasswordInfo& group = list.emplace_back();
        group.m_bGroup = 1;
        group.SetGroup(pszName);
        // An account between groups is not an entry.
        list.emplace_back().SetAccount(pszName);
    }
    return list;
}

std::vector<std::string> Texts(const CGroupChoice& choice) {
    std::vector<std::string> texts;
    for (const SGroupEntry& entry : choice.Entries())
        texts.push_back(entry.m_strText);
    return texts;
}

TEST(GroupChoice, ListsGroupsAlphabeticallyIgnoringCase) {
    const auto list = Groups({"bank", "Mail", "\xC9t\xE9", "Bank", "alpha"});
    const CGroupChoice choice(list, CCodePage::Default());
    // Equal names keep their list order; the accented capital sorts by its
    // lower-case letter, after the ASCII letters.
    EXPECT_EQ(Texts(choice),
              (std::vector<std::string>{"alpha", "bank", "Bank", "Mail", "\xC9t\xE9"}));
    for (const SGroupEntry& entry : choice.Entries())
        EXPECT_EQ(entry.m_pRecord->Group(), entry.m_strText);
}

TEST(GroupChoice, PreselectsTheExactGroupBeforeAPrefix) {
    const auto list = Groups({"bank", "Bank", "Banking", "Mail"});
    const CGroupChoice choice(list, CCodePage::Default());
    ASSERT_EQ(Texts(choice), (std::vector<std::string>{"bank", "Bank", "Banking", "Mail"}));
    // The group asked for is the group shown, even when another entry
    // begins with its name ignoring case earlier in the list.
    EXPECT_EQ(choice.Preselect("Bank"), 1);
    EXPECT_EQ(choice.Preselect("bank"), 0);
    EXPECT_EQ(choice.Preselect("Banking"), 2);
    // No exact entry: the first that begins with the text, ignoring case.
    EXPECT_EQ(choice.Preselect("BANKI"), 2);
    EXPECT_EQ(choice.Preselect("m"), 3);
    EXPECT_EQ(choice.Preselect(""), 0);
    EXPECT_EQ(choice.Preselect("Work"), -1);
    const CCofferDoc::CInfoList empty;
    EXPECT_EQ(CGroupChoice(empty, CCodePage::Default()).Preselect(""), -1);
}

} // namespace
