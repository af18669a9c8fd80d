// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/TreeOrder.h"

#include "core/store/CodePage.h"
#include "core/store/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CPasswordInfo Named(const std::string& strAccount) {
    CPasswordInfo info;
    info.SetAccount(strAccount);
    return info;
}

std::vector<std::string> Labels(const std::vector<STreeGroup>& tree) {
    std::vector<std::string> labels;
    for (const STreeGroup& group : tree) {
        labels.push_back(group.m_pGroup->Group());
        for (const CPasswordInfo* pAccount : group.m_accounts)
            labels.push_back("  " + pAccount->Account());
    }
    return labels;
}

TEST(TreeOrder, GroupsAndAccountsAreAlphabeticalIgnoringCase) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.RenameGroup(doc.FindGroup("My Passwords"), "b");
    doc.AddGroup("A");
    doc.AddGroup("c");
    for (const char* pszName : {"zeta", "Alpha", "beta"})
        doc.AddAccount("A", Named(pszName));
    const auto tree = SortedTree(doc.Records(), doc.CodePage());
    EXPECT_EQ(Labels(tree),
              (std::vector<std::string>{"A", "  Alpha", "  beta", "  zeta", "b", "c"}));
}

TEST(TreeOrder, EqualLabelsKeepListOrderAndNothingIsLost) {
    CCofferDoc doc;
    doc.OnNewDocument();
    CPasswordInfo* pFirst = doc.AddAccount("My Passwords", Named("Same"));
    CPasswordInfo* pSecond = doc.AddAccount("My Passwords", Named("same"));
    const auto tree = SortedTree(doc.Records(), doc.CodePage());
    ASSERT_EQ(tree.size(), 1u);
    // AddAccount puts each new account first in the list: "same" precedes "Same".
    EXPECT_EQ(tree[0].m_accounts, (std::vector<const CPasswordInfo*>{pSecond, pFirst}));
    EXPECT_EQ(PreOrder(tree).size(), doc.Records().size());
}

TEST(TreeOrder, PreOrderRebuildsTheListInDisplayOrder) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("Empty");
    doc.AddGroup("After");
    doc.AddAccount("After", Named("x"));
    doc.RebuildOrder(PreOrder(SortedTree(doc.Records(), doc.CodePage())));
    std::vector<std::string> listed;
    for (const CPasswordInfo& info : doc.Records())
        listed.push_back(info.IsGroup() ? info.Group() : "  " + info.Account());
    // The empty group is followed directly by the next group.
    EXPECT_EQ(listed, (std::vector<std::string>{"After", "  x", "Empty", "My Passwords"}));
}

TEST(TreeOrder, Utf8LabelsSortByTheUnicodeCollationAndEqualOnesKeepTheirPlace) {
    // Groups and accounts out of order, so that each is sorted (by keys).
    CCofferDoc::CInfoList list;
    for (const char* pszLabel : {"Яблоко", "東京", "Ελλάδα", "Łódź", "арбуз"}) {
        CPasswordInfo& group = list.emplace_back();
        group.m_bGroup = 1;
        group.SetGroup(pszLabel);
    }
    for (const char* pszName : {"Жук", "ПОЧТА", "👍", "Élan", "почта", "zoo"})
        list.emplace_back().SetAccount(pszName);
    EXPECT_EQ(Labels(SortedTree(list, CCodePage::Utf8())),
              (std::vector<std::string>{"Łódź", "Ελλάδα", "арбуз", "  👍", "  Élan", "  zoo",
                                        "  Жук", "  ПОЧТА", "  почта", "Яблоко", "東京"}));
}

TEST(TreeOrder, ALargeUtf8GroupSortsAsItsLabelsCompare) {
    // Large groups are sorted by sort keys: the same order, equal labels
    // (case apart) kept in list order.
    const char* const WORDS[] = {"почта", "ПОЧТА", "Łódź", "lodz", "Ελλάδα", "東京", "👍", "Zoo"};
    CCofferDoc::CInfoList list;
    CPasswordInfo& group = list.emplace_back();
    group.m_bGroup = 1;
    group.SetGroup("All");
    std::vector<const CPasswordInfo*> expected;
    for (std::size_t i = 0; i < 1500; ++i) {
        CPasswordInfo& account = list.emplace_back();
        account.SetAccount(std::string(WORDS[i * 7 % 8]) + std::to_string(i % 13));
        expected.push_back(&account);
    }
    std::stable_sort(expected.begin(), expected.end(), [](const auto* a, const auto* b) {
        return CompareNoCase(a->Account(), b->Account(), CCodePage::Utf8()) < 0;
    });
    const auto tree = SortedTree(list, CCodePage::Utf8());
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree[0].m_accounts, expected);
}

} // namespace
