// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"

#include <string>

class CCsvHeader;
class CCsvRow;

// One manager's CSV export: the columns its header line always has, and how
// a row becomes an entry. fnRead is false for a row that is no entry (one
// that only declares a folder, a browser's own sync login).
struct SCsvDialect {
    const char* pszName;
    const char* pszColumns; // "Group, Title, Username"
    const char* pszRemark;  // shown after the columns when the header is refused
    bool (*fnRead)(CCsvRow& row, SImportEntry& entry);
};

// The dialect a header names, the most particular first; null when none.
const SCsvDialect* FindCsvDialect(const CCsvHeader& header);
// Every dialect's name and columns, one a line, for the message that
// refuses a header.
std::string CsvHeadersUnderstood();
