// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/InterfaceState.h"

namespace {

using enum EInterfaceAction;

SInterfaceStep Step(EInterfaceAction eAction, EInterface eNext, bool bLock = false) {
    return {eAction, eNext, bLock};
}

} // namespace

SInterfaceStep CInterfaceState::ToMainWindow(const SInterfaceFacts& facts) const {
    switch (m_eMode) {
    case EInterface::bar:
        return facts.bHasBar ? Step(barHandsOver, m_eMode) : Step(none, m_eMode);
    case EInterface::main:
        return m_bRestoring ? Step(none, m_eMode) : Step(raiseMain, m_eMode);
    case EInterface::trayMain:
    case EInterface::trayBar:
        return m_bRestoring ? Step(none, m_eMode) : Step(unlockToMain, EInterface::main);
    }
    return Step(none, m_eMode);
}

SInterfaceStep CInterfaceState::ToPasswordBar(const SInterfaceFacts& facts) const {
    if (!facts.bHasBar)
        return Step(none, m_eMode);
    switch (m_eMode) {
    case EInterface::main:
        // The main window shown gives way to the bar, as F2 does.
        return Step(mainToBar, EInterface::bar);
    case EInterface::bar:
        return Step(raiseBar, m_eMode);
    case EInterface::trayMain:
    case EInterface::trayBar:
        return m_bRestoring ? Step(none, m_eMode) : Step(unlockToBar, EInterface::bar);
    }
    return Step(none, m_eMode);
}

SInterfaceStep CInterfaceState::LockInUse(const SInterfaceFacts& facts) const {
    if (m_eMode == EInterface::main || m_eMode == EInterface::trayMain)
        return Step(mainToTray, EInterface::trayMain, facts.bHasKey);
    return facts.bHasBar ? Step(barLocks, m_eMode) : Step(none, m_eMode);
}

SInterfaceStep CInterfaceState::Decide(EInterfaceEvent eEvent, const SInterfaceFacts& facts) const {
    const bool bMain = m_eMode == EInterface::main;
    switch (eEvent) {
    case EInterfaceEvent::passwordBarCommand:
        return bMain && facts.bHasBar ? Step(mainToBar, EInterface::bar) : Step(none, m_eMode);
    case EInterfaceEvent::trayPasswordBar:
        return ToPasswordBar(facts);
    case EInterfaceEvent::trayMainWindow:
        return ToMainWindow(facts);
    case EInterfaceEvent::hotKey:
        // Back from the tray the way it went, or to the front; the bar shown
        // stays as it is.
        if (m_eMode == EInterface::trayMain)
            return ToMainWindow(facts);
        if (m_eMode == EInterface::trayBar)
            return ToPasswordBar(facts);
        return bMain ? Step(raiseMain, m_eMode) : Step(none, m_eMode);
    case EInterfaceEvent::lockCommand:
        return bMain ? Step(mainToTray, EInterface::trayMain, facts.bHasKey) : Step(none, m_eMode);
    case EInterfaceEvent::trayLock:
        // A window hidden without locking can be locked from the tray; the
        // bar in the tray is left as it is.
        return m_eMode == EInterface::trayBar ? Step(none, m_eMode) : LockInUse(facts);
    case EInterfaceEvent::lockInterface:
        return LockInUse(facts);
    case EInterfaceEvent::mainClose:
        if (facts.nExit2Min == 0)
            return Step(EInterfaceAction::exit, m_eMode);
        return Step(mainToTray, EInterface::trayMain, facts.nExit2Min == 2 && facts.bHasKey);
    case EInterfaceEvent::mainMinimise:
        return bMain ? Step(mainToTray, EInterface::trayMain, facts.nMin2Lock == 1 && facts.bHasKey)
                     : Step(none, m_eMode);
    case EInterfaceEvent::mainHide:
        return bMain ? Step(mainToTray, EInterface::trayMain) : Step(none, m_eMode);
    case EInterfaceEvent::barLock:
        return Step(barToTray, EInterface::trayBar, facts.bHasKey);
    case EInterfaceEvent::barMinimise:
        return Step(barToTray, EInterface::trayBar, facts.nMin2Lock == 1 && facts.bHasKey);
    case EInterfaceEvent::barClose:
        if (facts.nExit2Min == 0)
            return Step(exitFromBar, m_eMode);
        return Step(barToTray, EInterface::trayBar, facts.nExit2Min == 2 && facts.bHasKey);
    case EInterfaceEvent::barMainWindow:
        return m_eMode == EInterface::bar ? Step(barToMain, EInterface::main) : Step(none, m_eMode);
    case EInterfaceEvent::trayExit:
        return m_eMode == EInterface::bar && facts.bHasBar ? Step(exitFromBar, m_eMode)
                                                           : Step(EInterfaceAction::exit, m_eMode);
    }
    return Step(none, m_eMode);
}

void CInterfaceState::Set(EInterface eMode, bool bLocked) {
    if (eMode == m_eMode && bLocked == m_bLocked)
        return;
    m_eMode = eMode;
    m_bLocked = bLocked;
    if (m_fnChanged)
        m_fnChanged();
}

void CInterfaceState::Start(bool bAtLogon, bool bStartBar) {
    if (bAtLogon) {
        Set(bStartBar ? EInterface::trayBar : EInterface::trayMain, true);
        return;
    }
    Set(bStartBar ? EInterface::bar : EInterface::main, m_bLocked);
}

bool CInterfaceState::Hide(EInterface eTray, bool bLock, bool bHasKey) {
    const bool bLocking = bLock && bHasKey;
    Set(eTray, m_bLocked || bLocking);
    return bLocking;
}

EUnlockCheck CInterfaceState::UnlockCheck(bool bUnloaded, bool bHasKey) const {
    if (!m_bLocked)
        return EUnlockCheck::none;
    if (bUnloaded)
        return EUnlockCheck::reloadFile;
    // Without a KEY there is nothing to unlock: a lock left from a start at
    // logon does not ask for the KEY of a file opened later.
    return bHasKey ? EUnlockCheck::askKey : EUnlockCheck::none;
}
