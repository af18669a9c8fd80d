// SPDX-License-Identifier: GPL-3.0-or-later
#include "CraftedImports.h"
#include "KdbxTestWriter.h"

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxXml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The allowance the fuzzer reads a seed's XML with.
constexpr std::size_t FUZZ_XML_ALLOWANCE = 256 * 1024;

struct SXmlRead {
    CKdbxXmlReader::EResult eResult = CKdbxXmlReader::EResult::ok;
    std::vector<SImportEntry> entries;
};

// The XML inside a database read on its own, as the fuzzer reads it, with
// a budget of reference steps.
SXmlRead ReadXml(const std::string& strXml,
                 std::size_t nSteps = CKdbxXmlReader::MAX_REFERENCE_STEPS,
                 std::size_t nAllowance = std::size_t(64) << 20) {
    static const std::uint8_t KEY[64] = {1, 2, 3};
    CKdbxInnerStream stream;
    EXPECT_TRUE(stream.Init(static_cast<std::uint32_t>(EKdbxInnerStream::chacha20), KEY));
    CKdbxXmlReader reader(stream, nAllowance);
    reader.SetReferenceSteps(nSteps);
    SXmlRead read;
    read.eResult = reader.Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(strXml.data()), strXml.size()));
    if (read.eResult == CKdbxXmlReader::EResult::ok)
        read.eResult = reader.Finish();
    if (read.eResult == CKdbxXmlReader::EResult::ok)
        reader.HandOut([&read](const SImportEntry& entry) { read.entries.push_back(entry); });
    return read;
}

struct SDbRead {
    SKdbxOutcome outcome;
    std::vector<SImportEntry> entries;
};

SDbRead ReadDatabase(std::span<const std::uint8_t> file) {
    SDbRead read;
    read.outcome =
        ReadKdbxEntries(file, SKdbxTestOptions().credentials,
                        [&read](const SImportEntry& entry) { read.entries.push_back(entry); });
    return read;
}

std::vector<std::string> Passwords(const std::vector<SImportEntry>& entries) {
    std::vector<std::string> astrPasswords;
    for (const SImportEntry& entry : entries)
        astrPasswords.push_back(entry.strPassword);
    return astrPasswords;
}

std::string Ref(char cField, std::size_t nEntry) {
    return std::string("{REF:") + cField + "@I:" + CraftedUuidHex(nEntry) + "}";
}

std::vector<std::string> Repeated(std::size_t n, const std::string& str) {
    return std::vector<std::string>(n, str);
}

template <typename T> std::vector<T> Reversed(std::vector<T> v) {
    std::reverse(v.begin(), v.end());
    return v;
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

// A reference is followed ten levels deep at most; the one below stays as it
// is written, whichever entry the file holds first, and a ring of
// references ends there too.
TEST(KdbxReferences, AreFollowedTenLevelsDeep) {
    const struct {
        const char* pszCase;
        std::string strXml;
        std::vector<std::string> passwords; // in file order
    } CASES[] = {
        {"ten levels", ReferenceFanXml(11, 1), Repeated(11, "P")},
        {"eleven levels", ReferenceFanXml(12, 1), Joined({Ref('P', 11)}, Repeated(11, "P"))},
        // The deeper entries are resolved first: their results hold only for
        // the depth they reached.
        {"eleven levels, last first", ReferenceFanXml(12, 1, nullptr, true),
         Reversed(Joined({Ref('P', 11)}, Repeated(11, "P")))},
        {"a ring of three",
         ReferenceRingXml(3),
         {Ref('P', 2) + "bacbacbacba", Ref('P', 0) + "cbacbacbacb", Ref('P', 1) + "acbacbacbac"}},
        {"an entry naming itself", ReferenceRingXml(1), {Ref('P', 0) + std::string(11, 'a')}},
    };
    for (const auto& test : CASES) {
        const SXmlRead read = ReadXml(test.strXml);
        EXPECT_EQ(read.eResult, CKdbxXmlReader::EResult::ok) << test.pszCase;
        EXPECT_EQ(Passwords(read.entries), test.passwords) << test.pszCase;
    }
}

// Eleven entries whose every field is thirty references to the next: every
// reference in the file is followed once, however often its text is reached.
TEST(KdbxReferences, EachFieldIsResolvedOnce) {
    const std::string strXml = ReferenceFanXml(11, 30, "");
    const std::size_t nReferences = 10 * 5 * 30;
    const SXmlRead read = ReadXml(strXml, nReferences);
    ASSERT_EQ(read.eResult, CKdbxXmlReader::EResult::ok);
    ASSERT_EQ(read.entries.size(), 11u);
    for (const SImportEntry& entry : read.entries) {
        EXPECT_EQ(entry.strTitle + entry.strUserName + entry.strPassword + entry.strUrl +
                      entry.strNotes,
                  "");
    }
    // One step fewer: the last reference followed stays as it is written.
    const SXmlRead shortOf = ReadXml(strXml, nReferences - 1);
    ASSERT_EQ(shortOf.eResult, CKdbxXmlReader::EResult::ok);
    EXPECT_EQ(shortOf.entries[0].strNotes, Ref('N', 1));
    EXPECT_EQ(shortOf.entries[0].strPassword, "");
}

// Once the steps are spent, every reference left stays as it is written.
TEST(KdbxReferences, StopWhenTheStepsAreSpent) {
    const SXmlRead read = ReadXml(ReferenceFanXml(5, 1), 2);
    ASSERT_EQ(read.eResult, CKdbxXmlReader::EResult::ok);
    EXPECT_EQ(read.entries[0].strTitle, Ref('T', 3));
    EXPECT_EQ(read.entries[0].strUserName, Ref('U', 1));
    EXPECT_EQ(read.entries[3].strPassword, Ref('P', 4));
}

// The database that took minutes: each entry names the next eight times in
// every field. It reads at once; when the last one has texts, the copies
// outgrow the allowance and the database is refused as too large.
TEST(KdbxReferences, ReferencesThatMultiplyAreBounded) {
    const struct {
        const char* pszCase;
        std::string strXml;
        EKdbxFailure eFailure;
        std::size_t nEntries;
    } CASES[] = {
        {"an empty end", ReferenceFanXml(10, 8, ""), EKdbxFailure::none, 10},
        {"thirty copies", ReferenceFanXml(10, 30, ""), EKdbxFailure::none, 10},
        {"texts at the end", ReferenceFanXml(12, 8), EKdbxFailure::tooLarge, 0},
    };
    for (const auto& test : CASES) {
        const SDbRead read = ReadDatabase(MakeTestKdbx(test.strXml, SKdbxTestOptions()));
        EXPECT_EQ(read.outcome.eFailure, test.eFailure)
            << test.pszCase << ": " << read.outcome.strMessage;
        ASSERT_EQ(read.entries.size(), test.nEntries) << test.pszCase;
        for (const SImportEntry& entry : read.entries)
            EXPECT_EQ(entry.strPassword, "") << test.pszCase;
    }
}

// With the recycle bin turned off, the group Meta names as the bin is a
// group like any other.
TEST(KdbxReferences, ARecycleBinTurnedOffIsAGroupLikeAnyOther) {
    const struct {
        const char* pszEnabled;
        std::vector<std::string> titles;
    } CASES[] = {
        {"True", {"Shop"}},
        {"", {"Shop"}},
        {"False", {"Shop", "Old"}},
        {"false", {"Shop", "Old"}},
    };
    for (const auto& test : CASES) {
        const SDbRead read = ReadDatabase(MakeTestKdbx(RecycleBinXml(test.pszEnabled), {}));
        EXPECT_EQ(read.outcome.eFailure, EKdbxFailure::none) << test.pszEnabled;
        std::vector<std::string> titles;
        for (const SImportEntry& entry : read.entries)
            titles.push_back(entry.strTitle);
        EXPECT_EQ(titles, test.titles) << test.pszEnabled;
        if (titles.size() == 2) {
            EXPECT_EQ(read.entries[1].GroupPath(), std::vector<std::string>{"Recycle Bin"});
        }
    }
}

// The crafted seeds of the fuzzer read as their names say: a whole
// database (first byte even) with the password "pw", or the XML inside one
// (odd) with the fuzzer's allowance.
TEST(KdbxReferences, CraftedFuzzSeedsReadAsTheyPromise) {
    const std::filesystem::path SEEDS = KEYHAVEN_KDBX_SEEDS;
    const struct {
        const char* pszFile;
        bool bRead;
        std::size_t nEntries;
    } CASES[] = {
        {"crafted-reference-fan.bin", true, 10},       {"crafted-reference-ring.bin", true, 3},
        {"crafted-deep-references.bin", false, 0},     {"crafted-nested-groups.bin", true, 100},
        {"crafted-shared-start-titles.bin", true, 60}, {"crafted-recycle-bin-off.bin", true, 2},
    };
    std::set<std::string> listed;
    for (const auto& test : CASES) {
        listed.insert(test.pszFile);
        std::ifstream in(SEEDS / test.pszFile, std::ios::binary);
        ASSERT_TRUE(in) << test.pszFile;
        const std::string strSeed((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        ASSERT_FALSE(strSeed.empty()) << test.pszFile;
        std::size_t nEntries = 0;
        bool bRead = false;
        if (strSeed[0] % 2 == 0) {
            const SDbRead read = ReadDatabase(std::span(
                reinterpret_cast<const std::uint8_t*>(strSeed.data()) + 1, strSeed.size() - 1));
            bRead = read.outcome.eFailure == EKdbxFailure::none;
            nEntries = read.entries.size();
        } else {
            const SXmlRead read =
                ReadXml(strSeed.substr(1), CKdbxXmlReader::MAX_REFERENCE_STEPS, FUZZ_XML_ALLOWANCE);
            bRead = read.eResult == CKdbxXmlReader::EResult::ok;
            nEntries = read.entries.size();
        }
        EXPECT_EQ(bRead, test.bRead) << test.pszFile;
        EXPECT_EQ(nEntries, test.nEntries) << test.pszFile;
    }
    for (const auto& file : std::filesystem::directory_iterator(SEEDS)) {
        const std::string strName = file.path().filename();
        if (strName.starts_with("crafted-")) {
            EXPECT_TRUE(listed.count(strName)) << strName << " is not read by the tests";
        }
    }
}
