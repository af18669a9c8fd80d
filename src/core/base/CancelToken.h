// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

// Tells work on another thread that nobody waits for its result any more.
// The work looks between its steps and returns early once it is set; work
// that cannot look (one long call into a library) runs to its end, and its
// result is thrown away.
class CCancelToken {
public:
    void Cancel() { m_bCancelled.store(true, std::memory_order_relaxed); }
    bool IsCancelled() const { return m_bCancelled.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_bCancelled{false};
};
