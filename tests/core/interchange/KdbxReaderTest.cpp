// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxReader.h"

#include "core/base/CancelToken.h"
#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxXml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

// The databases under kdbx/ were made by keepassxc-cli from kdbx/contents.xml
// (kdbx/make-fixtures.sh); what they must give is written out here from that
// XML, not from the reader.

namespace {

const std::filesystem::path FIXTURES = KEYHAVEN_KDBX_FIXTURES;

CKdbxBytes ReadFixture(const std::string& strName) {
    std::ifstream in(FIXTURES / strName, std::ios::binary);
    EXPECT_TRUE(in) << strName;
    return CKdbxBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One entry as a line that a failed comparison shows whole.
std::string Describe(const SImportEntry& entry) {
    std::string str;
    for (const std::string& strGroup : entry.GroupPath())
        str += strGroup + "/";
    str += "|" + entry.strTitle + "|" + entry.strUserName + "|" + entry.strPassword + "|" +
           entry.strUrl + "|" + entry.strNotes + "|" + entry.strEMail + "| left out";
    for (const int n : entry.anLeftOut)
        str += " " + std::to_string(n);
    return str;
}

struct SRead {
    SKdbxOutcome outcome;
    std::vector<std::string> astrEntries;
};

SRead Read(std::span<const std::uint8_t> file, const SKdbxCredentials& credentials,
           const CCancelToken* pCancel = nullptr) {
    SRead read;
    read.outcome = ReadKdbxEntries(
        file, credentials,
        [&](const SImportEntry& entry) { read.astrEntries.push_back(Describe(entry)); },
        {false, pCancel});
    return read;
}

SKdbxCredentials Credentials(const char* pszPassword, const char* pszKeyFile) {
    SKdbxCredentials credentials;
    credentials.bHasPassword = pszPassword != nullptr;
    credentials.strPassword = pszPassword ? pszPassword : "";
    credentials.bHasKeyFile = pszKeyFile != nullptr;
    if (pszKeyFile)
        credentials.keyFile = ReadFixture(pszKeyFile);
    return credentials;
}

// contents.xml as an import sees it: the root's own entries in a group of
// its name, paths below the root, references resolved (also one into the
// recycle bin, one inside a longer text; an unknown one stays), the recycle
// bin and history left out, and what cannot be carried counted (custom
// field, one-time password, attachment, tags, expiry, further web site).
const std::vector<std::string> CONTENTS = {
    "Root/|Mail|ann|p@ss w0rd|https://mail.example.org|line one\nline two|ann@example.org|"
    " left out 0 0 0 1 0 0",
    "Banking/|Bank|ann.b|Zürich-€-1|||| left out 1 1 1 0 1 0",
    "Banking/Cards/|Card|ann.b|Zürich-€-1||Same as Bank; unknown "
    "{REF:P@I:99999999999999999999999999999999}|card@example.org| left out 0 1 0 0 0 0",
    "/||||||| left out 0 0 0 0 0 0",
};

} // namespace

// Every database committed for the tests, with what opens it: those of
// kdbx/ and the fuzzer's seeds (after its one byte that chooses the mode).
const struct {
    const char* pszFile;
    const char* pszPassword;
    const char* pszKeyFile;
} COMMITTED[] = {
    {"v3-password.kdbx", "pw", nullptr},
    {"v3-xmlkey.kdbx", "pw", "xml2.keyx"},
    {"v3-otherkey.kdbx", nullptr, "other.key"},
    {"v4-password.kdbx", "pw", nullptr},
    {"v4-hexkey.kdbx", "pw", "hex64.key"},
    {"v4-rawkey.kdbx", nullptr, "raw32.key"},
    {"../../../../fuzz/seeds/fuzz_kdbx_reader/database-3.bin", "pw", nullptr},
    {"../../../../fuzz/seeds/fuzz_kdbx_reader/database-4.bin", "pw", nullptr},
};

TEST(KdbxReader, ReadsDatabasesMadeByAnotherManager) {
    std::vector<std::string> expected = CONTENTS;
    // The entry in the group without a name takes its password from the
    // recycle bin's entry.
    expected[3] = "/|||gone|||| left out 0 0 0 0 0 0";
    for (const auto& test : COMMITTED) {
        CKdbxBytes file = ReadFixture(test.pszFile);
        if (std::string_view(test.pszFile).ends_with(".bin"))
            file.erase(file.begin());
        const SRead read = Read(file, Credentials(test.pszPassword, test.pszKeyFile));
        EXPECT_EQ(read.outcome.eFailure, EKdbxFailure::none)
            << test.pszFile << ": " << read.outcome.strMessage;
        EXPECT_EQ(read.astrEntries, expected) << test.pszFile;
    }
}

TEST(KdbxReader, EveryCommittedDatabaseIsRead) {
    std::set<std::string> listed;
    for (const auto& test : COMMITTED)
        listed.insert(std::filesystem::path(test.pszFile).filename());
    for (const auto& folder : {FIXTURES, FIXTURES / "../../../../fuzz/seeds/fuzz_kdbx_reader"}) {
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            const std::string strName = file.path().filename();
            if (strName.ends_with(".kdbx") || strName.starts_with("database")) {
                EXPECT_TRUE(listed.count(strName)) << strName << " is not read by the tests";
            }
        }
    }
}

TEST(KdbxReader, WrongKeysHandOutNothing) {
    const struct {
        const char* pszName;
        const char* pszFile;
        SKdbxCredentials credentials;
        EKdbxFailure eFailure;
        const char* pszMessage;
    } CASES[] = {
        {"wrong password, 3.1", "v3-password.kdbx", Credentials("pW", nullptr),
         EKdbxFailure::wrongKey, "The password is wrong, or the database also needs a key file."},
        {"wrong password, 4", "v4-password.kdbx", Credentials("", nullptr), EKdbxFailure::wrongKey,
         "The password is wrong, or the database also needs a key file."},
        {"key file missing", "v4-hexkey.kdbx", Credentials("pw", nullptr), EKdbxFailure::wrongKey,
         "The password is wrong, or the database also needs a key file."},
        {"another key file", "v3-xmlkey.kdbx", Credentials("pw", "other.key"),
         EKdbxFailure::wrongKey, "The password or key file is wrong."},
        {"a password too many", "v4-rawkey.kdbx", Credentials("", "raw32.key"),
         EKdbxFailure::wrongKey, "The password or key file is wrong."},
    };
    for (const auto& test : CASES) {
        const SRead read = Read(ReadFixture(test.pszFile), test.credentials);
        EXPECT_EQ(read.outcome.eFailure, test.eFailure) << test.pszName;
        EXPECT_EQ(read.outcome.strMessage, test.pszMessage) << test.pszName;
        EXPECT_TRUE(read.astrEntries.empty()) << test.pszName;
    }
}

TEST(KdbxReader, TellsABrokenKeyFileApart) {
    SKdbxCredentials credentials = Credentials("pw", "xml2.keyx");
    const std::string strKey(credentials.keyFile.begin(), credentials.keyFile.end());
    const struct {
        const char* pszName;
        std::string strKeyFile;
        const char* pszMessage;
    } CASES[] = {
        {"hash check fails", std::string(strKey).replace(strKey.find("630DCD29"), 8, "630DCD28"),
         "The key file is damaged: its key does not match the check it carries."},
        {"cut short", strKey.substr(0, strKey.find("</Data>")),
         "The key file is damaged: it is a KeePass key file whose contents cannot be read."},
    };
    for (const auto& test : CASES) {
        credentials.keyFile.assign(test.strKeyFile.begin(), test.strKeyFile.end());
        const SRead read = Read(ReadFixture("v3-xmlkey.kdbx"), credentials);
        EXPECT_EQ(read.outcome.eFailure, EKdbxFailure::wrongKeyFile) << test.pszName;
        EXPECT_EQ(read.outcome.strMessage, test.pszMessage) << test.pszName;
        EXPECT_TRUE(read.astrEntries.empty()) << test.pszName;
    }
}

CKdbxBytes Inserted(CKdbxBytes file, std::size_t nAt, const CKdbxBytes& bytes) {
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(nAt), bytes.begin(), bytes.end());
    return file;
}

TEST(KdbxReader, RefusesWhatIsNoReadableDatabase) {
    const CKdbxBytes v3 = ReadFixture("v3-password.kdbx");
    const auto WithBytes = [&](std::size_t nAt, CKdbxBytes bytes) {
        CKdbxBytes file = v3;
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(nAt));
        return file;
    };
    const struct {
        const char* pszName;
        CKdbxBytes file;
        EKdbxFailure eFailure;
    } CASES[] = {
        {"empty", {}, EKdbxFailure::notKdbx},
        {"text", CKdbxBytes{'G', 'r', 'o', 'u', 'p', ',', 'T', 'i', 't', 'l', 'e', '\n'},
         EKdbxFailure::notKdbx},
        {"KeePass 1", WithBytes(4, {0x65, 0xFB, 0x4B, 0xB5}), EKdbxFailure::unsupported},
        {"version 5", WithBytes(10, {0x05, 0x00}), EKdbxFailure::unsupported},
        {"version 2", WithBytes(10, {0x02, 0x00}), EKdbxFailure::unsupported},
        {"signature only", CKdbxBytes(v3.begin(), v3.begin() + 10), EKdbxFailure::damaged},
        {"an unknown cipher", WithBytes(15, {0x00}), EKdbxFailure::unsupported},
        {"compression 2", WithBytes(34, {0x02}), EKdbxFailure::unsupported},
        {"a field twice", Inserted(v3, 12, {0x03, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00}),
         EKdbxFailure::damaged},
    };
    for (const auto& test : CASES) {
        const SRead read = Read(test.file, Credentials("pw", nullptr));
        EXPECT_EQ(read.outcome.eFailure, test.eFailure)
            << test.pszName << ": " << read.outcome.strMessage;
        EXPECT_FALSE(read.outcome.strMessage.empty()) << test.pszName;
        EXPECT_TRUE(read.astrEntries.empty()) << test.pszName;
    }
}

// The fuzzer's hostile seeds (bench_kdbx_hostile --seeds): each is refused
// as it should be, every one of them is listed here, and none hands out an
// entry it should not.
TEST(KdbxReader, EveryHostileSeedIsTreatedAsItAsks) {
    const std::filesystem::path SEEDS = FIXTURES / "../../../../fuzz/seeds/fuzz_kdbx_reader";
    using enum EKdbxFailure;
    const std::map<std::string, EKdbxFailure> DATABASES = {
        {"hostile-aes-2p64.bin", kdfTooCostly},
        {"hostile-aes-slow.bin", slowKdf},
        {"hostile-argon2-4gib.bin", slowKdf},
        {"hostile-argon2-passes.bin", kdfTooCostly},
        {"hostile-argon2-lanes.bin", kdfTooCostly},
        {"hostile-field-twice.bin", damaged},
        {"hostile-token.bin", none},
    };
    // The fuzzer reads these with an allowance of 256 KiB.
    const std::set<std::string> DOCUMENTS = {"hostile-document-attribute.bin",
                                             "hostile-document-entries.bin"};
    std::size_t nSeen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SEEDS)) {
        const std::string strName = entry.path().filename();
        if (!strName.starts_with("hostile-"))
            continue;
        ++nSeen;
        std::ifstream in(entry.path(), std::ios::binary);
        CKdbxBytes bytes(std::istreambuf_iterator<char>(in), {});
        ASSERT_FALSE(bytes.empty()) << strName;
        bytes.erase(bytes.begin());
        if (DOCUMENTS.count(strName)) {
            static const std::uint8_t KEY[64] = {1, 2, 3};
            CKdbxInnerStream stream;
            stream.Init(static_cast<std::uint32_t>(EKdbxInnerStream::chacha20), KEY);
            CKdbxXmlReader reader(stream, 256 * 1024);
            EXPECT_EQ(reader.Parse(bytes), CKdbxXmlReader::EResult::tooLarge) << strName;
            continue;
        }
        const auto it = DATABASES.find(strName);
        ASSERT_NE(it, DATABASES.end()) << strName << " is not read by the tests";
        const SRead read = Read(bytes, Credentials("pw", nullptr));
        EXPECT_EQ(read.outcome.eFailure, it->second) << strName << ": " << read.outcome.strMessage;
        EXPECT_EQ(read.astrEntries.size(), it->second == none ? 1u : 0u) << strName;
    }
    EXPECT_EQ(nSeen, DATABASES.size() + DOCUMENTS.size());
}

TEST(KdbxReader, ACancelledReadHandsOutNothing) {
    CCancelToken cancelled;
    cancelled.Cancel();
    for (const char* pszFile : {"v3-password.kdbx", "v4-password.kdbx"}) {
        const SRead read = Read(ReadFixture(pszFile), Credentials("pw", nullptr), &cancelled);
        EXPECT_EQ(read.outcome.eFailure, EKdbxFailure::cancelled) << pszFile;
        EXPECT_TRUE(read.astrEntries.empty()) << pszFile;
    }
    // Once the document is read, the entries' fields and their references
    // are resolved one by one, each time looking at the token.
    static const std::uint8_t KEY[64] = {1, 2, 3};
    CKdbxInnerStream stream;
    ASSERT_TRUE(stream.Init(static_cast<std::uint32_t>(EKdbxInnerStream::chacha20), KEY));
    CKdbxXmlReader xml(stream, std::size_t(1) << 20);
    const std::string strXml =
        "<KeePassFile><Root><Group><Name>Root</Name><Entry><UUID>EREREREREREREREREREREQ==</UUID>"
        "<String><Key>Title</Key><Value>A</Value></String></Entry><Entry><String><Key>Title</Key>"
        "<Value>{REF:T@I:11111111111111111111111111111111}</Value></String></Entry></Group>"
        "</Root></KeePassFile>";
    ASSERT_EQ(xml.Parse({reinterpret_cast<const std::uint8_t*>(strXml.data()), strXml.size()}),
              CKdbxXmlReader::EResult::ok);
    xml.SetCancelToken(&cancelled);
    EXPECT_EQ(xml.Finish(), CKdbxXmlReader::EResult::cancelled);
}
