// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seal/SealKey.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t SEAL_NONCE_SIZE = 24;
inline constexpr std::size_t SEAL_TAG_SIZE = 16;
inline constexpr std::uint16_t SEAL_VERSION = 1;

// The header of a sealed file, as read. docs/khv-format.md has the layout.
struct SSealedHeader {
    std::uint16_t m_nVersion = SEAL_VERSION;
    SSealParams m_params;
    CSealSalt m_salt{};
    std::array<unsigned char, SEAL_NONCE_SIZE> m_nonce{};
    CSealVerifier m_verifier{};
    std::uint64_t m_nSealedSize = 0;
};

// The protected file: a header (magic, version, Argon2id parameters, salt,
// nonce, KEY verifier, sealed size, header checksum) followed by the bytes
// of a password file sealed with XChaCha20-Poly1305; the whole header is
// the cipher's associated data, so no byte of the file can change unnoticed.
//
// A reader goes in three steps, each refusing before the next costs
// anything: ParseHeader (no KEY, no allocation), then the KEY (one Argon2id
// run, judged by the verifier), then Unseal.
class CSealedFile {
public:
    static constexpr std::size_t HEADER_SIZE = 124;

    // Whether bytes begin with the magic of a sealed file.
    static bool HasMagic(std::string_view bytes);
    // Reads and checks the header of a whole file: magic, version, header
    // size, algorithms, parameters in range, checksum, and a sealed size
    // equal to the bytes that follow. False on any fault.
    static bool ParseHeader(std::string_view bytes, SSealedHeader& header);
    // Whether key is the key of the file whose header this is.
    static bool IsKeyOf(const SSealedHeader& header, const CSealKey& key);
    // Opens the sealed bytes of a whole file whose header ParseHeader
    // accepted. False (strPlain empty) when any byte was changed.
    static bool Unseal(std::string_view bytes, const SSealedHeader& header, const CSealKey& key,
                       std::string& strPlain);
    // A whole sealed file for plain under key, with a fresh random nonce.
    static std::string Seal(std::string_view plain, const CSealKey& key);
    // The header bytes for header (the checksum computed), for writers and
    // for tests that build damaged files on purpose.
    static std::string WriteHeader(const SSealedHeader& header);
};
