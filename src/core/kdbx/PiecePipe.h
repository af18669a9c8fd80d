// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxKeys.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <utility>
#include <vector>

// Bytes made on a thread of their own and taken on the thread that made the
// pipe, so that the making and the taking run side by side: on two cores a
// database opens or saves in the time of the slower stage rather than of
// both. The bytes pass through a few buffers of a fixed size, wiped when
// the pipe goes (they hold a database's plain text); the maker waits while
// every buffer is full, so the pipe never holds more than its buffers.
class CPiecePipe {
public:
    CPiecePipe(std::size_t nPieceBytes, std::size_t nPieces);
    // Stops the maker and waits for its thread: no thread outlives the pipe.
    ~CPiecePipe();
    CPiecePipe(const CPiecePipe&) = delete;
    CPiecePipe& operator=(const CPiecePipe&) = delete;

    // Runs fnMake, which calls Put, on a thread of its own (once). What it
    // throws is kept for Finish. Throws std::bad_alloc when no thread can
    // be made.
    void Start(std::function<void()> fnMake);

    // The maker's side: copies the bytes in, handing each piece on as it
    // fills. False once the taker stopped: the maker should give up.
    bool Put(std::span<const std::uint8_t> bytes);

    // The taker's side: the next piece (valid until the next call), or false
    // once the maker has ended and everything it made was taken, or the
    // taker stopped.
    bool Next(std::span<const std::uint8_t>& piece);
    // The taker wants no more: the maker's Put returns false from now on.
    void Stop();
    // Waits for the maker to end and throws what it threw.
    void Finish();

private:
    void Made();

    struct SFull {
        std::size_t nBuffer;
        std::size_t nSize;
    };

    const std::size_t m_nPieceBytes;
    std::vector<CKdbxSecret> m_buffers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::size_t> m_free; // buffers the maker may fill
    std::deque<SFull> m_full;        // filled, in order, for the taker
    bool m_bEnded = false;           // the maker returned
    bool m_bStopped = false;         // the taker wants no more
    // The maker's buffer being filled, and the taker's being read.
    std::size_t m_nFilling = NONE;
    std::size_t m_nFilled = 0;
    std::size_t m_nTaking = NONE;
    static constexpr std::size_t NONE = SIZE_MAX;
    std::exception_ptr m_error;
    std::thread m_thread;
};
