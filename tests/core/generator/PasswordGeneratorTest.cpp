// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generator/PasswordGenerator.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

namespace {

std::string Generate(int nFlags, int nBegin, int nEnd, int nLength, std::time_t nSeed) {
    return CPasswordGenerator([nSeed] { return nSeed; })
        .GeneratePassword(nFlags, nBegin, nEnd, nLength);
}

bool IsSpecialChar(char c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

// Expected values were worked out by hand-running the random source
// (state * 214013 + 2531011, (state >> 16) & 0x7FFF) outside this code.
TEST(PasswordGenerator, KnownSeedsGiveKnownPasswords) {
    EXPECT_EQ(Generate(39, 5, 8, 6, 0), "8U41p6Z");
    EXPECT_EQ(Generate(39, 5, 8, 6, 1700000000), "mUoADa0");
    EXPECT_EQ(Generate(0x0F, 0, 0, 12, 12345), "oeRuAC6}\"BLk");
    EXPECT_EQ(Generate(0x24, 5, 5, 0, 42), "49954");
}

TEST(PasswordGenerator, ReversedBoundsDrawTheSameRange) {
    EXPECT_EQ(Generate(39, 8, 5, 6, 1700000000), Generate(39, 5, 8, 6, 1700000000));
    for (std::time_t nSeed = 0; nSeed < 200; ++nSeed) {
        const std::size_t n = Generate(39, 8, 5, 6, nSeed).size();
        EXPECT_GE(n, 5u);
        EXPECT_LE(n, 8u);
    }
}

TEST(PasswordGenerator, NoClassGivesNothing) {
    EXPECT_EQ(Generate(PWGEN_RANGE, 5, 8, 6, 1), "");
    EXPECT_EQ(Generate(0, 5, 8, 6, 1), "");
    EXPECT_EQ(Generate(0x40 | PWGEN_RANGE, 5, 8, 6, 1), ""); // higher bits mean nothing
}

TEST(PasswordGenerator, ClassesLimitTheCharacters) {
    EXPECT_EQ(Generate(PWGEN_SPACE, 0, 0, 4, 3), "    ");
    for (std::time_t nSeed = 0; nSeed < 100; ++nSeed) {
        const std::string strSpecial = Generate(PWGEN_SPECIAL, 0, 0, 1, nSeed);
        ASSERT_EQ(strSpecial.size(), 1u);
        EXPECT_TRUE(IsSpecialChar(strSpecial[0])) << strSpecial;
        for (char c : Generate(PWGEN_DIGITS | PWGEN_RANGE, 5, 5, 0, nSeed))
            EXPECT_TRUE(c >= '0' && c <= '9');
        EXPECT_EQ(Generate(PWGEN_DIGITS | PWGEN_RANGE, 5, 5, 0, nSeed).size(), 5u);
    }
}

TEST(PasswordGenerator, SameSecondSamePassword) {
    EXPECT_EQ(Generate(63, 5, 20, 6, 777), Generate(63, 5, 20, 6, 777));
    EXPECT_NE(Generate(63, 5, 20, 6, 777), Generate(63, 5, 20, 6, 778));
}

TEST(PasswordGenerator, TargetOfZeroOrLessGivesOneCharacter) {
    EXPECT_EQ(Generate(39, 0, 0, 0, 5).size(), 1u);
    EXPECT_EQ(Generate(7, 0, 0, -40, 5).size(), 1u);
    EXPECT_EQ(Generate(39 & ~PWGEN_RANGE, 0, 0, 0, 5).size(), 1u);
}

TEST(PasswordGenerator, ExtremeBoundsNeitherCrashNorOverflow) {
    // The whole int range as bounds: the width does not fit in an int.
    EXPECT_EQ(Generate(0x3F, INT_MIN, INT_MAX, 0, 99), "W");
    EXPECT_EQ(Generate(0x3F, INT_MAX, INT_MIN, 0, 99), "W");
    EXPECT_EQ(Generate(0x3F, INT_MAX - 1, INT_MAX, 0, 1).size(),
              static_cast<std::size_t>(MAX_PASSWORD_LENGTH));
}

TEST(PasswordGenerator, HugeLengthsAreCutToTheBound) {
    const std::string strHuge = Generate(39 & ~PWGEN_RANGE, 0, 0, 999999999, 11);
    ASSERT_EQ(strHuge.size(), static_cast<std::size_t>(MAX_PASSWORD_LENGTH));
    // What is kept is exactly the start of the uncut result.
    const std::string strShort = Generate(39 & ~PWGEN_RANGE, 0, 0, 100, 11);
    EXPECT_EQ(strHuge.substr(0, 100), strShort);
    // The bound itself is kept; one more is cut.
    EXPECT_EQ(Generate(PWGEN_DIGITS, 0, 0, 4096, 11).size(), 4096u);
    EXPECT_EQ(Generate(PWGEN_DIGITS, 0, 0, 4097, 11).size(), 4096u);
    EXPECT_EQ(Generate(PWGEN_DIGITS | PWGEN_RANGE, 4097, 4097, 0, 11).size(), 4096u);
}

TEST(PasswordGenerator, TextToNumberReadsLeadingDigits) {
    EXPECT_EQ(CPasswordGenerator::TextToNumber("12x"), 12);
    EXPECT_EQ(CPasswordGenerator::TextToNumber(""), 0);
    EXPECT_EQ(CPasswordGenerator::TextToNumber("abc"), 0);
    EXPECT_EQ(CPasswordGenerator::TextToNumber("  -7"), -7);
    EXPECT_EQ(CPasswordGenerator::TextToNumber("99999999999999"), INT_MAX);
    EXPECT_EQ(CPasswordGenerator::TextToNumber("-99999999999999"), INT_MIN);
}

// The secure source keeps the classes and length rules but owes nothing to
// the clock: two passwords made in the same second differ, and every allowed
// character is about equally likely.
TEST(PasswordGeneratorSecure, SameRulesWithoutTheClock) {
    const CPasswordGenerator generator;
    EXPECT_EQ(generator.GeneratePassword(PWGEN_RANGE, 5, 8, 6), "");
    EXPECT_EQ(generator.GeneratePassword(PWGEN_SPACE, 0, 0, 4), "    ");
    EXPECT_EQ(generator.GeneratePassword(39, 0, 0, 0).size(), 1u);
    EXPECT_EQ(generator.GeneratePassword(PWGEN_DIGITS, 0, 0, -5).size(), 1u);
    EXPECT_EQ(generator.GeneratePassword(PWGEN_DIGITS, 0, 0, 999999).size(),
              static_cast<std::size_t>(MAX_PASSWORD_LENGTH));
    EXPECT_NE(generator.GeneratePassword(0x1F, 0, 0, 32),
              generator.GeneratePassword(0x1F, 0, 0, 32));

    std::set<std::size_t> lengths;
    for (int i = 0; i < 400; ++i) {
        const std::string strPassword =
            generator.GeneratePassword(PWGEN_SPECIAL | PWGEN_RANGE, 8, 5, 0);
        lengths.insert(strPassword.size());
        for (char c : strPassword)
            ASSERT_TRUE(IsSpecialChar(c)) << strPassword;
    }
    EXPECT_EQ(lengths, (std::set<std::size_t>{5, 6, 7, 8}));
}

TEST(PasswordGeneratorSecure, CharactersAreUniform) {
    const std::string strDigits = CPasswordGenerator().GeneratePassword(PWGEN_DIGITS, 0, 0, 4000) +
                                  CPasswordGenerator().GeneratePassword(PWGEN_DIGITS, 0, 0, 4000) +
                                  CPasswordGenerator().GeneratePassword(PWGEN_DIGITS, 0, 0, 2000);
    std::map<char, int> counts;
    for (char c : strDigits)
        ++counts[c];
    ASSERT_EQ(counts.size(), 10u);
    // 1000 expected, standard deviation 30: 200 away is beyond chance.
    for (const auto& [c, n] : counts) {
        EXPECT_GT(n, 800) << c;
        EXPECT_LT(n, 1200) << c;
    }
}

} // namespace
