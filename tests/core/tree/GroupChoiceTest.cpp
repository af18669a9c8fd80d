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

// The Password Bar's account list: the accounts between one group header and
// the next, sorted the same way; a group with none gives an empty list.
TEST(GroupChoice, ListsTheAccountsOfOneGroup) {
    CCofferDoc::CInfoList list;
    const auto add = [&list](bool bGroup, const char* pszName) {
        CPasswordInfo& info = list.emplace_back();
        info.m_bGroup = bGroup ? 1 : 0;
        if (bGroup)
            info.SetGroup(pszName);
        else
            info.SetAccount(pszName);
        return &info;
    };
    const CPasswordInfo* pMail = add(true, "Mail");
    add(false, "work");
    add(false, "Home");
    add(false, "home");
    const CPasswordInfo* pEmpty = add(true, "Empty");
    const CPasswordInfo* pLast = add(true, "Shop");
    add(false, "Books");

    const CGroupChoice mail(list, pMail, CCodePage::Default());
    EXPECT_EQ(Texts(mail), (std::vector<std::string>{"Home", "home", "work"}));
    EXPECT_EQ(mail.Entries()[1].m_pRecord->Account(), "home");
    // The account asked for by its exact name, not the first like it.
    EXPECT_EQ(mail.Preselect("home"), 1);
    EXPECT_EQ(Texts(CGroupChoice(list, pEmpty, CCodePage::Default())), std::vector<std::string>{});
    EXPECT_EQ(Texts(CGroupChoice(list, pLast, CCodePage::Default())),
              std::vector<std::string>{"Books"});
    EXPECT_EQ(CGroupChoice(list, nullptr, CCodePage::Default()).Count(), 0);
}

} // namespace
