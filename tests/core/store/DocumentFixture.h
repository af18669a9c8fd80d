// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A document living a whole life on real files in a temporary folder, with
// an in-memory settings store, a recent-file list and the scripted prompts.

#include "TestFiles.h"
#include "core/base/DocObserver.h"
#include "core/store/CofferDoc.h"
#include "core/store/RecentFileList.h"
#include "support/MemoryProfile.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionDoc.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Writes down every notice the document sends, by name, and what the
// document held when the records were emptied.
class CNoticeLog final : public CDocObserver {
public:
    explicit CNoticeLog(const CCofferDoc& doc) : m_doc(doc) {}
    void OnInitialUpdate() override { m_vecNotices.emplace_back("initialUpdate"); }
    void OnEmptied() override;
    void OnRecordsChanged(const SRecordNotice& notice) override {
        if (notice.m_eKind == SRecordNotice::reset)
            m_vecNotices.emplace_back("recordsChanged");
    }
    void OnModifiedChanged(bool bModified) override {
        m_vecNotices.emplace_back(bModified ? "modified" : "unmodified");
    }
    void OnPathNameChanged() override { m_vecNotices.emplace_back("pathName"); }
    void OnRecentFileListChanged() override { m_vecNotices.emplace_back("recent"); }

    std::vector<std::string> m_vecNotices;
    // The number of records in the list when the document said it was empty.
    std::vector<std::size_t> m_vecRecordsWhenEmptied;

private:
    const CCofferDoc& m_doc;
};

class DocumentFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A document wired to the fixture's settings, prompts and recent list.
    std::unique_ptr<CSessionDoc> MakeDoc();
    // Makes a file with KEY strKey through New and adds the given accounts
    // (one group "My Passwords"); leaves the file closed.
    std::string MakeFile(const std::string& strName, const std::string& strKey,
                         const std::vector<CPasswordInfo>& accounts = {});
    // Opens strPath in pDoc typing strKey.
    void OpenWithKey(CSessionDoc& doc, const std::string& strPath, const std::string& strKey);

    // The messages shown, and whether one was shown with this look.
    std::vector<std::string> Messages() const { return m_prompts.MessageTexts(); }
    bool Shown(const std::string& strText, EMsgIcon eIcon,
               EMsgButtons eButtons = EMsgButtons::ok) const;
    std::string BackupFolder() const { return m_folder.Path() + "/data/Keyhaven/backup"; }

    CTempFolder m_folder;
    CMemoryProfile m_profile;
    CScriptedPrompts m_prompts;
    CRecentFileList m_recent;
    // The notices of the last document MakeDoc made; each document keeps
    // its own log for the fixture's life.
    CNoticeLog& Log() { return *m_logs.back(); }
    std::vector<std::string>& Notices() { return Log().m_vecNotices; }
    std::vector<std::unique_ptr<CNoticeLog>> m_logs;
};

// Every record of a document as one comparable text, in list order.
std::string DumpRecords(const CCofferDoc& doc);
int FileMode(const std::string& strPath);
