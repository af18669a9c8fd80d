// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class CProfile;

// The most recently opened files, newest first, without duplicates, kept in
// the settings as "Recent File List"/"File1".."FileN".
class CRecentFileList {
public:
    explicit CRecentFileList(int nSize = 4);

    // Puts strPath at the head; an entry already in the list moves there, and
    // the oldest falls off a full list. Empty and blank paths are ignored.
    void Add(const std::string& strPath);
    void Remove(int nIndex);
    void Clear();

    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_vecNames.size()); }
    const std::string& operator[](int nIndex) const { return m_vecNames.at(nIndex); }
    const std::vector<std::string>& Names() const { return m_vecNames; }

    // Reads "File1".."FileN"; missing and empty values are skipped.
    void ReadList(const CProfile& profile);
    // Rewrites the section: one value per entry, and none for the rest.
    void WriteList(CProfile& profile) const;

private:
    int m_nSize;
    std::vector<std::string> m_vecNames;
};
