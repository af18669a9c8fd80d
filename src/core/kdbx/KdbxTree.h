// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/XmlTree.h"

#include <string>
#include <string_view>
#include <vector>

// A KeePass database's groups as a listing shows them: each group once, in
// the file's order, every group before the groups inside it, with its
// entries. The recycle bin (Meta's RecycleBinUUID, while RecycleBinEnabled
// is not False) and everything inside it are left out, and so are the
// entries kept in a history: neither is what the user keeps.
struct SKdbxGroupNode {
    const CXmlElement* pGroup = nullptr;
    std::size_t nDepth = 0;                  // 0 for the root group
    std::size_t nParent = std::string::npos; // the node of the group it lies in
    std::vector<const CXmlElement*> entries; // in the file's order
};

std::vector<SKdbxGroupNode> KdbxGroupTree(const CXmlTree& xml);

// The path of tree[nIndex] as FindKdbxEntry takes it: the names below the
// root group joined by "/", the root group's own name for the root. Made
// when asked, not kept: the paths of a deep tree together would cost the
// square of its depth.
std::string KdbxGroupPath(const std::vector<SKdbxGroupNode>& tree, std::size_t nIndex);

// The group the database uses as its recycle bin; null when it has none
// in use.
const CXmlElement* KdbxRecycleBin(const CXmlTree& xml);

// One String of an entry: its key, its value (a protected one unmasked)
// and whether it is protected.
struct SKdbxField {
    std::string_view strKey;
    std::string_view strValue;
    bool bProtected = false;
};

// Every String of the entry in the file's order.
std::vector<SKdbxField> KdbxEntryFields(const CXmlElement& entry);

// Title, UserName, Password, URL and Notes: the fields every entry has and
// every manager shows as its own; the rest are custom fields.
bool IsKdbxStandardField(std::string_view strKey);
