// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvImport.h"

#include "core/interchange/CsvDialects.h"
#include "core/interchange/CsvHeader.h"
#include "core/interchange/CsvReader.h"
#include "core/interchange/CsvRow.h"

#include <algorithm>
#include <vector>

bool IsEMailFieldName(const std::string& strName) {
    std::string strLower(strName);
    for (char& c : strLower)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return strLower == "email" || strLower == "e-mail";
}

bool ReadCsvEntries(std::string_view strText,
                    const std::function<void(const SImportEntry&)>& fnEntry, std::string& strError,
                    std::size_t nMaxEntries) {
    CCsvReader reader(strText);
    std::vector<std::string> astrRow;
    CCsvReader::EResult eResult = reader.NextRow(astrRow);
    if (eResult == CCsvReader::EResult::openQuote) {
        strError = "The header line has a quote that is never closed.";
        return false;
    }
    const CCsvHeader header(astrRow);
    const SCsvDialect* pDialect = FindCsvDialect(header);
    if (eResult == CCsvReader::EResult::end || !pDialect) {
        strError = "The first line is no header this program knows.\n" + CsvHeadersUnderstood();
        return false;
    }
    std::size_t nEntries = 0;
    while ((eResult = reader.NextRow(astrRow)) == CCsvReader::EResult::row) {
        if (std::all_of(astrRow.begin(), astrRow.end(),
                        [](const std::string& strField) { return strField.empty(); }))
            continue;
        if (++nEntries > nMaxEntries) {
            strError = "The file holds more than " + std::to_string(nMaxEntries) +
                       " entries, more than one import takes.";
            return false;
        }
        CCsvRow row(header, astrRow);
        SImportEntry entry;
        if (!pDialect->fnRead(row, entry))
            continue;
        entry.astrUnreadColumns = row.UnreadLabels();
        if (reader.DroppedValues())
            entry.astrUnreadColumns.push_back(header.Label(reader.MaxFields()) + " and later");
        fnEntry(entry);
    }
    if (eResult == CCsvReader::EResult::openQuote) {
        strError =
            "The quote opened on line " + std::to_string(reader.RowLine()) + " is never closed.";
        return false;
    }
    return true;
}
