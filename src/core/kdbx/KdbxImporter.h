// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"
#include "core/kdbx/KdbxFile.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

// Imports other managers' entries into a KeePass database: each into the
// group of its path, nested below the root group and made when missing, with
// every field the entry has (its e-mail as the custom field "E-mail", as
// exports name it) and its names in Unicode as given. A title its group
// already holds gets the next free " (n)".
class CKdbxImporter {
public:
    CKdbxImporter(CKdbxFile& database, std::int64_t nNow);

    void Add(const SImportEntry& entry);

    int ImportedCount() const { return m_nImported; }
    // "Imported N accounts in M groups; left out: ...", as an import into a
    // password file says it.
    std::string Summary() const;

private:
    struct SGroupNames {
        std::set<std::string> titles;
        std::unordered_map<std::string, int> nextSuffix; // by the title it follows
        bool bReceived = false;
    };
    SGroupNames& NamesOf(const CXmlElement& group);
    static std::string FreeTitle(SGroupNames& names, const std::string& strTitle);

    CKdbxFile& m_database;
    std::int64_t m_nNow;
    std::unordered_map<std::string, SGroupNames> m_groups; // by the group's UUID
    int m_nImported = 0;
    std::array<int, static_cast<int>(ELeftOut::COUNT)> m_anLeftOut{};
    std::vector<std::string> m_astrUnreadColumns;
    std::set<std::string> m_unreadColumns;
};
