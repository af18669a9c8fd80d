// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/unicode/UnicodeFold.h"

#include "core/unicode/FoldedMatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct SFoldCase {
    const char* pszText;
    const char* pszFolded;
};

TEST(UnicodeFold, FoldsCaseAndAccentsAsTheUserTypes) {
    const SFoldCase cases[] = {
        {"Hello, World 42!", "hello, world 42!"},
        {"Почта", "почта"},
        {"Łódź ŻÓŁĆ", "lodz zolc"},
        {"Ελλάδα", "ελλαδα"},
        {"ΟΔΥΣΣΕΥΣ Οδυσσεύς Ϊ ΐ", "οδυσσευσ οδυσσευσ ι ι"}, // final sigma, dialytika
        {"Straße STRASSE ẞ", "strasse strasse ss"},
        {"Øre Æsir Œuvre Đà Nẵng Þór", "ore aesir oeuvre da nang thor"},
        {"ħ ŧ ƀ ȼ ǿ", "h t b c o"},
        {"İstanbul ISTANBUL ırmak IRMAK", "istanbul istanbul irmak irmak"},
        // Cyrillic letters of their own keep their marks, composed or not.
        {"Йошкар-Ола И\u0306", "йошкар-ола й"},
        {"Ўзбек Їжак Ѓорѓе", "ўзбек їжак ѓорѓе"},
        {"Ёлка ѐ Ѝ мо\u0301ре", "елка е и море"}, // and a stress mark
        {"東京 がぎ ｶﾞ 한국어", "東京 がぎ ガ 한국어"},
        {"😀 👍🏽 ❤\uFE0F 👨\u200D👩\u200D👧", "😀 👍🏽 ❤ 👨👩👧"},
        // Enclosing marks stay, and so do marks on what is no letter.
        {"e\u0301 e\u0323\u0302 a\u20DD ≠ ∉", "e e a\u20DD ≠ ∉"},
        {"שָׁלוֹם مُحَمَّد", "שלום محمد"},
        {"हिन्दी क़", "हिनदी क"}, // vowel signs stay; virama and nukta go
        {"ＡＢＣ ﬁle soft\u00ADhyphen", "abc file softhyphen"},
    };
    for (const SFoldCase& c : cases)
        EXPECT_EQ(FoldForSearch(c.pszText), c.pszFolded) << c.pszText;
}

TEST(UnicodeFold, InvalidUtf8BecomesReplacementCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xFF", "\uFFFD"},
        {"A\xC3", "a\uFFFD"},                     // cut short
        {"\xC0\xAF", "\uFFFD\uFFFD"},             // overlong
        {"\xED\xA0\x80z", "\uFFFD\uFFFD\uFFFDz"}, // a surrogate
        {std::string("\xC3\x89\0X", 4), std::string("e\0x", 3)},
    };
    for (const auto& [strText, strFolded] : cases)
        EXPECT_EQ(FoldForSearch(strText), strFolded);
}

// The ASCII fast path gives what the full path gives: ASCII beside a
// character that takes the full path folds the same as alone.
TEST(UnicodeFold, AsciiFoldsAlikeOnBothPaths) {
    std::string strAscii;
    for (int c = 1; c < 0x80; ++c)
        strAscii += static_cast<char>(c);
    std::string strFolded = "a longer text left in the buffer";
    FoldForSearch(strAscii, strFolded);
    EXPECT_EQ(strFolded.find_first_of("ABCXYZ"), std::string::npos);
    EXPECT_EQ(FoldForSearch(strAscii + "É"), strFolded + "e");
}

// Folded a part at a time, a text folds as it does whole, and each byte of
// the result comes from whole characters of the text, in order.
TEST(UnicodeFold, AFoldWithItsOriginsIsTheFoldOfTheWholeText) {
    const std::string texts[] = {
        "Почта Łódź",        "cafe\u0301 ǅ",
        "\u0438\u0306ошкар",                            // й built from и and its mark
        "İ Straße ﬁ",        "\u1100\u1161\u11A8 한국", // Hangul jamo compose
        "A\xC3 \xFFz\u0301", "東京 👍🏽\u200D",
        "\u0301x",
    };
    for (const std::string& strText : texts) {
        std::string strFolded;
        std::vector<std::pair<std::size_t, std::size_t>> anOrigin;
        FoldForSearch(strText, strFolded, anOrigin);
        EXPECT_EQ(strFolded, FoldForSearch(strText)) << strText;
        ASSERT_EQ(anOrigin.size(), strFolded.size()) << strText;
        for (std::size_t i = 0; i < anOrigin.size(); ++i) {
            const auto [nBegin, nEnd] = anOrigin[i];
            EXPECT_TRUE(nBegin < nEnd && nEnd <= strText.size()) << strText << " " << i;
            EXPECT_TRUE(i == 0 || anOrigin[i - 1].second <= nBegin ||
                        anOrigin[i - 1] == anOrigin[i])
                << strText << " " << i;
            // Whole characters: neither end cuts into a UTF-8 sequence.
            EXPECT_NE(static_cast<unsigned char>(strText[nBegin]) & 0xC0, 0x80) << strText;
            EXPECT_TRUE(nEnd == strText.size() ||
                        (static_cast<unsigned char>(strText[nEnd]) & 0xC0) != 0x80)
                << strText;
        }
    }
}

struct SMatchCase {
    const char* pszText;
    const char* pszSearch;
    bool bContains;
    bool bWord;
};

const SMatchCase MATCH_CASES[] = {
    {"Почта России", "почта", true, true},
    {"Почтальон", "почта", true, false},
    {"Łódź Fabryczna", "LODZ", true, true},
    {"Οδυσσεύς", "ΟΔΥΣΣΕΥΣ", true, true},
    {"Йошкар-Ола", "иошкар", false, false}, // й is no и with an accent
    {"東京都庁", "東京", true, true},       // Han marks no word ends
    {"かがみ", "かかみ", false, false},
    {"งานบ้าน", "งาน", true, true},
    {"Hello 👍🏽!", "👍", true, true},
    {"👨\u200D👩\u200D👧 family", "👨👩👧", true, true},
    {"cafe\u0301", "CAFÉ", true, true},
    {"abab ab", "ab", true, true}, // the last occurrence stands alone
    {"user_name", "name", true, false},
    {"card2", "card", true, false},
    {"my-bank.com", "bank", true, true},
    {"бессмысленно\xFF", "мысл", true, false},
    {"anything", "\u0301", true, true}, // nothing left to look for
};

TEST(FoldedMatcher, FindsTextsAndWholeWords) {
    for (const SMatchCase& c : MATCH_CASES) {
        const CFoldedMatcher matcher(c.pszSearch);
        const std::string strFolded = FoldForSearch(c.pszText);
        EXPECT_EQ(matcher.Contains(c.pszText), c.bContains) << c.pszText << " / " << c.pszSearch;
        EXPECT_EQ(matcher.FoldedContains(strFolded), c.bContains) << c.pszText;
        EXPECT_EQ(matcher.ContainsWord(c.pszText), c.bWord) << c.pszText << " / " << c.pszSearch;
        EXPECT_EQ(matcher.FoldedContainsWord(strFolded), c.bWord) << c.pszText;
    }
}

// A filter narrows as keys are typed: whatever a search text finds, each of
// its beginnings finds too.
TEST(FoldedMatcher, EveryBeginningOfASearchFindsWhatTheSearchFinds) {
    for (const SMatchCase& c : MATCH_CASES) {
        if (!c.bContains)
            continue;
        const std::string strSearch = c.pszSearch;
        for (std::size_t n = 1; n < strSearch.size(); ++n) {
            if ((static_cast<unsigned char>(strSearch[n]) & 0xC0) == 0x80)
                continue; // inside a character
            EXPECT_TRUE(CFoldedMatcher(strSearch.substr(0, n)).Contains(c.pszText))
                << c.pszText << " / " << strSearch.substr(0, n);
        }
    }
}

} // namespace
