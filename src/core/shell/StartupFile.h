// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class CProfile;

// The file the program opens at start, or the message that says why there is
// none. A file named on the command line wins without any test (the open
// reports its failures); otherwise the start-up mode of the document options
// picks the last file or the fixed file, which must exist. With no file ever
// opened (an empty recent list), having no last file is no news.
struct CStartupFileChoice {
    std::string m_strPath;              // empty: nothing to open
    const char* m_pszMessage = nullptr; // shown with the exclamation icon
};

CStartupFileChoice ChooseStartupFile(const CProfile& profile,
                                     const std::function<bool(const std::string&)>& fnExists);
