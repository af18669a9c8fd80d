// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/TrayClicks.h"

#include <utility>

CTrayClicks::CTrayClicks(CClock fnNow, unsigned nDoubleClickMs)
    : m_fnNow(std::move(fnNow)), m_nDoubleClickMs(nDoubleClickMs) {}

bool CTrayClicks::Acts() {
    const std::uint64_t nNow = m_fnNow();
    const bool bSameGesture = m_bAny && nNow - m_nLast < m_nDoubleClickMs;
    // A quick third click still belongs to the gesture: the time counts from
    // the latest click, not from the one that acted.
    m_nLast = nNow;
    m_bAny = true;
    return !bSameGesture;
}

void CTrayClicks::Done() {
    m_nLast = m_fnNow();
    m_bAny = true;
}
