// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <botan/secmem.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Time-based codes change every period; counter-based ones each time the
// counter is moved on.
enum class EOtpKind { totp, hotp };
enum class EOtpAlgorithm { sha1, sha256, sha512 };
// How the number a code is made of is written: RFC codes as decimal digits,
// Steam codes as 5 characters of their own alphabet.
enum class EOtpEncoder { rfc, steam };

inline constexpr int OTP_MIN_DIGITS = 6;
inline constexpr int OTP_MAX_DIGITS = 10;
inline constexpr int OTP_STEAM_CHARACTERS = 5;
inline constexpr int OTP_DEFAULT_DIGITS = 6;
inline constexpr int OTP_DEFAULT_PERIOD = 30;
// A period longer than a day is no one-time password anyone shows.
inline constexpr int OTP_MAX_PERIOD = 86400;

// The secret bytes; the allocator wipes them before the memory is given back,
// so every copy of the settings wipes its own.
using COtpSecret = Botan::secure_vector<std::uint8_t>;

// Why settings were refused; none when they were read.
enum class EOtpProblem {
    none,
    notOtpUri,    // not otpauth://totp/... or otpauth://hotp/...
    badEncoding,  // a broken percent escape in the label or a parameter
    noSecret,     // no secret, or an empty one
    badSecret,    // the secret is not Base32
    badAlgorithm, // not SHA1, SHA256 or SHA512
    badDigits,    // not a number from 6 to 10 (5 for Steam)
    badPeriod,    // not a number of seconds from 1 to a day
    noCounter,    // a counter-based code without its counter
    badCounter,   // a counter that is no whole number
    badEncoder,   // an encoder other than Steam's
    noOtpFields,  // an entry with neither the URI nor the older seed
    badSettings   // the older "TOTP Settings" field is not "period;digits"
};

// One entry's one-time-password settings: what kind of code, its secret, how
// it is made and written, and whom it is for.
class COtpSettings {
public:
    EOtpKind Kind() const { return m_eKind; }
    void SetKind(EOtpKind eKind) { m_eKind = eKind; }
    const COtpSecret& Secret() const { return m_secret; }
    void SetSecret(std::span<const std::uint8_t> secret);
    EOtpAlgorithm Algorithm() const { return m_eAlgorithm; }
    void SetAlgorithm(EOtpAlgorithm eAlgorithm) { m_eAlgorithm = eAlgorithm; }
    // Decimal digits of an RFC code; a Steam code's 5 characters.
    int Digits() const { return m_nDigits; }
    void SetDigits(int nDigits) { m_nDigits = nDigits; }
    // Seconds each time-based code lasts.
    int Period() const { return m_nPeriod; }
    void SetPeriod(int nPeriod) { m_nPeriod = nPeriod; }
    // The counter a counter-based code is made from.
    std::uint64_t Counter() const { return m_nCounter; }
    void SetCounter(std::uint64_t nCounter) { m_nCounter = nCounter; }
    EOtpEncoder Encoder() const { return m_eEncoder; }
    // Steam codes are always 5 characters: choosing its encoder sets that
    // length, and choosing the RFC's again puts back the default digits.
    void SetEncoder(EOtpEncoder eEncoder);
    // Who issued the secret and whose account it is, as UTF-8.
    const std::string& Issuer() const { return m_strIssuer; }
    void SetIssuer(std::string strIssuer) { m_strIssuer = std::move(strIssuer); }
    const std::string& Account() const { return m_strAccount; }
    void SetAccount(std::string strAccount) { m_strAccount = std::move(strAccount); }

    // Why these settings make no codes (none when they do), with a sentence
    // in strReason.
    EOtpProblem Check(std::string* pstrReason = nullptr) const;

    bool operator==(const COtpSettings& other) const = default;

private:
    EOtpKind m_eKind = EOtpKind::totp;
    COtpSecret m_secret;
    EOtpAlgorithm m_eAlgorithm = EOtpAlgorithm::sha1;
    int m_nDigits = OTP_DEFAULT_DIGITS;
    int m_nPeriod = OTP_DEFAULT_PERIOD;
    std::uint64_t m_nCounter = 0;
    EOtpEncoder m_eEncoder = EOtpEncoder::rfc;
    std::string m_strIssuer;
    std::string m_strAccount;
};

// Settings read from a URI or an entry's fields, or why they were not.
struct SOtpRead {
    EOtpProblem eProblem = EOtpProblem::none;
    std::string strReason; // a clear sentence for the user; empty when read
    COtpSettings settings; // the settings read; only when eProblem is none

    explicit operator bool() const { return eProblem == EOtpProblem::none; }
};

// Reads an otpauth URI as authenticator apps and KeePassXC write it:
// otpauth://totp/Issuer:Account?secret=BASE32&issuer=...&algorithm=SHA1&
// digits=6&period=30 (a counter= instead of the period for hotp, and
// encoder=steam for a Steam code). The scheme, kind, parameter names and
// algorithm are read in any case, the secret in either case with spaces and
// padding; parameters it does not know are passed over, and a "+" is itself,
// not a space. The issuer parameter wins over the label's; spaces before the
// account are passed over. Settings that make no codes (COtpSettings::Check)
// are refused too.
SOtpRead ReadOtpUri(std::string_view strUri);

// Writes settings as an otpauth URI in the order ReadOtpUri names, every
// parameter written and every byte outside the plain URI characters
// percent-encoded, so that reading it gives the same settings. The URI holds
// the secret: wipe it once used.
std::string WriteOtpUri(const COtpSettings& settings);

// Base32 (RFC 4648) as otpauth URIs carry secrets: upper case, no padding.
std::string EncodeOtpBase32(std::span<const std::uint8_t> bytes);
// Reads Base32 in either case, passing over spaces and the padding at the
// end; nothing for any other character or a length no bytes encode.
std::optional<COtpSecret> DecodeOtpBase32(std::string_view strText);

// The fields a KeePass-family entry keeps its one-time password in: the URI
// in one field, or the older pair of a Base32 seed and its settings
// ("period;digits", or "period;S" for a Steam code).
inline constexpr std::string_view OTP_URI_FIELD = "otp";
inline constexpr std::string_view OTP_SEED_FIELD = "TOTP Seed";
inline constexpr std::string_view OTP_SETTINGS_FIELD = "TOTP Settings";

// An entry's field by name: its value, or nothing when the entry has no such
// field.
using COtpFieldLookup = std::function<std::optional<std::string>(std::string_view strName)>;

struct SOtpField {
    std::string strName;
    std::string strValue;

    bool operator==(const SOtpField& other) const = default;
};

// Reads the settings from an entry's fields: the URI field when the entry
// has one, otherwise the seed with its settings (30 seconds and 6 digits
// when the settings field is missing or empty; anything after a second
// semicolon is passed over).
SOtpRead OtpFromEntryFields(const COtpFieldLookup& fnLookup);

// The fields to write for the settings: the URI field, which holds the
// secret. A writer drops the older pair from an entry that had it, so that
// the two never disagree.
std::vector<SOtpField> OtpEntryFields(const COtpSettings& settings);

// The older pair for the settings, for a database read by programs that know
// only that: nothing when the pair cannot hold them (a counter-based code,
// an algorithm other than SHA-1).
std::optional<std::vector<SOtpField>> OtpLegacyEntryFields(const COtpSettings& settings);
