// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxTime.h"

#include <botan/base64.h>
#include <botan/exceptn.h>

#include <array>

std::string KdbxSecondsText(std::int64_t nSeconds) {
    std::array<std::uint8_t, 8> abLe{};
    for (std::size_t i = 0; i < abLe.size(); ++i)
        abLe[i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(nSeconds) >> (8 * i));
    return Botan::base64_encode(abLe.data(), abLe.size());
}

std::string KdbxTimeText(std::int64_t nUnixSeconds) {
    return KdbxSecondsText(nUnixSeconds + KDBX_SECONDS_TO_UNIX_EPOCH);
}

std::optional<std::int64_t> KdbxTimeUnix(std::string_view strText) {
    // Eight bytes take twelve characters, the last one padding; the decoder
    // writes the whole last group (nine bytes) before it drops the padding.
    std::array<std::uint8_t, 9> abLe{};
    try {
        if (strText.size() != 12 ||
            Botan::base64_decode(abLe.data(), strText.data(), strText.size()) != 8)
            return std::nullopt;
    } catch (const Botan::Exception&) {
        return std::nullopt;
    }
    std::uint64_t nValue = 0;
    for (std::size_t i = 0; i < 8; ++i)
        nValue |= std::uint64_t(abLe[i]) << (8 * i);
    return static_cast<std::int64_t>(nValue) - KDBX_SECONDS_TO_UNIX_EPOCH;
}
