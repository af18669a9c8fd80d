// SPDX-License-Identifier: GPL-3.0-or-later
#include "KdbxTestWriter.h"

#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxXml.h"
#include "core/store/PasswordInfo.h"

#include "support/FileBytes.h"
#include "support/KeePassOracle.h"
#include "support/SampleRecords.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct SVariant {
    std::string strName;
    SKdbxTestOptions options;
};

// The KDBX 3.1 forms the program's writer never makes but other managers
// may: a ChaCha20 cipher, or a ChaCha20 inner stream. Every form it makes
// is read back in the writer's tests.
std::vector<SVariant> OtherVariants() {
    std::vector<SVariant> variants;
    const std::pair<const char*, EKdbxCipher> CIPHERS[] = {{"AES-256", EKdbxCipher::aes256},
                                                           {"ChaCha20", EKdbxCipher::chacha20},
                                                           {"Twofish", EKdbxCipher::twofish}};
    const std::pair<const char*, EKdbxInnerStream> INNER[] = {
        {"Salsa20", EKdbxInnerStream::salsa20}, {"ChaCha20", EKdbxInnerStream::chacha20}};
    for (const auto& [pszCipher, eCipher] : CIPHERS) {
        for (const bool bCompress : {true, false}) {
            for (const auto& [pszInner, eInner] : INNER) {
                if (eCipher != EKdbxCipher::chacha20 && eInner == EKdbxInnerStream::salsa20)
                    continue;
                SVariant variant;
                variant.strName = std::string("KDBX 3.1 ") + pszCipher +
                                  (bCompress ? " gzip " : " plain ") + pszInner;
                variant.options.nMajor = 3;
                variant.options.eCipher = eCipher;
                variant.options.kdf.nRounds = 3;
                variant.options.bCompress = bCompress;
                variant.options.eInner = eInner;
                variants.push_back(variant);
            }
        }
    }
    return variants;
}

// A database of one account made by the program's writer with a cheap key
// derivation: KDBX 4, or 3.1 with AES-256 and Salsa20.
CKdbxBytes Written(int nMajor, const SKdbxCredentials& credentials) {
    SKdbxWriteOptions options;
    options.eKdf = EKdbxKdf::aes;
    options.nRounds = 1;
    if (nMajor == 3) {
        options.eVersion = SKdbxWriteOptions::EVersion::kdbx31;
        options.eCipher = EKdbxCipher::aes256;
        options.eInnerStream = EKdbxInnerStream::salsa20;
    }
    std::string strError;
    const std::string strFile =
        WrittenKdbx({AccountRecord("Shop")}, credentials, options, strError);
    EXPECT_EQ(strError, "");
    return CKdbxBytes(strFile.begin(), strFile.end());
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

// The password keepassxc-cli shows of the test database's entry, or why it
// showed none.
std::string PasswordByKeepassxc(const CKdbxBytes& file) {
    const CTempFolder folder;
    WriteBytes(folder.File("t.kdbx"), std::string(file.begin(), file.end()));
    const SKeePassCliResult result = KeePassCliExportXml(folder.File("t.kdbx"), "pw");
    const std::string strOutline = KdbxXmlOutline(result.strOut);
    const std::size_t nAt = strOutline.find("Password=");
    return result.nExit != 0 || nAt == std::string::npos
               ? result.strErr
               : strOutline.substr(nAt + 9, strOutline.find('\n', nAt) - nAt - 9);
}

} // namespace

TEST(KdbxVariants, ReadsTheFormsOnlyOtherManagersWrite) {
    for (const SVariant& variant : OtherVariants()) {
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

// The databases the test writer makes are the format as another manager
// reads it: keepassxc-cli opens each and shows the protected password.
TEST(KdbxVariants, AnotherManagerOpensTheTestDatabases) {
    if (!HasKeePassCli())
        GTEST_SKIP() << "keepassxc-cli is not installed (Debian's keepassxc): the test "
                        "databases are not checked against another manager";
    std::vector<SVariant> variants = {{"the test writer's default", SKdbxTestOptions()}};
    for (const SVariant& variant : OtherVariants()) {
        // No manager writes ChaCha20 as the inner stream of KDBX 3.1, and
        // keepassxc-cli does not unmask it there as KDBX 4 does.
        if (variant.options.eInner != EKdbxInnerStream::chacha20)
            variants.push_back(variant);
    }
    for (const SVariant& variant : variants)
        EXPECT_EQ(PasswordByKeepassxc(MakeTestKdbx(TestKdbxXml(), variant.options)), "secret")
            << variant.strName;
}

// With a key derivation of one round every cut and every flipped bit can be
// tried: each gives damage or a wrong key, never an entry, never a crash.
TEST(KdbxVariants, EveryCutAndFlippedBitHandsOutNothing) {
    for (const int nMajor : {3, 4}) {
        SKdbxCredentials credentials;
        credentials.strPassword = "pw";
        const CKdbxBytes file = Written(nMajor, credentials);
        ASSERT_EQ(Read(file, credentials).entries.size(), 1u);
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
                const SRead read = Read(changed, credentials);
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
         EKdbxFailure::kdfTooCostly},
        // Kept once it would fit, but not with the copies handed out.
        {"a user name of 20 MB",
         std::string(TestKdbxXml()).insert(TestKdbxXml().find("bob"), std::string(20u << 20, 'b')),
         options.kdf, EKdbxFailure::tooLarge},
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
            const SRead read = Read(Written(nMajor, test.made), test.given);
            EXPECT_EQ(read.outcome.eFailure, test.eFailure)
                << test.pszName << ", KDBX " << nMajor << ": " << read.outcome.strMessage;
            EXPECT_EQ(read.entries.size(), test.eFailure == EKdbxFailure::none ? 1u : 0u)
                << test.pszName;
        }
    }
}

// Everything the XML reader holds is charged: the parser's own buffers, the
// texts as they grow, and the copies of the entries it hands out.
TEST(KdbxVariants, TheXmlReaderChargesAllItHolds) {
    const auto Parse = [](const std::string& strXml, std::size_t nAllowance, bool bHandOut) {
        static const std::uint8_t KEY[64] = {1};
        CKdbxInnerStream stream;
        stream.Init(static_cast<std::uint32_t>(EKdbxInnerStream::chacha20), KEY);
        CKdbxXmlReader reader(stream, nAllowance);
        CKdbxXmlReader::EResult eResult = reader.Parse(
            std::span(reinterpret_cast<const std::uint8_t*>(strXml.data()), strXml.size()));
        if (eResult == CKdbxXmlReader::EResult::ok)
            eResult = reader.Finish();
        if (eResult == CKdbxXmlReader::EResult::ok && bHandOut)
            eResult = reader.ChargeHandOut();
        return eResult;
    };
    const auto With = [](const std::string& strInsert) {
        return std::string(TestKdbxXml()).insert(TestKdbxXml().find("bob"), strInsert);
    };
    constexpr std::size_t MB = 1 << 20;
    std::string entries = TestKdbxXml();
    std::string strEmpty;
    for (int i = 0; i < 100000; ++i)
        strEmpty += "<Entry/>";
    entries.insert(entries.find("</Group></Group>"), strEmpty);
    using enum CKdbxXmlReader::EResult;
    const struct {
        const char* pszName;
        std::string strXml;
        std::size_t nAllowance;
        CKdbxXmlReader::EResult eResult;
        bool bHandOut = true;
    } CASES[] = {
        {"the document", TestKdbxXml(), MB, ok},
        {"an attribute the parser holds", With("<x a=\"" + std::string(2 * MB, 'a') + "\"/>"),
         3 * MB, tooLarge},
        {"an attribute beyond the parser's most",
         With("<x a=\"" + std::string(CKdbxXmlReader::PARSER_MEMORY, 'a') + "\"/>"), 100 * MB,
         tooLarge},
        {"an element name beyond it",
         With("<" + std::string(CKdbxXmlReader::PARSER_MEMORY, 'x') + "/>"), 100 * MB, tooLarge},
        {"a long text, which comes in pieces", With(std::string(24 * MB, 't')), 200 * MB, ok},
        {"a text that fits, but not with its copies", With(std::string(3 * MB, 't')), 16 * MB,
         tooLarge},
        // Their records take about 45 MB, and nearly 60 while their vector
        // grows; the copies handed out take 60 more.
        {"100,000 empty entries", entries, 150 * MB, ok},
        {"100,000 empty entries while their vector grows", entries, 50 * MB, tooLarge, false},
        {"100,000 empty entries and their copies", entries, 100 * MB, tooLarge},
    };
    for (const auto& test : CASES)
        EXPECT_EQ(Parse(test.strXml, test.nAllowance, test.bHandOut), test.eResult) << test.pszName;
}

// A derivation is judged by its header before it runs: a slow one runs only
// when allowed, one beyond the limits never. None of these files had its
// derivation run when it was made, so any that ran would end in a wrong key.
TEST(KdbxVariants, KeyDerivationsAreBoundedBeforeTheyRun) {
    const auto Options = [](int nMajor, SKdbxKdfParams kdf) {
        SKdbxTestOptions options;
        options.nMajor = nMajor;
        options.kdf = std::move(kdf);
        options.bDerive = false;
        return options;
    };
    const CKdbxBytes seed(32, 7);
    const struct {
        const char* pszName;
        SKdbxTestOptions options;
        EKdbxFailure eFailure;
        const char* pszMessage;
    } CASES[] = {
        {"2^64 - 1 AES-KDF rounds, 3.1", Options(3, {EKdbxKdf::aes, seed, ~std::uint64_t(0)}),
         EKdbxFailure::kdfTooCostly,
         "The KeePass database asks for 18446744073709551615 AES-KDF rounds to turn its "
         "password into its key, more than can be given to it (at most 100000000000 rounds)."},
        {"500,000,000 AES-KDF rounds, 4", Options(4, {EKdbxKdf::aes, seed, 500'000'000}),
         EKdbxFailure::slowKdf,
         "The KeePass database asks for 500000000 AES-KDF rounds to turn its password into its "
         "key, more than four times what KeePassXC makes a new database take. That may take "
         "minutes and slow the whole computer down."},
        {"Argon2 over 4 GiB", Options(4, {EKdbxKdf::argon2id, seed, 1, std::uint64_t(4) << 30, 1}),
         EKdbxFailure::slowKdf,
         "The KeePass database asks for 4096 MiB of memory and 1 pass to turn its password into "
         "its key, more than four times what KeePassXC makes a new database take. That may take "
         "minutes and slow the whole computer down."},
        {"Argon2 over 4 GiB and a bit",
         Options(4, {EKdbxKdf::argon2id, seed, 1, (std::uint64_t(4) << 30) + 1024, 1}),
         EKdbxFailure::kdfTooCostly,
         "The KeePass database asks for 4097 MiB of memory and 1 pass to turn its password into "
         "its key, more than can be given to it (at most 4096 MiB of memory)."},
        {"Argon2 with 2^32 - 1 passes",
         Options(4, {EKdbxKdf::argon2d, seed, 0xFFFFFFFF, std::uint64_t(64) << 20, 2}),
         EKdbxFailure::kdfTooCostly,
         "The KeePass database asks for 64 MiB of memory and 4294967295 passes to turn its "
         "password into its key, more than can be given to it (at most 1048576 MiB of memory "
         "times passes)."},
        {"Argon2 in 129 lanes", Options(4, {EKdbxKdf::argon2id, seed, 1, 129 * 8 * 1024, 129}),
         EKdbxFailure::kdfTooCostly,
         "The KeePass database asks for 2 MiB of memory and 1 pass in 129 lanes to turn its "
         "password into its key, more than can be given to it (at most 128 lanes)."},
    };
    for (const auto& test : CASES) {
        const CKdbxBytes file = MakeTestKdbx(TestKdbxXml(), test.options);
        // The header alone names the derivation, before any key.
        const auto kdf = ReadKdbxKdf(file);
        ASSERT_TRUE(kdf) << test.pszName;
        EXPECT_EQ(kdf->nRounds, test.options.kdf.nRounds) << test.pszName;
        EXPECT_EQ(kdf->nMemory, test.options.kdf.nMemory) << test.pszName;
        EXPECT_EQ(KdbxKdfOutcome(*kdf, {}).eFailure, test.eFailure) << test.pszName;

        for (const bool bAllowSlow : {false, true}) {
            if (bAllowSlow && test.eFailure == EKdbxFailure::slowKdf)
                break; // it would run for minutes
            SRead read;
            read.outcome = ReadKdbxEntries(
                file, test.options.credentials,
                [&](const SImportEntry& entry) { read.entries.push_back(entry); }, {bAllowSlow});
            EXPECT_EQ(read.outcome.eFailure, test.eFailure) << test.pszName;
            EXPECT_EQ(read.outcome.strMessage, test.pszMessage) << test.pszName;
            EXPECT_TRUE(read.entries.empty()) << test.pszName;
        }
    }
    EXPECT_FALSE(ReadKdbxKdf(CKdbxBytes{1, 2, 3}));
}

// Leave to run a slow derivation lets it start: this one's seed is one byte
// short, which the derivation itself refuses at once.
TEST(KdbxVariants, ASlowDerivationRunsWhenAllowed) {
    SKdbxTestOptions options;
    options.kdf = {EKdbxKdf::aes, CKdbxBytes(31, 7), 500'000'000};
    options.bDerive = false;
    const CKdbxBytes file = MakeTestKdbx(TestKdbxXml(), options);
    EXPECT_EQ(KdbxKdfOutcome(*ReadKdbxKdf(file), {true}).eFailure, EKdbxFailure::none);
    for (const bool bAllowSlow : {false, true}) {
        const SKdbxOutcome outcome =
            ReadKdbxEntries(file, options.credentials, [](const SImportEntry&) {}, {bAllowSlow});
        EXPECT_EQ(outcome.eFailure, bAllowSlow ? EKdbxFailure::unsupported : EKdbxFailure::slowKdf)
            << outcome.strMessage;
    }
}

// The allowance grows with the XML as it inflates, so a database whose
// contents compress far (here 64 MB of notes in a file of well under one)
// is read, while what it holds is still charged.
TEST(KdbxVariants, ADatabaseThatInflatesFarIsRead) {
    constexpr int ENTRIES = 32000;
    const std::string strNote(2000, 'n');
    std::string strEntries;
    for (int i = 0; i < ENTRIES; ++i)
        strEntries += "<Entry><String><Key>Title</Key><Value>" + std::to_string(i) +
                      "</Value></String><String><Key>Notes</Key><Value>" + strNote +
                      "</Value></String></Entry>";
    std::string strXml = TestKdbxXml();
    strXml.insert(strXml.find("</Group></Group>"), strEntries);
    const SKdbxTestOptions options;
    const CKdbxBytes file = MakeTestKdbx(strXml, options);
    ASSERT_LT(file.size(), 1u << 20);
    std::size_t nEntries = 0;
    std::size_t nNotes = 0;
    const SKdbxOutcome outcome =
        ReadKdbxEntries(file, options.credentials, [&](const SImportEntry& entry) {
            ++nEntries;
            nNotes += entry.strNotes.size();
        });
    EXPECT_EQ(outcome.eFailure, EKdbxFailure::none) << outcome.strMessage;
    EXPECT_EQ(nEntries, ENTRIES + 1u);
    EXPECT_EQ(nNotes, ENTRIES * strNote.size() + 6);
}

// A KDBX 4 header is proven by its HMAC, but a field given twice is still
// damage: which of the two counts is anybody's guess.
TEST(KdbxVariants, AHeaderFieldGivenTwiceIsDamageThoughProven) {
    SKdbxTestOptions options;
    // A comment (field 1) may come any number of times.
    options.extraFields = {{1, {'h', 'i'}}, {1, {'h', 'o'}}};
    EXPECT_EQ(Read(MakeTestKdbx(TestKdbxXml(), options), options.credentials).entries.size(), 1u);
    // The same compression flags again: reading either would work.
    options.extraFields = {{3, {1, 0, 0, 0}}};
    const SRead read = Read(MakeTestKdbx(TestKdbxXml(), options), options.credentials);
    EXPECT_EQ(read.outcome.eFailure, EKdbxFailure::damaged) << read.outcome.strMessage;
    EXPECT_TRUE(read.entries.empty());
}
