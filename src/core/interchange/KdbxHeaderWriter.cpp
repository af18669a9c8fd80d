// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxHeaderWriter.h"

#include "core/seal/SecretBuffer.h"

namespace {

constexpr std::uint32_t SIGNATURE_1 = 0x9AA2D903;
constexpr std::uint32_t SIGNATURE_2 = 0xB54BFB67;
constexpr std::uint8_t END_OF_HEADER_FIELD = 0;
constexpr std::uint8_t END_OF_HEADER[] = {'\r', '\n', '\r', '\n'};

void PutLE(CKdbxBytes& out, std::uint64_t nValue, std::size_t nSize) {
    for (std::size_t i = 0; i < nSize; ++i)
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
}

} // namespace

CKdbxHeaderWriter::CKdbxHeaderWriter(std::uint16_t nMajor, std::uint16_t nMinor)
    : m_bVersion4(nMajor >= 4) {
    PutLE(m_header, SIGNATURE_1, 4);
    PutLE(m_header, SIGNATURE_2, 4);
    PutLE(m_header, nMinor, 2);
    PutLE(m_header, nMajor, 2);
}

void CKdbxHeaderWriter::Put(std::uint8_t nId, std::span<const std::uint8_t> data) {
    m_header.push_back(nId);
    PutLE(m_header, data.size(), m_bVersion4 ? 4 : 2);
    m_header.insert(m_header.end(), data.begin(), data.end());
}

void CKdbxHeaderWriter::PutNumber(std::uint8_t nId, std::uint64_t nValue, std::size_t nSize) {
    CKdbxBytes bytes;
    PutLE(bytes, nValue, nSize);
    Put(nId, bytes);
}

CKdbxBytes CKdbxHeaderWriter::End() {
    Put(END_OF_HEADER_FIELD, END_OF_HEADER);
    return std::move(m_header);
}

CKdbxSecret KdbxPayload(CKdbxSecret plain, std::string& strXml, bool bCompress) {
    CKdbxPayloadWriter writer(std::move(plain), bCompress);
    writer.Append(strXml);
    CSecretBuffer::Wipe(strXml);
    return writer.Finish();
}

CKdbxPayloadWriter::CKdbxPayloadWriter(CKdbxSecret plain, bool bCompress, int nLevel) {
    if (!bCompress) {
        m_plain = std::move(plain);
        return;
    }
    m_gzip.emplace(nLevel);
    m_gzip->Add(plain);
}

void CKdbxPayloadWriter::Append(std::span<const std::uint8_t> bytes) {
    if (m_gzip)
        m_gzip->Add(bytes);
    else
        m_plain.insert(m_plain.end(), bytes.begin(), bytes.end());
}

CKdbxSecret CKdbxPayloadWriter::Finish() {
    return m_gzip ? m_gzip->Finish() : std::move(m_plain);
}

bool KdbxSealVersion4(CKdbxBytes header, std::span<const std::uint8_t> seed,
                      const CKdbxSecret& transformedKey, EKdbxCipher eCipher,
                      std::span<const std::uint8_t> iv, const CKdbxSecret& plain,
                      CKdbxBytes& file) {
    const CKdbxSecret hmacBaseKey = KdbxHmacBaseKey(seed, transformedKey);
    CKdbxBytes sealed;
    if (!KdbxEncrypt(eCipher, KdbxCipherKey(seed, transformedKey), iv, plain, sealed))
        return false;
    const CKdbxBytes headerHash = KdbxSha256(header);
    const CKdbxBytes headerHmac = KdbxHeaderHmac(hmacBaseKey, header);
    const CKdbxBytes blocks = KdbxWriteHmacBlocks(sealed, hmacBaseKey);
    file = std::move(header);
    file.insert(file.end(), headerHash.begin(), headerHash.end());
    file.insert(file.end(), headerHmac.begin(), headerHmac.end());
    file.insert(file.end(), blocks.begin(), blocks.end());
    return true;
}
