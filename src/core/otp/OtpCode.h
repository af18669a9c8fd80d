// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/otp/OtpSettings.h"

#include <cstdint>
#include <span>
#include <string>

// The Steam encoder's alphabet: digits and consonants that are not easily
// taken for one another.
inline constexpr std::string_view OTP_STEAM_ALPHABET = "23456789BCDFGHJKMNPQRTVWXY";

// The 31-bit number a one-time password is made of: the HMAC of the counter
// (8 bytes, most significant first) under the secret, cut down by dynamic
// truncation (the 4 bytes at the offset the last byte's low nibble names,
// without their top bit).
std::uint32_t OtpTruncatedValue(std::span<const std::uint8_t> secret, EOtpAlgorithm eAlgorithm,
                                std::uint64_t nCounter);

// The number as an RFC code: its last nDigits decimal digits (1 to 10),
// zeros in front where it is shorter.
std::string RfcOtpDigits(std::uint32_t nValue, int nDigits);
// The number as a Steam code: 5 characters of its alphabet, the lowest
// base-26 digit first.
std::string SteamOtpCharacters(std::uint32_t nValue);

// The time step a time-based code is made from: whole periods since the Unix
// epoch (0 before it).
std::uint64_t TotpTimeStep(std::int64_t nUnixTime, int nPeriod);
// Seconds until the code shown at nUnixTime changes: 1 to nPeriod (0 for
// no period).
int TotpSecondsLeft(std::int64_t nUnixTime, int nPeriod);

// The code the settings give for a counter, written by their encoder.
std::string OtpCodeForCounter(const COtpSettings& settings, std::uint64_t nCounter);
// The code to show at nUnixTime (seconds since the epoch): a time-based
// code's for its time step, a counter-based one's for its counter. Empty
// when the settings make no codes (COtpSettings::Check).
std::string OtpCode(const COtpSettings& settings, std::int64_t nUnixTime);
// A code as it is shown to be read off and typed: in two halves with a
// blank between ("123 456", "1234 5678", "123 4567"); a Steam code, and
// any code of fewer than six characters, whole.
std::string GroupOtpCode(std::string_view strCode);
