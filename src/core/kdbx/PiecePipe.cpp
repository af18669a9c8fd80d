// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/PiecePipe.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>

CPiecePipe::CPiecePipe(std::size_t nPieceBytes, std::size_t nPieces)
    : m_nPieceBytes(std::max<std::size_t>(nPieceBytes, 1)),
      m_buffers(std::max<std::size_t>(nPieces, 1)) {
    for (std::size_t i = 0; i < m_buffers.size(); ++i) {
        m_buffers[i].resize(m_nPieceBytes);
        m_free.push_back(i);
    }
}

CPiecePipe::~CPiecePipe() {
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

void CPiecePipe::Start(std::function<void()> fnMake) {
    const auto Run = [this, fnMake = std::move(fnMake)] {
        try {
            fnMake();
        } catch (...) {
            m_error = std::current_exception();
        }
        Made();
    };
    try {
        m_thread = std::thread(Run);
    } catch (const std::system_error&) {
        // No thread to be had is the system out of resources, as it is
        // when out of memory.
        throw std::bad_alloc();
    }
}

// The last piece goes to the taker, however short.
void CPiecePipe::Made() {
    const std::lock_guard lock(m_mutex);
    if (m_nFilling != NONE && m_nFilled != 0 && !m_bStopped)
        m_full.push_back({m_nFilling, m_nFilled});
    m_nFilling = NONE;
    m_bEnded = true;
    m_changed.notify_all();
}

bool CPiecePipe::Put(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        if (m_nFilling == NONE) {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_bStopped || !m_free.empty(); });
            if (m_bStopped)
                return false;
            m_nFilling = m_free.back();
            m_free.pop_back();
            m_nFilled = 0;
        }
        // Filled outside the lock: the buffer is the maker's alone until
        // it is handed on.
        const std::size_t n = std::min(bytes.size(), m_nPieceBytes - m_nFilled);
        std::memcpy(m_buffers[m_nFilling].data() + m_nFilled, bytes.data(), n);
        m_nFilled += n;
        bytes = bytes.subspan(n);
        if (m_nFilled == m_nPieceBytes) {
            const std::lock_guard lock(m_mutex);
            if (m_bStopped)
                return false;
            m_full.push_back({m_nFilling, m_nFilled});
            m_nFilling = NONE;
            m_changed.notify_all();
        }
    }
    const std::lock_guard lock(m_mutex);
    return !m_bStopped;
}

bool CPiecePipe::Next(std::span<const std::uint8_t>& piece) {
    std::unique_lock lock(m_mutex);
    if (m_nTaking != NONE) {
        m_free.push_back(m_nTaking);
        m_nTaking = NONE;
        m_changed.notify_all();
    }
    m_changed.wait(lock, [this] { return m_bStopped || m_bEnded || !m_full.empty(); });
    if (m_bStopped || m_full.empty())
        return false;
    const SFull full = m_full.front();
    m_full.pop_front();
    m_nTaking = full.nBuffer;
    piece = std::span<const std::uint8_t>(m_buffers[full.nBuffer]).first(full.nSize);
    return true;
}

void CPiecePipe::Stop() {
    const std::lock_guard lock(m_mutex);
    m_bStopped = true;
    m_changed.notify_all();
}

void CPiecePipe::Finish() {
    if (m_thread.joinable())
        m_thread.join();
    if (m_error)
        std::rethrow_exception(std::exchange(m_error, nullptr));
}
