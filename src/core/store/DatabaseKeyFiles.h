// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

class CProfile;

// Which key file opened which database, by their absolute paths, so that the
// next opening of a database (and its unlock) proposes the same key file.
// Kept in the settings store when there is one, the newest first, at most
// KEY_FILE_COUNT databases; a database opened without a key file is
// forgotten.
class CDatabaseKeyFiles {
public:
    explicit CDatabaseKeyFiles(CProfile* pProfile = nullptr);

    // The key file of the database at strDatabase; "" for none known.
    std::string Of(const std::string& strDatabase) const;
    // The database at strDatabase is opened with strKeyFile ("" for none).
    void Remember(const std::string& strDatabase, const std::string& strKeyFile);

private:
    void Write() const;

    CProfile* m_pProfile;
    std::vector<std::pair<std::string, std::string>> m_vecFiles;
};
