// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxEdit.h"

#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::int64_t T0 = 1700000000;
const SKdbxCredentials PASSWORD{true, "pw", false, {}};

CXmlElement& Meta(CKdbxFile& database) {
    return *database.Xml().Root().Child("Meta");
}

std::size_t HistoryCount(const CXmlElement& entry) {
    const CXmlElement* pHistory = entry.Child("History");
    return pHistory ? pHistory->Children().size() : 0;
}

std::string Field(const CXmlElement& entry, std::string_view strKey) {
    return std::string(KdbxEntryField(entry, strKey).value_or("(none)"));
}

const CXmlElement* FieldValue(const CXmlElement& entry, std::string_view strKey) {
    for (const CXmlElement& child : entry.Children())
        if (child.Name() == "String" && child.ChildText("Key") == strKey)
            return child.Child("Value");
    return nullptr;
}

TEST(KdbxTime, EncodesSecondsSinceYearOne) {
    const struct {
        std::int64_t nUnix;
        const char* pszText;
    } CASES[] = {{0, "APeRdw4AAAA="}, {T0, "AOjl3A4AAAA="}};
    for (const auto& c : CASES) {
        EXPECT_EQ(KdbxTimeText(c.nUnix), c.pszText);
        EXPECT_EQ(KdbxTimeUnix(c.pszText), c.nUnix);
    }
    EXPECT_EQ(KdbxSecondsText(KDBX_SECONDS_TO_UNIX_EPOCH), "APeRdw4AAAA=");
    for (const char* pszBad : {"", "AAAA", "APeRdw4AAAA", "!!!!!!!!!!!!"})
        EXPECT_FALSE(KdbxTimeUnix(pszBad)) << pszBad;
}

TEST(KdbxEdit, NewDatabaseHasMetaRootAndCosts) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    const CXmlElement& meta = Meta(database);
    EXPECT_EQ(meta.ChildText("Generator"), "Keyhaven");
    EXPECT_EQ(meta.ChildText("DatabaseName"), "Vault");
    EXPECT_EQ(meta.Child("MemoryProtection")->ChildText("ProtectPassword"), "True");
    EXPECT_EQ(meta.Child("MemoryProtection")->ChildText("ProtectTitle"), "False");
    EXPECT_EQ(meta.ChildText("RecycleBinEnabled"), "True");
    EXPECT_EQ(meta.ChildText("HistoryMaxItems"), "10");
    EXPECT_EQ(meta.ChildText("HistoryMaxSize"), "6291456");
    EXPECT_EQ(meta.ChildText("DatabaseNameChanged"), KdbxTimeText(T0));
    const auto tree = KdbxGroupTree(database.Xml());
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree[0].pGroup->ChildText("Name"), "Vault");
    EXPECT_EQ(tree[0].pGroup->ChildText("UUID").size(), 24u);
    EXPECT_EQ(database.Cipher(), EKdbxCipher::chacha20);
    const auto kdf = KdbxKdfFromVariantMap(database.KdfParameters());
    ASSERT_TRUE(kdf);
    EXPECT_EQ(kdf->eKdf, EKdbxKdf::argon2id);
    EXPECT_GE(kdf->nMemory, std::uint64_t(128) << 20);
    EXPECT_GE(kdf->nRounds, 3u);

    // It is a database: written and read again, it holds the same.
    CKdbxBytes bytes;
    ASSERT_EQ(database.Write(PASSWORD, bytes).eFailure, EKdbxFailure::none);
    CKdbxFile again;
    ASSERT_EQ(again.Read(bytes, PASSWORD).eFailure, EKdbxFailure::none);
    EXPECT_EQ(Meta(again).ChildText("DatabaseName"), "Vault");
    EXPECT_NE(
        NewKdbxDatabase("Vault", T0).Xml().Root().Child("Root")->Child("Group")->ChildText("UUID"),
        tree[0].pGroup->ChildText("UUID"));
}

TEST(KdbxEdit, GroupAtFindsOrMakesNestedGroups) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    const std::string strMail(KdbxGroupAt(xml, "Work/Mail", T0).ChildText("UUID"));
    KdbxGroupAt(xml, "Home", T0);
    const struct {
        const char* pszPath;
        const char* pszName;
    } CASES[] = {{"Work/Mail", "Mail"}, {"/Work//Mail/", "Mail"}, {"Work", "Work"}, {"", "Vault"}};
    for (const auto& c : CASES)
        EXPECT_EQ(KdbxGroupAt(xml, c.pszPath, T0 + 5).ChildText("Name"), c.pszName) << c.pszPath;
    EXPECT_EQ(KdbxGroupAt(xml, "Work/Mail", T0).ChildText("UUID"), strMail);
    const auto tree = KdbxGroupTree(xml);
    ASSERT_EQ(tree.size(), 4u); // nothing made twice
    EXPECT_EQ(KdbxGroupPath(tree, 2), "Work/Mail");
    EXPECT_EQ(tree[2].nParent, 1u);
    const CXmlElement* pTimes = tree[2].pGroup->Child("Times");
    ASSERT_TRUE(pTimes);
    EXPECT_EQ(pTimes->ChildText("CreationTime"), KdbxTimeText(T0));
}

TEST(KdbxEdit, AddedEntryHasTimesFieldsAndProtection) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    Meta(database).Child("MemoryProtection")->SetChildText(xml, "ProtectUserName", "True");
    CXmlElement& entry = AddKdbxEntry(xml, KdbxGroupAt(xml, "Web", T0),
                                      {{"Title", "Shop"},
                                       {"Password", "s3cret"},
                                       {"E-mail", "a@b.c"},
                                       {"Bell", std::string("ring\x07")}},
                                      T0);
    const CXmlElement* pTimes = entry.Child("Times");
    ASSERT_TRUE(pTimes);
    for (const char* pszTime : {"CreationTime", "LastModificationTime", "LastAccessTime",
                                "LocationChanged", "ExpiryTime"})
        EXPECT_EQ(pTimes->ChildText(pszTime), KdbxTimeText(T0)) << pszTime;
    EXPECT_EQ(pTimes->ChildText("Expires"), "False");
    EXPECT_EQ(pTimes->ChildText("UsageCount"), "0");
    const struct {
        const char* pszKey;
        const char* pszValue;
        bool bProtected;
    } FIELDS[] = {
        {"Title", "Shop", false},   {"UserName", "", true}, {"Password", "s3cret", true},
        {"URL", "", false},         {"Notes", "", false},   {"E-mail", "a@b.c", false},
        {"Bell", "ring\x07", true}, // XML cannot carry it plainly
    };
    for (const auto& f : FIELDS) {
        const CXmlElement* pValue = FieldValue(entry, f.pszKey);
        ASSERT_TRUE(pValue) << f.pszKey;
        EXPECT_EQ(pValue->Text(), f.pszValue) << f.pszKey;
        EXPECT_EQ(pValue->IsProtected(), f.bProtected) << f.pszKey;
    }
    EXPECT_EQ(FindKdbxEntry(xml, "Web", "Shop").pEntry, &entry);
}

TEST(KdbxEdit, EditKeepsTheFormerStateInHistory) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    CXmlElement& entry =
        AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Bank"}, {"Password", "one"}}, T0);
    EXPECT_FALSE(EditKdbxEntry(database, entry, {{"Password", "one"}}, T0 + 1));
    EXPECT_EQ(HistoryCount(entry), 0u);
    ASSERT_TRUE(EditKdbxEntry(database, entry, {{"Password", "two"}, {"PIN", "12"}}, T0 + 10));
    ASSERT_TRUE(EditKdbxEntry(database, entry, {{"Password", "three"}}, T0 + 20));
    EXPECT_EQ(Field(entry, "Password"), "three");
    EXPECT_EQ(Field(entry, "PIN"), "12");
    EXPECT_TRUE(FieldValue(entry, "Password")->IsProtected());
    EXPECT_EQ(entry.Child("Times")->ChildText("LastModificationTime"), KdbxTimeText(T0 + 20));
    EXPECT_EQ(entry.Child("Times")->ChildText("CreationTime"), KdbxTimeText(T0));
    ASSERT_EQ(HistoryCount(entry), 2u);
    const auto& items = entry.Child("History")->Children();
    // Oldest first, each the whole entry as it was, without a history.
    EXPECT_EQ(Field(items[0], "Password"), "one");
    EXPECT_EQ(Field(items[0], "PIN"), "(none)");
    EXPECT_TRUE(FieldValue(items[0], "Password")->IsProtected());
    EXPECT_EQ(items[0].Child("Times")->ChildText("LastModificationTime"), KdbxTimeText(T0));
    EXPECT_EQ(Field(items[1], "Password"), "two");
    EXPECT_EQ(Field(items[1], "PIN"), "12");
    EXPECT_EQ(items[1].ChildText("UUID"), entry.ChildText("UUID"));
    for (const CXmlElement& item : items)
        EXPECT_FALSE(item.Child("History"));
    // The String added last stays before AutoType and History.
    EXPECT_EQ(entry.Children().back().Name(), "History");
}

TEST(KdbxEdit, HistoryIsTrimmedByItemsThenBySize) {
    // Each item of the entry below is 5+4 (Title) + 8 (UserName) + 8+2
    // (Password) + 3 (URL) + 5 (Notes) = 35 bytes.
    const struct {
        const char* pszItems;
        const char* pszSize;
        std::size_t nExpected;
        const char* pszOldestKept;
    } CASES[] = {
        {"10", "6291456", 5, "p0"}, {"3", "6291456", 3, "p2"}, {"0", "6291456", 0, ""},
        {"-1", "-1", 5, "p0"},      {"-1", "70", 2, "p3"},     {"-1", "69", 1, "p4"},
        {"4", "105", 3, "p2"},      {"2", "1000", 2, "p3"},    {"10", "34", 0, ""},
    };
    for (const auto& c : CASES) {
        CKdbxFile database = NewKdbxDatabase("Vault", T0);
        CXmlTree& xml = database.Xml();
        Meta(database).SetChildText(xml, "HistoryMaxItems", c.pszItems);
        Meta(database).SetChildText(xml, "HistoryMaxSize", c.pszSize);
        CXmlElement& entry = AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0),
                                          {{"Title", "Bank"}, {"Password", "p0"}}, T0);
        for (int i = 1; i <= 5; ++i)
            EditKdbxEntry(database, entry, {{"Password", "p" + std::to_string(i)}}, T0 + i);
        const std::string strCase = std::string(c.pszItems) + "/" + c.pszSize;
        ASSERT_EQ(HistoryCount(entry), c.nExpected) << strCase;
        if (c.nExpected > 0) {
            EXPECT_EQ(KdbxEntrySize(database, entry.Child("History")->Children()[0]), 35u);
            EXPECT_EQ(Field(entry.Child("History")->Children()[0], "Password"), c.pszOldestKept)
                << strCase;
        }
        EXPECT_EQ(Field(entry, "Password"), "p5");
    }
}

TEST(KdbxEdit, EntrySizeCountsBinariesAndTags) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    CXmlElement& entry = AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {}, T0);
    const std::size_t nBare = KdbxEntrySize(database, entry); // the five empty keys
    EXPECT_EQ(nBare, 29u);
    database.Binaries().push_back({false, CKdbxSecret(100, 'x')});
    entry.SetChildText(xml, "Tags", "a;b");
    CXmlElement& binary = entry.AppendChild(xml, "Binary");
    binary.SetChildText(xml, "Key", "f.txt");
    binary.SetChildText(xml, "Value", "").SetAttribute(xml, "Ref", "0");
    EXPECT_EQ(KdbxEntrySize(database, entry), nBare + 3 + 5 + 100);
}

TEST(KdbxEdit, DeleteRecyclesOrRecords) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Old"}}, T0);
    AddKdbxEntry(xml, KdbxGroupAt(xml, "Web", T0), {{"Title", "Shop"}}, T0);
    const std::string strOld(FindKdbxEntry(xml, "Vault", "Old").pEntry->ChildText("UUID"));
    const std::string strShop(FindKdbxEntry(xml, "Web", "Shop").pEntry->ChildText("UUID"));
    EXPECT_FALSE(DeleteKdbxEntry(xml, "AAAAAAAAAAAAAAAAAAAAAA==", T0));

    // Into a bin made for it, named in Meta.
    ASSERT_TRUE(DeleteKdbxEntry(xml, strOld, T0 + 7));
    const CXmlElement* pBin = KdbxRecycleBin(xml);
    ASSERT_TRUE(pBin);
    EXPECT_EQ(pBin->ChildText("Name"), "Recycle Bin");
    EXPECT_EQ(Meta(database).ChildText("RecycleBinChanged"), KdbxTimeText(T0 + 7));
    ASSERT_TRUE(pBin->Child("Entry"));
    EXPECT_EQ(pBin->Child("Entry")->ChildText("UUID"), strOld);
    EXPECT_EQ(pBin->Child("Entry")->Child("Times")->ChildText("LocationChanged"),
              KdbxTimeText(T0 + 7));
    EXPECT_EQ(FindKdbxEntry(xml, "Vault", "Old").eFind, EKdbxFind::noEntry);
    // The same bin again.
    ASSERT_TRUE(DeleteKdbxEntry(xml, strShop, T0 + 8));
    const std::string strBin(Meta(database).ChildText("RecycleBinUUID"));
    EXPECT_EQ(KdbxRecycleBin(xml)->ChildText("UUID"), strBin);
    EXPECT_EQ(KdbxGroupTree(xml).size(), 2u); // root and Web: one bin only

    // From the bin, gone for good, and recorded.
    const CXmlElement* pDeleted = xml.Root().Child("Root")->Child("DeletedObjects");
    EXPECT_TRUE(pDeleted->Children().empty());
    ASSERT_TRUE(DeleteKdbxEntry(xml, strOld, T0 + 9));
    pDeleted = xml.Root().Child("Root")->Child("DeletedObjects");
    ASSERT_EQ(pDeleted->Children().size(), 1u);
    EXPECT_EQ(pDeleted->Children()[0].ChildText("UUID"), strOld);
    EXPECT_EQ(pDeleted->Children()[0].ChildText("DeletionTime"), KdbxTimeText(T0 + 9));

    // Without a bin in use, removed and recorded at once.
    Meta(database).SetChildText(xml, "RecycleBinEnabled", "False");
    AddKdbxEntry(xml, KdbxGroupAt(xml, "Web", T0), {{"Title", "Mail"}}, T0);
    const std::string strMail(FindKdbxEntry(xml, "Web", "Mail").pEntry->ChildText("UUID"));
    ASSERT_TRUE(DeleteKdbxEntry(xml, strMail, T0 + 10));
    EXPECT_EQ(FindKdbxEntry(xml, "Web", "Mail").eFind, EKdbxFind::noEntry);
    pDeleted = xml.Root().Child("Root")->Child("DeletedObjects");
    ASSERT_EQ(pDeleted->Children().size(), 2u);
    EXPECT_EQ(pDeleted->Children()[1].ChildText("UUID"), strMail);
}

} // namespace
