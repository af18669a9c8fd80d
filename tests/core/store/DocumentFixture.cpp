// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFixture.h"

#include "core/store/FieldCipher.h"

#include <cstdlib>
#include <sys/stat.h>

void DocumentFixture::SetUp() {
    m_prompts.m_fnFail = [](const std::string& strWhy) { ADD_FAILURE() << strWhy; };
}

void DocumentFixture::TearDown() {
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
}

void CNoticeLog::OnEmptied() {
    m_vecNotices.emplace_back("emptied");
    m_vecRecordsWhenEmptied.push_back(m_doc.Records().size());
}

std::unique_ptr<CSessionDoc> DocumentFixture::MakeDoc() {
    auto pDoc = std::make_unique<CSessionDoc>(&m_profile, BackupFolder());
    // The least Argon2id cost: the tests are about the document's life, and
    // the cost itself is measured by the benchmark.
    pDoc->SetSealParams({SEAL_MIN_PASSES, SEAL_MIN_MEMORY_KIB});
    pDoc->Session().SetPrompts(&m_prompts);
    pDoc->Session().SetRecentFileList(&m_recent);
    pDoc->SetObserver(m_logs.emplace_back(std::make_unique<CNoticeLog>(*pDoc)).get());
    return pDoc;
}

std::string DocumentFixture::MakeFile(const std::string& strName, const std::string& strKey,
                                      const std::vector<CPasswordInfo>& accounts) {
    const std::string strPath = m_folder.File(strName);
    auto pDoc = MakeDoc();
    m_prompts.TypeCreateKey(strKey, strKey);
    m_prompts.AnswerSaveFile(strPath);
    pDoc->Session().OnFileNew();
    EXPECT_TRUE(pDoc->IsSaved());
    for (const CPasswordInfo& account : accounts)
        pDoc->AddAccount(DEFAULT_GROUP_NAME, account);
    if (!accounts.empty()) {
        EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    }
    EXPECT_EQ(pDoc->Session().OnFileClose(), 1);
    m_prompts.ClearRecord();
    return strPath;
}

void DocumentFixture::OpenWithKey(CSessionDoc& doc, const std::string& strPath,
                                  const std::string& strKey) {
    m_prompts.TypeCheckKey(strKey);
    EXPECT_TRUE(doc.Session().OpenDocumentFile(strPath));
    EXPECT_TRUE(doc.Session().IsOpen());
}

bool DocumentFixture::Shown(const std::string& strText, EMsgIcon eIcon,
                            EMsgButtons eButtons) const {
    for (const SPromptMessage& message : m_prompts.Messages()) {
        if (message.m_strText == strText && message.m_eIcon == eIcon &&
            message.m_eButtons == eButtons && message.m_strCaption == "Keyhaven")
            return true;
    }
    return false;
}

std::string DumpRecords(const CCofferDoc& doc) {
    std::string strOut;
    for (const CPasswordInfo& info : doc.Records()) {
        for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i) {
            const std::string strText = info.Text(static_cast<CPasswordInfo::EText>(i));
            strOut += std::to_string(strText.size()) + ":" + strText + "|";
        }
        strOut += std::to_string(info.m_bGroup) + "\n";
    }
    return strOut;
}

int FileMode(const std::string& strPath) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0)
        return -1;
    return static_cast<int>(st.st_mode & 07777);
}
