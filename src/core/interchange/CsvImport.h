// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"

#include <functional>
#include <string>
#include <string_view>

// The largest CSV file that is imported: far beyond any real export, and a
// bound on what a hostile file can make the importer hold.
inline constexpr std::size_t MAX_CSV_BYTES = std::size_t(256) << 20;

// The most entries one import takes: each costs a record in memory, so a
// file of short rows would otherwise ask for many times its own size.
inline constexpr std::size_t MAX_CSV_ENTRIES = 1000000;

// Reads a CSV export in the dialect its header line names and hands each
// entry to fnEntry in file order, with the columns whose values it carries
// in no text; rows whose fields are all empty (a spreadsheet's padding) and
// rows the dialect says are none (a folder's own row) are no entries.
// False with strError set when the header is not one of the dialects (the
// message lists the headers understood), the text ends inside quotes or
// holds more than nMaxEntries entries; entries already handed over stay
// with the caller.
bool ReadCsvEntries(std::string_view strText,
                    const std::function<void(const SImportEntry&)>& fnEntry, std::string& strError,
                    std::size_t nMaxEntries = MAX_CSV_ENTRIES);
