// SPDX-License-Identifier: GPL-3.0-or-later
// A file changed by another program after the document read it: the save
// asks before overwriting, and a writer holding the file's lock is waited
// for, never raced.

#include "DocumentFixture.h"
#include "support/SampleDocument.h"

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/FileIO.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class DocChange : public DocumentFixture {
protected:
    // Opens the file in a document of its own, adds an account and saves:
    // what another copy of the program (or the CLI) would do meanwhile.
    void ChangeElsewhere(const std::string& strPath, const std::string& strAccount) {
        auto pOther = MakeDoc();
        ChangeFileOptions(pOther->Session(),
                          [&](SFileOptions& options) { options.m_bBackup = false; });
        OpenWithKey(*pOther, strPath, "k");
        pOther->AddAccount(DEFAULT_GROUP_NAME, Account(strAccount));
        ASSERT_EQ(pOther->Session().OnFileSave(), SAVE_DONE);
    }
    bool AskedAboutChange(const std::string& strPath) const {
        return Shown(FormatText(IDS_CHANGED_ON_DISK, strPath), EMsgIcon::exclamation,
                     EMsgButtons::yesNoCancel);
    }
    int AccountsIn(const std::string& strPath) {
        auto pCheck = MakeDoc();
        OpenWithKey(*pCheck, strPath, "k");
        return pCheck->CountAccounts();
    }
};

} // namespace

TEST_F(DocChange, EachAnswerToTheChangeQuestionHasItsResult) {
    const std::string strPath = MakeFile("A.pwd", "k", {Account("a")});
    const std::string strCopy = m_folder.File("Copy.pwd");
    auto pDoc = MakeDoc();
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bBackup = false; });
    OpenWithKey(*pDoc, strPath, "k");
    ChangeElsewhere(strPath, "b");
    const std::string strChanged = ReadBytes(strPath);
    pDoc->SetModifiedFlag();

    m_prompts.AnswerMessage(EMsgAnswer::cancel);
    pDoc->Session().OnFileSave();
    EXPECT_TRUE(AskedAboutChange(strPath));
    EXPECT_EQ(ReadBytes(strPath), strChanged);
    EXPECT_TRUE(pDoc->IsModified());

    m_prompts.ClearRecord();
    m_prompts.AnswerMessage(EMsgAnswer::no);
    m_prompts.AnswerSaveFile(strCopy);
    pDoc->Session().OnFileSave();
    EXPECT_TRUE(AskedAboutChange(strPath));
    EXPECT_EQ(ReadBytes(strPath), strChanged);
    EXPECT_EQ(pDoc->Session().GetPathName(), strCopy);
    EXPECT_EQ(AccountsIn(strCopy), 1);

    // The copy was written by this document: saving it again asks nothing.
    pDoc->SetModifiedFlag();
    m_prompts.ClearRecord();
    pDoc->Session().OnFileSave();
    EXPECT_FALSE(AskedAboutChange(strCopy));
    EXPECT_FALSE(pDoc->IsModified());

    ChangeElsewhere(strCopy, "c");
    pDoc->SetModifiedFlag();
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    pDoc->Session().OnFileSave();
    EXPECT_TRUE(AskedAboutChange(strCopy));
    EXPECT_EQ(AccountsIn(strCopy), 1);
}

TEST_F(DocChange, AFileTouchedOrRewrittenWithTheSameBytesIsNoChange) {
    const std::string strPath = MakeFile("A.pwd", "k", {Account("a")});
    auto pDoc = MakeDoc();
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bBackup = false; });
    OpenWithKey(*pDoc, strPath, "k");
    const std::string strBytes = ReadBytes(strPath);
    ::unlink(strPath.c_str()); // a new inode and new times, the same bytes
    WriteBytes(strPath, strBytes);
    pDoc->SetModifiedFlag();
    m_prompts.ClearRecord();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_FALSE(AskedAboutChange(strPath));
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(DocChange, ASaveWaitsForTheFilesLockAndGivesUpWithAMessage) {
    const std::string strPath = MakeFile("A.pwd", "k", {Account("a")});
    auto pDoc = MakeDoc();
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bBackup = false; });
    OpenWithKey(*pDoc, strPath, "k");
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("b"));
    pDoc->SetModifiedFlag();
    const std::string strBytes = ReadBytes(strPath);

    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    pDoc->Session().OnFileSave();
    EXPECT_TRUE(Shown(FormatText(IDS_FILE_BUSY, strPath), EMsgIcon::exclamation));
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    EXPECT_TRUE(pDoc->IsModified());
    ::close(fd);

    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(AccountsIn(strPath), 2);
}

TEST_F(DocChange, TheBackupIsPrivateEvenOverALooserOlderOne) {
    const std::string strPath = MakeFile("A.pwd", "k", {Account("a")});
    const std::string strBackup = BackupFolder() + "/A.pwd.bak";
    WriteBytes(strBackup, "an older backup");
    ::chmod(strBackup.c_str(), 0644);
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    pDoc->SetModifiedFlag();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_EQ(FileMode(strBackup), 0600);
    EXPECT_NE(ReadBytes(strBackup), "an older backup");
}
