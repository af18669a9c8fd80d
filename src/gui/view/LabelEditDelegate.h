// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class CCodePage;
class CFieldFilter;

// The in-place editor of the tree's labels: at most 255 characters, and the
// keys an edit field needs (Enter, Esc, Delete, anything with Ctrl) stay
// with it instead of firing the window's shortcuts. A finished edit is
// handed on as LabelEdited rather than written into the item: the view
// decides whether the new name is accepted.
class CLabelEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int MAX_LABEL_LENGTH = 255;

    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* pParent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* pEditor, QAbstractItemModel* pModel,
                      const QModelIndex& index) const override;

    // Whether a key pressed in the editor belongs to it.
    static bool IsEditorKey(const QKeyEvent& event);

    // While the live filter is on, the words it found are highlighted in
    // the accounts' labels; none: plain labels.
    void SetHighlight(const CFieldFilter* pRule, const CCodePage* pCodePage) {
        m_pRule = pRule;
        m_pCodePage = pCodePage;
    }
    void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

signals:
    void LabelEdited(const QModelIndex& index, const QString& strText) const;

protected:
    // The current group shows an open folder and the current account its
    // selected image.
    void initStyleOption(QStyleOptionViewItem* pOption, const QModelIndex& index) const override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    const CFieldFilter* m_pRule = nullptr;
    const CCodePage* m_pCodePage = nullptr;
};
