// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp/OtpCode.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

COtpSettings Settings(EOtpKind eKind, std::string_view strSecret, EOtpAlgorithm eAlgorithm,
                      int nDigits) {
    COtpSettings settings;
    settings.SetKind(eKind);
    settings.SetSecret({reinterpret_cast<const std::uint8_t*>(strSecret.data()), strSecret.size()});
    settings.SetAlgorithm(eAlgorithm);
    settings.SetDigits(nDigits);
    return settings;
}

constexpr std::string_view SECRET_20 = "12345678901234567890";

} // namespace

TEST(OtpCode, HotpGivesTheRfcValues) {
    // The 6-digit codes of RFC 4226's test secret for the counters 0 to 9.
    const char* const CODES[] = {"755224", "287082", "359152", "969429", "338314",
                                 "254676", "287922", "162583", "399871", "520489"};
    COtpSettings settings = Settings(EOtpKind::hotp, SECRET_20, EOtpAlgorithm::sha1, 6);
    for (std::uint64_t nCounter = 0; nCounter < std::size(CODES); ++nCounter) {
        settings.SetCounter(nCounter);
        // A counter-based code takes no notice of the time.
        EXPECT_EQ(OtpCode(settings, 1234567890), CODES[nCounter]) << nCounter;
    }
}

TEST(OtpCode, TotpGivesTheRfcValues) {
    // RFC 6238's secrets are its ASCII digits repeated to the hash's length.
    const std::string_view SECRET_32 = "12345678901234567890123456789012";
    const std::string_view SECRET_64 =
        "1234567890123456789012345678901234567890123456789012345678901234";
    const struct {
        std::int64_t nTime;
        std::uint64_t nStep;
        const char* pszSha1;
        const char* pszSha256;
        const char* pszSha512;
    } rows[] = {
        {59, 1, "94287082", "46119246", "90693936"},
        {1111111109, 0x23523EC, "07081804", "68084774", "25091201"},
        {1111111111, 0x23523ED, "14050471", "67062674", "99943326"},
        {1234567890, 0x273EF07, "89005924", "91819424", "93441116"},
        {2000000000, 0x3F940AA, "69279037", "90698825", "38618901"},
        {20000000000, 0x27BC86AA, "65353130", "77737706", "47863826"},
    };
    const COtpSettings sha1 = Settings(EOtpKind::totp, SECRET_20, EOtpAlgorithm::sha1, 8);
    const COtpSettings sha256 = Settings(EOtpKind::totp, SECRET_32, EOtpAlgorithm::sha256, 8);
    const COtpSettings sha512 = Settings(EOtpKind::totp, SECRET_64, EOtpAlgorithm::sha512, 8);
    for (const auto& row : rows) {
        EXPECT_EQ(TotpTimeStep(row.nTime, 30), row.nStep) << row.nTime;
        EXPECT_EQ(OtpCode(sha1, row.nTime), row.pszSha1) << row.nTime;
        EXPECT_EQ(OtpCode(sha256, row.nTime), row.pszSha256) << row.nTime;
        EXPECT_EQ(OtpCode(sha512, row.nTime), row.pszSha512) << row.nTime;
    }
}

TEST(OtpCode, EncodersWriteTheNumber) {
    // The number RFC 4226's secret gives for counter 0; in base 26, lowest
    // digit first: 12, 12, 3, 11, 3.
    const auto* pSecret = reinterpret_cast<const std::uint8_t*>(SECRET_20.data());
    EXPECT_EQ(OtpTruncatedValue({pSecret, SECRET_20.size()}, EOtpAlgorithm::sha1, 0), 1284755224u);
    EXPECT_EQ(SteamOtpCharacters(1284755224), "GG5F5");
    EXPECT_EQ(SteamOtpCharacters(0), "22222");
    EXPECT_EQ(RfcOtpDigits(1284755224, 10), "1284755224");
    EXPECT_EQ(RfcOtpDigits(82162583, 10), "0082162583");
    EXPECT_EQ(RfcOtpDigits(82162583, 7), "2162583");

    // A Steam code made from a well-known Base32 secret ("Hello!\xDE\xAD\xBE\xEF").
    COtpSettings steam;
    steam.SetSecret(*DecodeOtpBase32("JBSWY3DPEHPK3PXP"));
    steam.SetEncoder(EOtpEncoder::steam);
    EXPECT_EQ(OtpCode(steam, 1700000000), "2KM2P");

    // Settings that make no code give none.
    steam.SetSecret({});
    EXPECT_EQ(OtpCode(steam, 1700000000), "");
}

TEST(OtpCode, CountsDownThePeriod) {
    const struct {
        std::int64_t nTime;
        int nPeriod;
        int nLeft;
        std::uint64_t nStep;
    } rows[] = {
        {0, 30, 30, 0},  {1, 30, 29, 0},   {29, 30, 1, 0},
        {30, 30, 30, 1}, {59, 30, 1, 1},   {1700000010, 60, 30, 28333333},
        {-1, 30, 1, 0},  {-30, 30, 30, 0}, {7, 1, 1, 7},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TotpSecondsLeft(row.nTime, row.nPeriod), row.nLeft) << row.nTime;
        EXPECT_EQ(TotpTimeStep(row.nTime, row.nPeriod), row.nStep) << row.nTime;
    }
}

TEST(OtpCode, IsShownInTwoHalves) {
    const struct {
        const char* pszCode;
        const char* pszShown;
    } rows[] = {{"123456", "123 456"},
                {"12345678", "1234 5678"},
                {"1234567", "123 4567"},
                {"2KM2P", "2KM2P"},
                {"", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(GroupOtpCode(row.pszCode), row.pszShown) << row.pszCode;
}
