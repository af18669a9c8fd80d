// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/PiecePipe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace {

std::span<const std::uint8_t> Span(const std::string& str) {
    return {reinterpret_cast<const std::uint8_t*>(str.data()), str.size()};
}

} // namespace

// Whatever the pieces' size and the maker's writes, the taker gets the same
// bytes in the same order, the last short piece included.
TEST(PiecePipe, HandsTheBytesOverInOrder) {
    std::string strMade;
    for (int i = 0; i < 5000; ++i)
        strMade += std::to_string(i) + ",";
    for (const std::size_t nPiece : {std::size_t(1), std::size_t(7), std::size_t(4096)}) {
        CPiecePipe pipe(nPiece, 2);
        pipe.Start([&] {
            for (std::size_t nAt = 0, nWrite = 1; nAt < strMade.size(); nAt += nWrite++)
                EXPECT_TRUE(pipe.Put(Span(strMade.substr(nAt, nWrite))));
        });
        std::string strTaken;
        std::span<const std::uint8_t> piece;
        while (pipe.Next(piece)) {
            EXPECT_LE(piece.size(), nPiece);
            strTaken.append(piece.begin(), piece.end());
        }
        pipe.Finish();
        EXPECT_TRUE(strTaken == strMade) << nPiece << ": " << strTaken.size() << " bytes taken";
    }
}

// A taker that stops, or goes, frees a maker waiting on a full pipe; what
// the maker throws reaches the taker.
TEST(PiecePipe, StopsAndFailsWithoutHanging) {
    const std::string strPiece(64, 'x');
    std::atomic<int> nRefused = 0;
    const auto MakeForever = [&](CPiecePipe& pipe) {
        pipe.Start([&] {
            while (pipe.Put(Span(strPiece))) {
            }
            ++nRefused;
        });
    };
    {
        CPiecePipe pipe(64, 2);
        MakeForever(pipe);
        std::span<const std::uint8_t> piece;
        ASSERT_TRUE(pipe.Next(piece));
        pipe.Stop();
        EXPECT_FALSE(pipe.Next(piece));
        pipe.Finish();
        EXPECT_EQ(nRefused, 1);
    }
    {
        CPiecePipe pipe(64, 2);
        MakeForever(pipe); // never taken: the pipe's end stops it
    }
    EXPECT_EQ(nRefused, 2);

    CPiecePipe pipe(64, 2);
    pipe.Start([&] {
        pipe.Put(Span(strPiece));
        throw std::runtime_error("made badly");
    });
    std::span<const std::uint8_t> piece;
    std::size_t nTaken = 0;
    while (pipe.Next(piece))
        nTaken += piece.size();
    EXPECT_EQ(nTaken, strPiece.size());
    EXPECT_THROW(pipe.Finish(), std::runtime_error);
}
