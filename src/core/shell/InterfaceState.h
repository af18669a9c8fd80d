// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Which of the program's two interfaces shows, and whether the open file is
// locked. The main window and the Password Bar take turns; either can go to
// the tray (or, on a desktop without one, the taskbar), which remembers the
// way back. Every change of interface is decided here; the frame carries out
// the step it is given.
enum class EInterface {
    main,     // the main window
    bar,      // the Password Bar; the main window is hidden
    trayMain, // both hidden; the way back is the main window
    trayBar,  // both hidden; the way back is the Password Bar
};

// What asks for a change of interface.
enum class EInterfaceEvent {
    passwordBarCommand, // View > Password Bar (F2)
    trayPasswordBar,    // the tray menu's Password Bar
    trayMainWindow,     // the tray menu's Main Window, a return from the taskbar
    hotKey,             // the global hot key
    lockCommand,        // Tools > Lock
    trayLock,           // the tray menu's Lock
    lockInterface,      // idle time or the desktop's lock: the interface in use locks
    mainClose,          // the main window's close button
    mainMinimise,       // the main window was minimised
    barLock,            // the bar's Lock button
    barMinimise,        // the bar's minimise button
    barClose,           // the bar's close button
    barMainWindow,      // the bar's Main Window button
    mainHide,           // the main window goes into the tray without locking
    trayExit,           // the tray menu's Exit
};

// What the frame does for an event.
enum class EInterfaceAction {
    none,
    raiseMain,    // the main window to the front
    raiseBar,     // the bar to the front
    mainToBar,    // the bar in place of the main window
    barToMain,    // the main window in place of the bar
    mainToTray,   // the main window hides into the tray, locking when bLock
    barToTray,    // the bar hides into the tray, locking when bLock
    unlockToMain, // the KEY check of a locked file, then the main window
    unlockToBar,  // the KEY check of a locked file, then the bar
    barLocks,     // the bar locks as its own Lock button does
    barHandsOver, // the bar hands over as its own Main Window button does
    exit,         // the orderly end, which asks to save a changed file
    exitFromBar,  // the same from the bar, which comes back on Cancel
};

// What a decision depends on besides the state.
struct SInterfaceFacts {
    bool bHasKey = false; // the open file has a KEY (only such a file locks)
    bool bHasBar = false; // the Password Bar exists
    int nExit2Min = 0;    // close: 0 ends, 1 hides, 2 hides and locks
    int nMin2Lock = 0;    // minimise: 1 locks, anything else only hides
};

struct SInterfaceStep {
    EInterfaceAction eAction = EInterfaceAction::none;
    // The interface once the action is done (for an unlock: once the KEY
    // was accepted).
    EInterface eNext = EInterface::main;
    // The step locks the file.
    bool bLock = false;

    bool operator==(const SInterfaceStep&) const = default;
};

// What the way back from the tray asks before it shows anything.
enum class EUnlockCheck {
    none,       // nothing is locked
    reloadFile, // the file was let go at the lock: reading it asks for its KEY
    askKey,     // the file stayed loaded: the KEY is asked and compared
};

class CInterfaceState {
public:
    EInterface Mode() const { return m_eMode; }
    bool IsLocked() const { return m_bLocked; }
    // Both interfaces are in the tray (or, without one, in the taskbar).
    bool IsHidden() const {
        return m_eMode == EInterface::trayMain || m_eMode == EInterface::trayBar;
    }

    // The step an event asks for in the present state; the state itself
    // changes only as the frame carries the step out.
    SInterfaceStep Decide(EInterfaceEvent eEvent, const SInterfaceFacts& facts) const;

    // The first interface: a start at logon waits locked in the tray, with
    // the way back to the interface the settings choose.
    void Start(bool bAtLogon, bool bStartBar);
    // Told after every change of the interface shown or of the lock, so
    // what depends on them (the commands' states) follows at once.
    void SetOnChange(std::function<void()> fnChanged) { m_fnChanged = std::move(fnChanged); }

    // The interface now shown (or hidden into the tray).
    void Enter(EInterface eMode) { Set(eMode, m_bLocked); }
    // Into the tray; bLock locks (for a file with a KEY only). Returns
    // whether the file is locked by this step.
    bool Hide(EInterface eTray, bool bLock, bool bHasKey);

    // The KEY check on the way back; bUnloaded: the document let go of the
    // file at the lock.
    EUnlockCheck UnlockCheck(bool bUnloaded, bool bHasKey) const;
    // The way back was granted: nothing stays locked.
    void Unlocked() { Set(m_eMode, false); }

    // A KEY check on the way back runs its own event loop, in which another
    // way back (the window's return from the taskbar) must not ask again.
    bool IsRestoring() const { return m_bRestoring; }
    void SetRestoring(bool bRestoring) { m_bRestoring = bRestoring; }

private:
    // Takes the new state and tells of a change.
    void Set(EInterface eMode, bool bLocked);
    SInterfaceStep ToMainWindow(const SInterfaceFacts& facts) const;
    SInterfaceStep ToPasswordBar(const SInterfaceFacts& facts) const;
    SInterfaceStep LockInUse(const SInterfaceFacts& facts) const;

    EInterface m_eMode = EInterface::main;
    bool m_bLocked = false;
    bool m_bRestoring = false;
    std::function<void()> m_fnChanged;
};
