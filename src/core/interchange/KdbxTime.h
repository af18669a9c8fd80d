// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// KDBX 4 stores a time as the base64 of a little-endian signed 64-bit count
// of seconds since 0001-01-01 00:00 UTC.

// Seconds from 0001-01-01 to 1970-01-01.
inline constexpr std::int64_t KDBX_SECONDS_TO_UNIX_EPOCH = 62135596800;

// The text of a count of seconds since 0001-01-01.
std::string KdbxSecondsText(std::int64_t nSeconds);
// The text of a Unix time (seconds since 1970-01-01).
std::string KdbxTimeText(std::int64_t nUnixSeconds);
// The Unix time of a text; nothing when it is no base64 of eight bytes.
std::optional<std::int64_t> KdbxTimeUnix(std::string_view strText);
