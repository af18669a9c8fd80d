// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/MasterKey.h"

#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

TEST(MasterKey, SetGivesTheCheckValueAndTheSecretTogether) {
    CMasterKey key;
    EXPECT_FALSE(key.IsSet() || key.HasSecret() || key.Accepts(""));
    key.Set("correct horse");
    EXPECT_EQ(key.CheckValue(), MakeKeyCheckValue("correct horse"));
    EXPECT_EQ(key.Secret(), "correct horse");
    EXPECT_TRUE(key.SecretMatches());
    EXPECT_TRUE(key.Accepts("correct horse"));
    for (const char* pszTyped : {"Correct horse", "correct hors", "correct horse!", ""})
        EXPECT_FALSE(key.Accepts(pszTyped)) << pszTyped;
    // A secret kept apart from its check value must not seal anything.
    key.KeepSecret("battery staple");
    EXPECT_FALSE(key.SecretMatches());
}

TEST(MasterKey, ClearWipesTheCheckValueInPlace) {
    CMasterKey key;
    key.Set("correct horse");
    const std::string& strValue = key.CheckValue();
    const char* pBytes = strValue.data();
    const std::size_t nCapacity = strValue.capacity();
    key.Clear();
    EXPECT_FALSE(key.IsSet() || key.HasSecret() || key.Accepts("correct horse"));
    // Emptying keeps the buffer: its old bytes must be zeros.
    EXPECT_TRUE(std::all_of(pBytes, pBytes + nCapacity, [](char c) { return c == 0; }));
}

TEST(MasterKey, MovesLeaveNothingBehind) {
    CMasterKey first;
    first.Set("one");
    CMasterKey second(std::move(first));
    EXPECT_FALSE(first.IsSet() || first.HasSecret()); // NOLINT(bugprone-use-after-move)
    EXPECT_TRUE(second.Accepts("one") && second.SecretMatches());

    CMasterKey other;
    other.Set("two");
    second = std::move(other);
    EXPECT_FALSE(other.IsSet() || other.HasSecret()); // NOLINT(bugprone-use-after-move)
    EXPECT_TRUE(second.Accepts("two"));
    EXPECT_EQ(second.Secret(), "two");

    // A change of KEY keeps the old one aside and may put it back.
    CMasterKey kept = std::move(second);
    second.Set("three");
    second.swap(kept);
    EXPECT_TRUE(second.Accepts("two"));
    EXPECT_TRUE(kept.Accepts("three"));
}
