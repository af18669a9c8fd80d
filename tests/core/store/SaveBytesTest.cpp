// SPDX-License-Identifier: GPL-3.0-or-later
// Saving enciphers record by record straight into the file buffer; these
// tests hold it to the bytes of the plain pipeline (EncipherList, then
// Serialize of the scratch list) for every shape of document.

#include "TestFiles.h"
#include "support/SampleDocument.h"

#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string PipelineBytes(CCofferDoc& doc) {
    doc.EncipherList();
    CArchive ar("saved.pwd");
    doc.Serialize(ar);
    return ar.TakeBuffer();
}

// Builds the same document twice, saves one through WriteArchiveFile and
// the other through the pipeline, and compares the bytes.
void ExpectSameBytes(const std::function<void(CCofferDoc&)>& build) {
    CTempFolder folder;
    const std::string strPath = folder.File("saved.pwd");
    CCofferDoc saved;
    CCofferDoc reference;
    build(saved);
    build(reference);
    ASSERT_EQ(saved.WriteArchiveFile(strPath), EFileError::none);
    EXPECT_EQ(ReadBytes(strPath), PipelineBytes(reference));
    EXPECT_TRUE(saved.StagedCounts().Total() == 0);
    EXPECT_EQ(saved.FileName(), "saved.pwd");
    EXPECT_TRUE(saved.IsLoaded());
}

CPasswordInfo Account(const std::string& strName, std::string strComments = "note") {
    CPasswordInfo info;
    info.SetAccount(strName);
    info.SetUserName("user");
    info.SetPassword("secret password");
    info.SetWebSite("https://example.org/");
    info.SetEMail("user@example.org");
    info.SetComments(std::move(strComments));
    return info;
}

void KeyedNew(CCofferDoc& doc) {
    doc.OnNewDocument();
    doc.SetKey("correct horse");
}

TEST(SaveBytes, SmallDocumentsMatchThePipeline) {
    ExpectSameBytes([](CCofferDoc& doc) { KeyedNew(doc); });
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        doc.DeleteGroup(doc.FindGroup(DEFAULT_GROUP_NAME));
    });
    ExpectSameBytes([](CCofferDoc& doc) {
        doc.OnNewDocument();
        doc.AddAccount(DEFAULT_GROUP_NAME, Account("keyless"));
    });
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        ChangeGeneratorHeader(doc, [](SGeneratorHeader& header) {
            header.m_strLength = "12";
            header.m_nGenerate = -7;
        });
        doc.AddGroup("Work");
        doc.AddAccount("Work", Account("vpn", std::string("zero\0bytes", 10)));
        doc.AddAccount(DEFAULT_GROUP_NAME, Account("mail"));
    });
}

TEST(SaveBytes, EveryLengthPrefixMatchesThePipeline) {
    for (const std::size_t nLength : {254u, 255u, 256u, 0xFFFDu, 0xFFFEu, 70000u}) {
        ExpectSameBytes([nLength](CCofferDoc& doc) {
            KeyedNew(doc);
            doc.AddAccount(DEFAULT_GROUP_NAME, Account("long", std::string(nLength, 'c')));
        });
    }
}

TEST(SaveBytes, TheLongRecordCountMatchesThePipeline) {
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        const CChangeBatch batch(doc);
        for (int i = 0; i < 0xFFFF; ++i)
            doc.InsertAccount(std::prev(doc.Records().end()), AccountRecord("a"));
    });
}

// Records still in the scratch list (read, not yet deciphered) are written
// first, as they are, and the scratch list is emptied.
TEST(SaveBytes, RecordsLeftInTheScratchListComeFirst) {
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        // A group read from a file and not deciphered yet.
        CCofferDoc writer;
        MakeKeyedDoc(writer, "correct horse", {GroupRecord("already enciphered")});
        writer.EncipherList();
        CArchive out;
        writer.Serialize(out);
        CArchive in(out.Buffer(), CCodePage::Default());
        ASSERT_TRUE(doc.Serialize(in));
        doc.AddAccount(DEFAULT_GROUP_NAME, Account("mail"));
    });
}

TEST(SaveBytes, SavingLeavesTheRecordsInClear) {
    CTempFolder folder;
    CCofferDoc doc;
    KeyedNew(doc);
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("mail"));
    ASSERT_EQ(doc.WriteArchiveFile(folder.File("a.pwd")), EFileError::none);
    ASSERT_EQ(doc.Records().size(), 2u);
    EXPECT_EQ(doc.Records().front().Group(), DEFAULT_GROUP_NAME);
    EXPECT_EQ(doc.Records().back().Password(), "secret password");
    // A second save of the unchanged document gives the same file.
    ASSERT_EQ(doc.WriteArchiveFile(folder.File("b.pwd")), EFileError::none);
    EXPECT_EQ(ReadBytes(folder.File("a.pwd")), ReadBytes(folder.File("b.pwd")));
}

// The field XOR against the definition: byte i with key byte i mod length,
// for every text length around the key's and every key length it can have.
TEST(SaveBytes, XorFieldMatchesItsDefinition) {
    for (std::size_t nKey = 1; nKey <= 23; ++nKey) {
        std::string strX;
        for (std::size_t k = 0; k < nKey; ++k)
            strX += static_cast<char>(0x31 + 7 * k);
        for (std::size_t nText = 0; nText <= 3 * nKey + 1; ++nText) {
            std::string strText;
            for (std::size_t i = 0; i < nText; ++i)
                strText += static_cast<char>(i * 37 + nKey);
            std::string strExpected = strText;
            for (std::size_t i = 0; i < nText; ++i)
                strExpected[i] = static_cast<char>(strText[i] ^ strX[i % nKey]);
            ASSERT_EQ(CCofferDoc::XorField(strText, strX), strExpected)
                << "key length " << nKey << ", text length " << nText;
        }
    }
}

} // namespace
