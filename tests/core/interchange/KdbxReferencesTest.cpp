// SPDX-License-Identifier: GPL-3.0-or-later
#include "CraftedImports.h"
#include "KdbxTestWriter.h"

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxXml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
