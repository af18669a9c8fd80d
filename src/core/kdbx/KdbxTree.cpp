// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxTree.h"

#include <algorithm>
#include <botan/base64.h>
#include <botan/exceptn.h>

namespace {

std::string_view Trimmed(std::string_view str) {
    const auto IsBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!str.empty() && IsBlank(str.front()))
        str.remove_prefix(1);
    while (!str.empty() && IsBlank(str.back()))
        str.remove_suffix(1);
    return str;
}

bool IsFalse(std::string_view strText) {
    strText = Trimmed(strText);
    return strText.size() == 5 &&
           std::equal(strText.begin(), strText.end(), "false", [](char c, char cLower) {
               return (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == cLower;
           });
}

// The 16 bytes of a UUID element's base64; empty when it is no UUID. The
// bytes are compared, not the texts: base64 may be written in more than one
// way (line breaks, blanks).
std::string UuidBytes(std::string_view strText) {
    strText = Trimmed(strText);
    try {
        const auto bytes = Botan::base64_decode(strText.data(), strText.size(), true);
        return bytes.size() == 16 ? std::string(bytes.begin(), bytes.end()) : std::string();
    } catch (const Botan::Exception&) {
        return {};
    }
}

const CXmlElement* RootGroup(const CXmlTree& xml) {
    const CXmlElement* pRoot = xml.Root().Child("Root");
    return pRoot ? pRoot->Child("Group") : nullptr;
}

// Pre-order without recursion: a hostile file may nest groups deeper than
// the stack would take.
void Walk(const CXmlElement& rootGroup, const CXmlElement* pBin,
          std::vector<SKdbxGroupNode>& nodes) {
    struct SPending {
        const CXmlElement* pGroup;
        std::size_t nParent; // index into nodes; npos for the root
    };
    std::vector<SPending> stack{{&rootGroup, std::string::npos}};
    while (!stack.empty()) {
        const SPending pending = stack.back();
        stack.pop_back();
        SKdbxGroupNode node;
        node.pGroup = pending.pGroup;
        node.nParent = pending.nParent;
        if (pending.nParent != std::string::npos)
            node.nDepth = nodes[pending.nParent].nDepth + 1;
        const std::size_t nIndex = nodes.size();
        const std::size_t nFirstChild = stack.size();
        for (const CXmlElement& child : pending.pGroup->Children()) {
            if (child.Name() == "Entry")
                node.entries.push_back(&child);
            else if (child.Name() == "Group" && &child != pBin)
                stack.push_back({&child, nIndex});
        }
        // Popped in the file's order.
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(nFirstChild), stack.end());
        nodes.push_back(std::move(node));
    }
}

} // namespace

const CXmlElement* KdbxRecycleBin(const CXmlTree& xml) {
    const CXmlElement* pMeta = xml.Root().Child("Meta");
    const CXmlElement* pRootGroup = RootGroup(xml);
    if (pMeta == nullptr || pRootGroup == nullptr || IsFalse(pMeta->ChildText("RecycleBinEnabled")))
        return nullptr;
    const std::string strBin = UuidBytes(pMeta->ChildText("RecycleBinUUID"));
    if (strBin.empty() || strBin == std::string(16, '\0'))
        return nullptr;
    std::vector<const CXmlElement*> stack{pRootGroup};
    while (!stack.empty()) {
        const CXmlElement* pGroup = stack.back();
        stack.pop_back();
        if (UuidBytes(pGroup->ChildText("UUID")) == strBin)
            return pGroup;
        for (const CXmlElement& child : pGroup->Children()) {
            if (child.Name() == "Group")
                stack.push_back(&child);
        }
    }
    return nullptr;
}

std::vector<SKdbxGroupNode> KdbxGroupTree(const CXmlTree& xml) {
    std::vector<SKdbxGroupNode> nodes;
    const CXmlElement* pRootGroup = RootGroup(xml);
    if (pRootGroup != nullptr)
        Walk(*pRootGroup, KdbxRecycleBin(xml), nodes);
    return nodes;
}

std::string KdbxGroupPath(const std::vector<SKdbxGroupNode>& tree, std::size_t nIndex) {
    if (tree[nIndex].nDepth == 0)
        return std::string(tree[nIndex].pGroup->ChildText("Name"));
    std::vector<std::string_view> names;
    for (std::size_t n = nIndex; tree[n].nDepth > 0; n = tree[n].nParent)
        names.push_back(tree[n].pGroup->ChildText("Name"));
    std::string strPath;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!strPath.empty() || it != names.rbegin())
            strPath += '/';
        strPath += *it;
    }
    return strPath;
}

std::vector<SKdbxField> KdbxEntryFields(const CXmlElement& entry) {
    std::vector<SKdbxField> fields;
    for (const CXmlElement& child : entry.Children()) {
        if (child.Name() != "String")
            continue;
        const CXmlElement* pValue = child.Child("Value");
        fields.push_back({child.ChildText("Key"), pValue ? pValue->Text() : std::string_view(),
                          pValue != nullptr && pValue->IsProtected()});
    }
    return fields;
}

bool IsKdbxStandardField(std::string_view strKey) {
    return strKey == "Title" || strKey == "UserName" || strKey == "Password" || strKey == "URL" ||
           strKey == "Notes";
}
