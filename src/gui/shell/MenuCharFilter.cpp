// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MenuCharFilter.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

namespace {

// The letter after the single "&" of a menu text, in lower case; none when
// the text has no mnemonic ("&&" shows an ampersand).
QChar MnemonicOf(const QString& strText) {
    for (qsizetype i = 0; i + 1 < strText.size(); ++i) {
        if (strText[i] != QLatin1Char('&'))
            continue;
        if (strText[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return strText[i + 1].toLower();
    }
    return {};
}

} // namespace

CMenuCharFilter::CMenuCharFilter(QObject* pParent) : QObject(pParent) {}

void CMenuCharFilter::Attach(QMenu* pMenu) {
    pMenu->installEventFilter(this);
}

QAction* CMenuCharFilter::SharedMnemonicTarget(const QMenu& menu, QChar chTyped) {
    const QChar chWanted = chTyped.toLower();
    if (chWanted.isNull() || chWanted.isSpace())
        return nullptr;
    QAction* pFound = nullptr;
    int nMatches = 0;
    const QList<QAction*> actions = menu.actions();
    for (auto it = actions.crbegin(); it != actions.crend(); ++it) {
        QAction* pAction = *it;
        if (pAction->isSeparator() || !pAction->isVisible())
            continue;
        if (MnemonicOf(pAction->text()) != chWanted)
            continue;
        if (!pFound)
            pFound = pAction;
        ++nMatches;
    }
    return nMatches >= 2 ? pFound : nullptr;
}

bool CMenuCharFilter::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() != QEvent::KeyPress)
        return false;
    auto* pMenu = qobject_cast<QMenu*>(pWatched);
    const auto* pKey = static_cast<QKeyEvent*>(pEvent);
    if (!pMenu || pKey->text().size() != 1 ||
        (pKey->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    QAction* pTarget = SharedMnemonicTarget(*pMenu, pKey->text().front());
    if (!pTarget)
        return false;
    // Choosing it as Enter does: a command runs and closes the menus, a
    // submenu opens; a disabled item does nothing.
    pMenu->setActiveAction(pTarget);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(pMenu, &enter);
    return true;
}
