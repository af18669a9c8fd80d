// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/XmlTree.h"

#include <optional>
#include <string_view>

// Entries of a KeePass database found the way a person names them: by the
// path of their group below the root group (names joined by "/", "Work/Mail";
// the root group's own name for the root) and by their title. Entries kept
// in a history are never found.
enum class EKdbxFind { found, noGroup, noEntry };

struct SKdbxFound {
    EKdbxFind eFind = EKdbxFind::noGroup;
    const CXmlElement* pEntry = nullptr; // the first entry of that title
};

SKdbxFound FindKdbxEntry(const CXmlTree& xml, std::string_view strGroupPath,
                         std::string_view strTitle);

// The value of the entry's field strKey (its String of that Key), a
// protected one unmasked; nothing when the entry has no such field.
std::optional<std::string_view> KdbxEntryField(const CXmlElement& entry, std::string_view strKey);
