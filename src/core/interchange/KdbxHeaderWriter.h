// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxKeys.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The outer header of a KeePass database as it is written: the signatures
// and the version, then the fields one by one (a field's size takes two
// bytes in 3.1, four in 4.x), then the end field.
class CKdbxHeaderWriter {
public:
    CKdbxHeaderWriter(std::uint16_t nMajor, std::uint16_t nMinor);

    void Put(std::uint8_t nId, std::span<const std::uint8_t> data);
    // A number of nSize bytes, the lowest first.
    void PutNumber(std::uint8_t nId, std::uint64_t nValue, std::size_t nSize);
    // Puts the end field: the whole header.
    CKdbxBytes End();

private:
    bool m_bVersion4;
    CKdbxBytes m_header;
};

// The plain payload: what plain holds (4.x's inner header) and then the
// XML, gzip-compressed when bCompress. The XML's text is wiped.
CKdbxSecret KdbxPayload(CKdbxSecret plain, std::string& strXml, bool bCompress);

// The same payload made as the XML is written: a compressed one never
// holds the whole XML. nLevel: zlib's compression level.
class CKdbxPayloadWriter {
public:
    CKdbxPayloadWriter(CKdbxSecret plain, bool bCompress, int nLevel = KDBX_GZIP_DEFAULT);

    void Append(std::span<const std::uint8_t> bytes);
    void Append(std::string_view str) {
        Append({reinterpret_cast<const std::uint8_t*>(str.data()), str.size()});
    }
    // The whole payload; the writer is done with.
    CKdbxSecret Finish();

private:
    CKdbxSecret m_plain; // when not compressed
    std::optional<CKdbxGzipWriter> m_gzip;
};

// A 4.x file: the header, its SHA-256 and its HMAC, then the payload
// enciphered under the master seed and the derived key, in HMAC blocks.
// False when the cipher cannot encipher it.
bool KdbxSealVersion4(CKdbxBytes header, std::span<const std::uint8_t> seed,
                      const CKdbxSecret& transformedKey, EKdbxCipher eCipher,
                      std::span<const std::uint8_t> iv, const CKdbxSecret& plain, CKdbxBytes& file);
