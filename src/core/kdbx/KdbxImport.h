// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"
#include "core/kdbx/XmlTree.h"

#include <functional>
#include <string_view>
#include <vector>

// An entry of a KeePass database cut along the six fields an account has:
// what goes into them and what has no place there.
struct SKdbxEntryParts {
    std::string_view strTitle;
    std::string_view strUserName;
    std::string_view strPassword;
    std::string_view strUrl;
    std::string_view strNotes;
    // The first custom field named as an e-mail (IsEMailFieldName).
    std::string_view strEMail;
    // Every other custom field but the one-time password's, by key.
    std::vector<std::string_view> customKeys;
    bool bOtp = false;
    int nAttachments = 0;
    bool bTags = false;
    bool bExpires = false;
};

SKdbxEntryParts KdbxEntryParts(const CXmlElement& entry);

// Every entry of KdbxGroupTree as an import hands it to CImporter, in the
// tree's order: the same fields and the same counts of what is left out as
// reading the database's file (ReadKdbxEntries) gives, so that a database
// kept whole converts exactly as it would import.
void ForEachKdbxImportEntry(const CXmlTree& xml,
                            const std::function<void(const SImportEntry&)>& fnEntry);
