// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/CommandLineInfo.h"

#include "core/base/Version.h"

#include <filesystem>
#include <system_error>

namespace {

std::string AbsolutePath(const std::string& strPath) {
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(strPath, ec);
    return ec ? strPath : path.lexically_normal().string();
}

} // namespace

CCommandLineInfo CCommandLineInfo::Parse(const std::vector<std::string>& args) {
    CCommandLineInfo info;
    bool bOptionsEnded = false;
    for (const std::string& strArg : args) {
        if (!bOptionsEnded && strArg == "--") {
            bOptionsEnded = true;
            continue;
        }
        if (!bOptionsEnded && !strArg.empty() && strArg[0] == '-') {
            // The switch is a word of its own: a file in a folder such as
            // "my-work" must not start the program hidden and locked.
            if (strArg == "-w")
                info.m_bAutoStart = true;
            else if (strArg == "--help" || strArg == "-h")
                info.m_bHelp = true;
            else if (strArg == "--version")
                info.m_bVersion = true;
            continue;
        }
        if (info.m_strFileName.empty() && !strArg.empty())
            info.m_strFileName = AbsolutePath(strArg);
    }
    return info;
}

std::string UsageText() {
    return "Usage: keyhaven [-w] [FILE]\n"
           "A password manager for the desktop.\n"
           "\n"
           "  FILE       the password file (.pwd, .khv or .kdbx) to open at start\n"
           "  -w         start hidden in the system tray, locked (a start at logon)\n"
           "  --help     show this help and exit\n"
           "  --version  show the version and exit\n";
}

std::string VersionText() {
    return "Keyhaven " KEYHAVEN_VERSION "\n" KEYHAVEN_LICENCE_NOTICE;
}
