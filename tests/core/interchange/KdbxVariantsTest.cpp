// SPDX-License-Identifier: GPL-3.0-or-later
#include "KdbxTestWriter.h"

#include "core/interchange/KdbxReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct SVariant {
    std::string strName;
    SKdbxTestOptions options;
};

SKdbxKdfParams Argon2(EKdbxKdf eKdf) {
    return {eKdf, CKdbxBytes(16, 0x41), 2, 64 * 1024, 2};
}

// Every combination of version, cipher, key derivation, compression and
// inner stream; KDBX 3.1 knows AES-KDF only.
std::vector<SVariant> AllVariants() {
    std::vector<SVariant> variants;
    const std::pair<const char*, EKdbxCipher> CIPHERS[] = {{"AES-256", EKdbxCipher::aes256},
                                                           {"ChaCha20", EKdbxCipher::chacha20},
                                                           {"Twofish", EKdbxCipher::twofish}};
    const std::pair<const char*, SKdbxKdfParams> KDFS[] = {
        {"AES-KDF", {EKdbxKdf::aes, CKdbxBytes(32, 7), 3}},
        {"Argon2d", Argon2(EKdbxKdf::argon2d)},
        {"Argon2id", Argon2(EKdbxKdf::argon2id)}};
    const std::pair<const char*, EKdbxInnerStream> INNER[] = {
        {"Salsa20", EKdbxInnerStream::salsa20}, {"ChaCha20", EKdbxInnerStream::chacha20}};
    for (const int nMajor : {3, 4}) {
        for (const auto& [pszCipher, eCipher] : CIPHERS) {
            for (const auto& [pszKdf, kdf] : KDFS) {
                if (nMajor == 3 && kdf.eKdf != EKdbxKdf::aes)
                    continue;
                for (const bool bCompress : {true, false}) {
                    for (const auto& [pszInner, eInner] : INNER) {
                        SVariant variant;
                        variant.strName = "KDBX " + std::to_string(nMajor) + " " + pszCipher + " " +
                                          pszKdf + (bCompress ? " gzip " : " plain ") + pszInner;
                        variant.options.nMajor = nMajor;
                        variant.options.eCipher = eCipher;
                        variant.options.kdf = kdf;
                        variant.options.bCompress = bCompress;
                        variant.options.eInner = eInner;
                        variants.push_back(variant);
                    }
                }
            }
        }
    }
    return variants;
}

struct SRead {
    SKdbxOutcome outcome;
    std::vector<SImportEntry> entries;
};

SRead Read(std::span<const std::uint8_t> file, const SKdbxCredentials& credentials) {
    SRead read;
    read.outcome = ReadKdbxEntries(
        file, credentials, [&](const SImportEntry& entry) { read.entries.push_back(entry); });
    return read;
}

bool HasKeepassxcCli() {
    return std::system("command -v keepassxc-cli >/dev/null 2>&1") == 0;
}

// What keepassxc-cli shows of an entry's field, protected ones too.
std::string ShowWithKeepassxc(const CKdbxBytes& file, const char* pszAttribute) {
    char szFolder[] = "/tmp/kdbx-oracle-XXXXXX";
    if (!::mkdtemp(szFolder))
        return "(no folder)";
    const std::string strPath = std::string(szFolder) + "/t.kdbx";
    std::ofstream(strPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    const std::string strCommand = "printf 'pw\\n' | keepassxc-cli show -q -s -a " +
                                   std::string(pszAttribute) + " " + strPath + " Web/Shop 2>&1";
    std::string strOut;
    if (FILE* pPipe = ::popen(strCommand.c_str(), "r")) {
        char szBuffer[256];
        while (std::fgets(szBuffer, sizeof szBuffer, pPipe))
            strOut += szBuffer;
        ::pclose(pPipe);
    }
    std::filesystem::remove_all(szFolder);
    return strOut;
}

} // namespace

TEST(KdbxVariants, ReadsEveryCipherKeyDerivationAndStream) {
    for (const SVariant& variant : AllVariants()) {
        const SRead read =
            Read(MakeTestKdbx(TestKdbxXml(), variant.options), variant.options.credentials);
        ASSERT_EQ(read.outcome.eFailure, EKdbxFailure::none)
            << variant.strName << ": " << read.outcome.strMessage;
        ASSERT_EQ(read.entries.size(), 1u) << variant.strName;
        const SImportEntry& entry = read.entries[0];
        EXPECT_EQ(entry.GroupPath(), std::vector<std::string>{"Web"}) << variant.strName;
        EXPECT_EQ(entry.strTitle, "Shop") << variant.strName;
        EXPECT_EQ(entry.strUserName, "bob") << variant.strName;
        EXPECT_EQ(entry.strPassword, "secret") << variant.strName;
        EXPECT_EQ(entry.strNotes, "a note") << variant.strName;
    }
}

// The variants this test writes are the format as another manager reads it:
// keepassxc-cli opens each and shows the protected password.
TEST(KdbxVariants, AnotherManagerOpensTheTestDatabases) {
    if (!HasKeepassxcCli())
        GTEST_SKIP() << "keepassxc-cli is not installed (Debian's keepassxc): the test "
                        "databases are not checked against another manager";
    std::vector<SVariant> variants = AllVariants();
    // One of each cipher, key derivation, version, compression and stream
    // is enough, and each run of keepassxc-cli costs a program start.
    for (std::size_t i = 0; i < variants.size(); i += 5) {
        const SVariant& variant = variants[i];
        // No manager writes ChaCha20 as the inner stream of KDBX 3.1, and
        // keepassxc-cli does not unmask it there as KDBX 4 does.
        if (variant.options.nMajor == 3 && variant.options.eInner == EKdbxInnerStream::chacha20)
            continue;
        EXPECT_EQ(ShowWithKeepassxc(MakeTestKdbx(TestKdbxXml(), variant.options), "Password"),
                  "secret\n")
            << variant.strName;
    }
}

// With a key derivation of one round every cut and every flipped bit can be
// tried: each gives damage or a wrong key, never an entry, never a crash.
TEST(KdbxVariants, EveryCutAndFlippedBitHandsOutNothing) {
    for (const int nMajor : {3, 4}) {
        SKdbxTestOptions options;
        options.nMajor = nMajor;
        const CKdbxBytes file = MakeTestKdbx(TestKdbxXml(), options);
        ASSERT_EQ(Read(file, options.credentials).entries.size(), 1u);
        // A 3.1 header is proven only after the key derivation, so a flipped
        // round count is honoured as written: those bytes are left alone.
        const std::size_t nRoundsField = 12 + 3 + 16 + 3 + 4 + 3 + 32 + 3 + 32 + 3;
        for (std::size_t n = 0; n <= file.size(); ++n) {
            for (const bool bFlip : {false, true}) {
                if (bFlip && (n == file.size() ||
                              (nMajor == 3 && n >= nRoundsField && n < nRoundsField + 8)))
                    continue;
                CKdbxBytes changed = file;
                if (bFlip)
                    changed[n] ^= static_cast<std::uint8_t>(1 << (n % 8));
                else
                    changed.resize(n);
                const SRead read = Read(changed, options.credentials);
                if (!bFlip && n == file.size())
                    continue; // the whole file
                const EKdbxFailure e = read.outcome.eFailure;
                EXPECT_TRUE(e == EKdbxFailure::damaged || e == EKdbxFailure::wrongKey ||
                            e == EKdbxFailure::notKdbx || e == EKdbxFailure::unsupported)
                    << "KDBX " << nMajor << (bFlip ? " flipped at " : " cut at ") << n << ": "
                    << read.outcome.strMessage;
                EXPECT_TRUE(read.entries.empty()) << "KDBX " << nMajor << " at " << n;
            }
        }
    }
}

TEST(KdbxVariants, HostileContentsStayWithinTheMemoryBound) {
    SKdbxTestOptions options;
    // 70 MB of one letter in a plain field compress to a file far below
    // 1 MB, whose allowance is then about 64 MB.
    std::string strBomb = TestKdbxXml();
    strBomb.insert(strBomb.find("bob"), std::string(70u << 20, 'b'));
    // One long password referenced a hundred times by each of a hundred
    // entries: the references would expand to 10 GB.
    std::string strEntries;
    for (int i = 0; i < 100; ++i) {
        strEntries += "<Entry><String><Key>Password</Key><Value>";
        for (int j = 0; j < 100; ++j)
            strEntries += "{REF:P@I:11111111111111111111111111111111}";
        strEntries += "</Value></String></Entry>";
    }
    std::string strReferences = TestKdbxXml(std::string(1u << 20, 'p'));
    strReferences.insert(strReferences.find("</Group></Group>"), strEntries);
    const struct {
        const char* pszName;
        std::string strXml;
        SKdbxKdfParams kdf;
        EKdbxFailure eFailure;
    } CASES[] = {
        {"decompression bomb", strBomb, options.kdf, EKdbxFailure::tooLarge},
        {"reference expansion", strReferences, options.kdf, EKdbxFailure::tooLarge},
        {"Argon2 asking 8 GB",
         TestKdbxXml(),
         {EKdbxKdf::argon2id, CKdbxBytes(16, 1), 1, std::uint64_t(8) << 30, 1},
         EKdbxFailure::tooLarge},
        {"a document type", "<!DOCTYPE x [<!ENTITY a \"aaaa\">]>" + TestKdbxXml(), options.kdf,
         EKdbxFailure::damaged},
        {"no database document", "<KeePassFile/>", options.kdf, EKdbxFailure::damaged},
        // The writer masks only what is marked in these exact letters.
        {"protected text that is no base64",
         TestKdbxXml().replace(TestKdbxXml().find("Protected=\"True\">secret"), 25,
                               "Protected=\"true\">@@@"),
         options.kdf, EKdbxFailure::damaged},
    };
    for (const auto& test : CASES) {
        SKdbxTestOptions thisOptions = options;
        thisOptions.kdf = test.kdf;
        const CKdbxBytes file = MakeTestKdbx(test.strXml, thisOptions);
        const SRead read = Read(file, options.credentials);
        EXPECT_EQ(read.outcome.eFailure, test.eFailure)
            << test.pszName << ": " << read.outcome.strMessage;
        EXPECT_TRUE(read.entries.empty()) << test.pszName;
    }
}

// A database opens with exactly the credentials it was made with: an empty
// password is a password, and a key file counts only with its key.
TEST(KdbxVariants, OpensOnlyWithItsOwnCredentials) {
    const auto Make = [](bool bPassword, const char* pszPassword, const char* pszKeyFile) {
        SKdbxCredentials credentials;
        credentials.bHasPassword = bPassword;
        credentials.strPassword = pszPassword;
        credentials.bHasKeyFile = pszKeyFile != nullptr;
        if (pszKeyFile)
            credentials.keyFile.assign(pszKeyFile, pszKeyFile + std::strlen(pszKeyFile));
        return credentials;
    };
    const char* const XML_V1 =
        "<KeyFile><Meta><Version>1.0</Version></Meta><Key><Data>"
        "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8=</Data></Key></KeyFile>";
    // The same key as 64 hex digits.
    const char* const HEX = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";
    const struct {
        const char* pszName;
        SKdbxCredentials made;
        SKdbxCredentials given;
        EKdbxFailure eFailure;
    } CASES[] = {
        {"empty password", Make(true, "", nullptr), Make(true, "", nullptr), EKdbxFailure::none},
        {"empty password is not none", Make(true, "", nullptr), Make(false, "", nullptr),
         EKdbxFailure::wrongKey},
        {"key file alone", Make(false, "", XML_V1), Make(false, "", XML_V1), EKdbxFailure::none},
        {"the same key in another form", Make(false, "", XML_V1), Make(false, "", HEX),
         EKdbxFailure::none},
        {"key file with an empty password", Make(true, "", XML_V1), Make(false, "", XML_V1),
         EKdbxFailure::wrongKey},
        {"password and key file", Make(true, "pw", "any file"), Make(true, "pw", "any file"),
         EKdbxFailure::none},
        {"another key file", Make(true, "pw", "any file"), Make(true, "pw", "any file!"),
         EKdbxFailure::wrongKey},
    };
    for (const auto& test : CASES) {
        for (const int nMajor : {3, 4}) {
            SKdbxTestOptions options;
            options.nMajor = nMajor;
            options.credentials = test.made;
            const SRead read = Read(MakeTestKdbx(TestKdbxXml(), options), test.given);
            EXPECT_EQ(read.outcome.eFailure, test.eFailure)
                << test.pszName << ", KDBX " << nMajor << ": " << read.outcome.strMessage;
            EXPECT_EQ(read.entries.size(), test.eFailure == EKdbxFailure::none ? 1u : 0u)
                << test.pszName;
        }
    }
}
