// SPDX-License-Identifier: GPL-3.0-or-later
#include "CraftedImports.h"
#include "KdbxTestWriter.h"

#include "core/interchange/CsvImport.h"
#include "core/interchange/Importer.h"
#include "core/interchange/KdbxReader.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// The groups of a document with the accounts each holds, in list order.
using CLayout = std::vector<std::pair<std::string, std::vector<std::string>>>;

CLayout Layout(const CCofferDoc& doc) {
    CLayout layout;
    for (const CPasswordInfo& info : doc.Records()) {
        if (info.IsGroup())
            layout.emplace_back(info.Group(), std::vector<std::string>());
        else
            layout.back().second.push_back(info.Account());
    }
    return layout;
}

SImportEntry Entry(std::vector<std::string> astrPath, std::string strTitle) {
    SImportEntry entry;
    entry.astrGroupPath = std::move(astrPath);
    entry.strTitle = std::move(strTitle);
    return entry;
}

SImportEntry TreeEntry(std::shared_ptr<const SImportGroup> pGroup, std::string strTitle) {
    SImportEntry entry;
    entry.pGroup = std::move(pGroup);
    entry.strTitle = std::move(strTitle);
    return entry;
}

// A tree of groups as a database reader hands it on: each group below the
// one before, the first at the top.
std::shared_ptr<std::vector<SImportGroup>> Chain(const std::vector<std::string>& astrNames) {
    auto tree = std::make_shared<std::vector<SImportGroup>>(astrNames.size());
    for (std::size_t i = 0; i < astrNames.size(); ++i) {
        (*tree)[i].strName = astrNames[i];
        (*tree)[i].pParent = i ? &(*tree)[i - 1] : nullptr;
    }
    return tree;
}

std::shared_ptr<const SImportGroup> Node(const std::shared_ptr<std::vector<SImportGroup>>& tree,
                                         std::size_t n) {
    return std::shared_ptr<const SImportGroup>(tree, &(*tree)[n]);
}

// "g/g/.../g" of n names.
std::string NestedName(std::size_t n) {
    std::string strName = "g";
    for (std::size_t i = 1; i < n; ++i)
        strName += "/g";
    return strName;
}

} // namespace

// Three hundred groups each inside the one before, from a database and from
// its CSV export: each keeps its own group. From the 129th on the paths are
// cut to the 255 characters the 128th fills, so each gets the next " (n)".
TEST(ImportPaths, NestedGroupsKeepGroupsOfTheirOwn) {
    constexpr std::size_t DEPTH = 300;
    std::vector<CLayout> layouts;
    for (const bool bDatabase : {true, false}) {
        CCofferDoc doc;
        CImporter importer(doc, CCodePage::Default());
        const auto fnAdd = [&importer](const SImportEntry& entry) { importer.Add(entry); };
        if (bDatabase) {
            const SKdbxOutcome outcome = ReadKdbxEntries(MakeTestKdbx(NestedGroupsXml(DEPTH), {}),
                                                         SKdbxTestOptions().credentials, fnAdd);
            ASSERT_EQ(outcome.eFailure, EKdbxFailure::none) << outcome.strMessage;
        } else {
            std::string strError;
            ASSERT_TRUE(ReadCsvEntries(NestedGroupsCsv(DEPTH), fnAdd, strError)) << strError;
        }
        const CLayout layout = Layout(doc);
        ASSERT_EQ(layout.size(), DEPTH) << bDatabase;
        std::set<std::string> names;
        for (std::size_t i = 0; i < DEPTH; ++i) {
            EXPECT_EQ(layout[i].second, std::vector<std::string>{std::to_string(i + 1)})
                << bDatabase << " " << i;
            names.insert(layout[i].first);
            EXPECT_LE(layout[i].first.size(), MAX_IMPORT_NAME_LENGTH);
        }
        EXPECT_EQ(names.size(), DEPTH) << bDatabase;
        EXPECT_EQ(layout[0].first, "g");
        EXPECT_EQ(layout[127].first, NestedName(128));
        EXPECT_EQ(layout[128].first, NestedName(126) + " (2)");
        EXPECT_EQ(layout[135].first, NestedName(126) + " (9)");
        EXPECT_EQ(layout[136].first, NestedName(125) + "/ (10)");
        EXPECT_EQ(layout[299].first, NestedName(125) + " (173)");
        const std::string strSummary = importer.Summary();
        EXPECT_TRUE(strSummary.starts_with(
            "Imported 300 accounts in 300 groups; left out: nothing. Names longer than 255 "
            "characters were cut: 172 groups (g/g/g/"))
            << strSummary;
        EXPECT_TRUE(strSummary.ends_with("g/g/ (11); and 162 more).")) << strSummary;
        layouts.push_back(layout);
    }
    EXPECT_EQ(layouts[0], layouts[1]);
}

// Paths that are cut alike but differ never meet in one group; the same
// path, given by names or by a tree, and with sibling groups of one name,
// is one group. The summary names the cut groups and counts the cut names.
TEST(ImportPaths, CutPathsNeverMeet) {
    const std::string strA(300, 'A');
    const auto tree = Chain({strA, "y"});
    auto sibling = std::make_shared<std::vector<SImportGroup>>(1);
    (*sibling)[0] = {&(*tree)[0], "y"};

    CCofferDoc doc;
    CImporter importer(doc, CCodePage::Default());
    importer.Add(Entry({strA, "x"}, "1"));
    importer.Add(Entry({strA, "y"}, "2"));
    importer.Add(Entry({strA, "x"}, std::string(256, 't')));
    importer.Add(TreeEntry(Node(tree, 1), "4"));
    importer.Add(TreeEntry(Node(sibling, 0), "5"));
    const std::string strCut = std::string(251, 'A') + " (2)";
    EXPECT_EQ(Layout(doc), (CLayout{{std::string(255, 'A'), {"1", std::string(255, 't')}},
                                    {strCut, {"2", "4", "5"}}}));
    EXPECT_EQ(importer.Summary().substr(0, importer.Summary().find("\n\n")),
              "Imported 5 accounts in 2 groups; left out: nothing. Names longer than 255 "
              "characters were cut: 2 groups (" +
                  std::string(40, 'A') + "..." + std::string(17, 'A') + "; " +
                  std::string(40, 'A') + "..." + std::string(13, 'A') + " (2)), 1 account.");

    // A group this import filled under the very name a cut path would get
    // keeps it to itself.
    CCofferDoc other;
    CImporter second(other, CCodePage::Default());
    second.Add(Entry({std::string(255, 'A')}, "whole"));
    second.Add(TreeEntry(Node(tree, 1), "cut"));
    EXPECT_EQ(Layout(other), (CLayout{{std::string(255, 'A'), {"whole"}}, {strCut, {"cut"}}}));
}

// A path is stored whole or not at all: a character that the code page
// lacks refuses the entry even where the path is cut.
TEST(ImportPaths, EveryNameOfACutPathIsChecked) {
    const std::string strA(300, 'A');
    const auto tree = Chain({strA, "\xCE\xA9"});
    CCofferDoc doc;
    CImporter importer(doc, CCodePage::Default());
    importer.Add(TreeEntry(Node(tree, 1), "tree"));
    importer.Add(Entry({strA, "\xCE\xA9"}, "names"));
    importer.Add(TreeEntry(Node(tree, 0), "top"));
    EXPECT_EQ(Layout(doc), (CLayout{{std::string(255, 'A'), {"top"}}}));
    const std::string strShown = "\" in " + std::string(60, 'A') + "...";
    EXPECT_EQ(importer.Summary(),
              "Imported 1 account in 1 group; left out: 2 entries with characters that the code "
              "page windows-1252 cannot hold (\"tree" +
                  strShown + "; \"names" + strShown +
                  "). Names longer than 255 characters were cut: 1 group (" + std::string(40, 'A') +
                  "..." + std::string(17, 'A') + ").");
}

// Names that begin alike and differ only beyond what a name holds with its
// suffix: each entry gets a name of its own, the suffix's number running on
// across them, the name cut one more where the number has two digits.
TEST(ImportPaths, NamesThatBeginAlikeGetNamesOfTheirOwn) {
    constexpr std::size_t ENTRIES = 24;
    for (const bool bDatabase : {true, false}) {
        CCofferDoc doc;
        CImporter importer(doc, CCodePage::Default());
        const auto fnAdd = [&importer](const SImportEntry& entry) { importer.Add(entry); };
        if (bDatabase) {
            ReadKdbxEntries(MakeTestKdbx(SharedStartTitlesXml(ENTRIES, 2, 251), {}),
                            SKdbxTestOptions().credentials, fnAdd);
        } else {
            std::string strError;
            ReadCsvEntries(SharedStartTitlesCsv(ENTRIES, 2, 251), fnAdd, strError);
        }
        std::vector<std::string> expected = {SharedStartTitle(0, 251), SharedStartTitle(1, 251)};
        for (std::size_t n = 2; n < ENTRIES; ++n)
            expected.push_back(std::string(n < 10 ? 251 : 250, 'p') + " (" + std::to_string(n) +
                               ")");
        const CLayout layout = Layout(doc);
        ASSERT_EQ(layout.size(), 1u);
        EXPECT_EQ(layout[0].first, "Web");
        EXPECT_EQ(layout[0].second, expected) << bDatabase;
    }
}
