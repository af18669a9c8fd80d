// SPDX-License-Identifier: GPL-3.0-or-later
// Print and the File Property dialog as commands of the open file,
// on real files and answered through the scripted prompts.

#include "core/store/FileCommands.h"
#include "DocumentFixture.h"
#include "RecordingPrintDevice.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/FileIO.h"

#include <sys/stat.h>

namespace {

// The fixture's document with a new untitled file that has a KEY.
class FileCommandsFixture : public DocumentFixture {
protected:
    std::unique_ptr<CSessionDoc> NewKeyedDoc() {
        auto pDoc = MakeDoc();
        pDoc->OnNewDocument();
        pDoc->SetKey("k");
        return pDoc;
    }
};

using FilePrint = FileCommandsFixture;
using FileProperty = FileCommandsFixture;

// A page of 84 lines at 600 dpi.
CRecordingDevice LetterPrinter() {
    return CRecordingDevice(600, 4800, 6300);
}

std::vector<std::string> DrawnTexts(const CRecordingDevice& device) {
    std::vector<std::string> vecTexts;
    for (const SDrawn& drawn : device.m_vecDrawn)
        vecTexts.push_back(drawn.strText);
    return vecTexts;
}

} // namespace

TEST_F(FilePrint, EveryRecordAsItsPrintBlock) {
    auto pDoc = NewKeyedDoc();
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("Bank"));
    CFileCommands commands(pDoc->Session(), m_prompts);
    ASSERT_TRUE(commands.IsPrintEnabled());
    CRecordingDevice device = LetterPrinter();
    bool bSetUp = false;
    m_prompts.AnswerPrintDialog([&](CPrintDevice& chosen) { bSetUp = &chosen == &device; });
    commands.OnFilePrint(device);

    EXPECT_TRUE(bSetUp);
    EXPECT_EQ(DrawnTexts(device),
              (std::vector<std::string>{
                  "============= My Passwords =============", "", "Account       Bank",
                  "User Name     user of Bank", "Password      pw",
                  "Web Site      https://example.org/Bank", "E-Mail        Bank@example.org",
                  "Comments      line one", "line two", ""}));
    EXPECT_EQ(device.m_vecCalls[1], "startDoc Keyhaven");
    EXPECT_EQ(device.m_vecCalls.back(), "endDoc");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FilePrint, CancelPrintsNothing) {
    auto pDoc = NewKeyedDoc();
    CRecordingDevice device = LetterPrinter();
    m_prompts.CancelPrintDialog();
    CFileCommands(pDoc->Session(), m_prompts).OnFilePrint(device);
    EXPECT_TRUE(device.m_vecCalls.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FilePrint, APrinterThatRefusesTheJobIsReported) {
    auto pDoc = NewKeyedDoc();
    CRecordingDevice device = LetterPrinter();
    device.m_bAcceptJob = false;
    m_prompts.AnswerPrintDialog();
    CFileCommands(pDoc->Session(), m_prompts).OnFilePrint(device);
    EXPECT_TRUE(device.m_vecDrawn.empty());
    EXPECT_TRUE(Shown(FormatText(IDS_WRITE_FAILED, "recorder"), EMsgIcon::exclamation));
}

TEST_F(FileProperty, TextsOfAFileWithTwoGroupsAndFiveAccounts) {
    const std::string strPwd =
        MakeFile("Work.pwd", "key",
                 {Account("A1"), Account("A2"), Account("A3"), Account("A4"), Account("A5")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "key");
    pDoc->AddGroup("Empty");
    m_prompts.ClearRecord();
    m_prompts.CancelFileProperty();
    CFileCommands(pDoc->Session(), m_prompts).OnFileProperty();

    const SFileProperties& shown = m_prompts.ShownFileProperties();
    EXPECT_EQ(shown.m_strFileName, "Work.pwd");
    EXPECT_EQ(shown.m_strContains, "2 Groups\t5 Accounts");
    EXPECT_EQ(shown.m_strLocation, m_folder.Path() + "/");
    EXPECT_EQ(shown.m_strSize, std::to_string(ReadBytes(strPwd).size()) + " Bytes");
    EXPECT_FALSE(shown.m_strModified.empty());
    EXPECT_FALSE(shown.m_bReadOnly);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileProperty, ReadOnlyRoundTripAndTheNextSaveAsks) {
    const std::string strPwd = MakeFile("Work.pwd", "key");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "key");
    CFileCommands commands(pDoc->Session(), m_prompts);

    m_prompts.AnswerFileProperty(true);
    commands.OnFileProperty();
    EXPECT_TRUE(IsReadOnlyFile(strPwd));
    EXPECT_EQ(FileMode(strPwd) & 0200, 0);

    // The next Save asks the read-only question; No keeps the file as it is.
    pDoc->SetModifiedFlag(true);
    m_prompts.ClearRecord();
    m_prompts.AnswerMessage(EMsgAnswer::no);
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_READONLY_NO);
    EXPECT_TRUE(Shown(IDS_SAVE_READONLY, EMsgIcon::exclamation, EMsgButtons::yesNoCancel));

    // The dialog shows it ticked; Cancel leaves it, OK unticked gives write back.
    m_prompts.CancelFileProperty();
    commands.OnFileProperty();
    EXPECT_TRUE(m_prompts.ShownFileProperties().m_bReadOnly);
    EXPECT_TRUE(IsReadOnlyFile(strPwd));
    m_prompts.AnswerFileProperty(false);
    commands.OnFileProperty();
    EXPECT_FALSE(IsReadOnlyFile(strPwd));
    EXPECT_EQ(FileMode(strPwd), 0600);
    m_prompts.ClearRecord();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileProperty, AFileThatIsGoneIsReported) {
    const std::string strPwd = MakeFile("Work.pwd", "key");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "key");
    ASSERT_EQ(::unlink(strPwd.c_str()), 0);
    m_prompts.ClearRecord();
    CFileCommands(pDoc->Session(), m_prompts).OnFileProperty();
    EXPECT_EQ(Messages(), (std::vector<std::string>{FormatText(IDS_FILE_NOT_FOUND, strPwd)}));
    for (const SPromptCall& call : m_prompts.Calls())
        EXPECT_NE(call.m_eKind, EPromptKind::fileProperty);

    // A file never saved has nothing on disk to show either.
    auto pNew = MakeDoc();
    pNew->OnNewDocument();
    m_prompts.ClearRecord();
    CFileCommands(pNew->Session(), m_prompts).OnFileProperty();
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{FormatText(IDS_FILE_NOT_FOUND, "NewPassword")}));
}
