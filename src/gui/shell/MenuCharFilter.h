// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;
class QMenu;

// A letter typed in an open menu whose items share that mnemonic letter runs
// one of them at once instead of only moving the highlight among them: the
// items are searched from the last one upwards and the first match runs (a
// submenu opens). A letter that only one item carries is left to the menu.
class CMenuCharFilter : public QObject {
    Q_OBJECT
public:
    explicit CMenuCharFilter(QObject* pParent = nullptr);

    void Attach(QMenu* pMenu);
    // The item that the letter chooses, or none when fewer than two share it.
    static QAction* SharedMnemonicTarget(const QMenu& menu, QChar chTyped);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
};
