// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/CodePage.h"
#include "core/store/ExportText.h"
#include "core/store/TextCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

namespace {

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    for (const std::string& strName : CCodePage::Names()) {
        const CCodePage* pPage = CCodePage::ByName(strName);
        ASSERT_NE(pPage, nullptr) << strName;
        std::string strAll;
        for (int i = 0; i < 256; ++i)
            strAll += static_cast<char>(i);
        std::string strBack;
        ASSERT_TRUE(pPage->FromUtf8(pPage->ToUtf8(strAll), strBack)) << strName;
        EXPECT_EQ(strBack, strAll) << strName;
    }
}

TEST(CodePage, Windows1252MapsItsSpecialsAndKeepsUndefinedBytes) {
    const CCodePage& page = CCodePage::Default();
    EXPECT_EQ(page.Name(), "windows-1252");
    EXPECT_EQ(page.ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(page.ToUtf8("\xE9"), "\xC3\xA9");     // e acute
    EXPECT_EQ(page.ToUnicode(0x81), U'\u0081');     // undefined: its C1 code point
    EXPECT_EQ(page.ToUnicode(0x9D), U'\u009D');
    EXPECT_EQ(CCodePage::ByName("WINDOWS-1252"), &page);
    EXPECT_EQ(CCodePage::ByName("utf-8"), nullptr);
}

TEST(CodePage, UnrepresentableCharactersAreReportedNotReplaced) {
    std::string strOut;
    char32_t nBad = 0;
    EXPECT_FALSE(CCodePage::Default().FromUtf8("ok \xE4\xB8\xAD", strOut, &nBad));
    EXPECT_EQ(nBad, U'\u4E2D');
    EXPECT_FALSE(CCodePage::Default().FromUtf8("bad \xC3", strOut, &nBad)); // cut sequence
    EXPECT_EQ(nBad, U'\uFFFD');
    EXPECT_FALSE(CCodePage::Default().FromUtf8("\xC0\x80", strOut, &nBad)); // overlong
    const std::uint16_t units[] = {'a', 0xD83D, 0xDE00};
    EXPECT_FALSE(CCodePage::Default().FromUtf16(units, 3, strOut, &nBad));
    EXPECT_EQ(nBad, U'\U0001F600');
    ASSERT_TRUE(CCodePage::ByName("windows-1251")->FromUtf8("\xD0\x96", strOut)); // Cyrillic Zhe
    EXPECT_EQ(strOut, "\xC6");
}

TEST(CodePage, TheEdgesOfUnicodeDecodeAsTheStandardSays) {
    // None of these is a character of the code page, so each is refused and
    // reported: the character decoded, or U+FFFD for a malformed sequence.
    const struct {
        const char* pszUtf8;
        char32_t nBad;
    } utf8[] = {
        {"\xED\x9F\xBF", U'\uD7FF'}, // the last before the surrogates
        {"\xED\xA0\x80", U'\uFFFD'}, // a surrogate is no character
        {"\xED\xBF\xBF", U'\uFFFD'},         {"\xEE\x80\x80", U'\uE000'}, // the first after them
        {"\xF4\x8F\xBF\xBF", U'\U0010FFFF'},                              // the last code point
        {"\xF4\x90\x80\x80", U'\uFFFD'},                                  // beyond it
        {"\xF0\x8F\xBF\xBF", U'\uFFFD'},                                  // overlong
    };
    std::string strOut;
    for (const auto& c : utf8) {
        char32_t nBad = 0;
        EXPECT_FALSE(CCodePage::Default().FromUtf8(c.pszUtf8, strOut, &nBad)) << c.pszUtf8;
        EXPECT_EQ(nBad, c.nBad) << c.pszUtf8;
    }
    const struct {
        std::vector<std::uint16_t> units;
        char32_t nBad;
    } utf16[] = {
        {{'a', 0xD800, 0xDC00}, U'\U00010000'},
        {{'a', 0xDBFF, 0xDFFF}, U'\U0010FFFF'}, // the last pair, at the very end
        {{0xD800}, U'\uFFFD'},                  // a high surrogate without its pair
        {{0xD800, 'a'}, U'\uFFFD'},
        {{0xDC00, 0xD800}, U'\uFFFD'}, // the pair the wrong way round
    };
    for (const auto& c : utf16) {
        char32_t nBad = 0;
        EXPECT_FALSE(CCodePage::Default().FromUtf16(c.units.data(), c.units.size(), strOut, &nBad))
            << c.units.size();
        EXPECT_EQ(nBad, c.nBad) << std::hex << c.units[0];
    }
}

TEST(CodePage, ASequenceCutByTheEndOfTheTextIsRefused) {
    // The bytes after the view would complete each sequence; they are not
    // part of the text.
    const std::string strWhole = "caf\xC3\xA9 \xE2\x82\xAC";
    const std::string_view strView = strWhole;
    std::string strOut;
    for (std::size_t nCut : {4u, 7u, 8u}) {
        char32_t nBad = 0;
        EXPECT_FALSE(CCodePage::Default().FromUtf8(strView.substr(0, nCut), strOut, &nBad)) << nCut;
        EXPECT_EQ(nBad, U'\uFFFD') << nCut;
    }
    ASSERT_TRUE(CCodePage::Default().FromUtf8(strView, strOut));
    EXPECT_EQ(strOut, "caf\xE9 \x80");
}

TEST(CodePage, Utf8KeepsWellFormedTextAndRefusesOrReplacesTheRest) {
    const CCodePage& page = CCodePage::Utf8();
    EXPECT_TRUE(page.IsUtf8());
    EXPECT_FALSE(CCodePage::Default().IsUtf8());
    EXPECT_EQ(page.Name(), "utf-8");
    EXPECT_EQ(CCodePage::ByName("utf-8"), nullptr); // never a password file's page
    const std::vector<std::string> astrNames = CCodePage::Names();
    EXPECT_EQ(std::count(astrNames.begin(), astrNames.end(), "utf-8"), 0);
    // Each ill-formed part is one U+FFFD in what is shown and fails the way
    // back; well-formed text goes both ways unchanged.
    const std::string R = "\xEF\xBF\xBD"; // U+FFFD
    const struct {
        std::string strBytes;
        std::string strShown;
    } cases[] = {
        {"Почта Ελλάδα Łódź 東京 👍🏽",
         "Почта Ελλάδα Łódź 東京 👍🏽"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"}, // U+10FFFF
        {"caf\xC3", "caf" + R},                   // cut by the end
        {"\xF0\x9F\x91 x", R + " x"},             // one part: three bytes of four
        {"\xED\xA0\x80", R + R + R},              // an encoded surrogate
        {"\xC0\xAF", R + R},                      // overlong
        {"\xF4\x90\x80\x80", R + R + R + R},      // beyond U+10FFFF
        {"a\xFF"
         "b\x80",
         "a" + R + "b" + R},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(page.ToUtf8(c.strBytes), c.strShown) << c.strShown;
        std::string strOut;
        char32_t nBad = 0;
        const bool bWellFormed = c.strBytes == c.strShown;
        EXPECT_EQ(page.FromUtf8(c.strBytes, strOut, &nBad), bWellFormed) << c.strShown;
        EXPECT_EQ(bWellFormed ? strOut : c.strBytes, c.strBytes);
        EXPECT_EQ(nBad, bWellFormed ? 0 : U'\uFFFD') << c.strShown;
    }
    const struct {
        std::vector<std::uint16_t> units;
        const char* pszUtf8; // nullptr: refused as malformed
    } utf16[] = {
        {{'a', 0x0416, 0xD83D, 0xDC4D}, "a\xD0\x96\xF0\x9F\x91\x8D"}, // Ж and a pair
        {{0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
        {{'a', 0xD800}, nullptr},
        {{0xDC00, 0xD800}, nullptr},
    };
    for (const auto& c : utf16) {
        std::string strOut;
        char32_t nBad = 0;
        EXPECT_EQ(page.FromUtf16(c.units.data(), c.units.size(), strOut, &nBad),
                  c.pszUtf8 != nullptr);
        EXPECT_EQ(c.pszUtf8 ? strOut : "", c.pszUtf8 ? c.pszUtf8 : "");
        EXPECT_EQ(nBad, c.pszUtf8 ? 0 : U'\uFFFD');
    }
    // A byte alone is ASCII or no character.
    unsigned char nByte = 0;
    EXPECT_EQ(page.ToUnicode('A'), U'A');
    EXPECT_EQ(page.ToUnicode(0xD0), U'\uFFFD');
    EXPECT_TRUE(page.FromUnicode(U'z', nByte));
    EXPECT_EQ(nByte, 'z');
    EXPECT_FALSE(page.FromUnicode(U'\u00E9', nByte));
    EXPECT_EQ(page.ToLower('Q'), 'q');
    EXPECT_EQ(page.ToLower(0xD0), 0xD0);
}

TEST(CompareNoCase, IgnoresCaseInTheCodePage) {
    EXPECT_EQ(CompareNoCase("abc", "ABC", CCodePage::Default()), 0);
    EXPECT_LT(CompareNoCase("abc", "abd", CCodePage::Default()), 0);
    EXPECT_GT(CompareNoCase("b", "A", CCodePage::Default()), 0);
    EXPECT_LT(CompareNoCase("ab", "abc", CCodePage::Default()), 0);
    EXPECT_EQ(CompareNoCase("\xC9t\xE9", "\xE9T\xC9", CCodePage::Default()), 0); // É/é
    EXPECT_EQ(CompareNoCase("\x8A", "\x9A", CCodePage::Default()), 0);           // Š/š
    EXPECT_TRUE(StartsWithNoCase("Work mail", "WORK", CCodePage::Default()));
    EXPECT_TRUE(StartsWithNoCase("Work", "wORK", CCodePage::Default()));
    EXPECT_TRUE(StartsWithNoCase("", "", CCodePage::Default()));
    EXPECT_FALSE(StartsWithNoCase("Wo", "Work", CCodePage::Default()));
}

TEST(CompareNoCase, SortsGroupsTheWayTheTreeShowsThem) {
    std::vector<std::string> names = {"b", "A", "c", "a2", "B1"};
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareNoCase(a, b, CCodePage::Default()) < 0;
    });
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a2", "b", "B1", "c"}));
}

TEST(CompareNoCase, Utf8TextsSortByCharacterInEveryScript) {
    const CCodePage& page = CCodePage::Utf8();
    // Sorted: the common order of all languages, case ignored, accents only
    // after the letters (Ł is L with a stroke). Byte order would put "Élan"
    // after "zoo", "арбуз" after "Яблоко" and "άλφα" after "Ωμέγα".
    const std::vector<std::string> sorted = {
        "👍 thumbs", "7-Zip", "apple", "Élan",  "Łódź", "Lublin", "Muller", "Müller", "Mullet",
        "zoo",      "άλφα",  "Ωμέγα", "арбуз", "Ёлка", "Жук",    "Яблоко", "東京",
    };
    std::vector<std::string> shuffled(sorted.rbegin(), sorted.rend());
    std::rotate(shuffled.begin(), shuffled.begin() + 5, shuffled.end());
    std::stable_sort(shuffled.begin(), shuffled.end(),
                     [&](const auto& a, const auto& b) { return CompareNoCase(a, b, page) < 0; });
    EXPECT_EQ(shuffled, sorted);
    // Keys sort alike, and texts that differ in case only are equal.
    for (std::size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LT(SortKeyNoCase(sorted[i - 1], page), SortKeyNoCase(sorted[i], page)) << sorted[i];
    EXPECT_EQ(CompareNoCase("ПОЧТА", "почта", page), 0);
    EXPECT_EQ(SortKeyNoCase("ΕΛΛΆΔΑ", page), SortKeyNoCase("ελλάδα", page));
    EXPECT_LT(SortKeyNoCase("ab", CCodePage::Default()), SortKeyNoCase("\xC1"
                                                                       "a",
                                                                       CCodePage::Default()));

    const struct {
        const char* pszText;
        const char* pszPrefix;
        bool bStarts;
    } prefixes[] = {
        {"Почта России", "почта", true},
        {"Łódź Fabryczna", "lodz f", true},
        {"Ελλάδα", "ελλα", true},
        {"東京タワー", "東京", true},
        {"👍🏽 ok", "👍", true},
        {"Straße", "STRASS", true},
        {"Почта", "почтамт", false},
        {"Жук", "ж", true},
        {"Жук", "к", false},
    };
    for (const auto& c : prefixes)
        EXPECT_EQ(StartsWithNoCase(c.pszText, c.pszPrefix, page), c.bStarts) << c.pszPrefix;
}

TEST(ExportText, NewFileIsOneBannerLine) {
    CPasswordInfo group;
    group.m_bGroup = 1;
    group.SetGroup("My Passwords");
    EXPECT_EQ(ExportText({group}), "============= My Passwords =============\n\n");
    EXPECT_EQ(ExportText({group}, EXPORT_EOL_CRLF),
              "============= My Passwords =============\r\n\r\n");
}

TEST(ExportText, AccountLayoutWithTabs) {
    CPasswordInfo account;
    EXPECT_EQ(ExportRecordText(account),
              "Account\t\t\nUser Name\t\nPassword\t\nWeb Site\t\nE-Mail\t\t\nComments\t\n\n");
    account.SetAccount("Bank");
    account.SetUserName("jo");
    account.SetPassword("s3cret");
    account.SetWebSite("https://bank.example");
    account.SetEMail("jo@example.com");
    account.SetComments("PIN in safe");
    EXPECT_EQ(ExportRecordText(account, EXPORT_EOL_CRLF),
              "Account\t\tBank\r\nUser Name\tjo\r\nPassword\ts3cret\r\n"
              "Web Site\thttps://bank.example\r\nE-Mail\t\tjo@example.com\r\n"
              "Comments\tPIN in safe\r\n\r\n");
}

TEST(ExportText, PrintBlocksPadLabelsToFourteen) {
    CPasswordInfo account;
    account.SetAccount("Bank");
    account.SetComments("x");
    const std::string strBlock = PrintBlockText(account);
    EXPECT_EQ(strBlock, "Account       Bank\nUser Name     \nPassword      \nWeb Site      \n"
                        "E-Mail        \nComments      x\n\n");
    CPasswordInfo group;
    group.m_bGroup = 3;
    group.SetGroup("G");
    EXPECT_EQ(PrintBlockText(group), "============= G =============\n\n");
}

} // namespace

TEST(ExportText, WrittenInPiecesItIsTheWholeTextInUtf8AndStopsWithItsSink) {
    std::list<CPasswordInfo> listInfo(1);
    listInfo.back().m_bGroup = 1;
    listInfo.back().SetGroup("Caf\xE9");
    // Enough accounts for several pieces.
    for (int i = 0; i < 2000; ++i) {
        CPasswordInfo& info = listInfo.emplace_back();
        info.SetAccount("account " + std::to_string(i));
        info.SetComments(std::string(40, '\xE9'));
    }
    const CCodePage& cp = CCodePage::Default();
    std::vector<std::string> astrPieces;
    EXPECT_TRUE(WriteExportText(listInfo, EXPORT_EOL_CRLF, cp, [&](std::string_view piece) {
        astrPieces.emplace_back(piece);
        return true;
    }));
    ASSERT_GT(astrPieces.size(), 2u);
    std::string strJoined;
    for (const std::string& strPiece : astrPieces) {
        // Each piece ends with a whole record, so no character is ever cut.
        EXPECT_EQ(strPiece.substr(strPiece.size() - 4), "\r\n\r\n");
        strJoined += strPiece;
    }
    EXPECT_EQ(strJoined, cp.ToUtf8(ExportText(listInfo, EXPORT_EOL_CRLF)));

    int nCalls = 0;
    EXPECT_FALSE(WriteExportText(listInfo, EXPORT_EOL_LF, cp, [&](std::string_view) {
        ++nCalls;
        return false;
    }));
    EXPECT_EQ(nCalls, 1);
}
