// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// The two idle countdowns of the frame: the lock and the exit. Every input
// restarts both from their current intervals (0 = off); a countdown that
// runs out stops and acts once, unless a modal dialog is open, in which case
// it only stops and the next input starts it again. The clock is injected,
// so the rules are tested without waiting.
class CIdleCountdown {
public:
    // Milliseconds on a monotonic clock.
    using CClock = std::function<std::uint64_t()>;

    struct SDue {
        bool bLock = false;
        bool bExit = false;
    };

    explicit CIdleCountdown(CClock fnNow);

    // The intervals in milliseconds, 0 = off; they count from the next input
    // (or Restart).
    void SetIntervals(unsigned nLockMs, unsigned nExitMs);
    // Input reached a window of the program: both countdowns start over.
    void Restart();
    // Looks at the clock: which countdowns ran out and act now. A countdown
    // that ran out stops either way.
    SDue Poll(bool bModalOpen);
    // Milliseconds until the nearer running countdown ends (0 when one has
    // ended already); -1 when neither runs.
    std::int64_t MsToNextDue() const;
    bool IsLockRunning() const { return m_nLockDue != 0; }
    bool IsExitRunning() const { return m_nExitDue != 0; }

private:
    // Deadline for an interval from now; 0 means stopped.
    std::uint64_t DueFrom(std::uint64_t nNow, unsigned nMs) const;

    CClock m_fnNow;
    unsigned m_nLockMs = 0;
    unsigned m_nExitMs = 0;
    std::uint64_t m_nLockDue = 0;
    std::uint64_t m_nExitDue = 0;
};
