// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp/OtpCode.h"

#include <botan/mac.h>

#include <algorithm>
#include <array>

namespace {

const char* MacName(EOtpAlgorithm eAlgorithm) {
    switch (eAlgorithm) {
    case EOtpAlgorithm::sha256:
        return "HMAC(SHA-256)";
    case EOtpAlgorithm::sha512:
        return "HMAC(SHA-512)";
    case EOtpAlgorithm::sha1:
        break;
    }
    return "HMAC(SHA-1)";
}

} // namespace

std::uint32_t OtpTruncatedValue(std::span<const std::uint8_t> secret, EOtpAlgorithm eAlgorithm,
                                std::uint64_t nCounter) {
    // The MAC keeps its key and state in memory it wipes, as is the digest.
    const auto pMac = Botan::MessageAuthenticationCode::create_or_throw(MacName(eAlgorithm));
    pMac->set_key(secret.data(), secret.size());
    std::array<std::uint8_t, 8> counter{};
    for (std::size_t n = 0; n < counter.size(); ++n)
        counter[n] = std::uint8_t(nCounter >> (8 * (counter.size() - 1 - n)));
    pMac->update(counter.data(), counter.size());
    const Botan::secure_vector<std::uint8_t> digest = pMac->final();
    const std::size_t nOffset = digest.back() & 0x0F;
    return (std::uint32_t(digest[nOffset] & 0x7F) << 24) |
           (std::uint32_t(digest[nOffset + 1]) << 16) | (std::uint32_t(digest[nOffset + 2]) << 8) |
           std::uint32_t(digest[nOffset + 3]);
}

std::string RfcOtpDigits(std::uint32_t nValue, int nDigits) {
    std::string strCode(std::size_t(std::clamp(nDigits, 1, OTP_MAX_DIGITS)), '0');
    std::uint64_t nRest = nValue;
    for (auto it = strCode.rbegin(); it != strCode.rend() && nRest != 0; ++it, nRest /= 10)
        *it = char('0' + nRest % 10);
    return strCode;
}

std::string SteamOtpCharacters(std::uint32_t nValue) {
    constexpr auto BASE = std::uint32_t(OTP_STEAM_ALPHABET.size());
    std::string strCode;
    for (int n = 0; n < OTP_STEAM_CHARACTERS; ++n, nValue /= BASE)
        strCode += OTP_STEAM_ALPHABET[nValue % BASE];
    return strCode;
}

std::uint64_t TotpTimeStep(std::int64_t nUnixTime, int nPeriod) {
    if (nUnixTime <= 0 || nPeriod <= 0)
        return 0;
    return std::uint64_t(nUnixTime) / std::uint64_t(nPeriod);
}

int TotpSecondsLeft(std::int64_t nUnixTime, int nPeriod) {
    if (nPeriod <= 0)
        return 0;
    // The remainder counted up from the start of the period, before the
    // epoch too.
    const std::int64_t nInto = ((nUnixTime % nPeriod) + nPeriod) % nPeriod;
    return int(nPeriod - nInto);
}

std::string OtpCodeForCounter(const COtpSettings& settings, std::uint64_t nCounter) {
    const std::uint32_t nValue =
        OtpTruncatedValue(settings.Secret(), settings.Algorithm(), nCounter);
    return settings.Encoder() == EOtpEncoder::steam ? SteamOtpCharacters(nValue)
                                                    : RfcOtpDigits(nValue, settings.Digits());
}

std::string GroupOtpCode(std::string_view strCode) {
    if (strCode.size() < static_cast<std::size_t>(OTP_MIN_DIGITS))
        return std::string(strCode);
    const std::size_t nFirst = strCode.size() / 2;
    return std::string(strCode.substr(0, nFirst)) + " " + std::string(strCode.substr(nFirst));
}

std::string OtpCode(const COtpSettings& settings, std::int64_t nUnixTime) {
    if (settings.Check() != EOtpProblem::none)
        return {};
    return OtpCodeForCounter(settings, settings.Kind() == EOtpKind::totp
                                           ? TotpTimeStep(nUnixTime, settings.Period())
                                           : settings.Counter());
}
