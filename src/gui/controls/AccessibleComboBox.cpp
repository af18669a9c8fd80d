// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

QAccessibleInterface* ComboFactory(const QString& strClassName, QObject* pObject) {
    if (strClassName != QLatin1String("CHoverComboBox") || !pObject || !pObject->isWidgetType())
        return nullptr;
    return new CAccessibleComboBox(static_cast<QComboBox*>(pObject));
}

} // namespace

CAccessibleComboBox::CAccessibleComboBox(QComboBox* pCombo)
    : QAccessibleWidget(pCombo, QAccessible::ComboBox) {}

void CAccessibleComboBox::Install() {
    static const bool bInstalled = []() {
        QAccessible::installFactory(ComboFactory);
        return true;
    }();
    Q_UNUSED(bInstalled);
}

QComboBox* CAccessibleComboBox::Combo() const {
    return static_cast<QComboBox*>(widget());
}

QString CAccessibleComboBox::text(QAccessible::Text eText) const {
    switch (eText) {
    case QAccessible::Name:
        // A list without a name of its own still says what it shows.
        return Combo()->accessibleName().isEmpty() ? Combo()->currentText()
                                                   : Combo()->accessibleName();
    case QAccessible::Value:
        return Combo()->currentText();
    default:
        return QAccessibleWidget::text(eText);
    }
}

// The one child is the list of items, as the toolkit's own lists have it.
int CAccessibleComboBox::childCount() const {
    return Combo()->view() ? 1 : 0;
}

QAccessibleInterface* CAccessibleComboBox::child(int nIndex) const {
    return nIndex == 0 && Combo()->view() ? QAccessible::queryAccessibleInterface(Combo()->view())
                                          : nullptr;
}

int CAccessibleComboBox::indexOfChild(const QAccessibleInterface* pChild) const {
    return pChild && Combo()->view() && pChild->object() == Combo()->view() ? 0 : -1;
}

QStringList CAccessibleComboBox::actionNames() const {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
}

void CAccessibleComboBox::doAction(const QString& strAction) {
    if (strAction == showMenuAction() || strAction == pressAction())
        Combo()->showPopup();
    else
        QAccessibleWidget::doAction(strAction);
}
