// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AccessibleNames.h"

#include "gui/controls/AccessibleComboBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QByteArrayView>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace {

// The toolkit names every class of its own with a leading "Q" (after any
// namespace it is built in); the program's classes are named otherwise.
bool IsToolkitClass(const QMetaObject& meta) {
    const QByteArrayView name(meta.className());
    const qsizetype nScope = name.lastIndexOf("::");
    const QByteArrayView bare = nScope < 0 ? name : name.sliced(nScope + 2);
    return bare.startsWith('Q');
}

QAccessibleInterface* PlainWindowFactory(const QString& strClass, QObject* pObject) {
    if (pObject == nullptr || !pObject->isWidgetType())
        return nullptr;
    auto* pWidget = static_cast<QWidget*>(pObject);
    // Only for the class the object is, when the program made it directly on
    // a plain widget. The toolkit's own classes made that way keep the roles
    // it gives them: a menu is a pop-up menu with its items, a dialog is a
    // dialog; taken for plain windows they would show no content at all.
    const QMetaObject* pMeta = pObject->metaObject();
    if (!pWidget->isWindow() || pMeta->superClass() != &QWidget::staticMetaObject ||
        IsToolkitClass(*pMeta) || strClass != QLatin1String(pMeta->className()))
        return nullptr;
    return new QAccessibleWidget(pWidget, QAccessible::Window);
}

} // namespace

CAccessibleNames::CAccessibleNames(QObject* pParent) : QObject(pParent) {
    QAccessible::installFactory(&PlainWindowFactory);
    CAccessibleComboBox::Install();
}

bool CAccessibleNames::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::Show) {
        auto* pCombo = qobject_cast<QComboBox*>(pWatched);
        if (pCombo && pCombo->view() && pCombo->view()->accessibleName().isEmpty())
            pCombo->view()->setAccessibleName(pCombo->accessibleName());
    }
    return false;
}
