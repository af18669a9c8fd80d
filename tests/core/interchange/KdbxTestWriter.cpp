// SPDX-License-Identifier: GPL-3.0-or-later
#include "KdbxTestWriter.h"

#include <botan/base64.h>

#include <stdexcept>
#include <string>

namespace {

void PutLE(CKdbxBytes& out, std::uint64_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
}

void PutField(CKdbxBytes& out, int nMajor, std::uint8_t nId, std::span<const std::uint8_t> data) {
    out.push_back(nId);
    PutLE(out, data.size(), nMajor >= 4 ? 4 : 2);
    out.insert(out.end(), data.begin(), data.end());
}

CKdbxBytes LE(std::uint64_t nValue, int nBytes) {
    CKdbxBytes out;
    PutLE(out, nValue, nBytes);
    return out;
}

// Replaces the plain text of every Protected="True" element by its masked
// base64, in document order as the reader unmasks them.
std::string Masked(const std::string& strXml, CKdbxInnerStream& stream) {
    static const std::string MARK = "Protected=\"True\">";
    std::string strOut;
    std::size_t nPos = 0;
    for (;;) {
        const std::size_t nMark = strXml.find(MARK, nPos);
        if (nMark == std::string::npos)
            break;
        const std::size_t nStart = nMark + MARK.size();
        const std::size_t nEnd = strXml.find("</", nStart);
        strOut.append(strXml, nPos, nStart - nPos);
        CKdbxBytes plain(strXml.begin() + static_cast<std::ptrdiff_t>(nStart),
                         strXml.begin() + static_cast<std::ptrdiff_t>(nEnd));
        stream.Apply(plain.data(), plain.size());
        strOut += Botan::base64_encode(plain.data(), plain.size());
        nPos = nEnd;
    }
    strOut.append(strXml, nPos);
    return strOut;
}

CKdbxBytes Bytes(const std::string& str) {
    return CKdbxBytes(str.begin(), str.end());
}

} // namespace

CKdbxBytes MakeTestKdbx(const std::string& strXml, const SKdbxTestOptions& options) {
    const bool bKdbx4 = options.nMajor >= 4;
    const CKdbxBytes masterSeed(32, 0x4D);
    const CKdbxBytes iv(KdbxCipherIvSize(options.eCipher), 0x49);
    const CKdbxBytes innerKey(bKdbx4 ? 64 : 32, 0x4B);
    const CKdbxBytes startBytes(32, 0x53);

    CKdbxBytes file;
    PutLE(file, 0x9AA2D903, 4);
    PutLE(file, 0xB54BFB67, 4);
    PutLE(file, bKdbx4 ? 0x00040000 : 0x00030001, 4);
    PutField(file, options.nMajor, 2, KdbxCipherUuid(options.eCipher));
    PutField(file, options.nMajor, 3, LE(options.bCompress ? 1 : 0, 4));
    PutField(file, options.nMajor, 4, masterSeed);
    if (bKdbx4) {
        PutField(file, options.nMajor, 7, iv);
        PutField(file, options.nMajor, 11, KdbxKdfToVariantMap(options.kdf).Serialize());
    } else {
        PutField(file, options.nMajor, 5, options.kdf.seed);
        PutField(file, options.nMajor, 6, LE(options.kdf.nRounds, 8));
        PutField(file, options.nMajor, 7, iv);
        PutField(file, options.nMajor, 8, innerKey);
        PutField(file, options.nMajor, 9, startBytes);
        PutField(file, options.nMajor, 10, LE(static_cast<std::uint32_t>(options.eInner), 4));
    }
    for (const auto& [nId, data] : options.extraFields)
        PutField(file, options.nMajor, nId, data);
    PutField(file, options.nMajor, 0, CKdbxBytes{'\r', '\n', '\r', '\n'});
    const CKdbxBytes header = file;

    CKdbxSecret composite;
    CKdbxSecret transformed;
    if (KdbxCompositeKey(options.credentials, composite) != EKdbxKeyFileError::none)
        throw std::runtime_error("the test database's key file cannot be read");
    // A derivation the reader must refuse (too much memory, say) is not run
    // here either: the file gets a key that no password gives.
    if (!options.bDerive ||
        KdbxTransformKey(composite, options.kdf, transformed) != EKdbxKdfResult::ok)
        transformed.assign(32, 0);
    const CKdbxSecret cipherKey = KdbxCipherKey(masterSeed, transformed);

    CKdbxInnerStream stream;
    stream.Init(static_cast<std::uint32_t>(options.eInner), innerKey);
    std::string strDocument = strXml;
    if (!bKdbx4) {
        const CKdbxBytes hash = KdbxSha256(header);
        const std::size_t nMeta = strDocument.find("<Meta>");
        if (nMeta != std::string::npos)
            strDocument.insert(nMeta + 6, "<HeaderHash>" +
                                              Botan::base64_encode(hash.data(), hash.size()) +
                                              "</HeaderHash>");
    }
    CKdbxBytes plain;
    if (bKdbx4) {
        PutField(plain, 4, 1, LE(static_cast<std::uint32_t>(options.eInner), 4));
        PutField(plain, 4, 2, innerKey);
        PutField(plain, 4, 0, {});
    }
    const CKdbxBytes masked = Bytes(Masked(strDocument, stream));
    plain.insert(plain.end(), masked.begin(), masked.end());
    if (options.bCompress) {
        const CKdbxSecret zipped = KdbxGzip(plain);
        plain.assign(zipped.begin(), zipped.end());
        if (options.fnCompressed)
            options.fnCompressed(plain);
    }

    CKdbxBytes encrypted;
    if (bKdbx4) {
        KdbxEncrypt(options.eCipher, cipherKey, iv, plain, encrypted);
        const CKdbxSecret hmacBase = KdbxHmacBaseKey(masterSeed, transformed);
        const CKdbxBytes hash = KdbxSha256(header);
        const CKdbxBytes hmac = KdbxHeaderHmac(hmacBase, header);
        file.insert(file.end(), hash.begin(), hash.end());
        file.insert(file.end(), hmac.begin(), hmac.end());
        const CKdbxBytes blocks = KdbxWriteHmacBlocks(encrypted, hmacBase, 1000);
        file.insert(file.end(), blocks.begin(), blocks.end());
        return file;
    }
    CKdbxBytes payload = startBytes;
    const CKdbxSecret blocks = KdbxWriteHashedBlocks(plain, 1000);
    payload.insert(payload.end(), blocks.begin(), blocks.end());
    KdbxEncrypt(options.eCipher, cipherKey, iv, payload, encrypted);
    file.insert(file.end(), encrypted.begin(), encrypted.end());
    return file;
}

std::string TestKdbxXml(const std::string& strPassword) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta><Generator>t"
           "</Generator></Meta><Root><Group><UUID>AQEBAQEBAQEBAQEBAQEBAQ==</UUID><Name>Root"
           "</Name><Group><UUID>AgICAgICAgICAgICAgICAg==</UUID><Name>Web</Name><Entry><UUID>"
           "EREREREREREREREREREREQ==</UUID><String><Key>Title</Key><Value>Shop</Value></String>"
           "<String><Key>UserName</Key><Value>bob</Value></String><String><Key>Password</Key>"
           "<Value Protected=\"True\">" +
           strPassword +
           "</Value></String><String><Key>Notes</Key><Value Protected=\"True\">a note</Value>"
           "</String></Entry></Group></Group></Root></KeePassFile>\n";
}
