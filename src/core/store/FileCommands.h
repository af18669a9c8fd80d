// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CCofferDoc;
class CFileSession;
class CPrintDevice;
class CPrompts;

// The commands that show the open file without changing it: the printout
// and the File Property dialog. Print writes every password in plain text,
// in list order.
class CFileCommands {
public:
    CFileCommands(CFileSession& session, CPrompts& prompts);

    // Printing needs an open file with a KEY.
    bool IsPrintEnabled() const;

    // The print dialog sets up device; then every record is printed.
    void OnFilePrint(CPrintDevice& device);
    // The File Property dialog over the file on disk; OK writes a changed
    // read-only attribute. A file that is gone is reported instead.
    void OnFileProperty();

private:
    void ShowMessage(const char* pszText, const std::string& strPath) const;

    CFileSession& m_session;
    CCofferDoc& m_doc;
    CPrompts& m_prompts;
};
