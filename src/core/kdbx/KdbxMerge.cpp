// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxMerge.h"

#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxTree.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::int64_t NO_TIME = std::numeric_limits<std::int64_t>::min();

// What a group takes from the side whose version is later; the first four
// are what the user sees as its name and look.
constexpr const char* GROUP_SHOWN[] = {"Name", "Notes", "IconID", "Tags"};
constexpr const char* GROUP_SETTINGS[] = {"DefaultAutoTypeSequence", "EnableAutoType",
                                          "EnableSearching"};
constexpr const char* GROUP_TIMES[] = {"LastModificationTime", "ExpiryTime", "Expires"};

std::int64_t TimeOf(const CXmlElement& owner, std::string_view strName) {
    const CXmlElement* pTimes = owner.Child("Times");
    return pTimes ? KdbxTimeUnix(pTimes->ChildText(strName)).value_or(NO_TIME) : NO_TIME;
}
std::int64_t Modified(const CXmlElement& owner) {
    return TimeOf(owner, "LastModificationTime");
}
std::int64_t Located(const CXmlElement& owner) {
    return TimeOf(owner, "LocationChanged");
}

std::string UuidOf(const CXmlElement& owner) {
    return std::string(owner.ChildText("UUID"));
}

SKdbxMergeItem ItemOf(const CXmlElement& owner) {
    if (owner.Name() == "Group")
        return {UuidOf(owner), std::string(owner.ChildText("Name"))};
    return {UuidOf(owner), std::string(KdbxEntryField(owner, "Title").value_or(""))};
}

void SetTime(CXmlTree& xml, CXmlElement& owner, std::string_view strName,
             std::string_view strText) {
    CXmlElement* pTimes = owner.Child("Times");
    if (!pTimes)
        pTimes = &owner.AppendChild(xml, "Times");
    const std::string strCopy(strText); // the text may live in the same tree
    pTimes->SetChildText(xml, strName, strCopy);
}

std::string TimeText(const CXmlElement& owner, std::string_view strName) {
    const CXmlElement* pTimes = owner.Child("Times");
    return pTimes ? std::string(pTimes->ChildText(strName)) : std::string();
}

template <class TTree> auto* RootGroupOf(TTree& xml) {
    auto* pRoot = xml.Root().Child("Root");
    return pRoot ? pRoot->Child("Group") : nullptr;
}

using CDeletions = std::unordered_map<std::string, std::int64_t>;

// The database's deletion records by UUID, the latest time of each.
CDeletions DeletionsOf(const CXmlTree& xml) {
    CDeletions deletions;
    const CXmlElement* pRoot = xml.Root().Child("Root");
    const CXmlElement* pRecords = pRoot ? pRoot->Child("DeletedObjects") : nullptr;
    if (!pRecords)
        return deletions;
    for (const CXmlElement& record : pRecords->Children()) {
        if (record.Name() != "DeletedObject")
            continue;
        const auto time = KdbxTimeUnix(record.ChildText("DeletionTime"));
        if (!time)
            continue; // a record of no known time deletes nothing
        const auto [it, bNew] = deletions.emplace(UuidOf(record), *time);
        if (!bNew)
            it->second = std::max(it->second, *time);
    }
    return deletions;
}

// Every group below a root group, parents first, and every entry outside
// the histories, each with the UUID of the group holding it.
template <class TElement> struct SIndex {
    struct SPlace {
        TElement* pElement;
        std::string strParent;
    };
    std::vector<SPlace> groups;
    std::vector<SPlace> entries;
    std::unordered_map<std::string, std::size_t> entryAt;
    std::unordered_set<std::string> groupUuids;

    explicit SIndex(TElement& root) { Add(root); }

    void Add(TElement& group) {
        const std::string strUuid = UuidOf(group);
        for (auto& child : group.Children()) {
            if (child.Name() == "Entry") {
                entryAt.emplace(UuidOf(child), entries.size());
                entries.push_back({&child, strUuid});
            } else if (child.Name() == "Group") {
                groupUuids.insert(UuidOf(child));
                groups.push_back({&child, strUuid});
                Add(child);
            }
        }
    }
    const SPlace* Entry(const std::string& strUuid) const {
        const auto it = entryAt.find(strUuid);
        return it == entryAt.end() ? nullptr : &entries[it->second];
    }
};

CXmlElement* FindGroup(CXmlElement& group, std::string_view strUuid) {
    if (group.ChildText("UUID") == strUuid)
        return &group;
    for (CXmlElement& child : group.Children())
        if (child.Name() == "Group")
            if (CXmlElement* pFound = FindGroup(child, strUuid))
                return pFound;
    return nullptr;
}

// The group holding the group of that UUID, and where in it.
CXmlElement* FindParent(CXmlElement& group, std::string_view strUuid, std::size_t& nIndex) {
    auto& children = group.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i].Name() != "Group")
            continue;
        if (children[i].ChildText("UUID") == strUuid) {
            nIndex = i;
            return &group;
        }
        if (CXmlElement* pFound = FindParent(children[i], strUuid, nIndex))
            return pFound;
    }
    return nullptr;
}

bool Contains(const CXmlElement& group, const CXmlElement& inner) {
    if (&group == &inner)
        return true;
    return std::any_of(group.Children().begin(), group.Children().end(), [&](const CXmlElement& c) {
        return c.Name() == "Group" && Contains(c, inner);
    });
}

// The target pool's index of the item's bytes, added when the pool lacks
// them.
std::size_t PoolIndex(CKdbxFile& target, const SKdbxBinary& item) {
    auto& pool = target.Binaries();
    for (std::size_t i = 0; i < pool.size(); ++i)
        if (std::equal(pool[i].data.begin(), pool[i].data.end(), item.data.begin(),
                       item.data.end()))
            return i;
    SKdbxBinary& added = pool.emplace_back();
    added.bProtected = item.bProtected;
    added.data.assign(item.data.begin(), item.data.end());
    return pool.size() - 1;
}

// Copies from's attributes, text and children into to, an element of the
// target. With pPool, references into that database's pool are made
// references to the same bytes in the target's pool.
void Copy(CKdbxFile& target, const CKdbxFile* pPool, CXmlElement& to, const CXmlElement& from) {
    CXmlTree& xml = target.Xml();
    for (const CXmlElement::SAttribute& attribute : from.Attributes())
        if (*attribute.pName != "Protected")
            to.SetAttribute(xml, *attribute.pName, attribute.strValue);
    // Protected before the text is set: a protected text is kept in wiped
    // memory only.
    to.SetProtected(from.IsProtected());
    to.SetText(from.Text());
    for (const CXmlElement& child : from.Children())
        Copy(target, pPool, to.AppendChild(xml, child.Name()), child);
    const std::string* pRef = from.Attribute("Ref");
    std::size_t nRef = 0;
    if (pPool && from.Name() == "Value" && pRef &&
        std::from_chars(pRef->data(), pRef->data() + pRef->size(), nRef).ec == std::errc() &&
        nRef < pPool->Binaries().size())
        to.SetAttribute(xml, "Ref", std::to_string(PoolIndex(target, pPool->Binaries()[nRef])));
}

void CopyChildren(CKdbxFile& target, const CKdbxFile* pPool, CXmlElement& to,
                  const CXmlElement& from, std::initializer_list<std::string_view> skipped) {
    for (const CXmlElement& child : from.Children())
        if (std::find(skipped.begin(), skipped.end(), child.Name()) == skipped.end())
            Copy(target, pPool, to.AppendChild(target.Xml(), child.Name()), child);
}

std::vector<std::int64_t> HistoryTimes(const CXmlElement& entry) {
    std::vector<std::int64_t> times;
    if (const CXmlElement* pHistory = entry.Child("History"))
        for (const CXmlElement& item : pHistory->Children())
            times.push_back(Modified(item));
    return times;
}

// Puts a copy of item, without its own history, into the entry's history
// in time order, unless an item of its time is there.
void AddHistoryItem(CKdbxFile& target, const CKdbxFile* pPool, CXmlElement& entry,
                    const CXmlElement& item) {
    const std::int64_t nTime = Modified(item);
    CXmlElement* pHistory = entry.Child("History");
    if (pHistory && std::any_of(pHistory->Children().begin(), pHistory->Children().end(),
                                [&](const CXmlElement& c) { return Modified(c) == nTime; }))
        return;
    if (!pHistory)
        pHistory = &entry.AppendChild(target.Xml(), "History");
    CXmlElement& copy = pHistory->AppendChild(target.Xml(), "Entry");
    CopyChildren(target, pPool, copy, item, {"History"});
    auto& items = pHistory->Children();
    const auto itAfter = std::find_if(items.begin(), items.end() - 1,
                                      [&](const CXmlElement& c) { return Modified(c) > nTime; });
    std::rotate(itAfter, items.end() - 1, items.end());
}

void TrimHistory(CKdbxFile& target, CXmlElement& entry) {
    TrimKdbxHistory(target, entry);
}

// Unites the source version's history (and the version itself, when it
// lost) with the target entry's; whether the target's history changed.
bool UniteHistory(CKdbxFile& target, const CKdbxFile& source, CXmlElement& entry,
                  const CXmlElement& from, bool bWithVersion) {
    const std::vector<std::int64_t> before = HistoryTimes(entry);
    const std::int64_t nCurrent = Modified(entry);
    if (bWithVersion)
        AddHistoryItem(target, &source, entry, from);
    if (const CXmlElement* pHistory = from.Child("History"))
        for (const CXmlElement& item : pHistory->Children())
            if (Modified(item) != nCurrent) // the entry as it is now
                AddHistoryItem(target, &source, entry, item);
    if (HistoryTimes(entry) != before)
        TrimHistory(target, entry);
    return HistoryTimes(entry) != before;
}

// The target entry becomes the source's version, its own joining its
// history; it stays where it is.
void TakeSourceVersion(CKdbxFile& target, const CKdbxFile& source, CXmlElement& entry,
                       const CXmlElement& from) {
    AddHistoryItem(target, nullptr, entry, entry);
    CXmlElement history = std::move(*entry.Child("History"));
    entry.Children().clear();
    CopyChildren(target, &source, entry, from, {"History"});
    entry.Children().push_back(std::move(history));
    UniteHistory(target, source, entry, from, false);
    TrimHistory(target, entry);
}

// The group takes the source's name, notes, icon, settings and times;
// whether what the user sees of it changed.
bool TakeGroupVersion(CXmlTree& xml, CXmlElement& group, const CXmlElement& from) {
    bool bShown = false;
    auto take = [&](const char* pszName) {
        const CXmlElement* pFrom = from.Child(pszName);
        const CXmlElement* pTo = group.Child(pszName);
        if (pFrom && (!pTo || pTo->Text() != pFrom->Text())) {
            group.SetChildText(xml, pszName, pFrom->Text());
            return true;
        }
        return false;
    };
    for (const char* pszName : GROUP_SHOWN)
        bShown = take(pszName) || bShown;
    for (const char* pszName : GROUP_SETTINGS)
        take(pszName);
    for (const char* pszName : GROUP_TIMES)
        if (from.Child("Times") && from.Child("Times")->Child(pszName))
            SetTime(xml, group, pszName, TimeText(from, pszName));
    return bShown;
}

using CIncoming = std::unordered_map<std::string, std::vector<CXmlElement>>;

// Takes the entries to remove or move out of their groups, the moved ones
// into incoming by the UUID of the group they go to.
void TakeOutEntries(CXmlElement& group, const std::unordered_set<std::string>& removed,
                    const std::unordered_map<std::string, std::string>& moved, CIncoming& incoming,
                    SKdbxMergeSummary& summary) {
    auto& children = group.Children();
    std::size_t nKept = 0;
    for (std::size_t i = 0; i < children.size(); ++i) {
        CXmlElement& child = children[i];
        bool bGone = false;
        if (child.Name() == "Entry") {
            const std::string strUuid = UuidOf(child);
            if (removed.count(strUuid)) {
                summary.entriesDeleted.push_back(ItemOf(child));
                bGone = true;
            } else if (const auto it = moved.find(strUuid); it != moved.end()) {
                summary.entriesMoved.push_back(ItemOf(child));
                incoming[it->second].push_back(std::move(child));
                bGone = true;
            }
        }
        if (!bGone) {
            if (nKept != i)
                children[nKept] = std::move(child);
            ++nKept;
        }
    }
    children.erase(children.begin() + static_cast<std::ptrdiff_t>(nKept), children.end());
    for (CXmlElement& child : children)
        if (child.Name() == "Group")
            TakeOutEntries(child, removed, moved, incoming, summary);
}

// Puts the incoming entries into their groups, before the groups inside,
// as KeePass orders a group.
void PutInEntries(CXmlElement& group, CIncoming& incoming) {
    if (incoming.empty())
        return;
    if (const auto it = incoming.find(UuidOf(group)); it != incoming.end()) {
        auto& children = group.Children();
        const auto itFirstGroup =
            std::find_if(children.begin(), children.end(),
                         [](const CXmlElement& child) { return child.Name() == "Group"; });
        children.insert(itFirstGroup, std::make_move_iterator(it->second.begin()),
                        std::make_move_iterator(it->second.end()));
        incoming.erase(it);
    }
    for (CXmlElement& child : group.Children())
        if (child.Name() == "Group")
            PutInEntries(child, incoming);
}

// Removes, deepest first, the groups recorded as deleted that were not
// changed since and hold nothing any more.
void PruneGroups(CXmlElement& group, const CDeletions& deletions, SKdbxMergeSummary& summary) {
    auto& children = group.Children();
    for (CXmlElement& child : children)
        if (child.Name() == "Group")
            PruneGroups(child, deletions, summary);
    const auto itEnd = std::remove_if(children.begin(), children.end(), [&](CXmlElement& child) {
        if (child.Name() != "Group")
            return false;
        const auto it = deletions.find(UuidOf(child));
        if (it == deletions.end() || Modified(child) > it->second ||
            std::any_of(child.Children().begin(), child.Children().end(), [](const CXmlElement& c) {
                return c.Name() == "Entry" || c.Name() == "Group";
            }))
            return false;
        summary.groupsDeleted.push_back(ItemOf(child));
        return true;
    });
    children.erase(itEnd, children.end());
}

// Brings the target's deletion records to the union of both sides', less
// the objects the target holds; whether they changed.
bool UpdateDeletionRecords(CXmlTree& xml, const CXmlTree& sourceXml, const CDeletions& deletions,
                           const std::unordered_set<std::string>& present) {
    CXmlElement* pRoot = xml.Root().Child("Root");
    bool bChanged = false;
    std::unordered_set<std::string> recorded;
    if (CXmlElement* pRecords = pRoot->Child("DeletedObjects")) {
        auto& records = pRecords->Children();
        const auto itEnd = std::remove_if(records.begin(), records.end(), [&](CXmlElement& r) {
            return r.Name() == "DeletedObject" && present.count(UuidOf(r));
        });
        bChanged = itEnd != records.end();
        records.erase(itEnd, records.end());
        for (CXmlElement& record : records) {
            if (record.Name() != "DeletedObject")
                continue;
            const std::string strUuid = UuidOf(record);
            const auto it = deletions.find(strUuid);
            if (!recorded.insert(strUuid).second || it == deletions.end())
                continue;
            const std::int64_t nTime =
                KdbxTimeUnix(record.ChildText("DeletionTime")).value_or(NO_TIME);
            if (it->second > nTime) {
                record.SetChildText(xml, "DeletionTime", KdbxTimeText(it->second));
                bChanged = true;
            }
        }
    }
    const CXmlElement* pSourceRoot = sourceXml.Root().Child("Root");
    const CXmlElement* pSourceRecords =
        pSourceRoot ? pSourceRoot->Child("DeletedObjects") : nullptr;
    if (!pSourceRecords)
        return bChanged;
    for (const CXmlElement& record : pSourceRecords->Children()) {
        const std::string strUuid = UuidOf(record);
        const auto it = deletions.find(strUuid);
        if (record.Name() != "DeletedObject" || it == deletions.end() || present.count(strUuid) ||
            !recorded.insert(strUuid).second)
            continue;
        CXmlElement* pRecords = pRoot->Child("DeletedObjects");
        if (!pRecords)
            pRecords = &pRoot->AppendChild(xml, "DeletedObjects");
        CXmlElement& added = pRecords->AppendChild(xml, "DeletedObject");
        added.SetChildText(xml, "UUID", strUuid);
        added.SetChildText(xml, "DeletionTime", KdbxTimeText(it->second));
        bChanged = true;
    }
    return bChanged;
}

} // namespace

SKdbxMergeSummary MergeKdbxDatabase(CKdbxFile& target, const CKdbxFile& source) {
    SKdbxMergeSummary summary;
    CXmlTree& xml = target.Xml();
    const CXmlElement* pSourceRoot = RootGroupOf(source.Xml());
    if (&target == &source || !RootGroupOf(xml) || !pSourceRoot)
        return summary;
    const std::string strTargetRoot = UuidOf(*RootGroupOf(xml));
    const std::string strSourceRoot = UuidOf(*pSourceRoot);
    // The source's root group is the target's, whatever their UUIDs, and so
    // is its recycle bin where both have one: two copies of a file that
    // each made a bin of their own keep one.
    std::unordered_map<std::string, std::string> aliases{{strSourceRoot, strTargetRoot}};
    const CXmlElement* pSourceBin = KdbxRecycleBin(source.Xml());
    const CXmlElement* pTargetBin = KdbxRecycleBin(xml);
    if (pSourceBin && pTargetBin && pSourceBin != pSourceRoot && pTargetBin != RootGroupOf(xml))
        aliases.emplace(UuidOf(*pSourceBin), UuidOf(*pTargetBin));
    auto inTarget = [&](const std::string& strGroup) {
        const auto it = aliases.find(strGroup);
        return it == aliases.end() ? strGroup : it->second;
    };

    CDeletions deletions = DeletionsOf(xml);
    for (const auto& [strUuid, nTime] : DeletionsOf(source.Xml())) {
        const auto [it, bNew] = deletions.emplace(strUuid, nTime);
        if (!bNew)
            it->second = std::max(it->second, nTime);
    }
    auto deletedAt = [&](const std::string& strUuid) -> std::optional<std::int64_t> {
        const auto it = deletions.find(strUuid);
        return it == deletions.end() ? std::nullopt : std::optional(it->second);
    };

    // What becomes of each entry, decided before anything moves.
    const SIndex<const CXmlElement> sourceIndex(*pSourceRoot);
    std::unordered_set<std::string> removed;
    std::unordered_map<std::string, std::string> moved; // to the target group of that UUID
    std::vector<const SIndex<const CXmlElement>::SPlace*> added;
    std::unordered_set<std::string> neededGroups;
    {
        const SIndex<CXmlElement> targetIndex(*RootGroupOf(xml));
        for (const auto& place : sourceIndex.entries) {
            const CXmlElement& from = *place.pElement;
            const std::string strUuid = UuidOf(from);
            const std::string strGroup = inTarget(place.strParent);
            const auto deleted = deletedAt(strUuid);
            if (const auto* pTarget = targetIndex.Entry(strUuid)) {
                const CXmlElement& entry = *pTarget->pElement;
                if (deleted && std::max(Modified(from), Modified(entry)) <= *deleted) {
                    removed.insert(strUuid);
                } else if (Located(from) > Located(entry) && strGroup != pTarget->strParent) {
                    moved.emplace(strUuid, strGroup);
                    neededGroups.insert(strGroup);
                }
            } else if (!deleted || Modified(from) > *deleted) {
                added.push_back(&place);
                neededGroups.insert(strGroup);
            }
        }
        for (const auto& place : targetIndex.entries) {
            const std::string strUuid = UuidOf(*place.pElement);
            const auto deleted = deletedAt(strUuid);
            if (deleted && !sourceIndex.Entry(strUuid) && Modified(*place.pElement) <= *deleted)
                removed.insert(strUuid);
        }
    }

    // Groups, parents first: renamed, moved, or added where the source has
    // them (a group deleted here comes back only to hold entries).
    for (const auto& place : sourceIndex.groups) {
        const CXmlElement& from = *place.pElement;
        const std::string strUuid = UuidOf(from);
        const std::string strParent = inTarget(place.strParent);
        if (strUuid == strTargetRoot || inTarget(strUuid) != strUuid)
            continue;
        std::size_t nIndex = 0;
        if (CXmlElement* pParent = FindParent(*RootGroupOf(xml), strUuid, nIndex)) {
            CXmlElement& group = pParent->Children()[nIndex];
            if (Modified(from) > Modified(group)) {
                if (TakeGroupVersion(xml, group, from))
                    summary.groupsRenamed.push_back(ItemOf(group));
                summary.bChanged = true;
            }
            const CXmlElement* pTo = FindGroup(*RootGroupOf(xml), strParent);
            if (Located(from) > Located(group) && strParent != UuidOf(*pParent) && pTo &&
                !Contains(group, *pTo)) {
                SetTime(xml, group, "LocationChanged", TimeText(from, "LocationChanged"));
                summary.groupsMoved.push_back(ItemOf(group));
                CXmlElement taken = std::move(group);
                pParent->Children().erase(pParent->Children().begin() +
                                          static_cast<std::ptrdiff_t>(nIndex));
                FindGroup(*RootGroupOf(xml), strParent)->Children().push_back(std::move(taken));
                summary.bChanged = true;
            }
            continue;
        }
        const auto deleted = deletedAt(strUuid);
        if (deleted && Modified(from) <= *deleted && !neededGroups.count(strUuid))
            continue;
        CXmlElement* pTo = FindGroup(*RootGroupOf(xml), strParent);
        CXmlElement& group = (pTo ? *pTo : *RootGroupOf(xml)).AppendChild(xml, "Group");
        CopyChildren(target, &source, group, from, {"Entry", "Group"});
        summary.groupsAdded.push_back(ItemOf(group));
        summary.bChanged = true;
    }

    // Entries on both sides: the later version wins, the histories unite.
    SIndex<CXmlElement> targetIndex(*RootGroupOf(xml));
    for (const auto& place : sourceIndex.entries) {
        const CXmlElement& from = *place.pElement;
        const std::string strUuid = UuidOf(from);
        const auto* pTarget = targetIndex.Entry(strUuid);
        if (!pTarget || removed.count(strUuid))
            continue;
        CXmlElement& entry = *pTarget->pElement;
        if (Modified(from) > Modified(entry)) {
            const std::string strLocated =
                TimeText(Located(from) > Located(entry) ? from : entry, "LocationChanged");
            TakeSourceVersion(target, source, entry, from);
            if (!strLocated.empty())
                SetTime(xml, entry, "LocationChanged", strLocated);
            summary.entriesUpdated.push_back(ItemOf(entry));
            summary.bChanged = true;
        } else if (Modified(from) < Modified(entry) &&
                   UniteHistory(target, source, entry, from, true)) {
            summary.bChanged = true;
        }
        if (moved.count(strUuid))
            SetTime(xml, entry, "LocationChanged", TimeText(from, "LocationChanged"));
    }

    // Then the moves, removals and additions, each group's at once.
    CIncoming incoming;
    if (!removed.empty() || !moved.empty())
        TakeOutEntries(*RootGroupOf(xml), removed, moved, incoming, summary);
    CXmlElement holder; // where new entries are made before they go in
    for (const auto* pPlace : added) {
        CXmlElement& entry = holder.AppendChild(xml, "Entry");
        CopyChildren(target, &source, entry, *pPlace->pElement, {});
        summary.entriesAdded.push_back(ItemOf(entry));
        incoming[inTarget(pPlace->strParent)].push_back(std::move(entry));
        holder.Children().pop_back();
    }
    PutInEntries(*RootGroupOf(xml), incoming);
    // A group that could not be had: the entries go into the root group.
    for (auto& [strGroup, entries] : incoming)
        for (CXmlElement& entry : entries)
            RootGroupOf(xml)->Children().push_back(std::move(entry));
    PruneGroups(*RootGroupOf(xml), deletions, summary);

    // What is still here though recorded as deleted: changed after the
    // deletion, or holding what was.
    const SIndex<CXmlElement> result(*RootGroupOf(xml));
    std::unordered_set<std::string> present = result.groupUuids;
    for (const auto& place : result.groups)
        if (deletions.count(UuidOf(*place.pElement)))
            summary.groupsConflicting.push_back(ItemOf(*place.pElement));
    for (const auto& place : result.entries) {
        const std::string strUuid = UuidOf(*place.pElement);
        present.insert(strUuid);
        if (deletions.count(strUuid))
            summary.entriesConflicting.push_back(ItemOf(*place.pElement));
    }
    present.insert(strTargetRoot);
    if (UpdateDeletionRecords(xml, source.Xml(), deletions, present))
        summary.bChanged = true;
    if (!summary.entriesAdded.empty() || !summary.entriesMoved.empty() ||
        !summary.entriesDeleted.empty() || !summary.groupsDeleted.empty())
        summary.bChanged = true;
    if (summary.bChanged)
        DropUnusedKdbxBinaries(target);
    return summary;
}
