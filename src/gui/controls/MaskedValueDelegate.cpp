// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/MaskedValueDelegate.h"

#include <QLineEdit>

namespace {

// As the password boxes mask: one "*" for every character typed.
constexpr const char* MASK_STYLE = "lineedit-password-character: 42;";
// A value shown masked tells nothing of its length.
constexpr int MASK_LENGTH = 12;

} // namespace

void SetEditMasked(QLineEdit& edit, bool bMasked) {
    edit.setEchoMode(bMasked ? QLineEdit::Password : QLineEdit::Normal);
    edit.setStyleSheet(bMasked ? QString::fromLatin1(MASK_STYLE) : QString());
}

CMaskedValueDelegate::CMaskedValueDelegate(CMaskRule fnMasked, QObject* pParent)
    : QStyledItemDelegate(pParent), m_fnMasked(std::move(fnMasked)) {}

QWidget* CMaskedValueDelegate::createEditor(QWidget* pParent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QWidget* pEditor = QStyledItemDelegate::createEditor(pParent, option, index);
    auto* pEdit = qobject_cast<QLineEdit*>(pEditor);
    if (pEdit && m_fnMasked(index))
        SetEditMasked(*pEdit, true);
    return pEditor;
}

void CMaskedValueDelegate::initStyleOption(QStyleOptionViewItem* pOption,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(pOption, index);
    if (m_fnMasked(index))
        pOption->text = QString(MASK_LENGTH, QLatin1Char('*'));
}
