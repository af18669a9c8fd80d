// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/LockTimers.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cstdint>

CLockTimers::CLockTimers(std::function<bool()> fnHeldBack, QObject* pParent)
    : QObject(pParent), m_fnHeldBack(std::move(fnHeldBack)),
      m_idle([this]() { return static_cast<std::uint64_t>(m_clock.elapsed()); }) {
    m_clock.start();
    m_timerCountdown.setSingleShot(true);
    connect(&m_timerCountdown, &QTimer::timeout, this, &CLockTimers::OnCountdown);
}

CLockTimers::~CLockTimers() {
    Stop();
}

void CLockTimers::Restart(unsigned nLockMs, unsigned nExitMs) {
    if (m_bStopped)
        return;
    m_idle.SetIntervals(nLockMs, nExitMs);
    m_idle.Restart();
    Schedule();
}

void CLockTimers::Schedule() {
    const std::int64_t nNext = m_idle.MsToNextDue();
    if (nNext < 0 || m_bStopped) {
        m_timerCountdown.stop();
        return;
    }
    m_timerCountdown.start(static_cast<int>(std::min<std::int64_t>(nNext, INT32_MAX)));
}

void CLockTimers::OnCountdown() {
    if (m_bStopped)
        return;
    const CIdleCountdown::SDue due = m_idle.Poll(m_fnHeldBack());
    if (due.bLock)
        emit IdleLockDue();
    if (due.bExit)
        emit IdleExitDue();
    Schedule();
}

void CLockTimers::DesktopLocked() {
    if (m_bStopped)
        return;
    // Hiding the window under an open dialog would leave the dialog on the
    // screen: the lock waits for the dialog's end.
    if (m_fnHeldBack()) {
        WaitForModalEnd(true);
        return;
    }
    WaitForModalEnd(false);
    emit DesktopLockDue();
}

void CLockTimers::WaitForModalEnd(bool bWait) {
    if (bWait == m_bLockPending)
        return;
    m_bLockPending = bWait;
    if (bWait)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool CLockTimers::eventFilter(QObject* pWatched, QEvent* pEvent) {
    // A window no longer blocked by a modal one, or a modal window gone: the
    // windows' state settles as the event is handled, so it is looked at
    // once the event loop comes back, once for a burst of such events.
    bool bCheck = pEvent->type() == QEvent::WindowUnblocked;
    if (pEvent->type() == QEvent::Hide && pWatched->isWidgetType()) {
        const auto* pWidget = static_cast<const QWidget*>(pWatched);
        bCheck = pWidget->isWindow() && pWidget->isModal();
    }
    if (bCheck && !m_bCheckQueued) {
        m_bCheckQueued = true;
        QMetaObject::invokeMethod(this, &CLockTimers::CheckPending, Qt::QueuedConnection);
    }
    return QObject::eventFilter(pWatched, pEvent);
}

void CLockTimers::CheckPending() {
    m_bCheckQueued = false;
    if (!m_bLockPending || m_bStopped || m_fnHeldBack())
        return;
    WaitForModalEnd(false);
    emit DesktopLockDue();
}

void CLockTimers::Stop() {
    m_bStopped = true;
    m_timerCountdown.stop();
    WaitForModalEnd(false);
}
