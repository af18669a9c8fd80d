// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export as a command of the open file: the format the save prompt's
// choice names, the plain-text question, and the target rules, on real files
// answered through the scripted prompts.

#include "core/interchange/ExportCommand.h"
#include "DocumentFixture.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/interchange/KdbxCredentials.h"
#include "core/interchange/KdbxReader.h"
#include "core/store/FileIO.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileExport : public DocumentFixture {
protected:
    // The fixture's document with a new untitled file that has a KEY.
    std::unique_ptr<CSessionDoc> NewKeyedDoc() {
        auto pDoc = MakeDoc();
        pDoc->OnNewDocument();
        pDoc->SetKey("k");
        return pDoc;
    }
    // The save prompt answered with strOut and the plain-text question with Yes.
    void ExportTo(CSessionDoc& doc, const std::string& strOut) {
        m_prompts.AnswerSaveFile(strOut);
        m_prompts.AnswerMessage(EMsgAnswer::yes);
        CExportCommand(doc.Session(), m_prompts).OnFileExport();
    }
    // Shown for strPath before anything is written.
    bool Warned(const std::string& strPath) const {
        return Shown(FormatText(EXPORT_PLAIN_WARNING, strPath), EMsgIcon::exclamation,
                     EMsgButtons::yesNoDefaultNo);
    }
};

constexpr const char* NEW_FILE_EXPORT = "============= My Passwords =============\n\n";
constexpr const char* NEW_FILE_CSV =
    "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"E-mail\"\n";

} // namespace

TEST_F(FileExport, ANewFileIsExactlyOneGroupLine) {
    const std::string strPwd = MakeFile("Work.pwd", "key");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "key");
    m_prompts.ClearRecord();
    ASSERT_TRUE(CExportCommand(pDoc->Session(), m_prompts).IsEnabled());
    const std::string strOut = m_folder.File("out.txt");
    ExportTo(*pDoc, strOut);

    EXPECT_EQ(ReadBytes(strOut), NEW_FILE_EXPORT);
    // Every password in plain text: only the owner may read it.
    EXPECT_EQ(FileMode(strOut), 0600);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Warned(strOut));
    const SPromptCall& call = m_prompts.Calls().front();
    EXPECT_EQ(call.m_eKind, EPromptKind::saveFile);
    EXPECT_EQ(call.m_file.m_strTitle, "Select a file to export");
    EXPECT_EQ(call.m_file.m_strFilter,
              "Text files (*.txt);;KeePass database (*.kdbx);;CSV (*.csv)");
    EXPECT_EQ(call.m_file.m_strDefaultExt, ".txt");
    EXPECT_TRUE(call.m_file.m_strInitialName.empty());
    EXPECT_TRUE(call.m_file.m_bConfirmOverwrite);
}

TEST_F(FileExport, TheExtensionNamesTheFormat) {
    const struct {
        const char* pszName;
        EExportFormat eFormat;
    } CASES[] = {
        {"out.csv", EExportFormat::csv},      {"OUT.CSV", EExportFormat::csv},
        {"out.txt", EExportFormat::text},     {"out", EExportFormat::text},
        {".csv", EExportFormat::text},        {"out.csv.txt", EExportFormat::text},
        {"dir.csv/out", EExportFormat::text},
    };
    for (const auto& c : CASES)
        EXPECT_EQ(ExportFormatOf(std::string("/tmp/") + c.pszName), c.eFormat) << c.pszName;
}

TEST_F(FileExport, CsvWritesEveryAccountUnderItsGroup) {
    auto pDoc = NewKeyedDoc();
    pDoc->AddGroup("Zeta");
    pDoc->AddAccount("Zeta", Account("Mail"));
    const std::string strOut = m_folder.File("out.csv");
    ExportTo(*pDoc, strOut);

    EXPECT_EQ(ReadBytes(strOut),
              std::string(NEW_FILE_CSV) +
                  "\"Root/Zeta\",\"Mail\",\"user of Mail\",\"pw\",\"https://example.org/Mail\","
                  "\"line one\nline two\",\"Mail@example.org\"\n");
    EXPECT_EQ(FileMode(strOut), 0600);
    EXPECT_TRUE(Warned(strOut));
}

TEST_F(FileExport, AccountsInListOrderEmptyFieldsIncluded) {
    auto pDoc = NewKeyedDoc();
    // A group followed by an account whose every text is empty: the store
    // operations never make one, but files from other writers may hold it.
    pDoc->InsertAccount(std::prev(pDoc->Records().end()), CPasswordInfo());
    pDoc->AddGroup("Zeta");
    pDoc->AddAccount("Zeta", Account("Mail"));
    const std::string strOut = m_folder.File("out.txt");
    ExportTo(*pDoc, strOut);

    EXPECT_EQ(ReadBytes(strOut),
              std::string(NEW_FILE_EXPORT) +
                  "Account\t\t\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\t\nComments\t\n\n"
                  "============= Zeta =============\n\n"
                  "Account\t\tMail\nUser Name\tuser of Mail\nPassword\tpw\n"
                  "Web Site\thttps://example.org/Mail\nE-Mail\t\tMail@example.org\n"
                  // Comments keep the line ends they were typed with.
                  "Comments\tline one\r\nline two\n\n");
}

TEST_F(FileExport, StoredTextsBecomeUtf8) {
    auto pDoc = NewKeyedDoc();
    pDoc->RenameGroup(&pDoc->Records().front(), "Caf\xE9"); // Windows-1252
    const std::string strOut = m_folder.File("out.txt");
    ExportTo(*pDoc, strOut);
    EXPECT_EQ(ReadBytes(strOut), "============= Caf\xC3\xA9 =============\n\n");
}

TEST_F(FileExport, CancelOrNoToThePlainTextQuestionWritesNothing) {
    auto pDoc = NewKeyedDoc();
    m_prompts.CancelSaveFile();
    CExportCommand(pDoc->Session(), m_prompts).OnFileExport();
    EXPECT_TRUE(Messages().empty());

    for (const char* pszName : {"out.txt", "out.csv"}) {
        const std::string strOut = m_folder.File(pszName);
        m_prompts.AnswerSaveFile(strOut);
        m_prompts.AnswerMessage(EMsgAnswer::no);
        CExportCommand(pDoc->Session(), m_prompts).OnFileExport();
        EXPECT_TRUE(Warned(strOut));
        EXPECT_FALSE(FileExists(strOut)) << pszName;
    }
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(FileExport, AnUnwritableTargetIsReportedAndLeavesNoFile) {
    auto pDoc = NewKeyedDoc();

    // A folder that does not exist.
    const std::string strMissing = m_folder.File("no-such-folder/out.txt");
    ExportTo(*pDoc, strMissing);
    EXPECT_TRUE(Shown(FormatText(IDS_WRITE_FAILED, strMissing), EMsgIcon::exclamation));
    EXPECT_FALSE(FileExists(strMissing));

    // A read-only file keeps its content, and no scratch file stays beside it.
    const std::string strLocked = m_folder.File("locked.csv");
    WriteBytes(strLocked, "old");
    ASSERT_EQ(::chmod(strLocked.c_str(), 0444), 0);
    m_prompts.ClearRecord();
    ExportTo(*pDoc, strLocked);
    EXPECT_TRUE(Shown(FormatText(IDS_WRITE_DENIED, strLocked), EMsgIcon::exclamation));
    EXPECT_EQ(ReadBytes(strLocked), "old");
    EXPECT_FALSE(FileExists(m_folder.File("out.txt")));
}

// The disk fills up (here: the file size limit) after a good part of the
// export is written: the failure is reported and no cut file stays, neither
// a new one nor in place of an old one.
TEST_F(FileExport, AWriteThatFailsHalfWayLeavesNoShortFile) {
    auto pDoc = NewKeyedDoc();
    pDoc->AddGroup("Many");
    for (int i = 0; i < 3000; ++i)
        pDoc->AddAccount("Many", Account("Account " + std::to_string(i)));
    const std::string strFolder = m_folder.File("out");
    ASSERT_EQ(::mkdir(strFolder.c_str(), 0700), 0);
    const std::string strOld = strFolder + "/old.csv";
    const std::string strNew = strFolder + "/new.csv";
    WriteBytes(strOld, "old export");
    for (const std::string& strOut : {strNew, strOld}) {
        m_prompts.ClearRecord();
        {
            CFileSizeLimit limit(100000); // the export is several times as large
            ExportTo(*pDoc, strOut);
        }
        EXPECT_TRUE(Shown(IDS_DISK_FULL, EMsgIcon::exclamation)) << strOut;
        EXPECT_EQ(FolderEntries(strFolder), std::vector<std::string>{"old.csv"});
        EXPECT_EQ(ReadBytes(strOld), "old export");
    }
    ExportTo(*pDoc, strNew);
    EXPECT_GT(ReadBytes(strNew).size(), 300000u);
}

// A folder anyone may write without the sticky bit: another user could put
// a link at the name, or swap the folder, before the file is written.
TEST_F(FileExport, NeverIntoAFolderAnotherUserCanChange) {
    auto pDoc = NewKeyedDoc();
    const std::string strOpen = m_folder.File("open");
    ASSERT_EQ(::mkdir(strOpen.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(strOpen.c_str(), 0777), 0);
    const std::string strMine = m_folder.File("mine.txt");
    WriteBytes(strMine, "mine");
    const std::string strLink = strOpen + "/report.txt";
    ASSERT_EQ(::symlink(strMine.c_str(), strLink.c_str()), 0);
    for (const std::string& strOut : {strOpen + "/new.csv", strLink}) {
        m_prompts.ClearRecord();
        ExportTo(*pDoc, strOut);
        EXPECT_TRUE(Shown(FormatText(IDS_UNSAFE_FOLDER, strOut), EMsgIcon::exclamation)) << strOut;
    }
    EXPECT_EQ(FolderEntries(strOpen), std::vector<std::string>{"report.txt"});
    EXPECT_EQ(ReadBytes(strMine), "mine");
}

TEST_F(FileExport, AnExistingFileIsReplacedByAPrivateOne) {
    auto pDoc = NewKeyedDoc();
    const std::pair<const char*, const char*> CASES[] = {{"shared.txt", NEW_FILE_EXPORT},
                                                         {"shared.csv", NEW_FILE_CSV}};
    for (const auto& [pszName, pszWritten] : CASES) {
        const std::string strOut = m_folder.File(pszName);
        WriteBytes(strOut, "a much longer old content than the export of a new file");
        ASSERT_EQ(::chmod(strOut.c_str(), 0640), 0);
        ExportTo(*pDoc, strOut);
        EXPECT_EQ(ReadBytes(strOut), pszWritten) << pszName;
        // Every password in plain text: the group's read bit does not carry over.
        EXPECT_EQ(FileMode(strOut), 0600) << pszName;
    }
}

TEST_F(FileExport, NeverOverThePasswordFileItself) {
    const std::string strPwd = MakeFile("Work.pwd", "key", {Account("Bank")});
    const std::string strBefore = ReadBytes(strPwd);
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "key");
    m_prompts.ClearRecord();
    m_prompts.AnswerSaveFile(strPwd);
    CExportCommand(pDoc->Session(), m_prompts).OnFileExport();
    // Refused before the plain-text question, which would be pointless.
    EXPECT_EQ(Messages(), std::vector<std::string>{FormatText(IDS_WRITE_DENIED, strPwd)});
    EXPECT_EQ(ReadBytes(strPwd), strBefore);
}

// A KeePass database asks no question about plain text: it is locked under a
// new password, which from a ".pwd" may not be that file's KEY.
TEST_F(FileExport, KeePassDatabaseUnderANewPassword) {
    const std::string strPwd = MakeFile("Work.pwd", "key", {Account("Bank")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "key");
    m_prompts.ClearRecord();
    const std::string strOut = m_folder.File("out.kdbx");
    m_prompts.AnswerSaveFile(strOut);
    m_prompts.AnswerDatabaseKey({"key", false, ""});
    m_prompts.AnswerDatabaseKey({"pw", false, m_folder.File("missing.key")});
    // A sparse key file over the limit: no disk used.
    const std::string strBigKey = m_folder.File("big.key");
    WriteBytes(strBigKey, "");
    ASSERT_EQ(::truncate(strBigKey.c_str(), off_t(MAX_KDBX_KEY_FILE_BYTES) + 1), 0);
    m_prompts.AnswerDatabaseKey({"pw", false, strBigKey});
    m_prompts.AnswerDatabaseKey({"fresh", false, ""});
    CExportCommand command(pDoc->Session(), m_prompts);
    std::vector<std::string> astrWritten;
    command.SetWrittenHandler([&](const std::string& strText) { astrWritten.push_back(strText); });
    command.OnFileExport();
    EXPECT_EQ(astrWritten, std::vector<std::string>{"Exported to " + strOut});

    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              FormatText(EXPORT_KDBX_KEY_GIVEN_AWAY, "Work.pwd"),
                              FileErrorMessage(EFileError::notFound, m_folder.File("missing.key")),
                              FormatText(KDBX_KEY_FILE_TOO_LARGE, strBigKey)}));
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    EXPECT_EQ(m_prompts.m_vecBusyTexts, std::vector<std::string>{"Writing out.kdbx ..."});
    EXPECT_EQ(FileMode(strOut), 0600);
    const std::string strBytes = ReadBytes(strOut);
    const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(strBytes.data()),
                                             strBytes.size());
    std::vector<std::string> entries;
    const auto fnEntry = [&entries](const SImportEntry& entry) {
        entries.push_back(entry.GroupPath().back() + "/" + entry.strTitle + "=" +
                          entry.strPassword + " " + entry.strEMail);
    };
    SKdbxCredentials credentials;
    credentials.strPassword = "key";
    EXPECT_EQ(ReadKdbxEntries(file, credentials, fnEntry).eFailure, EKdbxFailure::wrongKey);
    credentials.strPassword = "fresh";
    EXPECT_EQ(ReadKdbxEntries(file, credentials, fnEntry).eFailure, EKdbxFailure::none);
    EXPECT_EQ(entries, std::vector<std::string>{"My Passwords/Bank=pw Bank@example.org"});

    // Cancelled at the key: nothing is written.
    const std::string strCancelled = m_folder.File("cancelled.kdbx");
    m_prompts.AnswerSaveFile(strCancelled);
    m_prompts.CancelDatabaseKey();
    command.OnFileExport();
    EXPECT_FALSE(FileExists(strCancelled));
    EXPECT_EQ(astrWritten.size(), 1u);
}
