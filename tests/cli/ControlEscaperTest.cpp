// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ControlEscaper.h"

#include <gtest/gtest.h>

namespace {

using EBreaks = CControlEscaper::EBreaks;

} // namespace

TEST(ControlEscaper, EscapesEveryControlAndStrayByteAndNothingElse) {
    const struct {
        const char* pszName;
        std::string strText;
        std::string strKept;    // EBreaks::keep
        std::string strOneLine; // EBreaks::escape
    } CASES[] = {
        {"text", "Caf\xC3\xA9 \xCE\xA9 \xF0\x9F\x94\x91 C:\\new\\tab", "", ""},
        {"title and clear", "\x1B]2;pwned\x07\x1B[2J", "\\x1b]2;pwned\\x07\\x1b[2J", ""},
        {"NUL, DEL and the last C0", std::string("a\0b\x7F\x1F", 5), "a\\x00b\\x7f\\x1f", ""},
        {"C1 as UTF-8",
         "\xC2\x9B"
         "31m\xC2\x80\xC2\x9F\xC2\xA0",
         "\\u009b31m\\u0080\\u009f\xC2\xA0", ""},
        {"stray bytes", "\x9B\xFF\xC0\xAF\xC1\xBF", "\\x9b\\xff\\xc0\\xaf\\xc1\\xbf", ""},
        {"surrogate and beyond U+10FFFF", "\xED\xA0\x80\xF4\x90\x80\x80",
         "\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80", ""},
        {"cut sequences", "\xE2\x82 \xF0\x9F\x94", "\\xe2\\x82 \\xf0\\x9f\\x94", ""},
        {"last code points", "\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF", "", ""},
        {"line structure", "a\r\nb\tc\nd", "", "a\\r\\nb\\tc\\nd"},
        {"lone CR", "pass\rfake\r", "pass\\rfake\\r", ""},
    };
    for (const auto& test : CASES) {
        const std::string strKept = test.strKept.empty() ? test.strText : test.strKept;
        const std::string strOneLine = test.strOneLine.empty() ? strKept : test.strOneLine;
        EXPECT_EQ(CControlEscaper::Escape(test.strText), strKept) << test.pszName;
        EXPECT_EQ(CControlEscaper::Escape(test.strText, EBreaks::escape), strOneLine)
            << test.pszName;
    }
}

// A text escaped piece by piece, cut anywhere (inside a character, between
// CR and LF), comes out as the whole text does.
TEST(ControlEscaper, PiecesCutAnywhereComeOutAsTheWhole) {
    const std::string strText = "\xC3\xA9\r\n\xC2\x9B\xF0\x9F\x94\x91\r\xE2\x82\x1B\xFFok\r";
    const std::string strWhole = CControlEscaper::Escape(strText);
    for (std::size_t nCut = 0; nCut <= strText.size(); ++nCut) {
        for (std::size_t nCut2 = nCut; nCut2 <= strText.size(); ++nCut2) {
            CControlEscaper escaper;
            std::string strOut = escaper.Feed(strText.substr(0, nCut));
            strOut += escaper.Feed(strText.substr(nCut, nCut2 - nCut));
            strOut += escaper.Feed(strText.substr(nCut2));
            strOut += escaper.Finish();
            EXPECT_EQ(strOut, strWhole) << nCut << " " << nCut2;
        }
    }
}
