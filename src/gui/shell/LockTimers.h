// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/IdleCountdown.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// When the program locks or ends by itself: the two idle countdowns (the
// lock and the exit) and the desktop session's lock. A modal window can hold
// them back (the frame says which do): a countdown that runs out under one
// only stops, and a desktop lock waits until the window that held it back
// has gone - told by the window system's unblocking of the windows beneath,
// not by looking again and again.
class CLockTimers : public QObject {
    Q_OBJECT
public:
    // fnHeldBack: whether a modal window holds the locks back now.
    explicit CLockTimers(std::function<bool()> fnHeldBack, QObject* pParent = nullptr);
    ~CLockTimers() override;

    // Both countdowns start over with these intervals in milliseconds (0 = off).
    void Restart(unsigned nLockMs, unsigned nExitMs);
    // The desktop session locked: DesktopLockDue now, or once nothing holds
    // it back any longer.
    void DesktopLocked();
    bool IsDesktopLockPending() const { return m_bLockPending; }
    // Nothing acts any more (the program ends).
    void Stop();

signals:
    void IdleLockDue();
    void IdleExitDue();
    void DesktopLockDue();

protected:
    // While a desktop lock waits: a window unblocked, or a modal one hidden.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnCountdown();
    void Schedule();
    void WaitForModalEnd(bool bWait);
    void CheckPending();

    std::function<bool()> m_fnHeldBack;
    QElapsedTimer m_clock;
    CIdleCountdown m_idle;
    QTimer m_timerCountdown;
    bool m_bLockPending = false;
    bool m_bCheckQueued = false;
    bool m_bStopped = false;
};
