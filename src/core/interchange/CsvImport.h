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

// Reads a CSV export and hands each entry to fnEntry in file order. False
// with strError set when the header is not one of the dialects (the
// message lists the headers understood) or the text ends inside quotes;
// entries already handed over stay with the caller.
bool ReadCsvEntries(std::string_view strText,
                    const std::function<void(const SImportEntry&)>& fnEntry, std::string& strError);
