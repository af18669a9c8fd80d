// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// A key-combination control: a press of a key with its modifiers becomes the
// control's hot key, shown as text and held in its stored form (virtual-key
// code and modifier byte). Backspace or Delete without modifiers clears it.
// Shift as the only modifier is refused: the press leaves the key as it was.
class CHotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CHotKeyEdit(QWidget* pParent = nullptr);

    void SetHotKey(unsigned wVirtualKey, unsigned wFlags);
    unsigned VirtualKey() const { return m_wVirtualKey; }
    unsigned Flags() const { return m_wFlags; }

signals:
    void HotKeyChanged();

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    // The control takes Tab and the other keys a dialog would use.
    bool event(QEvent* pEvent) override;

private:
    void ShowHotKey();

    unsigned m_wVirtualKey = 0;
    unsigned m_wFlags = 0;
};
