// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/SealedFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const SSealParams FAST{SEAL_MIN_PASSES, SEAL_MIN_MEMORY_KIB};

// A key derived once per test from a KEY and a fixed salt.
struct SKeyed {
    explicit SKeyed(const std::string& strKey, const SSealParams& params = FAST) {
        CSealSalt salt{};
        salt.fill(0x5A);
        EXPECT_TRUE(key.Derive(strKey, params, salt));
    }
    CSealKey key;
};

std::string Flipped(std::string str, std::size_t nByte, int nBit) {
    str[nByte] = static_cast<char>(str[nByte] ^ (1 << nBit));
    return str;
}

// Whether a reader that knows the right KEY gets the plain text back.
bool Opens(const std::string& strFile, const CSealKey& key, std::string& strPlain) {
    SSealedHeader header;
    return CSealedFile::ParseHeader(strFile, header) && CSealedFile::IsKeyOf(header, key) &&
           CSealedFile::Unseal(strFile, header, key, strPlain);
}

const std::string PLAIN = std::string("\x03"
                                      "abc\x00\x00\xff plain archive bytes",
                                      28);

} // namespace

TEST(SealedFile, SealsAndOpensWithTheSameKeyAndHidesThePlainBytes) {
    SKeyed keyed("right");
    const std::string strFile = CSealedFile::Seal(PLAIN, keyed.key);
    ASSERT_EQ(strFile.size(), CSealedFile::HEADER_SIZE + PLAIN.size() + SEAL_TAG_SIZE);
    EXPECT_TRUE(CSealedFile::HasMagic(strFile));
    EXPECT_EQ(strFile.find("plain archive"), std::string::npos);

    SSealedHeader header;
    ASSERT_TRUE(CSealedFile::ParseHeader(strFile, header));
    EXPECT_EQ(header.m_params, FAST);
    EXPECT_EQ(header.m_salt, keyed.key.Salt());
    // A reader derives the key from the header's own salt and parameters.
    CSealKey reader;
    ASSERT_TRUE(reader.Derive("right", header.m_params, header.m_salt));
    std::string strPlain;
    ASSERT_TRUE(Opens(strFile, reader, strPlain));
    EXPECT_EQ(strPlain, PLAIN);

    // Every seal draws its own nonce, so two seals of one text differ.
    const std::string strAgain = CSealedFile::Seal(PLAIN, keyed.key);
    EXPECT_NE(strAgain.substr(44, SEAL_NONCE_SIZE), strFile.substr(44, SEAL_NONCE_SIZE));
    EXPECT_NE(strAgain.substr(CSealedFile::HEADER_SIZE), strFile.substr(CSealedFile::HEADER_SIZE));
}

TEST(SealedFile, AWrongKeyIsToldApartByTheVerifierAndOpensNothing) {
    SKeyed right("right");
    const std::string strFile = CSealedFile::Seal(PLAIN, right.key);
    SSealedHeader header;
    ASSERT_TRUE(CSealedFile::ParseHeader(strFile, header));
    for (const char* pszWrong : {"wrong", "righ", "right ", "Right", ""}) {
        CSealKey wrong;
        ASSERT_TRUE(wrong.Derive(pszWrong, header.m_params, header.m_salt));
        EXPECT_FALSE(CSealedFile::IsKeyOf(header, wrong)) << pszWrong;
        std::string strPlain = "stale";
        EXPECT_FALSE(CSealedFile::Unseal(strFile, header, wrong, strPlain)) << pszWrong;
        EXPECT_TRUE(strPlain.empty());
    }
    // The same KEY under another salt or cost is another key.
    CSealSalt other = header.m_salt;
    other[0] ^= 1;
    CSealKey salted;
    ASSERT_TRUE(salted.Derive("right", header.m_params, other));
    EXPECT_FALSE(CSealedFile::IsKeyOf(header, salted));
    CSealKey costlier;
    ASSERT_TRUE(costlier.Derive("right", {2, SEAL_MIN_MEMORY_KIB}, header.m_salt));
    EXPECT_FALSE(CSealedFile::IsKeyOf(header, costlier));
}

TEST(SealedFile, EveryFlippedBitIsRefusedAndHeaderDamageBeforeAnyKeyWork) {
    SKeyed keyed("right");
    const std::string strFile = CSealedFile::Seal(PLAIN, keyed.key);
    for (std::size_t nByte = 0; nByte < strFile.size(); ++nByte) {
        for (int nBit = 0; nBit < 8; ++nBit) {
            const std::string strBad = Flipped(strFile, nByte, nBit);
            SSealedHeader header;
            const bool bHeader = CSealedFile::ParseHeader(strBad, header);
            // The header checksum catches its damage without any KEY.
            if (nByte < CSealedFile::HEADER_SIZE) {
                EXPECT_FALSE(bHeader) << "byte " << nByte << " bit " << nBit;
            }
            std::string strPlain;
            EXPECT_FALSE(Opens(strBad, keyed.key, strPlain)) << "byte " << nByte << " bit " << nBit;
        }
    }
}

TEST(SealedFile, TruncatedExtendedAndForeignFilesAreRefused) {
    SKeyed keyed("right");
    const std::string strFile = CSealedFile::Seal(PLAIN, keyed.key);
    SSealedHeader header;
    for (std::size_t n = 0; n < strFile.size(); ++n)
        EXPECT_FALSE(CSealedFile::ParseHeader(strFile.substr(0, n), header)) << n;
    EXPECT_FALSE(CSealedFile::ParseHeader(strFile + '\0', header));
    EXPECT_FALSE(CSealedFile::ParseHeader(std::string(200, '\0'), header));
    // A header that only seals its checksum: an empty text is not a file.
    SSealedHeader empty;
    empty.m_params = FAST;
    empty.m_nSealedSize = SEAL_TAG_SIZE;
    EXPECT_FALSE(CSealedFile::ParseHeader(
        CSealedFile::WriteHeader(empty) + std::string(SEAL_TAG_SIZE, 'x'), header));
}

TEST(SealedFile, HeaderFieldsOutOfRangeAreRefusedEvenWithAValidChecksum) {
    SKeyed keyed("right");
    const std::string strFile = CSealedFile::Seal(PLAIN, keyed.key);
    const std::string strBody = strFile.substr(CSealedFile::HEADER_SIZE);
    SSealedHeader good;
    ASSERT_TRUE(CSealedFile::ParseHeader(strFile, good));
    const auto fnParses = [&](const SSealedHeader& changed) {
        SSealedHeader out;
        return CSealedFile::ParseHeader(CSealedFile::WriteHeader(changed) + strBody, out);
    };
    EXPECT_TRUE(fnParses(good));
    for (const SSealParams params :
         {SSealParams{0, 64}, SSealParams{SEAL_MAX_PASSES + 1, 64},
          SSealParams{3, SEAL_MIN_MEMORY_KIB - 1}, SSealParams{3, SEAL_MAX_MEMORY_KIB + 1},
          SSealParams{3, 0xFFFFFFFF}, SSealParams{0xFFFFFFFF, 0xFFFFFFFF}}) {
        SSealedHeader changed = good;
        changed.m_params = params;
        EXPECT_FALSE(fnParses(changed)) << params.m_nPasses << " " << params.m_nMemoryKiB;
        // Nor does the key derivation take them: a crafted file never makes
        // it allocate the memory it names.
        CSealKey key;
        EXPECT_FALSE(key.Derive("k", params, good.m_salt));
    }
    SSealedHeader later = good;
    later.m_nVersion = SEAL_VERSION + 1;
    EXPECT_FALSE(fnParses(later));
    SSealedHeader longer = good;
    longer.m_nSealedSize += 1;
    EXPECT_FALSE(fnParses(longer));
}

TEST(SealedFile, OnlyACostAboveFourTimesTheDefaultIsUnusual) {
    // Default: 3 passes of 128 MiB; four times that is 12 passes, or 3 of 512 MiB.
    for (const auto& [params, bUnusual] :
         {std::pair{SSealParams{}, false}, std::pair{SSealParams{12, 131072}, false},
          std::pair{SSealParams{13, 131072}, true}, std::pair{SSealParams{3, 524288}, false},
          std::pair{SSealParams{3, 524289}, true},
          std::pair{SSealParams{1, SEAL_MAX_MEMORY_KIB}, false},
          std::pair{SSealParams{SEAL_MAX_PASSES, SEAL_MAX_MEMORY_KIB}, true}})
        EXPECT_EQ(params.IsUnusuallyCostly(), bUnusual)
            << params.m_nPasses << " " << params.m_nMemoryKiB;
}

namespace {

std::string Hex(const unsigned char* p, std::size_t n) {
    std::string str;
    char sz[3];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(sz, sizeof sz, "%02x", p[i]);
        str += sz;
    }
    return str;
}

} // namespace

TEST(SealKey, KnownAnswersFromAnIndependentArgon2idAndBlake2b) {
    // Argon2id v1.3, one lane, 32 bytes, from the reference implementation;
    // then BLAKE2b keyed with that result, subkey ids 1 (cipher) and 2
    // (verifier) in the salt, "KHVSEAL1" as personalisation.
    const struct {
        SSealParams params;
        const char* pszSalt;
        const char* pszCipher;
        const char* pszVerifier;
    } CASES[] = {
        {{2, 64},
         "saltsaltsaltsalt",
         "a1e893fb08165a33bbd515682e65376aa8c13e89a941ebf8ceb0ab39dc7b3e85",
         "4468ea0e714f4fd92d7e4d894d627607908030e52a55acdb962134607e07b6e3"},
        // The largest pass count a file may ask for is taken.
        {{SEAL_MAX_PASSES, SEAL_MIN_MEMORY_KIB}, "saltsaltsaltsalt", nullptr, nullptr},
        {{2, 64}, "saltsaltsaltsalU", nullptr, nullptr},
    };
    std::vector<std::string> astrSeen;
    for (const auto& test : CASES) {
        CSealSalt salt{};
        std::copy(test.pszSalt, test.pszSalt + SEAL_SALT_SIZE, salt.begin());
        CSealKey key;
        ASSERT_TRUE(key.Derive("correct horse", test.params, salt)) << test.params.m_nPasses;
        const std::string strCipher = Hex(key.CipherKey(), SEAL_KEY_SIZE);
        const std::string strVerifier = Hex(key.Verifier().data(), SEAL_KEY_SIZE);
        if (test.pszCipher) {
            EXPECT_EQ(strCipher, test.pszCipher);
            EXPECT_EQ(strVerifier, test.pszVerifier);
        }
        // The verifier, stored in the file, never gives the cipher key away.
        EXPECT_NE(strCipher, strVerifier);
        astrSeen.push_back(strCipher);
    }
    // Another salt or cost, another key.
    EXPECT_NE(astrSeen[0], astrSeen[1]);
    EXPECT_NE(astrSeen[0], astrSeen[2]);
}
