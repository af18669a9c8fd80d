// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// Uniform numbers from the operating system's secure random source
// (getrandom, falling back to /dev/urandom). Bytes are fetched in blocks and
// wiped from the buffer once used up or when the source is dropped.
class CSecureRandom {
public:
    CSecureRandom() = default;
    ~CSecureRandom();
    CSecureRandom(const CSecureRandom&) = delete;
    CSecureRandom& operator=(const CSecureRandom&) = delete;

    // A number in [0, nBound), every value equally likely (nBound > 0).
    // False when the system has no random source to give.
    bool Below(std::uint64_t nBound, std::uint64_t& nValue);

private:
    bool Next64(std::uint64_t& nValue);
    bool Refill();

    unsigned char m_abyBuffer[256] = {};
    std::size_t m_nUsed = sizeof m_abyBuffer;
};
