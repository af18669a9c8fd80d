// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/DocObserver.h"
#include "core/store/CofferDoc.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"

#include <functional>

#include <gtest/gtest.h>

#include <algorithm>

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
    for (const CPasswordInfo& info : doc.Records())
        names.push_back(info.IsGroup() ? "G:" + info.Group() : info.Account());
    return names;
}

using Names = std::vector<std::string>;

TEST(StoreNewDocument, HoldsOnlyMyPasswords) {
    CCofferDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(Order(doc), Names{"G:My Passwords"});
    EXPECT_EQ(doc.GeneratorHeader().m_nGenerate, 39);
    EXPECT_EQ(doc.GeneratorHeader().m_strLength, "");
    EXPECT_FALSE(doc.IsLoaded());
    EXPECT_FALSE(doc.IsModified());
}

TEST(StoreNewDocument, DeleteContentsRestoresReadDefaults) {
    CTempFolder folder;
    CCofferDoc doc;
    MakeKeyedDoc(doc, "123", {GroupRecord("G")});
    // Loaded, saved and named by the write; a copy waits in the staging list.
    ASSERT_EQ(doc.WriteArchiveFile(folder.File("x.pwd")), EFileError::none);
    doc.SetModifiedFlag();
    doc.EncipherList();
    doc.DeleteContents();
    EXPECT_FALSE(doc.HasKey());
    EXPECT_EQ(doc.GeneratorHeader().m_strLength, "6");
    EXPECT_EQ(doc.GeneratorHeader().m_strBegin, "5");
    EXPECT_EQ(doc.GeneratorHeader().m_strEnd, "8");
    EXPECT_EQ(doc.GeneratorHeader().m_nGenerate, 39);
    EXPECT_FALSE(doc.IsLoaded() || doc.IsSaved() || doc.IsModified());
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_TRUE(doc.Records().empty() && doc.StagedCounts().Total() == 0);
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
    EXPECT_EQ(doc.Records().size(), 1u);
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
    EXPECT_EQ(doc.FindGroup("G1"), &doc.Records().back());
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
    doc.DeleteGroup(&doc.Records().back());
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
    EXPECT_EQ(&doc.Records().front(), pGroupB);
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

namespace {

// Writes down each record notice as a text naming the records by their
// labels at the time it came.
class CRecordLog final : public CDocObserver {
public:
    void OnRecordsChanged(const SRecordNotice& notice) override {
        static constexpr const char* KINDS[] = {"groupAdded",   "groupRemoved",   "groupRenamed",
                                                "accountAdded", "accountRemoved", "accountRenamed",
                                                "accountMoved", "accountChanged", "reset"};
        std::string strText = KINDS[notice.m_eKind];
        for (const CPasswordInfo* pRecord :
             {notice.m_pRecord, notice.m_pGroup, notice.m_pFromGroup}) {
            if (pRecord)
                strText += " " + (pRecord->IsGroup() ? pRecord->Group() : pRecord->Account());
        }
        m_vecNotices.push_back(strText);
    }
    std::vector<std::string> m_vecNotices;
};

struct SNoticeCase {
    const char* m_pszName;
    std::function<void(CCofferDoc&)> m_fnChange;
    Names m_expected;
    Names m_orderAfter;
};

} // namespace

// Every store operation tells what it changed, in one notice naming the
// records a view needs to follow it; refused operations tell nothing. The
// document starts as "My Passwords" with "a", "b", then "Work" with "w".
TEST(StoreNotices, EachOperationTellsWhatItChanged) {
    const auto account = [](CCofferDoc& doc, const char* pszName) {
        for (const CPasswordInfo& info : doc.Records()) {
            if (!info.IsGroup() && info.Account() == pszName)
                return &info;
        }
        return static_cast<const CPasswordInfo*>(nullptr);
    };
    const auto node = [](const CCofferDoc& doc, const char* pszName) {
        return std::find_if(
            doc.Records().begin(), doc.Records().end(), [pszName](const CPasswordInfo& info) {
                return info.IsGroup() ? info.Group() == pszName : info.Account() == pszName;
            });
    };
    const std::vector<SNoticeCase> cases = {
        {"add group",
         [](CCofferDoc& doc) { doc.AddGroup("New"); },
         {"groupAdded New New"},
         {"G:My Passwords", "b", "a", "G:Work", "w", "G:New"}},
        {"rename group",
         [](CCofferDoc& doc) { doc.RenameGroup(doc.FindGroup("Work"), "Job"); },
         {"groupRenamed Job Job"},
         {"G:My Passwords", "b", "a", "G:Job", "w"}},
        {"delete group",
         [](CCofferDoc& doc) { doc.DeleteGroup(doc.FindGroup("My Passwords")); },
         {"groupRemoved My Passwords My Passwords"},
         {"G:Work", "w"}},
        {"add account",
         [](CCofferDoc& doc) { doc.AddAccount("Work", Texts("x")); },
         {"accountAdded x Work"},
         {"G:My Passwords", "b", "a", "G:Work", "x", "w"}},
        {"copy account",
         [&](CCofferDoc& doc) { doc.CopyAccount(*account(doc, "a"), doc.FindGroup("Work")); },
         {"accountAdded a Work"},
         {"G:My Passwords", "b", "a", "G:Work", "a", "w"}},
        {"delete account",
         [&](CCofferDoc& doc) { doc.DeleteAccount(account(doc, "a")); },
         {"accountRemoved a My Passwords"},
         {"G:My Passwords", "b", "G:Work", "w"}},
        {"rename account",
         [&](CCofferDoc& doc) { doc.RenameAccount(account(doc, "a"), "z"); },
         {"accountRenamed z My Passwords"},
         {"G:My Passwords", "b", "z", "G:Work", "w"}},
        {"replace, new name",
         [&](CCofferDoc& doc) {
             doc.ReplaceAccount(account(doc, "a"), "My Passwords", Texts("c"));
         },
         {"accountRenamed c My Passwords"},
         {"G:My Passwords", "c", "b", "G:Work", "w"}},
        {"replace, same name",
         [&](CCofferDoc& doc) {
             CPasswordInfo texts = *account(doc, "a");
             texts.SetPassword("new");
             doc.ReplaceAccount(account(doc, "a"), "My Passwords", texts);
         },
         {"accountChanged a My Passwords"},
         {"G:My Passwords", "a", "b", "G:Work", "w"}},
        {"replace into another group",
         [&](CCofferDoc& doc) {
             doc.ReplaceAccount(account(doc, "b"), "Work", *account(doc, "b"));
         },
         {"accountMoved b Work My Passwords"},
         {"G:My Passwords", "a", "G:Work", "b", "w"}},
        {"replace into no group",
         [&](CCofferDoc& doc) { doc.ReplaceAccount(account(doc, "b"), "Nobody", Texts("b")); },
         {"accountRemoved b My Passwords"},
         {"G:My Passwords", "a", "G:Work", "w"}},
        {"refused operations",
         [&](CCofferDoc& doc) {
             doc.AddAccount("Nobody", Texts("x"));
             doc.AddAccount("Work", Texts(""));
             doc.DeleteGroup(account(doc, "a"));
             doc.DeleteAccount(doc.FindGroup("Work"));
             doc.RenameGroup(nullptr, "x");
             doc.RenameAccount(doc.FindGroup("Work"), "x");
             doc.CopyAccount(*doc.FindGroup("Work"), doc.FindGroup("Work"));
         },
         {},
         {"G:My Passwords", "b", "a", "G:Work", "w"}},
        {"insert account",
         [&](CCofferDoc& doc) { doc.InsertAccount(node(doc, "a"), Texts("x")); },
         {"accountAdded x My Passwords"},
         {"G:My Passwords", "b", "a", "x", "G:Work", "w"}},
        {"insert account first, before any group",
         [&](CCofferDoc& doc) { doc.InsertAccount(doc.Records().end(), Texts("x")); },
         {"accountAdded x"},
         {"x", "G:My Passwords", "b", "a", "G:Work", "w"}},
        {"erase account",
         [&](CCofferDoc& doc) {
             doc.EraseAccount(node(doc, "Work")); // a group: refused
             doc.EraseAccount(node(doc, "w"));
         },
         {"accountRemoved w Work"},
         {"G:My Passwords", "b", "a", "G:Work"}},
        {"batch: one reset at the end of the outermost",
         [&](CCofferDoc& doc) {
             const CChangeBatch outer(doc);
             {
                 const CChangeBatch inner(doc);
                 doc.AddGroup("New");
             }
             doc.InsertAccount(node(doc, "w"), Texts("x"));
             doc.EraseAccount(node(doc, "a"));
         },
         {"reset"},
         {"G:My Passwords", "b", "G:Work", "w", "x", "G:New"}},
        {"batch without a change",
         [&](CCofferDoc& doc) {
             const CChangeBatch batch(doc);
             doc.AddAccount("Nobody", Texts("x"));
             doc.EraseAccount(node(doc, "Work"));
         },
         {},
         {"G:My Passwords", "b", "a", "G:Work", "w"}},
        {"reorder",
         [](CCofferDoc& doc) { doc.RebuildOrder({doc.FindGroup("Work")}); },
         {},
         {"G:Work", "G:My Passwords", "b", "a", "w"}},
    };
    for (const SNoticeCase& test : cases) {
        SCOPED_TRACE(test.m_pszName);
        CCofferDoc doc;
        doc.OnNewDocument();
        doc.AddAccount("My Passwords", Texts("a"));
        doc.AddAccount("My Passwords", Texts("b"));
        doc.AddGroup("Work");
        doc.AddAccount("Work", Texts("w"));
        CRecordLog log;
        doc.SetObserver(&log);
        test.m_fnChange(doc);
        EXPECT_EQ(log.m_vecNotices, test.m_expected);
        EXPECT_EQ(Order(doc), test.m_orderAfter);
    }
}

TEST(StoreNotices, ReplaceKeepsTheRecordItChanged) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddGroup("Work");
    CPasswordInfo* pA = doc.AddAccount("My Passwords", Texts("a"));
    EXPECT_EQ(doc.ReplaceAccount(pA, "Work", Texts("b")), pA);
    EXPECT_EQ(pA->UserName(), "u-b");
}
