// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/KdbxFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Changes to a KeePass database made the way KeePass makes them, so that
// every other manager sees them as its own: times kept, history kept and
// trimmed, deletions recycled or recorded. Each takes the time of the change
// (Unix seconds) from its caller.

// One String of an entry to set: its key and value.
struct SKdbxNewField {
    std::string strKey;
    std::string strValue;
};

// What a history may hold when Meta says nothing: KeePass's own defaults.
inline constexpr std::int64_t KDBX_DEFAULT_HISTORY_ITEMS = 10;
inline constexpr std::int64_t KDBX_DEFAULT_HISTORY_SIZE = 6 * 1024 * 1024;

// A new empty database: Meta with the usual settings (passwords protected
// in memory, a recycle bin, a history of 10 items and 6 MiB) and a root
// group named strName, KDBX 4 with Argon2id and ChaCha20 as Keyhaven's
// exports use.
CKdbxFile NewKdbxDatabase(std::string_view strName, std::int64_t nNow);

// The group at strPath below the root group (names joined by "/", empty
// parts ignored; "" is the root group), made with each missing group on the
// way. A reference into the tree: adding groups beside it moves it.
CXmlElement& KdbxGroupAt(CXmlTree& xml, std::string_view strPath, std::int64_t nNow);
// The same for the names from the top down, each taken whole ("/" and ""
// included).
CXmlElement& KdbxGroupAt(CXmlTree& xml, const std::vector<std::string>& astrNames,
                         std::int64_t nNow);
// The group at strPath as KdbxGroupAt reads it, or none: nothing is made.
CXmlElement* FindKdbxGroupAt(CXmlTree& xml, std::string_view strPath);

// Appends a new entry to the group, its fields in the given order (Title,
// UserName, Password, URL and Notes are there even when not given), each
// protected as Meta's MemoryProtection says (a custom field never, unless
// XML cannot carry its text plainly).
CXmlElement& AddKdbxEntry(CXmlTree& xml, CXmlElement& group,
                          const std::vector<SKdbxNewField>& fields, std::int64_t nNow);

// Sets the entry's fields (a value of a key it lacks is appended), once its
// state before is kept in its history; then trims the history as Meta's
// HistoryMaxItems and HistoryMaxSize say. False, with nothing changed, when
// no field would change.
bool EditKdbxEntry(CKdbxFile& database, CXmlElement& entry,
                   const std::vector<SKdbxNewField>& fields, std::int64_t nNow);

// Sets the entry's fields as EditKdbxEntry does, keeping no history.
void SetKdbxFields(CXmlTree& xml, CXmlElement& entry, const std::vector<SKdbxNewField>& fields);

// Changes the entry through fnChange once its state before is kept in its
// history; then stamps the change and trims the history as EditKdbxEntry
// does. For a change the caller knows to be one.
void ChangeKdbxEntry(CKdbxFile& database, CXmlElement& entry, std::int64_t nNow,
                     const std::function<void(CXmlTree&)>& fnChange);

// Sets the entry's String of that key (appended where it has none), its
// value protected as bProtected says (or where XML cannot carry it plainly).
void SetKdbxString(CXmlTree& xml, CXmlElement& entry, std::string_view strKey,
                   std::string_view strValue, bool bProtected);
// Removes the entry's String of that key; false when it has none.
bool RemoveKdbxString(CXmlElement& entry, std::string_view strKey);

// Trims an entry's history: the oldest items go while there are more than
// nMaxItems; then, counting from the newest, the item whose running size
// passes nMaxSize goes with all older ones. A negative limit is none.
void TrimKdbxHistory(const CKdbxFile& database, CXmlElement& entry, std::int64_t nMaxItems,
                     std::int64_t nMaxSize);
// The same within the limits the database's Meta sets (KeePass's defaults
// where it sets none).
void TrimKdbxHistory(CKdbxFile& database, CXmlElement& entry);

// An entry's size as its history counts it: the bytes of its strings' keys
// and values, its binaries' keys and contents, and its tags.
std::size_t KdbxEntrySize(const CKdbxFile& database, const CXmlElement& entry);

// Deletes the entry of that UUID (base64): into the recycle bin while
// Meta's RecycleBinEnabled is not False (the bin made when there is none),
// otherwise, and for an entry already in the bin, removed with a
// DeletedObject record. False when there is no such entry.
bool DeleteKdbxEntry(CXmlTree& xml, std::string_view strUuid, std::int64_t nNow);
// Deletes entries already taken out of their groups, none of them from the
// recycle bin, as DeleteKdbxEntry deletes each, in one pass: into the bin
// in their order, or recorded as deleted.
void RecycleKdbxEntries(CXmlTree& xml, std::vector<CXmlElement> entries, std::int64_t nNow);

// Drops the pool's files that no entry refers to any more, its history's
// and the recycle bin's included (an attachment removed must not stay in
// the file), and renumbers the references to those that stay.
void DropUnusedKdbxBinaries(CKdbxFile& database);

// A fresh random UUID (version 4) as the database stores it.
std::string NewKdbxUuid();
