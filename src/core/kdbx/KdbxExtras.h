// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"
#include "core/kdbx/KdbxFile.h"

#include <cstdint>
#include <vector>

// What an entry of a KeePass database holds beyond the texts its account
// shows, read and written as KeePass keeps it: custom Strings, the
// one-time password's field, Tags, the expiry in Times, and Binary
// references into the database's pool.

// The entry's custom fields, in its order: not its own five, not the
// e-mail its account shows, not the one-time password's fields.
std::vector<SRecordField> KdbxCustomFields(const CXmlElement& entry);

// Everything beyond the texts. A one-time password kept in the older pair
// of fields reads as the URI that holds the same settings.
SRecordExtras KdbxEntryExtras(const CKdbxFile& database, const CXmlElement& entry);

// Makes the entry hold extras, changing only what differs from what
// KdbxEntryExtras reads of it (an entry's other fields, their order and
// everything else stay as they are): a one-time password set anew is
// written as the URI field (protected) and the older pair goes; attachments
// share the pool's copy of bytes it holds already. False when nothing
// differed. The caller keeps the entry's history.
bool SetKdbxEntryExtras(CKdbxFile& database, CXmlElement& entry, const SRecordExtras& extras);

// The entry's earlier versions as its history keeps them, oldest first.
std::vector<SRecordVersion> KdbxEntryHistory(const CKdbxFile& database, const CXmlElement& entry);

// Tags as KeePass writes them, and as read: separated by ";" or ",",
// trimmed, empty ones and repeats dropped.
std::string JoinKdbxTags(const std::vector<std::string>& tags);
std::vector<std::string> SplitKdbxTags(std::string_view strTags);
