// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

class CKdbxFile;

// What keyhaven-cli info tells of an opened KeePass database, as label and
// value pairs in the order shown: the format version read, the cipher,
// compression, key derivation and its parameters, Meta's database name and
// generator, and the counts. Groups and accounts are those a listing shows
// (KdbxGroupTree: no recycle bin, no history; the root group not counted
// as a group); history items and attachments are those of these accounts.
// Texts are as the file holds them: escaping them for a terminal is the
// caller's.
std::vector<std::pair<std::string, std::string>> KdbxInfoFacts(const CKdbxFile& database);
