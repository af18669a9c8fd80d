// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/InterfaceState.h"

#include <gtest/gtest.h>

namespace {

using EA = EInterfaceAction;
using EE = EInterfaceEvent;
using EI = EInterface;

struct SRow {
    EI eFrom;
    EE eEvent;
    SInterfaceFacts facts;
    SInterfaceStep expected;
};

constexpr SInterfaceFacts KEY{.bHasKey = true, .bHasBar = true};
constexpr SInterfaceFacts NO_KEY{.bHasKey = false, .bHasBar = true};
constexpr SInterfaceFacts NO_BAR{.bHasKey = true, .bHasBar = false};
constexpr SInterfaceFacts CLOSE_HIDES{.bHasKey = true, .bHasBar = true, .nExit2Min = 1};
constexpr SInterfaceFacts CLOSE_LOCKS{.bHasKey = true, .bHasBar = true, .nExit2Min = 2};
constexpr SInterfaceFacts CLOSE_LOCKS_NO_KEY{.bHasKey = false, .bHasBar = true, .nExit2Min = 2};
constexpr SInterfaceFacts MIN_LOCKS{.bHasKey = true, .bHasBar = true, .nMin2Lock = 1};
constexpr SInterfaceFacts MIN_OTHER{.bHasKey = true, .bHasBar = true, .nMin2Lock = 2};

CInterfaceState In(EI eMode, bool bRestoring = false) {
    CInterfaceState state;
    state.Enter(eMode);
    state.SetRestoring(bRestoring);
    return state;
}

} // namespace

TEST(InterfaceState, EachEventInEachStateGivesItsStep) {
    const SRow rows[] = {
        // F2 swaps the main window for the bar, and only that.
        {EI::main, EE::passwordBarCommand, KEY, {EA::mainToBar, EI::bar}},
        {EI::main, EE::passwordBarCommand, NO_BAR, {EA::none, EI::main}},
        {EI::bar, EE::passwordBarCommand, KEY, {EA::none, EI::bar}},
        {EI::trayMain, EE::passwordBarCommand, KEY, {EA::none, EI::trayMain}},
        // The tray's Password Bar: in place of the main window, to the front,
        // or back from the tray through the KEY.
        {EI::main, EE::trayPasswordBar, KEY, {EA::mainToBar, EI::bar}},
        {EI::bar, EE::trayPasswordBar, KEY, {EA::raiseBar, EI::bar}},
        {EI::trayMain, EE::trayPasswordBar, KEY, {EA::unlockToBar, EI::bar}},
        {EI::trayBar, EE::trayPasswordBar, KEY, {EA::unlockToBar, EI::bar}},
        {EI::trayBar, EE::trayPasswordBar, NO_BAR, {EA::none, EI::trayBar}},
        // The tray's Main Window.
        {EI::main, EE::trayMainWindow, KEY, {EA::raiseMain, EI::main}},
        {EI::bar, EE::trayMainWindow, KEY, {EA::barHandsOver, EI::bar}},
        {EI::bar, EE::trayMainWindow, NO_BAR, {EA::none, EI::bar}},
        {EI::trayMain, EE::trayMainWindow, KEY, {EA::unlockToMain, EI::main}},
        {EI::trayBar, EE::trayMainWindow, NO_BAR, {EA::unlockToMain, EI::main}},
        // The hot key goes back the way the interface went.
        {EI::main, EE::hotKey, KEY, {EA::raiseMain, EI::main}},
        {EI::bar, EE::hotKey, KEY, {EA::none, EI::bar}},
        {EI::trayMain, EE::hotKey, KEY, {EA::unlockToMain, EI::main}},
        {EI::trayBar, EE::hotKey, KEY, {EA::unlockToBar, EI::bar}},
        // Tools > Lock locks only from the main window; without a KEY it hides.
        {EI::main, EE::lockCommand, KEY, {EA::mainToTray, EI::trayMain, true}},
        {EI::main, EE::lockCommand, NO_KEY, {EA::mainToTray, EI::trayMain, false}},
        {EI::bar, EE::lockCommand, KEY, {EA::none, EI::bar}},
        // The tray's Lock: also a window hidden without locking; the bar
        // locks itself; the bar in the tray stays.
        {EI::main, EE::trayLock, KEY, {EA::mainToTray, EI::trayMain, true}},
        {EI::trayMain, EE::trayLock, KEY, {EA::mainToTray, EI::trayMain, true}},
        {EI::bar, EE::trayLock, KEY, {EA::barLocks, EI::bar}},
        {EI::bar, EE::trayLock, NO_BAR, {EA::none, EI::bar}},
        {EI::trayBar, EE::trayLock, KEY, {EA::none, EI::trayBar}},
        // Idle time and the desktop's lock lock the interface in use.
        {EI::main, EE::lockInterface, KEY, {EA::mainToTray, EI::trayMain, true}},
        {EI::trayMain, EE::lockInterface, KEY, {EA::mainToTray, EI::trayMain, true}},
        {EI::bar, EE::lockInterface, KEY, {EA::barLocks, EI::bar}},
        {EI::trayBar, EE::lockInterface, KEY, {EA::barLocks, EI::trayBar}},
        {EI::trayBar, EE::lockInterface, NO_BAR, {EA::none, EI::trayBar}},
        // The main window's close button ends, hides, or hides and locks.
        {EI::main, EE::mainClose, KEY, {EA::exit, EI::main}},
        {EI::main, EE::mainClose, CLOSE_HIDES, {EA::mainToTray, EI::trayMain, false}},
        {EI::main, EE::mainClose, CLOSE_LOCKS, {EA::mainToTray, EI::trayMain, true}},
        {EI::main, EE::mainClose, CLOSE_LOCKS_NO_KEY, {EA::mainToTray, EI::trayMain, false}},
        // Minimising hides the main window, locking only with value 1.
        {EI::main, EE::mainMinimise, KEY, {EA::mainToTray, EI::trayMain, false}},
        {EI::main, EE::mainMinimise, MIN_LOCKS, {EA::mainToTray, EI::trayMain, true}},
        {EI::main, EE::mainMinimise, MIN_OTHER, {EA::mainToTray, EI::trayMain, false}},
        {EI::trayMain, EE::mainMinimise, MIN_LOCKS, {EA::none, EI::trayMain}},
        // Hiding the main window is for the main window shown only.
        {EI::main, EE::mainHide, KEY, {EA::mainToTray, EI::trayMain, false}},
        {EI::bar, EE::mainHide, KEY, {EA::none, EI::bar}},
        {EI::trayMain, EE::mainHide, KEY, {EA::none, EI::trayMain}},
        // The bar's own buttons.
        {EI::bar, EE::barLock, KEY, {EA::barToTray, EI::trayBar, true}},
        {EI::bar, EE::barLock, NO_KEY, {EA::barToTray, EI::trayBar, false}},
        {EI::bar, EE::barMinimise, KEY, {EA::barToTray, EI::trayBar, false}},
        {EI::bar, EE::barMinimise, MIN_LOCKS, {EA::barToTray, EI::trayBar, true}},
        {EI::bar, EE::barClose, KEY, {EA::exitFromBar, EI::bar}},
        {EI::bar, EE::barClose, CLOSE_HIDES, {EA::barToTray, EI::trayBar, false}},
        {EI::bar, EE::barClose, CLOSE_LOCKS, {EA::barToTray, EI::trayBar, true}},
        {EI::bar, EE::barMainWindow, KEY, {EA::barToMain, EI::main}},
        {EI::trayBar, EE::barMainWindow, KEY, {EA::none, EI::trayBar}},
        // The tray's Exit ends from the bar as the bar's close does.
        {EI::bar, EE::trayExit, KEY, {EA::exitFromBar, EI::bar}},
        {EI::bar, EE::trayExit, NO_BAR, {EA::exit, EI::bar}},
        {EI::trayMain, EE::trayExit, KEY, {EA::exit, EI::trayMain}},
    };
    for (const SRow& row : rows) {
        const SInterfaceStep step = In(row.eFrom).Decide(row.eEvent, row.facts);
        EXPECT_EQ(step, row.expected)
            << "from " << int(row.eFrom) << " on " << int(row.eEvent) << ": action "
            << int(step.eAction) << " to " << int(step.eNext) << " lock " << step.bLock;
    }
}

TEST(InterfaceState, AWayBackUnderWayAsksNoSecondKey) {
    for (const EE eEvent : {EE::trayMainWindow, EE::trayPasswordBar, EE::hotKey}) {
        for (const EI eMode : {EI::trayMain, EI::trayBar})
            EXPECT_EQ(In(eMode, true).Decide(eEvent, KEY).eAction, EA::none) << int(eEvent);
    }
    EXPECT_EQ(In(EI::main, true).Decide(EE::trayMainWindow, KEY).eAction, EA::none);
    // The hot key still brings a main window shown to the front.
    EXPECT_EQ(In(EI::main, true).Decide(EE::hotKey, KEY).eAction, EA::raiseMain);
}

TEST(InterfaceState, LockingNeedsAKeyAndTheWayBackChecksIt) {
    CInterfaceState state;
    EXPECT_FALSE(state.Hide(EI::trayMain, true, false));
    EXPECT_FALSE(state.IsLocked());
    EXPECT_TRUE(state.IsHidden());
    EXPECT_EQ(state.UnlockCheck(false, true), EUnlockCheck::none);

    EXPECT_TRUE(state.Hide(EI::trayBar, true, true));
    EXPECT_TRUE(state.IsLocked());
    EXPECT_EQ(state.Mode(), EI::trayBar);
    // Hiding again without the lock keeps the lock.
    EXPECT_FALSE(state.Hide(EI::trayMain, false, true));
    EXPECT_TRUE(state.IsLocked());
    EXPECT_EQ(state.UnlockCheck(true, true), EUnlockCheck::reloadFile);
    EXPECT_EQ(state.UnlockCheck(false, true), EUnlockCheck::askKey);
    EXPECT_EQ(state.UnlockCheck(false, false), EUnlockCheck::none);
    state.Unlocked();
    state.Enter(EI::main);
    EXPECT_FALSE(state.IsLocked());
    EXPECT_FALSE(state.IsHidden());
}

TEST(InterfaceState, AStartAtLogonWaitsLockedInTheTray) {
    const struct {
        bool bAtLogon;
        bool bStartBar;
        EI eMode;
        bool bLocked;
    } rows[] = {
        {false, false, EI::main, false},
        {false, true, EI::bar, false},
        {true, false, EI::trayMain, true},
        {true, true, EI::trayBar, true},
    };
    for (const auto& row : rows) {
        CInterfaceState state;
        state.Start(row.bAtLogon, row.bStartBar);
        EXPECT_EQ(state.Mode(), row.eMode);
        EXPECT_EQ(state.IsLocked(), row.bLocked);
    }
}

TEST(InterfaceState, TellsOfEachChangeOfInterfaceOrLockOnce) {
    CInterfaceState state;
    int nChanges = 0;
    state.SetOnChange([&] { ++nChanges; });
    state.Enter(EI::main);                // already shown: 0
    state.Enter(EI::bar);                 // 1
    state.Hide(EI::trayBar, true, false); // hidden, nothing to lock: 2
    state.Hide(EI::trayBar, true, true);  // locked: 3
    state.Hide(EI::trayBar, false, true); // stays so: 3
    state.Unlocked();                     // 4
    state.Unlocked();                     // 4
    state.Start(true, false);             // locked in the tray: 5
    EXPECT_EQ(nChanges, 5);
}
