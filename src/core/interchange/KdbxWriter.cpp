// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxWriter.h"

#include "core/interchange/KdbxXmlWriter.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"

#include <botan/base64.h>
#include <botan/system_rng.h>

#include <ctime>
#include <exception>

namespace {

constexpr std::uint32_t KDBX_SIGNATURE_1 = 0x9AA2D903;
constexpr std::uint32_t KDBX_SIGNATURE_2 = 0xB54BFB67;
constexpr std::uint32_t KDBX_VERSION_31 = 0x00030001;
constexpr std::uint32_t KDBX_VERSION_40 = 0x00040000;

// The outer header's fields.
enum EHeaderField : std::uint8_t {
    endOfHeader = 0,
    cipherId = 2,
    compressionFlags = 3,
    masterSeed = 4,
    transformSeed = 5,   // 3.1
    transformRounds = 6, // 3.1
    encryptionIv = 7,
    protectedStreamKey = 8,   // 3.1
    streamStartBytes = 9,     // 3.1
    innerRandomStreamId = 10, // 3.1
    kdfParameters = 11,       // 4.x
};

// The inner header of 4.x, before the XML.
enum EInnerField : std::uint8_t { innerEnd = 0, innerStreamId = 1, innerStreamKey = 2 };

constexpr std::size_t SEED_SIZE = 32;
constexpr std::size_t INNER_KEY_SIZE_31 = 32;
constexpr std::size_t INNER_KEY_SIZE_40 = 64;
constexpr std::uint8_t END_OF_HEADER[] = {'\r', '\n', '\r', '\n'};

// Argon2 below this is no key derivation worth the name; the format itself
// allows down to 8 KiB.
constexpr std::uint64_t MIN_ARGON2_MEMORY = 8 * 1024;

template <class Bytes> void PutLe(Bytes& out, std::uint64_t nValue, std::size_t nSize) {
    for (std::size_t i = 0; i < nSize; ++i)
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
}

// One field: its id, its size (16 bits in 3.1, 32 in 4.x) and its data.
template <class Bytes>
void PutField(Bytes& out, bool bVersion4, std::uint8_t nId, std::span<const std::uint8_t> data) {
    out.push_back(nId);
    PutLe(out, data.size(), bVersion4 ? 4 : 2);
    out.insert(out.end(), data.begin(), data.end());
}

CKdbxBytes LeBytes(std::uint64_t nValue, std::size_t nSize) {
    CKdbxBytes bytes;
    PutLe(bytes, nValue, nSize);
    return bytes;
}

CKdbxBytes RandomBytes(std::size_t nSize) {
    CKdbxBytes bytes(nSize);
    Botan::system_rng().randomize(bytes.data(), bytes.size());
    return bytes;
}

std::span<const std::uint8_t> BytesOf(std::string_view str) {
    return {reinterpret_cast<const std::uint8_t*>(str.data()), str.size()};
}

bool CheckOptions(const SKdbxWriteOptions& options, std::string& strError) {
    const bool bVersion4 = options.eVersion == SKdbxWriteOptions::EVersion::kdbx40;
    // 3.1 came before Argon2 and ChaCha20: its readers know neither.
    if (!bVersion4 && (options.eKdf != EKdbxKdf::aes || options.eCipher == EKdbxCipher::chacha20 ||
                       options.eInnerStream != EKdbxInnerStream::salsa20)) {
        strError = "A KDBX 3.1 database can only use AES-KDF, AES-256 or Twofish, and Salsa20.";
        return false;
    }
    if (options.nRounds == 0) {
        strError = "The key derivation needs at least one round.";
        return false;
    }
    if (options.eKdf != EKdbxKdf::aes &&
        (options.nMemoryBytes < MIN_ARGON2_MEMORY ||
         options.nMemoryBytes > KDBX_MAX_ARGON2_MEMORY || options.nParallelism == 0)) {
        strError = "The Argon2 parameters are out of range.";
        return false;
    }
    return true;
}

// The key derivation's parameters with a fresh seed or salt.
SKdbxKdfParams KdfParams(const SKdbxWriteOptions& options) {
    SKdbxKdfParams params;
    params.eKdf = options.eKdf;
    params.seed = RandomBytes(SEED_SIZE);
    params.nRounds = options.nRounds;
    if (options.eKdf != EKdbxKdf::aes) {
        params.nMemory = options.nMemoryBytes;
        params.nParallelism = options.nParallelism;
        params.nVersion = KDBX_ARGON2_VERSION;
    }
    return params;
}

bool DeriveKey(const SKdbxCredentials& credentials, const SKdbxKdfParams& params,
               CKdbxSecret& transformedKey, std::string& strError) {
    if (!credentials.bHasPassword && !credentials.bHasKeyFile) {
        strError = "A database needs a password, a key file or both.";
        return false;
    }
    CKdbxSecret compositeKey;
    switch (KdbxCompositeKey(credentials, compositeKey)) {
    case EKdbxKeyFileError::none:
        break;
    case EKdbxKeyFileError::malformed:
        strError = "The key file is a damaged XML key file.";
        return false;
    case EKdbxKeyFileError::hashMismatch:
        strError = "The key file's data does not match its hash: the key file is damaged.";
        return false;
    }
    switch (KdbxTransformKey(compositeKey, params, transformedKey)) {
    case EKdbxKdfResult::ok:
        return true;
    case EKdbxKdfResult::unsupported:
        strError = "The key derivation's parameters are out of range.";
        return false;
    case EKdbxKdfResult::cancelled:
        strError = "The key derivation was cancelled.";
        return false;
    case EKdbxKdfResult::tooMuchMemory:
    case EKdbxKdfResult::outOfMemory:
        strError = "There is not enough memory for the key derivation.";
        return false;
    case EKdbxKdfResult::tooCostly:
        strError = "The key derivation would take hours: no reader would wait for it.";
        return false;
    }
    return false;
}

// The XML with its protected values masked by the inner stream.
bool MakeXml(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
             const SKdbxWriteOptions& options, const std::string& strHeaderHash,
             CKdbxInnerStream& innerStream, std::string& strXml, std::string& strError) {
    SKdbxXmlSettings settings;
    settings.bVersion4 = options.eVersion == SKdbxWriteOptions::EVersion::kdbx40;
    settings.strHeaderHashBase64 = strHeaderHash;
    settings.strRootName = options.strRootName;
    settings.nNowUnix = static_cast<std::int64_t>(std::time(nullptr));
    CKdbxXmlWriter writer(
        codePage, settings,
        [&innerStream](std::string_view strUtf8) {
            CKdbxSecret masked(strUtf8.begin(), strUtf8.end());
            innerStream.Apply(masked.data(), masked.size());
            return Botan::base64_encode(masked.data(), masked.size());
        },
        [](std::uint8_t* pBytes, std::size_t nSize) {
            Botan::system_rng().randomize(pBytes, nSize);
        });
    return writer.Write(listInfo, strXml, strError);
}

// The XML as the payload holds it: gzip-compressed or as it is.
CKdbxSecret XmlPayload(std::string& strXml, bool bCompress) {
    CKdbxSecret payload =
        bCompress ? KdbxGzip(BytesOf(strXml)) : CKdbxSecret(strXml.begin(), strXml.end());
    CSecretBuffer::Wipe(strXml);
    return payload;
}

bool WriteVersion4(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                   const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
                   CKdbxBytes& file, std::string& strError) {
    const SKdbxKdfParams params = KdfParams(options);
    CKdbxSecret transformedKey;
    if (!DeriveKey(credentials, params, transformedKey, strError))
        return false;
    const CKdbxBytes seed = RandomBytes(SEED_SIZE);
    const CKdbxBytes iv = RandomBytes(KdbxCipherIvSize(options.eCipher));

    CKdbxBytes header;
    PutLe(header, KDBX_SIGNATURE_1, 4);
    PutLe(header, KDBX_SIGNATURE_2, 4);
    PutLe(header, KDBX_VERSION_40, 4);
    PutField(header, true, cipherId, KdbxCipherUuid(options.eCipher));
    PutField(header, true, compressionFlags, LeBytes(options.bCompress ? 1 : 0, 4));
    PutField(header, true, masterSeed, seed);
    PutField(header, true, encryptionIv, iv);
    PutField(header, true, kdfParameters, KdbxKdfToVariantMap(params).Serialize());
    PutField(header, true, endOfHeader, END_OF_HEADER);

    const CKdbxSecret hmacBaseKey = KdbxHmacBaseKey(seed, transformedKey);
    const CKdbxBytes headerHash = KdbxSha256(header);
    const CKdbxBytes headerHmac = KdbxHeaderHmac(hmacBaseKey, header);

    // The inner header, then the XML, compressed together.
    CKdbxSecret innerKey(INNER_KEY_SIZE_40);
    Botan::system_rng().randomize(innerKey.data(), innerKey.size());
    CKdbxInnerStream innerStream;
    if (!innerStream.Init(static_cast<std::uint32_t>(options.eInnerStream), innerKey)) {
        strError = "The inner stream cannot be started.";
        return false;
    }
    std::string strXml;
    PutField(strXml, true, innerStreamId,
             LeBytes(static_cast<std::uint32_t>(options.eInnerStream), 4));
    PutField(strXml, true, innerStreamKey, innerKey);
    PutField(strXml, true, innerEnd, {});
    if (!MakeXml(listInfo, codePage, options, {}, innerStream, strXml, strError)) {
        CSecretBuffer::Wipe(strXml);
        return false;
    }
    const CKdbxSecret plain = XmlPayload(strXml, options.bCompress);
    CKdbxBytes sealed;
    if (!KdbxEncrypt(options.eCipher, KdbxCipherKey(seed, transformedKey), iv, plain, sealed)) {
        strError = "The database cannot be enciphered.";
        return false;
    }
    const CKdbxBytes blocks = KdbxWriteHmacBlocks(sealed, hmacBaseKey);
    file = std::move(header);
    file.insert(file.end(), headerHash.begin(), headerHash.end());
    file.insert(file.end(), headerHmac.begin(), headerHmac.end());
    file.insert(file.end(), blocks.begin(), blocks.end());
    return true;
}

bool WriteVersion31(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                    const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
                    CKdbxBytes& file, std::string& strError) {
    const SKdbxKdfParams params = KdfParams(options);
    CKdbxSecret transformedKey;
    if (!DeriveKey(credentials, params, transformedKey, strError))
        return false;
    const CKdbxBytes seed = RandomBytes(SEED_SIZE);
    const CKdbxBytes iv = RandomBytes(KdbxCipherIvSize(options.eCipher));
    const CKdbxBytes startBytes = RandomBytes(SEED_SIZE);
    CKdbxSecret innerKey(INNER_KEY_SIZE_31);
    Botan::system_rng().randomize(innerKey.data(), innerKey.size());

    CKdbxBytes header;
    PutLe(header, KDBX_SIGNATURE_1, 4);
    PutLe(header, KDBX_SIGNATURE_2, 4);
    PutLe(header, KDBX_VERSION_31, 4);
    PutField(header, false, cipherId, KdbxCipherUuid(options.eCipher));
    PutField(header, false, compressionFlags, LeBytes(options.bCompress ? 1 : 0, 4));
    PutField(header, false, masterSeed, seed);
    PutField(header, false, transformSeed, params.seed);
    PutField(header, false, transformRounds, LeBytes(params.nRounds, 8));
    PutField(header, false, encryptionIv, iv);
    PutField(header, false, protectedStreamKey, innerKey);
    PutField(header, false, streamStartBytes, startBytes);
    PutField(header, false, innerRandomStreamId,
             LeBytes(static_cast<std::uint32_t>(options.eInnerStream), 4));
    PutField(header, false, endOfHeader, END_OF_HEADER);

    CKdbxInnerStream innerStream;
    if (!innerStream.Init(static_cast<std::uint32_t>(options.eInnerStream), innerKey)) {
        strError = "The inner stream cannot be started.";
        return false;
    }
    // 3.1 has no header HMAC: the XML carries the header's hash instead.
    const CKdbxBytes headerHash = KdbxSha256(header);
    std::string strXml;
    if (!MakeXml(listInfo, codePage, options,
                 Botan::base64_encode(headerHash.data(), headerHash.size()), innerStream, strXml,
                 strError)) {
        CSecretBuffer::Wipe(strXml);
        return false;
    }
    const CKdbxSecret payload = XmlPayload(strXml, options.bCompress);
    const CKdbxSecret blocks = KdbxWriteHashedBlocks(payload);
    // The start bytes come first, so that a reader knows a wrong key from
    // the first block.
    CKdbxSecret plain(startBytes.begin(), startBytes.end());
    plain.insert(plain.end(), blocks.begin(), blocks.end());
    CKdbxBytes sealed;
    if (!KdbxEncrypt(options.eCipher, KdbxCipherKey(seed, transformedKey), iv, plain, sealed)) {
        strError = "The database cannot be enciphered.";
        return false;
    }
    file = std::move(header);
    file.insert(file.end(), sealed.begin(), sealed.end());
    return true;
}

} // namespace

bool WriteKdbx(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
               const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
               const CByteSink& fnSink, std::string& strError) {
    if (!CheckOptions(options, strError))
        return false;
    CKdbxBytes file;
    try {
        const bool bMade =
            options.eVersion == SKdbxWriteOptions::EVersion::kdbx40
                ? WriteVersion4(listInfo, codePage, credentials, options, file, strError)
                : WriteVersion31(listInfo, codePage, credentials, options, file, strError);
        if (!bMade)
            return false;
    } catch (const std::bad_alloc&) {
        strError = "There is not enough memory to write the database.";
        return false;
    } catch (const std::exception& e) {
        // Botan reports its failures (no random source) as exceptions.
        strError = std::string("The database cannot be made: ") + e.what();
        return false;
    }
    if (!fnSink(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()))) {
        strError = "The database cannot be written.";
        return false;
    }
    return true;
}
