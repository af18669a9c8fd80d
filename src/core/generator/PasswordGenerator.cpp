#include "core/generator/PasswordGenerator.h"

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

// The target length. The range width is taken in 64 bits: bounds as far
// apart as the whole int range must not wrap to a zero divisor.
std::int64_t TargetLength(int nFlags, int nBegin, int nEnd, int nLength, CRandomSource& random) {
    if ((nFlags & PWGEN_RANGE) == 0)
        return nLength;
    const std::int64_t nLow = nEnd > nBegin ? nBegin : nEnd;
    const std::int64_t nHigh = nEnd > nBegin ? nEnd : nBegin;
    if (nLow == nHigh)
        return nLow;
    return nLow + random.Next() % (nHigh - nLow + 1);
}

} // namespace

CPasswordGenerator::CPasswordGenerator() : m_timeSource([] { return std::time(nullptr); }) {}

CPasswordGenerator::CPasswordGenerator(TimeSource timeSource)
    : m_timeSource(std::move(timeSource)) {}

std::string CPasswordGenerator::GeneratePassword(int nFlags, int nBegin, int nEnd,
                                                 int nLength) const {
    if ((nFlags & PWGEN_CLASSES) == 0)
        return {};
    CRandomSource random;
    random.Seed(static_cast<std::uint32_t>(m_timeSource()));
    std::int64_t nTarget = TargetLength(nFlags, nBegin, nEnd, nLength, random);
    if (nTarget > MAX_PASSWORD_LENGTH)
        nTarget = MAX_PASSWORD_LENGTH;

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

int CPasswordGenerator::TextToNumber(const std::string& strText) {
    const long long nValue = std::strtoll(strText.c_str(), nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}
