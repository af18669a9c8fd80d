// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/CofferDoc.h"

#include <gtest/gtest.h>

namespace {

CPasswordInfo Texts(const std::string& strAccount) {
    CPasswordInfo info;
    info.SetAccount(strAccount);
    info.SetUserName("u-" + strAccount);
    info.SetPassword("p-" + strAccount);
    return info;
}

// "G:name" for groups and the account name otherwise, in list order.
std::vector<std::string> Order(const CCofferDoc& doc) {
    std::vector<std::string> names;
    for (const CPasswordInfo& info : doc.m_listInfo)
        names.push_back(info.IsGroup() ? "G:" + info.Group() : info.Account());
    return names;
}

using Names = std::vector<std::string>;

TEST(StoreNewDocument, HoldsOnlyMyPasswords) {
    CCofferDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(Order(doc), Names{"G:My Passwords"});
    EXPECT_EQ(doc.m_nGenerate, 39);
    EXPECT_EQ(doc.m_strLength, "");
    EXPECT_FALSE(doc.m_bLoaded);
    EXPECT_FALSE(doc.IsModified());
}

TEST(StoreNewDocument, DeleteContentsRestoresReadDefaults) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.m_strKey = "123";
    doc.m_strFileName = "x.pwd";
    doc.m_bLoaded = doc.m_bSaved = true;
    doc.SetModifiedFlag();
    doc.m_listArchive.emplace_back();
    doc.DeleteContents();
    EXPECT_TRUE(doc.m_strKey.empty());
    EXPECT_EQ(doc.m_strLength, "6");
    EXPECT_EQ(doc.m_strBegin, "5");
    EXPECT_EQ(doc.m_strEnd, "8");
    EXPECT_EQ(doc.m_nGenerate, 39);
    EXPECT_FALSE(doc.m_bLoaded || doc.m_bSaved || doc.IsModified());
    EXPECT_TRUE(doc.m_strFileName.empty());
    EXPECT_TRUE(doc.m_listInfo.empty() && doc.m_listArchive.empty());
}

TEST(StoreAccounts, NewAccountsGoToTheHeadOfTheirGroup) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("Other");
    for (const char* pszName : {"one", "two", "three"})
        ASSERT_NE(doc.AddAccount("My Passwords", Texts(pszName)), nullptr);
    doc.AddAccount("Other", Texts("x"));
    EXPECT_EQ(Order(doc), (Names{"G:My Passwords", "three", "two", "one", "G:Other", "x"}));
}

TEST(StoreAccounts, EmptyNameOrUnknownGroupCreatesNothing) {
    CCofferDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.AddAccount("My Passwords", Texts("")), nullptr);
    EXPECT_EQ(doc.AddAccount("Nobody", Texts("a")), nullptr);
    EXPECT_EQ(doc.m_listInfo.size(), 1u);
}

TEST(StoreAccounts, AddCopiesTheSixTextsOnly) {
    CCofferDoc doc;
    doc.OnNewDocument();
    CPasswordInfo texts = Texts("a");
    texts.SetWebSite("w");
    texts.SetEMail("e");
    texts.SetComments("c");
    texts.m_bGroup = 1;
    texts.SetGroup("sneaky");
    const CPasswordInfo* pAdded = doc.AddAccount("My Passwords", texts);
    ASSERT_NE(pAdded, nullptr);
    EXPECT_FALSE(pAdded->IsGroup());
    EXPECT_TRUE(pAdded->Group().empty());
    EXPECT_EQ(pAdded->Comments(), "c");
    EXPECT_EQ(pAdded->UserName(), "u-a");
}

TEST(StoreAccounts, ReplaceMovesTheAccountToTheHeadOfItsNewGroup) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("Work");
    doc.AddAccount("Work", Texts("b"));
    CPasswordInfo* pA = doc.AddAccount("Work", Texts("a"));
    doc.AddAccount("My Passwords", Texts("m"));
    CPasswordInfo* pNew = doc.ReplaceAccount(pA, "My Passwords", *pA); // texts from the old record
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(pNew->Password(), "p-a");
    EXPECT_EQ(Order(doc), (Names{"G:My Passwords", "a", "m", "G:Work", "b"}));
}

TEST(StoreAccounts, DeleteRemovesOnlyThatRecord) {
    CCofferDoc doc;
    doc.OnNewDocument();
    CPasswordInfo* pOne = doc.AddAccount("My Passwords", Texts("one"));
    doc.AddAccount("My Passwords", Texts("two"));
    doc.DeleteAccount(pOne);
    doc.DeleteAccount(nullptr);
    doc.DeleteAccount(doc.FindGroup("My Passwords")); // a group is not an account
    EXPECT_EQ(Order(doc), (Names{"G:My Passwords", "two"}));
}

TEST(StoreGroups, AddedGroupsAreAppended) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("G2");
    doc.AddGroup("G1");
    EXPECT_EQ(Order(doc), (Names{"G:My Passwords", "G:G2", "G:G1"}));
    EXPECT_EQ(doc.FindGroup("G1"), &doc.m_listInfo.back());
    EXPECT_EQ(doc.FindGroup("g1"), nullptr); // exact, case-sensitive
}

TEST(StoreGroups, DeleteTakesTheGroupsAccountsWithIt) {
    CCofferDoc doc;
    doc.OnNewDocument();
    for (const char* pszName : {"a", "b", "c"})
        doc.AddAccount("My Passwords", Texts(pszName));
    doc.AddGroup("Next");
    doc.AddAccount("Next", Texts("n"));
    doc.DeleteGroup(doc.FindGroup("My Passwords"));
    EXPECT_EQ(Order(doc), (Names{"G:Next", "n"}));
    doc.AddGroup("Last");
    doc.AddAccount("Last", Texts("l1"));
    doc.AddAccount("Last", Texts("l2"));
    doc.DeleteGroup(doc.FindGroup("Last"));
    EXPECT_EQ(Order(doc), (Names{"G:Next", "n"}));
    // An account is not a group: nothing goes.
    doc.AddAccount("Next", Texts("m"));
    doc.DeleteGroup(&doc.m_listInfo.back());
    doc.DeleteGroup(nullptr);
    EXPECT_EQ(Order(doc), (Names{"G:Next", "m", "n"}));
}

TEST(StoreGroups, RenameKeepsTheAccountsInPlace) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddAccount("My Passwords", Texts("a"));
    doc.RenameGroup(doc.FindGroup("My Passwords"), "Home");
    EXPECT_EQ(Order(doc), (Names{"G:Home", "a"}));
}

TEST(StoreCounts, GroupsAndAccounts) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("Work");
    for (const char* pszName : {"a", "b", "c"})
        doc.AddAccount("My Passwords", Texts(pszName));
    doc.AddAccount("Work", Texts("d"));
    doc.AddAccount("Work", Texts("e"));
    EXPECT_EQ(doc.CountGroups(), 2);
    EXPECT_EQ(doc.CountAccounts(), 5);
}

TEST(StoreNames, UniquenessRules) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("Work");
    CPasswordInfo* pMail = doc.AddAccount("Work", Texts("mail"));
    EXPECT_FALSE(doc.IsGroupNameFree("Work")); // also for the group being renamed
    EXPECT_TRUE(doc.IsGroupNameFree("work"));
    EXPECT_FALSE(doc.IsAccountNameFree("Work", "mail", nullptr));
    EXPECT_TRUE(doc.IsAccountNameFree("Work", "Mail", nullptr));
    EXPECT_TRUE(doc.IsAccountNameFree("My Passwords", "mail", nullptr));
    EXPECT_TRUE(doc.IsAccountNameFree("Work", "mail", pMail)); // editing itself
    CPasswordInfo* pOther = doc.AddAccount("Work", Texts("other"));
    EXPECT_FALSE(doc.IsAccountNameFree("Work", "mail", pOther));
}

TEST(StoreOrder, RebuildOrderFollowsTheGivenOrder) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("B");
    CPasswordInfo* pX = doc.AddAccount("B", Texts("x"));
    CPasswordInfo* pY = doc.AddAccount("My Passwords", Texts("y"));
    CPasswordInfo* pGroupA = doc.FindGroup("My Passwords");
    CPasswordInfo* pGroupB = doc.FindGroup("B");
    doc.RebuildOrder({pGroupB, pY, pGroupA, pX});
    EXPECT_EQ(Order(doc), (Names{"G:B", "y", "G:My Passwords", "x"}));
    // Record identity survives: the same objects, only moved.
    EXPECT_EQ(&doc.m_listInfo.front(), pGroupB);
    EXPECT_EQ(pY->Password(), "p-y");
}

TEST(StoreOrder, RebuildOrderNeverLosesARecord) {
    CCofferDoc doc;
    doc.OnNewDocument();
    CPasswordInfo* pA = doc.AddAccount("My Passwords", Texts("a"));
    doc.AddAccount("My Passwords", Texts("b"));
    CPasswordInfo stranger;
    doc.RebuildOrder({pA, &stranger, pA});
    EXPECT_EQ(Order(doc), (Names{"a", "G:My Passwords", "b"}));
}

TEST(StoreOrder, GroupOfFindsTheOwningHeader) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("W");
    CPasswordInfo* pA = doc.AddAccount("W", Texts("a"));
    EXPECT_EQ(doc.GroupOf(pA), doc.FindGroup("W"));
    EXPECT_EQ(doc.GroupOf(doc.FindGroup("W")), doc.FindGroup("W"));
    EXPECT_EQ(doc.GroupOf(nullptr), nullptr);
}

} // namespace
