// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// Two small arrow buttons beside a number edit (the buddy): each click moves
// the buddy's number one step within the range and writes it back. The edit
// stays free text, so an empty or odd text is left for the caller's check.
class CUpDown : public QWidget {
    Q_OBJECT
public:
    CUpDown(QLineEdit* pBuddy, int nMin, int nMax, QWidget* pParent = nullptr);

    void Step(int nDelta);
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }

private:
    QLineEdit* m_pBuddy;
    int m_nMin;
    int m_nMax;
    QToolButton* m_pUp = nullptr;
    QToolButton* m_pDown = nullptr;
};
