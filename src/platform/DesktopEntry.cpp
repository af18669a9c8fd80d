// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopEntry.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view str) {
    const std::size_t nFirst = str.find_first_not_of(" \t\r");
    if (nFirst == std::string_view::npos)
        return {};
    const std::size_t nLast = str.find_last_not_of(" \t\r");
    return str.substr(nFirst, nLast - nFirst + 1);
}

// Calls fnEntry(key, value) for each "key=value" line of the named group of
// a key file (the format of desktop entries and mimeapps.list).
template <typename TFn>
void ForEachKey(std::string_view strText, std::string_view strGroup, TFn fnEntry) {
    bool bInGroup = false;
    std::size_t nPos = 0;
    while (nPos < strText.size()) {
        std::size_t nEnd = strText.find('\n', nPos);
        if (nEnd == std::string_view::npos)
            nEnd = strText.size();
        const std::string_view strLine = Trim(strText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 1;
        if (strLine.empty() || strLine.front() == '#')
            continue;
        if (strLine.front() == '[') {
            bInGroup = strLine.size() == strGroup.size() + 2 && strLine.back() == ']' &&
                       strLine.substr(1, strGroup.size()) == strGroup;
            continue;
        }
        const std::size_t nEqual = strLine.find('=');
        if (bInGroup && nEqual != std::string_view::npos)
            fnEntry(Trim(strLine.substr(0, nEqual)), Trim(strLine.substr(nEqual + 1)));
    }
}

std::string Unescape(std::string_view strValue) {
    std::string strOut;
    for (std::size_t i = 0; i < strValue.size(); ++i) {
        if (strValue[i] != '\\' || i + 1 == strValue.size()) {
            strOut += strValue[i];
            continue;
        }
        switch (strValue[++i]) {
        case 's':
            strOut += ' ';
            break;
        case 'n':
            strOut += '\n';
            break;
        case 't':
            strOut += '\t';
            break;
        case 'r':
            strOut += '\r';
            break;
        case '\\':
            strOut += '\\';
            break;
        default: // not a key file escape: leave it for the command-line rules
            strOut += '\\';
            strOut += strValue[i];
        }
    }
    return strOut;
}

std::optional<std::string> ReadFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

fs::path EnvPath(const char* pszName, const fs::path& pathDefault) {
    const char* pszValue = std::getenv(pszName);
    // Relative paths are invalid in the XDG variables and ignored.
    if (pszValue == nullptr || *pszValue != '/')
        return pathDefault;
    return pszValue;
}

std::vector<fs::path> EnvPathList(const char* pszName, std::string_view strDefault) {
    const char* pszValue = std::getenv(pszName);
    std::string_view strList = pszValue != nullptr && *pszValue != 0 ? pszValue : strDefault;
    std::vector<fs::path> vPaths;
    std::size_t nStart = 0;
    while (nStart <= strList.size()) {
        std::size_t nEnd = strList.find(':', nStart);
        if (nEnd == std::string_view::npos)
            nEnd = strList.size();
        std::string_view strOne = strList.substr(nStart, nEnd - nStart);
        if (!strOne.empty() && strOne.front() == '/')
            vPaths.emplace_back(strOne);
        nStart = nEnd + 1;
    }
    return vPaths;
}

} // namespace

CDesktopEntry CDesktopEntry::FromEnvironment() {
    const char* pszHome = std::getenv("HOME");
    const fs::path pathHome = pszHome != nullptr ? pszHome : "/";
    CDesktopEntry dirs;
    dirs.m_pathConfigHome = EnvPath("XDG_CONFIG_HOME", pathHome / ".config");
    dirs.m_vConfigDirs = EnvPathList("XDG_CONFIG_DIRS", "/etc/xdg");
    dirs.m_pathDataHome = EnvPath("XDG_DATA_HOME", pathHome / ".local/share");
    dirs.m_vDataDirs = EnvPathList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    return dirs;
}

std::optional<std::string> CDesktopEntry::ReadExec(std::string_view strFileText) {
    std::optional<std::string> strExec;
    ForEachKey(strFileText, "Desktop Entry",
               [&](std::string_view strKey, std::string_view strValue) {
                   if (strKey == "Exec" && !strExec)
                       strExec = Unescape(strValue);
               });
    return strExec;
}

std::vector<std::string> CDesktopEntry::ReadDefaultBrowsers(std::string_view strFileText) {
    std::vector<std::string> vIds;
    ForEachKey(strFileText, "Default Applications",
               [&](std::string_view strKey, std::string_view strValue) {
                   if (strKey != "x-scheme-handler/http")
                       return;
                   std::stringstream stream{std::string(strValue)};
                   std::string strId;
                   while (std::getline(stream, strId, ';')) {
                       strId = std::string(Trim(strId));
                       if (!strId.empty())
                           vIds.push_back(strId);
                   }
               });
    return vIds;
}

std::vector<std::string> CDesktopEntry::DefaultBrowserIds() const {
    std::vector<fs::path> vLists{m_pathConfigHome / "mimeapps.list"};
    for (const fs::path& path : m_vConfigDirs)
        vLists.push_back(path / "mimeapps.list");
    vLists.push_back(m_pathDataHome / "applications" / "mimeapps.list");
    for (const fs::path& path : m_vDataDirs)
        vLists.push_back(path / "applications" / "mimeapps.list");

    std::vector<std::string> vIds;
    for (const fs::path& path : vLists) {
        if (std::optional<std::string> strText = ReadFile(path)) {
            for (std::string& strId : ReadDefaultBrowsers(*strText))
                vIds.push_back(std::move(strId));
        }
    }
    return vIds;
}

std::optional<std::string> CDesktopEntry::FindExec(std::string_view strDesktopId) const {
    // An id never names a path of its own: it is looked up inside the
    // applications folders only.
    if (strDesktopId.empty() || strDesktopId.find('/') != std::string_view::npos ||
        strDesktopId == "." || strDesktopId == "..")
        return std::nullopt;
    std::vector<fs::path> vFolders{m_pathDataHome / "applications"};
    for (const fs::path& path : m_vDataDirs)
        vFolders.push_back(path / "applications");
    for (const fs::path& pathFolder : vFolders) {
        if (std::optional<std::string> strText = ReadFile(pathFolder / std::string(strDesktopId)))
            return ReadExec(*strText);
    }
    return std::nullopt;
}

std::optional<std::string> CDesktopEntry::DefaultBrowserExec() const {
    for (const std::string& strId : DefaultBrowserIds()) {
        if (std::optional<std::string> strExec = FindExec(strId))
            return strExec;
    }
    return std::nullopt;
}
