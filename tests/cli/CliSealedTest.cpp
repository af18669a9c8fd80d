// SPDX-License-Identifier: GPL-3.0-or-later
// keyhaven-cli on protected files: every command by the extension, convert
// in both directions, and the refusals of wrong KEYs and changed files. The
// CLI seals with the program's default cost, so each case keeps its KEY
// derivations few.

#include "CliFiles.h"
#include "CliRunner.h"
#include "core/base/StringTable.h"
#include "core/store/FileIO.h"

#include <gtest/gtest.h>

namespace {

const std::vector<CPasswordInfo> SAMPLE = {
    GroupRecord("Web"),
    AccountRecord("Mail", "anna", "pa55\xE9", "https://mail.example", "anna@example.org", "c"),
    AccountRecord("Bank", "a.b", "s3cret"),
};

constexpr const char* MAGIC = "\x89KHV\r\n\x1A\n";

class CliSealed : public ::testing::Test {
protected:
    std::string PwdFile(const std::string& strName) {
        const std::string strPath = m_folder.File(strName);
        WriteCoreFile(strPath, "key", SAMPLE);
        return strPath;
    }
    SCliResult Convert(const std::string& strIn, const std::string& strOut,
                       const std::string& strInput = "key\nnew\n") {
        return RunCli({"convert", strIn, strOut}, strInput);
    }

    CTempFolder m_folder;
};

} // namespace

TEST_F(CliSealed, ConvertTakesANewKeyEitherWayAndRefusesTheOldOne) {
    const std::string strPwd = PwdFile("Home.pwd");
    const std::string strKhv = m_folder.File("Home.khv");
    const std::string strRefused = "keyhaven-cli: " + std::string(IDS_KEY_MUST_DIFFER) + "\n";
    SCliResult result = Convert(strPwd, strKhv, "key\nkey\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, strRefused);
    EXPECT_FALSE(FileExists(strKhv));

    result = Convert(strPwd, strKhv);
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "");
    const std::string strSealed = ReadBytes(strKhv);
    EXPECT_EQ(strSealed.substr(0, 8), MAGIC);
    EXPECT_EQ(strSealed.find("anna"), std::string::npos);
    EXPECT_EQ(RunCli({"ls", strKhv}, "key\n").nExit, 1);
    const std::string strExport = RunCli({"export", strPwd}, "key\n").strOut;
    EXPECT_EQ(RunCli({"export", strKhv}, "new\n").strOut, strExport);

    const std::string strBack = m_folder.File("Back.pwd");
    result = Convert(strKhv, strBack, "new\nnew\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, strRefused);
    EXPECT_FALSE(FileExists(strBack));
    result = Convert(strKhv, strBack, "new\nthird\n");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_NE(result.strErr.find("warning: " + strBack + " is a .pwd file"), std::string::npos)
        << result.strErr;
    EXPECT_EQ(RunCli({"export", strBack}, "third\n").strOut, strExport);
    // Within one format the KEY stays: one line of input is enough.
    result = Convert(strBack, m_folder.File("Copy.pwd"), "third\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
}

TEST_F(CliSealed, ReadingCommandsGiveTheSameResultsOnBothFormats) {
    const std::string strPwd = PwdFile("Same.pwd");
    const std::string strKhv = m_folder.File("Same.khv");
    ASSERT_EQ(Convert(strPwd, strKhv).nExit, 0);
    const std::vector<std::vector<std::string>> COMMANDS = {
        {"export"}, {"ls"}, {"show", "Web", "Bank"}, {"info"}};
    for (const std::vector<std::string>& astrCommand : COMMANDS) {
        const auto fnRun = [&](const std::string& strPath) {
            std::vector<std::string> astrArgs = astrCommand;
            astrArgs.insert(astrArgs.begin() + 1, strPath);
            return RunCli(astrArgs, strPath == strKhv ? "new\n" : "key\n");
        };
        const SCliResult fromPwd = fnRun(strPwd);
        const SCliResult fromKhv = fnRun(strKhv);
        EXPECT_EQ(fromKhv.nExit, 0) << astrCommand[0] << ": " << fromKhv.strErr;
        // ls starts with the file's label, which drops either extension.
        EXPECT_EQ(fromKhv.strOut, fromPwd.strOut) << astrCommand[0];
        EXPECT_FALSE(fromKhv.strOut.empty()) << astrCommand[0];
    }
}

TEST_F(CliSealed, AWrongKeyAndAChangedFileAreToldApart) {
    const std::string strKhv = m_folder.File("W.khv");
    ASSERT_EQ(Convert(PwdFile("W.pwd"), strKhv).nExit, 0);
    SCliResult result = RunCli({"export", strKhv}, "wrong\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "Your KEY is invalid!\n");
    EXPECT_EQ(result.strOut, "");

    std::string strBytes = ReadBytes(strKhv);
    strBytes[strBytes.size() - 1] ^= 0x40;
    WriteBytes(strKhv, strBytes);
    result = RunCli({"export", strKhv}, "new\n");
    EXPECT_EQ(result.nExit, 3);
    EXPECT_EQ(result.strErr, "Unexpected file format.\n");
    EXPECT_EQ(result.strOut, "");
    // A damaged header is refused before any KEY is read.
    strBytes[20] ^= 0x01;
    WriteBytes(strKhv, strBytes);
    result = RunCli({"ls", strKhv});
    EXPECT_EQ(result.nExit, 3);
    EXPECT_EQ(result.strErr, "Unexpected file format.\n");
}

TEST_F(CliSealed, CreateAndPasswdSealAndOnlyTheNewKeyOpens) {
    const std::string strKhv = m_folder.File("New.khv");
    // A name without an extension is made sealed.
    ASSERT_EQ(RunCli({"create", m_folder.File("New")}, "first\n").nExit, 0);
    EXPECT_FALSE(FileExists(m_folder.File("New")));
    const std::string strCreated = ReadBytes(strKhv);
    EXPECT_EQ(strCreated.substr(0, 8), MAGIC);
    SCliResult result = RunCli({"passwd", strKhv}, "wrong\nsecond\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, "Original KEY is invalidate!\nYou can not change Key!\n");
    EXPECT_EQ(ReadBytes(strKhv), strCreated);

    ASSERT_EQ(RunCli({"passwd", strKhv}, "first\nsecond\n").nExit, 0);
    // A fresh salt (bytes 28 to 43) under the new KEY.
    EXPECT_NE(ReadBytes(strKhv).substr(28, 16), strCreated.substr(28, 16));
    EXPECT_EQ(RunCli({"ls", strKhv}, "first\n").nExit, 1);
    result = RunCli({"ls", strKhv}, "second\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strOut, "New\n  My Passwords\n");
}

TEST_F(CliSealed, ConvertRefusesToReplaceAndNeedsAFormatForOut) {
    const std::string strPwd = PwdFile("In.pwd");
    const std::string strTaken = m_folder.File("Taken.khv");
    const std::string strTakenBytes = "someone else's file";
    WriteBytes(strTaken, strTakenBytes);
    SCliResult result = Convert(strPwd, strTaken);
    EXPECT_EQ(result.nExit, 4);
    EXPECT_EQ(ReadBytes(strTaken), strTakenBytes);
    result = Convert(strPwd, m_folder.File("Out.txt"));
    EXPECT_EQ(result.nExit, 2);
    EXPECT_NE(result.strErr.find("OUT must end in .pwd, .khv or .kdbx"), std::string::npos);
    result = Convert(strPwd, m_folder.File("Out.khv"), "wrong\nnew\n");
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(ReadBytes(m_folder.File("Out.khv")), "");
    EXPECT_EQ(RunCli({"convert", strPwd}).nExit, 2);
}
