// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// What the program's command line asks for. Options begin with "-"; the
// first other argument is the file to open at start.
class CCommandLineInfo {
public:
    // args excludes the program's own path.
    static CCommandLineInfo Parse(const std::vector<std::string>& args);

    bool m_bHelp = false;
    bool m_bVersion = false;
    // "-w" as an argument of its own: a start at logon, hidden in the tray
    // and locked.
    bool m_bAutoStart = false;
    // Made absolute against the current folder, so that the file can be
    // remembered as the last file and found again from any folder.
    std::string m_strFileName;
};

// The texts of "--help" and "--version".
std::string UsageText();
std::string VersionText();
