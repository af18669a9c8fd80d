// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxKeys.h"
#include "core/interchange/KdbxReader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// The outer container of a KeePass database, opened with its key, for a
// reader that keeps the whole database rather than its entries. Everything
// is checked as ReadKdbxEntries checks it: the header, the cost of the key
// derivation, the key, the blocks' hashes and the cipher's padding.

// One field of the outer header as it was read.
struct SKdbxHeaderField {
    std::uint8_t nId = 0;
    CKdbxBytes data;
};

// The outer header's field ids that outlive the version they came with.
inline constexpr std::uint8_t KDBX_FIELD_CIPHER = 2;
inline constexpr std::uint8_t KDBX_FIELD_COMPRESSION = 3;
inline constexpr std::uint8_t KDBX_FIELD_MASTER_SEED = 4;
inline constexpr std::uint8_t KDBX_FIELD_IV = 7;
inline constexpr std::uint8_t KDBX_FIELD_KDF_PARAMETERS = 11;
inline constexpr std::uint8_t KDBX_FIELD_PUBLIC_CUSTOM_DATA = 12;

struct SKdbxContainer {
    std::uint16_t nMajor = 0;
    std::uint16_t nMinor = 0;
    EKdbxCipher eCipher = EKdbxCipher::aes256;
    bool bCompressed = false;
    SKdbxKdfParams kdf;
    // Every header field in file order but the end field and 3.1's inner
    // stream key (which is innerKey).
    std::vector<SKdbxHeaderField> fields;
    // The header up to and with its end field: 3.1's XML holds its hash.
    CKdbxBytes headerBytes;
    // 3.1 names its inner stream in the outer header; 4.x in the payload.
    std::optional<std::uint32_t> nInnerStream;
    CKdbxSecret innerKey;
    // The plain payload: in 4.x the inner header and then the XML, in 3.1
    // the XML alone; gzip-compressed when bCompressed.
    CKdbxSecret payload;
    // What reading the payload may still take of the read's memory
    // allowance (KdbxMemoryAllowed), the payload itself charged.
    std::size_t nMemoryLeft = 0;
};

SKdbxOutcome OpenKdbxContainer(std::span<const std::uint8_t> file,
                               const SKdbxCredentials& credentials, const SKdbxReadOptions& options,
                               SKdbxContainer& container);

// No database's XML comes near this; inflating and reading more would take
// minutes, although what is held of it stays within the memory allowance.
inline constexpr std::uint64_t KDBX_MAX_PAYLOAD = std::uint64_t(4) << 30;
// What inflating holds beside the XML reader: its output buffer and zlib's
// state with its 32 KB window.
inline constexpr std::size_t KDBX_INFLATE_MEMORY = (std::size_t(1) << 18) + (std::size_t(64) << 10);

// Hands the payload to fnChunk piece by piece, inflated from gzip (or
// zlib) when bCompressed, and at most nMaxOut bytes of it; stopped when
// fnChunk returns false.
enum class EKdbxInflate { ok, damaged, tooLarge, stopped };
EKdbxInflate KdbxInflate(std::span<const std::uint8_t> payload, bool bCompressed,
                         std::uint64_t nMaxOut,
                         const std::function<bool(std::span<const std::uint8_t>)>& fnChunk);

// The outcomes the reader gives, for a reader of the same files.
SKdbxOutcome KdbxDamagedOutcome();
SKdbxOutcome KdbxOutOfMemoryOutcome();
SKdbxOutcome KdbxCancelledOutcome();
// nAllowed: the memory the read was allowed.
SKdbxOutcome KdbxTooLargeOutcome(std::size_t nAllowed);
SKdbxOutcome KdbxTooLargePayloadOutcome();
SKdbxOutcome KdbxUnsupportedOutcome(const std::string& strWhat);
// A protected-value stream the reader does not know.
SKdbxOutcome KdbxUnsupportedStreamOutcome();
