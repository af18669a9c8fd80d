// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/AccessibleComboBox.h"

#include "gui/controls/AccessibleComboList.h"
#include "gui/controls/HoverComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListView>

namespace {

// The program's own lists, and the plain lists it named that take no
// typing; an editable list keeps the toolkit's interface, which reads its
// typed text.
bool IsServed(const QComboBox& combo) {
    if (qobject_cast<const CHoverComboBox*>(&combo) != nullptr)
        return true;
    return !combo.isEditable() && !combo.accessibleName().isEmpty();
}

// The drop-down list whose pop-up list pObject is, when it is one of ours.
QComboBox* ComboOfList(QObject* pObject) {
    auto* pView = qobject_cast<QListView*>(pObject);
    if (pView == nullptr || pView->parent() == nullptr)
        return nullptr;
    // While it is closed or open, the list sits in a frame of its list box.
    auto* pCombo = qobject_cast<QComboBox*>(pView->parent()->parent());
    return pCombo && pCombo->view() == pView && IsServed(*pCombo) ? pCombo : nullptr;
}

QAccessibleInterface* ComboFactory(const QString& strClassName, QObject* pObject) {
    if (pObject == nullptr || !pObject->isWidgetType())
        return nullptr;
    // Asked for the object's own class first: answered there, before the
    // toolkit's interface for one of its base classes.
    if (strClassName != QLatin1String(pObject->metaObject()->className()) &&
        strClassName != QLatin1String("QComboBox"))
        return nullptr;
    if (auto* pCombo = qobject_cast<QComboBox*>(pObject))
        return IsServed(*pCombo) ? new CAccessibleComboBox(pCombo) : nullptr;
    if (QComboBox* pCombo = ComboOfList(pObject))
        return new CAccessibleComboList(static_cast<QListView*>(pObject), pCombo);
    return nullptr;
}

} // namespace

CAccessibleComboBox::CAccessibleComboBox(QComboBox* pCombo)
    : QAccessibleWidget(pCombo, QAccessible::ComboBox) {
    // The interface lives as long as its list: one connection per list.
    QObject::connect(pCombo, &QComboBox::currentIndexChanged, pCombo,
                     [pCombo]() { SelectCurrent(*pCombo); });
    SelectCurrent(*pCombo);
}

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

void CAccessibleComboBox::SelectCurrent(QComboBox& combo) {
    QAbstractItemView* pView = combo.view();
    if (pView == nullptr || pView->selectionModel() == nullptr)
        return;
    // Selected only: making it the view's current row would also tell the
    // list's owner that the user highlighted it.
    const QModelIndex current =
        combo.model()->index(combo.currentIndex(), combo.modelColumn(), combo.rootModelIndex());
    if (!current.isValid())
        pView->selectionModel()->clearSelection();
    else if (!pView->selectionModel()->isSelected(current))
        pView->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

void* CAccessibleComboBox::interface_cast(QAccessible::InterfaceType eType) {
    if (eType == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(eType);
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
    if (nIndex != 0 || !Combo()->view())
        return nullptr;
    // A new model, a reset or a new root leaves the row chosen without
    // telling: whoever reads the rows reads them through here.
    SelectCurrent(*Combo());
    return QAccessible::queryAccessibleInterface(Combo()->view());
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

QString CAccessibleComboBox::text(int nStart, int nEnd) const {
    const QString strShown = Combo()->currentText();
    nStart = qBound(0, nStart, static_cast<int>(strShown.size()));
    nEnd = nEnd < 0 ? static_cast<int>(strShown.size())
                    : qBound(nStart, nEnd, static_cast<int>(strShown.size()));
    return strShown.mid(nStart, nEnd - nStart);
}

int CAccessibleComboBox::characterCount() const {
    return static_cast<int>(Combo()->currentText().size());
}

void CAccessibleComboBox::selection(int, int* pnStart, int* pnEnd) const {
    *pnStart = 0;
    *pnEnd = 0;
}

int CAccessibleComboBox::selectionCount() const {
    return 0;
}

// Nothing of the shown item can be selected or typed over.
void CAccessibleComboBox::addSelection(int, int) {}
void CAccessibleComboBox::removeSelection(int) {}
void CAccessibleComboBox::setSelection(int, int, int) {}

int CAccessibleComboBox::cursorPosition() const {
    return 0;
}

void CAccessibleComboBox::setCursorPosition(int) {}

QRect CAccessibleComboBox::characterRect(int) const {
    return {};
}

int CAccessibleComboBox::offsetAtPoint(const QPoint&) const {
    return -1;
}

void CAccessibleComboBox::scrollToSubstring(int, int) {}

QString CAccessibleComboBox::attributes(int, int* pnStart, int* pnEnd) const {
    *pnStart = 0;
    *pnEnd = characterCount();
    return {};
}
