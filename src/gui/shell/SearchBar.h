// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolBar>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class CCommandMap;

// The bar above the view that holds the search text, "Find Next", the two
// match options and "Hide". Its buttons run commands: "Find Next" the
// search's command (enabled once a view carries it), "Hide" the same toggle
// as View > Search Bar.
class CSearchBar : public QToolBar {
    Q_OBJECT
public:
    CSearchBar(CCommandMap& commands, QWidget* pParent = nullptr);

    QLineEdit* Edit() const { return m_pEdit; }
    QPushButton* FindNextButton() const { return m_pFindNext; }
    QCheckBox* MatchWordBox() const { return m_pMatchWord; }
    QCheckBox* MatchCaseBox() const { return m_pMatchCase; }
    QPushButton* HideButton() const { return m_pHide; }

    QString SearchText() const;
    bool IsMatchWholeWord() const;
    bool IsMatchCase() const;
    // Empties the edit and puts the keyboard focus into it.
    void PrepareToShow();
    // Enables the buttons by the rules of their commands.
    void UpdateButtons();

protected:
    // Keys its controls leave: Enter presses Find Next from any of them, as a
    // dialog's default button.
    void keyPressEvent(QKeyEvent* pEvent) override;
    // Escape in the edit hides the bar.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    CCommandMap& m_commands;
    QLineEdit* m_pEdit;
    QPushButton* m_pFindNext;
    QCheckBox* m_pMatchWord;
    QCheckBox* m_pMatchCase;
    QPushButton* m_pHide;
};
