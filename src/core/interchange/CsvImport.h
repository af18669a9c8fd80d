// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"

#include <functional>
#include <string>
#include <string_view>

// The header line names the dialect: another password manager's export
// with its group path, one with folders, or a web browser's password list.
enum class ECsvDialect { groupPath, folders, browser };

// The largest CSV file that is imported: far beyond any real export, and a
// bound on what a hostile file can make the importer hold.
inline constexpr std::size_t MAX_CSV_BYTES = std::size_t(256) << 20;

// The most entries one import takes: each costs a record in memory, so a
// file of short rows would otherwise ask for many times its own size.
inline constexpr std::size_t MAX_CSV_ENTRIES = 1000000;

// Reads a CSV export and hands each entry to fnEntry in file order; rows
// whose fields are all empty (a spreadsheet's padding) are no entries.
// False with strError set when the header is not one of the dialects (the
// message lists the headers understood), the text ends inside quotes or
// holds more than nMaxEntries entries; entries already handed over stay
// with the caller.
bool ReadCsvEntries(std::string_view strText,
                    const std::function<void(const SImportEntry&)>& fnEntry, std::string& strError,
                    std::size_t nMaxEntries = MAX_CSV_ENTRIES);
