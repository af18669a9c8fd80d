// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

inline constexpr int PWGEN_UPPER = 0x01;
inline constexpr int PWGEN_LOWER = 0x02;
inline constexpr int PWGEN_DIGITS = 0x04;
inline constexpr int PWGEN_SPECIAL = 0x08;
inline constexpr int PWGEN_SPACE = 0x10;
inline constexpr int PWGEN_RANGE = 0x20;
inline constexpr int PWGEN_CLASSES =
    PWGEN_UPPER | PWGEN_LOWER | PWGEN_DIGITS | PWGEN_SPECIAL | PWGEN_SPACE;

// Longest password the generator builds. Longer requested lengths give the
// first MAX_PASSWORD_LENGTH characters of what they would have given.
inline constexpr std::int64_t MAX_PASSWORD_LENGTH = 4096;

// The random source passwords depend on: the classic 32-bit linear
// congruential srand/rand pair, so one seed always gives one password.
class CRandomSource {
public:
    void Seed(std::uint32_t nSeed) { m_nState = nSeed; }
    int Next() {
        m_nState = m_nState * 214013u + 2531011u;
        return static_cast<int>((m_nState >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_nState = 1;
};

// Random passwords from a flags word and three numbers. No state between calls.
//
// Two sources: interactive generation draws the length and every character
// uniformly from the operating system's secure random source; a generator
// given a seed source runs the exact, reproducible rand() walk, so the same
// seed gives the same password. Both keep the same classes and length rules.
class CPasswordGenerator {
public:
    using TimeSource = std::function<std::time_t()>;

    // The secure source: what the account dialog, the Options page and
    // `keyhaven-cli generate` without --seed use.
    CPasswordGenerator();
    // The exact generator, seeded on each call with what timeSource returns:
    // for tests and `keyhaven-cli generate --seed`.
    explicit CPasswordGenerator(TimeSource timeSource);

    std::string GeneratePassword(int nFlags, int nBegin, int nEnd, int nLength) const;

    // atoi of a stored length text: leading blanks, a sign and decimal
    // digits; text that is not a number counts as 0, and numbers beyond the
    // int range stop at its ends instead of overflowing.
    static int TextToNumber(const std::string& strText);

private:
    std::string GenerateSeeded(int nFlags, int nBegin, int nEnd, int nLength) const;
    static std::string GenerateSecure(int nFlags, int nBegin, int nEnd, int nLength);

    // Empty for the secure source.
    TimeSource m_timeSource;
};
