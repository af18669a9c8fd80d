// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/ExpatParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace {

// Collects the text; stops the parse at the word "stop".
struct STextReader {
    CExpatParser* pParser = nullptr;
    std::string strText;

    void OnStart(const char*, const char**) {}
    void OnEnd() {}
    void OnText(const char* pText, std::size_t nLength) {
        strText.append(pText, nLength);
        if (strText.find("stop") != std::string::npos)
            pParser->Stop();
    }
};

std::span<const std::uint8_t> BytesOf(const std::string& str) {
    return {reinterpret_cast<const std::uint8_t*>(str.data()), str.size()};
}

constexpr std::size_t KB = 1 << 10;
constexpr std::size_t MB = 1 << 20;

} // namespace

// Whatever the parser holds is charged to the allowance and stays within
// its own limit, a block either refuses is a clean tooLarge, and all of it
// is given back with the parser. Each document is fed in pieces of nPiece.
TEST(ExpatParser, ChargesWhatItHoldsWithinItsLimit) {
    using enum CExpatParser::EResult;
    const std::string strLongName = "<a b=\"" + std::string(256 * KB, 'x') + "\"/>";
    const struct {
        const char* pszName;
        std::string strXml;
        std::size_t nAllowance;
        std::size_t nLimit;
        std::size_t nPiece;
        CExpatParser::EResult eResult;
        std::size_t nText = 0; // what the handlers were given of a document read
    } CASES[] = {
        {"a small document", "<a><b>xy</b><c/></a>", MB, 64 * KB, MB, ok, 2},
        {"a token beyond the limit", strLongName, 16 * MB, 64 * KB, MB, tooLarge},
        {"a token beyond the allowance", strLongName, 64 * KB, 16 * MB, MB, tooLarge},
        {"a long text, which comes in pieces", "<a>" + std::string(MB, 't') + "</a>", MB, 64 * KB,
         4 * KB, ok, MB},
        {"a document type", "<!DOCTYPE a><a/>", MB, 64 * KB, MB, malformed},
        {"a parse a handler stops", "<a>go, then stop</a>", MB, 64 * KB, MB, malformed},
        {"an element left open", "<a><b/>", MB, 64 * KB, MB, malformed},
    };
    for (const auto& c : CASES) {
        std::size_t nMemoryLeft = c.nAllowance;
        {
            STextReader reader;
            CExpatParser parser(nMemoryLeft, &reader, c.nLimit);
            reader.pParser = &parser;
            CExpatParser::EResult eResult = ok;
            for (std::size_t nDone = 0; eResult == ok && nDone < c.strXml.size();) {
                const std::size_t n = std::min(c.nPiece, c.strXml.size() - nDone);
                eResult = parser.Feed(BytesOf(c.strXml).subspan(nDone, n), false);
                nDone += n;
            }
            if (eResult == ok)
                eResult = parser.Feed({}, true);
            EXPECT_EQ(eResult, c.eResult) << c.pszName;
            EXPECT_GT(parser.Held(), 0u) << c.pszName;
            EXPECT_LE(parser.Held(), c.nLimit) << c.pszName;
            EXPECT_EQ(nMemoryLeft + parser.Held(), c.nAllowance) << c.pszName;
            if (c.eResult == ok) {
                EXPECT_EQ(reader.strText.size(), c.nText) << c.pszName;
            }
        }
        EXPECT_EQ(nMemoryLeft, c.nAllowance) << c.pszName << ": given back";
    }
}
