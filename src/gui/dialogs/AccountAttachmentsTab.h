// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"

#include <QWidget>

#include <vector>

class CPrompts;
class QPushButton;
class QTreeWidget;

// The account dialog's tab of the files an entry keeps: their names and
// sizes, a file added from disk (one of a name already kept replaces it
// once the user agrees), one saved to a new private file, one removed.
// Files are chosen and questions asked through the prompts.
class CAccountAttachmentsTab : public QWidget {
    Q_OBJECT
public:
    CAccountAttachmentsTab(CPrompts& prompts, QWidget* pParent = nullptr);

    void Load(const std::vector<SRecordAttachment>& attachments);
    const std::vector<SRecordAttachment>& Attachments() const { return m_attachments; }

    void OnAdd();
    void OnSaveAs();
    void OnRemove();

    QTreeWidget* List() const { return m_pList; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* SaveButton() const { return m_pSave; }
    QPushButton* RemoveButton() const { return m_pRemove; }

private:
    void Fill(int nCurrent);
    // The attachment of the current row, or -1.
    int Current() const;

    CPrompts& m_prompts;
    std::vector<SRecordAttachment> m_attachments;
    QTreeWidget* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pSave = nullptr;
    QPushButton* m_pRemove = nullptr;
};
