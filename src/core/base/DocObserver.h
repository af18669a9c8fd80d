// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CPasswordInfo;

// One change to the document's records, told by the store operation that
// made it. Records are named by address (list nodes never move): a removal
// is told just before its records go, every other change once it is made.
struct SRecordNotice {
    enum EKind {
        groupAdded,
        // The group and every account up to the next group are going.
        groupRemoved,
        groupRenamed,
        accountAdded,
        accountRemoved,
        accountRenamed,
        // The account now belongs to m_pGroup, and left m_pFromGroup; its
        // texts may have changed too.
        accountMoved,
        // Texts other than the account's name changed.
        accountChanged,
        // Every record may be different: show the list afresh.
        reset
    };
    EKind m_eKind = reset;
    // The group or account; none for a reset.
    const CPasswordInfo* m_pRecord = nullptr;
    // The group that owns the account (a group's own notice: the group).
    const CPasswordInfo* m_pGroup = nullptr;
    // A moved account's former group.
    const CPasswordInfo* m_pFromGroup = nullptr;

    bool operator==(const SRecordNotice&) const = default;
};

// What the document tells whoever shows it. The document has one observer
// (the desktop program turns the notices into Qt signals once, for the view,
// the frame and the Password Bar); every notice does nothing unless
// overridden, so an observer takes only what concerns it.
class CDocObserver {
public:
    virtual ~CDocObserver() = default;

    // A different file, or none, is shown: rebuild everything.
    virtual void OnInitialUpdate() {}
    // The content is gone for now (a file is being read and a prompt is
    // about to show): show nothing of the old records until the next
    // initial update.
    virtual void OnEmptied() {}
    // A group or account was added, removed, renamed, moved or changed, or
    // the whole list was replaced; sent by the store operations themselves.
    virtual void OnRecordsChanged(const SRecordNotice& /*notice*/) {}
    virtual void OnModifiedChanged(bool /*bModified*/) {}
    virtual void OnPathNameChanged() {}
    virtual void OnRecentFileListChanged() {}
};
