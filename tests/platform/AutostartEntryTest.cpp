// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AutostartEntry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The Exec value as a desktop environment reads it: first the string
// escapes of the file, then the Exec quoting, giving the argument list.
std::vector<std::string> ParseExec(const std::string& strFileText) {
    const auto nStart = strFileText.find("\nExec=");
    if (nStart == std::string::npos)
        return {};
    const auto nEnd = strFileText.find('\n', nStart + 1);
    const std::string strRaw = strFileText.substr(nStart + 6, nEnd - nStart - 6);
    std::string strValue;
    for (std::size_t i = 0; i < strRaw.size(); ++i) {
        if (strRaw[i] == '\\' && i + 1 < strRaw.size()) {
            const char c = strRaw[++i];
            strValue += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c == 's' ? ' ' : c;
        } else {
            strValue += strRaw[i];
        }
    }
    std::vector<std::string> args;
    std::string strArg;
    bool bInArg = false;
    bool bQuoted = false;
    for (std::size_t i = 0; i < strValue.size(); ++i) {
        const char c = strValue[i];
        if (c == '%' && i + 1 < strValue.size() && strValue[i + 1] == '%') {
            // Field codes are expanded before the quoting is undone.
            strArg += '%';
            ++i;
            bInArg = true;
        } else if (bQuoted) {
            if (c == '\\' && i + 1 < strValue.size())
                strArg += strValue[++i];
            else if (c == '"')
                bQuoted = false;
            else
                strArg += c;
        } else if (c == '"') {
            bQuoted = bInArg = true;
        } else if (c == ' ') {
            if (bInArg)
                args.push_back(strArg);
            strArg.clear();
            bInArg = false;
        } else {
            strArg += c;
            bInArg = true;
        }
    }
    if (bInArg)
        args.push_back(strArg);
    return args;
}

class AutostartEntry : public ::testing::Test {
protected:
    void SetUp() override {
        char szTemplate[] = "/tmp/keyhaven-autostart-XXXXXX";
        ASSERT_NE(::mkdtemp(szTemplate), nullptr);
        m_root = szTemplate;
        Remember("XDG_CONFIG_HOME", m_strOldConfig, m_bHadConfig);
        Remember("HOME", m_strOldHome, m_bHadHome);
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    }
    void TearDown() override {
        Restore("XDG_CONFIG_HOME", m_strOldConfig, m_bHadConfig);
        Restore("HOME", m_strOldHome, m_bHadHome);
        std::error_code error;
        fs::remove_all(m_root, error);
    }

    fs::path EntryFile() const { return m_root / "config" / "autostart" / "keyhaven.desktop"; }

    fs::path m_root;

private:
    static void Remember(const char* pszName, std::string& strOld, bool& bHad) {
        const char* psz = std::getenv(pszName);
        bHad = psz != nullptr;
        strOld = bHad ? psz : "";
    }
    static void Restore(const char* pszName, const std::string& strOld, bool bHad) {
        if (bHad)
            ::setenv(pszName, strOld.c_str(), 1);
        else
            ::unsetenv(pszName);
    }

    std::string m_strOldConfig, m_strOldHome;
    bool m_bHadConfig = false, m_bHadHome = false;
};

TEST_F(AutostartEntry, LivesInTheConfigFolder) {
    EXPECT_EQ(AutostartFilePath(), EntryFile().string());
    // A relative XDG_CONFIG_HOME does not count; ~/.config is used.
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    ::setenv("HOME", (m_root / "home").c_str(), 1);
    EXPECT_EQ(AutostartFilePath(), (m_root / "home/.config/autostart/keyhaven.desktop").string());
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(AutostartFilePath(), (m_root / "home/.config/autostart/keyhaven.desktop").string());
}

TEST_F(AutostartEntry, AppearsAndDisappearsWithWinStart) {
    EXPECT_FALSE(HasAutostartEntry());
    // The folders do not exist yet: they are made.
    ASSERT_TRUE(ApplyWinStart(true, "/usr/bin/keyhaven"));
    EXPECT_TRUE(HasAutostartEntry());
    EXPECT_TRUE(fs::is_regular_file(EntryFile()));
    ASSERT_TRUE(ApplyWinStart(false, "/usr/bin/keyhaven"));
    EXPECT_FALSE(HasAutostartEntry());
    EXPECT_FALSE(fs::exists(EntryFile()));
    // Turning it off again finds nothing to remove, and that is fine.
    EXPECT_TRUE(ApplyWinStart(false, "/usr/bin/keyhaven"));
    EXPECT_TRUE(RemoveAutostartEntry());
}

TEST_F(AutostartEntry, IsAValidDesktopEntryStartingHiddenAndLocked) {
    ASSERT_TRUE(WriteAutostartEntry("/usr/bin/keyhaven"));
    const std::string strText = ReadText(EntryFile());
    EXPECT_EQ(strText.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* pszLine : {"\nType=Application\n", "\nName=Keyhaven\n",
                                "\nExec=/usr/bin/keyhaven -w\n", "\nIcon=org.keyhaven.Keyhaven\n",
                                "\nX-GNOME-Autostart-enabled=true\n", "\nNoDisplay=false\n"})
        EXPECT_NE(strText.find(pszLine), std::string::npos) << pszLine;
    EXPECT_EQ(ParseExec(strText), (std::vector<std::string>{"/usr/bin/keyhaven", "-w"}));
    // Only the user may read the file that starts a program at logon.
    EXPECT_EQ(fs::status(EntryFile()).permissions() & fs::perms::others_write, fs::perms::none);
}

TEST_F(AutostartEntry, RewritingFollowsTheProgramPath) {
    ASSERT_TRUE(WriteAutostartEntry("/opt/old/keyhaven"));
    ASSERT_TRUE(ApplyWinStart(true, "/opt/new/keyhaven"));
    const std::string strText = ReadText(EntryFile());
    EXPECT_EQ(strText.find("/opt/old"), std::string::npos);
    EXPECT_EQ(ParseExec(strText), (std::vector<std::string>{"/opt/new/keyhaven", "-w"}));
    // No temporary file is left beside the entry.
    std::size_t nFiles = 0;
    for (const auto& item : fs::directory_iterator(EntryFile().parent_path())) {
        (void)item;
        ++nFiles;
    }
    EXPECT_EQ(nFiles, 1u);
}

TEST_F(AutostartEntry, PathsWithReservedCharactersAreQuoted) {
    EXPECT_EQ(AutostartExecLine("/opt/My Apps/keyhaven"), "\"/opt/My Apps/keyhaven\" -w");
    EXPECT_EQ(AutostartExecLine("/opt/a$b/k"), "\"/opt/a\\$b/k\" -w");
    EXPECT_EQ(AutostartExecLine("/opt/100%/k"), "/opt/100%%/k -w");
    EXPECT_EQ(AutostartExecLine("/opt/x\"y/k"), "\"/opt/x\\\"y/k\" -w");

    for (const std::string strPath :
         {"/opt/My Apps/keyhaven", "/home/o'neil/bin/keyhaven", "/opt/a$b`c`/key haven",
          "/opt/back\\slash/k", "/opt/100% sure/k", "/opt/tab\there/k", "/opt/semi;colon&(x)/k",
          "/opt/~me/#1/*?/k", "/opt/caf\xc3\xa9/k"}) {
        SCOPED_TRACE(strPath);
        ASSERT_TRUE(WriteAutostartEntry(strPath));
        const std::string strText = ReadText(EntryFile());
        EXPECT_EQ(ParseExec(strText), (std::vector<std::string>{strPath, "-w"}));
        // Each key stays on one line whatever the path holds.
        EXPECT_EQ(std::count(strText.begin(), strText.end(), '\n'), 8);
    }
}

TEST_F(AutostartEntry, FailuresAreReportedAndChangeNothing) {
    // No program, no entry: it would start nothing at every logon.
    EXPECT_FALSE(WriteAutostartEntry(""));
    EXPECT_FALSE(HasAutostartEntry());

    // A file where the autostart folder should be makes the write fail.
    fs::create_directories(m_root / "config");
    std::ofstream(m_root / "config" / "autostart") << "in the way";
    EXPECT_FALSE(ApplyWinStart(true, "/usr/bin/keyhaven"));
    EXPECT_FALSE(HasAutostartEntry());
    EXPECT_EQ(ReadText(m_root / "config" / "autostart"), "in the way");
}

TEST(ProgramPath, IsThisTestProgram) {
    const std::string strPath = CurrentProgramPath();
    ASSERT_FALSE(strPath.empty());
    EXPECT_EQ(strPath.front(), '/');
    EXPECT_TRUE(fs::is_regular_file(strPath));
    EXPECT_NE(fs::path(strPath).filename().string().find("platform_rules_tests"),
              std::string::npos);
}

} // namespace
