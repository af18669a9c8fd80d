// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxKeys.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace Botan {
class StreamCipher;
}
struct z_stream_s;

// The ciphers and block streams of a KeePass database: the outer cipher
// over the payload, the inner stream that masks protected values, KDBX 4's
// HMAC block stream and KDBX 3.1's hashed block stream, and gzip.

enum class EKdbxCipher { aes256, chacha20, twofish };
inline constexpr CKdbxUuid KDBX_CIPHER_AES256_UUID = {
    0x31, 0xC1, 0xF2, 0xE6, 0xBF, 0x71, 0x43, 0x50, 0xBE, 0x58, 0x05, 0x21, 0x6A, 0xFC, 0x5A, 0xFF};
inline constexpr CKdbxUuid KDBX_CIPHER_CHACHA20_UUID = {
    0xD6, 0x03, 0x8A, 0x2B, 0x8B, 0x6F, 0x4C, 0xB5, 0xA5, 0x24, 0x33, 0x9A, 0x31, 0xDB, 0xB5, 0x9A};
inline constexpr CKdbxUuid KDBX_CIPHER_TWOFISH_UUID = {
    0xAD, 0x68, 0xF2, 0x9F, 0x57, 0x6F, 0x4B, 0xB9, 0xA3, 0x6A, 0xD4, 0x7A, 0xF9, 0x65, 0x34, 0x6C};

std::optional<EKdbxCipher> KdbxCipherOf(std::span<const std::uint8_t> uuid);
const CKdbxUuid& KdbxCipherUuid(EKdbxCipher eCipher);
// 16 for the CBC ciphers' IV, 12 for ChaCha20's nonce.
std::size_t KdbxCipherIvSize(EKdbxCipher eCipher);

// AES-256 and Twofish in CBC mode with PKCS#7 padding; ChaCha20 with a
// 12-byte nonce and the block counter from 0. Decryption fails (false) on
// a wrong key or IV size, a length that is no whole number of blocks or
// padding that is not PKCS#7, which is how a wrong key usually shows.
// Without bUnpad the CBC ciphers leave the padding in place, for a caller
// that checks the start of the text before it judges the end.
bool KdbxDecrypt(EKdbxCipher eCipher, const CKdbxSecret& key, std::span<const std::uint8_t> iv,
                 std::span<const std::uint8_t> input, CKdbxSecret& output, bool bUnpad = true);
bool KdbxEncrypt(EKdbxCipher eCipher, const CKdbxSecret& key, std::span<const std::uint8_t> iv,
                 std::span<const std::uint8_t> input, CKdbxBytes& output);

// The stream that masks protected values in the XML, in document order.
// Salsa20 (KDBX 3.1's usual choice) is keyed with SHA-256 of the inner key
// and a fixed IV; ChaCha20 (KDBX 4's) with the first 32 bytes of SHA-512 of
// the inner key and the next 12 as nonce.
enum class EKdbxInnerStream : std::uint32_t { salsa20 = 2, chacha20 = 3 };

class CKdbxInnerStream {
public:
    CKdbxInnerStream();
    ~CKdbxInnerStream();
    CKdbxInnerStream(const CKdbxInnerStream&) = delete;
    CKdbxInnerStream& operator=(const CKdbxInnerStream&) = delete;

    // False for an id other than the two above or an empty key.
    bool Init(std::uint32_t nStreamId, std::span<const std::uint8_t> innerKey);
    // XORs the next bytes of the key stream into the data (masks or
    // unmasks alike).
    void Apply(std::uint8_t* pData, std::size_t nSize);

private:
    std::unique_ptr<Botan::StreamCipher> m_pCipher;
};

// KDBX 4's HMAC block stream: blocks of HMAC-SHA-256 (32 bytes), the size
// (32-bit little-endian) and the data; the HMAC covers the block's 64-bit
// index, its size and its data. An empty block ends the stream.
inline constexpr std::size_t KDBX_DEFAULT_BLOCK_SIZE = std::size_t(1) << 20;
CKdbxBytes KdbxWriteHmacBlocks(std::span<const std::uint8_t> data, const CKdbxSecret& hmacBaseKey,
                               std::size_t nBlockSize = KDBX_DEFAULT_BLOCK_SIZE);

enum class EKdbxBlockResult {
    ok,
    truncated, // the stream ends before a block or before its end block
    badHash,   // a block's HMAC or hash does not match
    tooLarge   // the data would pass nMaxData
};
// Reads the blocks from the start of stream, appending the data to data
// and never reading past the stream's end; at most nMaxData bytes of data.
// Bytes after the end block are left alone.
EKdbxBlockResult KdbxReadHmacBlocks(std::span<const std::uint8_t> stream,
                                    const CKdbxSecret& hmacBaseKey, std::size_t nMaxData,
                                    CKdbxBytes& data);

// KDBX 3.1's hashed block stream: blocks of index (32-bit), SHA-256 of the
// data, size (32-bit) and data; the end block has size 0 and a zero hash.
CKdbxSecret KdbxWriteHashedBlocks(std::span<const std::uint8_t> data,
                                  std::size_t nBlockSize = KDBX_DEFAULT_BLOCK_SIZE);
EKdbxBlockResult KdbxReadHashedBlocks(std::span<const std::uint8_t> stream, std::size_t nMaxData,
                                      CKdbxSecret& data);

// gzip (as the header's compression flag 1 means) of a whole buffer.
CKdbxSecret KdbxGzip(std::span<const std::uint8_t> data);

// zlib's compression levels the writers use: its default, and a quicker
// one for a database saved whole (half the time for about a third more
// bytes, a gzip stream like any other).
inline constexpr int KDBX_GZIP_DEFAULT = -1;
inline constexpr int KDBX_GZIP_QUICK = 3;

// The same gzip made piece by piece, for a payload too large to be held
// whole beside its compressed form. Throws std::bad_alloc when zlib fails.
class CKdbxGzipWriter {
public:
    explicit CKdbxGzipWriter(int nLevel = KDBX_GZIP_DEFAULT);
    ~CKdbxGzipWriter();
    CKdbxGzipWriter(const CKdbxGzipWriter&) = delete;
    CKdbxGzipWriter& operator=(const CKdbxGzipWriter&) = delete;

    void Add(std::span<const std::uint8_t> data);
    // The whole gzip; the writer is done with.
    CKdbxSecret Finish();

private:
    void Deflate(std::span<const std::uint8_t> data, int nFlush);

    std::unique_ptr<z_stream_s> m_pStream;
    CKdbxSecret m_out;
    std::size_t m_nOut = 0; // the bytes of m_out written
};
