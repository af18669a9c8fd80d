// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxWriter.h"

#include "core/interchange/KdbxHeaderWriter.h"
#include "core/interchange/KdbxInnerHeader.h"
#include "core/interchange/KdbxXmlWriter.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"

#include <botan/base64.h>
#include <botan/system_rng.h>

#include <ctime>
#include <exception>

namespace {

// The outer header's fields.
enum EHeaderField : std::uint8_t {
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

constexpr std::size_t SEED_SIZE = 32;
constexpr std::size_t INNER_KEY_SIZE_31 = 32;

// Argon2 below this is no key derivation worth the name; the format itself
// allows down to 8 KiB.
constexpr std::uint64_t MIN_ARGON2_MEMORY = 8 * 1024;

CKdbxBytes RandomBytes(std::size_t nSize) {
    CKdbxBytes bytes(nSize);
    Botan::system_rng().randomize(bytes.data(), bytes.size());
    return bytes;
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

// The plain payload: the prefix (4.x's inner header), then the XML with its
// protected values masked by the inner stream.
bool MakePayload(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                 const SKdbxWriteOptions& options, const std::string& strHeaderHash,
                 CKdbxInnerStream& innerStream, CKdbxSecret& plain, std::string& strError) {
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
    std::string strXml;
    if (!writer.Write(listInfo, strXml, strError)) {
        CSecretBuffer::Wipe(strXml);
        return false;
    }
    plain = KdbxPayload(std::move(plain), strXml, options.bCompress);
    return true;
}

// What either version is written with: the key derivation with a fresh
// seed and the key it gives, a fresh master seed and IV.
struct SFreshFile {
    SKdbxKdfParams params;
    CKdbxSecret transformedKey;
    CKdbxBytes seed;
    CKdbxBytes iv;
};

// Makes them, and puts the header's fields both versions begin with.
bool StartFile(const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
               CKdbxHeaderWriter& header, SFreshFile& fresh, std::string& strError) {
    fresh.params = KdbxFreshKdfParams(options);
    if (!DeriveKey(credentials, fresh.params, fresh.transformedKey, strError))
        return false;
    fresh.seed = RandomBytes(SEED_SIZE);
    fresh.iv = RandomBytes(KdbxCipherIvSize(options.eCipher));
    header.Put(cipherId, KdbxCipherUuid(options.eCipher));
    header.PutNumber(compressionFlags, options.bCompress ? 1 : 0, 4);
    header.Put(masterSeed, fresh.seed);
    return true;
}

bool WriteVersion4(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                   const SKdbxWriteOptions& options, CKdbxHeaderWriter& header,
                   const SFreshFile& fresh, CKdbxBytes& file, std::string& strError) {
    header.Put(encryptionIv, fresh.iv);
    header.Put(kdfParameters, KdbxKdfToVariantMap(fresh.params).Serialize());

    // The inner header, then the XML, compressed together.
    CKdbxInnerStream innerStream;
    CKdbxSecret plain;
    if (!KdbxWriteInnerHeader(innerStream, static_cast<std::uint32_t>(options.eInnerStream), {},
                              plain)) {
        strError = "The inner stream cannot be started.";
        return false;
    }
    if (!MakePayload(listInfo, codePage, options, {}, innerStream, plain, strError))
        return false;
    if (!KdbxSealVersion4(header.End(), fresh.seed, fresh.transformedKey, options.eCipher, fresh.iv,
                          plain, file)) {
        strError = "The database cannot be enciphered.";
        return false;
    }
    return true;
}

bool WriteVersion31(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                    const SKdbxWriteOptions& options, CKdbxHeaderWriter& header,
                    const SFreshFile& fresh, CKdbxBytes& file, std::string& strError) {
    const CKdbxBytes startBytes = RandomBytes(SEED_SIZE);
    CKdbxSecret innerKey(INNER_KEY_SIZE_31);
    Botan::system_rng().randomize(innerKey.data(), innerKey.size());
    header.Put(transformSeed, fresh.params.seed);
    header.PutNumber(transformRounds, fresh.params.nRounds, 8);
    header.Put(encryptionIv, fresh.iv);
    header.Put(protectedStreamKey, innerKey);
    header.Put(streamStartBytes, startBytes);
    header.PutNumber(innerRandomStreamId, static_cast<std::uint32_t>(options.eInnerStream), 4);
    CKdbxBytes headerBytes = header.End();

    CKdbxInnerStream innerStream;
    if (!innerStream.Init(static_cast<std::uint32_t>(options.eInnerStream), innerKey)) {
        strError = "The inner stream cannot be started.";
        return false;
    }
    // 3.1 has no header HMAC: the XML carries the header's hash instead.
    const CKdbxBytes headerHash = KdbxSha256(headerBytes);
    CKdbxSecret payload;
    if (!MakePayload(listInfo, codePage, options,
                     Botan::base64_encode(headerHash.data(), headerHash.size()), innerStream,
                     payload, strError))
        return false;
    const CKdbxSecret blocks = KdbxWriteHashedBlocks(payload);
    // The start bytes come first, so that a reader knows a wrong key from
    // the first block.
    CKdbxSecret plain(startBytes.begin(), startBytes.end());
    plain.insert(plain.end(), blocks.begin(), blocks.end());
    CKdbxBytes sealed;
    if (!KdbxEncrypt(options.eCipher, KdbxCipherKey(fresh.seed, fresh.transformedKey), fresh.iv,
                     plain, sealed)) {
        strError = "The database cannot be enciphered.";
        return false;
    }
    file = std::move(headerBytes);
    file.insert(file.end(), sealed.begin(), sealed.end());
    return true;
}

} // namespace

SKdbxKdfParams KdbxFreshKdfParams(const SKdbxWriteOptions& options) {
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

bool WriteKdbx(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
               const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
               const CByteSink& fnSink, std::string& strError) {
    if (!CheckOptions(options, strError))
        return false;
    CKdbxBytes file;
    try {
        const bool bVersion4 = options.eVersion == SKdbxWriteOptions::EVersion::kdbx40;
        CKdbxHeaderWriter header(bVersion4 ? 4 : 3, bVersion4 ? 0 : 1);
        SFreshFile fresh;
        if (!StartFile(credentials, options, header, fresh, strError))
            return false;
        const bool bMade =
            bVersion4 ? WriteVersion4(listInfo, codePage, options, header, fresh, file, strError)
                      : WriteVersion31(listInfo, codePage, options, header, fresh, file, strError);
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
