// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/AutoExitRule.h"
#include "core/shell/HotKeyBinding.h"
#include "core/shell/HotKeyGrabber.h"
#include "core/shell/HotKeyMap.h"
#include "core/shell/IdleCountdown.h"
#include "core/shell/PortalShortcut.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A clock the test moves by hand.
struct SFakeClock {
    std::uint64_t nNow = 0;
    CIdleCountdown::CClock Fn() {
        return [this]() { return nNow; };
    }
};

} // namespace

TEST(IdleCountdown, RunsOutOnlyAfterTheWholeIntervalWithoutInput) {
    SFakeClock clock;
    CIdleCountdown idle(clock.Fn());
    idle.SetIntervals(300, 1000);
    idle.Restart();
    clock.nNow = 299;
    CIdleCountdown::SDue due = idle.Poll(false);
    EXPECT_FALSE(due.bLock);
    EXPECT_FALSE(due.bExit);
    EXPECT_EQ(idle.MsToNextDue(), 1);

    clock.nNow = 300;
    due = idle.Poll(false);
    EXPECT_TRUE(due.bLock);
    EXPECT_FALSE(due.bExit);
    // It acts once, then waits for the next input.
    EXPECT_FALSE(idle.IsLockRunning());
    EXPECT_FALSE(idle.Poll(false).bLock);
    EXPECT_EQ(idle.MsToNextDue(), 700);

    clock.nNow = 1000;
    EXPECT_TRUE(idle.Poll(false).bExit);
    EXPECT_EQ(idle.MsToNextDue(), -1);
}

TEST(IdleCountdown, InputStartsBothCountdownsOver) {
    SFakeClock clock;
    CIdleCountdown idle(clock.Fn());
    idle.SetIntervals(300, 500);
    idle.Restart();
    for (int i = 0; i < 10; ++i) {
        clock.nNow += 250; // input more often than the shorter interval
        idle.Restart();
        const CIdleCountdown::SDue due = idle.Poll(false);
        EXPECT_FALSE(due.bLock || due.bExit) << "at " << clock.nNow;
    }
    clock.nNow += 300;
    EXPECT_TRUE(idle.Poll(false).bLock);
}

TEST(IdleCountdown, ModalDialogStopsWithoutActingUntilTheNextInput) {
    SFakeClock clock;
    CIdleCountdown idle(clock.Fn());
    idle.SetIntervals(100, 200);
    idle.Restart();
    clock.nNow = 500;
    const CIdleCountdown::SDue blocked = idle.Poll(true);
    EXPECT_FALSE(blocked.bLock);
    EXPECT_FALSE(blocked.bExit);
    EXPECT_FALSE(idle.IsLockRunning());
    EXPECT_FALSE(idle.IsExitRunning());
    // Closing the dialog alone does nothing; the next input starts again.
    clock.nNow = 1000;
    EXPECT_FALSE(idle.Poll(false).bLock);
    idle.Restart();
    clock.nNow = 1100;
    EXPECT_TRUE(idle.Poll(false).bLock);
}

TEST(IdleCountdown, ZeroIntervalIsOffAndNewIntervalsCountFromTheRestart) {
    SFakeClock clock;
    CIdleCountdown idle(clock.Fn());
    idle.SetIntervals(0, 0);
    idle.Restart();
    EXPECT_EQ(idle.MsToNextDue(), -1);
    clock.nNow = 1'000'000;
    EXPECT_FALSE(idle.Poll(false).bLock);

    idle.SetIntervals(0, 50);
    EXPECT_FALSE(idle.IsExitRunning()); // not before the restart
    idle.Restart();
    EXPECT_FALSE(idle.IsLockRunning());
    EXPECT_EQ(idle.MsToNextDue(), 50);
    clock.nNow += 50;
    const CIdleCountdown::SDue due = idle.Poll(false);
    EXPECT_FALSE(due.bLock);
    EXPECT_TRUE(due.bExit);
}

TEST(IdleCountdown, BothRunOutTogether) {
    SFakeClock clock;
    CIdleCountdown idle(clock.Fn());
    idle.SetIntervals(100, 100);
    idle.Restart();
    clock.nNow = 100;
    const CIdleCountdown::SDue due = idle.Poll(false);
    EXPECT_TRUE(due.bLock);
    EXPECT_TRUE(due.bExit);
}

TEST(AutoExit, NeverDropsUnsavedChanges) {
    int nSaves = 0;
    const auto saveOk = [&nSaves]() { return ++nSaves, true; };
    const auto saveFails = [&nSaves]() { return ++nSaves, false; };

    // Nothing to lose: exit without saving.
    EXPECT_EQ(DecideAutoExit(false, true, saveOk), EAutoExitEnd::exit);
    EXPECT_EQ(nSaves, 0);
    // Changes of a file on disk are saved, then the program ends.
    EXPECT_EQ(DecideAutoExit(true, true, saveOk), EAutoExitEnd::exit);
    EXPECT_EQ(nSaves, 1);
    // A failed save keeps the program (locked) with the changes.
    EXPECT_EQ(DecideAutoExit(true, true, saveFails), EAutoExitEnd::lock);
    EXPECT_EQ(nSaves, 2);
    // A new file has nowhere to go without a question.
    EXPECT_EQ(DecideAutoExit(true, false, saveOk), EAutoExitEnd::lock);
    EXPECT_EQ(nSaves, 2);
}

TEST(HotKeyMap, StoredFormBecomesKeySymAndModifiers) {
    // Alt+K as stored: "HotKey" 75, "HotKeyFlag" 4.
    EXPECT_EQ(MapHotKey(75, 4), (SHotKeyGrab{'k', X_MOD1_MASK}));
    EXPECT_EQ(MapHotKey(75, HOTKEYF_SHIFT), (SHotKeyGrab{'k', X_SHIFT_MASK}));
    EXPECT_EQ(MapHotKey('P', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT),
              (SHotKeyGrab{'p', X_CONTROL_MASK | X_MOD1_MASK | X_SHIFT_MASK}));
    // The extended-key bit is no modifier.
    EXPECT_EQ(MapHotKey(0x2D, HOTKEYF_EXT | HOTKEYF_CONTROL),
              (SHotKeyGrab{0xFF63, X_CONTROL_MASK}));
    EXPECT_EQ(MapHotKey('7', HOTKEYF_ALT).nKeySym, std::uint32_t('7'));
    EXPECT_EQ(MapHotKey(0x70, 0).nKeySym, 0xFFBEu); // F1
    EXPECT_EQ(MapHotKey(0x7B, 0).nKeySym, 0xFFC9u); // F12
    EXPECT_EQ(MapHotKey(0x63, 0).nKeySym, 0xFFB3u); // keypad 3
    EXPECT_EQ(MapHotKey(0xBC, 0).nKeySym, 0x2Cu);   // comma
    EXPECT_EQ(MapHotKey(0x25, 0).nKeySym, 0xFF51u); // left arrow
    EXPECT_FALSE(MapHotKey(0, HOTKEYF_ALT).IsValid());
    EXPECT_FALSE(MapHotKey(0x07, HOTKEYF_ALT).IsValid()); // no such key
}

TEST(PortalShortcut, StoredHotKeysInTheTriggerSyntax) {
    const struct {
        unsigned wHotKey, wFlags;
        const char* pszTrigger;
    } cases[] = {
        {'K', HOTKEYF_ALT, "ALT+k"},
        {'P', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT, "CTRL+ALT+SHIFT+p"},
        {'7', HOTKEYF_CONTROL, "CTRL+7"},
        {0x74, HOTKEYF_SHIFT, "SHIFT+F5"},
        {0x87, 0, "F24"},
        {0x63, HOTKEYF_CONTROL, "CTRL+KP_3"},
        {0x60, HOTKEYF_ALT, "ALT+KP_0"}, // both ends of the keypad's digits
        {0x69, HOTKEYF_ALT, "ALT+KP_9"},
        {0x2D, HOTKEYF_EXT | HOTKEYF_CONTROL, "CTRL+Insert"}, // the extended bit is no modifier
        {0x21, HOTKEYF_ALT, "ALT+Prior"},
        {0x20, HOTKEYF_CONTROL, "CTRL+space"},
        {0xBC, HOTKEYF_ALT, "ALT+comma"},
        {0xDC, HOTKEYF_ALT, "ALT+backslash"},
        {0x6B, HOTKEYF_ALT, "ALT+KP_Add"},
        {0, HOTKEYF_ALT, ""}, // no hot key
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortalTrigger(MapHotKey(c.wHotKey, c.wFlags)), c.pszTrigger) << c.wHotKey;
    // A keysym without a name gives no trigger rather than a wrong one.
    EXPECT_EQ(PortalTrigger(SHotKeyGrab{0x1234, X_MOD1_MASK}), "");
}

TEST(PortalShortcut, RequestPathFollowsTheCallersUniqueName) {
    EXPECT_EQ(PortalRequestPath(":1.42", "kh1"),
              "/org/freedesktop/portal/desktop/request/1_42/kh1");
    EXPECT_EQ(PortalRequestPath(":12.3.4", "t"),
              "/org/freedesktop/portal/desktop/request/12_3_4/t");
}

TEST(HotKeyMap, LockKeysDoNotChangeTheCombination) {
    const std::uint16_t nAlt = X_MOD1_MASK;
    for (const std::uint16_t nLocks : HOTKEY_LOCK_VARIANTS)
        EXPECT_TRUE(IsHotKeyState(nAlt | nLocks, nAlt)) << nLocks;
    EXPECT_FALSE(IsHotKeyState(X_SHIFT_MASK, nAlt)); // Shift+K is not Alt+K
    EXPECT_FALSE(IsHotKeyState(nAlt | X_SHIFT_MASK, nAlt));
    EXPECT_FALSE(IsHotKeyState(0, nAlt));
    // The four variants are all different.
    EXPECT_EQ(std::size(HOTKEY_LOCK_VARIANTS), 4u);
    EXPECT_NE(HOTKEY_LOCK_VARIANTS[1], HOTKEY_LOCK_VARIANTS[2]);
}

namespace {

// Records grabs and releases; refuses the combinations it is told are taken.
class CRecordingGrabber final : public CHotKeyGrabber {
public:
    bool Grab(const SHotKeyGrab& grab) override {
        m_log.push_back("grab " + std::to_string(grab.nKeySym) + "/" +
                        std::to_string(grab.nModifiers));
        if (grab == m_taken)
            return false;
        ++m_nHeld;
        return true;
    }
    void Release(const SHotKeyGrab& grab) override {
        m_log.push_back("release " + std::to_string(grab.nKeySym) + "/" +
                        std::to_string(grab.nModifiers));
        --m_nHeld;
    }
    std::vector<std::string> m_log;
    SHotKeyGrab m_taken;
    int m_nHeld = 0;
};

} // namespace

TEST(HotKeyBinding, ChangedKeyReleasesTheOldOne) {
    CRecordingGrabber grabber;
    {
        CHotKeyBinding binding(&grabber);
        EXPECT_TRUE(binding.Change(75, HOTKEYF_ALT));
        EXPECT_TRUE(binding.Change('L', HOTKEYF_CONTROL));
        EXPECT_EQ(grabber.m_nHeld, 1);
        EXPECT_EQ(grabber.m_log,
                  (std::vector<std::string>{"grab 107/8", "release 107/8", "grab 108/4"}));
        // The same combination again (Apply in the options) keeps the one held.
        EXPECT_TRUE(binding.Change('L', HOTKEYF_CONTROL | HOTKEYF_EXT));
        EXPECT_EQ(grabber.m_log.size(), 3u);
        EXPECT_EQ(grabber.m_nHeld, 1);
        // None: the old one goes, nothing new is grabbed, and that is no failure.
        EXPECT_TRUE(binding.Change(0, HOTKEYF_ALT));
        EXPECT_EQ(grabber.m_nHeld, 0);
        EXPECT_FALSE(binding.Held().IsValid());
        EXPECT_TRUE(binding.Change('M', HOTKEYF_ALT));
    }
    // Gone with the binding.
    EXPECT_EQ(grabber.m_nHeld, 0);
    EXPECT_EQ(grabber.m_log.back(), "release 109/8");
}

TEST(HotKeyBinding, TakenCombinationFailsAndHoldsNothing) {
    CRecordingGrabber grabber;
    grabber.m_taken = {'k', X_MOD1_MASK};
    CHotKeyBinding binding(&grabber);
    EXPECT_TRUE(binding.Change('J', HOTKEYF_ALT));
    EXPECT_FALSE(binding.Change(75, HOTKEYF_ALT));
    // The previous one was given back all the same, and nothing is held.
    EXPECT_EQ(grabber.m_nHeld, 0);
    EXPECT_FALSE(binding.Held().IsValid());
    binding.Release();
    EXPECT_EQ(grabber.m_nHeld, 0); // no second release
    // A key without an X counterpart never reaches the server.
    const std::size_t nCalls = grabber.m_log.size();
    EXPECT_FALSE(binding.Change(0x07, HOTKEYF_ALT));
    EXPECT_EQ(grabber.m_log.size(), nCalls);
}
