#pragma once

// A document living a whole life on real files in a temporary folder, with
// an in-memory settings store, a recent-file list and the scripted prompts.

#include "TestFiles.h"
#include "core/store/CofferDoc.h"
#include "core/store/RecentFileList.h"
#include "support/MemoryProfile.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class DocumentFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A document wired to the fixture's settings, prompts and recent list.
    std::unique_ptr<CCofferDoc> MakeDoc();
    // Makes a file with KEY strKey through New and adds the given accounts
    // (one group "My Passwords"); leaves the file closed.
    std::string MakeFile(const std::string& strName, const std::string& strKey,
                         const std::vector<CPasswordInfo>& accounts = {});
    // Opens strPath in pDoc typing strKey.
    void OpenWithKey(CCofferDoc& doc, const std::string& strPath, const std::string& strKey);

    // The messages shown, and whether one was shown with this look.
    std::vector<std::string> Messages() const { return m_prompts.MessageTexts(); }
    bool Shown(const std::string& strText, EMsgIcon eIcon,
               EMsgButtons eButtons = EMsgButtons::ok) const;
    std::string BackupFolder() const { return m_folder.Path() + "/data/Keyhaven/backup"; }

    CTempFolder m_folder;
    CMemoryProfile m_profile;
    CScriptedPrompts m_prompts;
    CRecentFileList m_recent;
    std::vector<EDocNotice> m_vecNotices;
};

// Every record of a document as one comparable text, in list order.
std::string DumpRecords(const CCofferDoc& doc);
int FileMode(const std::string& strPath);
