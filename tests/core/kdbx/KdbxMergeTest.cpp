// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxMerge.h"

#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t T0 = 1700000000;
constexpr std::int64_t T1 = T0 + 100;
constexpr std::int64_t T2 = T0 + 200;

void CopyElement(CXmlTree& xml, CXmlElement& to, const CXmlElement& from) {
    for (const CXmlElement::SAttribute& attribute : from.Attributes())
        if (*attribute.pName != "Protected")
            to.SetAttribute(xml, *attribute.pName, attribute.strValue);
    to.SetProtected(from.IsProtected());
    to.SetText(from.Text());
    for (const CXmlElement& child : from.Children())
        CopyElement(xml, to.AppendChild(xml, child.Name()), child);
}

// Another copy of the same file, as a second device keeps it.
CKdbxFile CopyOf(const CKdbxFile& database) {
    CKdbxFile copy;
    copy.Xml().SetRootName(database.Xml().Root().Name());
    CopyElement(copy.Xml(), copy.Xml().Root(), database.Xml().Root());
    for (const SKdbxBinary& item : database.Binaries()) {
        SKdbxBinary& added = copy.Binaries().emplace_back();
        added.bProtected = item.bProtected;
        added.data.assign(item.data.begin(), item.data.end());
    }
    return copy;
}

std::string XmlOf(const CKdbxFile& database) {
    std::string strXml;
    std::string strError;
    database.Xml().Write(
        strXml,
        [](std::span<const std::uint8_t> plain) { return std::string(plain.begin(), plain.end()); },
        strError);
    return strError.empty() ? strXml : "error: " + strError;
}

CXmlElement* FindIn(CXmlElement& group, std::string_view strName, std::string_view strUuid,
                    CXmlElement** ppParent = nullptr) {
    for (CXmlElement& child : group.Children()) {
        if (child.Name() == strName && child.ChildText("UUID") == strUuid) {
            if (ppParent)
                *ppParent = &group;
            return &child;
        }
        if (child.Name() == "Group")
            if (CXmlElement* pFound = FindIn(child, strName, strUuid, ppParent))
                return pFound;
    }
    return nullptr;
}

CXmlElement& RootGroup(CKdbxFile& database) {
    return *database.Xml().Root().Child("Root")->Child("Group");
}
CXmlElement* Entry(CKdbxFile& database, std::string_view strUuid, CXmlElement** ppGroup = nullptr) {
    return FindIn(RootGroup(database), "Entry", strUuid, ppGroup);
}
CXmlElement* Group(CKdbxFile& database, std::string_view strUuid,
                   CXmlElement** ppParent = nullptr) {
    return FindIn(RootGroup(database), "Group", strUuid, ppParent);
}
std::string UuidAt(CKdbxFile& database, std::string_view strPath) {
    return std::string(KdbxGroupAt(database.Xml(), strPath, T0).ChildText("UUID"));
}

// Takes the element out of its parent.
CXmlElement Detach(CXmlElement& parent, CXmlElement& element) {
    CXmlElement taken = std::move(element);
    auto& siblings = parent.Children();
    siblings.erase(siblings.begin() + (&element - siblings.data()));
    return taken;
}

// Moves the element (entry or group) of that UUID into the group of that
// path, as a user does at nTime.
void Move(CKdbxFile& database, std::string_view strName, std::string_view strUuid,
          std::string_view strPath, std::int64_t nTime) {
    CXmlElement* pParent = nullptr;
    CXmlElement* pItem = FindIn(RootGroup(database), strName, strUuid, &pParent);
    ASSERT_TRUE(pItem);
    pItem->Child("Times")->SetChildText(database.Xml(), "LocationChanged", KdbxTimeText(nTime));
    CXmlElement taken = Detach(*pParent, *pItem);
    KdbxGroupAt(database.Xml(), strPath, T0).Children().push_back(std::move(taken));
}

// Deletes for good, as where there is no recycle bin.
void Delete(CKdbxFile& database, std::string_view strUuid, std::int64_t nTime) {
    database.Xml().Root().Child("Meta")->SetChildText(database.Xml(), "RecycleBinEnabled", "False");
    ASSERT_TRUE(DeleteKdbxEntry(database.Xml(), strUuid, nTime));
}

std::optional<std::int64_t> DeletionRecord(CKdbxFile& database, std::string_view strUuid) {
    for (const CXmlElement& record :
         database.Xml().Root().Child("Root")->Child("DeletedObjects")->Children())
        if (record.ChildText("UUID") == strUuid)
            return KdbxTimeUnix(record.ChildText("DeletionTime"));
    return std::nullopt;
}

std::vector<std::string> HistoryPasswords(const CXmlElement& entry) {
    std::vector<std::string> passwords;
    for (const CXmlElement& item : entry.Child("History")->Children())
        passwords.emplace_back(KdbxEntryField(item, "Password").value_or("?"));
    return passwords;
}

bool Lists(const std::vector<SKdbxMergeItem>& items, std::string_view strUuid) {
    return std::any_of(items.begin(), items.end(),
                       [&](const SKdbxMergeItem& item) { return item.strUuid == strUuid; });
}

// What one side did to the entry, and when.
enum class EDo { nothing, edit, remove, moveB, moveC, add };
struct SSide {
    EDo eDo;
    std::int64_t nTime;
};

void Apply(CKdbxFile& database, const std::string& strUuid, const SSide& side,
           const char* pszPassword) {
    switch (side.eDo) {
    case EDo::nothing:
    case EDo::add:
        break;
    case EDo::edit:
        EditKdbxEntry(database, *Entry(database, strUuid), {{"Password", pszPassword}}, side.nTime);
        break;
    case EDo::remove:
        Delete(database, strUuid, side.nTime);
        break;
    case EDo::moveB:
        Move(database, "Entry", strUuid, "B", side.nTime);
        break;
    case EDo::moveC:
        Move(database, "Entry", strUuid, "C", side.nTime);
        break;
    }
}

// Every pair of changes the two sides make to one entry: what the target
// holds after the merge, what the summary says, and the deletion record.
TEST(KdbxMerge, EntryRulesForEveryPairOfChanges) {
    // quiet: a history or a deletion record changed, nothing to list.
    enum ESaid { none, quiet, added, updated, moved, deleted, conflict, addedAgain };
    const struct {
        SSide target;
        SSide source;
        const char* pszPassword; // nullptr: no entry
        const char* pszGroup;
        std::vector<std::string> history;
        ESaid eSaid;
        std::optional<std::int64_t> record;
    } CASES[] = {
        {{EDo::nothing, 0}, {EDo::nothing, 0}, "base", "A", {}, none, {}},
        {{EDo::edit, T1}, {EDo::nothing, 0}, "target", "A", {"base"}, none, {}},
        {{EDo::nothing, 0}, {EDo::edit, T1}, "source", "A", {"base"}, updated, {}},
        {{EDo::edit, T1}, {EDo::edit, T2}, "source", "A", {"base", "target"}, updated, {}},
        {{EDo::edit, T2}, {EDo::edit, T1}, "target", "A", {"base", "source"}, quiet, {}},
        {{EDo::edit, T1}, {EDo::edit, T1}, "target", "A", {"base"}, none, {}},
        {{EDo::remove, T1}, {EDo::nothing, 0}, nullptr, "", {}, none, T1},
        {{EDo::nothing, 0}, {EDo::remove, T1}, nullptr, "", {}, deleted, T1},
        {{EDo::edit, T2}, {EDo::remove, T1}, "target", "A", {"base"}, conflict, {}},
        {{EDo::remove, T2}, {EDo::edit, T1}, nullptr, "", {}, none, T2},
        {{EDo::edit, T1}, {EDo::remove, T2}, nullptr, "", {}, deleted, T2},
        {{EDo::remove, T1}, {EDo::edit, T2}, "source", "A", {"base"}, addedAgain, {}},
        {{EDo::edit, T1}, {EDo::remove, T1}, nullptr, "", {}, deleted, T1},
        {{EDo::remove, T1}, {EDo::edit, T1}, nullptr, "", {}, none, T1},
        {{EDo::remove, T1}, {EDo::remove, T2}, nullptr, "", {}, quiet, T2},
        {{EDo::moveB, T1}, {EDo::nothing, 0}, "base", "B", {}, none, {}},
        {{EDo::nothing, 0}, {EDo::moveB, T1}, "base", "B", {}, moved, {}},
        {{EDo::moveB, T1}, {EDo::moveC, T2}, "base", "C", {}, moved, {}},
        {{EDo::moveB, T2}, {EDo::moveC, T1}, "base", "B", {}, none, {}},
        {{EDo::moveB, T1}, {EDo::edit, T2}, "source", "B", {"base"}, updated, {}},
        {{EDo::edit, T2}, {EDo::moveB, T1}, "target", "B", {"base"}, moved, {}},
        {{EDo::moveB, T2}, {EDo::remove, T1}, nullptr, "", {}, deleted, T1},
        {{EDo::add, T1}, {EDo::nothing, 0}, "target", "A", {}, none, {}},
        {{EDo::nothing, 0}, {EDo::add, T1}, "source", "A", {}, added, {}},
    };
    int nCase = 0;
    for (const auto& c : CASES) {
        SCOPED_TRACE("case " + std::to_string(nCase++));
        CKdbxFile base = NewKdbxDatabase("Vault", T0);
        for (const char* pszPath : {"A", "B", "C"})
            KdbxGroupAt(base.Xml(), pszPath, T0);
        const bool bAdded = c.target.eDo == EDo::add || c.source.eDo == EDo::add;
        CXmlElement& made = AddKdbxEntry(base.Xml(), KdbxGroupAt(base.Xml(), "A", T0),
                                         {{"Title", "Mail"}, {"Password", "base"}}, T0);
        const std::string strUuid(made.ChildText("UUID"));
        CKdbxFile target = CopyOf(base);
        CKdbxFile source = CopyOf(base);
        if (bAdded) { // made on one side only
            CKdbxFile& other = c.target.eDo == EDo::add ? source : target;
            CXmlElement* pGroup = nullptr;
            CXmlElement& entry = *Entry(other, strUuid, &pGroup);
            Detach(*pGroup, entry);
            CKdbxFile& maker = c.target.eDo == EDo::add ? target : source;
            SetKdbxFields(maker.Xml(), *Entry(maker, strUuid),
                          {{"Password", c.target.eDo == EDo::add ? "target" : "source"}});
        }
        Apply(target, strUuid, c.target, "target");
        Apply(source, strUuid, c.source, "source");
        const CKdbxFile sourceBefore = CopyOf(source);

        const SKdbxMergeSummary summary = MergeKdbxDatabase(target, source);
        EXPECT_EQ(XmlOf(source), XmlOf(sourceBefore)); // the source is only read
        CXmlElement* pGroup = nullptr;
        CXmlElement* pEntry = Entry(target, strUuid, &pGroup);
        if (!c.pszPassword) {
            EXPECT_FALSE(pEntry);
        } else {
            ASSERT_TRUE(pEntry);
            EXPECT_EQ(KdbxEntryField(*pEntry, "Password"), c.pszPassword);
            EXPECT_EQ(pGroup->ChildText("Name"), c.pszGroup);
            EXPECT_EQ(HistoryPasswords(*pEntry), c.history);
        }
        EXPECT_EQ(Lists(summary.entriesAdded, strUuid), c.eSaid == added || c.eSaid == addedAgain);
        EXPECT_EQ(Lists(summary.entriesUpdated, strUuid), c.eSaid == updated);
        EXPECT_EQ(Lists(summary.entriesMoved, strUuid), c.eSaid == moved);
        EXPECT_EQ(Lists(summary.entriesDeleted, strUuid), c.eSaid == deleted);
        EXPECT_EQ(Lists(summary.entriesConflicting, strUuid),
                  c.eSaid == conflict || c.eSaid == addedAgain);
        // A conflict alone leaves the target as it was.
        EXPECT_EQ(summary.bChanged, c.eSaid != none && c.eSaid != conflict);
        EXPECT_EQ(DeletionRecord(target, strUuid), c.record);
        for (const SKdbxMergeItem& item : summary.entriesUpdated)
            EXPECT_EQ(item.strName, "Mail");

        // Merging again changes nothing; merging the other way ends alike.
        const std::string strMerged = XmlOf(target);
        const SKdbxMergeSummary again = MergeKdbxDatabase(target, source);
        EXPECT_FALSE(again.bChanged);
        EXPECT_EQ(XmlOf(target), strMerged);
        if (c.target.eDo == EDo::edit && c.source.eDo == EDo::edit &&
            c.target.nTime == c.source.nTime)
            continue; // equal times: each side keeps its own
        MergeKdbxDatabase(source, target);
        CXmlElement* pOther = Entry(source, strUuid, &pGroup);
        ASSERT_EQ(pOther != nullptr, c.pszPassword != nullptr);
        if (pOther) {
            EXPECT_EQ(KdbxEntryField(*pOther, "Password"), c.pszPassword);
            EXPECT_EQ(pGroup->ChildText("Name"), c.pszGroup);
        }
        EXPECT_EQ(DeletionRecord(source, strUuid), c.record);
    }
}

// A group follows the side that moved it last, and takes its name, notes
// and icon from the side that changed it last.
TEST(KdbxMerge, GroupsFollowTheLaterMoveAndRename) {
    const struct {
        std::int64_t nTargetMove; // 0: not moved
        std::int64_t nSourceMove;
        std::int64_t nTargetRename;
        std::int64_t nSourceRename;
        const char* pszParent;
        const char* pszName;
        bool bMovedSaid;
        bool bRenamedSaid;
    } CASES[] = {
        {0, 0, 0, 0, "A", "Sub", false, false},
        {0, T1, 0, T1, "C", "Source name", true, true},
        {T2, T1, T2, T1, "B", "Target name", false, false},
        {T1, T2, T1, T2, "C", "Source name", true, true},
        {T1, 0, 0, T1, "B", "Source name", false, true},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(std::string(c.pszParent) + " " + c.pszName);
        CKdbxFile base = NewKdbxDatabase("Vault", T0);
        const std::string strSub = UuidAt(base, "A/Sub");
        UuidAt(base, "B");
        UuidAt(base, "C");
        CKdbxFile target = CopyOf(base);
        CKdbxFile source = CopyOf(base);
        auto rename = [&](CKdbxFile& side, const char* pszName, std::int64_t nTime) {
            CXmlElement& group = *Group(side, strSub);
            group.SetChildText(side.Xml(), "Name", pszName);
            group.SetChildText(side.Xml(), "IconID", pszName[0] == 'S' ? "12" : "13");
            group.Child("Times")->SetChildText(side.Xml(), "LastModificationTime",
                                               KdbxTimeText(nTime));
        };
        if (c.nTargetMove)
            Move(target, "Group", strSub, "B", c.nTargetMove);
        if (c.nSourceMove)
            Move(source, "Group", strSub, "C", c.nSourceMove);
        if (c.nTargetRename)
            rename(target, "Target name", c.nTargetRename);
        if (c.nSourceRename)
            rename(source, "Source name", c.nSourceRename);

        const SKdbxMergeSummary summary = MergeKdbxDatabase(target, source);
        CXmlElement* pParent = nullptr;
        const CXmlElement* pSub = Group(target, strSub, &pParent);
        ASSERT_TRUE(pSub);
        EXPECT_EQ(pParent->ChildText("Name"), c.pszParent);
        EXPECT_EQ(pSub->ChildText("Name"), c.pszName);
        EXPECT_EQ(Lists(summary.groupsMoved, strSub), c.bMovedSaid);
        EXPECT_EQ(Lists(summary.groupsRenamed, strSub), c.bRenamedSaid);
        EXPECT_EQ(pSub->ChildText("IconID"), c.bRenamedSaid ? "12" : c.nTargetRename ? "13" : "48");
        const std::string strMerged = XmlOf(target);
        EXPECT_FALSE(MergeKdbxDatabase(target, source).bChanged);
        EXPECT_EQ(XmlOf(target), strMerged);
    }
}

// Deletes the group as a user does at nTime, recording it.
void DeleteGroup(CKdbxFile& database, const std::string& strUuid, std::int64_t nTime) {
    CXmlElement* pParent = nullptr;
    CXmlElement* pGroup = Group(database, strUuid, &pParent);
    ASSERT_TRUE(pGroup);
    Detach(*pParent, *pGroup);
    CXmlTree& xml = database.Xml();
    CXmlElement& record =
        xml.Root().Child("Root")->Child("DeletedObjects")->AppendChild(xml, "DeletedObject");
    record.SetChildText(xml, "UUID", strUuid);
    record.SetChildText(xml, "DeletionTime", KdbxTimeText(nTime));
}

// Groups only the source has come with their entries; a group deleted on
// one side goes once empty, and stays, as a conflict, while it holds what
// the other side put in it after the deletion.
TEST(KdbxMerge, GroupsAddedAndDeleted) {
    CKdbxFile base = NewKdbxDatabase("Vault", T0);
    const std::string strOld = UuidAt(base, "Old");
    const std::string strKept = UuidAt(base, "Kept");
    const std::string strRevived = UuidAt(base, "Revived");
    CKdbxFile target = CopyOf(base);
    CKdbxFile source = CopyOf(base);
    CXmlElement& newGroup = KdbxGroupAt(source.Xml(), "New/Inner", T1);
    const std::string strInner(newGroup.ChildText("UUID"));
    const std::string strNewEntry(
        AddKdbxEntry(source.Xml(), newGroup, {{"Title", "Fresh"}}, T1).ChildText("UUID"));
    const std::string strNew = UuidAt(source, "New");
    // The source deletes two groups, the target one; each side then filled
    // one of them.
    for (const std::string& strUuid : {strOld, strKept})
        DeleteGroup(source, strUuid, T1);
    DeleteGroup(target, strRevived, T1);
    const std::string strLater(
        AddKdbxEntry(source.Xml(), *Group(source, strRevived), {{"Title", "Later"}}, T2)
            .ChildText("UUID"));
    const std::string strLate(
        AddKdbxEntry(target.Xml(), KdbxGroupAt(target.Xml(), "Kept", T2), {{"Title", "Late"}}, T2)
            .ChildText("UUID"));

    const SKdbxMergeSummary summary = MergeKdbxDatabase(target, source);
    CXmlElement* pParent = nullptr;
    ASSERT_TRUE(Group(target, strInner, &pParent));
    EXPECT_EQ(pParent->ChildText("UUID"), strNew);
    ASSERT_TRUE(Entry(target, strNewEntry, &pParent));
    EXPECT_EQ(pParent->ChildText("UUID"), strInner);
    EXPECT_TRUE(Lists(summary.groupsAdded, strNew) && Lists(summary.groupsAdded, strInner));
    EXPECT_TRUE(Lists(summary.entriesAdded, strNewEntry));
    EXPECT_FALSE(Group(target, strOld));
    EXPECT_EQ(summary.groupsDeleted, (std::vector<SKdbxMergeItem>{{strOld, "Old"}}));
    EXPECT_EQ(DeletionRecord(target, strOld), T1);
    EXPECT_TRUE(Group(target, strKept));
    EXPECT_TRUE(Entry(target, strLate));
    ASSERT_TRUE(Entry(target, strLater, &pParent));
    EXPECT_EQ(pParent->ChildText("UUID"), strRevived);
    EXPECT_TRUE(Lists(summary.groupsAdded, strRevived));
    EXPECT_EQ(summary.groupsConflicting,
              (std::vector<SKdbxMergeItem>{{strKept, "Kept"}, {strRevived, "Revived"}}));
    EXPECT_FALSE(DeletionRecord(target, strKept));
    EXPECT_FALSE(DeletionRecord(target, strRevived));
    const std::string strMerged = XmlOf(target);
    EXPECT_FALSE(MergeKdbxDatabase(target, source).bChanged);
    EXPECT_EQ(XmlOf(target), strMerged);
}

// Two copies that each made a recycle bin of their own keep the target's.
TEST(KdbxMerge, RecycledEntriesMeetInTheTargetsBin) {
    CKdbxFile base = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = base.Xml();
    std::vector<std::string> uuids;
    for (const char* pszTitle : {"One", "Two"})
        uuids.emplace_back(AddKdbxEntry(xml, KdbxGroupAt(xml, "A", T0), {{"Title", pszTitle}}, T0)
                               .ChildText("UUID"));
    CKdbxFile target = CopyOf(base);
    CKdbxFile source = CopyOf(base);
    DeleteKdbxEntry(target.Xml(), uuids[0], T1);
    DeleteKdbxEntry(source.Xml(), uuids[1], T1);
    ASSERT_NE(KdbxRecycleBin(target.Xml())->ChildText("UUID"),
              KdbxRecycleBin(source.Xml())->ChildText("UUID"));

    const SKdbxMergeSummary summary = MergeKdbxDatabase(target, source);
    EXPECT_TRUE(summary.groupsAdded.empty());
    EXPECT_TRUE(Lists(summary.entriesMoved, uuids[1]));
    const std::string strBin(KdbxRecycleBin(target.Xml())->ChildText("UUID"));
    for (const std::string& strUuid : uuids) {
        CXmlElement* pGroup = nullptr;
        ASSERT_TRUE(Entry(target, strUuid, &pGroup));
        EXPECT_EQ(pGroup->ChildText("UUID"), strBin);
    }
    EXPECT_EQ(RootGroup(target).Children().size(), RootGroup(base).Children().size() + 1);
    const std::string strMerged = XmlOf(target);
    EXPECT_FALSE(MergeKdbxDatabase(target, source).bChanged);
    EXPECT_EQ(XmlOf(target), strMerged);
}

std::string BinaryBytes(const CKdbxFile& database, const CXmlElement& entry) {
    const CXmlElement* pValue = entry.Child("Binary")->Child("Value");
    const std::size_t nRef = std::stoul(*pValue->Attribute("Ref"));
    const auto& data = database.Binaries().at(nRef).data;
    return std::string(data.begin(), data.end());
}

void Attach(CKdbxFile& database, CXmlElement& entry, std::string_view strBytes) {
    SKdbxBinary& item = database.Binaries().emplace_back();
    item.data.assign(strBytes.begin(), strBytes.end());
    CXmlElement& binary = entry.AppendChild(database.Xml(), "Binary");
    binary.SetChildText(database.Xml(), "Key", "file.txt");
    binary.SetChildText(database.Xml(), "Value", "")
        .SetAttribute(database.Xml(), "Ref", std::to_string(database.Binaries().size() - 1));
}

// Attachments of the entries the source brings come into the target's
// pool, sharing the bytes it holds already; those no entry uses any more go.
TEST(KdbxMerge, AttachmentsComeIntoTheTargetsPool) {
    CKdbxFile target = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = target.Xml();
    Attach(target, AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Mine"}}, T0), "mine");
    CXmlElement& shared = AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Shared"}}, T0);
    const std::string strShared(shared.ChildText("UUID"));
    Attach(target, shared, "old bytes");
    CKdbxFile source = CopyOf(target);
    // The source's pool holds the bytes in another order.
    source.Binaries().clear();
    CXmlTree& sourceXml = source.Xml();
    CXmlElement& fresh =
        AddKdbxEntry(sourceXml, KdbxGroupAt(sourceXml, "", T0), {{"Title", "Fresh"}}, T1);
    const std::string strFresh(fresh.ChildText("UUID"));
    Attach(source, fresh, "mine");
    CXmlElement& changed = *Entry(source, strShared);
    changed.RemoveChildren("Binary");
    Attach(source, changed, "shared");
    changed.Child("Times")->SetChildText(sourceXml, "LastModificationTime", KdbxTimeText(T1));
    target.Xml().Root().Child("Meta")->SetChildText(xml, "HistoryMaxItems", "0");

    MergeKdbxDatabase(target, source);
    EXPECT_EQ(BinaryBytes(target, *Entry(target, strShared)), "shared");
    EXPECT_EQ(BinaryBytes(target, *Entry(target, strFresh)), "mine");
    // "old bytes" went with the trimmed history; "mine" is shared.
    ASSERT_EQ(target.Binaries().size(), 2u);
}

// What the merge does not change stays byte for byte: Meta, what other
// programs keep, the entries only one side changed.
TEST(KdbxMerge, LeavesEverythingElseAsItWas) {
    CKdbxFile base = NewKdbxDatabase("Vault", T0);
    CXmlTree& xml = base.Xml();
    CXmlElement& item =
        xml.Root().Child("Meta")->AppendChild(xml, "CustomData").AppendChild(xml, "Item");
    item.SetChildText(xml, "Key", "plugin");
    item.SetChildText(xml, "Value", "settings");
    CXmlElement& mail = AddKdbxEntry(xml, KdbxGroupAt(xml, "Mail", T0), {{"Title", "Mail"}}, T0);
    mail.AppendChild(xml, "X-Unknown").SetAttribute(xml, "kind", "other program");
    const std::string strMail(mail.ChildText("UUID"));
    const std::string strBank(
        AddKdbxEntry(xml, KdbxGroupAt(xml, "", T0), {{"Title", "Bank"}, {"Password", "1"}}, T0)
            .ChildText("UUID"));
    KdbxGroupAt(xml, "Mail", T0).AppendChild(xml, "X-Group-Data").SetText("kept");

    CKdbxFile target = CopyOf(base);
    CKdbxFile source = CopyOf(base);
    CKdbxFile expected = CopyOf(base);
    for (CKdbxFile* pSide : {&source, &expected})
        EditKdbxEntry(*pSide, *Entry(*pSide, strBank), {{"Password", "2"}}, T1);
    for (CKdbxFile* pSide : {&target, &expected})
        EditKdbxEntry(*pSide, *Entry(*pSide, strMail), {{"UserName", "me"}}, T1);

    const SKdbxMergeSummary summary = MergeKdbxDatabase(target, source);
    EXPECT_EQ(summary.entriesUpdated, (std::vector<SKdbxMergeItem>{{strBank, "Bank"}}));
    EXPECT_EQ(XmlOf(target), XmlOf(expected));
    // A database merged into itself, or into a copy of itself, is left as
    // it was.
    EXPECT_FALSE(MergeKdbxDatabase(target, target).bChanged);
    const SKdbxMergeSummary same = MergeKdbxDatabase(target, CopyOf(target));
    EXPECT_FALSE(same.bChanged);
    EXPECT_TRUE(same.entriesUpdated.empty() && same.entriesAdded.empty());
    EXPECT_EQ(XmlOf(target), XmlOf(expected));
}

// The united history keeps one item per time, in time order, as many as
// Meta allows.
TEST(KdbxMerge, HistoriesUniteWithinTheLimit) {
    const struct {
        const char* pszMaxItems;
        std::vector<std::string> history;
    } CASES[] = {
        {"10", {"p0", "t1", "s1", "t2", "s2"}},
        {"3", {"s1", "t2", "s2"}},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.pszMaxItems);
        CKdbxFile base = NewKdbxDatabase("Vault", T0);
        base.Xml().Root().Child("Meta")->SetChildText(base.Xml(), "HistoryMaxItems", c.pszMaxItems);
        const std::string strUuid(AddKdbxEntry(base.Xml(), KdbxGroupAt(base.Xml(), "", T0),
                                               {{"Title", "Bank"}, {"Password", "p0"}}, T0)
                                      .ChildText("UUID"));
        CKdbxFile target = CopyOf(base);
        CKdbxFile source = CopyOf(base);
        // Interleaved edits: target at T0+10, +30, +50; source at +20, +40.
        for (int i = 1; i <= 3; ++i)
            EditKdbxEntry(target, *Entry(target, strUuid), {{"Password", "t" + std::to_string(i)}},
                          T0 + 20 * i - 10);
        for (int i = 1; i <= 2; ++i)
            EditKdbxEntry(source, *Entry(source, strUuid), {{"Password", "s" + std::to_string(i)}},
                          T0 + 20 * i);
        MergeKdbxDatabase(target, source);
        const CXmlElement& entry = *Entry(target, strUuid);
        EXPECT_EQ(KdbxEntryField(entry, "Password"), "t3");
        EXPECT_EQ(HistoryPasswords(entry), c.history);
    }
}

} // namespace
