// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopEntry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class DesktopFolders : public ::testing::Test {
protected:
    void SetUp() override {
        m_pathRoot = fs::temp_directory_path() /
                     ("keyhaven-desktop-" +
                      std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_pathRoot);
        m_entry.m_pathConfigHome = m_pathRoot / "config";
        m_entry.m_vConfigDirs = {m_pathRoot / "etc-xdg"};
        m_entry.m_pathDataHome = m_pathRoot / "data";
        m_entry.m_vDataDirs = {m_pathRoot / "usr-local-share", m_pathRoot / "usr-share"};
    }
    void TearDown() override { fs::remove_all(m_pathRoot); }

    void Write(const fs::path& path, const std::string& strText) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << strText;
    }
    static std::string Entry(const std::string& strExec) {
        return "[Desktop Entry]\nType=Application\nName=Web\nExec=" + strExec + "\n";
    }

    fs::path m_pathRoot;
    CDesktopEntry m_entry;
};

} // namespace

TEST(DesktopEntryText, ExecOfTheMainGroupOnly) {
    const std::string strText = "# a browser\n"
                                "[Desktop Action new-window]\n"
                                "Exec=web --new-window %u\n"
                                "\n"
                                "[Desktop Entry]\n"
                                "Exec[de]=web-de %u\n"
                                "  Exec = web %u  \r\n"
                                "Exec=second %u\n";
    EXPECT_EQ(CDesktopEntry::ReadExec(strText), "web %u");
    EXPECT_FALSE(CDesktopEntry::ReadExec("[Other]\nExec=x\n").has_value());
    EXPECT_FALSE(CDesktopEntry::ReadExec("").has_value());
    EXPECT_FALSE(CDesktopEntry::ReadExec("[Desktop Entry]x\nExec=x\n").has_value());
}

TEST(DesktopEntryText, KeyFileEscapesAreResolved) {
    EXPECT_EQ(CDesktopEntry::ReadExec("[Desktop Entry]\nExec=\"/opt/My\\sWeb/b\" \\\\x \\q %u"),
              "\"/opt/My Web/b\" \\x \\q %u");
}

TEST(DesktopEntryText, DefaultBrowsersOfTheDefaultApplicationsGroup) {
    const std::string strText = "[Added Associations]\n"
                                "x-scheme-handler/http=added.desktop;\n"
                                "[Default Applications]\n"
                                "text/html=html.desktop\n"
                                "x-scheme-handler/https=secure.desktop\n"
                                "x-scheme-handler/http=first.desktop; second.desktop;;\n";
    EXPECT_EQ(CDesktopEntry::ReadDefaultBrowsers(strText),
              (std::vector<std::string>{"first.desktop", "second.desktop"}));
    EXPECT_TRUE(CDesktopEntry::ReadDefaultBrowsers("[Default Applications]\n").empty());
}

TEST_F(DesktopFolders, TheFirstInstalledDefaultBrowserIsUsed) {
    Write(m_entry.m_pathConfigHome / "mimeapps.list",
          "[Default Applications]\nx-scheme-handler/http=missing.desktop;web.desktop\n");
    Write(m_entry.m_vConfigDirs[0] / "mimeapps.list",
          "[Default Applications]\nx-scheme-handler/http=system.desktop\n");
    Write(m_pathRoot / "usr-share/applications/web.desktop", Entry("shared-web %u"));
    Write(m_pathRoot / "usr-share/applications/system.desktop", Entry("system-web %u"));
    EXPECT_EQ(m_entry.DefaultBrowserIds(),
              (std::vector<std::string>{"missing.desktop", "web.desktop", "system.desktop"}));
    EXPECT_EQ(m_entry.DefaultBrowserExec(), "shared-web %u");
}

TEST_F(DesktopFolders, UserEntriesHideSystemOnesAndDataListsCount) {
    Write(m_pathRoot / "usr-share/applications/mimeapps.list",
          "[Default Applications]\nx-scheme-handler/http=web.desktop\n");
    Write(m_pathRoot / "usr-share/applications/web.desktop", Entry("system-web %u"));
    Write(m_entry.m_pathDataHome / "applications/web.desktop", Entry("my-web %u"));
    EXPECT_EQ(m_entry.DefaultBrowserExec(), "my-web %u");
}

TEST_F(DesktopFolders, NothingConfiguredOrNothingInstalled) {
    EXPECT_FALSE(m_entry.DefaultBrowserExec().has_value());
    Write(m_entry.m_pathConfigHome / "mimeapps.list",
          "[Default Applications]\nx-scheme-handler/http=missing.desktop\n");
    EXPECT_FALSE(m_entry.DefaultBrowserExec().has_value());
}

TEST_F(DesktopFolders, AnIdNeverLeavesTheApplicationsFolders) {
    Write(m_pathRoot / "data/secret.desktop", Entry("secret %u"));
    fs::create_directories(m_pathRoot / "data/applications/folder.desktop");
    EXPECT_FALSE(m_entry.FindExec("../secret.desktop").has_value());
    EXPECT_FALSE(m_entry.FindExec("..").has_value());
    EXPECT_FALSE(m_entry.FindExec("").has_value());
    EXPECT_FALSE(m_entry.FindExec("folder.desktop").has_value());
}

TEST(DesktopEntryEnvironment, VariablesAndTheirDefaults) {
    ::setenv("HOME", "/home/tester", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("XDG_CONFIG_DIRS", "/etc/one:relative:/etc/two", 1);
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("XDG_DATA_DIRS", "", 1);
    const CDesktopEntry entry = CDesktopEntry::FromEnvironment();
    EXPECT_EQ(entry.m_pathConfigHome, fs::path("/home/tester/.config"));
    EXPECT_EQ(entry.m_vConfigDirs, (std::vector<fs::path>{"/etc/one", "/etc/two"}));
    EXPECT_EQ(entry.m_pathDataHome, fs::path("/home/tester/.local/share"));
    EXPECT_EQ(entry.m_vDataDirs, (std::vector<fs::path>{"/usr/local/share", "/usr/share"}));

    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(CDesktopEntry::FromEnvironment().m_pathDataHome, fs::path("/data/home"));
}
