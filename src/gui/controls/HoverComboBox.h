// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBasicTimer>
#include <QComboBox>

// The program's flat drop-down list: drawn flat, raised while the pointer is
// over it and sunken while it is pressed. Every group list of the program's
// dialogs is one.
class CHoverComboBox : public QComboBox {
    Q_OBJECT
public:
    enum class EState { normal, hovered, pressed };

    explicit CHoverComboBox(QWidget* pParent = nullptr);

    EState State() const { return m_eState; }
    // How often the pointer is looked for while it is over the list.
    static constexpr int HOVER_PERIOD_MS = 10;

    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;

private:
    void TrackPointer();
    void SetState(EState eState);
    void DrawState(class QPainter& painter) const;

    QBasicTimer m_timer;
    bool m_bButtonDown = false;
    EState m_eState = EState::normal;
};
