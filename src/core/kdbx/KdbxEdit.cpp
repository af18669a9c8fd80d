// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxEdit.h"

#include "core/interchange/KdbxTime.h"
#include "core/interchange/KdbxWriter.h"
#include "core/interchange/KdbxXmlWriter.h"
#include "core/kdbx/KdbxTree.h"

#include <botan/base64.h>
#include <botan/system_rng.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>

namespace {

// The folder icon, and the recycle bin's, of the standard set.
constexpr const char* GROUP_ICON = "48";
constexpr const char* RECYCLE_BIN_ICON = "43";
constexpr const char* NO_UUID = "AAAAAAAAAAAAAAAAAAAAAA==";

constexpr const char* STANDARD_FIELDS[] = {"Title", "UserName", "Password", "URL", "Notes"};

void SetTimes(CXmlTree& xml, CXmlElement& owner, std::int64_t nNow) {
    const std::string strNow = KdbxTimeText(nNow);
    CXmlElement& times = owner.AppendChild(xml, "Times");
    for (const char* pszName :
         {"CreationTime", "LastModificationTime", "LastAccessTime", "ExpiryTime"})
        times.SetChildText(xml, pszName, strNow);
    times.SetChildText(xml, "Expires", "False");
    times.SetChildText(xml, "UsageCount", "0");
    times.SetChildText(xml, "LocationChanged", strNow);
}

CXmlElement& AppendGroup(CXmlTree& xml, CXmlElement& parent, std::string_view strName,
                         const char* pszIcon, std::int64_t nNow) {
    CXmlElement& group = parent.AppendChild(xml, "Group");
    group.SetChildText(xml, "UUID", NewKdbxUuid());
    group.SetChildText(xml, "Name", strName);
    group.SetChildText(xml, "Notes", "");
    group.SetChildText(xml, "IconID", pszIcon);
    SetTimes(xml, group, nNow);
    group.SetChildText(xml, "IsExpanded", "True");
    group.SetChildText(xml, "DefaultAutoTypeSequence", "");
    group.SetChildText(xml, "EnableAutoType", "null");
    group.SetChildText(xml, "EnableSearching", "null");
    group.SetChildText(xml, "LastTopVisibleEntry", NO_UUID);
    return group;
}

CXmlElement* RootGroup(CXmlTree& xml) {
    CXmlElement* pRoot = xml.Root().Child("Root");
    return pRoot ? pRoot->Child("Group") : nullptr;
}

std::int64_t MetaNumber(const CXmlTree& xml, std::string_view strName, std::int64_t nDefault) {
    const CXmlElement* pMeta = xml.Root().Child("Meta");
    const CXmlElement* pItem = pMeta ? pMeta->Child(strName) : nullptr;
    if (!pItem)
        return nDefault;
    const std::string_view strText = pItem->Text();
    std::int64_t n = 0;
    const auto [pEnd, ec] = std::from_chars(strText.data(), strText.data() + strText.size(), n);
    return ec == std::errc() && pEnd == strText.data() + strText.size() ? n : nDefault;
}

bool IsFalse(std::string_view strText) {
    return strText == "False" || strText == "false" || strText == "0";
}

// Whether Meta's MemoryProtection protects the field (Protect<Key>).
bool IsProtectedField(const CXmlTree& xml, std::string_view strKey) {
    if (std::find(std::begin(STANDARD_FIELDS), std::end(STANDARD_FIELDS), strKey) ==
        std::end(STANDARD_FIELDS))
        return false;
    const CXmlElement* pMeta = xml.Root().Child("Meta");
    const CXmlElement* pProtection = pMeta ? pMeta->Child("MemoryProtection") : nullptr;
    const std::string strName = "Protect" + std::string(strKey);
    if (!pProtection || !pProtection->Child(strName))
        return strKey == "Password"; // what KeePass protects when nothing is said
    const std::string_view strValue = pProtection->ChildText(strName);
    return strValue == "True" || strValue == "true";
}

void SetValue(CXmlTree& xml, CXmlElement& string, std::string_view strKey,
              std::string_view strValue) {
    CXmlElement& value = string.SetChildText(xml, "Value", "");
    // Protected before the text is set: a protected text is kept in wiped
    // memory only.
    value.SetProtected(IsProtectedField(xml, strKey) || !IsXmlSafeText(strValue));
    value.SetText(strValue);
}

CXmlElement* StringOf(CXmlElement& entry, std::string_view strKey) {
    for (CXmlElement& child : entry.Children())
        if (child.Name() == "String" && child.ChildText("Key") == strKey)
            return &child;
    return nullptr;
}

// Appends a String, kept before the entry's AutoType and History as
// KeePass orders them.
void AppendString(CXmlTree& xml, CXmlElement& entry, std::string_view strKey,
                  std::string_view strValue) {
    CXmlElement& string = entry.AppendChild(xml, "String");
    string.SetChildText(xml, "Key", strKey);
    SetValue(xml, string, strKey, strValue);
    auto& children = entry.Children();
    const auto itTail =
        std::find_if(children.begin(), children.end() - 1, [](const CXmlElement& c) {
            return c.Name() == "AutoType" || c.Name() == "History";
        });
    std::rotate(itTail, children.end() - 1, children.end());
}

void CopyInto(CXmlTree& xml, CXmlElement& target, const CXmlElement& source) {
    for (const CXmlElement::SAttribute& attribute : source.Attributes())
        if (*attribute.pName != "Protected")
            target.SetAttribute(xml, *attribute.pName, attribute.strValue);
    target.SetProtected(source.IsProtected());
    target.SetText(source.Text());
    for (const CXmlElement& child : source.Children())
        CopyInto(xml, target.AppendChild(xml, child.Name()), child);
}

struct SEntryPlace {
    CXmlElement* pGroup = nullptr;
    std::size_t nIndex = 0;
};

// The group holding the entry of that UUID, outside any history.
bool FindEntryPlace(CXmlElement& group, std::string_view strUuid, SEntryPlace& place) {
    auto& children = group.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        CXmlElement& child = children[i];
        if (child.Name() == "Entry" && child.ChildText("UUID") == strUuid) {
            place = {&group, i};
            return true;
        }
        if (child.Name() == "Group" && FindEntryPlace(child, strUuid, place))
            return true;
    }
    return false;
}

CXmlElement* FindGroup(CXmlElement& group, std::string_view strUuid) {
    if (group.ChildText("UUID") == strUuid)
        return &group;
    for (CXmlElement& child : group.Children())
        if (child.Name() == "Group")
            if (CXmlElement* pFound = FindGroup(child, strUuid))
                return pFound;
    return nullptr;
}

bool IsInside(const CXmlElement& group, const CXmlElement& target) {
    if (&group == &target)
        return true;
    return std::any_of(group.Children().begin(), group.Children().end(),
                       [&](const CXmlElement& child) {
                           return child.Name() == "Group" && IsInside(child, target);
                       });
}

void RecordDeleted(CXmlTree& xml, std::string_view strUuid, std::int64_t nNow) {
    CXmlElement* pRoot = xml.Root().Child("Root");
    CXmlElement* pDeleted = pRoot->Child("DeletedObjects");
    if (!pDeleted)
        pDeleted = &pRoot->AppendChild(xml, "DeletedObjects");
    CXmlElement& record = pDeleted->AppendChild(xml, "DeletedObject");
    // The UUID is copied first: the record may move the text it comes from.
    const std::string strCopy(strUuid);
    record.SetChildText(xml, "UUID", strCopy);
    record.SetChildText(xml, "DeletionTime", KdbxTimeText(nNow));
}

// The recycle bin, made below the root group when Meta names none that
// exists.
CXmlElement& RecycleBin(CXmlTree& xml, CXmlElement& meta, CXmlElement& root, std::int64_t nNow) {
    const std::string strUuid(meta.ChildText("RecycleBinUUID"));
    if (!strUuid.empty() && strUuid != NO_UUID)
        if (CXmlElement* pBin = FindGroup(root, strUuid))
            return *pBin;
    CXmlElement& bin = AppendGroup(xml, root, "Recycle Bin", RECYCLE_BIN_ICON, nNow);
    bin.SetChildText(xml, "IsExpanded", "False");
    bin.SetChildText(xml, "EnableAutoType", "false");
    bin.SetChildText(xml, "EnableSearching", "false");
    meta.SetChildText(xml, "RecycleBinUUID", bin.ChildText("UUID"));
    meta.SetChildText(xml, "RecycleBinChanged", KdbxTimeText(nNow));
    return bin;
}

} // namespace

void DropUnusedKdbxBinaries(CKdbxFile& database) {
    auto& pool = database.Binaries();
    // Every reference into the pool, found without recursion: groups nest
    // deeply.
    std::vector<std::pair<CXmlElement*, std::size_t>> refs;
    std::vector<CXmlElement*> stack{&database.Xml().Root()};
    while (!stack.empty()) {
        CXmlElement* pElement = stack.back();
        stack.pop_back();
        if (pElement->Name() != "Binary") {
            for (CXmlElement& child : pElement->Children())
                stack.push_back(&child);
            continue;
        }
        CXmlElement* pValue = pElement->Child("Value");
        const std::string* pRef = pValue ? pValue->Attribute("Ref") : nullptr;
        std::size_t nRef = 0;
        if (pRef &&
            std::from_chars(pRef->data(), pRef->data() + pRef->size(), nRef).ec == std::errc() &&
            nRef < pool.size())
            refs.emplace_back(pValue, nRef);
    }
    std::vector<bool> used(pool.size());
    for (const auto& ref : refs)
        used[ref.second] = true;
    if (std::all_of(used.begin(), used.end(), [](bool b) { return b; }))
        return;
    std::vector<std::size_t> newIndex(pool.size());
    std::size_t nKept = 0;
    for (std::size_t i = 0; i < pool.size(); ++i) {
        newIndex[i] = nKept;
        if (!used[i])
            continue;
        if (nKept != i)
            pool[nKept] = std::move(pool[i]);
        ++nKept;
    }
    pool.resize(nKept);
    for (const auto& [pValue, nRef] : refs)
        if (newIndex[nRef] != nRef)
            pValue->SetAttribute(database.Xml(), "Ref", std::to_string(newIndex[nRef]));
}

std::string NewKdbxUuid() {
    std::array<std::uint8_t, 16> abUuid{};
    Botan::system_rng().randomize(abUuid.data(), abUuid.size());
    abUuid[6] = static_cast<std::uint8_t>((abUuid[6] & 0x0F) | 0x40);
    abUuid[8] = static_cast<std::uint8_t>((abUuid[8] & 0x3F) | 0x80);
    return Botan::base64_encode(abUuid.data(), abUuid.size());
}

CKdbxFile NewKdbxDatabase(std::string_view strName, std::int64_t nNow) {
    CKdbxFile database;
    const SKdbxWriteOptions options;
    database.SetCipher(options.eCipher);
    database.SetCompressed(options.bCompress);
    database.SetKdfParameters(KdbxKdfToVariantMap(KdbxFreshKdfParams(options)));
    CXmlTree& xml = database.Xml();
    xml.SetRootName("KeePassFile");
    const std::string strNow = KdbxTimeText(nNow);
    CXmlElement& meta = xml.Root().AppendChild(xml, "Meta");
    meta.SetChildText(xml, "Generator", "Keyhaven");
    meta.SetChildText(xml, "DatabaseName", strName);
    meta.SetChildText(xml, "DatabaseNameChanged", strNow);
    meta.SetChildText(xml, "DatabaseDescription", "");
    meta.SetChildText(xml, "DatabaseDescriptionChanged", strNow);
    meta.SetChildText(xml, "DefaultUserName", "");
    meta.SetChildText(xml, "DefaultUserNameChanged", strNow);
    meta.SetChildText(xml, "MaintenanceHistoryDays", "365");
    CXmlElement& protection = meta.AppendChild(xml, "MemoryProtection");
    for (const char* pszField : STANDARD_FIELDS)
        protection.SetChildText(xml, std::string("Protect") + pszField,
                                std::string_view(pszField) == "Password" ? "True" : "False");
    meta.SetChildText(xml, "RecycleBinEnabled", "True");
    meta.SetChildText(xml, "RecycleBinUUID", NO_UUID);
    meta.SetChildText(xml, "RecycleBinChanged", strNow);
    meta.SetChildText(xml, "EntryTemplatesGroup", NO_UUID);
    meta.SetChildText(xml, "EntryTemplatesGroupChanged", strNow);
    meta.SetChildText(xml, "HistoryMaxItems", std::to_string(KDBX_DEFAULT_HISTORY_ITEMS));
    meta.SetChildText(xml, "HistoryMaxSize", std::to_string(KDBX_DEFAULT_HISTORY_SIZE));
    meta.SetChildText(xml, "LastSelectedGroup", NO_UUID);
    meta.SetChildText(xml, "LastTopVisibleGroup", NO_UUID);
    meta.SetChildText(xml, "SettingsChanged", strNow);
    CXmlElement& root = xml.Root().AppendChild(xml, "Root");
    AppendGroup(xml, root, strName, GROUP_ICON, nNow);
    root.AppendChild(xml, "DeletedObjects");
    return database;
}

namespace {

std::vector<std::string> PathNames(std::string_view strPath) {
    std::vector<std::string> astrNames;
    while (!strPath.empty()) {
        const std::size_t nEnd = std::min(strPath.find('/'), strPath.size());
        if (nEnd > 0)
            astrNames.emplace_back(strPath.substr(0, nEnd));
        strPath.remove_prefix(std::min(nEnd + 1, strPath.size()));
    }
    return astrNames;
}

CXmlElement* ChildGroup(CXmlElement& group, std::string_view strName) {
    for (CXmlElement& child : group.Children())
        if (child.Name() == "Group" && child.ChildText("Name") == strName)
            return &child;
    return nullptr;
}

} // namespace

CXmlElement& KdbxGroupAt(CXmlTree& xml, std::string_view strPath, std::int64_t nNow) {
    return KdbxGroupAt(xml, PathNames(strPath), nNow);
}

CXmlElement& KdbxGroupAt(CXmlTree& xml, const std::vector<std::string>& astrNames,
                         std::int64_t nNow) {
    CXmlElement* pGroup = RootGroup(xml);
    if (!pGroup) {
        CXmlElement* pRoot = xml.Root().Child("Root");
        if (!pRoot)
            pRoot = &xml.Root().AppendChild(xml, "Root");
        pGroup = &AppendGroup(xml, *pRoot, "Root", GROUP_ICON, nNow);
    }
    for (const std::string& strName : astrNames) {
        CXmlElement* pChild = ChildGroup(*pGroup, strName);
        pGroup = pChild ? pChild : &AppendGroup(xml, *pGroup, strName, GROUP_ICON, nNow);
    }
    return *pGroup;
}

CXmlElement* FindKdbxGroupAt(CXmlTree& xml, std::string_view strPath) {
    CXmlElement* pGroup = RootGroup(xml);
    for (const std::string& strName : PathNames(strPath)) {
        if (!pGroup)
            break;
        pGroup = ChildGroup(*pGroup, strName);
    }
    return pGroup;
}

CXmlElement& AddKdbxEntry(CXmlTree& xml, CXmlElement& group,
                          const std::vector<SKdbxNewField>& fields, std::int64_t nNow) {
    // Entries come before the groups inside a group, as KeePass writes them.
    auto& siblings = group.Children();
    group.AppendChild(xml, "Entry");
    const auto itFirstGroup =
        std::find_if(siblings.begin(), siblings.end() - 1,
                     [](const CXmlElement& child) { return child.Name() == "Group"; });
    std::rotate(itFirstGroup, siblings.end() - 1, siblings.end());
    CXmlElement& entry = *itFirstGroup;
    entry.SetChildText(xml, "UUID", NewKdbxUuid());
    entry.SetChildText(xml, "IconID", "0");
    entry.SetChildText(xml, "ForegroundColor", "");
    entry.SetChildText(xml, "BackgroundColor", "");
    entry.SetChildText(xml, "OverrideURL", "");
    entry.SetChildText(xml, "Tags", "");
    SetTimes(xml, entry, nNow);
    for (const char* pszKey : STANDARD_FIELDS) {
        const auto it = std::find_if(fields.begin(), fields.end(),
                                     [&](const SKdbxNewField& f) { return f.strKey == pszKey; });
        AppendString(xml, entry, pszKey, it != fields.end() ? it->strValue : std::string_view());
    }
    for (const SKdbxNewField& field : fields)
        if (!StringOf(entry, field.strKey))
            AppendString(xml, entry, field.strKey, field.strValue);
    CXmlElement& autoType = entry.AppendChild(xml, "AutoType");
    autoType.SetChildText(xml, "Enabled", "True");
    autoType.SetChildText(xml, "DataTransferObfuscation", "0");
    entry.AppendChild(xml, "History");
    return entry;
}

bool EditKdbxEntry(CKdbxFile& database, CXmlElement& entry,
                   const std::vector<SKdbxNewField>& fields, std::int64_t nNow) {
    const bool bChanges = std::any_of(fields.begin(), fields.end(), [&](const SKdbxNewField& f) {
        const CXmlElement* pString = StringOf(entry, f.strKey);
        return !pString || pString->ChildText("Value") != f.strValue;
    });
    if (!bChanges)
        return false;
    ChangeKdbxEntry(database, entry, nNow,
                    [&](CXmlTree& xml) { SetKdbxFields(xml, entry, fields); });
    return true;
}

void SetKdbxFields(CXmlTree& xml, CXmlElement& entry, const std::vector<SKdbxNewField>& fields) {
    for (const SKdbxNewField& field : fields) {
        if (CXmlElement* pString = StringOf(entry, field.strKey))
            SetValue(xml, *pString, field.strKey, field.strValue);
        else
            AppendString(xml, entry, field.strKey, field.strValue);
    }
}

void ChangeKdbxEntry(CKdbxFile& database, CXmlElement& entry, std::int64_t nNow,
                     const std::function<void(CXmlTree&)>& fnChange) {
    CXmlTree& xml = database.Xml();
    // The state before the change, without its own history, becomes the
    // history's newest item.
    if (!entry.Child("History"))
        entry.AppendChild(xml, "History");
    CXmlElement& item = entry.Child("History")->AppendChild(xml, "Entry");
    for (const CXmlElement& child : entry.Children())
        if (child.Name() != "History")
            CopyInto(xml, item.AppendChild(xml, child.Name()), child);
    fnChange(xml);
    CXmlElement* pTimes = entry.Child("Times");
    if (!pTimes)
        pTimes = &entry.AppendChild(xml, "Times");
    pTimes->SetChildText(xml, "LastModificationTime", KdbxTimeText(nNow));
    pTimes->SetChildText(xml, "LastAccessTime", KdbxTimeText(nNow));
    TrimKdbxHistory(database, entry);
}

void TrimKdbxHistory(CKdbxFile& database, CXmlElement& entry) {
    const CXmlTree& xml = database.Xml();
    TrimKdbxHistory(database, entry, MetaNumber(xml, "HistoryMaxItems", KDBX_DEFAULT_HISTORY_ITEMS),
                    MetaNumber(xml, "HistoryMaxSize", KDBX_DEFAULT_HISTORY_SIZE));
}

void SetKdbxString(CXmlTree& xml, CXmlElement& entry, std::string_view strKey,
                   std::string_view strValue, bool bProtected) {
    CXmlElement* pString = StringOf(entry, strKey);
    if (!pString) {
        AppendString(xml, entry, strKey, strValue);
        pString = StringOf(entry, strKey);
    }
    CXmlElement& value = pString->SetChildText(xml, "Value", "");
    value.SetProtected(bProtected || !IsXmlSafeText(strValue));
    value.SetText(strValue);
}

bool RemoveKdbxString(CXmlElement& entry, std::string_view strKey) {
    auto& children = entry.Children();
    const auto it = std::find_if(children.begin(), children.end(), [&](const CXmlElement& c) {
        return c.Name() == "String" && c.ChildText("Key") == strKey;
    });
    if (it == children.end())
        return false;
    children.erase(it);
    return true;
}

std::size_t KdbxEntrySize(const CKdbxFile& database, const CXmlElement& entry) {
    std::size_t nSize = entry.ChildText("Tags").size();
    for (const CXmlElement& child : entry.Children()) {
        if (child.Name() == "String") {
            nSize += child.ChildText("Key").size() + child.ChildText("Value").size();
        } else if (child.Name() == "Binary") {
            nSize += child.ChildText("Key").size();
            const CXmlElement* pValue = child.Child("Value");
            const std::string* pRef = pValue ? pValue->Attribute("Ref") : nullptr;
            std::size_t nRef = 0;
            if (pRef &&
                std::from_chars(pRef->data(), pRef->data() + pRef->size(), nRef).ec ==
                    std::errc() &&
                nRef < database.Binaries().size())
                nSize += database.Binaries()[nRef].data.size();
            else if (pValue)
                nSize += pValue->Text().size();
        }
    }
    return nSize;
}

void TrimKdbxHistory(const CKdbxFile& database, CXmlElement& entry, std::int64_t nMaxItems,
                     std::int64_t nMaxSize) {
    CXmlElement* pHistory = entry.Child("History");
    if (!pHistory)
        return;
    auto& items = pHistory->Children();
    if (nMaxItems >= 0 && items.size() > static_cast<std::size_t>(nMaxItems))
        items.erase(items.begin(),
                    items.begin() + static_cast<std::ptrdiff_t>(items.size() - nMaxItems));
    if (nMaxSize < 0)
        return;
    std::size_t nTotal = 0;
    for (std::size_t i = items.size(); i-- > 0;) {
        nTotal += KdbxEntrySize(database, items[i]);
        if (nTotal > static_cast<std::size_t>(nMaxSize)) {
            items.erase(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            return;
        }
    }
}

bool DeleteKdbxEntry(CXmlTree& xml, std::string_view strUuidOf, std::int64_t nNow) {
    // A copy: the caller's text may be the entry's own, which goes.
    const std::string strUuid(strUuidOf);
    CXmlElement* pRootGroup = RootGroup(xml);
    SEntryPlace place;
    if (!pRootGroup || !FindEntryPlace(*pRootGroup, strUuid, place))
        return false;
    const CXmlElement* pBin = KdbxRecycleBin(xml);
    const bool bInBin = pBin && IsInside(*pBin, *place.pGroup);
    auto& siblings = place.pGroup->Children();
    std::vector<CXmlElement> entries;
    entries.push_back(std::move(siblings[place.nIndex]));
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(place.nIndex));
    if (bInBin)
        RecordDeleted(xml, strUuid, nNow); // deleted from the bin: gone for good
    else
        RecycleKdbxEntries(xml, std::move(entries), nNow);
    return true;
}

void RecycleKdbxEntries(CXmlTree& xml, std::vector<CXmlElement> entries, std::int64_t nNow) {
    CXmlElement* pRootGroup = RootGroup(xml);
    CXmlElement* pMeta = xml.Root().Child("Meta");
    if (entries.empty() || !pRootGroup)
        return;
    const bool bRecycle = pMeta && pMeta->Child("RecycleBinEnabled") &&
                          !IsFalse(pMeta->ChildText("RecycleBinEnabled"));
    if (!bRecycle) {
        for (const CXmlElement& entry : entries)
            RecordDeleted(xml, entry.ChildText("UUID"), nNow);
        return;
    }
    const std::string strTime = KdbxTimeText(nNow);
    for (CXmlElement& entry : entries)
        if (CXmlElement* pTimes = entry.Child("Times"))
            pTimes->SetChildText(xml, "LocationChanged", strTime);
    // All at once before the bin's groups, as KeePass orders a group.
    auto& binChildren = RecycleBin(xml, *pMeta, *pRootGroup, nNow).Children();
    const auto itFirstGroup =
        std::find_if(binChildren.begin(), binChildren.end(),
                     [](const CXmlElement& child) { return child.Name() == "Group"; });
    binChildren.insert(itFirstGroup, std::make_move_iterator(entries.begin()),
                       std::make_move_iterator(entries.end()));
}
