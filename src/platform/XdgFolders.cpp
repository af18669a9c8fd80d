// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::string WithoutTrailingSlash(std::string strPath) {
    while (strPath.size() > 1 && strPath.back() == '/')
        strPath.pop_back();
    return strPath;
}

std::string AbsoluteVariable(const char* pszName, const std::string& strFallback) {
    const char* pszValue = std::getenv(pszName);
    return WithoutTrailingSlash(pszValue != nullptr && pszValue[0] == '/' ? pszValue : strFallback);
}

} // namespace

std::string HomeFolder() {
    const char* pszHome = std::getenv("HOME");
    if (pszHome != nullptr && pszHome[0] != '\0')
        return WithoutTrailingSlash(pszHome);
    const passwd* pEntry = ::getpwuid(::getuid());
    return pEntry != nullptr && pEntry->pw_dir != nullptr ? WithoutTrailingSlash(pEntry->pw_dir)
                                                          : std::string();
}

std::string ConfigHomeFolder() {
    return AbsoluteVariable("XDG_CONFIG_HOME", HomeFolder() + "/.config");
}

std::string DataHomeFolder() {
    return AbsoluteVariable("XDG_DATA_HOME", HomeFolder() + "/.local/share");
}

std::string DefaultBackupFolder() {
    return DataHomeFolder() + "/Keyhaven/backup";
}
