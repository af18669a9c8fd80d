// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// Sources shaped to make an import slow or large: field references that
// multiply, groups nested deep and names that begin alike. The KeePass ones
// are the XML inside a database (MakeTestKdbx makes the database around it);
// the CSV ones are KeePassXC exports. The tests, the fuzzer's seeds and the
// import benchmark share them.

// The UUID of the n-th crafted entry as a reference writes it (32 hex digits).
std::string CraftedUuidHex(std::size_t n);

// nEntries entries in one group; each standard field of each entry but the
// last is nCopies references to the same field of the next entry, and the
// last entry's fields are strTail ("T", "U", ... when strTail is null). The
// entries are written first to last, or last to first.
std::string ReferenceFanXml(std::size_t nEntries, std::size_t nCopies,
                            const char* pszTail = nullptr, bool bLastFirst = false);

// Entries whose passwords refer to one another in a ring of nEntries, each
// adding its own letter after the reference.
std::string ReferenceRingXml(std::size_t nEntries);

// nDepth groups each inside the one before, below the root; each holds an
// entry titled with its depth ("1", "2", ...). Group names are strName.
std::string NestedGroupsXml(std::size_t nDepth, const std::string& strName = "g");
std::string NestedGroupsCsv(std::size_t nDepth, const std::string& strName = "g");

// nEntries entries in one group whose titles are nTitles names, taken in
// turn, that share their first nShared characters and differ after them.
std::string SharedStartTitlesXml(std::size_t nEntries, std::size_t nTitles, std::size_t nShared);
std::string SharedStartTitlesCsv(std::size_t nEntries, std::size_t nTitles, std::size_t nShared);
// The n-th of those titles (0-based).
std::string SharedStartTitle(std::size_t n, std::size_t nShared);

// A database with one group below the root holding an entry, and a group
// beside it that Meta names as the recycle bin, holding another entry;
// strEnabled is Meta's RecycleBinEnabled ("" leaves it out).
std::string RecycleBinXml(const std::string& strEnabled);
