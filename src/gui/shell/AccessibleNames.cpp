// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace {

QAccessibleInterface* PlainWindowFactory(const QString& strClass, QObject* pObject) {
    if (pObject == nullptr || !pObject->isWidgetType())
        return nullptr;
    auto* pWidget = static_cast<QWidget*>(pObject);
    // Only for the class the object is, a plain widget or one made directly
    // on it: dialogs, main windows and the toolkit's own classes keep their
    // own roles.
    const QMetaObject* pMeta = pObject->metaObject();
    const bool bPlain =
        pMeta == &QWidget::staticMetaObject || pMeta->superClass() == &QWidget::staticMetaObject;
    if (!pWidget->isWindow() || !bPlain || strClass != QLatin1String(pMeta->className()))
        return nullptr;
    return new QAccessibleWidget(pWidget, QAccessible::Window);
}

} // namespace

CAccessibleNames::CAccessibleNames(QObject* pParent) : QObject(pParent) {
    QAccessible::installFactory(&PlainWindowFactory);
}

bool CAccessibleNames::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::Show) {
        auto* pCombo = qobject_cast<QComboBox*>(pWatched);
        if (pCombo && pCombo->view() && pCombo->view()->accessibleName().isEmpty())
            pCombo->view()->setAccessibleName(pCombo->accessibleName());
    }
    return false;
}
