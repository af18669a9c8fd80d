// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxImporter.h"

#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::int64_t T0 = 1700000000;

SImportEntry Entry(std::vector<std::string> astrPath, std::string strTitle) {
    SImportEntry entry;
    entry.astrGroupPath = std::move(astrPath);
    entry.strTitle = std::move(strTitle);
    entry.strPassword = "pw of " + entry.strTitle;
    return entry;
}

std::string TitlesOf(const CKdbxFile& database) {
    std::string strOut;
    const auto tree = KdbxGroupTree(database.Xml());
    for (std::size_t i = 0; i < tree.size(); ++i) {
        strOut += "[" + KdbxGroupPath(tree, i) + "]";
        for (const CXmlElement* pEntry : tree[i].entries)
            strOut += " " + std::string(KdbxEntryField(*pEntry, "Title").value_or("?"));
        strOut += "\n";
    }
    return strOut;
}

TEST(KdbxImporter, NestsGroupsAndSuffixesTakenTitles) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = database.Xml();
    AddKdbxEntry(xml, KdbxGroupAt(xml, "Work/Mail", T0), {{"Title", "Почта"}}, T0);
    AddKdbxEntry(xml, KdbxGroupAt(xml, "Work/Mail", T0), {{"Title", "Почта (2)"}}, T0);
    CKdbxImporter importer(database, T0);
    const std::vector<SImportEntry> ENTRIES = {
        Entry({"Work", "Mail"}, "Почта"),
        Entry({"Work", "Mail"}, "Почта"),
        Entry({"Work", "a/b"}, "🎉"),
        Entry({"Work", "a/b"}, "🎉"),
        Entry({"Łódź"}, "Почта"),
        Entry({}, "Top"),
        Entry({"Work", "Mail"}, "Почта (3)"),
    };
    for (const SImportEntry& entry : ENTRIES)
        importer.Add(entry);
    EXPECT_EQ(importer.ImportedCount(), 7);
    // A name holding "/" is one group; the root takes an empty path.
    EXPECT_EQ(TitlesOf(database), "[Vault] Top\n"
                                  "[Work]\n"
                                  "[Work/Mail] Почта Почта (2) Почта (3) Почта (4) Почта (3) (2)\n"
                                  "[Work/a/b] 🎉 🎉 (2)\n"
                                  "[Łódź] Почта\n");
    EXPECT_EQ(importer.Summary(), "Imported 7 accounts in 4 groups; left out: nothing.");
    const SKdbxFound found = FindKdbxEntry(xml, "Work/Mail", "Почта (4)");
    ASSERT_EQ(found.eFind, EKdbxFind::found);
    EXPECT_EQ(KdbxEntryField(*found.pEntry, "Password"), "pw of Почта");
}

TEST(KdbxImporter, CarriesEveryFieldAndCountsWhatItCannot) {
    CKdbxFile database = NewKdbxDatabase("Vault", T0);
    CKdbxImporter importer(database, T0);
    SImportEntry entry = Entry({"Web"}, "Shop");
    entry.strUserName = "bob";
    entry.strUrl = "https://shop.example";
    entry.strNotes = "two\nlines";
    entry.strEMail = "bob@shop.example";
    entry.LeaveOut(ELeftOut::attachment, 2);
    entry.astrUnreadColumns = {"guid"};
    importer.Add(entry);
    importer.Add(Entry({"Web"}, "No mail"));
    const CXmlTree& xml = database.Xml();
    const CXmlElement* pShop = FindKdbxEntry(xml, "Web", "Shop").pEntry;
    ASSERT_TRUE(pShop);
    const struct {
        const char* pszKey;
        const char* pszValue;
    } FIELDS[] = {{"UserName", "bob"},
                  {"Password", "pw of Shop"},
                  {"URL", "https://shop.example"},
                  {"Notes", "two\nlines"},
                  {"E-mail", "bob@shop.example"}};
    for (const auto& f : FIELDS)
        EXPECT_EQ(KdbxEntryField(*pShop, f.pszKey), f.pszValue) << f.pszKey;
    // No empty custom field is made.
    EXPECT_FALSE(KdbxEntryField(*FindKdbxEntry(xml, "Web", "No mail").pEntry, "E-mail"));
    EXPECT_EQ(importer.Summary(),
              "Imported 2 accounts in 1 group; left out: 2 attachments, the column \"guid\".");
}

} // namespace
