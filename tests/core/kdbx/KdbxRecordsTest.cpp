// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxRecords.h"

#include "core/base/CancelToken.h"
#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxDatabase.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <list>
#include <set>
#include <stdexcept>
#include <string>

namespace {

constexpr std::int64_t T0 = 1700000000;
constexpr std::int64_t T1 = T0 + 3600;

using CRecords = std::list<CPasswordInfo>;

// A database as another manager leaves it: nested groups, an entry in the
// root group, custom and protected fields, a history, a recycled entry.
CKdbxFile SampleDatabase() {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Root entry"}}, T0);
    CXmlElement& mail = AddKdbxEntry(xml, KdbxGroupAt(xml, "Работа/Почта", T0),
                                     {{"Title", "Почта"},
                                      {"UserName", "иван"},
                                      {"Password", "старый"},
                                      {"Notes", "line 1\nline 2"},
                                      {"E-mail", "ivan@example.org"},
                                      {"PIN", "1234"}},
                                     T0);
    EditKdbxEntry(database, mail, {{"Password", "пароль"}, {"UserName", "иван"}}, T0);
    AddKdbxEntry(xml, KdbxGroupAt(xml, "Работа", T0), {{"Title", "Wiki"}}, T0);
    AddKdbxEntry(xml, KdbxGroupAt(xml, "Home", T0), {{"Title", "Bank"}}, T0);
    const std::string strGone(
        AddKdbxEntry(xml, KdbxGroupAt(xml, "Home", T0), {{"Title", "Old"}}, T0).ChildText("UUID"));
    DeleteKdbxEntry(xml, strGone, T0); // into the recycle bin
    return database;
}

std::string XmlOf(const CKdbxFile& database) {
    std::string strXml;
    std::string strError;
    database.Xml().Write(
        strXml,
        [](std::span<const std::uint8_t> plain) { return std::string(plain.begin(), plain.end()); },
        strError);
    return strError.empty() ? strXml : "error: " + strError;
}

// The records as "group|account" lines, in order.
std::string Shown(const CRecords& records) {
    std::string strOut;
    for (const CPasswordInfo& record : records)
        strOut += record.IsGroup() ? "[" + record.Group() + "]" : " " + record.Account();
    return strOut;
}

// Every record's label with its group, in no order.
std::multiset<std::string> Labels(const CRecords& records) {
    std::multiset<std::string> labels;
    std::string strGroup;
    for (const CPasswordInfo& record : records) {
        if (record.IsGroup())
            strGroup = record.Group();
        labels.insert(record.IsGroup() ? strGroup : strGroup + "/" + record.Account());
    }
    return labels;
}

CPasswordInfo& Find(CRecords& records, std::string_view strName) {
    for (CPasswordInfo& record : records)
        if ((record.IsGroup() ? record.Group() : record.Account()) == strName)
            return record;
    throw std::runtime_error("no record " + std::string(strName));
}

const CXmlElement* EntryTitled(const CKdbxFile& database, std::string_view strPath,
                               std::string_view strTitle) {
    return FindKdbxEntry(database.Xml(), strPath, strTitle).pEntry;
}

std::size_t HistoryCount(const CXmlElement& entry) {
    const CXmlElement* pHistory = entry.Child("History");
    return pHistory ? pHistory->Children().size() : 0;
}

TEST(KdbxRecords, ShowsTheGroupsByPathAndTheAccountsTexts) {
    const CKdbxFile database = SampleDatabase();
    CKdbxRecords view;
    CRecords records;
    view.Show(database, records);
    // Neither the recycle bin nor the history shows; the root group does,
    // since it holds an entry.
    EXPECT_EQ(Shown(records), "[Vault] Root entry[Работа] Wiki[Работа/Почта] Почта[Home] Bank");
    const CPasswordInfo& mail = Find(records, "Почта");
    EXPECT_EQ(mail.UserName(), "иван");
    EXPECT_EQ(mail.Password(), "пароль");
    EXPECT_EQ(mail.EMail(), "ivan@example.org");
    EXPECT_EQ(mail.Comments(), "line 1\r\nline 2");
    for (const CPasswordInfo& record : records)
        EXPECT_NE(record.m_nEntryId, 0u) << record.Account() << record.Group();
}

TEST(KdbxRecords, RecordsUnchangedLeaveTheDatabaseAsItWas) {
    CKdbxFile database = SampleDatabase();
    const std::string strBefore = XmlOf(database);
    CKdbxRecords view;
    CRecords records;
    view.Show(database, records);
    EXPECT_FALSE(view.Apply(database, records, T1));
    EXPECT_EQ(XmlOf(database), strBefore);
}

// One change to the records, and what the database must then hold.
struct SChangeCase {
    const char* pszName;
    std::function<void(CRecords&)> fnChange;
    std::function<void(const CKdbxFile&)> fnCheck;
    // A group that still holds another comes back, empty, when read again.
    bool bShowsAgainAsRecords = true;
};

TEST(KdbxRecords, BringsEachKindOfChangeIntoTheDatabase) {
    const SChangeCase CASES[] = {
        {"an edit keeps the earlier version in the history",
         [](CRecords& records) { Find(records, "Почта").SetPassword("новый"); },
         [](const CKdbxFile& database) {
             const CXmlElement* pEntry = EntryTitled(database, "Работа/Почта", "Почта");
             ASSERT_TRUE(pEntry);
             EXPECT_EQ(KdbxEntryField(*pEntry, "Password"), "новый");
             EXPECT_EQ(KdbxEntryField(*pEntry, "PIN"), "1234");
             EXPECT_EQ(HistoryCount(*pEntry), 2u);
             EXPECT_EQ(pEntry->Child("Times")->ChildText("LastModificationTime"), KdbxTimeText(T1));
         }},
        {"a changed e-mail goes to the entry's own e-mail field, notes with plain line breaks",
         [](CRecords& records) {
             Find(records, "Почта").SetEMail("new@example.org");
             Find(records, "Bank").SetComments("a\r\nb");
             Find(records, "Bank").SetEMail("bank@example.org");
         },
         [](const CKdbxFile& database) {
             EXPECT_EQ(KdbxEntryField(*EntryTitled(database, "Работа/Почта", "Почта"), "E-mail"),
                       "new@example.org");
             const CXmlElement* pBank = EntryTitled(database, "Home", "Bank");
             EXPECT_EQ(KdbxEntryField(*pBank, "Notes"), "a\nb");
             EXPECT_EQ(KdbxEntryField(*pBank, "E-mail"), "bank@example.org");
         }},
        {"an account under another group moves its entry, UUID and all",
         [](CRecords& records) {
             CPasswordInfo bank = Find(records, "Bank");
             records.remove_if([](const CPasswordInfo& r) { return r.Account() == "Bank"; });
             auto itWork = std::find_if(records.begin(), records.end(), [](const auto& r) {
                 return r.IsGroup() && r.Group() == "Работа";
             });
             records.insert(std::next(itWork), bank);
         },
         [](const CKdbxFile& database) {
             EXPECT_FALSE(EntryTitled(database, "Home", "Bank"));
             const CXmlElement* pBank = EntryTitled(database, "Работа", "Bank");
             ASSERT_TRUE(pBank);
             EXPECT_EQ(HistoryCount(*pBank), 0u);
             EXPECT_EQ(pBank->Child("Times")->ChildText("LocationChanged"), KdbxTimeText(T1));
         }},
        {"a new account and a second copy of one become new entries",
         [](CRecords& records) {
             auto itHome = std::find_if(records.begin(), records.end(), [](const auto& r) {
                 return r.IsGroup() && r.Group() == "Home";
             });
             CPasswordInfo fresh;
             fresh.SetAccount("Ελλάδα 🚀");
             records.insert(std::next(itHome), fresh);
             CPasswordInfo copy = Find(records, "Bank");
             copy.SetAccount("Bank copy");
             records.push_back(copy);
         },
         [](const CKdbxFile& database) {
             EXPECT_TRUE(EntryTitled(database, "Home", "Ελλάδα 🚀"));
             EXPECT_TRUE(EntryTitled(database, "Home", "Bank"));
             EXPECT_TRUE(EntryTitled(database, "Home", "Bank copy"));
         }},
        {"a deleted account goes to the recycle bin, a deleted empty group for good",
         [](CRecords& records) {
             records.remove_if([](const CPasswordInfo& r) {
                 return r.Account() == "Bank" || (r.IsGroup() && r.Group() == "Home");
             });
         },
         [](const CKdbxFile& database) {
             const auto tree = KdbxGroupTree(database.Xml());
             for (const auto& node : tree)
                 EXPECT_NE(node.pGroup->ChildText("Name"), "Home");
             const CXmlElement* pBin = KdbxRecycleBin(database.Xml());
             ASSERT_TRUE(pBin);
             std::size_t nBank = 0;
             for (const CXmlElement& child : pBin->Children())
                 nBank += child.Name() == "Entry" && KdbxEntryField(child, "Title") == "Bank";
             EXPECT_EQ(nBank, 1u);
             const CXmlElement* pDeleted =
                 database.Xml().Root().Child("Root")->Child("DeletedObjects");
             ASSERT_TRUE(pDeleted);
             EXPECT_EQ(pDeleted->Children().back().ChildText("DeletionTime"), KdbxTimeText(T1));
         }},
        {"a group deleted while a group inside it stays is kept",
         [](CRecords& records) {
             records.remove_if([](const CPasswordInfo& r) {
                 return r.Account() == "Wiki" || (r.IsGroup() && r.Group() == "Работа");
             });
         },
         [](const CKdbxFile& database) {
             EXPECT_FALSE(EntryTitled(database, "Работа", "Wiki"));
             EXPECT_TRUE(EntryTitled(database, "Работа/Почта", "Почта"));
         },
         false},
        {"a renamed group keeps its place; a new path nests; the root keeps its header",
         [](CRecords& records) {
             Find(records, "Home").SetGroup("Дом");
             Find(records, "Работа/Почта").SetGroup("Mail");
             Find(records, "Vault").SetGroup("Хранилище");
             CPasswordInfo group;
             group.m_bGroup = 1;
             group.SetGroup("Дом/Новая");
             CPasswordInfo account;
             account.SetAccount("inside");
             records.push_back(group);
             records.push_back(account);
         },
         [](const CKdbxFile& database) {
             EXPECT_TRUE(EntryTitled(database, "Дом", "Bank"));
             EXPECT_TRUE(EntryTitled(database, "Mail", "Почта"));
             EXPECT_TRUE(EntryTitled(database, "Дом/Новая", "inside"));
             EXPECT_EQ(KdbxGroupTree(database.Xml())[0].pGroup->ChildText("Name"), "Хранилище");
         }},
    };
    for (const SChangeCase& c : CASES) {
        SCOPED_TRACE(c.pszName);
        CKdbxFile database = SampleDatabase();
        CKdbxRecords view;
        CRecords records;
        view.Show(database, records);
        c.fnChange(records);
        view.Apply(database, records, T1);
        c.fnCheck(database);
        // Every record now names what it stands for: applying again changes
        // nothing more, and the records show the same as a fresh look.
        const std::string strAfter = XmlOf(database);
        view.Apply(database, records, T1 + 60);
        EXPECT_EQ(XmlOf(database), strAfter);
        CRecords fresh;
        CKdbxRecords().Show(database, fresh);
        if (c.bShowsAgainAsRecords) {
            EXPECT_EQ(Labels(fresh), Labels(records));
        }
    }
}

TEST(KdbxRecords, AGroupMovedWithItsParentShowsItsNewPath) {
    CKdbxFile database = SampleDatabase();
    CKdbxRecords view;
    CRecords records;
    view.Show(database, records);
    Find(records, "Работа").SetGroup("Work");
    EXPECT_TRUE(view.Apply(database, records, T1));
    EXPECT_EQ(Shown(records), "[Vault] Root entry[Work] Wiki[Work/Почта] Почта[Home] Bank");
    EXPECT_TRUE(EntryTitled(database, "Work/Почта", "Почта"));
}

// A group renamed with the groups inside it (as the document renames them)
// keeps them where they are, whichever of them the records list first.
TEST(KdbxRecords, GroupsRenamedWithTheirParentStayInsideIt) {
    CKdbxFile database = SampleDatabase();
    const auto Place = [&](std::string_view strPath) {
        const CXmlElement* pGroup = FindKdbxGroupAt(database.Xml(), strPath);
        return pGroup ? std::string(pGroup->ChildText("UUID")) + " " +
                            std::string(pGroup->Child("Times")->ChildText("LocationChanged"))
                      : std::string("none");
    };
    const std::string strInner = Place("Работа/Почта");
    CKdbxRecords view;
    CRecords records;
    view.Show(database, records);
    // The inner group and its account go first in the list.
    const auto itOuter = std::find_if(records.begin(), records.end(), [](const auto& record) {
        return record.IsGroup() && record.Group() == "Работа";
    });
    const auto itInner = std::find_if(records.begin(), records.end(), [](const auto& record) {
        return record.IsGroup() && record.Group() == "Работа/Почта";
    });
    records.splice(itOuter, records, itInner, std::next(itInner, 2));
    Find(records, "Работа").SetGroup("Work");
    Find(records, "Работа/Почта").SetGroup("Work/Почта");
    // The headers already name the paths the database gives them.
    EXPECT_FALSE(view.Apply(database, records, T1));
    EXPECT_EQ(Place("Work/Почта"), strInner);
    const std::string strXml = XmlOf(database);
    std::size_t nWorks = 0;
    for (std::size_t n = strXml.find("<Name>Work</Name>"); n != std::string::npos;
         n = strXml.find("<Name>Work</Name>", n + 1))
        ++nWorks;
    EXPECT_EQ(nWorks, 1u);
    EXPECT_TRUE(EntryTitled(database, "Work/Почта", "Почта"));
}

} // namespace

// A database nested so deeply that its groups' paths, each holding the
// names above it, would not fit a window's tree is refused at the door.
TEST(KdbxRecords, ADatabaseNestedTooDeeplyToShowIsRefused) {
    const auto Opened = [](std::size_t nDepth) {
        CKdbxFile database = NewKdbxDatabase("Vault", T0);
        CKdbxVariantMap kdf = database.KdfParameters();
        kdf.SetUInt64("M", std::uint64_t(1) << 20);
        kdf.SetUInt64("I", 1);
        database.SetKdfParameters(kdf);
        CXmlTree& xml = database.Xml();
        KdbxGroupAt(xml, std::vector<std::string>(nDepth, std::string(200, 'g')), T0);
        SKdbxCredentials credentials;
        credentials.strPassword = "pw";
        CKdbxBytes bytes;
        EXPECT_EQ(database.Write(credentials, bytes).eFailure, EKdbxFailure::none);
        const CCancelToken token;
        return CKdbxDatabaseFormat().Open(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
            CDatabaseKey::OfPassword("pw"), false, token);
    };
    // Each path counted as shown: below the root group's name, the recycle
    // bin and what it holds left out.
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    KdbxGroupAt(xml, "A/BB/C", T0);
    KdbxGroupAt(xml, "A/E", T0);
    KdbxGroupAt(xml, "Bin/Inner", T0);
    CXmlElement& meta = *xml.Root().Child("Meta");
    meta.SetChildText(xml, "RecycleBinEnabled", "True");
    meta.SetChildText(xml, "RecycleBinUUID", KdbxGroupAt(xml, "Bin", T0).ChildText("UUID"));
    EXPECT_EQ(KdbxShownPathBytes(database), 5u + 1u + 4u + 6u + 3u);
    meta.SetChildText(xml, "RecycleBinEnabled", "False");
    EXPECT_EQ(KdbxShownPathBytes(database), 5u + 1u + 4u + 6u + 3u + 3u + 9u);

    EXPECT_EQ(Opened(100).eOpen, CDatabaseFormat::EOpen::opened);
    const CDatabaseFormat::SOpened refused = Opened(900);
    EXPECT_EQ(refused.eOpen, CDatabaseFormat::EOpen::refused);
    EXPECT_FALSE(refused.pDatabase);
    EXPECT_NE(refused.strMessage.find("too deeply"), std::string::npos);
}
