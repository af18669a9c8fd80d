// SPDX-License-Identifier: GPL-3.0-or-later
// Saving enciphers record by record straight into the file buffer; these
// tests hold it to the bytes of the plain pipeline (EncipherList, then
// Serialize of the scratch list) for every shape of document.

#include "TestFiles.h"

#include "core/store/Archive.h"
#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string PipelineBytes(CCofferDoc& doc) {
    doc.EncipherList();
    CArchive ar("saved.pwd");
    doc.Serialize(ar);
    doc.m_listArchive.clear();
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
    EXPECT_TRUE(saved.m_listArchive.empty());
    EXPECT_EQ(saved.m_strFileName, "saved.pwd");
    EXPECT_TRUE(saved.m_bLoaded);
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
    doc.m_strKey = MakeKeyCheckValue("correct horse");
}

TEST(SaveBytes, SmallDocumentsMatchThePipeline) {
    ExpectSameBytes([](CCofferDoc& doc) { KeyedNew(doc); });
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        doc.m_listInfo.clear();
    });
    ExpectSameBytes([](CCofferDoc& doc) {
        doc.OnNewDocument();
        doc.AddAccount(DEFAULT_GROUP_NAME, Account("keyless"));
    });
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        doc.m_strLength = "12";
        doc.m_nGenerate = -7;
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
        CPasswordInfo account;
        account.SetAccount("a");
        doc.m_listInfo.insert(doc.m_listInfo.end(), 0xFFFF, account);
    });
}

// Records still in the scratch list (read, not yet deciphered) are written
// first, as they are, and the scratch list is emptied.
TEST(SaveBytes, RecordsLeftInTheScratchListComeFirst) {
    ExpectSameBytes([](CCofferDoc& doc) {
        KeyedNew(doc);
        CPasswordInfo& pending = doc.m_listArchive.emplace_back();
        pending.m_bGroup = 1;
        pending.SetGroup("already enciphered");
        doc.AddAccount(DEFAULT_GROUP_NAME, Account("mail"));
    });
}

TEST(SaveBytes, SavingLeavesTheRecordsInClear) {
    CTempFolder folder;
    CCofferDoc doc;
    KeyedNew(doc);
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("mail"));
    ASSERT_EQ(doc.WriteArchiveFile(folder.File("a.pwd")), EFileError::none);
    ASSERT_EQ(doc.m_listInfo.size(), 2u);
    EXPECT_EQ(doc.m_listInfo.front().Group(), DEFAULT_GROUP_NAME);
    EXPECT_EQ(doc.m_listInfo.back().Password(), "secret password");
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
