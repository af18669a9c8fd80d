// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxLoss.h"
#include "core/base/Translation.h"
#include "core/interchange/Importer.h"
#include "core/kdbx/KdbxImport.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <botan/base64.h>

#include <gtest/gtest.h>

#include <string>

namespace {

CXmlTree Parsed(const std::string& strXml) {
    CXmlTree tree;
    CXmlTreeParser parser(tree, std::size_t(16) << 20, [](std::uint8_t*, std::size_t) {});
    const auto eResult = parser.Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(strXml.data()), strXml.size()));
    EXPECT_EQ(eResult, CXmlTreeParser::EResult::ok) << strXml;
    return tree;
}

std::string Uuid(char c) {
    const std::string strBytes(16, c);
    return Botan::base64_encode(reinterpret_cast<const std::uint8_t*>(strBytes.data()), 16);
}

std::string Field(const std::string& strKey, const std::string& strValue) {
    return "<String><Key>" + strKey + "</Key><Value>" + strValue + "</Value></String>";
}

// An entry the six fields hold exactly, with more inside it.
std::string Entry(const std::string& strTitle, const std::string& strMore = {}) {
    return "<Entry><UUID>" + Uuid('e') + "</UUID>" + Field("Title", strTitle) +
           Field("UserName", "ann") + Field("Password", "pw") + Field("URL", "https://a.example") +
           Field("Notes", "a note") + Field("E-mail", "ann@a.example") + strMore + "</Entry>";
}

std::string Group(char cUuid, const std::string& strName, const std::string& strInside) {
    return "<Group><UUID>" + Uuid(cUuid) + "</UUID><Name>" + strName + "</Name>" + strInside +
           "</Group>";
}

std::string Database(const std::string& strRootInside, const std::string& strMeta = {}) {
    return "<KeePassFile><Meta>" + strMeta + "</Meta><Root>" +
           Group('\x01', "Root", strRootInside) + "</Root></KeePassFile>";
}

std::string Loss(const std::string& strXml, const std::vector<SKdbxBinary>& binaries = {}) {
    const CXmlTree xml = Parsed(strXml);
    return KdbxLossText(KdbxLossOf(xml, binaries, CCodePage::Default()), CCodePage::Default());
}

struct SLossCase {
    const char* pszKind;
    std::string strXml;
    std::string strLine; // the one line the report holds
};

const std::string RECYCLE_META =
    "<RecycleBinEnabled>True</RecycleBinEnabled><RecycleBinUUID>" + Uuid('b') + "</RecycleBinUUID>";

const SLossCase LOSS_CASES[] = {
    {"entry characters", Database(Group('m', "Mail", Entry("Почта"))),
     "Characters windows-1252 cannot hold: 1 entry is left out, for such characters in their texts "
     "or their group's name: \"Почта\" in \"Mail\" (П, о, ч, т, а)\n"},
    {"group characters", Database(Group('m', "Работа", Entry("Bank") + Entry("Shop"))),
     "Characters windows-1252 cannot hold: 2 entries are left out, for such characters in their "
     "texts or their group's name (1 group name holds them): group \"Работа\" (Р, а, б, о, т)\n"},
    {"password characters", Database(Entry("Bank", Field("Password", "пароль"))),
     "Characters windows-1252 cannot hold: 1 entry is left out, for such characters in their texts "
     "or their group's name: \"Bank\" in \"Root\" (in the password)\n"},
    {"nesting", Database(Group('a', "A", Group('b', "B", Group('c', "C", Entry("Deep"))))),
     "Nested groups: 2 groups lie deeper than one level and become one flat name joined by "
     "\"/\": \"A/B\"; \"A/B/C\"\n"},
    {"custom fields",
     Database(Entry("Bank", Field("PIN", "1234") + Field("Branch", "x")) +
              Entry("Shop", Field("PIN", "9")) + Entry("Mail")),
     "Custom fields: 2 entries have custom fields, which are left out: PIN, Branch\n"},
    {"second e-mail", Database(Entry("Bank", Field("Email", "b@b.example"))),
     "Custom fields: 1 entry has custom fields, which are left out: Email\n"},
    {"attachments",
     Database(Entry("Bank", "<Binary><Key>a.txt</Key><Value Ref=\"0\"/></Binary>"
                            "<Binary><Key>b.txt</Key><Value Ref=\"1\"/></Binary>")),
     "Attachments: 2 attachments of 7 bytes in all are left out\n"},
    {"history",
     Database(Entry("Bank", "<History>" + Entry("Bank") + Entry("Bank") + "</History>") +
              Entry("Shop", "<History>" + Entry("Shop") + "</History>")),
     "History: 3 earlier versions of entries are left out\n"},
    {"one-time passwords",
     Database(Entry("Bank", Field("otp", "otpauth://totp/x?secret=JBSWY3DP")) +
              Entry("Shop", Field("TOTP Seed", "JBSWY3DP"))),
     "One-time passwords: 2 entries have one-time password settings, which are left out\n"},
    {"tags", Database(Entry("Bank", "<Tags>money;home</Tags>") + Entry("Shop", "<Tags></Tags>")),
     "Tags: 1 entry has tags, which are left out\n"},
    {"expiry",
     Database(Entry("Bank", "<Times><Expires>True</Expires></Times>") +
              Entry("Shop", "<Times><Expires>False</Expires></Times>")),
     "Expiry: 1 entry has an expiry date, which is left out\n"},
    {"recycle bin",
     Database(Entry("Bank") +
                  Group('b', "Recycle Bin", Entry("Old") + Group('o', "Older", Entry("Oldest"))),
              RECYCLE_META),
     "Recycle bin: 2 entries in the recycle bin are left out\n"},
    {"custom icons",
     Database(Group('m', "Mail",
                    "<CustomIconUUID>" + Uuid('i') + "</CustomIconUUID>" +
                        Entry("Bank", "<CustomIconUUID>" + Uuid('i') + "</CustomIconUUID>"))),
     "Custom icons: 2 entries and groups show a custom icon, which is left out\n"},
    {"long title", Database(Entry(std::string(39, 'x') + "é" + std::string(300, 'y'))),
     "Long names: 1 group path or title is longer than 255 characters and cut to fit: \"" +
         std::string(39, 'x') + "\"... in \"Root\"\n"},
    {"long group name", Database(Group('m', std::string(256, 'g'), Entry("Bank"))),
     "Long names: 1 group path or title is longer than 255 characters and cut to fit: group \"" +
         std::string(256, 'g') + "\"\n"},
    {"group notes",
     Database(Group('m', "Mail", "<Notes>the old provider</Notes>" + Entry("Bank")) +
              Group('n', "News", "<Notes> </Notes>")),
     "Group notes: 1 group has notes, which are left out\n"},
};

TEST(KdbxLossTest, NamesEachKindOfLossOnItsOwnLine) {
    std::vector<SKdbxBinary> binaries(2);
    binaries[0].data.assign({'h', 'e', 'l', 'l', 'o'});
    binaries[1].data.assign({'h', 'i'});
    for (const SLossCase& test : LOSS_CASES)
        EXPECT_EQ(Loss(test.strXml, binaries), test.strLine) << test.pszKind;
}

TEST(KdbxLossTest, ReportsNothingWhenTheSixFieldsHoldEverything) {
    const std::string strXml =
        Database(Entry("Bank") + Group('m', "Mail/Home", Entry("Café", "<Tags> </Tags>")) +
                     Group('b', "Recycle Bin", ""),
                 RECYCLE_META);
    const CXmlTree xml = Parsed(strXml);
    const SKdbxLoss loss = KdbxLossOf(xml, {}, CCodePage::Default());
    EXPECT_TRUE(loss.IsEmpty());
    EXPECT_EQ(KdbxLossText(loss, CCodePage::Default()), "");
}

// A path is cut once, where it grows too long; the groups below it are not
// counted again.
TEST(KdbxLossTest, CountsALongPathOnce) {
    const std::string strText = Loss(Database(
        Group('a', std::string(200, 'a'),
              Group('b', std::string(55, 'b'), Group('c', "c", Entry("Bank")) + Entry("Shop")))));
    EXPECT_NE(strText.find("Long names: 1 group path or title is longer than 255 characters and "
                           "cut to fit: group \"" +
                           std::string(200, 'a') + "/" + std::string(55, 'b') + "\"\n"),
              std::string::npos)
        << strText;
}

TEST(KdbxLossTest, NamesTheFirstFewAndCountsTheRest) {
    std::string strGroups;
    for (char c = 'a'; c < 'a' + 8; ++c)
        strGroups += Group(c, std::string(1, c), Group(static_cast<char>(c + 16), "x", ""));
    const std::string strText = Loss(Database(strGroups));
    EXPECT_NE(strText.find("8 groups lie"), std::string::npos) << strText;
    EXPECT_NE(strText.find("\"e/x\"; and 3 more\n"), std::string::npos) << strText;
}

// The entries a database hands over are mapped as its file's import maps
// them: groups by path, the e-mail field into the account's.
TEST(KdbxLossTest, MapsEntriesAsTheImportDoes) {
    const CXmlTree xml =
        Parsed(Database(Entry("Top") + Group('a', "A", Group('b', "B", Entry("Deep")))));
    std::vector<std::string> astrSeen;
    ForEachKdbxImportEntry(xml, [&astrSeen](const SImportEntry& entry) {
        std::string strPath;
        for (const std::string& strName : entry.GroupPath())
            strPath += strName + "/";
        astrSeen.push_back(strPath + entry.strTitle + " " + entry.strUserName + " " +
                           entry.strEMail + " " + entry.strNotes);
    });
    EXPECT_EQ(astrSeen, (std::vector<std::string>{"Root/Top ann ann@a.example a note",
                                                  "A/B/Deep ann ann@a.example a note"}));
}

} // namespace

TEST(KdbxLossTest, EveryLineAndNameIsShownInTheLanguageOfTheWindow) {
    SetTextTranslator([](const char*, const char* pszSource, const char*, long long) {
        const std::string_view strSource(pszSource);
        return strSource.starts_with("Tags:")          ? "Étiquettes : %n"
               : strSource.starts_with("Long names: ") ? "Noms longs (%1) : %n"
                                                       : static_cast<const char*>(nullptr);
    });
    SKdbxLoss loss;
    loss.nHistory = 1;
    loss.nTaggedEntries = 2000;
    loss.nCutNames = 1;
    loss.astrCut = {"x"};
    const std::string strText = KdbxLossText(loss, CCodePage::Default());
    SetTextTranslator(nullptr);
    EXPECT_EQ(strText, "Noms longs (255) : 1: x\n"
                       "History: 1 earlier version of an entry is left out\n"
                       "Étiquettes : 2,000\n");
}
