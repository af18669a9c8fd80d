// SPDX-License-Identifier: GPL-3.0-or-later
// Names and fields from files anyone may have written reach a terminal with
// their control characters escaped; a pipe gets them exactly as stored.

#include "CliFiles.h"
#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

// Retitles the terminal window, clears the screen and rings the bell.
const std::string HOSTILE = "\x1B]2;pwned\x07\x1B[2J";
const std::string HOSTILE_SHOWN = "\\x1b]2;pwned\\x07\\x1b[2J";
// 0x81 has no character in windows-1252 and stands for the C1 control
// U+0081; 0x9D for U+009D, the operating system command of 8-bit terminals.
const std::string C1 = "\x81\x9D";
const std::string C1_SHOWN = "\\u0081\\u009d";
const std::string C1_UTF8 = "\xC2\x81\xC2\x9D"; // as typed on a command line

class CliEscape : public ::testing::Test {
protected:
    void SetUp() override {
        m_strPath = m_folder.File("Home.pwd");
        CPasswordInfo account = AccountRecord("Mail" + HOSTILE, "me\r", "pass" + C1);
        account.SetText(CPasswordInfo::comments, "line one\r\nline two\rfake");
        // A name that would fake a line and a column of a listing.
        WriteCoreFile(m_strPath, "k",
                      {GroupRecord("Web" + C1), account, AccountRecord("Tab\tand\nbreak")});
    }

    // Whether the output holds any byte a terminal acts on besides the
    // line structure.
    static bool HasControls(const std::string& strText) {
        for (std::size_t i = 0; i < strText.size(); ++i) {
            const auto c = static_cast<unsigned char>(strText[i]);
            if ((c < 0x20 && c != '\n' && c != '\t' && c != '\r') || c == 0x7F)
                return true;
            if (c == '\r' && (i + 1 == strText.size() || strText[i + 1] != '\n'))
                return true;
            if (c == 0xC2 && i + 1 < strText.size() &&
                static_cast<unsigned char>(strText[i + 1]) < 0xA0)
                return true;
        }
        return false;
    }

    CTempFolder m_folder;
    std::string m_strPath;
};

} // namespace

TEST_F(CliEscape, EveryCommandEscapesNamesAndFieldsOnATerminal) {
    const struct {
        std::vector<std::string> astrArgs;
        std::string strOut;
    } CASES[] = {
        {{"ls", m_strPath},
         "Home\n  Web" + C1_SHOWN + "\n    Mail" + HOSTILE_SHOWN + "\n    Tab\\tand\\nbreak\n"},
        {{"find", m_strPath, "mail"}, "Home\tWeb" + C1_SHOWN + "\tMail" + HOSTILE_SHOWN + "\n"},
        {{"find", m_strPath, "--all-fields", "me"},
         "Home\tWeb" + C1_SHOWN + "\tMail" + HOSTILE_SHOWN + "\n"},
        {{"audit", m_strPath}, ""},
        {{"show", m_strPath, "Web" + C1_UTF8, "Mail" + HOSTILE},
         // A CR just before a line end does nothing on a terminal.
         "Account\t\tMail" + HOSTILE_SHOWN + "\nUser Name\tme\r\nPassword\tpass" + C1_SHOWN +
             "\nWeb Site\t\nE-Mail\t\t\nComments\tline one\r\nline two\\rfake\n\n"},
        {{"export", m_strPath}, ""},
        {{"export", m_strPath, "--format", "csv"}, ""},
    };
    for (const auto& test : CASES) {
        const SCliResult result = RunCliToTerminal(test.astrArgs, "k\n");
        EXPECT_EQ(result.nExit, test.astrArgs.front() == "audit" ? 1 : 0) << result.strErr;
        EXPECT_FALSE(HasControls(result.strOut)) << test.astrArgs.front() << ": " << result.strOut;
        if (!test.strOut.empty())
            EXPECT_EQ(result.strOut, test.strOut) << test.astrArgs.front();
        else
            EXPECT_NE(result.strOut.find("Mail" + HOSTILE_SHOWN), std::string::npos)
                << test.astrArgs.front() << ": " << result.strOut;
    }
}

TEST_F(CliEscape, APipeGetsTheTextsExactly) {
    EXPECT_EQ(RunCli({"ls", m_strPath}, "k\n").strOut,
              "Home\n  Web" + C1_UTF8 + "\n    Mail" + HOSTILE + "\n    Tab\tand\nbreak\n");
    const SCliResult result = RunCli({"show", m_strPath, "Web" + C1_UTF8, "Mail" + HOSTILE}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_NE(result.strOut.find("User Name\tme\r\nPassword\tpass" + C1_UTF8 + "\n"),
              std::string::npos)
        << result.strOut;
}

// Messages are read by people, also later from a log: escaped wherever the
// error stream goes, as the KEY prompt is.
TEST_F(CliEscape, MessagesPromptsAndFileNamesAreEscaped) {
    const std::string strCsv = m_folder.File("hostile.csv");
    WriteBytes(strCsv, "url,username,password,name\n"
                       "https://a.example,u,p,Held" +
                           HOSTILE +
                           "\n"
                           "https://b.example,u,p,Bad\xFF\xFE\n"
                           "https://c.example,u,p,\xCE\xA9" +
                           HOSTILE + "\n");
    SCliResult result = RunCli({"import", m_strPath, strCsv}, "k\n");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "Imported 1 account in 1 group; left out: 2 entries with characters "
                             "that the code page windows-1252 cannot hold (\"Bad\\xff\\xfe\" in "
                             "Imported; \"\xCE\xA9" +
                                 HOSTILE_SHOWN + "\" in Imported).\n");
    result = RunCli({"show", m_strPath, "Web" + HOSTILE, "x"}, "k\n");
    EXPECT_EQ(result.nExit, 2);
    EXPECT_EQ(result.strErr, "keyhaven-cli: there is no group \"Web" + HOSTILE_SHOWN + "\" in " +
                                 m_strPath + "\n");

    // A file's name holds whatever its maker chose, valid UTF-8 or not.
    const std::string strEvil = m_folder.File("Evil" + HOSTILE + "\n\xFF.pwd");
    WriteCoreFile(strEvil, "k", {GroupRecord("G")});
    const std::string strLabelShown = "Evil" + HOSTILE_SHOWN + "\\n\\xff";
    EXPECT_EQ(RunCliToTerminal({"ls", strEvil}, "k\n").strOut, strLabelShown + "\n  G\n");
    EXPECT_EQ(RunCli({"ls", strEvil}, "k\n").strOut, "Evil" + HOSTILE + "\n\xFF\n  G\n");
    std::string strEcho;
    result = RunCliOnTerminal({"ls", strEvil}, {"k"}, strEcho);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "KEY for:  " + strLabelShown + ".pwd\n\n");
}
