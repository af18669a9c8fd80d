// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxWriter.h"

#include "core/interchange/KdbxReader.h"
#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"

#include "support/KeePassOracle.h"
#include "support/SampleRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <list>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using EVersion = SKdbxWriteOptions::EVersion;

// Texts in Windows-1252: "\xE9" is e acute, "\x80" the euro sign.
const std::list<CPasswordInfo> RECORDS = {
    GroupRecord("Banking"),
    AccountRecord("Card & <Co>", "\x80uro", "p\xE9ss \"q\"", "https://x.org/?a=1&b=2", "me@x.org",
                  "line 1\r\nline 2\r\n"),
    GroupRecord("Banking/Cards"),
    AccountRecord("Visa", "v", "1234", "", "", ""),
    GroupRecord("Mail"),
    AccountRecord("Post", "", "", "", "", "only\r\ncomments"),
};

const char* const OUTLINE = "G Root\n"
                            "  G Banking\n"
                            "    E\n"
                            "     E-mail=me@x.org\n"
                            "     Notes=line 1\\nline 2\\n\n"
                            "     Password=p\xC3\xA9ss \"q\"\n"
                            "     Title=Card & <Co>\n"
                            "     URL=https://x.org/?a=1&b=2\n"
                            "     UserName=\xE2\x82\xACuro\n"
                            "    G Cards\n"
                            "      E\n"
                            "       Notes=\n"
                            "       Password=1234\n"
                            "       Title=Visa\n"
                            "       URL=\n"
                            "       UserName=v\n"
                            "  G Mail\n"
                            "    E\n"
                            "     Notes=only\\ncomments\n"
                            "     Password=\n"
                            "     Title=Post\n"
                            "     URL=\n"
                            "     UserName=\n";

// What the reader gives back, one line per entry (notes with the line
// breaks of the file; the importer makes them "\r\n").
const char* const IMPORTED = "Banking|Card & <Co>|\xE2\x82\xACuro|p\xC3\xA9ss \"q\"|"
                             "https://x.org/?a=1&b=2|line 1\nline 2\n|me@x.org\n"
                             "Banking/Cards|Visa|v|1234|||\n"
                             "Mail|Post||||only\ncomments|\n";

enum class EKeyFile { none, xml1, xml2, raw32, hex64, other };

// A key file of each form: the reader's fixtures (made with keepassxc-cli),
// and an XML 1.0 one, which keepassxc-cli no longer makes.
std::string KeyFileBytes(EKeyFile eForm) {
    static const char* const FIXTURES[] = {"",          "",          "xml2.keyx",
                                           "raw32.key", "hex64.key", "other.key"};
    if (eForm == EKeyFile::xml1)
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeyFile><Meta><Version>1.00"
               "</Version></Meta><Key><Data>AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8="
               "</Data></Key></KeyFile>\n";
    std::ifstream in(std::string(KEYHAVEN_KDBX_FIXTURES) + "/" + FIXTURES[int(eForm)],
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KdbxWriter : public ::testing::Test {
protected:
    void SetUp() override {
        char szFolder[] = "/tmp/kdbx-writer-XXXXXX";
        ASSERT_NE(::mkdtemp(szFolder), nullptr);
        m_strFolder = szFolder;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_strFolder, ec);
    }

    std::string Path(const std::string& strName) const { return m_strFolder + "/" + strName; }

    std::string m_strFolder;
};

std::string WriteToString(const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
                          std::string& strError) {
    return WrittenKdbx(RECORDS, credentials, options, strError);
}

std::string Imported(const std::string& strFile, const SKdbxCredentials& credentials,
                     EKdbxFailure& eFailure) {
    std::string strOut;
    const SKdbxOutcome outcome = ReadKdbxEntries(
        std::span(reinterpret_cast<const std::uint8_t*>(strFile.data()), strFile.size()),
        credentials, [&strOut](const SImportEntry& entry) {
            std::string strGroup;
            for (const std::string& strPart : entry.GroupPath())
                strGroup += (strGroup.empty() ? "" : "/") + strPart;
            strOut += strGroup + "|" + entry.strTitle + "|" + entry.strUserName + "|" +
                      entry.strPassword + "|" + entry.strUrl + "|" + entry.strNotes + "|" +
                      entry.strEMail + "\n";
        });
    eFailure = outcome.eFailure;
    return strOut;
}

} // namespace

// Every form the writer makes reads back through our own reader and, where
// keepassxc-cli is installed (Debian package keepassxc), opens there with the
// same groups, titles, fields and line breaks.
TEST_F(KdbxWriter, EveryVariantReadsBackAndOpensElsewhere) {
    const bool bOtherReader = HasKeePassCli();
    constexpr std::uint64_t MIB = 1 << 20;
    const struct {
        const char* pszName;
        EVersion eVersion;
        EKdbxKdf eKdf;
        EKdbxCipher eCipher;
        bool bCompress;
        EKdbxInnerStream eInner;
        bool bPassword;
        const char* pszPassword;
        EKeyFile eKeyFile;
    } CASES[] = {
        {"4 Argon2id ChaCha20", EVersion::kdbx40, EKdbxKdf::argon2id, EKdbxCipher::chacha20, true,
         EKdbxInnerStream::chacha20, true, "pw \xC3\x9F", EKeyFile::none},
        {"4 Argon2d AES", EVersion::kdbx40, EKdbxKdf::argon2d, EKdbxCipher::aes256, false,
         EKdbxInnerStream::chacha20, true, "pw", EKeyFile::none},
        {"4 AES-KDF Twofish", EVersion::kdbx40, EKdbxKdf::aes, EKdbxCipher::twofish, true,
         EKdbxInnerStream::chacha20, true, "pw", EKeyFile::none},
        {"4 Argon2id AES empty password", EVersion::kdbx40, EKdbxKdf::argon2id, EKdbxCipher::aes256,
         true, EKdbxInnerStream::chacha20, true, "", EKeyFile::none},
        {"4 Argon2d Twofish XML 1.0 key file", EVersion::kdbx40, EKdbxKdf::argon2d,
         EKdbxCipher::twofish, false, EKdbxInnerStream::chacha20, false, "", EKeyFile::xml1},
        {"4 AES-KDF ChaCha20 XML 2.0 key file", EVersion::kdbx40, EKdbxKdf::aes,
         EKdbxCipher::chacha20, false, EKdbxInnerStream::chacha20, false, "", EKeyFile::xml2},
        {"4 Argon2id Twofish 32-byte key file", EVersion::kdbx40, EKdbxKdf::argon2id,
         EKdbxCipher::twofish, true, EKdbxInnerStream::chacha20, false, "", EKeyFile::raw32},
        {"4 Argon2d ChaCha20 hex key file", EVersion::kdbx40, EKdbxKdf::argon2d,
         EKdbxCipher::chacha20, true, EKdbxInnerStream::chacha20, false, "", EKeyFile::hex64},
        {"4 AES-KDF AES hashed key file", EVersion::kdbx40, EKdbxKdf::aes, EKdbxCipher::aes256,
         true, EKdbxInnerStream::chacha20, false, "", EKeyFile::other},
        {"4 Salsa20 inner, password and key file", EVersion::kdbx40, EKdbxKdf::argon2id,
         EKdbxCipher::chacha20, true, EKdbxInnerStream::salsa20, true, "pw", EKeyFile::xml2},
        {"3.1 AES", EVersion::kdbx31, EKdbxKdf::aes, EKdbxCipher::aes256, true,
         EKdbxInnerStream::salsa20, true, "pw", EKeyFile::none},
        {"3.1 Twofish, password and key file", EVersion::kdbx31, EKdbxKdf::aes,
         EKdbxCipher::twofish, false, EKdbxInnerStream::salsa20, true, "pw", EKeyFile::hex64},
    };
    for (const auto& test : CASES) {
        SCOPED_TRACE(test.pszName);
        SKdbxWriteOptions options;
        options.eVersion = test.eVersion;
        options.eKdf = test.eKdf;
        options.eCipher = test.eCipher;
        options.bCompress = test.bCompress;
        options.eInnerStream = test.eInner;
        // Cheap key derivation: the forms are under test, not the cost.
        options.nRounds = test.eKdf == EKdbxKdf::aes ? 1000 : 2;
        options.nMemoryBytes = MIB;
        SKdbxCredentials credentials;
        credentials.bHasPassword = test.bPassword;
        credentials.strPassword = test.pszPassword;
        const std::string strKeyFile = Path("key");
        if (test.eKeyFile != EKeyFile::none) {
            const std::string strBytes = KeyFileBytes(test.eKeyFile);
            ASSERT_FALSE(strBytes.empty());
            std::ofstream(strKeyFile, std::ios::binary) << strBytes;
            credentials.bHasKeyFile = true;
            credentials.keyFile.assign(strBytes.begin(), strBytes.end());
        }
        std::string strError;
        const std::string strFile = WriteToString(credentials, options, strError);
        ASSERT_FALSE(strFile.empty()) << strError;
        if (bOtherReader) {
            std::ofstream(Path("db.kdbx"), std::ios::binary) << strFile;
            const SKeePassCliResult result = KeePassCliExportXml(
                Path("db.kdbx"),
                test.bPassword ? std::optional<std::string>(test.pszPassword) : std::nullopt,
                test.eKeyFile != EKeyFile::none ? strKeyFile : std::string());
            ASSERT_EQ(result.nExit, 0) << result.strErr;
            EXPECT_EQ(KdbxXmlOutline(result.strOut), OUTLINE);
        }

        EKdbxFailure eFailure = EKdbxFailure::damaged;
        EXPECT_EQ(Imported(strFile, credentials, eFailure), IMPORTED);
        EXPECT_EQ(eFailure, EKdbxFailure::none);
        // With another password it stays shut.
        SKdbxCredentials wrong = credentials;
        wrong.bHasPassword = true;
        wrong.strPassword += "x";
        EXPECT_EQ(Imported(strFile, wrong, eFailure), "");
        EXPECT_TRUE(eFailure == EKdbxFailure::wrongKey || eFailure == EKdbxFailure::wrongKeyFile)
            << static_cast<int>(eFailure);
    }
}

// What Keyhaven itself writes: KDBX 4.0, Argon2id over 128 MiB, ChaCha20.
TEST_F(KdbxWriter, DefaultsAreKdbx4WithArgon2idAsCostlyAsTheSealedFormat) {
    SKdbxCredentials credentials;
    credentials.strPassword = "default";
    std::string strError;
    const std::string strFile = WriteToString(credentials, SKdbxWriteOptions(), strError);
    ASSERT_FALSE(strFile.empty()) << strError;
    // The version after the two signatures, then the cipher's UUID.
    EXPECT_EQ(strFile.substr(8, 4), std::string("\x00\x00\x04\x00", 4));
    const CKdbxUuid& cipher = KDBX_CIPHER_CHACHA20_UUID;
    EXPECT_EQ(strFile.substr(17, 16), std::string(cipher.begin(), cipher.end()));
    EXPECT_NE(
        strFile.find(std::string(KDBX_KDF_ARGON2ID_UUID.begin(), KDBX_KDF_ARGON2ID_UUID.end())),
        std::string::npos);
    std::string strMemory("\x05\x01\x00\x00\x00M\x08\x00\x00\x00", 10);
    strMemory += std::string("\x00\x00\x00\x08\x00\x00\x00\x00", 8);
    EXPECT_NE(strFile.find(strMemory), std::string::npos) << "128 MiB of Argon2 memory";
    if (!HasKeePassCli())
        GTEST_SKIP() << "keepassxc-cli is not installed (Debian package keepassxc)";
    std::ofstream(Path("db.kdbx"), std::ios::binary) << strFile;
    const SKeePassCliResult result = KeePassCliExportXml(Path("db.kdbx"), "default");
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(KdbxXmlOutline(result.strOut), OUTLINE);
}

TEST_F(KdbxWriter, RefusesWhatCannotBeWritten) {
    SKdbxWriteOptions argon31;
    argon31.eVersion = EVersion::kdbx31;
    argon31.eInnerStream = EKdbxInnerStream::salsa20;
    argon31.eCipher = EKdbxCipher::aes256;
    SKdbxWriteOptions chacha31 = argon31;
    chacha31.eKdf = EKdbxKdf::aes;
    chacha31.eCipher = EKdbxCipher::chacha20;
    SKdbxWriteOptions noMemory;
    noMemory.nMemoryBytes = 1024;
    SKdbxCredentials nothing;
    nothing.bHasPassword = false;
    SKdbxCredentials badKeyFile;
    const std::string strBroken = "<KeyFile><Meta><Version>2.0</Version></Meta><Key><Data "
                                  "Hash=\"00000000\">" +
                                  std::string(64, 'A') + "</Data></Key></KeyFile>";
    badKeyFile.bHasKeyFile = true;
    badKeyFile.keyFile.assign(strBroken.begin(), strBroken.end());
    SKdbxWriteOptions cheap;
    cheap.nMemoryBytes = 1 << 20;
    cheap.nRounds = 1;
    const struct {
        const char* pszName;
        SKdbxWriteOptions options;
        SKdbxCredentials credentials;
        const char* pszError;
    } CASES[] = {
        {"Argon2 in 3.1", argon31, SKdbxCredentials(), "AES-KDF"},
        {"ChaCha20 in 3.1", chacha31, SKdbxCredentials(), "AES-256 or Twofish"},
        {"too little memory", noMemory, SKdbxCredentials(), "Argon2"},
        {"no password, no key file", cheap, nothing, "password, a key file"},
        {"key file failing its hash", cheap, badKeyFile, "key file"},
    };
    for (const auto& test : CASES) {
        std::string strError;
        EXPECT_EQ(WriteToString(test.credentials, test.options, strError), "") << test.pszName;
        EXPECT_NE(strError.find(test.pszError), std::string::npos)
            << test.pszName << ": " << strError;
    }
    // A sink that fails is reported, not taken for a written file.
    std::string strError;
    EXPECT_FALSE(WriteKdbx(
        RECORDS, CCodePage::Default(), SKdbxCredentials(), cheap,
        [](std::string_view) { return false; }, strError));
    EXPECT_FALSE(strError.empty());
}

namespace {

std::span<const std::uint8_t> Bytes(const std::string& str) {
    return {reinterpret_cast<const std::uint8_t*>(str.data()), str.size()};
}

// The inner stream key of a KDBX 4 file written uncompressed, deciphered
// with the keys a reader makes: empty when it cannot be.
CKdbxSecret InnerStreamKey(const std::string& strFile, const SKdbxCredentials& credentials,
                           EKdbxCipher eCipher) {
    const auto file = Bytes(strFile);
    const auto GetLE32 = [](std::span<const std::uint8_t> bytes) {
        return std::size_t(bytes[0]) | std::size_t(bytes[1]) << 8 | std::size_t(bytes[2]) << 16 |
               std::size_t(bytes[3]) << 24;
    };
    // Fields of an id byte and a 4-byte size, up to the one of id 0.
    const auto Fields = [&](std::span<const std::uint8_t> bytes, std::size_t& nPos) {
        std::vector<std::pair<std::uint8_t, CKdbxBytes>> fields;
        for (;;) {
            const std::uint8_t nId = bytes[nPos];
            const std::size_t nSize = GetLE32(bytes.subspan(nPos + 1, 4));
            const auto data = bytes.subspan(nPos + 5, nSize);
            fields.emplace_back(nId, CKdbxBytes(data.begin(), data.end()));
            nPos += 5 + nSize;
            if (nId == 0)
                return fields;
        }
    };
    std::size_t nPos = 12;
    CKdbxBytes masterSeed;
    CKdbxBytes iv;
    for (const auto& [nId, data] : Fields(file, nPos)) {
        if (nId == 4)
            masterSeed = data;
        else if (nId == 7)
            iv = data;
    }
    CKdbxSecret composite;
    CKdbxSecret transformed;
    const auto kdf = ReadKdbxKdf(file);
    if (!kdf || KdbxCompositeKey(credentials, composite) != EKdbxKeyFileError::none ||
        KdbxTransformKey(composite, *kdf, transformed) != EKdbxKdfResult::ok)
        return {};
    CKdbxBytes encrypted;
    CKdbxSecret plain;
    if (KdbxReadHmacBlocks(file.subspan(nPos + 64), KdbxHmacBaseKey(masterSeed, transformed),
                           file.size(), encrypted) != EKdbxBlockResult::ok ||
        !KdbxDecrypt(eCipher, KdbxCipherKey(masterSeed, transformed), iv, encrypted, plain))
        return {};
    std::size_t nInner = 0;
    for (const auto& [nId, data] : Fields(plain, nInner)) {
        if (nId == 2)
            return CKdbxSecret(data.begin(), data.end());
    }
    return {};
}

} // namespace

// The inner stream key masks every protected value: a fixed one would make
// them all readable. Each export has its own, of 64 random bytes.
TEST_F(KdbxWriter, EveryKdbx4ExportHasAFreshInnerStreamKey) {
    SKdbxWriteOptions options;
    options.nRounds = 1;
    options.nMemoryBytes = 1 << 20;
    options.bCompress = false;
    SKdbxCredentials credentials;
    credentials.strPassword = "inner";
    std::vector<CKdbxSecret> keys;
    for (int i = 0; i < 2; ++i) {
        std::string strError;
        const std::string strFile = WriteToString(credentials, options, strError);
        ASSERT_FALSE(strFile.empty()) << strError;
        keys.push_back(InnerStreamKey(strFile, credentials, options.eCipher));
        ASSERT_EQ(keys.back().size(), 64u);
        EXPECT_FALSE(std::all_of(keys.back().begin(), keys.back().end(),
                                 [](std::uint8_t n) { return n == 0; }));
    }
    EXPECT_NE(keys[0], keys[1]);
}

// A KDBX 3.1 header is proven only by the hash the XML carries of it: an
// export has it, and a header changed afterwards (here by a comment, which
// reading ignores otherwise) is refused as damaged.
TEST_F(KdbxWriter, AKdbx31ExportCarriesItsHeaderHash) {
    SKdbxWriteOptions options;
    options.eVersion = EVersion::kdbx31;
    options.eKdf = EKdbxKdf::aes;
    options.nRounds = 1;
    options.eCipher = EKdbxCipher::aes256;
    options.eInnerStream = EKdbxInnerStream::salsa20;
    SKdbxCredentials credentials;
    credentials.strPassword = "hash";
    std::string strError;
    const std::string strFile = WriteToString(credentials, options, strError);
    ASSERT_FALSE(strFile.empty()) << strError;
    EKdbxFailure eFailure = EKdbxFailure::none;
    EXPECT_EQ(Imported(strFile, credentials, eFailure), IMPORTED);
    EXPECT_EQ(eFailure, EKdbxFailure::none);
    std::string strChanged = strFile;
    strChanged.insert(12, std::string("\x01\x02\x00hi", 5));
    EXPECT_EQ(Imported(strChanged, credentials, eFailure), "");
    EXPECT_EQ(eFailure, EKdbxFailure::damaged);
}
