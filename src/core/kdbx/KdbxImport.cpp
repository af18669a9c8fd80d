// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxImport.h"

#include "core/base/TextUtil.h"
#include "core/kdbx/KdbxTree.h"
#include "core/seal/SecretBuffer.h"

#include <algorithm>
#include <memory>
#include <string>

SKdbxEntryParts KdbxEntryParts(const CXmlElement& entry) {
    SKdbxEntryParts parts;
    bool bEMailSet = false;
    for (const SKdbxField& field : KdbxEntryFields(entry)) {
        const std::string strKey(field.strKey);
        if (strKey == "Title")
            parts.strTitle = field.strValue;
        else if (strKey == "UserName")
            parts.strUserName = field.strValue;
        else if (strKey == "Password")
            parts.strPassword = field.strValue;
        else if (strKey == "URL")
            parts.strUrl = field.strValue;
        else if (strKey == "Notes")
            parts.strNotes = field.strValue;
        else if (!bEMailSet && IsEMailFieldName(strKey)) {
            parts.strEMail = field.strValue;
            bEMailSet = true;
        } else if (IsOtpFieldName(strKey))
            parts.bOtp = true;
        else
            parts.customKeys.push_back(field.strKey);
    }
    for (const CXmlElement& child : entry.Children())
        if (child.Name() == "Binary")
            ++parts.nAttachments;
    parts.bTags = entry.ChildText("Tags").find_first_not_of(" \t\r\n") != std::string_view::npos;
    if (const CXmlElement* pTimes = entry.Child("Times")) {
        std::string_view strExpires = pTimes->ChildText("Expires");
        const std::size_t nStart =
            std::min(strExpires.find_first_not_of(" \t\r\n"), strExpires.size());
        strExpires.remove_prefix(nStart);
        strExpires = strExpires.substr(0, strExpires.find_last_not_of(" \t\r\n") + 1);
        parts.bExpires = EqualsNoCaseAscii(strExpires, "True");
    }
    return parts;
}

void ForEachKdbxImportEntry(const CXmlTree& xml,
                            const std::function<void(const SImportEntry&)>& fnEntry) {
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(xml);
    // The groups share one tree, as the file's reader gives them: an entry
    // costs no copy of its path. The root's name stands alone for the
    // root's own entries; below it the path starts under the root.
    const auto pGroups = std::make_shared<std::vector<SImportGroup>>(tree.size());
    for (std::size_t i = 0; i < tree.size(); ++i) {
        SImportGroup& group = (*pGroups)[i];
        group.strName = std::string(tree[i].pGroup->ChildText("Name"));
        if (tree[i].nDepth >= 2)
            group.pParent = &(*pGroups)[tree[i].nParent];
    }
    SImportEntry out;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        out.pGroup = std::shared_ptr<const SImportGroup>(pGroups, &(*pGroups)[i]);
        for (const CXmlElement* pEntry : tree[i].entries) {
            const SKdbxEntryParts parts = KdbxEntryParts(*pEntry);
            out.strTitle = parts.strTitle;
            out.strUserName = parts.strUserName;
            out.strPassword = parts.strPassword;
            out.strUrl = parts.strUrl;
            out.strNotes = parts.strNotes;
            out.strEMail = parts.strEMail;
            out.anLeftOut = {};
            out.LeaveOut(ELeftOut::customField, static_cast<int>(parts.customKeys.size()));
            out.LeaveOut(ELeftOut::attachment, parts.nAttachments);
            out.LeaveOut(ELeftOut::oneTimePassword, parts.bOtp ? 1 : 0);
            out.LeaveOut(ELeftOut::tags, parts.bTags ? 1 : 0);
            out.LeaveOut(ELeftOut::expiry, parts.bExpires ? 1 : 0);
            fnEntry(out);
        }
    }
    CSecretBuffer::Wipe(out.strPassword);
}
