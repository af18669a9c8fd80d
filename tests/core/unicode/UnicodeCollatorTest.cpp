// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode/UnicodeCollator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Sorted by Compare, or by the texts' sort keys.
std::vector<std::string> Sorted(std::vector<std::string> texts, const CUnicodeCollator& collator,
                                bool bByKey = false) {
    std::stable_sort(texts.begin(), texts.end(), [&](const std::string& a, const std::string& b) {
        return bByKey ? collator.SortKey(a) < collator.SortKey(b) : collator.Less(a, b);
    });
    return texts;
}

TEST(UnicodeCollator, SortsAMixedListAlphabeticallyIgnoringCase) {
    const CUnicodeCollator collator;
    const std::vector<std::string> expected = {
        "😀",      "10 Downing", "Äpfel", "apple",  "Apple", "bank",      "Bank", "Muller",
        "Müller", "Mullet",     "Zebra", "Ελλάδα", "Почта", "почтальон", "שלום", "東京",
    };
    // Texts equal but for case keep the order they had.
    const std::vector<std::string> shuffled = {
        "東京",   "Mullet", "bank",  "Zebra", "почтальон", "apple", "😀",      "Müller",
        "Ελλάδα", "Apple",  "Äpfel", "Почта", "שלום",      "Bank",  "Muller", "10 Downing",
    };
    EXPECT_EQ(Sorted(shuffled, collator), expected);

    // The keys sort the same way, and equal texts have equal keys.
    EXPECT_EQ(Sorted(shuffled, collator, true), expected);
    EXPECT_EQ(collator.SortKey("BANK"), collator.SortKey("bank"));
    EXPECT_EQ(collator.Compare("cafe\u0301", "Café"), 0);
    EXPECT_EQ(collator.Compare("a\u0301\u0323", "a\u0323\u0301"), 0); // marks in either order
}

TEST(UnicodeCollator, FollowsALanguagesOrder) {
    const std::vector<std::string> texts = {"zebra", "öl", "ol", "ıhlamur", "ilık"};
    EXPECT_EQ(Sorted(texts, CUnicodeCollator()),
              (std::vector<std::string>{"ilık", "ıhlamur", "ol", "öl", "zebra"}));
    EXPECT_EQ(Sorted(texts, CUnicodeCollator("sv")),
              (std::vector<std::string>{"ilık", "ıhlamur", "ol", "zebra", "öl"}));
    EXPECT_EQ(Sorted(texts, CUnicodeCollator("tr")),
              (std::vector<std::string>{"ıhlamur", "ilık", "ol", "öl", "zebra"}));
    EXPECT_EQ(Sorted(texts, CUnicodeCollator("zzz")), Sorted(texts, CUnicodeCollator()));
}

TEST(UnicodeCollator, SortsInvalidUtf8AsReplacementCharacters) {
    const CUnicodeCollator collator;
    EXPECT_EQ(collator.Compare("a\xFF", "a\uFFFD"), 0);
    EXPECT_EQ(collator.SortKey("a\xFF"), collator.SortKey("a\uFFFD"));
    EXPECT_LT(collator.Compare("a\xC3", "b"), 0);
    EXPECT_EQ(collator.Compare(std::string("x\0y", 3), std::string("x\0y", 3)), 0);
}

} // namespace
