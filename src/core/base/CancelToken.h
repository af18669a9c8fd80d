// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

// Tells work on another thread that nobody waits for its result any more.
// The work looks between its steps and returns early once it is set; work
// that cannot look (one long call into a library) runs to its end, and its
// result is thrown away.
class CCancelToken {
public:
    void Cancel() { m_bCancelled.store(true, std::memory_order_relaxed); }
    bool IsCancelled() const { return m_bCancelled.load(std::memory_order_relaxed); }

    // Work that knows how far it got says so here, for whoever waits to
    // show: nDone of nTotal steps. It reaches the work only as a const
    // token, so the two counters are its one mutable part.
    void SetProgress(std::size_t nDone, std::size_t nTotal) const {
        m_nTotal.store(nTotal, std::memory_order_relaxed);
        m_nDone.store(nDone, std::memory_order_relaxed);
    }
    // {done, total}; a total of 0 means the work has not said.
    std::pair<std::size_t, std::size_t> Progress() const {
        return {m_nDone.load(std::memory_order_relaxed), m_nTotal.load(std::memory_order_relaxed)};
    }

private:
    std::atomic<bool> m_bCancelled{false};
    mutable std::atomic<std::size_t> m_nDone{0};
    mutable std::atomic<std::size_t> m_nTotal{0};
};
