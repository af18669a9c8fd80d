// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QComboBox;

// How assistive tools see the program's drop-down lists: by the name they
// were given ("Group", "Account"), with the item shown as their value. The
// toolkit's own interface on this desktop names a list after its current
// item, so a screen reader would announce "Bank" where the user needs to
// hear which list it is.
class CAccessibleComboBox : public QAccessibleWidget {
public:
    explicit CAccessibleComboBox(QComboBox* pCombo);

    // Registers the interface for the program's flat lists; once per process.
    static void Install();

    QString text(QAccessible::Text eText) const override;
    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QStringList actionNames() const override;
    void doAction(const QString& strAction) override;

private:
    QComboBox* Combo() const;
};
