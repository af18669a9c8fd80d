// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxTree.h"
#include "core/kdbx/KdbxExport.h"

#include <botan/base64.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Protected texts are given as the base64 of their plain bytes: the inner
// stream is left out here.
CXmlTree Parsed(const std::string& strXml, std::size_t nMemory = std::size_t(16) << 20) {
    CXmlTree tree;
    CXmlTreeParser parser(tree, nMemory, [](std::uint8_t*, std::size_t) {});
    const auto eResult = parser.Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(strXml.data()), strXml.size()));
    EXPECT_EQ(eResult, CXmlTreeParser::EResult::ok) << strXml.substr(0, 2000);
    return tree;
}

std::string Uuid(char c) {
    const std::string strBytes(16, c);
    return Botan::base64_encode(reinterpret_cast<const std::uint8_t*>(strBytes.data()), 16);
}

std::string Field(const std::string& strKey, const std::string& strValue, bool bProtected = false) {
    if (!bProtected)
        return "<String><Key>" + strKey + "</Key><Value>" + strValue + "</Value></String>";
    return "<String><Key>" + strKey + "</Key><Value Protected=\"True\">" +
           Botan::base64_encode(reinterpret_cast<const std::uint8_t*>(strValue.data()),
                                strValue.size()) +
           "</Value></String>";
}

std::string Entry(const std::string& strTitle, const std::string& strMore = {}) {
    return "<Entry><UUID>" + Uuid('e') + "</UUID>" + Field("Title", strTitle) + strMore +
           "</Entry>";
}

std::string Group(char cUuid, const std::string& strName, const std::string& strInside) {
    return "<Group><UUID>" + Uuid(cUuid) + "</UUID><Name>" + strName + "</Name>" + strInside +
           "</Group>";
}

std::string Database(const std::string& strMeta, const std::string& strRootInside) {
    return "<KeePassFile><Meta>" + strMeta + "</Meta><Root>" +
           Group('\x01', "Root", strRootInside) + "</Root></KeePassFile>";
}

// Groups as "depth path: titles" lines.
std::string Outline(const CXmlTree& xml) {
    std::string strOut;
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(xml);
    for (std::size_t nNode = 0; nNode < tree.size(); ++nNode) {
        const SKdbxGroupNode& node = tree[nNode];
        strOut += std::to_string(node.nDepth) + " " + KdbxGroupPath(tree, nNode) + ":";
        for (const CXmlElement* pEntry : node.entries) {
            for (const SKdbxField& field : KdbxEntryFields(*pEntry)) {
                if (field.strKey == "Title")
                    strOut += " " + std::string(field.strValue);
            }
        }
        strOut += "\n";
    }
    return strOut;
}

// Groups nested three deep, an entry with a history, a recycle bin with a
// group inside it, and groups after the bin.
std::string Tree(char cBin = '\x05') {
    return Entry("Top") +
           Group('\x02', "Работа",
                 Entry("Почта", "<History>" + Entry("Почта old") + "</History>") +
                     Group('\x03', "日本", Entry("🔑") + Group('\x04', "Deep", Entry("D")))) +
           Group(cBin, "Bin", Entry("Gone") + Group('\x06', "Inside", Entry("Gone too"))) +
           Entry("After groups") + Group('\x07', "Empty", "");
}

} // namespace

TEST(KdbxTree, WalksGroupsInOrderWithoutHistoryAndRecycleBin) {
    const std::string strUsed = "1 Bin: Gone\n2 Bin/Inside: Gone too\n";
    const std::string strWithoutBin = "0 Root: Top After groups\n1 Работа: Почта\n"
                                      "2 Работа/日本: 🔑\n3 Работа/日本/Deep: D\n1 Empty:\n";
    const std::string strWithBin = "0 Root: Top After groups\n1 Работа: Почта\n"
                                   "2 Работа/日本: 🔑\n3 Работа/日本/Deep: D\n" +
                                   strUsed + "1 Empty:\n";
    const struct {
        const char* pszName;
        std::string strMeta;
        std::string strOutline;
        bool bBin;
    } CASES[] = {
        {"bin in use",
         "<RecycleBinEnabled>True</RecycleBinEnabled><RecycleBinUUID>" + Uuid('\x05') +
             "</RecycleBinUUID>",
         strWithoutBin, true},
        {"enabled when not said", "<RecycleBinUUID>" + Uuid('\x05') + "</RecycleBinUUID>",
         strWithoutBin, true},
        {"UUID written with blanks",
         "<RecycleBinUUID>\n  " + Uuid('\x05').insert(8, "\n") + "  </RecycleBinUUID>",
         strWithoutBin, true},
        {"disabled",
         "<RecycleBinEnabled> false </RecycleBinEnabled><RecycleBinUUID>" + Uuid('\x05') +
             "</RecycleBinUUID>",
         strWithBin, false},
        {"zero UUID", "<RecycleBinUUID>" + Uuid('\0') + "</RecycleBinUUID>", strWithBin, false},
        {"UUID of no group", "<RecycleBinUUID>" + Uuid('\x09') + "</RecycleBinUUID>", strWithBin,
         false},
        {"not base64", "<RecycleBinUUID>*not*</RecycleBinUUID>", strWithBin, false},
        {"no bin", "", strWithBin, false},
    };
    for (const auto& test : CASES) {
        SCOPED_TRACE(test.pszName);
        // The zero UUID names no bin, even where a group has it.
        const CXmlTree xml = Parsed(
            Database(test.strMeta,
                     Tree(test.strMeta.find(Uuid('\0')) == std::string::npos ? '\x05' : '\0')));
        EXPECT_EQ(Outline(xml), test.strOutline);
        const CXmlElement* pBin = KdbxRecycleBin(xml);
        ASSERT_EQ(pBin != nullptr, test.bBin);
        if (pBin) {
            EXPECT_EQ(pBin->ChildText("Name"), "Bin");
        }
    }
    // A document without a root group has no groups.
    EXPECT_TRUE(KdbxGroupTree(Parsed("<KeePassFile><Meta/></KeePassFile>")).empty());
}

TEST(KdbxTree, EntryFieldsInTheFileOrder) {
    const CXmlTree xml =
        Parsed(Database("", Entry("T", Field("PIN", "1234", true) + Field("Empty", "") +
                                           "<String><Key>No value</Key></String>")));
    const auto fields = KdbxEntryFields(*KdbxGroupTree(xml).front().entries.front());
    ASSERT_EQ(fields.size(), 4U);
    EXPECT_EQ(fields[0].strKey, "Title");
    EXPECT_FALSE(fields[0].bProtected);
    EXPECT_EQ(fields[1].strKey, "PIN");
    EXPECT_EQ(fields[1].strValue, "1234");
    EXPECT_TRUE(fields[1].bProtected);
    EXPECT_EQ(fields[2].strValue, "");
    EXPECT_EQ(fields[3].strKey, "No value");
    EXPECT_FALSE(fields[3].bProtected);
}

TEST(KdbxExport, EntryTextInTheAccountLayout) {
    const std::string strFields = Field("Password", "p\"w", true) + Field("Floor", "3") +
                                  Field("UserName", "иван") + Field("E-mail", "a@x", true) +
                                  Field("email", "second@x") + Field("URL", "https://u") +
                                  Field("Notes", "one\ntwo") + Field("PIN", "1234", true);
    const CXmlTree xml = Parsed(Database("", Entry("Почта", strFields)));
    const CXmlElement& entry = *KdbxGroupTree(xml).front().entries.front();
    EXPECT_EQ(KdbxEntryText(entry, false),
              "Account\t\tПочта\nUser Name\tиван\nPassword\tp\"w\nWeb Site\thttps://u\n"
              "E-Mail\t\t(protected)\nComments\tone\ntwo\nFloor: 3\nemail: second@x\n"
              "PIN: (protected)\n\n");
    EXPECT_EQ(KdbxEntryText(entry, true, "\r\n"),
              "Account\t\tПочта\r\nUser Name\tиван\r\nPassword\tp\"w\r\nWeb Site\thttps://u\r\n"
              "E-Mail\t\ta@x\r\nComments\tone\ntwo\r\nFloor: 3\r\nemail: second@x\r\n"
              "PIN: 1234\r\n\r\n");
    // An entry without fields has the lines all the same.
    const CXmlTree bare = Parsed(Database("", "<Entry/>"));
    EXPECT_EQ(KdbxEntryText(*KdbxGroupTree(bare).front().entries.front(), false),
              "Account\t\t\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\t\nComments\t\n\n");
}

TEST(KdbxExport, TextAndCsvNameGroupsByTheirPaths) {
    const std::string strMeta = "<RecycleBinUUID>" + Uuid('\x05') + "</RecycleBinUUID>";
    const CXmlTree xml = Parsed(Database(
        strMeta,
        Entry("Top", Field("Password", "s", true) + Field("PIN", "1", true)) +
            Group('\x02', "A \"q\"",
                  Group('\x03', "B",
                        Entry("In B", Field("Notes", "x&#13;\ny") + Field("Email", "e@x")))) +
            Group('\x05', "Bin", Entry("Gone"))));
    std::string strText;
    const auto fnAppend = [](std::string& strTo) {
        return [&strTo](std::string_view piece) {
            strTo.append(piece);
            return true;
        };
    };
    ASSERT_TRUE(WriteKdbxExportText(xml, "\n", fnAppend(strText)));
    EXPECT_EQ(strText, "============= Root =============\n\n"
                       "Account\t\tTop\nUser Name\t\nPassword\ts\nWeb Site\t\nE-Mail\t\t\n"
                       "Comments\t\nPIN: 1\n\n"
                       "============= A \"q\" =============\n\n"
                       "============= A \"q\"/B =============\n\n"
                       "Account\t\tIn B\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\te@x\n"
                       "Comments\tx\r\ny\n\n");
    std::string strCsv;
    ASSERT_TRUE(WriteKdbxCsvExport(xml, fnAppend(strCsv)));
    EXPECT_EQ(strCsv, "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"E-mail\"\n"
                      "\"Root\",\"Top\",\"\",\"s\",\"\",\"\",\"\"\n"
                      "\"Root/A \"\"q\"\"/B\",\"In B\",\"\",\"\",\"\",\"x\ny\",\"e@x\"\n");
    // A sink that fails stops the writing.
    int nCalls = 0;
    EXPECT_FALSE(WriteKdbxCsvExport(xml, [&nCalls](std::string_view) { return ++nCalls, false; }));
    EXPECT_EQ(nCalls, 1);
}

// A hostile file may nest groups far deeper than a call stack reaches.
TEST(KdbxTree, WalksADeepTreeWithoutRecursion) {
    constexpr std::size_t DEPTH = 100000;
    std::string strXml = "<KeePassFile><Meta/><Root>";
    for (std::size_t i = 0; i < DEPTH; ++i)
        strXml += "<Group><Name>g</Name>";
    strXml += Entry("Bottom");
    for (std::size_t i = 0; i < DEPTH; ++i)
        strXml += "</Group>";
    strXml += "</Root></KeePassFile>";
    const CXmlTree xml = Parsed(strXml, std::size_t(512) << 20);
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(xml);
    ASSERT_EQ(tree.size(), DEPTH);
    EXPECT_EQ(tree.back().nDepth, DEPTH - 1);
    EXPECT_EQ(tree.back().entries.size(), 1U);
    EXPECT_EQ(KdbxGroupPath(tree, DEPTH - 1).size(), 2 * (DEPTH - 1) - 1);
    EXPECT_EQ(KdbxGroupPath(tree, 2), "g/g");
}
