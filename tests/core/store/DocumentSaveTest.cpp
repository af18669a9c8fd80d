// SPDX-License-Identifier: GPL-3.0-or-later
// Save, backup, Save As, Close, auto-save, the document options and the
// enabling of the file commands, driven through the scripted prompts.

#include "DocumentFixture.h"
#include "support/SampleDocument.h"

#include "core/base/CommandIds.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/FileIO.h"

#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using DocSave = DocumentFixture;
using DocClose = DocumentFixture;
using DocOptions = DocumentFixture;
using DocCommands = DocumentFixture;

} // namespace

TEST_F(DocSave, TheBackupIsWrittenFromTheSecondSaveOn) {
    auto pDoc = MakeDoc();
    const std::string strPath = m_folder.File("Work.pwd");
    const std::string strBackup = BackupFolder() + "/Work.pwd.bak";
    m_prompts.TypeCreateKey("k", "k");
    m_prompts.AnswerSaveFile(strPath);
    pDoc->Session().OnFileNew();
    EXPECT_FALSE(FileExists(strBackup));

    const std::string strFirst = ReadBytes(strPath);
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("a", "p"));
    pDoc->SetModifiedFlag();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_EQ(ReadBytes(strBackup), strFirst);
    EXPECT_EQ(FileMode(strBackup), 0600);
    EXPECT_NE(ReadBytes(strPath), strFirst);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DocSave, WithoutTheBackupOptionNoBackupIsEverWritten) {
    m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 2);
    const std::string strPath = MakeFile("NoBak.pwd", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    pDoc->Session().OnFileSave();
    pDoc->Session().OnFileSave();
    EXPECT_FALSE(FileExists(BackupFolder()));
}

TEST_F(DocSave, AMissingBackupFolderIsReportedAndTheSaveGoesOn) {
    const std::string strPath = MakeFile("W.pwd", "k");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    ASSERT_EQ(::rmdir(BackupFolder().c_str()), 0);
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("new", "p"));
    pDoc->SetModifiedFlag();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_BACKUP_FAILED});
    EXPECT_TRUE(Shown(IDS_BACKUP_FAILED, EMsgIcon::exclamation));
    EXPECT_TRUE(pDoc->IsSaved());
    auto pCheck = MakeDoc();
    OpenWithKey(*pCheck, strPath, "k");
    EXPECT_EQ(pCheck->CountAccounts(), 1);
}

TEST_F(DocSave, SaveAsBacksUpTheOldFileAndMovesThePathName) {
    const std::string strOld = MakeFile("Old.pwd", "k", {Account("a", "p")});
    const std::string strNew = m_folder.File("New.pwd");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strOld, "k");
    m_prompts.AnswerSaveFile(strNew);
    EXPECT_TRUE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(m_prompts.Calls().back().m_file.m_strInitialName, strOld);
    EXPECT_EQ(ReadBytes(BackupFolder() + "/Old.pwd.bak"), ReadBytes(strOld));
    EXPECT_EQ(pDoc->Session().GetPathName(), strNew);
    EXPECT_EQ(pDoc->FileName(), "New.pwd");
    EXPECT_EQ(m_recent[0], strNew);
    EXPECT_EQ(FileMode(strNew), 0600);

    m_prompts.CancelSaveFile();
    EXPECT_FALSE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(pDoc->Session().GetPathName(), strNew);
}

TEST_F(DocSave, AReadOnlyFileAsksAndEachAnswerHasItsResult) {
    const std::string strPath = MakeFile("Ro.pwd", "k", {Account("a", "p")});
    const std::string strCopy = m_folder.File("Copy.pwd");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    ::chmod(strPath.c_str(), 0444);
    const std::string strBytes = ReadBytes(strPath);
    pDoc->SetModifiedFlag();

    m_prompts.AnswerMessage(EMsgAnswer::cancel);
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_CANCEL);
    EXPECT_TRUE(Shown(IDS_SAVE_READONLY, EMsgIcon::exclamation, EMsgButtons::yesNoCancel));
    m_prompts.AnswerMessage(EMsgAnswer::no);
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_READONLY_NO);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(ReadBytes(strPath), strBytes);

    m_prompts.AnswerMessage(EMsgAnswer::yes);
    m_prompts.AnswerSaveFile(strCopy);
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_READONLY_SAVEAS);
    EXPECT_EQ(pDoc->Session().GetPathName(), strCopy);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    auto pCheck = MakeDoc();
    OpenWithKey(*pCheck, strCopy, "k");
    EXPECT_EQ(pCheck->CountAccounts(), 1);
}

TEST_F(DocSave, AFullDiskLeavesThePreviousFileWholeAndReportsIt) {
    const std::string strPath = MakeFile("Full.pwd", "k", {Account("a", "p")});
    const std::string strBytes = ReadBytes(strPath);
    const std::string strNew = m_folder.File("Other.pwd");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bBackup = false; });
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("big", std::string(4096, 'x')));
    pDoc->SetModifiedFlag();
    const std::vector<std::string> vecBefore = FolderEntries(m_folder.Path());
    {
        CFileSizeLimit limit(512);
        EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
        m_prompts.AnswerSaveFile(strNew);
        EXPECT_FALSE(pDoc->Session().OnFileSaveAs());
    }
    EXPECT_EQ(Messages(), std::vector<std::string>(2, IDS_DISK_FULL));
    EXPECT_TRUE(Shown(IDS_DISK_FULL, EMsgIcon::exclamation));
    EXPECT_FALSE(pDoc->IsSaved());
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->Session().IsSaveEnabled());
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    // Neither a partial new file nor a temporary file is left behind.
    EXPECT_EQ(FolderEntries(m_folder.Path()), vecBefore);
    EXPECT_EQ(pDoc->Session().GetPathName(), strPath);
}

TEST_F(DocSave, AFailedSaveAsKeepsTheNameTheNextBackupIsFiledUnder) {
    const std::string strPath = MakeFile("Mine.pwd", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    m_prompts.AnswerSaveFile(m_folder.File("missing/Theirs.pwd"));
    EXPECT_FALSE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(pDoc->FileName(), "Mine.pwd");

    // The next save backs up Mine.pwd under its own name, never over the
    // backup of a file called Theirs.pwd.
    const std::string strBytes = ReadBytes(strPath);
    pDoc->SetModifiedFlag();
    m_prompts.ClearRecord();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadBytes(BackupFolder() + "/Mine.pwd.bak"), strBytes);
    EXPECT_FALSE(FileExists(BackupFolder() + "/Theirs.pwd.bak"));
}

TEST_F(DocClose, AKeyChangeThatCouldNotBeWrittenLeavesAFileThatClosesNormally) {
    const std::string strPath = MakeFile("K.pwd", "k", {Account("a", std::string(600, 'p'))});
    const std::string strBytes = ReadBytes(strPath);
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bBackup = false; });
    m_prompts.TypeChangeKey("k", "n", "n");
    {
        CFileSizeLimit limit(256);
        pDoc->Session().OnChangeKey();
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>{IDS_DISK_FULL, IDS_KEY_NOT_CHANGED}));
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    // Nothing the file does not hold is lost by closing it: it closes
    // without a question, to the blank path.
    m_prompts.ClearRecord();
    EXPECT_EQ(pDoc->Session().OnFileClose(), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(pDoc->Session().GetPathName(), " ");
}

TEST_F(DocSave, AFolderThatMayNotBeWrittenLeavesThePreviousFileWhole) {
    const std::string strPath = MakeFile("Shared.pwd", "k", {Account("a", "p")});
    const std::string strBytes = ReadBytes(strPath);
    // The file itself may be written, its folder may not: the atomic write
    // cannot make its temporary file. The superuser ignores folder modes, so
    // the save runs in a child process that gives up its privileges.
    ::chmod(strPath.c_str(), 0666);
    ::chmod(m_folder.Path().c_str(), 0555);
    const std::string strMessage = FileErrorMessage(EFileError::writeDenied, strPath);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                std::_Exit(3);
            CScriptedPrompts prompts;
            prompts.m_fnFail = [](const std::string&) { std::_Exit(4); };
            CSessionDoc doc;
            doc.Session().SetPrompts(&prompts);
            ChangeFileOptions(doc.Session(),
                              [&](SFileOptions& options) { options.m_bBackup = false; });
            prompts.TypeCheckKey("k");
            if (!doc.Session().OpenDocumentFile(strPath) || !doc.Session().IsOpen())
                std::_Exit(5);
            doc.SetModifiedFlag();
            doc.Session().OnFileSave();
            const bool bReported = prompts.MessageTexts() == std::vector<std::string>{strMessage};
            std::_Exit(bReported && !doc.IsSaved() && doc.IsModified() ? 0 : 6);
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(m_folder.Path().c_str(), 0700);
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    EXPECT_EQ(FolderEntries(m_folder.Path()), (std::vector<std::string>{"Shared.pwd", "data"}));
}

TEST_F(DocSave, AutoSaveWritesAtOnceAndLeavesSaveDisabled) {
    const std::string strPath = MakeFile("Auto.pwd", "k");
    auto pDoc = MakeDoc();
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bAutoSave = true; });
    OpenWithKey(*pDoc, strPath, "k");
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("added", "p"));
    pDoc->Session().OnContentChanged();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_FALSE(pDoc->Session().IsSaveEnabled());
    auto pCheck = MakeDoc();
    OpenWithKey(*pCheck, strPath, "k");
    EXPECT_EQ(pCheck->CountAccounts(), 1);

    // Reordering only marks the document; nothing is written.
    const std::string strBytes = ReadBytes(strPath);
    pDoc->Session().OnOrderChanged();
    EXPECT_TRUE(pDoc->Session().IsSaveEnabled());
    EXPECT_EQ(ReadBytes(strPath), strBytes);
}

TEST_F(DocSave, SavesAreSkippedWhileTheMainWindowIsNotShown) {
    const std::string strPath = MakeFile("Bar.pwd", "k");
    auto pDoc = MakeDoc();
    ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) { options.m_bAutoSave = true; });
    OpenWithKey(*pDoc, strPath, "k");
    const std::string strBytes = ReadBytes(strPath);
    pDoc->Session().SetMainWindowShown(false);
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("added", "p"));
    pDoc->Session().OnContentChanged();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(ReadBytes(strPath), strBytes);
}

TEST_F(DocClose, AnUnchangedFileClosesToTheBlankPath) {
    const std::string strPath = MakeFile("C.pwd", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    Notices().clear();
    EXPECT_EQ(pDoc->Session().OnFileClose(), 1);
    EXPECT_EQ(pDoc->Session().GetPathName(), " ");
    EXPECT_TRUE(pDoc->Records().empty());
    EXPECT_FALSE(pDoc->HasKey());
    EXPECT_FALSE(pDoc->Session().IsOpen());
    EXPECT_EQ(Notices().front(), "recordsChanged");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DocClose, TheModifiedQuestionDecidesWhatHappens) {
    const std::string strPath = MakeFile("M.pwd", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    const std::string strBytes = ReadBytes(strPath);
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("b", "q"));
    pDoc->SetModifiedFlag();

    m_prompts.AnswerMessage(EMsgAnswer::cancel);
    EXPECT_EQ(pDoc->Session().OnFileClose(), 0);
    EXPECT_TRUE(Shown(IDS_ASK_SAVE_MODIFIED, EMsgIcon::exclamation, EMsgButtons::yesNoCancel));
    EXPECT_EQ(pDoc->CountAccounts(), 2);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(pDoc->Session().GetPathName(), strPath);

    m_prompts.AnswerMessage(EMsgAnswer::no);
    EXPECT_EQ(pDoc->Session().OnFileClose(), 1);
    EXPECT_EQ(ReadBytes(strPath), strBytes);

    OpenWithKey(*pDoc, strPath, "k");
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("c", "r"));
    pDoc->SetModifiedFlag();
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    EXPECT_EQ(pDoc->Session().OnFileClose(), 1);
    OpenWithKey(*pDoc, strPath, "k");
    EXPECT_EQ(pDoc->CountAccounts(), 2);
}

TEST_F(DocClose, AModifiedReadOnlyFileAnsweredYesThenNoStaysOpen) {
    const std::string strPath = MakeFile("R.pwd", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    ::chmod(strPath.c_str(), 0444);
    pDoc->SetModifiedFlag();
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    m_prompts.AnswerMessage(EMsgAnswer::no);
    EXPECT_EQ(pDoc->Session().OnFileClose(), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{IDS_ASK_SAVE_MODIFIED, IDS_SAVE_READONLY}));
    EXPECT_TRUE(pDoc->Session().IsOpen());
    EXPECT_EQ(pDoc->CountAccounts(), 1);
    EXPECT_EQ(pDoc->Session().GetPathName(), strPath);
}

TEST_F(DocOptions, AFreshUserGetsTheDefaultsAndTheBackupFolder) {
    {
        auto pDoc = MakeDoc();
        EXPECT_TRUE(pDoc->Session().FileOptions().m_bBackup);
        EXPECT_TRUE(pDoc->Session().FileOptions().m_bAddToRecent);
        EXPECT_FALSE(pDoc->Session().FileOptions().m_bAutoSave);
        EXPECT_EQ(pDoc->Session().FileOptions().m_nStartFile, START_FILE_LAST);
        EXPECT_EQ(pDoc->Session().FileOptions().m_strBackupPath, BackupFolder());
        struct stat st {};
        ASSERT_EQ(::stat(BackupFolder().c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(m_profile.WriteCount(), 0u);
    }
    std::vector<std::string> vecWritten;
    for (const CMemoryProfile::SEntry& entry : m_profile.Entries())
        vecWritten.push_back(entry.m_strSection + "/" + entry.m_strValue);
    EXPECT_EQ(vecWritten, (std::vector<std::string>{"Settings/2", "Path/3", "Path/4"}));
    EXPECT_EQ(m_profile.GetProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 99), 3u + 8);
    EXPECT_EQ(m_profile.GetProfileString(PROFILE_PATH, VAL_PATH_BACKUP, "?"), BackupFolder());
    EXPECT_EQ(m_profile.GetProfileString(PROFILE_PATH, VAL_PATH_COMMAND_LINE, "?"), "");
}

TEST_F(DocOptions, StoredOptionsAreReadAndWrittenBack) {
    const std::string strBackup = m_folder.File("mine/backups");
    m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 1 + 4 + 16);
    m_profile.WriteProfileString(PROFILE_PATH, VAL_PATH_START, "/srv/start.pwd");
    m_profile.WriteProfileString(PROFILE_PATH, VAL_PATH_BACKUP, strBackup);
    m_profile.WriteProfileString(PROFILE_PATH, VAL_PATH_COMMAND_LINE, "/tmp/arg.pwd");
    {
        auto pDoc = MakeDoc();
        EXPECT_TRUE(pDoc->Session().FileOptions().m_bBackup);
        EXPECT_FALSE(pDoc->Session().FileOptions().m_bAddToRecent);
        EXPECT_TRUE(pDoc->Session().FileOptions().m_bAutoSave);
        EXPECT_EQ(pDoc->Session().FileOptions().m_nStartFile, 2);
        EXPECT_EQ(pDoc->Session().FileOptions().m_strStartFile, "/srv/start.pwd");
        EXPECT_TRUE(FileExists(strBackup));
        EXPECT_FALSE(FileExists(BackupFolder()));
        ChangeFileOptions(pDoc->Session(), [&](SFileOptions& options) {
            options.m_strStartFile = "/srv/other.pwd";
        });
        pDoc->Session().OnRecentAddHere();
    }
    EXPECT_EQ(m_profile.GetProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 0), 1u + 2 + 4 + 16);
    EXPECT_EQ(m_profile.GetProfileString(PROFILE_PATH, VAL_PATH_START, ""), "/srv/other.pwd");
    EXPECT_EQ(m_profile.GetProfileString(PROFILE_PATH, VAL_PATH_COMMAND_LINE, "?"), "");
    EXPECT_FALSE(m_profile.HasValue(PROFILE_PATH, VAL_PATH_LAST));
}

TEST_F(DocOptions, TheLastFileIsRecordedOnCloseAndExitInStartModeOne) {
    m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DOC_OPTIONS, 3 + 8);
    const std::string strFirst = MakeFile("First.pwd", "k");
    const std::string strSecond = MakeFile("Second.pwd", "k");
    m_profile.WriteProfileString(PROFILE_PATH, VAL_PATH_LAST, "");
    {
        auto pDoc = MakeDoc();
        OpenWithKey(*pDoc, strFirst, "k");
        EXPECT_EQ(pDoc->Session().OnFileClose(), 1);
        EXPECT_EQ(m_profile.GetProfileString(PROFILE_PATH, VAL_PATH_LAST, ""), strFirst);
        OpenWithKey(*pDoc, strSecond, "k");
    }
    EXPECT_EQ(m_profile.GetProfileString(PROFILE_PATH, VAL_PATH_LAST, ""), strSecond);
}

TEST_F(DocOptions, ADocumentWithoutSettingsWritesNothing) {
    {
        CSessionDoc doc;
        doc.Session().SetPrompts(&m_prompts);
        EXPECT_TRUE(doc.Session().FileOptions().m_bBackup);
        EXPECT_TRUE(doc.Session().FileOptions().m_strBackupPath.empty());
        m_prompts.CancelCreateKey();
        doc.Session().OnFileNew();
        EXPECT_TRUE(doc.Records().empty());
        EXPECT_EQ(doc.Session().OnFileClose(), 0);
    }
    EXPECT_EQ(m_profile.ValueCount(), 0u);
    EXPECT_FALSE(FileExists(BackupFolder()));
}

TEST_F(DocCommands, FileCommandsFollowTheDocumentsState) {
    const std::string strPath = MakeFile("E.pwd", "k");
    auto pDoc = MakeDoc();
    const int vecIds[] = {ID_FILE_NEW, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                          ID_TOOLS_CHANGEKEY};
    auto States = [&] {
        std::string strStates;
        for (int nId : vecIds) {
            bool bEnabled = false;
            bool bChecked = false;
            EXPECT_TRUE(pDoc->Session().QueryCommand(nId, bEnabled, bChecked));
            strStates += bEnabled ? '1' : '0';
        }
        return strStates;
    };
    EXPECT_EQ(States(), "10000");
    OpenWithKey(*pDoc, strPath, "k");
    EXPECT_EQ(States(), "11011");
    pDoc->SetModifiedFlag();
    EXPECT_EQ(States(), "11111");
    m_prompts.AnswerMessage(EMsgAnswer::no);
    pDoc->Session().OnFileClose();
    EXPECT_EQ(States(), "10000");
    bool bEnabled = false;
    bool bChecked = false;
    EXPECT_FALSE(pDoc->Session().QueryCommand(ID_APP_EXIT, bEnabled, bChecked));
}

TEST_F(DocSave, SaveAsNeverWritesAPwdIntoAnotherUsersFile) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of another user needs the superuser";
    const std::string strMine = MakeFile("Mine.pwd", "k", {Account("a", "p")});
    const std::string strTheirs = m_folder.File("Theirs.pwd");
    WriteBytes(strTheirs, "theirs");
    ASSERT_EQ(::chown(strTheirs.c_str(), 43210, 43210), 0);
    ASSERT_EQ(::chmod(strTheirs.c_str(), 0666), 0);
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strMine, "k");
    m_prompts.AnswerSaveFile(strTheirs);
    EXPECT_FALSE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(Messages().back(), FormatText(IDS_WRITE_DENIED, strTheirs));
    EXPECT_EQ(ReadBytes(strTheirs), "theirs");
    EXPECT_EQ(pDoc->Session().GetPathName(), strMine);
}
