// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp/OtpSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* HELLO = "JBSWY3DPEHPK3PXP"; // "Hello!\xDE\xAD\xBE\xEF"

SOtpRead FromFields(const std::vector<SOtpField>& fields) {
    return OtpFromEntryFields([&fields](std::string_view strName) -> std::optional<std::string> {
        for (const SOtpField& field : fields)
            if (field.strName == strName)
                return field.strValue;
        return std::nullopt;
    });
}

} // namespace

// Each URI is read, written in the canonical form, and that form reads back
// as the same settings.
TEST(OtpSettings, ReadsUrisAndWritesThemBack) {
    const struct {
        const char* pszUri;
        const char* pszCanonical; // nullptr: the URI is canonical
    } rows[] = {
        {"otpauth://totp/ACME%20Co:j@x.org?secret=HXDMVJECJJWSRB3HWIZR4IFUGFTMXBOZ7A&"
         "issuer=ACME%20Co&algorithm=SHA1&digits=6&period=30",
         nullptr},
        {"otpauth://totp/alice?secret=JBSWY3DPEHPK3PXP",
         "otpauth://totp/alice?secret=JBSWY3DPEHPK3PXP&algorithm=SHA1&digits=6&period=30"},
        // Names in any case, the secret in lower case with spaces and padding,
        // unknown parameters and a fragment.
        {"  OTPAUTH://TOTP/Ex:a?SECRET=mzxw%206yq=&Algorithm=sha-256&DIGITS=8&x=1&Period=60#f ",
         "otpauth://totp/Ex:a?secret=MZXW6YQ&issuer=Ex&algorithm=SHA256&digits=8&period=60"},
        // The first issuer parameter wins over the label's; an escaped colon.
        {"otpauth://totp/Old:bob?issuer=New&secret=JBSWY3DPEHPK3PXP&issuer=Third",
         "otpauth://totp/New:bob?secret=JBSWY3DPEHPK3PXP&issuer=New&algorithm=SHA1&digits=6&"
         "period=30"},
        {"otpauth://totp/Big%20Corp%3A%20%20carol?secret=JBSWY3DPEHPK3PXP&digits=10",
         "otpauth://totp/Big%20Corp:carol?secret=JBSWY3DPEHPK3PXP&issuer=Big%20Corp&"
         "algorithm=SHA1&digits=10&period=30"},
        {"otpauth://totp/A%3AB%26C%3DD%25E%3FF%23G%2FH%2B:J%C3%BCrgen%20M%C3%BCller?secret="
         "JBSWY3DPEHPK3PXP&issuer=A%3AB%26C%3DD%25E%3FF%23G%2FH%2B&algorithm=SHA1&digits=6&"
         "period=30",
         nullptr},
        {"otpauth://totp/:a%3Ab?secret=JBSWY3DPEHPK3PXP&algorithm=SHA1&digits=7&period=30",
         nullptr},
        // A counter-based code has no period to check.
        {"otpauth://hotp/?secret=JBSWY3DPEHPK3PXP&counter=18446744073709551615&algorithm=SHA512"
         "&digits=10&period=0",
         "otpauth://hotp/?secret=JBSWY3DPEHPK3PXP&algorithm=SHA512&digits=10&"
         "counter=18446744073709551615"},
        // Steam codes are 5 characters whatever the digits say.
        {"otpauth://totp/Steam:erin?secret=JBSWY3DPEHPK3PXP&digits=6&period=60&encoder=Steam",
         "otpauth://totp/Steam:erin?secret=JBSWY3DPEHPK3PXP&issuer=Steam&algorithm=SHA1&digits=5&"
         "period=60&"
         "encoder=steam"},
    };
    for (const auto& row : rows) {
        const SOtpRead read = ReadOtpUri(row.pszUri);
        ASSERT_TRUE(read) << row.pszUri << ": " << read.strReason;
        const std::string strWritten = WriteOtpUri(read.settings);
        EXPECT_EQ(strWritten, row.pszCanonical ? row.pszCanonical : row.pszUri);
        EXPECT_TRUE(ReadOtpUri(strWritten).settings == read.settings) << strWritten;
        EXPECT_EQ(OtpEntryFields(read.settings), std::vector<SOtpField>({{"otp", strWritten}}));
    }
    const COtpSettings settings = ReadOtpUri(rows[5].pszUri).settings;
    EXPECT_EQ(settings.Issuer(), "A:B&C=D%E?F#G/H+");
    EXPECT_EQ(settings.Account(), "J\xC3\xBCrgen M\xC3\xBCller");
}

TEST(OtpSettings, RefusesMalformedUris) {
    const std::string strGood = "otpauth://totp/x?secret=JBSWY3DPEHPK3PXP";
    const struct {
        std::string strUri;
        EOtpProblem eProblem;
    } rows[] = {
        {"https://x/?secret=JBSWY3DPEHPK3PXP", EOtpProblem::notOtpUri},
        {"otpauth://motp/x?secret=JBSWY3DPEHPK3PXP", EOtpProblem::notOtpUri},
        {"otpauth://totp/x?issuer=A", EOtpProblem::noSecret},
        {"otpauth://totp/x?secret=%20&issuer=A", EOtpProblem::noSecret},
        {"otpauth://totp/x?secret====", EOtpProblem::noSecret},
        {strGood + "1", EOtpProblem::badSecret},
        {strGood + "&algorithm=MD5", EOtpProblem::badAlgorithm},
        {strGood + "&digits=5", EOtpProblem::badDigits},
        {strGood + "&digits=11", EOtpProblem::badDigits},
        {strGood + "&digits=six", EOtpProblem::badDigits},
        {strGood + "&period=0", EOtpProblem::badPeriod},
        {strGood + "&period=86401", EOtpProblem::badPeriod},
        {"otpauth://hotp/x?secret=JBSWY3DPEHPK3PXP", EOtpProblem::noCounter},
        {"otpauth://hotp/x?secret=JBSWY3DPEHPK3PXP&counter=18446744073709551616",
         EOtpProblem::badCounter},
        {strGood + "&encoder=yandex", EOtpProblem::badEncoder},
        {"otpauth://totp/Bad%2?secret=JBSWY3DPEHPK3PXP", EOtpProblem::badEncoding},
        {strGood + "&issuer=%ZZ", EOtpProblem::badEncoding},
    };
    for (const auto& row : rows) {
        const SOtpRead read = ReadOtpUri(row.strUri);
        EXPECT_EQ(read.eProblem, row.eProblem) << row.strUri;
        EXPECT_FALSE(read.strReason.empty()) << row.strUri;
    }
}

TEST(OtpSettings, Base32) {
    // RFC 4648's vectors both ways, then what is tolerated and what is refused.
    const struct {
        const char* pszText;
        std::optional<std::string> bytes;
    } rows[] = {{"", ""},
                {"MY", "f"},
                {"MZXQ", "fo"},
                {"MZXW6", "foo"},
                {"MZXW6YQ", "foob"},
                {"MZXW6YTB", "fooba"},
                {"MZXW6YTBOI", "foobar"},
                {"mzxw 6ytb\toi======", "foobar"},
                {"M", std::nullopt},
                {"MZX", std::nullopt},
                {"MZXW6Y", std::nullopt},
                {"MZ0W", std::nullopt},
                {"MZ=XW", std::nullopt},
                {"MZ-XW", std::nullopt}};
    for (std::size_t n = 0; n < std::size(rows); ++n) {
        const auto bytes = DecodeOtpBase32(rows[n].pszText);
        EXPECT_EQ(bytes ? std::optional<std::string>({bytes->begin(), bytes->end()}) : std::nullopt,
                  rows[n].bytes)
            << rows[n].pszText;
        if (n < 7 && bytes) {
            EXPECT_EQ(EncodeOtpBase32(*bytes), rows[n].pszText);
        }
    }
}

TEST(OtpSettings, ReadsEntryFields) {
    const std::string strSteam =
        "otpauth://totp/S:e?secret=JBSWY3DPEHPK3PXP&period=45&encoder=steam";
    const struct {
        std::vector<SOtpField> fields;
        EOtpProblem eProblem;
        const char* pszRead; // period;digits of what is read
    } rows[] = {
        // The URI wins over the older pair; an empty one does not count.
        {{{"otp", strSteam}, {"TOTP Seed", "MZXW6YQ"}, {"TOTP Settings", "60;8"}},
         EOtpProblem::none,
         "45;5S"},
        {{{"otp", " "}, {"TOTP Seed", HELLO}, {"TOTP Settings", "60;8"}},
         EOtpProblem::none,
         "60;8"},
        {{{"TOTP Seed", "jbsw y3dp ehpk 3pxp"}}, EOtpProblem::none, "30;6"},
        {{{"TOTP Seed", HELLO}, {"TOTP Settings", ""}}, EOtpProblem::none, "30;6"},
        {{{"TOTP Seed", HELLO}, {"TOTP Settings", "30;S"}}, EOtpProblem::none, "30;5S"},
        {{{"TOTP Seed", HELLO}, {"TOTP Settings", " 45 ; 7 ;https://t"}},
         EOtpProblem::none,
         "45;7"},
        {{{"TOTP Settings", "30;6"}}, EOtpProblem::noOtpFields, ""},
        {{{"otp", "garbage"}, {"TOTP Seed", HELLO}}, EOtpProblem::notOtpUri, ""},
        {{{"TOTP Seed", "!!"}}, EOtpProblem::badSecret, ""},
        {{{"TOTP Seed", HELLO}, {"TOTP Settings", "30"}}, EOtpProblem::badSettings, ""},
        {{{"TOTP Seed", HELLO}, {"TOTP Settings", "0;6"}}, EOtpProblem::badPeriod, ""},
        {{{"TOTP Seed", HELLO}, {"TOTP Settings", "30;4"}}, EOtpProblem::badDigits, ""},
    };
    for (std::size_t n = 0; n < std::size(rows); ++n) {
        const SOtpRead read = FromFields(rows[n].fields);
        EXPECT_EQ(read.eProblem, rows[n].eProblem) << "row " << n << ": " << read.strReason;
        EXPECT_EQ(read.strReason.empty(), bool(read)) << "row " << n;
        const COtpSettings& s = read.settings;
        const std::string strRead = std::to_string(s.Period()) + ';' + std::to_string(s.Digits()) +
                                    (s.Encoder() == EOtpEncoder::steam ? "S" : "");
        EXPECT_EQ(read ? strRead : "", rows[n].pszRead) << "row " << n;
        // The older pair holds all but the names, and reads back the same.
        COtpSettings unnamed = s;
        unnamed.SetIssuer({});
        unnamed.SetAccount({});
        const auto legacy = OtpLegacyEntryFields(unnamed);
        EXPECT_TRUE(!read || (legacy && FromFields(*legacy).settings == unnamed)) << "row " << n;
    }
    // It holds neither counters nor other algorithms.
    COtpSettings settings = FromFields(rows[0].fields).settings;
    settings.SetAlgorithm(EOtpAlgorithm::sha256);
    EXPECT_FALSE(OtpLegacyEntryFields(settings));
    settings.SetAlgorithm(EOtpAlgorithm::sha1);
    settings.SetKind(EOtpKind::hotp);
    EXPECT_FALSE(OtpLegacyEntryFields(settings));
    // Choosing the encoder sets the length; a Steam code has no other.
    settings.SetEncoder(EOtpEncoder::rfc);
    EXPECT_EQ(settings.Digits(), OTP_DEFAULT_DIGITS);
    settings.SetEncoder(EOtpEncoder::steam);
    settings.SetDigits(6);
    EXPECT_EQ(settings.Check(), EOtpProblem::badDigits);
}
