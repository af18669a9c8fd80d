// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxKeys.h"
#include "core/base/CancelToken.h"
#include "core/interchange/KdbxCipher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

// The expected values come from other implementations (openssl, the argon2
// tool, libsodium, Python's hashlib and a reference Salsa20), not from the
// code under test.

namespace {

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string str;
    for (const std::uint8_t n : bytes) {
        str += DIGITS[n >> 4];
        str += DIGITS[n & 15];
    }
    return str;
}

CKdbxBytes Bytes(std::string_view str) {
    return CKdbxBytes(str.begin(), str.end());
}

CKdbxBytes Range(int nFirst, int nCount) {
    CKdbxBytes bytes;
    for (int i = 0; i < nCount; ++i)
        bytes.push_back(static_cast<std::uint8_t>(nFirst + i));
    return bytes;
}

CKdbxSecret Secret(const CKdbxBytes& bytes) {
    return CKdbxSecret(bytes.begin(), bytes.end());
}

constexpr const char* KEY_0_31 = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";

std::string KeyFileV2(const char* pszHash, const char* pszData) {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeyFile><Meta><Version>2.0"
                       "</Version></Meta><Key><Data Hash=\"") +
           pszHash + "\">" + pszData + "</Data></Key></KeyFile>";
}

constexpr const char* HEX_DATA_0_31 = "\n 00010203 04050607 08090A0B 0C0D0E0F\n"
                                      " 10111213 14151617 18191A1B 1C1D1E1F\n ";

} // namespace

TEST(KdbxKeys, ReadsEveryFormOfKeyFile) {
    const struct {
        const char* pszName;
        CKdbxBytes file;
        EKdbxKeyFileError eError;
        const char* pszKey; // hex; empty on error
    } CASES[] = {
        {"32 raw bytes", Range(0, 32), EKdbxKeyFileError::none, KEY_0_31},
        {"64 hex digits", Bytes(KEY_0_31), EKdbxKeyFileError::none, KEY_0_31},
        {"64 other characters are hashed", CKdbxBytes(64, 'z'), EKdbxKeyFileError::none,
         "72996563049cc84daa2c3f31fd5c3d10770e69d6ebbb8da5b6d76db303dbae43"},
        {"any other file is hashed", Bytes("a short key file"), EKdbxKeyFileError::none,
         "1fc27153fd97e306bad4cd018703b1d8afb4305785fe674db765f3f26e0a6d6e"},
        {"XML of another root is hashed",
         Bytes(R"(<?xml version="1.0"?><Other><Data>00</Data></Other>)"), EKdbxKeyFileError::none,
         "01156618818216567fc80f502238cab434af838772a59b1e799ad86893343544"},
        {"XML 1.0",
         Bytes("<KeyFile><Meta><Version>1.0</Version></Meta><Key><Data>"
               "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8=</Data></Key></KeyFile>"),
         EKdbxKeyFileError::none, KEY_0_31},
        {"XML 1.0 with a short key",
         Bytes("<KeyFile><Meta><Version>1.0</Version></Meta><Key><Data>AAECAwQFBgcICQoLDA0ODw=="
               "</Data></Key></KeyFile>"),
         EKdbxKeyFileError::malformed, ""},
        {"XML 2.0", Bytes(KeyFileV2("630DCD29", HEX_DATA_0_31)), EKdbxKeyFileError::none, KEY_0_31},
        {"XML 2.0 failing its hash", Bytes(KeyFileV2("630DCD2A", HEX_DATA_0_31)),
         EKdbxKeyFileError::hashMismatch, ""},
        {"XML 2.0 with a broken digit",
         Bytes(KeyFileV2("630DCD29", "00010203 04050607 08090A0B 0C0D0E0F 10111213 14151617 "
                                     "18191A1B 1C1D1E1G")),
         EKdbxKeyFileError::malformed, ""},
        {"XML 2.0 cut short", Bytes(KeyFileV2("630DCD29", HEX_DATA_0_31).substr(0, 120)),
         EKdbxKeyFileError::malformed, ""},
        {"XML of an unknown version",
         Bytes("<KeyFile><Meta><Version>3.0</Version></Meta><Key><Data>00</Data></Key></KeyFile>"),
         EKdbxKeyFileError::malformed, ""},
    };
    for (const auto& test : CASES) {
        CKdbxSecret key;
        EXPECT_EQ(KdbxKeyFileKey(test.file, key), test.eError) << test.pszName;
        EXPECT_EQ(Hex(key), test.pszKey) << test.pszName;
    }
}

TEST(KdbxKeys, CompositeKeyHashesWhatIsGiven) {
    const struct {
        const char* pszName;
        bool bPassword;
        const char* pszPassword;
        bool bKeyFile;
        const char* pszComposite;
    } CASES[] = {
        {"password", true, "pw", false,
         "ec7a74baa773cc5e99a439acfb045ad9396791c0a47ecb226ee4e3ae4a49bfbf"},
        {"empty password", true, "", false,
         "5df6e0e2761359d30a8275058e299fcc0381534545f55cf43e41983f5d4c9456"},
        {"password and key file", true, "pw", true,
         "2af62f4428e2cc1d4833e5cb9a708ce8fa83258b35d80a8b089f63b95fe6d106"},
        {"key file alone", false, "ignored", true,
         "630dcd2966c4336691125448bbb25b4ff412a49c732db2c8abc1b8581bd710dd"},
    };
    for (const auto& test : CASES) {
        SKdbxCredentials credentials;
        credentials.bHasPassword = test.bPassword;
        credentials.strPassword = test.pszPassword;
        credentials.bHasKeyFile = test.bKeyFile;
        credentials.keyFile = Range(0, 32);
        CKdbxSecret key;
        ASSERT_EQ(KdbxCompositeKey(credentials, key), EKdbxKeyFileError::none) << test.pszName;
        EXPECT_EQ(Hex(key), test.pszComposite) << test.pszName;
    }
    SKdbxCredentials broken;
    broken.bHasKeyFile = true;
    broken.keyFile = Bytes(KeyFileV2("00000000", HEX_DATA_0_31));
    CKdbxSecret key;
    EXPECT_EQ(KdbxCompositeKey(broken, key), EKdbxKeyFileError::hashMismatch);
    EXPECT_TRUE(key.empty());
}

TEST(KdbxKeys, DerivationsMatchOtherImplementations) {
    const CKdbxBytes letters = Bytes("abcdefghijklmnopqrstuvwxyz012345");
    const struct {
        const char* pszName;
        SKdbxKdfParams params;
        CKdbxBytes composite;
        const char* pszTransformed;
    } CASES[] = {
        {"AES-KDF 1 round",
         {EKdbxKdf::aes, Range(32, 32), 1},
         Range(0, 32),
         "cc90ad15c134f62626e42e128d9ec14cd0f8a74dd38ee7b09847ff1ad4551258"},
        {"AES-KDF 3 rounds",
         {EKdbxKdf::aes, Range(32, 32), 3},
         Range(0, 32),
         "315ae03c84686e1d4973e71725947d22c0e4c8f08ade5b93678febadc1cebeac"},
        {"Argon2d",
         {EKdbxKdf::argon2d, Bytes("somesalt12345678"), 2, 64 * 1024, 2},
         letters,
         "a1e1bf676f46417519686102cf5d2f38cf9e8cdef1916489e634b68306f6d121"},
        {"Argon2id",
         {EKdbxKdf::argon2id, Bytes("somesalt12345678"), 2, 64 * 1024, 2},
         letters,
         "f0baa832ce7016a5f4fd4b9fc6dc55cd6b0f0dc2c707f99eab8eec153095e3a7"},
        {"Argon2id, one lane",
         {EKdbxKdf::argon2id, Range(0x40, 16), 2, 64 * 1024, 1},
         Range(0, 32),
         "b3e7a664fe2a8f6c2394191a80c67b0244f6d3947775036f78847a7f654b1322"},
    };
    for (const auto& test : CASES) {
        CKdbxSecret transformed;
        ASSERT_EQ(KdbxTransformKey(Secret(test.composite), test.params, transformed),
                  EKdbxKdfResult::ok)
            << test.pszName;
        EXPECT_EQ(Hex(transformed), test.pszTransformed) << test.pszName;
    }
}

TEST(KdbxKeys, RefusesDerivationsOutOfRange) {
    const struct {
        const char* pszName;
        SKdbxKdfParams params;
        EKdbxKdfResult eResult;
    } CASES[] = {
        {"AES seed too short", {EKdbxKdf::aes, Range(0, 16), 1}, EKdbxKdfResult::unsupported},
        {"Argon2 version 1.0",
         {EKdbxKdf::argon2d, Range(0, 16), 2, 64 * 1024, 1, 0x10},
         EKdbxKdfResult::unsupported},
        {"Argon2 without lanes",
         {EKdbxKdf::argon2id, Range(0, 16), 2, 64 * 1024, 0},
         EKdbxKdfResult::unsupported},
        {"Argon2 memory below its lanes",
         {EKdbxKdf::argon2id, Range(0, 16), 2, 8 * 1024, 2},
         EKdbxKdfResult::unsupported},
        {"Argon2 without iterations",
         {EKdbxKdf::argon2id, Range(0, 16), 0, 64 * 1024, 1},
         EKdbxKdfResult::unsupported},
        {"Argon2 asking too much memory",
         {EKdbxKdf::argon2id, Range(0, 16), 2, KDBX_MAX_ARGON2_MEMORY + 1024, 1},
         EKdbxKdfResult::tooMuchMemory},
        // Each of these would run for hours, or for ever.
        {"AES-KDF beyond its limit",
         {EKdbxKdf::aes, Range(0, 32), KDBX_MAX_AES_ROUNDS + 1},
         EKdbxKdfResult::tooCostly},
        {"Argon2 passes beyond the limit",
         {EKdbxKdf::argon2d, Range(0, 16), 0xFFFFFFFF, 8 * 1024, 1},
         EKdbxKdfResult::tooCostly},
    };
    for (const auto& test : CASES) {
        CKdbxSecret transformed;
        EXPECT_EQ(KdbxTransformKey(Secret(Range(0, 32)), test.params, transformed), test.eResult)
            << test.pszName;
        EXPECT_TRUE(transformed.empty()) << test.pszName;
    }
}

TEST(KdbxKeys, JudgesADerivationsCostBeforeItRuns) {
    constexpr std::uint64_t MIB = 1 << 20;
    const auto Aes = [](std::uint64_t nRounds) {
        return SKdbxKdfParams{EKdbxKdf::aes, Range(0, 32), nRounds};
    };
    const auto Argon2 = [](std::uint64_t nPasses, std::uint64_t nMemory, std::uint32_t nLanes) {
        return SKdbxKdfParams{EKdbxKdf::argon2d, Range(0, 32), nPasses, nMemory, nLanes};
    };
    using enum EKdbxKdfCost;
    const struct {
        const char* pszName;
        SKdbxKdfParams params;
        EKdbxKdfCost eCost;
    } CASES[] = {
        {"a second of AES-KDF on a fast desktop", Aes(100'000'000), usual},
        {"AES-KDF at the question", Aes(400'000'000), usual},
        {"AES-KDF past it", Aes(400'000'001), slow},
        {"AES-KDF at the limit", Aes(100'000'000'000), slow},
        {"AES-KDF past it", Aes(100'000'000'001), tooMuch},
        {"2^64 - 1 AES-KDF rounds", Aes(~std::uint64_t(0)), tooMuch},
        {"KeePassXC's Argon2 on a fast desktop", Argon2(50, 64 * MIB, 2), usual},
        {"1 GiB", Argon2(1, 1024 * MIB, 1), usual},
        {"past 1 GiB", Argon2(1, 1024 * MIB + 1024, 1), slow},
        {"4 GiB", Argon2(1, 4096 * MIB, 1), slow},
        {"past 4 GiB", Argon2(1, 4096 * MIB + 1024, 1), tooMuch},
        {"16 GiB of passes", Argon2(256, 64 * MIB, 2), usual},
        {"past them", Argon2(257, 64 * MIB, 2), slow},
        {"1 TiB of passes", Argon2(16384, 64 * MIB, 2), slow},
        {"past them", Argon2(16385, 64 * MIB, 2), tooMuch},
        {"2^32 - 1 passes over the least memory", Argon2(0xFFFFFFFF, 8 * 1024, 1), tooMuch},
        {"2^64 - 1 passes", Argon2(~std::uint64_t(0), MIB, 1), tooMuch},
        {"128 lanes", Argon2(1, 128 * 8 * 1024, 128), usual},
        {"129 lanes, which Argon2 here does not run", Argon2(1, 129 * 8 * 1024, 129), tooMuch},
    };
    for (const auto& test : CASES)
        EXPECT_EQ(KdbxKdfCost(test.params), test.eCost) << test.pszName;
}

TEST(KdbxKeys, ACancelledDerivationEndsWithoutAKey) {
    // 5e10 AES-KDF rounds would take most of an hour: the rounds look at the
    // token.
    CCancelToken token;
    std::thread canceller([&token]() {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        token.Cancel();
    });
    CKdbxSecret transformed;
    const SKdbxKdfParams endless{EKdbxKdf::aes, Range(32, 32), std::uint64_t(50000000000)};
    EXPECT_EQ(KdbxTransformKey(Secret(Range(0, 32)), endless, transformed, &token),
              EKdbxKdfResult::cancelled);
    canceller.join();
    EXPECT_TRUE(transformed.empty());
    // Argon2 cannot stop half-way; what it made is not handed out.
    const SKdbxKdfParams argon2{EKdbxKdf::argon2id, Range(0x40, 16), 1, 64 * 1024, 1};
    EXPECT_EQ(KdbxTransformKey(Secret(Range(0, 32)), argon2, transformed, &token),
              EKdbxKdfResult::cancelled);
    EXPECT_TRUE(transformed.empty());
    // A token that is never set changes nothing.
    const CCancelToken unset;
    ASSERT_EQ(KdbxTransformKey(Secret(Range(0, 32)), {EKdbxKdf::aes, Range(32, 32), 3}, transformed,
                               &unset),
              EKdbxKdfResult::ok);
    EXPECT_EQ(Hex(transformed), "315ae03c84686e1d4973e71725947d22c0e4c8f08ade5b93678febadc1cebeac");
}

TEST(KdbxKeys, DerivesTheCipherAndHmacKeys) {
    const CKdbxBytes seed(32, 0xAA);
    const CKdbxSecret transformed = Secret(Range(100, 32));
    EXPECT_EQ(Hex(KdbxCipherKey(seed, transformed)),
              "aaed39fceb8727906887be61253de9a8a4f7485378310d206fc39c84667faa70");
    const CKdbxSecret base = KdbxHmacBaseKey(seed, transformed);
    EXPECT_EQ(Hex(base), "0ddfa344ec9ec5f250e8bb163acafd560bdef2136c8d64e55576dfa11d252fc9da49cef"
                         "d3cebe6a5aedea610d88e92341115e3361323a7b8a3442b779eec707c");
    EXPECT_EQ(Hex(KdbxHeaderHmac(base, Bytes("header bytes"))),
              "5d92e0b7bf711433273488829c03c21fe2671884531e984244342a69cdc21a3b");
    // The first block of the stream carries its index, size and data.
    const CKdbxBytes stream = KdbxWriteHmacBlocks(Bytes("block data"), base);
    ASSERT_EQ(stream.size(), 36u + 10u + 36u);
    EXPECT_EQ(Hex(std::span(stream).first(32)),
              "b91891d850ca131926a0e914f87f489bf1cff221f118ccb6a65cf4c73d80f4d7");
}

TEST(KdbxKeys, VariantMapRoundTripsAndRefusesBrokenMaps) {
    CKdbxVariantMap map;
    map.SetUInt32("u32", 0xA1B2C3D4);
    map.SetUInt64("u64", 0x0102030405060708);
    map.SetBool("b", true);
    map.SetInt32("i32", -5);
    map.SetInt64("i64", -6);
    map.SetString("s", "text");
    map.SetBytes("bytes", Range(1, 3));
    const CKdbxBytes bytes = map.Serialize();
    EXPECT_EQ(Hex(std::span(bytes).first(18)), "0001040300000075333204000000d4c3b2a1");

    const auto read = CKdbxVariantMap::Parse(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Size(), 7u);
    EXPECT_EQ(read->UInt32("u32"), 0xA1B2C3D4u);
    EXPECT_EQ(read->UInt64("u64"), 0x0102030405060708u);
    EXPECT_EQ(read->Bool("b"), true);
    EXPECT_EQ(read->Int32("i32"), -5);
    EXPECT_EQ(read->Int64("i64"), -6);
    EXPECT_EQ(read->String("s"), "text");
    EXPECT_EQ(read->Bytes("bytes"), Range(1, 3));
    EXPECT_FALSE(read->UInt64("u32")) << "a value of another type is no value";
    EXPECT_FALSE(read->UInt32("missing"));

    // Every cut falls inside an item or before the end mark.
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(CKdbxVariantMap::Parse(std::span(bytes).first(n))) << "cut at " << n;
    const struct {
        const char* pszName;
        CKdbxBytes bytes;
    } BROKEN[] = {
        {"major version 2", {0x00, 0x02, 0x00}},
        {"unknown type", {0x00, 0x01, 0x07, 1, 0, 0, 0, 'x', 1, 0, 0, 0, 1, 0x00}},
        {"a 32-bit value of 3 bytes", {0x00, 0x01, 0x04, 1, 0, 0, 0, 'x', 3, 0, 0, 0, 1, 2, 3, 0}},
        {"name past the end", {0x00, 0x01, 0x18, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}},
        {"a repeated name", {0x00, 0x01, 0x08, 1, 0, 0,   0, 'x', 1, 0, 0, 0,   1,
                             0x08, 1,    0,    0, 0, 'x', 1, 0,   0, 0, 0, 0x00}},
    };
    for (const auto& test : BROKEN)
        EXPECT_FALSE(CKdbxVariantMap::Parse(test.bytes)) << test.pszName;
}

TEST(KdbxKeys, KdfParametersRoundTripThroughTheMap) {
    const SKdbxKdfParams CASES[] = {
        {EKdbxKdf::aes, Range(0, 32), 60000},
        {EKdbxKdf::argon2d, Range(0, 32), 10, 64 << 20, 2},
        {EKdbxKdf::argon2id, Range(5, 32), 3, 256 << 20, 4},
    };
    for (const auto& params : CASES) {
        const auto read =
            KdbxKdfFromVariantMap(*CKdbxVariantMap::Parse(KdbxKdfToVariantMap(params).Serialize()));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->eKdf, params.eKdf);
        EXPECT_EQ(read->seed, params.seed);
        EXPECT_EQ(read->nRounds, params.nRounds);
        EXPECT_EQ(read->nMemory, params.nMemory);
        EXPECT_EQ(read->nParallelism, params.nParallelism);
    }
    CKdbxVariantMap unknown = KdbxKdfToVariantMap(CASES[1]);
    unknown.SetBytes("$UUID", Range(0, 16));
    EXPECT_FALSE(KdbxKdfFromVariantMap(unknown));
    CKdbxVariantMap secret = KdbxKdfToVariantMap(CASES[2]);
    secret.SetBytes("K", Range(0, 8));
    EXPECT_FALSE(KdbxKdfFromVariantMap(secret)) << "a secret key is not taken";
}

TEST(KdbxCipher, OuterCiphersMatchOtherImplementations) {
    const CKdbxBytes text = Bytes("hello kdbx, a text of more than one block");
    const CKdbxSecret key = Secret(Range(0, 32));
    const struct {
        EKdbxCipher eCipher;
        CKdbxBytes iv;
        CKdbxBytes plain;
        const char* pszCipher; // the ciphertext's start, hex
    } CASES[] = {
        {EKdbxCipher::aes256, Range(200, 16), text,
         "f43a50b0ef2869fab5e50ca6a4dfd653e05904a77f235410c65911a53810cb84bc45964a4b1100568f12da93"
         "140a0d90"},
        {EKdbxCipher::chacha20, Range(50, 12), text,
         "2c06760a33bf1322978ebf622bfc2753e66255b44c9bb96fd8ac9859e45779998952b4642545fc7399"},
        // Twofish's published answer for a zero key and block; CBC with a
        // zero IV gives it as the first block.
        {EKdbxCipher::twofish, CKdbxBytes(16, 0), CKdbxBytes(16, 0),
         "57ff739d4dc92c1bd7fc01700cc8216f"},
    };
    for (const auto& test : CASES) {
        const CKdbxSecret thisKey = test.eCipher == EKdbxCipher::twofish ? CKdbxSecret(32) : key;
        CKdbxBytes encrypted;
        ASSERT_TRUE(KdbxEncrypt(test.eCipher, thisKey, test.iv, test.plain, encrypted));
        EXPECT_EQ(Hex(encrypted).substr(0, std::strlen(test.pszCipher)), test.pszCipher);
        CKdbxSecret decrypted;
        ASSERT_TRUE(KdbxDecrypt(test.eCipher, thisKey, test.iv, encrypted, decrypted));
        EXPECT_EQ(CKdbxBytes(decrypted.begin(), decrypted.end()), test.plain);
        EXPECT_EQ(KdbxCipherOf(KdbxCipherUuid(test.eCipher)), test.eCipher);
    }
}

TEST(KdbxCipher, CbcDecryptionRefusesWhatNoKeyMade) {
    const CKdbxSecret key = Secret(Range(0, 32));
    CKdbxBytes encrypted;
    ASSERT_TRUE(KdbxEncrypt(EKdbxCipher::aes256, key, Range(0, 16), Bytes("payload"), encrypted));
    CKdbxSecret out;
    EXPECT_FALSE(
        KdbxDecrypt(EKdbxCipher::aes256, key, Range(0, 16), std::span(encrypted).first(15), out))
        << "not a whole block";
    EXPECT_FALSE(
        KdbxDecrypt(EKdbxCipher::aes256, Secret(Range(1, 32)), Range(0, 16), encrypted, out))
        << "a wrong key breaks the padding";
    EXPECT_FALSE(KdbxDecrypt(EKdbxCipher::aes256, key, Range(0, 12), encrypted, out))
        << "a wrong IV size";
    EXPECT_TRUE(out.empty());
}

TEST(KdbxCipher, InnerStreamsMatchReferenceKeyStreams) {
    const CKdbxBytes innerKey = Bytes("inner key bytes");
    const struct {
        EKdbxInnerStream eStream;
        const char* pszKeyStream;
    } CASES[] = {
        {EKdbxInnerStream::salsa20,
         "df2cf95e3ed559dc0323a771f4faf5b78f800bb0a27dbafe3e559e16a8be52fc194e646dce07522224252b29"
         "4eca009f01f72ed56771347835878e47f133d301cd21d015f129"},
        {EKdbxInnerStream::chacha20, "eee5a8c6351fdabf3338f2f2d16dced2"},
    };
    for (const auto& test : CASES) {
        const std::size_t nSize = std::strlen(test.pszKeyStream) / 2;
        CKdbxInnerStream stream;
        ASSERT_TRUE(stream.Init(static_cast<std::uint32_t>(test.eStream), innerKey));
        // In two pieces: the stream continues where the last value ended.
        CKdbxBytes zeros(nSize, 0);
        stream.Apply(zeros.data(), 5);
        stream.Apply(zeros.data() + 5, nSize - 5);
        EXPECT_EQ(Hex(zeros), test.pszKeyStream);
    }
    CKdbxInnerStream stream;
    EXPECT_FALSE(stream.Init(1, innerKey)) << "the old stream cipher is not read";
    EXPECT_FALSE(stream.Init(3, {}));
}

TEST(KdbxCipher, BlockStreamsRoundTripAndCatchChanges) {
    const CKdbxSecret base = Secret(Range(0, 64));
    CKdbxBytes data;
    for (int i = 0; i < 1000; ++i)
        data.push_back(static_cast<std::uint8_t>(i * 7));
    const CKdbxBytes hmacStream = KdbxWriteHmacBlocks(data, base, 300);
    const CKdbxSecret hashedSecret = KdbxWriteHashedBlocks(data, 300);
    const CKdbxBytes hashedStream(hashedSecret.begin(), hashedSecret.end());
    ASSERT_EQ(hmacStream.size(), 1000u + 5 * 36);
    ASSERT_EQ(hashedStream.size(), 1000u + 5 * 40);

    const auto ReadHmac = [&](std::span<const std::uint8_t> stream, std::size_t nMax,
                              CKdbxBytes& out) {
        out.clear();
        return KdbxReadHmacBlocks(stream, base, nMax, out);
    };
    const auto ReadHashed = [&](std::span<const std::uint8_t> stream, std::size_t nMax,
                                CKdbxBytes& out) {
        CKdbxSecret secret;
        const auto eResult = KdbxReadHashedBlocks(stream, nMax, secret);
        out.assign(secret.begin(), secret.end());
        return eResult;
    };
    const struct {
        const char* pszName;
        const CKdbxBytes& stream;
        std::function<EKdbxBlockResult(std::span<const std::uint8_t>, std::size_t, CKdbxBytes&)>
            fnRead;
        std::size_t nSecondBlockData; // where the second block's data starts
    } CASES[] = {
        {"HMAC blocks", hmacStream, ReadHmac, 300 + 36 + 36},
        {"hashed blocks", hashedStream, ReadHashed, 300 + 40 + 40},
    };
    for (const auto& test : CASES) {
        CKdbxBytes out;
        EXPECT_EQ(test.fnRead(test.stream, 1 << 20, out), EKdbxBlockResult::ok) << test.pszName;
        EXPECT_EQ(out, data) << test.pszName;
        EXPECT_EQ(test.fnRead(test.stream, 999, out), EKdbxBlockResult::tooLarge) << test.pszName;
        CKdbxBytes flipped = test.stream;
        flipped[test.nSecondBlockData + 10] ^= 1;
        EXPECT_EQ(test.fnRead(flipped, 1 << 20, out), EKdbxBlockResult::badHash) << test.pszName;
        for (std::size_t n = 0; n < test.stream.size(); n += 37)
            EXPECT_EQ(test.fnRead(std::span(test.stream).first(n), 1 << 20, out),
                      EKdbxBlockResult::truncated)
                << test.pszName << " cut at " << n;
    }
    // A block moved to another place fails its HMAC, which covers the index.
    CKdbxBytes out;
    EXPECT_EQ(ReadHmac(std::span(hmacStream).subspan(336), 1 << 20, out),
              EKdbxBlockResult::badHash);
    // A hashed block's hash covers its data alone: an index that skips
    // ahead (a block left out) is caught by the index itself.
    for (const std::size_t nIndexAt : {std::size_t(340), std::size_t(1000 + 4 * 40)}) {
        CKdbxBytes skipped = hashedStream;
        ASSERT_EQ(skipped[nIndexAt], nIndexAt == 340 ? 1 : 4);
        ++skipped[nIndexAt];
        EXPECT_EQ(ReadHashed(skipped, 1 << 20, out), EKdbxBlockResult::badHash) << nIndexAt;
    }
}
