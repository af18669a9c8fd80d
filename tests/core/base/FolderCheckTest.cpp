// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FolderCheck.h"
#include "core/base/FolderSystem.h"
#include "core/base/StringTable.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Folders in memory; records every creation, and refuses those named in
// m_setRefused.
class CFakeFolders final : public CFolderSystem {
public:
    bool IsFolder(const std::string& strPath) const override {
        return m_setFolders.count(strPath) != 0;
    }
    void MakeFolder(const std::string& strPath) override {
        m_vecMade.push_back(strPath);
        if (m_setRefused.count(strPath) == 0)
            m_setFolders.insert(strPath);
    }

    std::set<std::string> m_setFolders{"/", "/home", "/home/ann"};
    std::set<std::string> m_setRefused;
    std::vector<std::string> m_vecMade;
};

std::string Message(const char* pszFormat, const std::string& strPath) {
    std::string strText = pszFormat;
    strText.replace(strText.find("%s"), 2, strPath);
    return strText;
}

} // namespace

TEST(FolderName, ComponentRules) {
    EXPECT_TRUE(IsValidFolderName("Backup"));
    EXPECT_TRUE(IsValidFolderName("Back up"));
    // Hidden folders are ordinary here (the default lies under ~/.local).
    EXPECT_TRUE(IsValidFolderName(".local"));
    EXPECT_TRUE(IsValidFolderName("a.b"));
    EXPECT_FALSE(IsValidFolderName(""));
    EXPECT_FALSE(IsValidFolderName("."));
    EXPECT_FALSE(IsValidFolderName(".."));
    EXPECT_FALSE(IsValidFolderName("Backup "));
    EXPECT_FALSE(IsValidFolderName(" Backup"));
    EXPECT_FALSE(IsValidFolderName("\tBackup"));
    EXPECT_FALSE(IsValidFolderName("Backup."));
    for (const char ch : std::string("\"*/:<>?\\|"))
        EXPECT_FALSE(IsValidFolderName(std::string("a") + ch + "b")) << ch;
}

TEST(FolderPath, SyntaxInCheckMode) {
    CFakeFolders folders;
    EXPECT_EQ(CheckFolderPath("/", false, folders), FOLDER_VALID);
    EXPECT_EQ(CheckFolderPath("/Backup", false, folders), FOLDER_VALID);
    EXPECT_EQ(CheckFolderPath("/Back up/x", false, folders), FOLDER_VALID);
    EXPECT_EQ(CheckFolderPath("/home/ann/.local/share/Keyhaven/backup", false, folders),
              FOLDER_VALID);
    EXPECT_EQ(CheckFolderPath("", false, folders), FOLDER_INVALID);
    EXPECT_EQ(CheckFolderPath("Backup", false, folders), FOLDER_INVALID); // relative
    EXPECT_EQ(CheckFolderPath("D:\\Backup", false, folders), FOLDER_INVALID);
    EXPECT_EQ(CheckFolderPath("/Backup/", false, folders), FOLDER_INVALID); // trailing "/"
    EXPECT_EQ(CheckFolderPath("//Backup", false, folders), FOLDER_INVALID); // empty component
    EXPECT_EQ(CheckFolderPath("/a//Backup", false, folders), FOLDER_INVALID);
    EXPECT_EQ(CheckFolderPath("/Backup /x", false, folders), FOLDER_INVALID);
    EXPECT_EQ(CheckFolderPath("/a/../b", false, folders), FOLDER_INVALID);
    EXPECT_EQ(CheckFolderPath("/a/./b", false, folders), FOLDER_INVALID);
    // Check mode never touches the disk.
    EXPECT_TRUE(folders.m_vecMade.empty());
}

TEST(FolderPath, LongPathsAreCheckedWhole) {
    CFakeFolders folders;
    std::string strLong;
    for (int i = 0; i < 40; ++i)
        strLong += "/level" + std::to_string(i);
    ASSERT_GT(strLong.size(), 259u);
    EXPECT_EQ(CheckFolderPath(strLong, false, folders), FOLDER_VALID);
    // A fault beyond the old 259-character cut is still found.
    EXPECT_EQ(CheckFolderPath(strLong + "/bad?", false, folders), FOLDER_INVALID);
    EXPECT_EQ(CheckFolderPath(strLong + "/", false, folders), FOLDER_INVALID);
}

TEST(FolderPath, CreateModeMakesEveryMissingLevelInOrder) {
    CFakeFolders folders;
    EXPECT_EQ(CheckFolderPath("/One/Two/Three", true, folders), FOLDER_VALID);
    EXPECT_EQ(folders.m_vecMade, (std::vector<std::string>{"/One", "/One/Two", "/One/Two/Three"}));
    EXPECT_TRUE(folders.IsFolder("/One/Two/Three"));

    CFakeFolders refusing;
    refusing.m_setRefused = {"/One/Two"};
    EXPECT_EQ(CheckFolderPath("/One/Two/Three", true, refusing), FOLDER_NOT_CREATED);
    EXPECT_EQ(refusing.m_vecMade, (std::vector<std::string>{"/One", "/One/Two"}));

    CFakeFolders noRoot;
    noRoot.m_setFolders.clear();
    EXPECT_EQ(CheckFolderPath("/", true, noRoot), FOLDER_NOT_CREATED);
    EXPECT_EQ(CheckFolderPath("/", true, folders), FOLDER_VALID);
}

TEST(EnsureFolder, ExistingFolderAsksNothing) {
    CFakeFolders folders;
    CScriptedPrompts prompts;
    EXPECT_EQ(EnsureFolder("/home/ann", prompts, folders), FOLDER_VALID);
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_TRUE(folders.m_vecMade.empty());
}

TEST(EnsureFolder, AsksThenCreatesOrDeclines) {
    CFakeFolders folders;
    CScriptedPrompts prompts;
    prompts.AnswerMessage(EMsgAnswer::yes);
    EXPECT_EQ(EnsureFolder("/home/ann/Backup/2026", prompts, folders), FOLDER_VALID);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].m_strText,
              Message(IDS_FOLDER_CREATE_QUESTION, "/home/ann/Backup/2026"));
    EXPECT_EQ(prompts.Messages()[0].m_eIcon, EMsgIcon::question);
    EXPECT_EQ(prompts.Messages()[0].m_eButtons, EMsgButtons::yesNo);
    EXPECT_TRUE(folders.IsFolder("/home/ann/Backup/2026"));

    CFakeFolders untouched;
    CScriptedPrompts declining;
    declining.AnswerMessage(EMsgAnswer::no);
    EXPECT_EQ(EnsureFolder("/home/ann/New", declining, untouched), FOLDER_DECLINED);
    // No is final: no further message, nothing created.
    EXPECT_EQ(declining.Messages().size(), 1u);
    EXPECT_TRUE(untouched.m_vecMade.empty());
}

TEST(EnsureFolder, InvalidAndUncreatableGiveTheirMessages) {
    CFakeFolders folders;
    CScriptedPrompts prompts;
    EXPECT_EQ(EnsureFolder("/Backup/", prompts, folders), FOLDER_INVALID);
    EXPECT_EQ(EnsureFolder("//Backup", prompts, folders), FOLDER_INVALID);
    EXPECT_EQ(EnsureFolder("", prompts, folders), FOLDER_INVALID);
    folders.m_setRefused = {"/locked"};
    prompts.AnswerMessage(EMsgAnswer::yes);
    EXPECT_EQ(EnsureFolder("/locked/Backup", prompts, folders), FOLDER_NOT_CREATED);
    const auto& messages = prompts.Messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].m_strText, Message(IDS_FOLDER_INVALID, "/Backup/"));
    EXPECT_EQ(messages[0].m_eIcon, EMsgIcon::exclamation);
    EXPECT_EQ(messages[1].m_strText, Message(IDS_FOLDER_INVALID, "//Backup"));
    EXPECT_EQ(messages[2].m_strText, Message(IDS_FOLDER_INVALID, ""));
    EXPECT_EQ(messages[4].m_strText, Message(IDS_FOLDER_NOT_CREATED, "/locked/Backup"));
    EXPECT_EQ(messages[4].m_eIcon, EMsgIcon::exclamation);
}

TEST(EnsureFolder, CreatesOnTheRealDisk) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("kh-folder-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    CDiskFolderSystem disk;
    CScriptedPrompts prompts;
    prompts.AnswerMessage(EMsgAnswer::yes);
    const std::string strPath = (root / ".hidden" / "backup").string();
    EXPECT_EQ(EnsureFolder(strPath, prompts, disk), FOLDER_VALID);
    EXPECT_TRUE(std::filesystem::is_directory(strPath));
    // A plain file in the way is no folder and cannot be made one.
    const std::string strFile = (root / "file").string();
    {
        std::FILE* pFile = std::fopen(strFile.c_str(), "w");
        ASSERT_NE(pFile, nullptr);
        std::fclose(pFile);
    }
    prompts.AnswerMessage(EMsgAnswer::yes);
    EXPECT_EQ(EnsureFolder(strFile + "/sub", prompts, disk), FOLDER_NOT_CREATED);
    std::filesystem::remove_all(root);
}
