// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    // Records were added, changed, moved or deleted: redraw from the list.
    virtual void OnRecordsChanged() {}
    virtual void OnModifiedChanged(bool /*bModified*/) {}
    virtual void OnPathNameChanged() {}
    virtual void OnRecentFileListChanged() {}
};
