// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxEntries.h"

namespace {

const CXmlElement* ChildGroupNamed(const CXmlElement& group, std::string_view strName) {
    for (const CXmlElement& child : group.Children()) {
        if (child.Name() == "Group" && child.ChildText("Name") == strName)
            return &child;
    }
    return nullptr;
}

const CXmlElement* GroupAt(const CXmlTree& xml, std::string_view strPath) {
    const CXmlElement* pRootGroup = nullptr;
    if (const CXmlElement* pRoot = xml.Root().Child("Root"))
        pRootGroup = pRoot->Child("Group");
    if (pRootGroup == nullptr || strPath == pRootGroup->ChildText("Name"))
        return pRootGroup;
    const CXmlElement* pGroup = pRootGroup;
    while (pGroup != nullptr) {
        const std::size_t nSlash = strPath.find('/');
        pGroup = ChildGroupNamed(*pGroup, strPath.substr(0, nSlash));
        if (nSlash == std::string_view::npos)
            return pGroup;
        strPath.remove_prefix(nSlash + 1);
    }
    return nullptr;
}

} // namespace

SKdbxFound FindKdbxEntry(const CXmlTree& xml, std::string_view strGroupPath,
                         std::string_view strTitle) {
    const CXmlElement* pGroup = GroupAt(xml, strGroupPath);
    if (pGroup == nullptr)
        return {};
    for (const CXmlElement& child : pGroup->Children()) {
        if (child.Name() == "Entry" && KdbxEntryField(child, "Title") == strTitle)
            return {EKdbxFind::found, &child};
    }
    return {EKdbxFind::noEntry, nullptr};
}

std::optional<std::string_view> KdbxEntryField(const CXmlElement& entry, std::string_view strKey) {
    for (const CXmlElement& child : entry.Children()) {
        if (child.Name() != "String" || child.ChildText("Key") != strKey)
            continue;
        const CXmlElement* pValue = child.Child("Value");
        return pValue ? pValue->Text() : std::string_view();
    }
    return std::nullopt;
}
