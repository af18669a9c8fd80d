// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/DocObserver.h"
#include "gui/model/RecordTreeModel.h"

#include <QObject>

class CCofferDoc;

// The document's observer in the desktop program: turns its notices into Qt
// signals, so the view, the frame and the Password Bar each connect to what
// concerns them. One notifier per document, registered while it lives.
//
// It also keeps the one record model of the document, which the main tree
// and the Password Bar's lists show: the model has followed each notice
// before the signal for it goes out.
class CDocNotifier : public QObject, public CDocObserver {
    Q_OBJECT

public:
    explicit CDocNotifier(CCofferDoc& doc, QObject* pParent = nullptr);
    ~CDocNotifier() override;

    CCofferDoc& Document() const { return m_doc; }
    CRecordTreeModel& Model() { return m_model; }

signals:
    // Another file, or none, is shown: rebuild from scratch.
    void InitialUpdate();
    // The content is gone until the next InitialUpdate: show nothing of it.
    void Emptied();
    // One group or account changed; a reset comes as UpdateAllViews.
    void RecordsChanged(const SRecordNotice& notice);
    // Every record may have changed: redraw from the record list.
    void UpdateAllViews();
    void PathNameChanged();
    void ModifiedChanged(bool bModified);
    void RecentFileListChanged();

private:
    void OnInitialUpdate() override;
    void OnEmptied() override;
    void OnRecordsChanged(const SRecordNotice& notice) override;
    void OnModifiedChanged(bool bModified) override { emit ModifiedChanged(bModified); }
    void OnPathNameChanged() override;
    void OnRecentFileListChanged() override { emit RecentFileListChanged(); }

    CCofferDoc& m_doc;
    CRecordTreeModel m_model;
};
