// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generator/PasswordGenerator.h"

#include "core/generator/SecureRandom.h"

#include <climits>
#include <cstdlib>

namespace {

bool IsSpecial(int c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

bool IsAllowed(int c, int nFlags) {
    if (c >= 'A' && c <= 'Z')
        return (nFlags & PWGEN_UPPER) != 0;
    if (c >= 'a' && c <= 'z')
        return (nFlags & PWGEN_LOWER) != 0;
    if (c >= '0' && c <= '9')
        return (nFlags & PWGEN_DIGITS) != 0;
    if (IsSpecial(c))
        return (nFlags & PWGEN_SPECIAL) != 0;
    return (nFlags & PWGEN_SPACE) != 0; // the space is all that is left
}

// The range's bounds in order, in 64 bits: bounds as far apart as the
// whole int range must not wrap.
void RangeBounds(int nBegin, int nEnd, std::int64_t& nLow, std::int64_t& nHigh) {
    nLow = nEnd > nBegin ? nBegin : nEnd;
    nHigh = nEnd > nBegin ? nEnd : nBegin;
}

// The target length. The range width is taken in 64 bits: bounds as far
// apart as the whole int range must not wrap to a zero divisor.
std::int64_t TargetLength(int nFlags, int nBegin, int nEnd, int nLength, CRandomSource& random) {
    if ((nFlags & PWGEN_RANGE) == 0)
        return nLength;
    std::int64_t nLow = 0;
    std::int64_t nHigh = 0;
    RangeBounds(nBegin, nEnd, nLow, nHigh);
    if (nLow == nHigh)
        return nLow;
    return nLow + random.Next() % (nHigh - nLow + 1);
}

std::int64_t CutToBound(std::int64_t nTarget) {
    return nTarget > MAX_PASSWORD_LENGTH ? MAX_PASSWORD_LENGTH : nTarget;
}

// The printable characters that the flags allow, in code order.
std::string AllowedCharacters(int nFlags) {
    std::string strAllowed;
    for (int c = 0x20; c <= 0x7E; ++c) {
        if (IsAllowed(c, nFlags))
            strAllowed += static_cast<char>(c);
    }
    return strAllowed;
}

} // namespace

CPasswordGenerator::CPasswordGenerator() = default;

CPasswordGenerator::CPasswordGenerator(TimeSource timeSource)
    : m_timeSource(std::move(timeSource)) {}

std::string CPasswordGenerator::GeneratePassword(int nFlags, int nBegin, int nEnd,
                                                 int nLength) const {
    if ((nFlags & PWGEN_CLASSES) == 0)
        return {};
    return m_timeSource ? GenerateSeeded(nFlags, nBegin, nEnd, nLength)
                        : GenerateSecure(nFlags, nBegin, nEnd, nLength);
}

std::string CPasswordGenerator::GenerateSeeded(int nFlags, int nBegin, int nEnd,
                                               int nLength) const {
    CRandomSource random;
    random.Seed(static_cast<std::uint32_t>(m_timeSource()));
    const std::int64_t nTarget = CutToBound(TargetLength(nFlags, nBegin, nEnd, nLength, random));

    std::string strPassword;
    do {
        int c = 0;
        do {
            c = random.Next() % 95 + 32;
        } while (!IsAllowed(c, nFlags));
        strPassword += static_cast<char>(c);
    } while (static_cast<std::int64_t>(strPassword.size()) < nTarget);
    return strPassword;
}

std::string CPasswordGenerator::GenerateSecure(int nFlags, int nBegin, int nEnd, int nLength) {
    CSecureRandom random;
    std::int64_t nTarget = nLength;
    if ((nFlags & PWGEN_RANGE) != 0) {
        std::int64_t nLow = 0;
        std::int64_t nHigh = 0;
        RangeBounds(nBegin, nEnd, nLow, nHigh);
        std::uint64_t nOffset = 0;
        if (!random.Below(static_cast<std::uint64_t>(nHigh - nLow) + 1, nOffset))
            return {};
        nTarget = nLow + static_cast<std::int64_t>(nOffset);
    }
    // As with the exact generator, at least one character is made.
    nTarget = CutToBound(nTarget < 1 ? 1 : nTarget);
    const std::string strAllowed = AllowedCharacters(nFlags);
    std::string strPassword;
    strPassword.reserve(static_cast<std::size_t>(nTarget));
    while (static_cast<std::int64_t>(strPassword.size()) < nTarget) {
        std::uint64_t nIndex = 0;
        // Without a random source nothing is generated rather than
        // something guessable.
        if (!random.Below(strAllowed.size(), nIndex))
            return {};
        strPassword += strAllowed[static_cast<std::size_t>(nIndex)];
    }
    return strPassword;
}

int CPasswordGenerator::TextToNumber(const std::string& strText) {
    const long long nValue = std::strtoll(strText.c_str(), nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}
