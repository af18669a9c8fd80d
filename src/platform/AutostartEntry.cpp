// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AutostartEntry.h"

#include "core/store/FileIO.h"
#include "platform/XdgFolders.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char AUTOSTART_FILE_NAME[] = "keyhaven.desktop";

std::string AutostartFolder() {
    return ConfigHomeFolder() + "/autostart";
}

// Creates each missing folder of the path, like mkdir -p.
bool MakeFolders(const std::string& strFolder) {
    for (std::size_t nPos = 1; nPos <= strFolder.size(); ++nPos) {
        if (nPos != strFolder.size() && strFolder[nPos] != '/')
            continue;
        const std::string strPart = strFolder.substr(0, nPos);
        if (::mkdir(strPart.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return ::stat(strFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsReservedInExec(char c) {
    switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '"':
    case '\'':
    case '\\':
    case '>':
    case '<':
    case '~':
    case '|':
    case '&':
    case ';':
    case '$':
    case '*':
    case '?':
    case '#':
    case '(':
    case ')':
    case '`':
        return true;
    default:
        return false;
    }
}

// One Exec argument: quoted when it holds a reserved character, with ",
// `, $ and \ escaped inside the quotes; a literal % is written %%.
std::string ExecArgument(const std::string& strArgument) {
    bool bQuote = strArgument.empty();
    for (char c : strArgument)
        bQuote = bQuote || IsReservedInExec(c);
    std::string strResult;
    if (bQuote)
        strResult += '"';
    for (char c : strArgument) {
        if (bQuote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            strResult += '\\';
        if (c == '%')
            strResult += '%';
        strResult += c;
    }
    if (bQuote)
        strResult += '"';
    return strResult;
}

// A desktop-file value of type string escapes backslashes and control
// characters once more, on top of the Exec quoting.
std::string DesktopValue(const std::string& strText) {
    std::string strResult;
    for (char c : strText) {
        switch (c) {
        case '\\':
            strResult += "\\\\";
            break;
        case '\n':
            strResult += "\\n";
            break;
        case '\t':
            strResult += "\\t";
            break;
        case '\r':
            strResult += "\\r";
            break;
        default:
            strResult += c;
        }
    }
    return strResult;
}

} // namespace

std::string AutostartFilePath() {
    return AutostartFolder() + "/" + AUTOSTART_FILE_NAME;
}

std::string AutostartExecLine(const std::string& strProgramPath) {
    return ExecArgument(strProgramPath) + " -w";
}

std::string AutostartFileText(const std::string& strProgramPath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Keyhaven\n"
           "Exec=" +
           DesktopValue(AutostartExecLine(strProgramPath)) +
           "\n"
           "Icon=org.keyhaven.Keyhaven\n"
           "Terminal=false\n"
           "NoDisplay=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool WriteAutostartEntry(const std::string& strProgramPath) {
    // An entry without a program would start nothing at every logon.
    if (strProgramPath.empty())
        return false;
    if (!MakeFolders(AutostartFolder()))
        return false;
    return WriteFileAtomic(AutostartFilePath(), AutostartFileText(strProgramPath)) ==
           EFileError::none;
}

bool RemoveAutostartEntry() {
    return ::unlink(AutostartFilePath().c_str()) == 0 || errno == ENOENT;
}

bool HasAutostartEntry() {
    struct stat info {};
    return ::stat(AutostartFilePath().c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ApplyWinStart(bool bWinStart, const std::string& strProgramPath) {
    return bWinStart ? WriteAutostartEntry(strProgramPath) : RemoveAutostartEntry();
}

std::string CurrentProgramPath() {
    char szPath[PATH_MAX];
    const ssize_t nLength = ::readlink("/proc/self/exe", szPath, sizeof szPath);
    if (nLength <= 0 || static_cast<std::size_t>(nLength) >= sizeof szPath)
        return {};
    return std::string(szPath, static_cast<std::size_t>(nLength));
}
