// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets a variable for one test and puts the old value back.
class CScopedVariable {
public:
    CScopedVariable(const char* pszName, const char* pszValue) : m_strName(pszName) {
        if (const char* pszOld = std::getenv(pszName))
            m_old = pszOld;
        if (pszValue)
            ::setenv(pszName, pszValue, 1);
        else
            ::unsetenv(pszName);
    }
    ~CScopedVariable() {
        if (m_old)
            ::setenv(m_strName.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_strName.c_str());
    }
    CScopedVariable(const CScopedVariable&) = delete;
    CScopedVariable& operator=(const CScopedVariable&) = delete;

private:
    std::string m_strName;
    std::optional<std::string> m_old;
};

TEST(XdgFolders, AbsoluteVariablesWinAndLoseTheirTrailingSlash) {
    const CScopedVariable home("HOME", "/home/ann/");
    const CScopedVariable data("XDG_DATA_HOME", "/srv/data//");
    const CScopedVariable config("XDG_CONFIG_HOME", "/srv/config");
    EXPECT_EQ(HomeFolder(), "/home/ann");
    EXPECT_EQ(DataHomeFolder(), "/srv/data");
    EXPECT_EQ(ConfigHomeFolder(), "/srv/config");
    EXPECT_EQ(DefaultBackupFolder(), "/srv/data/Keyhaven/backup");
}

TEST(XdgFolders, UnsetEmptyOrRelativeVariablesFallBackToTheHomeFolder) {
    const CScopedVariable home("HOME", "/home/ann");
    for (const char* pszValue : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        const CScopedVariable data("XDG_DATA_HOME", pszValue);
        const CScopedVariable config("XDG_CONFIG_HOME", pszValue);
        EXPECT_EQ(DataHomeFolder(), "/home/ann/.local/share");
        EXPECT_EQ(ConfigHomeFolder(), "/home/ann/.config");
    }
}

} // namespace
