// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include "core/interchange/KdbxTestWriter.h"
#include "support/FileBytes.h"
#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string Field(const std::string& strKey, const std::string& strValue, bool bProtected = false) {
    return "<String><Key>" + strKey + "</Key><Value" + (bProtected ? " Protected=\"True\"" : "") +
           ">" + strValue + "</Value></String>";
}

std::string Entry(const std::string& strTitle, const std::string& strMore = {}) {
    return "<Entry><UUID>Dd3d3d3d3d3d3d3d3d3d3Q==</UUID>" + Field("Title", strTitle) + strMore +
           "</Entry>";
}

std::string Group(const std::string& strUuid, const std::string& strName,
                  const std::string& strInside) {
    return "<Group><UUID>" + strUuid + "</UUID><Name>" + strName + "</Name>" + strInside +
           "</Group>";
}

// Groups three deep with Cyrillic, CJK and emoji names, a title with a TAB,
// an entry with a history, a protected custom field, and a recycle bin.
const std::string NESTED_XML =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta><Generator>t</Generator>"
    "<RecycleBinEnabled>True</RecycleBinEnabled>"
    "<RecycleBinUUID>BAQEBAQEBAQEBAQEBAQEBA==</RecycleBinUUID></Meta><Root>" +
    Group("AQEBAQEBAQEBAQEBAQEBAQ==", "Root",
          Entry("Top", Field("UserName", "me") + Field("Password", "top secret", true) +
                           Field("URL", "https://top.example") + Field("Notes", "one\ntwo")) +
              Entry("Tab\there") +
              Group("AgICAgICAgICAgICAgICAg==", "Работа",
                    Entry("Почта", Field("UserName", "иван") + Field("Password", "секрет", true) +
                                       Field("PIN", "4321", true) + Field("E-mail", "ivan@x") +
                                       Field("Floor", "3") + "<History>" +
                                       Entry("Почта old", Field("Password", "старый", true)) +
                                       "</History>") +
                        Group("AwMDAwMDAwMDAwMDAwMDAw==", "日本", Entry("🔑 Key"))) +
              Group("BAQEBAQEBAQEBAQEBAQEBA==", "Recycle Bin", Entry("Gone Key")) +
              Group("BQUFBQUFBQUFBQUFBQUFBQ==", "Empty", "")) +
    "</Root></KeePassFile>\n";

class CliKdbxRead : public ::testing::Test {
protected:
    void SetUp() override {
        m_strKdbx = m_folder.File("Nested.kdbx");
        SKdbxTestOptions options; // password "pw"
        const CKdbxBytes bytes = MakeTestKdbx(NESTED_XML, options);
        WriteBytes(m_strKdbx, std::string(bytes.begin(), bytes.end()));
        m_strKeyFile = m_folder.File("key.bin");
        WriteBytes(m_strKeyFile, "a key file of any bytes");
        options.credentials = {false, "", true, {}};
        const std::string strKey = ReadBytes(m_strKeyFile);
        options.credentials.keyFile.assign(strKey.begin(), strKey.end());
        const CKdbxBytes keyed = MakeTestKdbx(NESTED_XML, options);
        m_strKeyed = m_folder.File("Keyed.KDBX");
        WriteBytes(m_strKeyed, std::string(keyed.begin(), keyed.end()));
        m_strPwd = m_folder.File("Home.pwd");
        WriteCoreFile(m_strPwd, "k", {GroupRecord("Mail"), AccountRecord("Post", "me", "pw")});
    }

    CTempFolder m_folder;
    std::string m_strKdbx;
    std::string m_strKeyFile;
    std::string m_strKeyed;
    std::string m_strPwd;
};

const std::string POST_SHOWN = "Account\t\tПочта\nUser Name\tиван\nPassword\tсекрет\nWeb Site\t\n"
                               "E-Mail\t\tivan@x\nComments\t\n";

} // namespace

TEST_F(CliKdbxRead, ListShowAndFind) {
    const std::string strLs = "Nested\n  Root\n    Top\n    Tab\there\n    Работа\n      Почта\n"
                              "      日本\n        🔑 Key\n    Empty\n";
    const struct {
        const char* pszName;
        std::vector<std::string> astrArgs; // after the command and FILE
        const char* pszInput;
        int nExit;
        std::string strOut; // standard output, or a part of the message
    } CASES[] = {
        {"ls", {}, "pw\n", 0, strLs},
        {"show in a nested group",
         {"Работа", "Почта"},
         "pw\n",
         0,
         POST_SHOWN + "PIN: (protected)\nFloor: 3\n\n"},
        {"show a protected field",
         {"Работа", "Почта", "--show-protected"},
         "pw\n",
         0,
         POST_SHOWN + "PIN: 4321\nFloor: 3\n\n"},
        {"show in the root",
         {"Root", "Top"},
         "pw\n",
         0,
         "Account\t\tTop\nUser Name\tme\nPassword\ttop secret\nWeb Site\thttps://top.example\n"
         "E-Mail\t\t\nComments\tone\ntwo\n\n"},
        {"show three deep",
         {"Работа/日本", "🔑 Key"},
         "pw\n",
         0,
         "Account\t\t🔑 Key\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\t\nComments\t\n\n"},
        {"show a missing group",
         {"Работа/Нет", "Почта"},
         "pw\n",
         2,
         "there is no group \"Работа/Нет\" in "},
        {"show a missing entry",
         {"Работа/日本", "Почта"},
         "pw\n",
         2,
         "there is no account \"Почта\" in the group \"Работа/日本\""},
        {"show a group's path from the root's name",
         {"Root/Работа", "Почта"},
         "pw\n",
         2,
         "there is no group"},
        {"show an entry of the recycle bin",
         {"Recycle Bin", "Gone Key"},
         "pw\n",
         0,
         "Account\t\tGone Key\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\t\n"
         "Comments\t\n\n"},
        {"show an entry of the history",
         {"Работа", "Почта old"},
         "pw\n",
         2,
         "there is no account \"Почта old\" in the group \"Работа\""},
        {"show with a wrong password", {"Root", "Top"}, "wrong\n", 1, "Nested.kdbx: "},
        {"ls with a wrong password", {}, "PW\n", 1, "Nested.kdbx: "},
        {"ls without a password", {}, "", 2, "no password was given"},
        // Titles ignoring case and accents, the group's path in the middle.
        {"find", {"KEY"}, "pw\n", 0, "Nested\tРабота/日本\t🔑 Key\n"},
        {"find Cyrillic in any case", {"ПОЧ"}, "pw\n", 0, "Nested\tРабота\tПочта\n"},
        {"find with match case", {"ПОЧ", "--match-case"}, "pw\n", 0, ""},
        {"find a whole word", {"key", "--whole-word"}, "pw\n", 0, "Nested\tРабота/日本\t🔑 Key\n"},
        {"find no part of a word", {"ke", "--whole-word"}, "pw\n", 0, ""},
        {"find in the root", {"t"}, "pw\n", 0, "Nested\tRoot\tTop\nNested\tRoot\tTab\there\n"},
        {"find skips the bin and the history", {"gone"}, "pw\n", 0, ""},
        {"find nothing", {""}, "pw\n", 0, ""},
        {"find every field", {"IVAN@", "--all-fields"}, "pw\n", 0, "Nested\tРабота\tПочта\n"},
        {"find words in several fields",
         {"3 иван", "--all-fields"},
         "pw\n",
         0,
         "Nested\tРабота\tПочта\n"},
        {"find never reads passwords", {"секрет", "--all-fields"}, "pw\n", 0, ""},
        {"find never reads protected fields", {"4321", "--all-fields"}, "pw\n", 0, ""},
        {"find never reads the history", {"старый", "--all-fields"}, "pw\n", 0, ""},
        {"find all fields with match case",
         {"x", "--all-fields", "--match-case"},
         "pw\n",
         2,
         "--all-fields takes neither"},
    };
    for (const auto& test : CASES) {
        SCOPED_TRACE(test.pszName);
        const std::string strName = test.pszName;
        std::vector<std::string> astrArgs = {strName.substr(0, strName.find(' ')), m_strKdbx};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        ExpectCliResult(RunCli(astrArgs, test.pszInput), test.nExit, test.strOut);
    }
}

TEST_F(CliKdbxRead, KeyFileTerminalAndOtherFiles) {
    // A database with a key file alone; its extension in any case.
    const SCliResult keyed =
        RunCli({"ls", m_strKeyed, "--key-file", m_strKeyFile, "--no-password"}, "");
    EXPECT_EQ(keyed.nExit, 0) << keyed.strErr;
    EXPECT_EQ(keyed.strOut.substr(0, 15), "Keyed\n  Root\n  ");
    EXPECT_EQ(RunCli({"ls", m_strKeyed, "--no-password"}, "").nExit, 2);
    EXPECT_EQ(RunCli({"ls", m_strKeyed, "--key-file", m_strKdbx, "--no-password"}, "").nExit, 1);
    // A database that cannot be read, whole or at all.
    const std::string strCut = m_folder.File("Cut.kdbx");
    WriteBytes(strCut, ReadBytes(m_strKdbx).substr(0, 200));
    for (const std::string& strPath : {strCut, m_folder.File("None.kdbx")}) {
        const SCliResult result = RunCli({"show", strPath, "Root", "Top"}, "pw\n");
        EXPECT_EQ(result.nExit, 3) << strPath << ": " << result.strErr;
        EXPECT_NE(result.strErr.find(strPath), std::string::npos) << result.strErr;
    }
    // On a terminal a name's TAB cannot fake a column.
    const SCliResult shown = RunCliToTerminal({"find", m_strKdbx, "here"}, "pw\n");
    EXPECT_EQ(shown.strOut, "Nested\tRoot\tTab\\there\n");
    EXPECT_EQ(RunCliToTerminal({"ls", m_strKdbx}, "pw\n").strOut.find("Tab\there"),
              std::string::npos);
    // The options of a database are refused for a password file, whose
    // commands are otherwise as before.
    const struct {
        std::vector<std::string> astrArgs;
        const char* pszMessage;
    } REFUSED[] = {
        {{"ls", m_strPwd, "--no-password"}, "apply to a .kdbx FILE only"},
        {{"ls", m_strPwd, "--allow-slow-kdf"}, "apply to a .kdbx FILE only"},
        {{"find", m_strPwd, "P", "--key-file", m_strKeyFile}, "apply to a .kdbx FILE only"},
        {{"show", m_strPwd, "Mail", "Post", "--show-protected"}, "--show-protected apply"},
        {{"export", m_strPwd, "--allow-slow-kdf"}, "--allow-slow-kdf applies to a .kdbx FILE"},
    };
    for (const auto& test : REFUSED) {
        const SCliResult result = RunCli(test.astrArgs, "k\n");
        EXPECT_EQ(result.nExit, 2) << test.astrArgs[0];
        EXPECT_NE(result.strErr.find(test.pszMessage), std::string::npos) << result.strErr;
    }
    EXPECT_EQ(RunCli({"show", m_strPwd, "Mail", "Post"}, "k\n").strOut,
              "Account\t\tPost\nUser Name\tme\nPassword\tpw\nWeb Site\t\nE-Mail\t\t\n"
              "Comments\t\n\n");
}

TEST_F(CliKdbxRead, ExportsTextAndCsv) {
    const SCliResult csv = RunCli({"export", m_strKdbx, "--format", "csv"}, "pw\n");
    EXPECT_EQ(csv.nExit, 0) << csv.strErr;
    EXPECT_EQ(csv.strOut,
              "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"E-mail\"\n"
              "\"Root\",\"Top\",\"me\",\"top secret\",\"https://top.example\",\"one\ntwo\",\"\"\n"
              "\"Root\",\"Tab\there\",\"\",\"\",\"\",\"\",\"\"\n"
              "\"Root/Работа\",\"Почта\",\"иван\",\"секрет\",\"\",\"\",\"ivan@x\"\n"
              "\"Root/Работа/日本\",\"🔑 Key\",\"\",\"\",\"\",\"\",\"\"\n");
    // The text export holds every field: it is the plain copy of the whole.
    const std::string strOut = m_folder.File("out.txt");
    const SCliResult text = RunCli({"export", m_strKdbx, "-o", strOut, "--crlf"}, "pw\n");
    EXPECT_EQ(text.nExit, 0) << text.strErr;
    const std::string strText = ReadBytes(strOut);
    EXPECT_EQ(strText.substr(0, 36), "============= Root =============\r\n\r\n");
    EXPECT_NE(strText.find("============= Работа/日本 =============\r\n"), std::string::npos);
    EXPECT_NE(strText.find("PIN: 4321\r\nFloor: 3\r\n"), std::string::npos) << strText;
    EXPECT_EQ(strText.find("Gone"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(stat(strOut.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600U);
    const struct {
        std::vector<std::string> astrArgs;
        const char* pszInput;
        int nExit;
    } REFUSED[] = {
        {{"--format", "kdbx", "-o", m_folder.File("copy.kdbx")}, "pw\n", 2},
        {{"-o", m_strKdbx}, "pw\n", 2},
        {{"--format", "csv"}, "nope\n", 1},
    };
    for (const auto& test : REFUSED) {
        std::vector<std::string> astrArgs = {"export", m_strKdbx};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        const SCliResult result = RunCli(astrArgs, test.pszInput);
        EXPECT_EQ(result.nExit, test.nExit) << result.strErr;
        EXPECT_EQ(result.strOut, "");
    }
    EXPECT_NE(stat(m_folder.File("copy.kdbx").c_str(), &st), 0);
}

// A database that KeePassXC made, with an entry deleted into its recycle bin
// and an entry edited twice (so that it has a history), lists as
// keepassxc-cli lists it, less the recycle bin.
TEST_F(CliKdbxRead, ListsADatabaseOfKeePassXC) {
    if (!HasKeePassCli())
        GTEST_SKIP() << "keepassxc-cli is not installed (Debian package keepassxc)";
    const std::string strDb = m_folder.File("Made.kdbx");
    const auto fnRun = [](const std::vector<std::string>& astrArgs, const std::string& strInput) {
        const SKeePassCliResult result = RunKeePassCli(astrArgs, strInput);
        EXPECT_EQ(result.nExit, 0) << astrArgs[0] << ": " << result.strErr;
        return result.strOut;
    };
    fnRun({"db-create", "-q", "-p", "-t", "100", strDb}, "pw\npw\n");
    fnRun({"mkdir", "-q", strDb, "Работа"}, "pw\n");
    fnRun({"mkdir", "-q", strDb, "Работа/日本"}, "pw\n");
    fnRun({"add", "-q", "-u", "иван", strDb, "Работа/Почта"}, "pw\n");
    fnRun({"add", "-q", strDb, "Работа/日本/🔑 Key"}, "pw\n");
    fnRun({"add", "-q", strDb, "Gone"}, "pw\n");
    fnRun({"rm", "-q", strDb, "Gone"}, "pw\n");
    fnRun({"edit", "-q", "-t", "Old", strDb, "Работа/Почта"}, "pw\n");
    fnRun({"edit", "-q", "-t", "Почта", strDb, "Работа/Old"}, "pw\n");
    // keepassxc-cli leaves the root group out and marks groups with "/".
    const std::string strOracle = fnRun({"ls", "-R", "-q", strDb}, "pw\n");
    ASSERT_NE(strOracle.find("Recycle Bin/\n  Gone\n"), std::string::npos) << strOracle;
    std::string strExpected;
    for (std::size_t nLine = 0; nLine < strOracle.size();) {
        const std::size_t nEnd = strOracle.find('\n', nLine);
        std::string strLine = strOracle.substr(nLine, nEnd - nLine);
        nLine = nEnd + 1;
        if (strLine == "Recycle Bin/") {
            while (nLine < strOracle.size() && strOracle[nLine] == ' ')
                nLine = strOracle.find('\n', nLine) + 1;
            continue;
        }
        if (strLine.back() == '/')
            strLine.pop_back();
        strExpected += "    " + strLine + "\n";
    }
    const SCliResult ls = RunCli({"ls", strDb}, "pw\n");
    EXPECT_EQ(ls.nExit, 0) << ls.strErr;
    EXPECT_EQ(ls.strOut, "Made\n  Passwords\n" + strExpected);
    EXPECT_EQ(RunCli({"find", strDb, "ИВАН", "--all-fields"}, "pw\n").strOut,
              "Made\tРабота\tПочта\n");
    EXPECT_EQ(RunCli({"find", strDb, "old"}, "pw\n").strOut, "");
    EXPECT_EQ(RunCli({"find", strDb, "gone"}, "pw\n").strOut, "");
}
