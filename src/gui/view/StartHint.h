// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <string>
#include <vector>

class CViewHost;
class QLabel;
class QPushButton;

// What the main window offers in place of the tree and the details while no
// file is open: New, Open, Import into a new file, and each recent file.
// Every button runs the host's command of the same name (controlId), so it
// does what the menu item does and is enabled when the menu item is.
class CStartHint : public QWidget {
    Q_OBJECT
public:
    explicit CStartHint(CViewHost& host, QWidget* pParent = nullptr);

    // The recent files' paths, newest first, and the buttons' states from
    // their commands.
    void Refresh(const std::vector<std::string>& vecRecent);
    // The buttons for keyboard users: the first one enabled takes the focus.
    void FocusFirst();

    QPushButton* NewButton() const { return m_pNew; }
    QPushButton* OpenButton() const { return m_pOpen; }
    QPushButton* ImportButton() const { return m_pImport; }
    // The button of the recent file nIndex (0 the newest), shown or not.
    QPushButton* RecentButton(int nIndex) const { return m_vecRecent.at(nIndex); }

private:
    QPushButton* MakeButton(int nId, const char* pszName, const QString& strText);
    void OnImport();

    CViewHost& m_host;
    QLabel* m_pTitle = nullptr;
    QPushButton* m_pNew = nullptr;
    QPushButton* m_pOpen = nullptr;
    QPushButton* m_pImport = nullptr;
    QLabel* m_pRecentTitle = nullptr;
    std::vector<QPushButton*> m_vecRecent;
};
