// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/FileIO.h"

#include <ctime>
#include <string>

// What the File Property dialog shows, as texts ready for its labels (UTF-8),
// and the two attributes it has check boxes for.
struct SFileProperties {
    std::string m_strFileName;
    std::string m_strContains;
    // The folder, ending with its separator.
    std::string m_strLocation;
    std::string m_strSize;
    // Empty where the file system does not record when a file was made.
    std::string m_strCreated;
    std::string m_strModified;
    std::string m_strAccessed;
    // What the format protects: a ".pwd" can be read without its KEY, which
    // it gives away as well; a ".khv" is sealed.
    std::string m_strProtection;
    bool m_bSealed = false;
    // The owner may not write the file; the one attribute that can change.
    bool m_bReadOnly = false;
    // The name begins with "."; shown, never changed.
    bool m_bHidden = false;
};

// "%B %d, %Y %H:%M:%S" in local time, with English month names whatever the
// desktop's language ("March 05, 2024 14:07:09").
std::string FormatFileTime(std::time_t tTime);
// "2 Groups\t5 Accounts".
std::string ContainsText(int nGroups, int nAccounts);
// Everything but the name and the counts, read from the file at strPath.
EFileError ReadFileProperties(const std::string& strPath, SFileProperties& props);
// Takes away or gives back the owner's write permission; the other
// permission bits stay as they are.
EFileError SetReadOnlyAttribute(const std::string& strPath, bool bReadOnly);
