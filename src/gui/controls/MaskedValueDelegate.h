// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

#include <functional>

class QLineEdit;

// Shows a line edit's text masked as the password edits mask it, one "*"
// for every character, or plainly.
void SetEditMasked(QLineEdit& edit, bool bMasked);

// Shows and edits the cells of a column whose values may be secrets: a cell
// the rule names masked is drawn as a row of asterisks and edited with the
// characters hidden, while the model keeps the value itself.
class CMaskedValueDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using CMaskRule = std::function<bool(const QModelIndex& index)>;

    CMaskedValueDelegate(CMaskRule fnMasked, QObject* pParent);

    QWidget* createEditor(QWidget* pParent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* pOption, const QModelIndex& index) const override;

private:
    CMaskRule m_fnMasked;
};
