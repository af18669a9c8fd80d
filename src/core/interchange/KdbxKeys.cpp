// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxKeys.h"

#include "core/base/CancelToken.h"

#include <botan/base64.h>
#include <botan/block_cipher.h>
#include <botan/exceptn.h>
#include <botan/hash.h>
#include <botan/hex.h>
#include <botan/mac.h>
#include <botan/pwdhash.h>

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// Hex digits to bytes; false on an odd count or another character.
bool DecodeHex(std::string_view strHex, CKdbxSecret& out) {
    if (strHex.size() % 2 != 0 ||
        !std::all_of(strHex.begin(), strHex.end(), [](char c) { return IsHexDigit(c); }))
        return false;
    out.assign(strHex.size() / 2, 0);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] =
            static_cast<std::uint8_t>(HexValue(strHex[2 * i]) * 16 + HexValue(strHex[2 * i + 1]));
    return true;
}

bool IsXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The parts of an XML key file: <KeyFile><Meta><Version/></Meta>
// <Key><Data Hash="..."/></Key></KeyFile>.
struct SKeyFileXml {
    XML_Parser parser = nullptr;
    std::vector<std::string> astrPath;
    bool bKeyFileRoot = false;
    bool bOtherRoot = false;
    std::string strVersion;
    std::string strHash;
    bool bHashGiven = false;
    Botan::secure_vector<char> data;
    int nDataCount = 0;
};

bool PathIs(const SKeyFileXml& xml, std::initializer_list<const char*> path) {
    return xml.astrPath.size() == path.size() &&
           std::equal(xml.astrPath.begin(), xml.astrPath.end(), path.begin(),
                      [](const std::string& a, const char* b) { return a == b; });
}

void XMLCALL KeyFileStart(void* pUser, const XML_Char* pszName, const XML_Char** ppszAttrs) {
    auto& xml = *static_cast<SKeyFileXml*>(pUser);
    if (xml.astrPath.empty()) {
        if (std::strcmp(pszName, "KeyFile") == 0)
            xml.bKeyFileRoot = true;
        else
            xml.bOtherRoot = true;
    }
    xml.astrPath.emplace_back(pszName);
    if (PathIs(xml, {"KeyFile", "Key", "Data"})) {
        ++xml.nDataCount;
        for (int i = 0; ppszAttrs[i]; i += 2) {
            if (std::strcmp(ppszAttrs[i], "Hash") == 0) {
                xml.bHashGiven = true;
                xml.strHash = ppszAttrs[i + 1];
            }
        }
    }
}

void XMLCALL KeyFileEnd(void* pUser, const XML_Char*) {
    static_cast<SKeyFileXml*>(pUser)->astrPath.pop_back();
}

void XMLCALL KeyFileText(void* pUser, const XML_Char* pText, int nLength) {
    auto& xml = *static_cast<SKeyFileXml*>(pUser);
    if (PathIs(xml, {"KeyFile", "Meta", "Version"}))
        xml.strVersion.append(pText, static_cast<std::size_t>(nLength));
    else if (PathIs(xml, {"KeyFile", "Key", "Data"}))
        xml.data.insert(xml.data.end(), pText, pText + nLength);
}

// A key file may declare entities no more than a database may.
void XMLCALL RefuseDoctype(void* pUser, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    XML_StopParser(static_cast<SKeyFileXml*>(pUser)->parser, XML_FALSE);
}

std::string Trimmed(std::string_view str) {
    while (!str.empty() && IsXmlBlank(str.front()))
        str.remove_prefix(1);
    while (!str.empty() && IsXmlBlank(str.back()))
        str.remove_suffix(1);
    return std::string(str);
}

enum class EXmlKeyFile { notXml, key, malformed, hashMismatch };

EXmlKeyFile ReadXmlKeyFile(std::span<const std::uint8_t> keyFile, CKdbxSecret& key) {
    SKeyFileXml xml;
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser)
        throw std::bad_alloc();
    xml.parser = parser;
    XML_SetUserData(parser, &xml);
    XML_SetElementHandler(parser, KeyFileStart, KeyFileEnd);
    XML_SetCharacterDataHandler(parser, KeyFileText);
    XML_SetStartDoctypeDeclHandler(parser, RefuseDoctype);
    bool bParsed = true;
    {
        // Fed in pieces that fit an int, for a key file of any size.
        std::size_t nDone = 0;
        constexpr std::size_t CHUNK = std::size_t(1) << 24;
        do {
            const std::size_t n = std::min(CHUNK, keyFile.size() - nDone);
            const bool bFinal = nDone + n == keyFile.size();
            if (XML_Parse(parser, reinterpret_cast<const char*>(keyFile.data() + nDone),
                          static_cast<int>(n), bFinal ? XML_TRUE : XML_FALSE) != XML_STATUS_OK) {
                bParsed = false;
                break;
            }
            nDone += n;
            if (xml.bOtherRoot)
                break;
        } while (nDone < keyFile.size());
    }
    XML_ParserFree(parser);
    if (!xml.bKeyFileRoot)
        return EXmlKeyFile::notXml;
    if (!bParsed || xml.nDataCount != 1)
        return EXmlKeyFile::malformed;

    const std::string strVersion = Trimmed(xml.strVersion);
    if (strVersion == "1.0" || strVersion == "1.00") {
        try {
            // Blanks around and inside the data are ignored.
            key = Botan::base64_decode(xml.data.data(), xml.data.size(), true);
        } catch (const Botan::Exception&) {
            return EXmlKeyFile::malformed;
        }
        return key.size() == 32 ? EXmlKeyFile::key : EXmlKeyFile::malformed;
    }
    if (strVersion != "2.0" && strVersion != "2.00")
        return EXmlKeyFile::malformed;
    // Version 2.0 writes the key in hex, in groups separated by blanks.
    Botan::secure_vector<char> hex;
    for (const char c : xml.data) {
        if (!IsXmlBlank(c))
            hex.push_back(c);
    }
    if (!DecodeHex(std::string_view(hex.data(), hex.size()), key) || key.size() != 32)
        return EXmlKeyFile::malformed;
    if (xml.bHashGiven) {
        CKdbxSecret hash;
        if (!DecodeHex(Trimmed(xml.strHash), hash) || hash.size() != 4)
            return EXmlKeyFile::malformed;
        if (!std::equal(hash.begin(), hash.end(), KdbxSha256(key).begin()))
            return EXmlKeyFile::hashMismatch;
    }
    return EXmlKeyFile::key;
}

std::unique_ptr<Botan::HashFunction> Hash(const char* pszName) {
    return Botan::HashFunction::create_or_throw(pszName);
}

void PutLE(CKdbxBytes& out, std::uint64_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
}

std::uint64_t GetLE(std::span<const std::uint8_t> bytes) {
    std::uint64_t n = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        n = (n << 8) | bytes[i];
    return n;
}

std::size_t FixedSizeOf(CKdbxVariantMap::EType eType) {
    switch (eType) {
    case CKdbxVariantMap::EType::uint32:
    case CKdbxVariantMap::EType::int32:
        return 4;
    case CKdbxVariantMap::EType::uint64:
    case CKdbxVariantMap::EType::int64:
        return 8;
    case CKdbxVariantMap::EType::boolean:
        return 1;
    case CKdbxVariantMap::EType::string:
    case CKdbxVariantMap::EType::bytes:
        break;
    }
    return 0;
}

bool IsKnownType(std::uint8_t nType) {
    switch (static_cast<CKdbxVariantMap::EType>(nType)) {
    case CKdbxVariantMap::EType::uint32:
    case CKdbxVariantMap::EType::uint64:
    case CKdbxVariantMap::EType::boolean:
    case CKdbxVariantMap::EType::int32:
    case CKdbxVariantMap::EType::int64:
    case CKdbxVariantMap::EType::string:
    case CKdbxVariantMap::EType::bytes:
        return true;
    }
    return false;
}

constexpr std::uint16_t VARIANT_MAP_VERSION = 0x0100;

} // namespace

CKdbxBytes KdbxSha256(std::span<const std::uint8_t> bytes) {
    auto pHash = Hash("SHA-256");
    pHash->update(bytes.data(), bytes.size());
    return pHash->final_stdvec();
}

EKdbxKeyFileError KdbxKeyFileKey(std::span<const std::uint8_t> keyFile, CKdbxSecret& key) {
    key.clear();
    switch (ReadXmlKeyFile(keyFile, key)) {
    case EXmlKeyFile::key:
        return EKdbxKeyFileError::none;
    case EXmlKeyFile::malformed:
        key.clear();
        return EKdbxKeyFileError::malformed;
    case EXmlKeyFile::hashMismatch:
        key.clear();
        return EKdbxKeyFileError::hashMismatch;
    case EXmlKeyFile::notXml:
        break;
    }
    if (keyFile.size() == 32) {
        key.assign(keyFile.begin(), keyFile.end());
        return EKdbxKeyFileError::none;
    }
    if (keyFile.size() == 64 && DecodeHex(AsText(keyFile), key))
        return EKdbxKeyFileError::none;
    auto pHash = Hash("SHA-256");
    pHash->update(keyFile.data(), keyFile.size());
    key = pHash->final();
    return EKdbxKeyFileError::none;
}

EKdbxKeyFileError KdbxCompositeKey(const SKdbxCredentials& credentials, CKdbxSecret& key) {
    auto pHash = Hash("SHA-256");
    if (credentials.bHasPassword) {
        auto pPassword = Hash("SHA-256");
        pPassword->update(credentials.strPassword);
        pHash->update(pPassword->final());
    }
    if (credentials.bHasKeyFile) {
        CKdbxSecret fileKey;
        const EKdbxKeyFileError eError = KdbxKeyFileKey(credentials.keyFile, fileKey);
        if (eError != EKdbxKeyFileError::none) {
            key.clear();
            return eError;
        }
        pHash->update(fileKey);
    }
    key = pHash->final();
    return EKdbxKeyFileError::none;
}

std::uint64_t KdbxKdfMemory(const SKdbxKdfParams& params) {
    return params.eKdf == EKdbxKdf::aes ? 0 : params.nMemory;
}

EKdbxKdfCost KdbxKdfCost(const SKdbxKdfParams& params) {
    if (params.eKdf == EKdbxKdf::aes) {
        if (params.nRounds > KDBX_MAX_AES_ROUNDS)
            return EKdbxKdfCost::tooMuch;
        return params.nRounds > KDBX_SLOW_AES_ROUNDS ? EKdbxKdfCost::slow : EKdbxKdfCost::usual;
    }
    if (params.nMemory > KDBX_MAX_ARGON2_MEMORY || params.nParallelism > KDBX_MAX_ARGON2_LANES)
        return EKdbxKdfCost::tooMuch;
    // Memory times passes, compared without overflowing: the memory is at
    // most 2^32 here, the passes any 64-bit count.
    const std::uint64_t nMemory = std::max<std::uint64_t>(params.nMemory, 1);
    if (params.nRounds > KDBX_MAX_ARGON2_WORK / nMemory)
        return EKdbxKdfCost::tooMuch;
    return params.nRounds > KDBX_SLOW_ARGON2_WORK / nMemory ||
                   params.nMemory > KDBX_SLOW_ARGON2_MEMORY
               ? EKdbxKdfCost::slow
               : EKdbxKdfCost::usual;
}

EKdbxKdfResult KdbxTransformKey(const CKdbxSecret& compositeKey, const SKdbxKdfParams& params,
                                CKdbxSecret& transformedKey, const CCancelToken* pCancel) {
    const auto IsCancelled = [pCancel]() { return pCancel && pCancel->IsCancelled(); };
    transformedKey.clear();
    try {
        if (params.eKdf == EKdbxKdf::aes) {
            if (params.seed.size() != 32 || compositeKey.size() != 32)
                return EKdbxKdfResult::unsupported;
            if (KdbxKdfCost(params) == EKdbxKdfCost::tooMuch)
                return EKdbxKdfResult::tooCostly;
            auto pAes = Botan::BlockCipher::create_or_throw("AES-256");
            pAes->set_key(params.seed.data(), params.seed.size());
            CKdbxSecret block(compositeKey.begin(), compositeKey.end());
            // Both halves go through the rounds together; in pieces, so the
            // loop's count fits any platform's size_t.
            // The token is looked at every 65536 rounds: a few milliseconds.
            for (std::uint64_t nLeft = params.nRounds; nLeft > 0; --nLeft) {
                pAes->encrypt_n(block.data(), block.data(), 2);
                if ((nLeft & 0xFFFF) == 0 && IsCancelled())
                    return EKdbxKdfResult::cancelled;
            }
            auto pHash = Hash("SHA-256");
            pHash->update(block);
            transformedKey = pHash->final();
            return EKdbxKdfResult::ok;
        }
        if (params.nVersion != KDBX_ARGON2_VERSION || params.seed.size() < 8 ||
            params.nParallelism < 1 || params.nParallelism > 0xFFFFFF || params.nRounds < 1 ||
            params.nRounds > std::numeric_limits<std::uint32_t>::max())
            return EKdbxKdfResult::unsupported;
        const std::uint64_t nKiB = params.nMemory / 1024;
        if (nKiB < 8 * std::uint64_t(params.nParallelism))
            return EKdbxKdfResult::unsupported;
        if (params.nMemory > KDBX_MAX_ARGON2_MEMORY)
            return EKdbxKdfResult::tooMuchMemory;
        if (KdbxKdfCost(params) == EKdbxKdfCost::tooMuch)
            return EKdbxKdfResult::tooCostly;
        auto pFamily = Botan::PasswordHashFamily::create_or_throw(
            params.eKdf == EKdbxKdf::argon2d ? "Argon2d" : "Argon2id");
        // Botan's Argon2 takes memory (KiB), iterations and parallelism.
        auto pArgon =
            pFamily->from_params(static_cast<std::size_t>(nKiB),
                                 static_cast<std::size_t>(params.nRounds), params.nParallelism);
        transformedKey.assign(32, 0);
        pArgon->derive_key(transformedKey.data(), transformedKey.size(),
                           reinterpret_cast<const char*>(compositeKey.data()), compositeKey.size(),
                           params.seed.data(), params.seed.size());
        if (IsCancelled()) {
            transformedKey.clear();
            return EKdbxKdfResult::cancelled;
        }
        return EKdbxKdfResult::ok;
    } catch (const std::bad_alloc&) {
        transformedKey.clear();
        return EKdbxKdfResult::outOfMemory;
    } catch (const Botan::Exception&) {
        transformedKey.clear();
        return EKdbxKdfResult::unsupported;
    }
}

std::optional<CKdbxVariantMap> CKdbxVariantMap::Parse(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2 || (GetLE(bytes.first(2)) & 0xFF00) != (VARIANT_MAP_VERSION & 0xFF00))
        return std::nullopt;
    std::size_t nPos = 2;
    CKdbxVariantMap map;
    for (;;) {
        if (nPos >= bytes.size())
            return std::nullopt;
        const std::uint8_t nType = bytes[nPos++];
        if (nType == 0)
            return map;
        if (!IsKnownType(nType) || bytes.size() - nPos < 4)
            return std::nullopt;
        const std::uint64_t nNameLength = GetLE(bytes.subspan(nPos, 4));
        nPos += 4;
        if (bytes.size() - nPos < nNameLength)
            return std::nullopt;
        std::string strName(AsText(bytes.subspan(nPos, static_cast<std::size_t>(nNameLength))));
        nPos += static_cast<std::size_t>(nNameLength);
        if (bytes.size() - nPos < 4)
            return std::nullopt;
        const std::uint64_t nValueLength = GetLE(bytes.subspan(nPos, 4));
        nPos += 4;
        if (bytes.size() - nPos < nValueLength)
            return std::nullopt;
        const auto eType = static_cast<EType>(nType);
        const std::size_t nFixed = FixedSizeOf(eType);
        if (nFixed != 0 && nValueLength != nFixed)
            return std::nullopt;
        if (std::any_of(map.m_items.begin(), map.m_items.end(),
                        [&](const SItem& item) { return item.strName == strName; }))
            return std::nullopt;
        const auto value = bytes.subspan(nPos, static_cast<std::size_t>(nValueLength));
        map.m_items.push_back({eType, std::move(strName), CKdbxBytes(value.begin(), value.end())});
        nPos += static_cast<std::size_t>(nValueLength);
    }
}

CKdbxBytes CKdbxVariantMap::Serialize() const {
    CKdbxBytes out;
    PutLE(out, VARIANT_MAP_VERSION, 2);
    for (const SItem& item : m_items) {
        out.push_back(static_cast<std::uint8_t>(item.eType));
        PutLE(out, item.strName.size(), 4);
        out.insert(out.end(), item.strName.begin(), item.strName.end());
        PutLE(out, item.value.size(), 4);
        out.insert(out.end(), item.value.begin(), item.value.end());
    }
    out.push_back(0);
    return out;
}

void CKdbxVariantMap::Set(EType eType, const std::string& strName, CKdbxBytes value) {
    for (SItem& item : m_items) {
        if (item.strName == strName) {
            item.eType = eType;
            item.value = std::move(value);
            return;
        }
    }
    m_items.push_back({eType, strName, std::move(value)});
}

const CKdbxVariantMap::SItem* CKdbxVariantMap::Find(const std::string& strName, EType eType) const {
    for (const SItem& item : m_items) {
        if (item.strName == strName)
            return item.eType == eType ? &item : nullptr;
    }
    return nullptr;
}

void CKdbxVariantMap::SetUInt32(const std::string& strName, std::uint32_t nValue) {
    CKdbxBytes value;
    PutLE(value, nValue, 4);
    Set(EType::uint32, strName, std::move(value));
}

void CKdbxVariantMap::SetUInt64(const std::string& strName, std::uint64_t nValue) {
    CKdbxBytes value;
    PutLE(value, nValue, 8);
    Set(EType::uint64, strName, std::move(value));
}

void CKdbxVariantMap::SetBool(const std::string& strName, bool bValue) {
    Set(EType::boolean, strName, CKdbxBytes{static_cast<std::uint8_t>(bValue ? 1 : 0)});
}

void CKdbxVariantMap::SetInt32(const std::string& strName, std::int32_t nValue) {
    CKdbxBytes value;
    PutLE(value, static_cast<std::uint32_t>(nValue), 4);
    Set(EType::int32, strName, std::move(value));
}

void CKdbxVariantMap::SetInt64(const std::string& strName, std::int64_t nValue) {
    CKdbxBytes value;
    PutLE(value, static_cast<std::uint64_t>(nValue), 8);
    Set(EType::int64, strName, std::move(value));
}

void CKdbxVariantMap::SetString(const std::string& strName, const std::string& strValue) {
    Set(EType::string, strName, CKdbxBytes(strValue.begin(), strValue.end()));
}

void CKdbxVariantMap::SetBytes(const std::string& strName, std::span<const std::uint8_t> value) {
    Set(EType::bytes, strName, CKdbxBytes(value.begin(), value.end()));
}

std::optional<std::uint32_t> CKdbxVariantMap::UInt32(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::uint32);
    return pItem ? std::optional(static_cast<std::uint32_t>(GetLE(pItem->value))) : std::nullopt;
}

std::optional<std::uint64_t> CKdbxVariantMap::UInt64(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::uint64);
    return pItem ? std::optional(GetLE(pItem->value)) : std::nullopt;
}

std::optional<bool> CKdbxVariantMap::Bool(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::boolean);
    return pItem ? std::optional(pItem->value[0] != 0) : std::nullopt;
}

std::optional<std::int32_t> CKdbxVariantMap::Int32(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::int32);
    return pItem ? std::optional(static_cast<std::int32_t>(GetLE(pItem->value))) : std::nullopt;
}

std::optional<std::int64_t> CKdbxVariantMap::Int64(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::int64);
    return pItem ? std::optional(static_cast<std::int64_t>(GetLE(pItem->value))) : std::nullopt;
}

std::optional<std::string> CKdbxVariantMap::String(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::string);
    return pItem ? std::optional(std::string(AsText(pItem->value))) : std::nullopt;
}

std::optional<CKdbxBytes> CKdbxVariantMap::Bytes(const std::string& strName) const {
    const SItem* pItem = Find(strName, EType::bytes);
    return pItem ? std::optional(pItem->value) : std::nullopt;
}

std::optional<SKdbxKdfParams> KdbxKdfFromVariantMap(const CKdbxVariantMap& map) {
    const auto uuid = map.Bytes("$UUID");
    if (!uuid || uuid->size() != 16)
        return std::nullopt;
    SKdbxKdfParams params;
    const auto IsUuid = [&](const CKdbxUuid& known) {
        return std::equal(known.begin(), known.end(), uuid->begin());
    };
    if (IsUuid(KDBX_KDF_AES_UUID)) {
        const auto rounds = map.UInt64("R");
        const auto seed = map.Bytes("S");
        if (!rounds || !seed)
            return std::nullopt;
        params.eKdf = EKdbxKdf::aes;
        params.nRounds = *rounds;
        params.seed = *seed;
        return params;
    }
    if (!IsUuid(KDBX_KDF_ARGON2D_UUID) && !IsUuid(KDBX_KDF_ARGON2ID_UUID))
        return std::nullopt;
    params.eKdf = IsUuid(KDBX_KDF_ARGON2D_UUID) ? EKdbxKdf::argon2d : EKdbxKdf::argon2id;
    const auto salt = map.Bytes("S");
    const auto parallelism = map.UInt32("P");
    const auto memory = map.UInt64("M");
    const auto iterations = map.UInt64("I");
    const auto version = map.UInt32("V");
    if (!salt || !parallelism || !memory || !iterations || !version)
        return std::nullopt;
    // A secret key or associated data is something no database maker
    // writes and this derivation does not take.
    const auto secret = map.Bytes("K");
    const auto assoc = map.Bytes("A");
    if ((secret && !secret->empty()) || (assoc && !assoc->empty()))
        return std::nullopt;
    params.seed = *salt;
    params.nParallelism = *parallelism;
    params.nMemory = *memory;
    params.nRounds = *iterations;
    params.nVersion = *version;
    return params;
}

CKdbxVariantMap KdbxKdfToVariantMap(const SKdbxKdfParams& params) {
    CKdbxVariantMap map;
    switch (params.eKdf) {
    case EKdbxKdf::aes:
        map.SetBytes("$UUID", KDBX_KDF_AES_UUID);
        map.SetUInt64("R", params.nRounds);
        map.SetBytes("S", params.seed);
        return map;
    case EKdbxKdf::argon2d:
        map.SetBytes("$UUID", KDBX_KDF_ARGON2D_UUID);
        break;
    case EKdbxKdf::argon2id:
        map.SetBytes("$UUID", KDBX_KDF_ARGON2ID_UUID);
        break;
    }
    map.SetBytes("S", params.seed);
    map.SetUInt32("P", params.nParallelism);
    map.SetUInt64("M", params.nMemory);
    map.SetUInt64("I", params.nRounds);
    map.SetUInt32("V", params.nVersion);
    return map;
}

CKdbxSecret KdbxCipherKey(std::span<const std::uint8_t> masterSeed,
                          const CKdbxSecret& transformedKey) {
    auto pHash = Hash("SHA-256");
    pHash->update(masterSeed.data(), masterSeed.size());
    pHash->update(transformedKey);
    return pHash->final();
}

CKdbxSecret KdbxHmacBaseKey(std::span<const std::uint8_t> masterSeed,
                            const CKdbxSecret& transformedKey) {
    auto pHash = Hash("SHA-512");
    pHash->update(masterSeed.data(), masterSeed.size());
    pHash->update(transformedKey);
    pHash->update(std::uint8_t{1});
    return pHash->final();
}

CKdbxSecret KdbxBlockHmacKey(const CKdbxSecret& hmacBaseKey, std::uint64_t nBlockIndex) {
    CKdbxBytes index;
    PutLE(index, nBlockIndex, 8);
    auto pHash = Hash("SHA-512");
    pHash->update(index);
    pHash->update(hmacBaseKey);
    return pHash->final();
}

CKdbxBytes KdbxHeaderHmac(const CKdbxSecret& hmacBaseKey, std::span<const std::uint8_t> header) {
    auto pMac = Botan::MessageAuthenticationCode::create_or_throw("HMAC(SHA-256)");
    pMac->set_key(KdbxBlockHmacKey(hmacBaseKey, KDBX_HEADER_BLOCK_INDEX));
    pMac->update(header.data(), header.size());
    return pMac->final_stdvec();
}
