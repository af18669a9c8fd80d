// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/XmlTree.h"

#include <botan/base64.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The inner stream stands in as a XOR with 0x5A, which masks and unmasks.
void Xor(std::uint8_t* pBytes, std::size_t nSize) {
    for (std::size_t i = 0; i < nSize; ++i)
        pBytes[i] ^= 0x5A;
}

std::string Masked(std::string_view strPlain) {
    std::string str(strPlain);
    Xor(reinterpret_cast<std::uint8_t*>(str.data()), str.size());
    return Botan::base64_encode(reinterpret_cast<const std::uint8_t*>(str.data()), str.size());
}

CXmlTreeParser::EResult Parse(CXmlTree& tree, const std::string& strXml,
                              std::size_t nMemory = std::size_t(64) << 20) {
    // In pieces, as a database inflates, so that the parser's own buffer
    // stays small.
    CXmlTreeParser parser(tree, nMemory, Xor);
    const std::span<const std::uint8_t> xml(reinterpret_cast<const std::uint8_t*>(strXml.data()),
                                            strXml.size());
    for (std::size_t nPos = 0; nPos < xml.size(); nPos += 4096)
        parser.Feed(xml.subspan(nPos, std::min<std::size_t>(4096, xml.size() - nPos)), false);
    parser.Feed({}, true);
    return parser.End();
}

std::string Written(const CXmlTree& tree) {
    std::string strXml;
    std::string strError;
    const bool bWritten = tree.Write(
        strXml,
        [](std::span<const std::uint8_t> plain) {
            return Masked({reinterpret_cast<const char*>(plain.data()), plain.size()});
        },
        strError);
    EXPECT_TRUE(bWritten) << strError;
    return strXml;
}

const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

} // namespace

// What is read is written back: names, attributes in order, escaped texts,
// whitespace of leaves, unknown elements. Indentation is the writer's own.
TEST(XmlTree, WritesWhatItReads) {
    const struct {
        const char* pszIn;
        const char* pszOut;
    } CASES[] = {
        {"<a/>", "<a/>\n"},
        {"<a z=\"1\" b=\"2\" m=\"3\"/>", "<a z=\"1\" b=\"2\" m=\"3\"/>\n"},
        {"<a>\n  <b>x</b>\n  <c/>\n</a>", "<a>\n\t<b>x</b>\n\t<c/>\n</a>\n"},
        {"<a><b>  </b></a>", "<a>\n\t<b>  </b>\n</a>\n"},
        {"<a><b>&lt;&amp;&gt;\"'</b></a>", "<a>\n\t<b>&lt;&amp;&gt;&quot;'</b>\n</a>\n"},
        {"<a><b>1&#13;\n2</b></a>", "<a>\n\t<b>1&#13;\n2</b>\n</a>\n"},
        {"<a k=\"&lt;&quot;&#9;&#10;\"/>", "<a k=\"&lt;&quot;&#9;&#10;\"/>\n"},
        {"<a>lead<b/> tail</a>", "<a>lead tail\n\t<b/>\n</a>\n"},
        {"<x:Unknown xmlns:x=\"urn:u\"><x:b x:c=\"d\">\xC3\xA9</x:b></x:Unknown>",
         "<x:Unknown xmlns:x=\"urn:u\">\n\t<x:b x:c=\"d\">\xC3\xA9</x:b>\n</x:Unknown>\n"},
    };
    for (const auto& c : CASES) {
        CXmlTree tree;
        ASSERT_EQ(Parse(tree, c.pszIn), CXmlTreeParser::EResult::ok) << c.pszIn;
        EXPECT_EQ(Written(tree), DECLARATION + c.pszOut) << c.pszIn;
    }
}

TEST(XmlTree, RefusesWhatNoDatabaseHolds) {
    const struct {
        std::string strXml;
        std::size_t nMemory;
        CXmlTreeParser::EResult eResult;
    } CASES[] = {
        {"<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", 1 << 20, CXmlTreeParser::EResult::malformed},
        {"<a><b></a>", 1 << 20, CXmlTreeParser::EResult::malformed},
        {"<a>", 1 << 20, CXmlTreeParser::EResult::malformed},
        {"", 1 << 20, CXmlTreeParser::EResult::malformed},
        {"<a><b Protected=\"True\">not base64!</b></a>", 1 << 20,
         CXmlTreeParser::EResult::malformed},
        // 20000 empty elements take far more than 400 KB as a tree.
        {[] {
             std::string str = "<a>";
             for (int i = 0; i < 20000; ++i)
                 str += "<b/>";
             return str + "</a>";
         }(),
         400 << 10, CXmlTreeParser::EResult::tooLarge},
        {"<a>" + std::string(300 << 10, 'x') + "</a>", 200 << 10,
         CXmlTreeParser::EResult::tooLarge},
    };
    for (const auto& c : CASES) {
        CXmlTree tree;
        EXPECT_EQ(Parse(tree, c.strXml, c.nMemory), c.eResult) << c.strXml.substr(0, 60);
    }
}

// A protected text is unmasked once read, held as plain, and masked again
// when written; the mark follows the element.
TEST(XmlTree, ProtectedTexts) {
    CXmlTree tree;
    const std::string strXml = "<a><v Protected=\"True\" q=\"1\">" + Masked("s3cret") +
                               "</v><w Protected=\"true\">" + Masked("") + "</w><p>plain</p></a>";
    ASSERT_EQ(Parse(tree, strXml), CXmlTreeParser::EResult::ok);
    CXmlElement& root = tree.Root();
    ASSERT_EQ(root.Children().size(), 3u);
    EXPECT_TRUE(root.Children()[0].IsProtected());
    EXPECT_EQ(root.ChildText("v"), "s3cret");
    EXPECT_TRUE(root.Children()[1].IsProtected());
    EXPECT_EQ(root.ChildText("w"), "");
    EXPECT_FALSE(root.Children()[2].IsProtected());

    root.Child("v")->SetText("other");
    root.Child("w")->SetProtected(false);
    root.Child("p")->SetProtected(true);
    EXPECT_EQ(root.ChildText("p"), "plain");
    EXPECT_EQ(Written(tree), DECLARATION + "<a>\n\t<v Protected=\"True\" q=\"1\">" +
                                 Masked("other") + "</v>\n\t<w/>\n\t<p Protected=\"True\">" +
                                 Masked("plain") + "</p>\n</a>\n");
}

// The helpers a record model uses, and the writer's refusal of texts XML
// cannot carry.
TEST(XmlTree, EditsAndRefusals) {
    CXmlTree tree;
    ASSERT_EQ(Parse(tree, "<a><b>1</b><c/><b>2</b></a>"), CXmlTreeParser::EResult::ok);
    CXmlElement& root = tree.Root();
    EXPECT_EQ(root.ChildText("b"), "1");
    EXPECT_EQ(root.ChildText("none"), "");
    EXPECT_EQ(root.Child("none"), nullptr);
    root.SetChildText(tree, "c", "3");
    root.SetChildText(tree, "d", "4").SetAttribute(tree, "k", "v");
    root.Child("d")->SetAttribute(tree, "k", "w");
    EXPECT_EQ(root.RemoveChildren("b"), 2u);
    EXPECT_TRUE(root.Child("d")->RemoveAttribute("k"));
    EXPECT_FALSE(root.Child("d")->RemoveAttribute("k"));
    root.Child("c")->SetAttribute(tree, "k", "x");
    EXPECT_EQ(*root.Child("c")->Attribute("k"), "x");
    EXPECT_EQ(Written(tree), DECLARATION + "<a>\n\t<c k=\"x\">3</c>\n\t<d>4</d>\n</a>\n");
    // Names are interned: a, b, c, d and k.
    EXPECT_EQ(tree.NameCount(), 5u);

    std::string strXml;
    std::string strError;
    root.Child("c")->SetText("bell\a");
    EXPECT_FALSE(tree.Write(strXml, {}, strError));
    EXPECT_NE(strError.find("control character"), std::string::npos);
    root.Child("c")->SetText("ok");
    root.Child("c")->SetAttribute(tree, "k", "\x01");
    EXPECT_FALSE(tree.Write(strXml, {}, strError));
}

// A database's tree stays within four times its XML's size.
TEST(XmlTree, HoldsLittleMoreThanItsXml) {
    std::string strXml = "<KeePassFile><Root><Group><Name>Root</Name>";
    for (int i = 0; i < 2000; ++i) {
        strXml += "<Entry><UUID>AAECAwQFBgcICQoLDA0ODw==</UUID><IconID>0</IconID><Times>"
                  "<CreationTime>2vDZ2g4AAAA=</CreationTime><LastModificationTime>2vDZ2g4AAAA="
                  "</LastModificationTime><Expires>False</Expires><UsageCount>0</UsageCount>"
                  "</Times><String><Key>Title</Key><Value>Entry " +
                  std::to_string(i) +
                  "</Value></String><String><Key>UserName</Key><Value>user</Value></String>"
                  "<String><Key>Password</Key><Value Protected=\"True\">" +
                  Masked("password" + std::to_string(i)) +
                  "</Value></String><AutoType><Enabled>True</Enabled></AutoType></Entry>";
    }
    strXml += "</Group></Root></KeePassFile>";
    CXmlTree tree;
    ASSERT_EQ(Parse(tree, strXml), CXmlTreeParser::EResult::ok);
    EXPECT_LT(tree.HeapBytes(), 4 * strXml.size());
    EXPECT_GT(tree.HeapBytes(), strXml.size() / 2);
}

// Written in pieces, a large document is the same text, in pieces of about
// the writer's size.
TEST(XmlTree, WritesInPieces) {
    CXmlTree tree;
    tree.SetRootName("a");
    for (int i = 0; i < 30000; ++i) {
        CXmlElement& child = tree.Root().AppendChild(tree, "b");
        child.SetText(std::string(60, 'x') + "&" + std::to_string(i));
        child.SetProtected(i % 7 == 0);
    }
    std::vector<std::string> pieces;
    std::string strError;
    ASSERT_TRUE(
        tree.Write([&](std::string_view piece) { pieces.emplace_back(piece); },
                   [](std::span<const std::uint8_t> plain) {
                       return Masked({reinterpret_cast<const char*>(plain.data()), plain.size()});
                   },
                   strError));
    ASSERT_GT(pieces.size(), 1u);
    std::string strJoined;
    for (const std::string& strPiece : pieces) {
        EXPECT_LT(strPiece.size(), CXmlTree::WRITE_PIECE + 200);
        strJoined += strPiece;
    }
    // Not EXPECT_EQ: a diff of two megabytes takes long to print.
    EXPECT_TRUE(strJoined == Written(tree));
}

// A tree deeper than the stack holds is written, and its indentation stops
// growing past a depth: written out in full it would take the square of it.
TEST(XmlTree, WritesATreeDeeperThanTheStackHolds) {
    constexpr std::size_t DEPTH = 300000;
    CXmlTree tree;
    tree.SetRootName("r");
    CXmlElement* pElement = &tree.Root();
    for (std::size_t i = 0; i < DEPTH; ++i)
        pElement = &pElement->AppendChild(tree, "g");
    pElement->SetText("x");
    const std::string strXml = Written(tree);
    EXPECT_LT(strXml.size(), DEPTH * 150);
    EXPECT_NE(strXml.find("\t<g>x</g>\n\t"), std::string::npos);
    EXPECT_EQ(strXml.substr(strXml.size() - 10), "</g>\n</r>\n");
}
