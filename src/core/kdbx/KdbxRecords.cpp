// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxRecords.h"

#include "core/base/TextUtil.h"
#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxExtras.h"
#include "core/kdbx/KdbxTree.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

// Notes keep "\n" in the database and "\r\n" in the account dialog.
// Whether strRecord is what KdbxNotesWithCrlf makes of strStored, made or not.
bool EqualsAsCrlf(std::string_view strRecord, std::string_view strStored) {
    std::size_t nAt = 0;
    for (std::size_t i = 0; i < strStored.size(); ++i) {
        if (strStored[i] == '\n' && (i == 0 || strStored[i - 1] != '\r')) {
            if (nAt >= strRecord.size() || strRecord[nAt++] != '\r')
                return false;
        }
        if (nAt >= strRecord.size() || strRecord[nAt++] != strStored[i])
            return false;
    }
    return nAt == strRecord.size();
}

// Whether the record shows the entry's texts as they are.
bool ShowsTexts(const CPasswordInfo& record, const SKdbxEntryTexts& texts) {
    return record.TextView(CPasswordInfo::account) == texts.strTitle &&
           record.TextView(CPasswordInfo::userName) == texts.strUserName &&
           record.TextView(CPasswordInfo::password) == texts.strPassword &&
           record.TextView(CPasswordInfo::webSite) == texts.strUrl &&
           record.TextView(CPasswordInfo::eMail) == texts.strEMail &&
           EqualsAsCrlf(record.TextView(CPasswordInfo::comments), texts.strNotes);
}

std::string FromCrlf(std::string_view strText) {
    std::string strOut;
    strOut.reserve(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (!(strText[i] == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n'))
            strOut += strText[i];
    }
    return strOut;
}

CXmlElement* RootGroupOf(CXmlTree& xml) {
    CXmlElement* pRoot = xml.Root().Child("Root");
    return pRoot ? pRoot->Child("Group") : nullptr;
}

// Where a group lies: its parent (none for the root group) and its index
// among the parent's children. Walked without recursion: a database may
// nest deeper than the stack reaches.
struct SGroupPlace {
    CXmlElement* pGroup = nullptr;
    CXmlElement* pParent = nullptr;
    std::size_t nIndex = 0;
};

SGroupPlace FindGroupPlace(CXmlTree& xml, std::string_view strUuid) {
    CXmlElement* pRootGroup = RootGroupOf(xml);
    if (!pRootGroup)
        return {};
    if (pRootGroup->ChildText("UUID") == strUuid)
        return {pRootGroup, nullptr, 0};
    std::vector<CXmlElement*> stack{pRootGroup};
    while (!stack.empty()) {
        CXmlElement* pGroup = stack.back();
        stack.pop_back();
        auto& children = pGroup->Children();
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (children[i].Name() != "Group")
                continue;
            if (children[i].ChildText("UUID") == strUuid)
                return {&children[i], pGroup, i};
            stack.push_back(&children[i]);
        }
    }
    return {};
}

CXmlElement* FindGroup(CXmlTree& xml, std::string_view strUuid) {
    return FindGroupPlace(xml, strUuid).pGroup;
}

// Entries go before the groups inside a group, as KeePass writes them.
void InsertEntry(CXmlElement& group, CXmlElement&& entry) {
    auto& children = group.Children();
    const auto itFirstGroup = std::find_if(
        children.begin(), children.end(), [](const CXmlElement& c) { return c.Name() == "Group"; });
    children.insert(itFirstGroup, std::move(entry));
}

void Touch(CXmlTree& xml, CXmlElement& owner, const char* pszTime, std::int64_t nNow) {
    CXmlElement* pTimes = owner.Child("Times");
    if (!pTimes)
        pTimes = &owner.AppendChild(xml, "Times");
    pTimes->SetChildText(xml, pszTime, KdbxTimeText(nNow));
}

// Calls fnGroup on every group from the root group down, without recursion
// (a database may nest deeper than the stack reaches). fnGroup may change
// the group's entries; its groups are visited after it returns.
void ForEachGroup(CXmlTree& xml, const std::function<void(CXmlElement&)>& fnGroup) {
    std::vector<CXmlElement*> stack;
    if (CXmlElement* pRootGroup = RootGroupOf(xml))
        stack.push_back(pRootGroup);
    while (!stack.empty()) {
        CXmlElement* pGroup = stack.back();
        stack.pop_back();
        fnGroup(*pGroup);
        for (CXmlElement& child : pGroup->Children())
            if (child.Name() == "Group")
                stack.push_back(&child);
    }
}

struct SEntryAt {
    CXmlElement* pEntry = nullptr;
    std::string strGroupUuid;
};

// Every entry the groups hold (not those of a history) by its UUID.
std::unordered_map<std::string, SEntryAt> IndexEntries(CXmlTree& xml) {
    // Keys are copies: an edit grows its entry, whose texts may move.
    std::unordered_map<std::string, SEntryAt> index;
    index.reserve(1024);
    ForEachGroup(xml, [&index](CXmlElement& group) {
        const std::string strGroup(group.ChildText("UUID"));
        for (CXmlElement& child : group.Children())
            if (child.Name() == "Entry")
                index.emplace(std::string(child.ChildText("UUID")), SEntryAt{&child, strGroup});
    });
    return index;
}

// The entry's fields as the record has them; the e-mail only where the
// entry has its field or the record a value.
std::vector<SKdbxNewField> FieldsOf(const CPasswordInfo& record, const std::string& strEMailKey) {
    std::vector<SKdbxNewField> fields{
        {"Title", record.Text(CPasswordInfo::account)},
        {"UserName", record.Text(CPasswordInfo::userName)},
        {"Password", record.Text(CPasswordInfo::password)},
        {"URL", record.Text(CPasswordInfo::webSite)},
        {"Notes", FromCrlf(record.TextView(CPasswordInfo::comments))}};
    if (!strEMailKey.empty() || !record.TextView(CPasswordInfo::eMail).empty())
        fields.push_back({strEMailKey.empty() ? std::string("E-mail") : strEMailKey,
                          record.Text(CPasswordInfo::eMail)});
    return fields;
}

std::pair<std::string_view, std::string_view> SplitPath(std::string_view strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string_view::npos)
        return {{}, strPath};
    return {strPath.substr(0, nSlash), strPath.substr(nSlash + 1)};
}

} // namespace

std::string KdbxNotesWithCrlf(std::string_view strText) {
    std::string strOut;
    strOut.reserve(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '\n' && (i == 0 || strText[i - 1] != '\r'))
            strOut += '\r';
        strOut += strText[i];
    }
    return strOut;
}

std::string KdbxEMailKey(const CXmlElement& entry) {
    return std::string(KdbxEntryTexts(entry).strEMailKey);
}

SKdbxEntryTexts KdbxEntryTexts(const CXmlElement& entry) {
    // One walk over the entry's strings; the first of a key counts, as
    // KdbxEntryField finds it.
    SKdbxEntryTexts texts;
    bool abSeen[5] = {};
    std::string_view* const apText[5] = {&texts.strTitle, &texts.strUserName, &texts.strPassword,
                                         &texts.strUrl, &texts.strNotes};
    static constexpr std::string_view KEYS[5] = {"Title", "UserName", "Password", "URL", "Notes"};
    for (const CXmlElement& child : entry.Children()) {
        if (child.Name() != "String")
            continue;
        const std::string_view strKey = child.ChildText("Key");
        const CXmlElement* pValue = child.Child("Value");
        const std::string_view strValue = pValue ? pValue->Text() : std::string_view();
        const auto* pKey = std::find(std::begin(KEYS), std::end(KEYS), strKey);
        if (pKey != std::end(KEYS)) {
            const auto i = static_cast<std::size_t>(pKey - std::begin(KEYS));
            if (!abSeen[i])
                *apText[i] = strValue;
            abSeen[i] = true;
        } else if (texts.strEMailKey.empty() &&
                   (EqualsNoCaseAscii(strKey, "email") || EqualsNoCaseAscii(strKey, "e-mail"))) {
            texts.strEMailKey = strKey;
            texts.strEMail = strValue;
        }
    }
    return texts;
}

std::uint64_t KdbxShownPathBytes(const CKdbxFile& database) {
    // The groups alone, as KdbxGroupTree finds them, without its lists of
    // entries: an open asks this before the records are shown.
    const CXmlTree& xml = database.Xml();
    const CXmlElement* pRoot = xml.Root().Child("Root");
    const CXmlElement* pRootGroup = pRoot ? pRoot->Child("Group") : nullptr;
    if (!pRootGroup)
        return 0;
    const CXmlElement* pBin = KdbxRecycleBin(xml);
    struct SPending {
        const CXmlElement* pGroup;
        std::uint64_t nParentBytes; // the parent's path; none for the root and its groups
        bool bBelowTop;             // deeper than the root group's own groups
    };
    std::vector<SPending> stack{{pRootGroup, 0, false}};
    std::uint64_t nAll = 0;
    bool bRoot = true;
    while (!stack.empty()) {
        const SPending pending = stack.back();
        stack.pop_back();
        const std::uint64_t nBytes = pending.pGroup->ChildText("Name").size() +
                                     (pending.bBelowTop ? pending.nParentBytes + 1 : 0);
        nAll += nBytes;
        for (const CXmlElement& child : pending.pGroup->Children())
            if (child.Name() == "Group" && &child != pBin)
                stack.push_back({&child, nBytes, !bRoot});
        bRoot = false;
    }
    return nAll;
}

void CKdbxRecords::Show(const CKdbxFile& database, std::list<CPasswordInfo>& records) {
    m_shown.clear();
    m_extras.clear();
    m_bIndexed = false;
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(database.Xml());
    for (std::size_t i = 0; i < tree.size(); ++i) {
        const SKdbxGroupNode& node = tree[i];
        // The root group is a group of its own only where it holds entries
        // or nothing else would take them.
        if (i == 0 && node.entries.empty() && tree.size() > 1)
            continue;
        CPasswordInfo& group = records.emplace_back();
        group.m_bGroup = 1;
        group.SetGroup(KdbxGroupPath(tree, i));
        m_shown.push_back(
            {std::string(node.pGroup->ChildText("UUID")), true, i == 0, group.Group()});
        group.m_nEntryId = static_cast<std::uint32_t>(m_shown.size());
        for (const CXmlElement* pEntry : node.entries) {
            CPasswordInfo& account = records.emplace_back();
            const SKdbxEntryTexts texts = KdbxEntryTexts(*pEntry);
            const std::string strNotes = KdbxNotesWithCrlf(texts.strNotes);
            account.SetTexts({texts.strTitle,
                              texts.strUserName,
                              texts.strPassword,
                              texts.strUrl,
                              texts.strEMail,
                              strNotes,
                              {}});
            m_shown.push_back({std::string(pEntry->ChildText("UUID")), false, false, {}});
            account.m_nEntryId = static_cast<std::uint32_t>(m_shown.size());
        }
    }
}

const CXmlElement* CKdbxRecords::EntryOf(const CKdbxFile& database,
                                         const CPasswordInfo& record) const {
    const SShown* pShown = ShownOf(record);
    if (!pShown || pShown->bGroup)
        return nullptr;
    if (!m_bIndexed) {
        m_entries.clear();
        for (const SKdbxGroupNode& node : KdbxGroupTree(database.Xml()))
            for (const CXmlElement* pEntry : node.entries)
                m_entries.emplace(pEntry->ChildText("UUID"), pEntry);
        m_bIndexed = true;
    }
    const auto it = m_entries.find(pShown->strUuid);
    return it == m_entries.end() ? nullptr : it->second;
}

const CKdbxRecords::SShown* CKdbxRecords::ShownOf(const CPasswordInfo& record) const {
    if (record.m_nEntryId == 0 || record.m_nEntryId > m_shown.size())
        return nullptr;
    const SShown& shown = m_shown[record.m_nEntryId - 1];
    return shown.bGroup == record.IsGroup() ? &shown : nullptr;
}

bool CKdbxRecords::Apply(CKdbxFile& database, std::list<CPasswordInfo>& records,
                         std::int64_t nNow) {
    m_bIndexed = false;
    m_entries.clear();
    std::vector<bool> claimed(m_shown.size());
    std::vector<std::string> recordUuids(records.size());
    std::size_t nIndex = 0;
    // Groups first: the accounts' entries go into them. Outer groups come
    // before the groups inside them, so a group renamed with its parent
    // finds the parent under its new name.
    std::vector<std::pair<CPasswordInfo*, std::size_t>> groups;
    for (CPasswordInfo& record : records) {
        if (record.IsGroup())
            groups.emplace_back(&record, nIndex);
        ++nIndex;
    }
    std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
        return std::ranges::count(a.first->TextView(CPasswordInfo::group), '/') <
               std::ranges::count(b.first->TextView(CPasswordInfo::group), '/');
    });
    for (const auto& [pRecord, nRecord] : groups)
        recordUuids[nRecord] = ApplyGroup(database, *pRecord, claimed, nNow);
    ApplyEntries(database, records, recordUuids, claimed, nNow);
    DeleteMissing(database, claimed, nNow);
    // The records are named afresh: what was kept for them is in the
    // entries now.
    m_extras.clear();
    return Renumber(database, records, recordUuids);
}

std::string CKdbxRecords::ApplyGroup(CKdbxFile& database, const CPasswordInfo& record,
                                     std::vector<bool>& claimed, std::int64_t nNow) {
    CXmlTree& xml = database.Xml();
    const std::string strPath = record.Group();
    const SShown* pShown = ShownOf(record);
    if (!pShown || claimed[record.m_nEntryId - 1])
        return std::string(KdbxGroupAt(xml, strPath, nNow).ChildText("UUID"));
    claimed[record.m_nEntryId - 1] = true;
    if (strPath == pShown->strPath)
        return pShown->strUuid;
    const SGroupPlace place = FindGroupPlace(xml, pShown->strUuid);
    if (!place.pGroup)
        return std::string(KdbxGroupAt(xml, strPath, nNow).ChildText("UUID"));
    // The root group's header names the root group alone.
    if (pShown->bRoot) {
        place.pGroup->SetChildText(xml, "Name", strPath);
        Touch(xml, *place.pGroup, "LastModificationTime", nNow);
        return pShown->strUuid;
    }
    const auto [strNewParent, strNewName] = SplitPath(strPath);
    const auto [strOldParent, strOldName] = SplitPath(pShown->strPath);
    place.pGroup->SetChildText(xml, "Name", strNewName);
    Touch(xml, *place.pGroup, "LastModificationTime", nNow);
    // A group whose parent was renamed has a new path in the same place.
    if (strNewParent != strOldParent && FindKdbxGroupAt(xml, strNewParent) != place.pParent) {
        auto& siblings = place.pParent->Children();
        CXmlElement group = std::move(siblings[place.nIndex]);
        siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(place.nIndex));
        Touch(xml, group, "LocationChanged", nNow);
        KdbxGroupAt(xml, std::string(strNewParent), nNow).Children().push_back(std::move(group));
    }
    return pShown->strUuid;
}

void CKdbxRecords::ApplyEntries(CKdbxFile& database, std::list<CPasswordInfo>& records,
                                std::vector<std::string>& recordUuids, std::vector<bool>& claimed,
                                std::int64_t nNow) {
    CXmlTree& xml = database.Xml();
    struct SPending {
        std::string strUuid; // the entry to move, or empty for a new one
        const CPasswordInfo* pRecord;
        std::string strGroupUuid;
        std::size_t nRecord;
    };
    std::vector<SPending> pending;
    {
        // Edits change no entry's place, so the index holds through them.
        const auto index = IndexEntries(xml);
        std::string strGroupUuid;
        std::size_t nRecord = 0;
        for (const CPasswordInfo& record : records) {
            const std::size_t i = nRecord++;
            if (record.IsGroup()) {
                strGroupUuid = recordUuids[i];
                continue;
            }
            if (strGroupUuid.empty())
                continue; // no group to hold it
            const SShown* pShown = ShownOf(record);
            const auto it = pShown && !claimed[record.m_nEntryId - 1] ? index.find(pShown->strUuid)
                                                                      : index.end();
            if (it == index.end()) {
                pending.push_back({{}, &record, strGroupUuid, i});
                continue;
            }
            claimed[record.m_nEntryId - 1] = true;
            recordUuids[i] = pShown->strUuid;
            EditEntry(database, *it->second.pEntry, record, nNow);
            if (it->second.strGroupUuid != strGroupUuid)
                pending.push_back({pShown->strUuid, &record, strGroupUuid, i});
        }
    }
    // Entries that move leave their groups all at once, then join theirs.
    std::unordered_map<std::string, CXmlElement> moving;
    for (const SPending& p : pending)
        if (!p.strUuid.empty())
            moving.emplace(p.strUuid, CXmlElement());
    if (!moving.empty())
        TakeEntries(xml, moving);
    for (const SPending& p : pending) {
        CXmlElement* pGroup = FindGroup(xml, p.strGroupUuid);
        if (!pGroup)
            continue;
        if (!p.strUuid.empty()) {
            CXmlElement& entry = moving[p.strUuid];
            Touch(xml, entry, "LocationChanged", nNow);
            InsertEntry(*pGroup, std::move(entry));
            continue;
        }
        const std::string strEMailKey;
        CXmlElement& entry = AddKdbxEntry(xml, *pGroup, FieldsOf(*p.pRecord, strEMailKey), nNow);
        if (const SRecordExtras* pExtras = ExtrasSetFor(*p.pRecord))
            SetKdbxEntryExtras(database, entry, *pExtras);
        recordUuids[p.nRecord] = std::string(entry.ChildText("UUID"));
    }
}

void CKdbxRecords::EditEntry(CKdbxFile& database, CXmlElement& entry, const CPasswordInfo& record,
                             std::int64_t nNow) const {
    const SKdbxEntryTexts texts = KdbxEntryTexts(entry);
    const bool bTexts = !ShowsTexts(record, texts);
    const SRecordExtras* pExtras = ExtrasSetFor(record);
    const bool bExtras = pExtras && *pExtras != KdbxEntryExtras(database, entry);
    if (!bTexts && !bExtras)
        return;
    std::vector<SKdbxNewField> fields;
    if (bTexts)
        fields = FieldsOf(record, std::string(texts.strEMailKey));
    ChangeKdbxEntry(database, entry, nNow, [&](CXmlTree& xml) {
        SetKdbxFields(xml, entry, fields);
        if (bExtras)
            SetKdbxEntryExtras(database, entry, *pExtras);
    });
}

void CKdbxRecords::SetExtras(CPasswordInfo& record, SRecordExtras extras) {
    if (record.IsGroup())
        return;
    if (!ShownOf(record)) {
        // Named as an entry not yet made: Apply finds no entry of it and
        // adds one.
        m_shown.push_back({{}, false, false, {}});
        record.m_nEntryId = static_cast<std::uint32_t>(m_shown.size());
    }
    m_extras[record.m_nEntryId] = std::move(extras);
}

const SRecordExtras* CKdbxRecords::ExtrasSetFor(const CPasswordInfo& record) const {
    const auto it = m_extras.find(record.m_nEntryId);
    return it != m_extras.end() && ShownOf(record) ? &it->second : nullptr;
}

void CKdbxRecords::TakeEntries(CXmlTree& xml,
                               std::unordered_map<std::string, CXmlElement>& moving) {
    ForEachGroup(xml, [&moving](CXmlElement& group) {
        auto& children = group.Children();
        const auto itEnd =
            std::stable_partition(children.begin(), children.end(), [&](CXmlElement& c) {
                return c.Name() != "Entry" ||
                       moving.find(std::string(c.ChildText("UUID"))) == moving.end();
            });
        for (auto it = itEnd; it != children.end(); ++it) {
            const std::string strUuid(it->ChildText("UUID"));
            moving[strUuid] = std::move(*it);
        }
        children.erase(itEnd, children.end());
    });
}

void CKdbxRecords::DeleteMissing(CKdbxFile& database, const std::vector<bool>& claimed,
                                 std::int64_t nNow) {
    CXmlTree& xml = database.Xml();
    // Taken out of their groups in one walk, not one walk each: a group of
    // thousands deleted at once stays quick.
    std::unordered_map<std::string, CXmlElement> missing;
    for (std::size_t i = 0; i < m_shown.size(); ++i) {
        if (!claimed[i] && !m_shown[i].bGroup && !m_shown[i].strUuid.empty())
            missing.emplace(m_shown[i].strUuid, CXmlElement());
    }
    if (!missing.empty()) {
        TakeEntries(xml, missing);
        std::vector<CXmlElement> entries;
        for (std::size_t i = 0; i < m_shown.size(); ++i) {
            const auto it = claimed[i] ? missing.end() : missing.find(m_shown[i].strUuid);
            if (it != missing.end() && !it->second.Name().empty())
                entries.push_back(std::move(it->second));
        }
        RecycleKdbxEntries(xml, std::move(entries), nNow);
    }
    // Inner groups before the groups they lie in: a group goes once it is
    // empty, and the root group never.
    for (std::size_t i = m_shown.size(); i-- > 0;) {
        const SShown& shown = m_shown[i];
        if (claimed[i] || !shown.bGroup || shown.bRoot)
            continue;
        const SGroupPlace place = FindGroupPlace(xml, shown.strUuid);
        if (!place.pGroup || !place.pParent)
            continue;
        const auto& children = place.pGroup->Children();
        if (std::any_of(children.begin(), children.end(), [](const CXmlElement& c) {
                return c.Name() == "Entry" || c.Name() == "Group";
            }))
            continue;
        auto& siblings = place.pParent->Children();
        siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(place.nIndex));
        CXmlElement* pRoot = xml.Root().Child("Root");
        CXmlElement* pDeleted = pRoot->Child("DeletedObjects");
        if (!pDeleted)
            pDeleted = &pRoot->AppendChild(xml, "DeletedObjects");
        CXmlElement& record = pDeleted->AppendChild(xml, "DeletedObject");
        record.SetChildText(xml, "UUID", shown.strUuid);
        record.SetChildText(xml, "DeletionTime", KdbxTimeText(nNow));
    }
}

bool CKdbxRecords::Renumber(const CKdbxFile& database, std::list<CPasswordInfo>& records,
                            std::vector<std::string>& recordUuids) {
    // A group's path is what the database now makes of it: a group that
    // moved with its parent shows where it went.
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(database.Xml());
    std::unordered_map<std::string_view, std::size_t> nodeOf;
    for (std::size_t i = 0; i < tree.size(); ++i)
        nodeOf.emplace(tree[i].pGroup->ChildText("UUID"), i);
    bool bRenamed = false;
    m_shown.clear();
    m_shown.reserve(records.size());
    std::size_t nRecord = 0;
    for (CPasswordInfo& record : records) {
        std::string& strUuid = recordUuids[nRecord++];
        record.m_nEntryId = 0;
        if (strUuid.empty())
            continue;
        SShown shown{std::move(strUuid), record.IsGroup(), false, {}};
        if (record.IsGroup()) {
            const auto it = nodeOf.find(shown.strUuid);
            if (it == nodeOf.end())
                continue;
            shown.bRoot = it->second == 0;
            shown.strPath = KdbxGroupPath(tree, it->second);
            if (record.TextView(CPasswordInfo::group) != shown.strPath) {
                record.SetGroup(shown.strPath);
                bRenamed = true;
            }
        }
        m_shown.push_back(std::move(shown));
        record.m_nEntryId = static_cast<std::uint32_t>(m_shown.size());
    }
    return bRenamed;
}
