// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/IdleCountdown.h"

#include <algorithm>
#include <utility>

CIdleCountdown::CIdleCountdown(CClock fnNow) : m_fnNow(std::move(fnNow)) {}

void CIdleCountdown::SetIntervals(unsigned nLockMs, unsigned nExitMs) {
    m_nLockMs = nLockMs;
    m_nExitMs = nExitMs;
}

std::uint64_t CIdleCountdown::DueFrom(std::uint64_t nNow, unsigned nMs) const {
    // A clock that starts at 0 must not make a deadline read as stopped.
    return nMs == 0 ? 0 : std::max<std::uint64_t>(nNow + nMs, 1);
}

void CIdleCountdown::Restart() {
    const std::uint64_t nNow = m_fnNow();
    m_nLockDue = DueFrom(nNow, m_nLockMs);
    m_nExitDue = DueFrom(nNow, m_nExitMs);
}

CIdleCountdown::SDue CIdleCountdown::Poll(bool bModalOpen) {
    const std::uint64_t nNow = m_fnNow();
    SDue due;
    if (m_nLockDue != 0 && nNow >= m_nLockDue) {
        m_nLockDue = 0;
        due.bLock = !bModalOpen;
    }
    if (m_nExitDue != 0 && nNow >= m_nExitDue) {
        m_nExitDue = 0;
        due.bExit = !bModalOpen;
    }
    return due;
}

std::int64_t CIdleCountdown::MsToNextDue() const {
    const std::uint64_t nNow = m_fnNow();
    std::int64_t nNext = -1;
    for (const std::uint64_t nDue : {m_nLockDue, m_nExitDue}) {
        if (nDue == 0)
            continue;
        const std::int64_t nLeft = nDue > nNow ? static_cast<std::int64_t>(nDue - nNow) : 0;
        nNext = nNext < 0 ? nLeft : std::min(nNext, nLeft);
    }
    return nNext;
}
