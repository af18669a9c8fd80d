// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// A manual page in roff, written from what a program says of itself. Its
// --help gives the name line ("NAME - summary", or "Usage: ..." followed by
// the summary), the usage lines (the SYNOPSIS), the table of commands or
// options, and further sections, each a line ending in ":" over indented
// text; its --version gives the footer and the copyright. Text wrapped to
// the terminal is filled again; aligned tables keep their lines.
class CManPage {
public:
    CManPage(std::string strProgram, std::string strDate);

    void SetHelp(const std::string& strHelp);
    void SetVersion(const std::string& strVersion);
    // Sections written by hand: a line "[TITLE]" and roff text below it. A
    // DESCRIPTION opens the page's description; SEE ALSO ends the page; any
    // other follows the sections of the help.
    void SetExtraSections(const std::string& strText);

    std::string Roff() const;

private:
    struct SSection {
        std::string m_strTitle;
        std::string m_strRoff;
    };

    void ReadUsage(const std::vector<std::string>& vLines);
    void AddSection(const std::string& strHeading, const std::vector<std::string>& vBody);
    std::string ExtraSection(const std::string& strTitle) const;

    std::string m_strProgram;
    std::string m_strDate;
    std::string m_strSummary;
    std::vector<std::string> m_vUsage;
    std::string m_strDescription;
    std::vector<SSection> m_vSections;
    std::string m_strVersionLine;
    std::vector<std::string> m_vCopyright;
    std::vector<SSection> m_vExtra;
};
