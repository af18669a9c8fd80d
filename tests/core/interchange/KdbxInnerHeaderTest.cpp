// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxInnerHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using CBytes = std::vector<std::uint8_t>;

CBytes Field(std::uint8_t nId, const CBytes& data) {
    CBytes out = {nId};
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(data.size() >> (8 * i)));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

CBytes Joined(std::initializer_list<CBytes> parts) {
    CBytes out;
    for (const CBytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

const CBytes CHACHA20 = {3, 0, 0, 0};
const CBytes KEY(64, 0x5A);
const CBytes END = Field(0, {});
const std::string XML = "<x/>";

// What reading a header fed in pieces of nPiece came to.
struct SRead {
    bool bRead = false;
    EKdbxFailure eFailure = EKdbxFailure::none;
    std::string strRest; // what followed the header
    std::vector<SKdbxBinary> binaries;
    std::size_t nMemoryLeft = 0;
};

SRead Read(const CBytes& bytes, std::size_t nPiece, std::optional<std::size_t> nKeepWithin) {
    CKdbxInnerStream stream;
    CKdbxInnerHeader header(stream);
    SRead read;
    read.nMemoryLeft = nKeepWithin.value_or(0);
    if (nKeepWithin)
        header.KeepBinaries(read.binaries, read.nMemoryLeft);
    for (std::size_t nDone = 0; nDone < bytes.size(); nDone += nPiece) {
        std::span<const std::uint8_t> chunk =
            std::span(bytes).subspan(nDone, std::min(nPiece, bytes.size() - nDone));
        if (!header.IsRead() && !header.Take(chunk))
            break;
        read.strRest.append(chunk.begin(), chunk.end());
    }
    read.bRead = header.IsRead();
    read.eFailure = header.Failure();
    return read;
}

} // namespace

// Each header is read whole and a byte at a time, its binaries kept within
// an allowance and passed over: passed over, an attachment is neither
// held nor judged.
TEST(KdbxInnerHeader, ReadsTheFieldsBeforeTheXml) {
    using enum EKdbxFailure;
    const CBytes streamId = Field(1, CHACHA20);
    const CBytes key = Field(2, KEY);
    const CBytes binary = Field(3, {0x01, 'a', 'b', 'c'});
    const struct {
        const char* pszName;
        CBytes bytes;
        std::size_t nAllowance;
        EKdbxFailure eKept;
        EKdbxFailure ePassedOver;
    } CASES[] = {
        {"a whole header", Joined({streamId, key, binary, END}), 4, none, none},
        {"an attachment larger than a key", Joined({streamId, key, Field(3, CBytes(5000)), END}),
         5000, none, none},
        {"a binary beyond the allowance", Joined({streamId, key, binary, END}), 3, tooLarge, none},
        {"a binary without its flags", Joined({streamId, key, Field(3, {}), END}), 4, damaged,
         none},
        {"a key larger than any key", Joined({streamId, Field(2, CBytes(4097, 1)), END}), 0,
         damaged, damaged},
        {"no key", Joined({streamId, END}), 0, damaged, damaged},
        {"no stream", Joined({key, END}), 0, damaged, damaged},
        {"a stream id of the wrong size", Joined({Field(1, {3, 0}), key, END}), 0, damaged,
         damaged},
        {"a stream that does not exist", Joined({Field(1, {7, 0, 0, 0}), key, END}), 0, unsupported,
         unsupported},
    };
    for (const auto& c : CASES) {
        CBytes bytes = c.bytes;
        bytes.insert(bytes.end(), XML.begin(), XML.end());
        for (const std::size_t nPiece : {bytes.size(), std::size_t(1)}) {
            for (const bool bKeep : {true, false}) {
                const std::string strCase = std::string(c.pszName) + (bKeep ? ", kept" : "") +
                                            ", pieces of " + std::to_string(nPiece);
                const SRead read =
                    Read(bytes, nPiece, bKeep ? std::optional(c.nAllowance) : std::nullopt);
                const EKdbxFailure eExpected = bKeep ? c.eKept : c.ePassedOver;
                EXPECT_EQ(read.eFailure, eExpected) << strCase;
                EXPECT_EQ(read.bRead, eExpected == none) << strCase;
                EXPECT_EQ(read.strRest, eExpected == none ? XML : "") << strCase;
                if (!bKeep || eExpected != none)
                    continue;
                // Each kept binary is charged with its flags byte.
                EXPECT_EQ(read.nMemoryLeft, 0u) << strCase;
                ASSERT_EQ(read.binaries.size(), 1u) << strCase;
            }
        }
    }
    const SRead read = Read(Joined({streamId, key, binary, END}), 1, 4);
    ASSERT_EQ(read.binaries.size(), 1u);
    EXPECT_TRUE(read.binaries[0].bProtected);
    EXPECT_EQ(std::string(read.binaries[0].data.begin(), read.binaries[0].data.end()), "abc");
}

// A header cut short is no header yet, and no failure either: the payload's
// end decides.
TEST(KdbxInnerHeader, AHeaderCutShortIsNotRead) {
    const CBytes bytes = Joined({Field(1, CHACHA20), Field(2, KEY), END});
    for (std::size_t nCut = 0; nCut < bytes.size(); ++nCut) {
        const SRead read = Read(CBytes(bytes.begin(), bytes.begin() + nCut), 1, std::nullopt);
        EXPECT_FALSE(read.bRead) << nCut;
        EXPECT_EQ(read.eFailure, EKdbxFailure::none) << nCut;
    }
}

// What the writer puts is what the reader takes: the same stream with the
// same fresh key, and the pool as it was.
TEST(KdbxInnerHeader, ReadsWhatItWrites) {
    std::vector<SKdbxBinary> pool(2);
    pool[0].bProtected = true;
    pool[0].data = {'s', 'e', 'c'};
    pool[1].data.assign(70000, 'p');
    CKdbxInnerStream written;
    CKdbxSecret plain;
    ASSERT_TRUE(KdbxWriteInnerHeader(
        written, static_cast<std::uint32_t>(EKdbxInnerStream::chacha20), pool, plain));
    CKdbxInnerStream unknown;
    CKdbxSecret nothing;
    EXPECT_FALSE(KdbxWriteInnerHeader(unknown, 7, pool, nothing));
    EXPECT_TRUE(nothing.empty());

    const SRead read = Read(CBytes(plain.begin(), plain.end()), 4096, 1 << 20);
    ASSERT_TRUE(read.bRead);
    ASSERT_EQ(read.binaries.size(), pool.size());
    for (std::size_t i = 0; i < pool.size(); ++i) {
        EXPECT_EQ(read.binaries[i].bProtected, pool[i].bProtected) << i;
        EXPECT_EQ(read.binaries[i].data, pool[i].data) << i;
    }

    CKdbxInnerStream stream;
    CKdbxInnerHeader header(stream);
    std::span<const std::uint8_t> chunk(plain);
    ASSERT_TRUE(header.Take(chunk) && header.IsRead());
    std::vector<std::uint8_t> a(100, 0), b(100, 0);
    written.Apply(a.data(), a.size());
    stream.Apply(b.data(), b.size());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, std::vector<std::uint8_t>(100, 0));
}
