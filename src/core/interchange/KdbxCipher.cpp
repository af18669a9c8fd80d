// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxCipher.h"

#include <botan/cipher_mode.h>
#include <botan/exceptn.h>
#include <botan/hash.h>
#include <botan/mac.h>
#include <botan/stream_cipher.h>

#include <zlib.h>

#include <algorithm>
#include <new>

namespace {

template <typename TBytes> void PutLE(TBytes& out, std::uint64_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
}

std::uint32_t GetLE32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

const char* CbcName(EKdbxCipher eCipher, bool bPadded = true) {
    if (eCipher == EKdbxCipher::twofish)
        return bPadded ? "Twofish/CBC/PKCS7" : "Twofish/CBC/NoPadding";
    return bPadded ? "AES-256/CBC/PKCS7" : "AES-256/CBC/NoPadding";
}

// The HMAC of one block of KDBX 4's block stream.
Botan::secure_vector<std::uint8_t> BlockHmac(const CKdbxSecret& hmacBaseKey, std::uint64_t nIndex,
                                             std::span<const std::uint8_t> data) {
    auto pMac = Botan::MessageAuthenticationCode::create_or_throw("HMAC(SHA-256)");
    pMac->set_key(KdbxBlockHmacKey(hmacBaseKey, nIndex));
    CKdbxBytes prefix;
    PutLE(prefix, nIndex, 8);
    PutLE(prefix, data.size(), 4);
    pMac->update(prefix);
    pMac->update(data.data(), data.size());
    return pMac->final();
}

} // namespace

std::optional<EKdbxCipher> KdbxCipherOf(std::span<const std::uint8_t> uuid) {
    for (const EKdbxCipher eCipher :
         {EKdbxCipher::aes256, EKdbxCipher::chacha20, EKdbxCipher::twofish}) {
        const CKdbxUuid& known = KdbxCipherUuid(eCipher);
        if (uuid.size() == known.size() && std::equal(known.begin(), known.end(), uuid.begin()))
            return eCipher;
    }
    return std::nullopt;
}

const CKdbxUuid& KdbxCipherUuid(EKdbxCipher eCipher) {
    switch (eCipher) {
    case EKdbxCipher::chacha20:
        return KDBX_CIPHER_CHACHA20_UUID;
    case EKdbxCipher::twofish:
        return KDBX_CIPHER_TWOFISH_UUID;
    case EKdbxCipher::aes256:
        break;
    }
    return KDBX_CIPHER_AES256_UUID;
}

std::size_t KdbxCipherIvSize(EKdbxCipher eCipher) {
    return eCipher == EKdbxCipher::chacha20 ? 12 : 16;
}

bool KdbxDecrypt(EKdbxCipher eCipher, const CKdbxSecret& key, std::span<const std::uint8_t> iv,
                 std::span<const std::uint8_t> input, CKdbxSecret& output, bool bUnpad) {
    output.clear();
    if (key.size() != 32 || iv.size() != KdbxCipherIvSize(eCipher))
        return false;
    try {
        output.assign(input.begin(), input.end());
        if (eCipher == EKdbxCipher::chacha20) {
            auto pCipher = Botan::StreamCipher::create_or_throw("ChaCha(20)");
            pCipher->set_key(key);
            pCipher->set_iv(iv.data(), iv.size());
            pCipher->cipher1(output.data(), output.size());
            return true;
        }
        if (input.empty() || input.size() % 16 != 0) {
            output.clear();
            return false;
        }
        auto pMode =
            Botan::Cipher_Mode::create_or_throw(CbcName(eCipher, bUnpad), Botan::DECRYPTION);
        pMode->set_key(key);
        pMode->start(iv.data(), iv.size());
        pMode->finish(output);
        return true;
    } catch (const Botan::Exception&) {
        output.clear();
        return false;
    }
}

bool KdbxEncrypt(EKdbxCipher eCipher, const CKdbxSecret& key, std::span<const std::uint8_t> iv,
                 std::span<const std::uint8_t> input, CKdbxBytes& output) {
    output.clear();
    if (key.size() != 32 || iv.size() != KdbxCipherIvSize(eCipher))
        return false;
    try {
        if (eCipher == EKdbxCipher::chacha20) {
            output.assign(input.begin(), input.end());
            auto pCipher = Botan::StreamCipher::create_or_throw("ChaCha(20)");
            pCipher->set_key(key);
            pCipher->set_iv(iv.data(), iv.size());
            pCipher->cipher1(output.data(), output.size());
            return true;
        }
        auto pMode = Botan::Cipher_Mode::create_or_throw(CbcName(eCipher), Botan::ENCRYPTION);
        pMode->set_key(key);
        pMode->start(iv.data(), iv.size());
        Botan::secure_vector<std::uint8_t> buffer(input.begin(), input.end());
        pMode->finish(buffer);
        output.assign(buffer.begin(), buffer.end());
        return true;
    } catch (const Botan::Exception&) {
        output.clear();
        return false;
    }
}

CKdbxInnerStream::CKdbxInnerStream() = default;
CKdbxInnerStream::~CKdbxInnerStream() = default;

bool CKdbxInnerStream::Init(std::uint32_t nStreamId, std::span<const std::uint8_t> innerKey) {
    m_pCipher.reset();
    if (innerKey.empty())
        return false;
    if (nStreamId == static_cast<std::uint32_t>(EKdbxInnerStream::salsa20)) {
        static constexpr std::uint8_t SALSA20_IV[8] = {0xE8, 0x30, 0x09, 0x4B,
                                                       0x97, 0x20, 0x5D, 0x2A};
        auto pHash = Botan::HashFunction::create_or_throw("SHA-256");
        pHash->update(innerKey.data(), innerKey.size());
        m_pCipher = Botan::StreamCipher::create_or_throw("Salsa20");
        m_pCipher->set_key(pHash->final());
        m_pCipher->set_iv(SALSA20_IV, sizeof SALSA20_IV);
        return true;
    }
    if (nStreamId == static_cast<std::uint32_t>(EKdbxInnerStream::chacha20)) {
        auto pHash = Botan::HashFunction::create_or_throw("SHA-512");
        pHash->update(innerKey.data(), innerKey.size());
        const auto digest = pHash->final();
        m_pCipher = Botan::StreamCipher::create_or_throw("ChaCha(20)");
        m_pCipher->set_key(digest.data(), 32);
        m_pCipher->set_iv(digest.data() + 32, 12);
        return true;
    }
    return false;
}

void CKdbxInnerStream::Apply(std::uint8_t* pData, std::size_t nSize) {
    if (m_pCipher && nSize > 0)
        m_pCipher->cipher1(pData, nSize);
}

CKdbxBytes KdbxWriteHmacBlocks(std::span<const std::uint8_t> data, const CKdbxSecret& hmacBaseKey,
                               std::size_t nBlockSize) {
    nBlockSize = std::clamp<std::size_t>(nBlockSize, 1, 0x7FFFFFFF);
    CKdbxBytes out;
    out.reserve(data.size() + (data.size() / nBlockSize + 2) * 36);
    std::uint64_t nIndex = 0;
    std::size_t nPos = 0;
    // The data's blocks, then the empty block that ends the stream.
    for (;;) {
        const auto block = data.subspan(nPos, std::min(nBlockSize, data.size() - nPos));
        const auto hmac = BlockHmac(hmacBaseKey, nIndex, block);
        out.insert(out.end(), hmac.begin(), hmac.end());
        PutLE(out, block.size(), 4);
        out.insert(out.end(), block.begin(), block.end());
        if (block.empty())
            return out;
        nPos += block.size();
        ++nIndex;
    }
}

EKdbxBlockResult KdbxReadHmacBlocks(std::span<const std::uint8_t> stream,
                                    const CKdbxSecret& hmacBaseKey, std::size_t nMaxData,
                                    CKdbxBytes& data) {
    std::size_t nPos = 0;
    for (std::uint64_t nIndex = 0;; ++nIndex) {
        if (stream.size() - nPos < 36)
            return EKdbxBlockResult::truncated;
        const auto storedHmac = stream.subspan(nPos, 32);
        const std::uint32_t nSize = GetLE32(stream.data() + nPos + 32);
        nPos += 36;
        if (stream.size() - nPos < nSize)
            return EKdbxBlockResult::truncated;
        const auto block = stream.subspan(nPos, nSize);
        const auto hmac = BlockHmac(hmacBaseKey, nIndex, block);
        if (!std::equal(hmac.begin(), hmac.end(), storedHmac.begin()))
            return EKdbxBlockResult::badHash;
        if (nSize == 0)
            return EKdbxBlockResult::ok;
        if (nMaxData - std::min(nMaxData, data.size()) < nSize)
            return EKdbxBlockResult::tooLarge;
        data.insert(data.end(), block.begin(), block.end());
        nPos += nSize;
    }
}

CKdbxSecret KdbxWriteHashedBlocks(std::span<const std::uint8_t> data, std::size_t nBlockSize) {
    nBlockSize = std::clamp<std::size_t>(nBlockSize, 1, 0x7FFFFFFF);
    CKdbxSecret out;
    out.reserve(data.size() + (data.size() / nBlockSize + 2) * 40);
    std::uint64_t nIndex = 0;
    std::size_t nPos = 0;
    for (;;) {
        const auto block = data.subspan(nPos, std::min(nBlockSize, data.size() - nPos));
        PutLE(out, nIndex, 4);
        if (block.empty()) {
            out.insert(out.end(), 32, 0);
            PutLE(out, 0, 4);
            return out;
        }
        const CKdbxBytes hash = KdbxSha256(block);
        out.insert(out.end(), hash.begin(), hash.end());
        PutLE(out, block.size(), 4);
        out.insert(out.end(), block.begin(), block.end());
        nPos += block.size();
        ++nIndex;
    }
}

EKdbxBlockResult KdbxReadHashedBlocks(std::span<const std::uint8_t> stream, std::size_t nMaxData,
                                      CKdbxSecret& data) {
    std::size_t nPos = 0;
    for (std::uint32_t nIndex = 0;; ++nIndex) {
        if (stream.size() - nPos < 40)
            return EKdbxBlockResult::truncated;
        const std::uint32_t nStoredIndex = GetLE32(stream.data() + nPos);
        const auto storedHash = stream.subspan(nPos + 4, 32);
        const std::uint32_t nSize = GetLE32(stream.data() + nPos + 36);
        nPos += 40;
        if (nStoredIndex != nIndex)
            return EKdbxBlockResult::badHash;
        if (nSize == 0) {
            const bool bZero = std::all_of(storedHash.begin(), storedHash.end(),
                                           [](std::uint8_t n) { return n == 0; });
            return bZero ? EKdbxBlockResult::ok : EKdbxBlockResult::badHash;
        }
        if (stream.size() - nPos < nSize)
            return EKdbxBlockResult::truncated;
        const auto block = stream.subspan(nPos, nSize);
        const CKdbxBytes hash = KdbxSha256(block);
        if (!std::equal(hash.begin(), hash.end(), storedHash.begin()))
            return EKdbxBlockResult::badHash;
        if (nMaxData - std::min(nMaxData, data.size()) < nSize)
            return EKdbxBlockResult::tooLarge;
        data.insert(data.end(), block.begin(), block.end());
        nPos += nSize;
    }
}

CKdbxSecret KdbxGzip(std::span<const std::uint8_t> data) {
    CKdbxGzipWriter writer;
    writer.Add(data);
    return writer.Finish();
}

static_assert(KDBX_GZIP_DEFAULT == Z_DEFAULT_COMPRESSION);

CKdbxGzipWriter::CKdbxGzipWriter(int nLevel) : m_pStream(std::make_unique<z_stream_s>()) {
    // 15 window bits plus 16: a gzip wrapper rather than zlib's.
    if (deflateInit2(m_pStream.get(), nLevel, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        m_pStream.reset();
        throw std::bad_alloc();
    }
}

CKdbxGzipWriter::~CKdbxGzipWriter() {
    if (m_pStream)
        deflateEnd(m_pStream.get());
}

void CKdbxGzipWriter::Add(std::span<const std::uint8_t> data) {
    Deflate(data, Z_NO_FLUSH);
}

CKdbxSecret CKdbxGzipWriter::Finish() {
    Deflate({}, Z_FINISH);
    m_out.resize(m_nOut);
    return std::move(m_out);
}

void CKdbxGzipWriter::Deflate(std::span<const std::uint8_t> data, int nFlush) {
    z_stream_s& zs = *m_pStream;
    // In pieces whose length fits zlib's unsigned int.
    constexpr std::size_t PIECE = std::size_t(1) << 30;
    std::size_t nDone = 0;
    for (;;) {
        const std::size_t nIn = std::min(PIECE, data.size() - nDone);
        const bool bLast = nDone + nIn == data.size();
        zs.next_in = const_cast<Bytef*>(data.data() + nDone);
        zs.avail_in = static_cast<uInt>(nIn);
        const int nPieceFlush = bLast ? nFlush : Z_NO_FLUSH;
        for (;;) {
            if (m_out.size() - m_nOut < 64)
                m_out.resize(std::max<std::size_t>(m_out.size() * 2, std::size_t(1) << 16));
            const std::size_t nRoom = std::min(PIECE, m_out.size() - m_nOut);
            zs.next_out = m_out.data() + m_nOut;
            zs.avail_out = static_cast<uInt>(nRoom);
            const int nResult = deflate(&zs, nPieceFlush);
            m_nOut += nRoom - zs.avail_out;
            if (nResult == Z_STREAM_END)
                break;
            if (nResult != Z_OK && nResult != Z_BUF_ERROR)
                throw std::bad_alloc();
            // Done with this input once zlib left room in the output (a
            // finish goes on to the stream's end).
            if (nPieceFlush != Z_FINISH && zs.avail_in == 0 && zs.avail_out != 0)
                break;
        }
        nDone += nIn;
        if (bLast)
            return;
    }
}
