// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// What assistive tools need that the toolkit leaves out, for every window of
// the program once installed on the application:
// - a drop-down list's pop-up list carries the name of its list box (the
//   toolkit leaves it unnamed, and names the box itself after its value);
// - a drop-down list the program named says its name, and its item chosen
//   as its text and as the selected row of its list (CAccessibleComboBox);
// - a top-level window of the program built on a plain widget (the Password
//   Bar) is announced as a window, not as a "filler"; the toolkit's own
//   classes made that way (menus, dialogs) keep their roles and contents.
class CAccessibleNames : public QObject {
    Q_OBJECT
public:
    explicit CAccessibleNames(QObject* pParent = nullptr);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
};
