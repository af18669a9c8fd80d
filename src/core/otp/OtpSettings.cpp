// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp/OtpSettings.h"

#include "core/base/TextUtil.h"
#include "core/seal/SecretBuffer.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace {

constexpr std::string_view BASE32_ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr std::string_view URI_SCHEME = "otpauth://";

struct SAlgorithmName {
    EOtpAlgorithm eAlgorithm;
    std::string_view strName; // as URIs write it
};
constexpr SAlgorithmName ALGORITHM_NAMES[] = {
    {EOtpAlgorithm::sha1, "SHA1"},
    {EOtpAlgorithm::sha256, "SHA256"},
    {EOtpAlgorithm::sha512, "SHA512"},
};

SOtpRead Refused(EOtpProblem eProblem, std::string strReason) {
    SOtpRead read;
    read.eProblem = eProblem;
    read.strReason = std::move(strReason);
    return read;
}

// Settings read in full are refused still when they make no codes.
SOtpRead Checked(SOtpRead read) {
    read.eProblem = read.settings.Check(&read.strReason);
    if (read.eProblem != EOtpProblem::none)
        read.settings = COtpSettings();
    return read;
}

std::string_view Trimmed(std::string_view str) {
    const auto nFirst = str.find_first_not_of(" \t\r\n");
    if (nFirst == std::string_view::npos)
        return {};
    return str.substr(nFirst, str.find_last_not_of(" \t\r\n") - nFirst + 1);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Undoes the percent escapes; nothing for a "%" without two hex digits.
std::optional<std::string> PercentDecoded(std::string_view str) {
    std::string strOut;
    strOut.reserve(str.size());
    for (std::size_t n = 0; n < str.size(); ++n) {
        if (str[n] != '%') {
            strOut += str[n];
            continue;
        }
        const int nHigh = n + 1 < str.size() ? HexValue(str[n + 1]) : -1;
        const int nLow = n + 2 < str.size() ? HexValue(str[n + 2]) : -1;
        if (nHigh < 0 || nLow < 0) {
            CSecretBuffer::Wipe(strOut);
            return std::nullopt;
        }
        strOut += char(nHigh * 16 + nLow);
        n += 2;
    }
    return strOut;
}

// Escapes all but the unreserved characters of a URI and "@", which
// addresses in account names keep readable.
std::string PercentEncoded(std::string_view str) {
    static constexpr char HEX[] = "0123456789ABCDEF";
    std::string strOut;
    for (const char c : str) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '@') {
            strOut += c;
        } else {
            strOut += '%';
            strOut += HEX[u >> 4];
            strOut += HEX[u & 15];
        }
    }
    return strOut;
}

// A whole decimal number with nothing around it.
template <typename T> std::optional<T> ParsedNumber(std::string_view str) {
    T nValue{};
    const auto [pEnd, ec] = std::from_chars(str.data(), str.data() + str.size(), nValue);
    if (str.empty() || ec != std::errc() || pEnd != str.data() + str.size())
        return std::nullopt;
    return nValue;
}

std::string DigitsReason(std::string_view strDigits) {
    return "The number of digits \"" + std::string(strDigits) + "\" is not " +
           std::to_string(OTP_MIN_DIGITS) + " to " + std::to_string(OTP_MAX_DIGITS) + ".";
}

std::string PeriodReason(std::string_view strPeriod) {
    return "The period \"" + std::string(strPeriod) + "\" is not a number of seconds from 1 to " +
           std::to_string(OTP_MAX_PERIOD) + ".";
}

// The parameters of a URI's query that it reads, unescaped. The secret's
// text is wiped with it.
struct SUriQuery {
    std::optional<std::string> secret, issuer, algorithm, digits, period, counter, encoder;

    SUriQuery() = default;
    SUriQuery(const SUriQuery&) = delete;
    SUriQuery& operator=(const SUriQuery&) = delete;
    ~SUriQuery() {
        if (secret)
            CSecretBuffer::Wipe(*secret);
    }
};

// Reads the query's parameters by name in any case; the first of a repeated
// one counts. False for a broken escape.
bool SplitQuery(std::string_view strQuery, SUriQuery& query) {
    const std::pair<std::string_view, std::optional<std::string> SUriQuery::*> NAMES[] = {
        {"secret", &SUriQuery::secret},       {"issuer", &SUriQuery::issuer},
        {"algorithm", &SUriQuery::algorithm}, {"digits", &SUriQuery::digits},
        {"period", &SUriQuery::period},       {"counter", &SUriQuery::counter},
        {"encoder", &SUriQuery::encoder},
    };
    while (!strQuery.empty()) {
        const auto nAmp = strQuery.find('&');
        const std::string_view strPair = strQuery.substr(0, nAmp);
        strQuery = nAmp == std::string_view::npos ? std::string_view() : strQuery.substr(nAmp + 1);
        const auto nEquals = strPair.find('=');
        const std::string_view strName = strPair.substr(0, nEquals);
        const std::string_view strValue =
            nEquals == std::string_view::npos ? std::string_view() : strPair.substr(nEquals + 1);
        for (const auto& name : NAMES) {
            if (!EqualsNoCaseAscii(strName, name.first) || query.*name.second)
                continue;
            query.*name.second = PercentDecoded(strValue);
            if (!(query.*name.second))
                return false;
        }
    }
    return true;
}

// Reads the label "Issuer:Account" into the settings; the colon between them
// may be escaped as well, and spaces before the account are passed over.
bool ReadLabel(std::string_view strLabel, COtpSettings& settings) {
    auto nColon = strLabel.find(':');
    std::size_t nSkip = 1;
    if (nColon == std::string_view::npos) {
        for (std::size_t n = 0; n + 3 <= strLabel.size() && nColon == std::string_view::npos; ++n)
            if (EqualsNoCaseAscii(strLabel.substr(n, 3), "%3A"))
                nColon = n;
        nSkip = 3;
    }
    const auto issuer = nColon == std::string_view::npos
                            ? std::optional<std::string>(std::string())
                            : PercentDecoded(strLabel.substr(0, nColon));
    const auto account = PercentDecoded(
        nColon == std::string_view::npos ? strLabel : strLabel.substr(nColon + nSkip));
    if (!issuer || !account)
        return false;
    settings.SetIssuer(*issuer);
    settings.SetAccount(
        account->substr(std::min(account->find_first_not_of(' '), account->size())));
    return true;
}

} // namespace

void COtpSettings::SetSecret(std::span<const std::uint8_t> secret) {
    m_secret.assign(secret.begin(), secret.end());
}

void COtpSettings::SetEncoder(EOtpEncoder eEncoder) {
    if (eEncoder == EOtpEncoder::steam)
        m_nDigits = OTP_STEAM_CHARACTERS;
    else if (m_eEncoder == EOtpEncoder::steam)
        m_nDigits = OTP_DEFAULT_DIGITS;
    m_eEncoder = eEncoder;
}

EOtpProblem COtpSettings::Check(std::string* pstrReason) const {
    std::string strReason;
    EOtpProblem eProblem = EOtpProblem::none;
    if (m_secret.empty()) {
        eProblem = EOtpProblem::noSecret;
        strReason = "The one-time password has no secret.";
    } else if (m_eEncoder == EOtpEncoder::steam
                   ? m_nDigits != OTP_STEAM_CHARACTERS
                   : m_nDigits < OTP_MIN_DIGITS || m_nDigits > OTP_MAX_DIGITS) {
        eProblem = EOtpProblem::badDigits;
        strReason = m_eEncoder == EOtpEncoder::steam
                        ? "A Steam code has " + std::to_string(OTP_STEAM_CHARACTERS) +
                              " characters, not " + std::to_string(m_nDigits) + "."
                        : DigitsReason(std::to_string(m_nDigits));
    } else if (m_eKind == EOtpKind::totp && (m_nPeriod < 1 || m_nPeriod > OTP_MAX_PERIOD)) {
        eProblem = EOtpProblem::badPeriod;
        strReason = PeriodReason(std::to_string(m_nPeriod));
    }
    if (pstrReason)
        *pstrReason = std::move(strReason);
    return eProblem;
}

std::string EncodeOtpBase32(std::span<const std::uint8_t> bytes) {
    std::string strOut;
    strOut.reserve((bytes.size() * 8 + 4) / 5);
    unsigned nBits = 0;
    int nCount = 0;
    for (const std::uint8_t byte : bytes) {
        nBits = (nBits << 8 | byte) & 0xFFFFu;
        nCount += 8;
        while (nCount >= 5) {
            nCount -= 5;
            strOut += BASE32_ALPHABET[(nBits >> nCount) & 31];
        }
    }
    if (nCount > 0)
        strOut += BASE32_ALPHABET[(nBits << (5 - nCount)) & 31];
    return strOut;
}

std::optional<COtpSecret> DecodeOtpBase32(std::string_view strText) {
    COtpSecret bytes;
    unsigned nBits = 0;
    int nCount = 0;
    std::size_t nSymbols = 0;
    bool bPadding = false;
    for (const char c : strText) {
        if (c == ' ' || c == '\t')
            continue;
        if (c == '=') {
            bPadding = true;
            continue;
        }
        const auto nValue =
            BASE32_ALPHABET.find(static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c));
        // Nothing but padding follows padding.
        if (nValue == std::string_view::npos || bPadding)
            return std::nullopt;
        nBits = (nBits << 5 | unsigned(nValue)) & 0xFFFu;
        nCount += 5;
        ++nSymbols;
        if (nCount >= 8) {
            nCount -= 8;
            bytes.push_back(std::uint8_t(nBits >> nCount));
        }
    }
    // 1, 3 or 6 symbols over whole groups of 8 encode no whole byte.
    const std::size_t nRest = nSymbols % 8;
    if (nRest == 1 || nRest == 3 || nRest == 6)
        return std::nullopt;
    return bytes;
}

SOtpRead ReadOtpUri(std::string_view strUriIn) {
    const std::string_view strUri = Trimmed(strUriIn);
    if (strUri.size() < URI_SCHEME.size() ||
        !EqualsNoCaseAscii(strUri.substr(0, URI_SCHEME.size()), URI_SCHEME))
        return Refused(EOtpProblem::notOtpUri, "This is not an otpauth:// address.");
    std::string_view strRest = strUri.substr(URI_SCHEME.size());
    strRest = strRest.substr(0, strRest.find('#'));
    const auto nQuery = strRest.find('?');
    const std::string_view strQuery =
        nQuery == std::string_view::npos ? std::string_view() : strRest.substr(nQuery + 1);
    const std::string_view strPath = strRest.substr(0, nQuery);
    const auto nSlash = strPath.find('/');
    const std::string_view strKind = strPath.substr(0, nSlash);
    const std::string_view strLabel =
        nSlash == std::string_view::npos ? std::string_view() : strPath.substr(nSlash + 1);

    SOtpRead read;
    COtpSettings& settings = read.settings;
    if (EqualsNoCaseAscii(strKind, "totp"))
        settings.SetKind(EOtpKind::totp);
    else if (EqualsNoCaseAscii(strKind, "hotp"))
        settings.SetKind(EOtpKind::hotp);
    else
        return Refused(EOtpProblem::notOtpUri, "The one-time password kind \"" +
                                                   std::string(strKind) +
                                                   "\" is neither totp nor hotp.");
    if (!ReadLabel(strLabel, settings))
        return Refused(EOtpProblem::badEncoding, "The label of the address has a broken escape.");

    SUriQuery query;
    if (!SplitQuery(strQuery, query))
        return Refused(EOtpProblem::badEncoding, "A parameter of the address has a broken escape.");
    if (!query.secret || Trimmed(*query.secret).empty())
        return Refused(EOtpProblem::noSecret, "The address has no secret.");
    const auto secret = DecodeOtpBase32(*query.secret);
    if (!secret)
        return Refused(EOtpProblem::badSecret, "The secret is not Base32 text.");
    settings.SetSecret(*secret);
    if (query.issuer)
        settings.SetIssuer(*query.issuer);
    if (query.algorithm) {
        std::string strName = *query.algorithm;
        std::erase(strName, '-');
        const auto* pFound = std::find_if(std::begin(ALGORITHM_NAMES), std::end(ALGORITHM_NAMES),
                                          [&strName](const SAlgorithmName& name) {
                                              return EqualsNoCaseAscii(strName, name.strName);
                                          });
        if (pFound == std::end(ALGORITHM_NAMES))
            return Refused(EOtpProblem::badAlgorithm, "The algorithm \"" + *query.algorithm +
                                                          "\" is not SHA1, SHA256 or SHA512.");
        settings.SetAlgorithm(pFound->eAlgorithm);
    }
    if (query.encoder) {
        if (!EqualsNoCaseAscii(*query.encoder, "steam"))
            return Refused(EOtpProblem::badEncoder,
                           "The encoder \"" + *query.encoder + "\" is not steam.");
        settings.SetEncoder(EOtpEncoder::steam);
    }
    // A Steam code's length is its own; digits are read only for RFC codes.
    if (query.digits && settings.Encoder() == EOtpEncoder::rfc) {
        const auto nDigits = ParsedNumber<int>(*query.digits);
        if (!nDigits)
            return Refused(EOtpProblem::badDigits, DigitsReason(*query.digits));
        settings.SetDigits(*nDigits);
    }
    if (settings.Kind() == EOtpKind::totp && query.period) {
        const auto nPeriod = ParsedNumber<int>(*query.period);
        if (!nPeriod)
            return Refused(EOtpProblem::badPeriod, PeriodReason(*query.period));
        settings.SetPeriod(*nPeriod);
    }
    if (settings.Kind() == EOtpKind::hotp) {
        if (!query.counter)
            return Refused(EOtpProblem::noCounter, "A counter-based code needs its counter.");
        const auto nCounter = ParsedNumber<std::uint64_t>(*query.counter);
        if (!nCounter)
            return Refused(EOtpProblem::badCounter,
                           "The counter \"" + *query.counter + "\" is not a whole number.");
        settings.SetCounter(*nCounter);
    }
    return Checked(std::move(read));
}

std::string WriteOtpUri(const COtpSettings& settings) {
    const bool bTotp = settings.Kind() == EOtpKind::totp;
    std::string strSecret = EncodeOtpBase32(settings.Secret());
    std::string strUri;
    // Room for all of it, so that no copy of the secret is left behind.
    strUri.reserve(128 + strSecret.size() +
                   6 * (settings.Issuer().size() + settings.Account().size()));
    strUri += URI_SCHEME;
    strUri += bTotp ? "totp/" : "hotp/";
    // An account with a colon and no issuer keeps an empty issuer before its
    // own, so that its colon is not read as the one between them.
    if (!settings.Issuer().empty() || settings.Account().find(':') != std::string::npos)
        strUri += PercentEncoded(settings.Issuer()) + ':';
    strUri += PercentEncoded(settings.Account());
    strUri += "?secret=";
    strUri += strSecret;
    CSecretBuffer::Wipe(strSecret);
    if (!settings.Issuer().empty())
        strUri += "&issuer=" + PercentEncoded(settings.Issuer());
    for (const auto& name : ALGORITHM_NAMES)
        if (name.eAlgorithm == settings.Algorithm())
            strUri += "&algorithm=" + std::string(name.strName);
    strUri += "&digits=" + std::to_string(settings.Digits());
    if (bTotp)
        strUri += "&period=" + std::to_string(settings.Period());
    else
        strUri += "&counter=" + std::to_string(settings.Counter());
    if (settings.Encoder() == EOtpEncoder::steam)
        strUri += "&encoder=steam";
    return strUri;
}

SOtpRead OtpFromEntryFields(const COtpFieldLookup& fnLookup) {
    if (auto uri = fnLookup(OTP_URI_FIELD); uri && !Trimmed(*uri).empty()) {
        SOtpRead read = ReadOtpUri(*uri);
        CSecretBuffer::Wipe(*uri);
        return read;
    }
    auto seed = fnLookup(OTP_SEED_FIELD);
    if (!seed || Trimmed(*seed).empty())
        return Refused(EOtpProblem::noOtpFields, "The entry has no one-time password.");
    SOtpRead read;
    const auto secret = DecodeOtpBase32(Trimmed(*seed));
    CSecretBuffer::Wipe(*seed);
    if (!secret)
        return Refused(EOtpProblem::badSecret, "The seed is not Base32 text.");
    read.settings.SetSecret(*secret);

    const auto strSettingsField = fnLookup(OTP_SETTINGS_FIELD).value_or(std::string());
    const std::string_view strSettings = Trimmed(strSettingsField);
    if (strSettings.empty())
        return Checked(std::move(read));
    // Anything after a second semicolon (a time server some writers add) is
    // passed over.
    const auto nSemicolon = strSettings.find(';');
    const std::string_view strPeriod = Trimmed(strSettings.substr(0, nSemicolon));
    const std::string_view strRest = nSemicolon == std::string_view::npos
                                         ? std::string_view()
                                         : strSettings.substr(nSemicolon + 1);
    const std::string_view strDigits = Trimmed(strRest.substr(0, strRest.find(';')));
    const auto nPeriod = ParsedNumber<int>(strPeriod);
    if (nSemicolon == std::string_view::npos || strDigits.empty())
        return Refused(EOtpProblem::badSettings, "The seed's settings \"" +
                                                     std::string(strSettings) +
                                                     "\" are not \"period;digits\".");
    if (!nPeriod)
        return Refused(EOtpProblem::badPeriod, PeriodReason(strPeriod));
    read.settings.SetPeriod(*nPeriod);
    if (strDigits == "S" || strDigits == "s") {
        read.settings.SetEncoder(EOtpEncoder::steam);
    } else {
        const auto nDigits = ParsedNumber<int>(strDigits);
        if (!nDigits)
            return Refused(EOtpProblem::badDigits, DigitsReason(strDigits));
        read.settings.SetDigits(*nDigits);
    }
    return Checked(std::move(read));
}

std::vector<SOtpField> OtpEntryFields(const COtpSettings& settings) {
    return {{std::string(OTP_URI_FIELD), WriteOtpUri(settings)}};
}

std::optional<std::vector<SOtpField>> OtpLegacyEntryFields(const COtpSettings& settings) {
    if (settings.Kind() != EOtpKind::totp || settings.Algorithm() != EOtpAlgorithm::sha1)
        return std::nullopt;
    const std::string strLength = settings.Encoder() == EOtpEncoder::steam
                                      ? std::string("S")
                                      : std::to_string(settings.Digits());
    return std::vector<SOtpField>{
        {std::string(OTP_SEED_FIELD), EncodeOtpBase32(settings.Secret())},
        {std::string(OTP_SETTINGS_FIELD), std::to_string(settings.Period()) + ';' + strLength}};
}
