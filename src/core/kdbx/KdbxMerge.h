// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/KdbxFile.h"

#include <string>
#include <vector>

// Merging one KeePass database into another the way KeePass managers
// synchronise two copies of a file, so that merging either into the other
// ends in the same entries and groups:
//
// - Entries and groups are matched by UUID. Of an entry on both sides the
//   version with the later LastModificationTime wins whole (fields, times,
//   tags, attachments); the other version joins its history, the two
//   histories are united (one item per LastModificationTime) and trimmed as
//   the target's Meta says. Equal times change nothing.
// - An entry or group moves to the parent it has on the side whose
//   LocationChanged is later; a group's name, notes and icon follow the side
//   whose LastModificationTime is later.
// - What only the source holds is added under the group of the same UUID
//   (the root group when the target has none). The source's root group
//   stands for the target's, and so does its recycle bin for the target's
//   when both have one.
// - An object one side holds and the other records as deleted goes, for
//   good, when it was not changed after the deletion; a group only once it
//   is empty. An object changed after its deletion stays, is reported as a
//   conflict, and its deletion record is dropped. The target's deletion
//   records become the union of both sides' (the later time for a UUID).
//
// Deleted objects are removed rather than recycled: the other side's record
// says the object was deleted for good there (emptied from its bin, or
// deleted where there is none); a copy in the target's bin would contradict
// the record kept beside it, and the next merge would delete it again.
//
// Everything else of the target, its Meta and what other programs keep in
// it included, stays exactly as it was.

// One object the merge changed: its UUID (base64) and its title or name.
struct SKdbxMergeItem {
    std::string strUuid;
    std::string strName;
    bool operator==(const SKdbxMergeItem&) const = default;
};

struct SKdbxMergeSummary {
    std::vector<SKdbxMergeItem> entriesAdded;
    std::vector<SKdbxMergeItem> entriesUpdated; // the source's version won
    std::vector<SKdbxMergeItem> entriesMoved;
    std::vector<SKdbxMergeItem> entriesDeleted;
    // Kept (or added again) though deleted on the other side: changed after
    // the deletion.
    std::vector<SKdbxMergeItem> entriesConflicting;
    std::vector<SKdbxMergeItem> groupsAdded;
    std::vector<SKdbxMergeItem> groupsMoved;
    std::vector<SKdbxMergeItem> groupsRenamed;
    std::vector<SKdbxMergeItem> groupsDeleted;
    std::vector<SKdbxMergeItem> groupsConflicting;
    // Whether the target changed at all, a history or a deletion record
    // alone included: whether it needs saving.
    bool bChanged = false;
};

// Merges source into target (the source is left as it is). Merging a
// database into itself, or the same source twice, changes nothing.
SKdbxMergeSummary MergeKdbxDatabase(CKdbxFile& target, const CKdbxFile& source);
