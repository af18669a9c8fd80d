// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <botan/secmem.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CCancelToken;

// The keys of a KeePass database (.kdbx): what the user gives (a password,
// a key file or both), the composite key made of them, the key derivation
// the header asks for, and the keys derived from its result. Every secret
// lives in a CKdbxSecret, which Botan wipes when it is let go.

using CKdbxBytes = std::vector<std::uint8_t>;
using CKdbxSecret = Botan::secure_vector<std::uint8_t>;
using CKdbxUuid = std::array<std::uint8_t, 16>;

// What opens a database. The password is UTF-8; an empty password that is
// present still counts (it is hashed like any other), while bHasPassword
// false leaves it out of the composite key.
struct SKdbxCredentials {
    bool bHasPassword = true;
    std::string strPassword; // UTF-8
    bool bHasKeyFile = false;
    std::vector<std::uint8_t> keyFile; // the key file's bytes as read
};

enum class EKdbxKeyFileError {
    none,
    malformed,   // an XML key file whose structure or data is broken
    hashMismatch // a version 2.0 XML key file whose data fails its hash
};

// The 32-byte key of a key file. An XML key file of version 1.0 (base64
// data) or 2.0 (hex data with the first 4 bytes of its SHA-256 as a check);
// otherwise 32 bytes are the key, 64 hex digits are the key written out, and
// any other file is hashed with SHA-256.
EKdbxKeyFileError KdbxKeyFileKey(std::span<const std::uint8_t> keyFile, CKdbxSecret& key);

// SHA-256 over SHA-256(password) followed by the key file's key, each only
// when given.
EKdbxKeyFileError KdbxCompositeKey(const SKdbxCredentials& credentials, CKdbxSecret& key);

// The key derivation functions by the UUID that names them in the header.
enum class EKdbxKdf { aes, argon2d, argon2id };
inline constexpr CKdbxUuid KDBX_KDF_AES_UUID = {0xC9, 0xD9, 0xF3, 0x9A, 0x62, 0x8A, 0x44, 0x60,
                                                0xBF, 0x74, 0x0D, 0x08, 0xC1, 0x8A, 0x4F, 0xEA};
inline constexpr CKdbxUuid KDBX_KDF_ARGON2D_UUID = {0xEF, 0x63, 0x6D, 0xDF, 0x8C, 0x29, 0x44, 0x4B,
                                                    0x91, 0xF7, 0xA9, 0xA4, 0x03, 0xE3, 0x0A, 0x0C};
inline constexpr CKdbxUuid KDBX_KDF_ARGON2ID_UUID = {
    0x9E, 0x29, 0x8B, 0x19, 0x56, 0xDB, 0x47, 0x73, 0xB2, 0x3D, 0xFC, 0x3E, 0xC6, 0xF0, 0xA1, 0xE6};

// The only Argon2 version read and written (1.3).
inline constexpr std::uint32_t KDBX_ARGON2_VERSION = 0x13;

// What a database's key derivation may cost. KeePassXC tunes a new
// database's derivation to one second of the computer that makes it (Argon2
// over 64 MiB in 2 lanes, or AES-KDF); on a fast desktop that second is about
// 10^8 AES-KDF rounds or 3 GiB of Argon2 passes (memory times passes). Four
// times that, or more than 1 GiB of memory, is no derivation a real database
// asks for: it runs only once the user agreed, as it may take minutes (a
// server core does about 4 * 10^7 rounds, or 0.5 GiB of passes, a second).
// Beyond the upper bounds (about an hour, or more memory than an import may
// take) a derivation never runs.
inline constexpr std::uint64_t KDBX_SLOW_AES_ROUNDS = 400'000'000;
inline constexpr std::uint64_t KDBX_MAX_AES_ROUNDS = 100'000'000'000;
inline constexpr std::uint64_t KDBX_SLOW_ARGON2_MEMORY = std::uint64_t(1) << 30;
inline constexpr std::uint64_t KDBX_MAX_ARGON2_MEMORY = std::uint64_t(4) << 30;
inline constexpr std::uint64_t KDBX_SLOW_ARGON2_WORK = std::uint64_t(16) << 30;
inline constexpr std::uint64_t KDBX_MAX_ARGON2_WORK = std::uint64_t(1) << 40;
// Lanes run one after the other here, so they cost no time; more than 128
// (KeePassXC's most) Botan's Argon2 does not run at all.
inline constexpr std::uint32_t KDBX_MAX_ARGON2_LANES = 128;

// The parameters of a key derivation. For AES-KDF, seed is the 32-byte
// transform seed and nRounds its rounds; for Argon2, seed is the salt,
// nRounds the iterations, nMemory the memory in bytes.
struct SKdbxKdfParams {
    EKdbxKdf eKdf = EKdbxKdf::argon2id;
    CKdbxBytes seed;
    std::uint64_t nRounds = 0;
    std::uint64_t nMemory = 0;
    std::uint32_t nParallelism = 0;
    std::uint32_t nVersion = KDBX_ARGON2_VERSION;
};

enum class EKdbxKdfResult {
    ok,
    unsupported, // a parameter out of range or a version not read
    tooMuchMemory,
    tooCostly, // beyond the KDBX_MAX_ bounds of time or lanes
    outOfMemory,
    cancelled // the token was set: AES-KDF stops between rounds, Argon2 after its run
};

// What a derivation costs, judged from its parameters before it runs.
enum class EKdbxKdfCost {
    usual,  // what real databases ask for
    slow,   // beyond a KDBX_SLOW_ bound: runs only once the user agreed
    tooMuch // beyond a KDBX_MAX_ bound: never runs
};
EKdbxKdfCost KdbxKdfCost(const SKdbxKdfParams& params);
// The memory a derivation takes: Argon2's memory, nothing for AES-KDF.
std::uint64_t KdbxKdfMemory(const SKdbxKdfParams& params);

// Runs the key derivation over the composite key: the transformed key, 32
// bytes (AES-KDF's rounds are followed by SHA-256, as the format has it).
EKdbxKdfResult KdbxTransformKey(const CKdbxSecret& compositeKey, const SKdbxKdfParams& params,
                                CKdbxSecret& transformedKey, const CCancelToken* pCancel = nullptr);

// The header's typed dictionary (KDBX 4's KDF parameters and public custom
// data), read and written in its order.
class CKdbxVariantMap {
public:
    enum class EType : std::uint8_t {
        uint32 = 0x04,
        uint64 = 0x05,
        boolean = 0x08,
        int32 = 0x0C,
        int64 = 0x0D,
        string = 0x18,
        bytes = 0x42
    };

    // Nothing when the bytes are not a map of a version read here (major
    // version 1), a length runs past the end, a value's size does not fit
    // its type or a name repeats.
    static std::optional<CKdbxVariantMap> Parse(std::span<const std::uint8_t> bytes);
    CKdbxBytes Serialize() const;

    void SetUInt32(const std::string& strName, std::uint32_t nValue);
    void SetUInt64(const std::string& strName, std::uint64_t nValue);
    void SetBool(const std::string& strName, bool bValue);
    void SetInt32(const std::string& strName, std::int32_t nValue);
    void SetInt64(const std::string& strName, std::int64_t nValue);
    void SetString(const std::string& strName, const std::string& strValue);
    void SetBytes(const std::string& strName, std::span<const std::uint8_t> value);

    // Each is empty when the name is missing or holds another type.
    std::optional<std::uint32_t> UInt32(const std::string& strName) const;
    std::optional<std::uint64_t> UInt64(const std::string& strName) const;
    std::optional<bool> Bool(const std::string& strName) const;
    std::optional<std::int32_t> Int32(const std::string& strName) const;
    std::optional<std::int64_t> Int64(const std::string& strName) const;
    std::optional<std::string> String(const std::string& strName) const;
    std::optional<CKdbxBytes> Bytes(const std::string& strName) const;

    std::size_t Size() const { return m_items.size(); }

private:
    struct SItem {
        EType eType;
        std::string strName;
        CKdbxBytes value;
    };
    void Set(EType eType, const std::string& strName, CKdbxBytes value);
    const SItem* Find(const std::string& strName, EType eType) const;

    std::vector<SItem> m_items;
};

// The KDF parameters as KDBX 4 stores them ("$UUID" and the function's own
// names); nothing when the function is unknown or a parameter is missing.
std::optional<SKdbxKdfParams> KdbxKdfFromVariantMap(const CKdbxVariantMap& map);
CKdbxVariantMap KdbxKdfToVariantMap(const SKdbxKdfParams& params);

// The key of the outer cipher: SHA-256 of the master seed and the
// transformed key.
CKdbxSecret KdbxCipherKey(std::span<const std::uint8_t> masterSeed,
                          const CKdbxSecret& transformedKey);
// The key from which every HMAC key of KDBX 4 is made: SHA-512 of the
// master seed, the transformed key and one byte 1.
CKdbxSecret KdbxHmacBaseKey(std::span<const std::uint8_t> masterSeed,
                            const CKdbxSecret& transformedKey);
// The HMAC-SHA-256 key of one block: SHA-512 of the block's 64-bit index
// (little-endian) and the base key. The header uses the index of all ones.
inline constexpr std::uint64_t KDBX_HEADER_BLOCK_INDEX = ~std::uint64_t(0);
CKdbxSecret KdbxBlockHmacKey(const CKdbxSecret& hmacBaseKey, std::uint64_t nBlockIndex);
// The HMAC-SHA-256 that follows a KDBX 4 header's SHA-256.
CKdbxBytes KdbxHeaderHmac(const CKdbxSecret& hmacBaseKey, std::span<const std::uint8_t> header);

CKdbxBytes KdbxSha256(std::span<const std::uint8_t> bytes);
