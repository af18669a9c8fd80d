// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A private folder for one test, removed with everything in it at the end
// (read-only entries included).
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& strName) const { return m_strPath + "/" + strName; }

private:
    std::string m_strPath;
};
