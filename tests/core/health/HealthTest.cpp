// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/CancelToken.h"
#include "core/health/PasswordHealth.h"
#include "core/health/PasswordStrength.h"
#include "core/health/PwnedList.h"
#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"
#include "core/tree/FieldFilter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <list>
#include <optional>
#include <unistd.h>
#include <utility>

namespace {

CPasswordInfo Record(bool bGroup, const std::string& strName, const std::string& strPassword = {},
                     const std::string& strUser = {}, const std::string& strWeb = {},
                     const std::string& strComments = {}) {
    CPasswordInfo info;
    info.m_bGroup = bGroup ? 1 : 0;
    if (bGroup) {
        info.SetGroup(strName);
        return info;
    }
    info.SetAccount(strName);
    info.SetPassword(strPassword);
    info.SetUserName(strUser);
    info.SetWebSite(strWeb);
    info.SetComments(strComments);
    return info;
}

const CCodePage& Page1252() {
    return *CCodePage::ByName("windows-1252");
}

} // namespace

// --- the filter over every field

TEST(FieldFilter, MatchesEveryWordInAnyFieldButThePassword) {
    // Texts in windows-1252: "\xE9" is é, "\xC9" É.
    const CPasswordInfo account = Record(false, "Caf\xE9 Central", "secretword", "jdoe",
                                         "https://shop.example.org", "Card ends 4411");
    const struct {
        const char* pszQuery;
        bool bMatch;
    } CASES[] = {
        {"", true},                  // no words: everything
        {"cafe", true},              // accent and case ignored
        {"CAF\xC9", true},           // the query's accent too
        {"example jdoe", true},      // words in different fields
        {"jdoe   example", true},    // any order, any blanks
        {"4411 central shop", true}, // comments, account, web site
        {"secretword", false},       // never the password
        {"jdoe secretword", false},  // one missing word is enough
        {"cafes", false},            // a word longer than the text
    };
    for (const auto& c : CASES)
        EXPECT_EQ(CFieldFilter(c.pszQuery, Page1252()).Matches(account), c.bMatch) << c.pszQuery;
}

TEST(FieldFilter, FoldsLettersOfEachCodePage) {
    // windows-1250: "\x8A" is Š, "\xE8" č; windows-1251: "\xA8" is Ё, "\xB8" ё, "\xC5" Е.
    const CCodePage& page1250 = *CCodePage::ByName("windows-1250");
    EXPECT_TRUE(CFieldFilter("sc", page1250).Matches(Record(false, "\x8A\xE8")));
    const CCodePage& page1251 = *CCodePage::ByName("windows-1251");
    EXPECT_TRUE(CFieldFilter("\xC5\xC6", page1251).Matches(Record(false, "\xB8\xE6")));
    EXPECT_TRUE(CFieldFilter("\xB8", page1251).Matches(Record(false, "\xA8")));
    // Letters with no base letter keep their identity.
    EXPECT_FALSE(CFieldFilter("ae", Page1252()).Matches(Record(false, "\xC6")));
    EXPECT_TRUE(CFieldFilter("\xE6", Page1252()).Matches(Record(false, "\xC6")));
    // An accented capital folds to its base letter: "a" finds "\xC0" (A grave).
    EXPECT_TRUE(CFieldFilter("a", Page1252()).Matches(Record(false, "\xC0")));
    EXPECT_TRUE(CFieldFilter("\xE0", Page1252()).Matches(Record(false, "X\xC0")));
    EXPECT_TRUE(CFieldFilter("\xC9", Page1252()).Matches(Record(false, "\xE9t\xE9")));
}

TEST(FieldFilter, SpansCoverEveryOccurrenceMerged) {
    const CFieldFilter filter("an na", Page1252());
    using CSpans = std::vector<std::pair<std::size_t, std::size_t>>;
    // "Banana": "an" at 1 and 3, "na" at 2 and 4; together bytes 1 to 5.
    EXPECT_EQ(filter.Spans("Banana"), (CSpans{{1, 5}}));
    EXPECT_EQ(filter.Spans("AN x n\xC1"), (CSpans{{0, 2}, {5, 2}}));
    EXPECT_EQ(filter.Spans("xyz"), CSpans{});
    // Occurrences that overlap each other or lie inside a longer word's.
    const struct {
        const char* pszQuery;
        const char* pszText;
        CSpans spans;
    } cases[] = {
        {"aa", "aaa", {{0, 3}}},
        {"an", "banana", {{1, 4}}},
        {"banana an", "xbananax", {{1, 6}}},
        {"nan an", "bananas", {{1, 4}}},
        {"a", "\xC0 b \xE0", {{0, 1}, {4, 1}}}, // accented capitals fold too
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFieldFilter(c.pszQuery, Page1252()).Spans(c.pszText), c.spans) << c.pszQuery;
}

TEST(FieldFilter, Utf8FieldsAreFoldedInEveryScriptAndSpansCoverWholeCharacters) {
    const CCodePage& page = CCodePage::Utf8();
    const CPasswordInfo account = Record(false, "Почта Łódź", "ελλαδα-secret", "Ελλάδα",
                                         "https://東京.example", "Straße 👍🏽");
    const struct {
        const char* pszQuery;
        bool bMatch;
    } matches[] = {
        {"почта", true},    {"LODZ ελλαδα", true}, {"東京 strasse", true},
        {"👍", true},        {"pocta", false},      {"secret", false}, // the password
        {"\xCC\x81", true}, // a mark alone: nothing to look for
    };
    for (const auto& c : matches)
        EXPECT_EQ(CFieldFilter(c.pszQuery, page).Matches(account), c.bMatch) << c.pszQuery;

    using CSpans = std::vector<std::pair<std::size_t, std::size_t>>;
    const struct {
        const char* pszQuery;
        const char* pszText;
        CSpans spans;
    } spans[] = {
        {"почта", "Моя Почта", {{7, 10}}},
        {"od", "Łódź", {{2, 3}}},               // ó is two bytes
        {"ss", "Straße", {{4, 2}}},             // ß folds to two letters
        {"s", "Straße", {{0, 1}, {4, 2}}},      // half of ß shows all of it
        {"cafe", "cafe\xCC\x81 bar", {{0, 6}}}, // with the accent that follows
        {"ελλα δα", "Ελλάδα", {{0, 12}}},       // merged
        {"i", "\xEF\xAC\x81le", {{0, 3}}},      // the ligature fi
        {"東京", "わたしの東京", {{12, 6}}},
    };
    for (const auto& c : spans)
        EXPECT_EQ(CFieldFilter(c.pszQuery, page).Spans(c.pszText), c.spans) << c.pszQuery;
    EXPECT_TRUE(CFieldFilter("Почт lódź", page).Narrows(CFieldFilter("почт lod", page)));
    EXPECT_FALSE(CFieldFilter("почт", page).Narrows(CFieldFilter("почта", page)));
}

// --- the estimator

TEST(FieldFilter, NarrowsOnlyWhenEveryEarlierWordLiesInALaterOne) {
    const struct {
        const char* pszWider;
        const char* pszNarrower;
        bool bNarrows;
    } cases[] = {
        {"ba", "ban", true},            // a key typed onto the word
        {"bank", "bank card", true},    // a word added
        {"ca bank", "BANK card", true}, // any order, any case
        {"\xE9t\xE9", "ETES", true},    // accents folded
        {"bank", "ban", false},         // a key taken back
        {"bank card", "card", false},   // a word taken away
        {"ab", "b a", false},           // split: "b a" lets "b-a" through
        {"", "x", true},                // from everything
        {"x", "", false},
    };
    for (const auto& c : cases) {
        const CFieldFilter wider(c.pszWider, Page1252());
        EXPECT_EQ(CFieldFilter(c.pszNarrower, Page1252()).Narrows(wider), c.bNarrows)
            << c.pszWider << " -> " << c.pszNarrower;
    }
}

TEST(PasswordStrength, KnownWeakAndStrongPasswords) {
    for (const char* pszWeak : {"password", "123456", "qwerty", "letmein1", "aaaaaaaaaaaa"})
        EXPECT_LT(StrengthOf(EstimateBits(pszWeak)), EStrength::reasonable) << pszWeak;
    for (const char* pszStrong : {"vT3#qL9!mZ2&xR7$kP4w", "g7Hq#2pLm9!vRt4Xz8Kw"})
        EXPECT_GE(StrengthOf(EstimateBits(pszStrong)), EStrength::good) << pszStrong;
    EXPECT_EQ(EstimateBits(""), 0);
    EXPECT_LT(EstimateBits("password1"), EstimateBits("pX7#wQ2!"));
}

TEST(PasswordStrength, BandsAndWords) {
    const struct {
        double dBits;
        const char* pszWord;
    } CASES[] = {{0, "poor"},        {39.9, "poor"},       {40, "weak"},  {64.9, "weak"},
                 {65, "reasonable"}, {99.9, "reasonable"}, {100, "good"}, {127.9, "good"},
                 {128, "excellent"}, {500, "excellent"}};
    for (const auto& c : CASES) {
        EXPECT_STREQ(StrengthWord(StrengthOf(c.dBits)), c.pszWord) << c.dBits;
        EXPECT_EQ(StrengthNamed(c.pszWord), StrengthOf(c.dBits));
    }
    EXPECT_FALSE(StrengthNamed("Weak"));
}

// --- the breach list

class PwnedListTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(m_strPath); }

    bool Make(const std::string& strText) {
        std::ofstream(m_strPath, std::ios::binary) << strText;
        std::string strError;
        return m_list.Open(m_strPath, strError);
    }

    std::string m_strPath =
        std::filesystem::temp_directory_path() / ("pwned-" + std::to_string(::getpid()) + ".txt");
    CPwnedList m_list;
};

// A look-up's count, or none when the list gave no answer.
std::optional<std::uint64_t> Counted(const SPwnedAnswer& answer) {
    return answer.IsAnswer() ? std::optional(answer.nCount) : std::nullopt;
}

std::array<std::uint8_t, 20> HashOf(const std::string& strHex) {
    std::array<std::uint8_t, 20> hash{};
    for (std::size_t i = 0; i < hash.size(); ++i)
        hash[i] = static_cast<std::uint8_t>(std::stoul(strHex.substr(2 * i, 2), nullptr, 16));
    return hash;
}

// SHA-1 of "password" and of "123456".
constexpr const char* PASSWORD_SHA1 = "5BAA61E4C9B93F3F0682250B6CF8331B7EE68FD8";
constexpr const char* SHA1_123456 = "7C4A8D09CA3762AF61E59520943DC26494F8941B";

using CListLines = std::vector<std::pair<std::string, int>>;

// n lines and the given ones in hash order, hashes spread evenly.
CListLines OrderedLines(int nLines, const CListLines& extra = {}) {
    CListLines lines = extra;
    for (int i = 1; i <= nLines; ++i) {
        char szHash[41];
        std::snprintf(szHash, sizeof szHash, "%08X%032X", static_cast<unsigned>(i * 2654435761u),
                      i);
        lines.emplace_back(szHash, i + 1);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string ListText(const CListLines& lines, const char* pszEnd = "\r\n") {
    std::string strText;
    for (const auto& [strHash, nCount] : lines)
        strText += strHash + ":" + std::to_string(nCount) + pszEnd;
    return strText;
}

std::string OrderedList(int nLines, const CListLines& extra, const char* pszEnd = "\r\n") {
    return ListText(OrderedLines(nLines, extra), pszEnd);
}

TEST_F(PwnedListTest, FindsFirstLastMiddleAndAbsent) {
    const std::string strFirst = "0000000000000000000000000000000000000000";
    const std::string strLast = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";
    for (const char* pszEnd : {"\r\n", "\n"}) {
        ASSERT_TRUE(Make(
            OrderedList(5000, {{strFirst, 7}, {strLast, 9}, {PASSWORD_SHA1, 9545824}}, pszEnd)));
        EXPECT_EQ(Counted(m_list.Count("password")), 9545824u);
        EXPECT_EQ(Counted(m_list.Count("123456")), 0u);
        std::array<std::uint8_t, 20> hash{};
        EXPECT_EQ(Counted(m_list.CountOfHash(hash)), 7u);
        hash.fill(0xFF);
        EXPECT_EQ(Counted(m_list.CountOfHash(hash)), 9u);
    }
}

TEST_F(PwnedListTest, SmallFilesLowerCaseAndNoFinalLineEnd) {
    ASSERT_TRUE(Make(std::string(SHA1_123456) + ":37359195"));
    EXPECT_EQ(Counted(m_list.Count("123456")), 37359195u);
    EXPECT_EQ(Counted(m_list.Count("password")), 0u);
    std::string strLower = std::string(PASSWORD_SHA1) + ":3\n";
    for (char& c : strLower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    CPwnedList other;
    std::ofstream(m_strPath, std::ios::binary) << strLower;
    std::string strError;
    ASSERT_TRUE(other.Open(m_strPath, strError)) << strError;
    EXPECT_EQ(Counted(other.Count("password")), 3u);
}

TEST_F(PwnedListTest, RefusesWhatCannotBeSearched) {
    EXPECT_FALSE(Make(""));
    // Ordered by count, as the other download is.
    EXPECT_FALSE(Make(std::string(SHA1_123456) + ":37359195\r\n" + PASSWORD_SHA1 + ":9545824\r\n"));
    EXPECT_FALSE(Make("not a hash list\n"));
    std::string strError;
    EXPECT_FALSE(m_list.Open("/nonexistent/pwned.txt", strError));
    EXPECT_NE(strError.find("cannot be read"), std::string::npos);
    // A damaged line met by the search is no answer, never a wrong one.
    std::string strText = OrderedList(4000, {{PASSWORD_SHA1, 5}});
    strText[strText.find(PASSWORD_SHA1) + 40] = '=';
    ASSERT_TRUE(Make(strText));
    EXPECT_EQ(m_list.Count("password").eFault, SPwnedAnswer::EFault::damaged);
}

TEST_F(PwnedListTest, EveryLineOfAListIsFoundAndNothingBetweenThem) {
    const CListLines lines = OrderedLines(1500);
    for (const char* pszEnd : {"\r\n", "\n"}) {
        ASSERT_TRUE(Make(ListText(lines, pszEnd)));
        for (const auto& [strHash, nCount] : lines) {
            std::array<std::uint8_t, 20> hash = HashOf(strHash);
            EXPECT_EQ(Counted(m_list.CountOfHash(hash)), std::uint64_t(nCount)) << strHash;
            // The generated hashes end in their line number, so one more is
            // never another line.
            ++hash.back();
            EXPECT_EQ(Counted(m_list.CountOfHash(hash)), 0u) << strHash;
        }
    }
}

TEST_F(PwnedListTest, AHashGivenTwiceIsRefused) {
    // Among the first lines: the list is refused when opened.
    CListLines lines = OrderedLines(40);
    lines.insert(lines.begin() + 10, lines[10]);
    EXPECT_FALSE(Make(ListText(lines)));
    // Deep inside a list that starts well: its look-up gives no answer.
    lines = OrderedLines(6000);
    lines.insert(lines.begin() + 4000, {lines[4000].first, 3});
    ASSERT_TRUE(Make(ListText(lines)));
    EXPECT_EQ(m_list.CountOfHash(HashOf(lines[4000].first)).eFault,
              SPwnedAnswer::EFault::unordered);
}

TEST_F(PwnedListTest, AListOrderedOnlyAtItsStartNeverMissesSilently) {
    // The first lines ordered by hash, the rest by count, as if two
    // downloads were joined: the rest lies in no order of hash.
    CListLines lines = OrderedLines(6000);
    std::sort(lines.begin() + 200, lines.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    ASSERT_TRUE(Make(ListText(lines)));
    int nRefused = 0;
    for (const auto& [strHash, nCount] : lines) {
        const SPwnedAnswer answer = m_list.CountOfHash(HashOf(strHash));
        if (answer.IsAnswer())
            EXPECT_EQ(answer.nCount, std::uint64_t(nCount)) << strHash;
        else
            ++nRefused;
    }
    EXPECT_GT(nRefused, 5000);
}

TEST_F(PwnedListTest, ACountTooLargeForSixtyFourBitsIsADamagedLine) {
    const std::string strMax = "18446744073709551615";
    const struct {
        std::string strCount;
        std::optional<std::uint64_t> nCount;
    } CASES[] = {
        {strMax, UINT64_MAX},
        {"18446744073709551616", std::nullopt},
        {"184467440737095516150", std::nullopt},
        {std::string(50, '9'), std::nullopt},
        {"0000000000000000000000000000000000000000042", 42},
    };
    // Past the lines checked when the list is opened: met by the search.
    const std::string strLine = std::string(PASSWORD_SHA1) + ":1\r\n";
    const std::string strList = OrderedList(1000, {{PASSWORD_SHA1, 1}});
    ASSERT_GT(strList.find(strLine), 100u * strLine.size());
    for (const auto& test : CASES) {
        std::string strText = strList;
        strText.replace(strText.find(strLine), strLine.size(),
                        std::string(PASSWORD_SHA1) + ":" + test.strCount + "\r\n");
        ASSERT_TRUE(Make(strText)) << test.strCount;
        EXPECT_EQ(Counted(m_list.Count("password")), test.nCount) << test.strCount;
    }
}

// --- the report

TEST(PasswordHealth, OrdersWorstFirstAndKeepsSharedPasswordsTogether) {
    std::list<CPasswordInfo> list = {
        Record(true, "Web"),
        Record(false, "strong", "vT3#qL9!mZ2&xR7$kP4w"),
        Record(false, "shared-a", "g7Hq#2pLm9!vRt4Xz8Kw"),
        Record(false, "weak", "letmein1"),
        Record(false, "empty", ""),
        Record(true, "Mail"),
        Record(false, "shared-b", "g7Hq#2pLm9!vRt4Xz8Kw"),
        Record(false, "pair-1", "password"),
        Record(false, "pair-2", "password"),
        Record(false, "empty-2", ""),
    };
    const SHealthReport report = AuditPasswords(list, Page1252(), EStrength::reasonable);
    EXPECT_EQ(report.nAccounts, 8);
    std::vector<std::string> astrOrder;
    for (const SHealthLine& line : report.lines)
        astrOrder.push_back(line.pAccount->Account() + "|" + line.Findings());
    ASSERT_EQ(astrOrder.size(), 7u) << "the strong, unshared password has no finding";
    // Empty ones first, not counted as shared; then the shared sets with the
    // weaker one first, its accounts together; then the weak one alone.
    EXPECT_EQ(astrOrder[0], "empty|empty");
    EXPECT_EQ(astrOrder[1], "empty-2|empty");
    EXPECT_EQ(astrOrder[2].substr(0, 7), "pair-1|");
    EXPECT_NE(astrOrder[2].find("used by 2 accounts (set 1)"), std::string::npos) << astrOrder[2];
    EXPECT_NE(astrOrder[2].find("weak ("), std::string::npos) << astrOrder[2];
    EXPECT_EQ(astrOrder[3].substr(0, 7), "pair-2|");
    EXPECT_EQ(astrOrder[4], "shared-a|used by 2 accounts (set 2)");
    EXPECT_EQ(astrOrder[5], "shared-b|used by 2 accounts (set 2)");
    EXPECT_EQ(astrOrder[6].substr(0, 10), "weak|weak ");
    EXPECT_EQ(report.lines[5].pGroup->Group(), "Mail");

    // A lower threshold lets the weak password pass.
    const SHealthReport lenient = AuditPasswords(list, Page1252(), EStrength::poor);
    for (const SHealthLine& line : lenient.lines)
        EXPECT_NE(line.pAccount->Account(), "weak");
}

TEST(PasswordHealth, BreachedPasswordsComeFirstAfterEmptyOnes) {
    const std::string strPath = std::filesystem::temp_directory_path() /
                                ("pwned-report-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(strPath, std::ios::binary)
        << OrderedList(100, {{PASSWORD_SHA1, 10}, {SHA1_123456, 500}});
    CPwnedList pwned;
    std::string strError;
    ASSERT_TRUE(pwned.Open(strPath, strError)) << strError;
    std::list<CPasswordInfo> list = {Record(true, "G"), Record(false, "weak", "letmein1"),
                                     Record(false, "p", "password"), Record(false, "n", "123456"),
                                     Record(false, "e", "")};
    const SHealthReport report = AuditPasswords(list, Page1252(), EStrength::reasonable, &pwned);
    std::filesystem::remove(strPath);
    ASSERT_EQ(report.lines.size(), 4u);
    EXPECT_EQ(report.lines[0].pAccount->Account(), "e");
    EXPECT_EQ(report.lines[1].pAccount->Account(), "n");
    EXPECT_EQ(report.lines[1].nPwned, 500u);
    EXPECT_NE(report.lines[1].Findings().find("seen 500 times in breaches"), std::string::npos);
    EXPECT_EQ(report.lines[2].pAccount->Account(), "p");
    EXPECT_EQ(report.lines[3].pAccount->Account(), "weak");
    EXPECT_EQ(report.lines[3].nPwned, 0u);
}

TEST(PasswordHealth, TheTokenHearsHowFarTheCheckGotAndCanStopIt) {
    // More accounts than one progress step, and an account before the first
    // group, which no check counts.
    std::list<CPasswordInfo> list = {Record(false, "stray", "")};
    list.push_back(Record(true, "G"));
    for (int i = 0; i < 700; ++i)
        list.push_back(Record(false, "a" + std::to_string(i), i % 2 ? "letmein1" : ""));
    const CCancelToken token;
    const SHealthReport report =
        AuditPasswords(list, Page1252(), EStrength::reasonable, nullptr, &token);
    EXPECT_FALSE(report.bCancelled);
    EXPECT_EQ(report.lines.size(), 700u);
    EXPECT_EQ(token.Progress(), (std::pair<std::size_t, std::size_t>{700, 700}));

    CCancelToken cancelled;
    cancelled.Cancel();
    const SHealthReport stopped =
        AuditPasswords(list, Page1252(), EStrength::reasonable, nullptr, &cancelled);
    EXPECT_TRUE(stopped.bCancelled);
    EXPECT_TRUE(stopped.lines.empty());
    EXPECT_EQ(cancelled.Progress().first, 0u);
}
