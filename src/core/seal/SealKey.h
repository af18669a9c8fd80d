// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seal/SecretBuffer.h"

#include <array>
#include <cstdint>
#include <string_view>

// The cost of turning a KEY into a sealing key with Argon2id. Files store it,
// so a later version can raise the defaults and still open older files.
struct SSealParams {
    std::uint32_t m_nPasses = 3;         // Argon2id iterations (opslimit)
    std::uint32_t m_nMemoryKiB = 131072; // memory in KiB (128 MiB)

    bool operator==(const SSealParams&) const = default;
    // The work of one derivation: passes times memory.
    std::uint64_t Cost() const { return std::uint64_t(m_nPasses) * m_nMemoryKiB; }
    // Whether deriving with these values takes more than SEAL_COST_FACTOR
    // times the defaults: a file may ask for it, but not without the user.
    bool IsUnusuallyCostly() const;
    // Whether a reader accepts these values: checked before anything the
    // size of the memory cost is allocated.
    bool IsSane() const;
};

// Bounds of the parameters that are read or written. The upper ones keep a
// crafted file from asking for gigabytes or minutes.
inline constexpr std::uint32_t SEAL_MIN_PASSES = 1;
inline constexpr std::uint32_t SEAL_MAX_PASSES = 16;
inline constexpr std::uint32_t SEAL_MIN_MEMORY_KIB = 8;
inline constexpr std::uint32_t SEAL_MAX_MEMORY_KIB = 1024 * 1024;

// How many times the default cost a file may ask for without a question.
inline constexpr std::uint64_t SEAL_COST_FACTOR = 4;

inline constexpr std::size_t SEAL_SALT_SIZE = 16;
inline constexpr std::size_t SEAL_KEY_SIZE = 32;
using CSealSalt = std::array<unsigned char, SEAL_SALT_SIZE>;
using CSealVerifier = std::array<unsigned char, SEAL_KEY_SIZE>;

// A KEY made into what a sealed file needs: the cipher key and the verifier
// that tells a wrong KEY from a damaged file. Both come from one Argon2id
// result split by a keyed hash, so the verifier reveals nothing of the
// cipher key. The secret bytes live in locked memory and are wiped when the
// key is cleared or destroyed.
class CSealKey {
public:
    CSealKey();
    // Derives from a KEY (its bytes in the file's code page). False when the
    // parameters are out of range or the memory cannot be had; LackedMemory
    // then tells the second apart, which says nothing about the KEY.
    bool Derive(std::string_view key, const SSealParams& params, const CSealSalt& salt);
    bool LackedMemory() const { return m_bLackedMemory; }
    // A fresh random salt.
    static CSealSalt NewSalt();

    bool IsSet() const { return m_bSet; }
    const SSealParams& Params() const { return m_params; }
    const CSealSalt& Salt() const { return m_salt; }
    const CSealVerifier& Verifier() const { return m_verifier; }
    const unsigned char* CipherKey() const { return m_secret.Data(); }
    void Clear();

private:
    CSecretBuffer m_secret;
    CSealVerifier m_verifier{};
    SSealParams m_params;
    CSealSalt m_salt{};
    bool m_bSet = false;
    bool m_bLackedMemory = false;
};

// Makes libsodium ready; false when it cannot be (no random source).
bool EnsureSodium();
