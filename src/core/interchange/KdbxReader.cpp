// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxReader.h"

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxContainer.h"
#include "core/interchange/KdbxInnerHeader.h"
#include "core/interchange/KdbxXml.h"

#include <botan/exceptn.h>

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <new>
#include <optional>

namespace {

constexpr std::uint32_t SIGNATURE_1 = 0x9AA2D903;
constexpr std::uint32_t SIGNATURE_2 = 0xB54BFB67;
constexpr std::uint32_t SIGNATURE_2_KDB = 0xB54BFB65;     // KeePass 1's .kdb
constexpr std::uint32_t SIGNATURE_2_PREVIEW = 0xB54BFB66; // KeePass 2's test versions

// The header's field ids.
enum EHeaderField : std::uint8_t {
    endOfHeader = 0,
    cipherId = 2,
    compressionFlags = 3,
    masterSeed = 4,
    transformSeed = 5,
    transformRounds = 6,
    encryptionIv = 7,
    protectedStreamKey = 8,
    streamStartBytes = 9,
    innerRandomStreamId = 10,
    kdfParameters = 11
};

const char* const MSG_NOT_KDBX = "The file is not a KeePass database.";
const char* const MSG_DAMAGED = "The KeePass database is damaged or incomplete.";
const char* const MSG_OUT_OF_MEMORY = "There is not enough memory to import the KeePass database.";

std::uint64_t GetLE(std::span<const std::uint8_t> bytes) {
    std::uint64_t n = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        n = (n << 8) | bytes[i];
    return n;
}

SKdbxOutcome Outcome(EKdbxFailure eFailure, std::string strMessage) {
    return {eFailure, std::move(strMessage)};
}

SKdbxOutcome Cancelled() {
    return Outcome(EKdbxFailure::cancelled, "Reading the KeePass database was cancelled.");
}

SKdbxOutcome Damaged() {
    return Outcome(EKdbxFailure::damaged, MSG_DAMAGED);
}

SKdbxOutcome Unsupported(const std::string& strWhat) {
    return Outcome(EKdbxFailure::unsupported,
                   "The KeePass database uses " + strWhat + ", which cannot be imported.");
}

SKdbxOutcome UnsupportedStream() {
    return Unsupported("a protected-value stream other than Salsa20 or ChaCha20");
}

SKdbxOutcome WrongKey(const SKdbxCredentials& credentials) {
    return Outcome(EKdbxFailure::wrongKey,
                   credentials.bHasKeyFile
                       ? "The password or key file is wrong."
                       : "The password is wrong, or the database also needs a key file.");
}

std::string Megabytes(std::uint64_t nBytes) {
    return std::to_string((nBytes + (std::uint64_t(1) << 20) - 1) >> 20) + " MB";
}

SKdbxOutcome TooLarge(std::size_t nAllowed) {
    return Outcome(EKdbxFailure::tooLarge,
                   "The KeePass database is too large to import: reading it would take more "
                   "than " +
                       Megabytes(nAllowed) + " of memory.");
}

// The limit a derivation goes past, in the words of KdbxKdfCostText.
std::string KdfLimitText(const SKdbxKdfParams& params) {
    if (params.eKdf == EKdbxKdf::aes)
        return std::to_string(KDBX_MAX_AES_ROUNDS) + " rounds";
    if (params.nMemory > KDBX_MAX_ARGON2_MEMORY)
        return std::to_string(KDBX_MAX_ARGON2_MEMORY >> 20) + " MiB of memory";
    if (params.nParallelism > KDBX_MAX_ARGON2_LANES)
        return std::to_string(KDBX_MAX_ARGON2_LANES) + " lanes";
    return std::to_string(KDBX_MAX_ARGON2_WORK >> 20) + " MiB of memory times passes";
}

SKdbxOutcome KdfTooCostly(const SKdbxKdfParams& params) {
    return Outcome(EKdbxFailure::kdfTooCostly,
                   "The KeePass database asks for " + KdbxKdfCostText(params) +
                       " to turn its password into its key, more than can be given to it (at "
                       "most " +
                       KdfLimitText(params) + ").");
}

constexpr std::uint64_t MAX_PAYLOAD = KDBX_MAX_PAYLOAD;

SKdbxOutcome TooLargePayload() {
    return Outcome(EKdbxFailure::tooLarge,
                   "The KeePass database is too large to import: its contents inflate to more "
                   "than " +
                       Megabytes(MAX_PAYLOAD) + ".");
}

constexpr std::size_t INFLATE_BUFFER = std::size_t(1) << 18;
constexpr std::size_t INFLATE_MEMORY = KDBX_INFLATE_MEMORY;
static_assert(INFLATE_BUFFER < KDBX_INFLATE_MEMORY);

// What the header says, as far as reading needs it.
struct SHeader {
    std::uint16_t nMajor = 0;
    std::uint16_t nMinor = 0;
    std::size_t nLength = 0; // up to and with the end field
    CKdbxBytes cipherUuid;
    std::optional<std::uint32_t> nCompression;
    CKdbxBytes masterSeed;
    CKdbxBytes iv;
    CKdbxBytes streamStart;
    CKdbxSecret innerKey;
    std::optional<std::uint32_t> nInnerStream;
    CKdbxBytes transformSeed;
    std::optional<std::uint64_t> nTransformRounds;
    CKdbxBytes kdfParameters;
    std::vector<SKdbxHeaderField> fields; // every field but the end, in order
};

// Reads the header's fields; false when one runs past the file's end or
// a field that is read comes twice. Which of two round counts would count
// is anybody's guess, and before version 4 nothing proves the header
// before the key is derived, so a second count must not slip past a check
// of the first.
bool ReadHeader(std::span<const std::uint8_t> file, SHeader& header) {
    const std::size_t nSizeBytes = header.nMajor >= 4 ? 4 : 2;
    std::size_t nPos = 12;
    std::uint32_t nSeen = 0;
    for (;;) {
        if (file.size() - nPos < 1 + nSizeBytes)
            return false;
        const std::uint8_t nId = file[nPos];
        const std::uint64_t nSize = GetLE(file.subspan(nPos + 1, nSizeBytes));
        nPos += 1 + nSizeBytes;
        if (file.size() - nPos < nSize)
            return false;
        const auto data = file.subspan(nPos, static_cast<std::size_t>(nSize));
        nPos += static_cast<std::size_t>(nSize);
        const CKdbxBytes bytes(data.begin(), data.end());
        if (nId != endOfHeader && nId != protectedStreamKey)
            header.fields.push_back({nId, bytes});
        if (nId >= cipherId && nId <= kdfParameters) {
            if (nSeen & (1u << nId))
                return false;
            nSeen |= 1u << nId;
        }
        switch (nId) {
        case endOfHeader:
            header.nLength = nPos;
            return true;
        case cipherId:
            header.cipherUuid = bytes;
            break;
        case compressionFlags:
            if (data.size() == 4)
                header.nCompression = static_cast<std::uint32_t>(GetLE(data));
            break;
        case masterSeed:
            header.masterSeed = bytes;
            break;
        case transformSeed:
            header.transformSeed = bytes;
            break;
        case transformRounds:
            if (data.size() == 8)
                header.nTransformRounds = GetLE(data);
            break;
        case encryptionIv:
            header.iv = bytes;
            break;
        case protectedStreamKey:
            header.innerKey.assign(data.begin(), data.end());
            break;
        case streamStartBytes:
            header.streamStart = bytes;
            break;
        case innerRandomStreamId:
            if (data.size() == 4)
                header.nInnerStream = static_cast<std::uint32_t>(GetLE(data));
            break;
        case kdfParameters:
            header.kdfParameters = bytes;
            break;
        default:
            break; // comments and public custom data carry nothing read here
        }
    }
}

// Hands the payload to fnChunk piece by piece, inflated from gzip (or
// zlib) when it is compressed, and at most nMaxOut bytes of it: the XML is
// read as it comes and never held whole.
enum class EStream { ok, damaged, tooLarge, stopped };
EStream StreamPayload(std::span<const std::uint8_t> payload, bool bCompressed,
                      std::uint64_t nMaxOut,
                      const std::function<bool(std::span<const std::uint8_t>)>& fnChunk) {
    if (!bCompressed) {
        if (payload.size() > nMaxOut)
            return EStream::tooLarge;
        return fnChunk(payload) ? EStream::ok : EStream::stopped;
    }
    z_stream zs{};
    // 32 more window bits: either wrapper, told apart by its header.
    if (inflateInit2(&zs, 15 + 32) != Z_OK)
        throw std::bad_alloc();
    CKdbxSecret buffer(INFLATE_BUFFER);
    std::size_t nIn = 0;
    std::uint64_t nTotal = 0;
    EStream eResult = EStream::damaged;
    for (;;) {
        const std::size_t nGiven =
            std::min<std::size_t>(payload.size() - nIn, std::numeric_limits<uInt>::max());
        zs.next_in = const_cast<Bytef*>(payload.data() + nIn);
        zs.avail_in = static_cast<uInt>(nGiven);
        zs.next_out = buffer.data();
        zs.avail_out = static_cast<uInt>(buffer.size());
        const int nResult = inflate(&zs, Z_NO_FLUSH);
        nIn += nGiven - zs.avail_in;
        const std::size_t nProduced = buffer.size() - zs.avail_out;
        if (nResult == Z_MEM_ERROR) {
            inflateEnd(&zs);
            throw std::bad_alloc();
        }
        if (nResult != Z_OK && nResult != Z_STREAM_END && nResult != Z_BUF_ERROR)
            break;
        nTotal += nProduced;
        if (nTotal > nMaxOut) {
            eResult = EStream::tooLarge;
            break;
        }
        if (nProduced > 0 && !fnChunk(std::span(buffer).first(nProduced))) {
            eResult = EStream::stopped;
            break;
        }
        if (nResult == Z_STREAM_END) {
            eResult = EStream::ok;
            break;
        }
        // Input that ends before the stream does is damage.
        if (nProduced == 0 && nIn == payload.size())
            break;
    }
    inflateEnd(&zs);
    return eResult;
}

// Takes the payload's plain bytes as they come: in KDBX 4 first the inner
// header (the protected values' stream and its key, and attachments, which
// are passed over), then the XML, which goes to the XML reader.
class CPayloadReader {
public:
    CPayloadReader(bool bInnerHeader, CKdbxInnerStream& stream, CKdbxXmlReader& xml)
        : m_bInnerHeader(bInnerHeader), m_header(stream), m_xml(xml) {}

    bool Take(std::span<const std::uint8_t> chunk) {
        if (m_bInnerHeader && !m_header.IsRead() && !m_header.Take(chunk))
            return false;
        return chunk.empty() || m_xml.Feed(chunk, false);
    }

    // Whether the payload held a whole inner header; the XML is then told
    // it has ended.
    bool Finish() {
        if (m_bInnerHeader && !m_header.IsRead()) {
            m_eFailure = EKdbxFailure::damaged;
            return false;
        }
        return m_xml.Feed({}, true);
    }

    EKdbxFailure Failure() const {
        return m_eFailure != EKdbxFailure::none ? m_eFailure : m_header.Failure();
    }

private:
    bool m_bInnerHeader;
    CKdbxInnerHeader m_header;
    CKdbxXmlReader& m_xml;
    EKdbxFailure m_eFailure = EKdbxFailure::none;
};

// Keeps the memory a read holds within its allowance.
class CMemoryAccount {
public:
    explicit CMemoryAccount(std::size_t nAllowed) : m_nAllowed(nAllowed) {}
    bool Take(std::size_t n) {
        if (n > m_nAllowed - m_nUsed)
            return false;
        m_nUsed += n;
        return true;
    }
    void Give(std::size_t n) { m_nUsed -= std::min(n, m_nUsed); }
    // Raises the allowance by n (at most to the largest size): the part
    // that was added.
    std::size_t Raise(std::size_t n) {
        n = std::min(n, std::numeric_limits<std::size_t>::max() - m_nAllowed);
        m_nAllowed += n;
        return n;
    }
    std::size_t Left() const { return m_nAllowed - m_nUsed; }
    std::size_t Allowed() const { return m_nAllowed; }

private:
    std::size_t m_nAllowed;
    std::size_t m_nUsed = 0;
};

SKdbxOutcome XmlOutcome(CKdbxXmlReader::EResult eResult, const CMemoryAccount& memory) {
    switch (eResult) {
    case CKdbxXmlReader::EResult::ok:
        break;
    case CKdbxXmlReader::EResult::malformed:
        return Damaged();
    case CKdbxXmlReader::EResult::tooLarge:
        return TooLarge(memory.Allowed());
    case CKdbxXmlReader::EResult::outOfMemory:
        return Outcome(EKdbxFailure::outOfMemory, MSG_OUT_OF_MEMORY);
    case CKdbxXmlReader::EResult::cancelled:
        return Cancelled();
    }
    return {};
}

// Reads the decrypted payload (for KDBX 4 with its inner header) and, once
// all of it is read and proven, hands out its entries. A KDBX 3.1 header is
// proven by the hash its XML holds.
SKdbxOutcome ReadPayload(const SHeader& header, std::span<const std::uint8_t> payload,
                         CKdbxInnerStream& stream, CMemoryAccount& memory,
                         std::span<const std::uint8_t> headerBytes,
                         const std::function<void(const SImportEntry&)>& fnEntry,
                         const SKdbxReadOptions& options) {
    const bool bKdbx4 = header.nMajor >= 4;
    const bool bCompressed = *header.nCompression == 1;
    if (bCompressed && !memory.Take(INFLATE_MEMORY))
        return TooLarge(memory.Allowed());
    CKdbxXmlReader xml(stream, memory.Left());
    xml.SetCancelToken(options.pCancel);
    xml.SetKeepCustomFields(options.bKeepCustomFields);
    CPayloadReader reader(bKdbx4, stream, xml);
    // What is kept of the XML, and the copies of it handed out, take about
    // its size each: the allowance grows with it as it inflates.
    const EStream eStream =
        StreamPayload(payload, bCompressed, MAX_PAYLOAD, [&](std::span<const std::uint8_t> chunk) {
            xml.Allow(memory.Raise(2 * chunk.size()));
            return reader.Take(chunk);
        });
    if (eStream == EStream::tooLarge)
        return TooLargePayload();
    if (eStream == EStream::damaged)
        return Damaged();
    if (eStream == EStream::ok)
        reader.Finish();
    if (reader.Failure() == EKdbxFailure::unsupported)
        return UnsupportedStream();
    if (reader.Failure() != EKdbxFailure::none)
        return Damaged();
    CKdbxXmlReader::EResult eResult = xml.End();
    if (eResult == CKdbxXmlReader::EResult::ok && !bKdbx4 && xml.HeaderHash() &&
        *xml.HeaderHash() != KdbxSha256(headerBytes))
        return Damaged();
    if (eResult == CKdbxXmlReader::EResult::ok)
        eResult = xml.Finish();
    if (eResult == CKdbxXmlReader::EResult::ok)
        eResult = xml.ChargeHandOut();
    if (eResult != CKdbxXmlReader::EResult::ok)
        return XmlOutcome(eResult, memory);
    xml.HandOut(fnEntry);
    return {};
}

// What the header says and the key derivation it names, read and checked
// as far as no key is needed.
struct SPlan {
    SHeader header;
    EKdbxCipher eCipher = EKdbxCipher::aes256;
    SKdbxKdfParams kdf;
};

SKdbxOutcome ReadPlan(std::span<const std::uint8_t> file, SPlan& plan) {
    if (file.size() < 8 || GetLE(file.first(4)) != SIGNATURE_1)
        return Outcome(EKdbxFailure::notKdbx, MSG_NOT_KDBX);
    const std::uint64_t nSignature2 = GetLE(file.subspan(4, 4));
    if (nSignature2 == SIGNATURE_2_KDB)
        return Outcome(EKdbxFailure::unsupported,
                       "The file is a KeePass 1 database (.kdb), which cannot be imported; save it "
                       "as a KeePass 2 database (.kdbx) first.");
    if (nSignature2 == SIGNATURE_2_PREVIEW)
        return Unsupported("the format of a KeePass 2 test version");
    if (nSignature2 != SIGNATURE_2)
        return Outcome(EKdbxFailure::notKdbx, MSG_NOT_KDBX);
    if (file.size() < 12)
        return Damaged();

    SHeader& header = plan.header;
    header.nMinor = static_cast<std::uint16_t>(GetLE(file.subspan(8, 2)));
    header.nMajor = static_cast<std::uint16_t>(GetLE(file.subspan(10, 2)));
    if (header.nMajor != 3 && header.nMajor != 4)
        return Unsupported("format version " + std::to_string(header.nMajor) + "." +
                           std::to_string(header.nMinor) + " (versions 3.1 and 4.x can be read)");
    if (!ReadHeader(file, header))
        return Damaged();
    const bool bKdbx4 = header.nMajor == 4;

    // What the header must hold for either version.
    const auto eCipher = KdbxCipherOf(header.cipherUuid);
    if (header.cipherUuid.size() != 16 || header.masterSeed.size() != 32 || !header.nCompression ||
        (!bKdbx4 && (header.streamStart.size() != 32 || !header.nInnerStream ||
                     header.innerKey.empty() || !header.nTransformRounds)))
        return Damaged();
    if (!eCipher)
        return Unsupported("a cipher that is not AES-256, ChaCha20 or Twofish");
    plan.eCipher = *eCipher;
    if (header.iv.size() != KdbxCipherIvSize(*eCipher))
        return Damaged();
    if (*header.nCompression > 1)
        return Unsupported("a compression other than gzip");

    if (bKdbx4) {
        const auto map = CKdbxVariantMap::Parse(header.kdfParameters);
        if (!map)
            return Damaged();
        const auto params = KdbxKdfFromVariantMap(*map);
        if (!params)
            return Unsupported("a key derivation other than AES-KDF, Argon2d or Argon2id");
        plan.kdf = *params;
    } else {
        plan.kdf.eKdf = EKdbxKdf::aes;
        plan.kdf.seed = header.transformSeed;
        plan.kdf.nRounds = *header.nTransformRounds;
    }

    // KDBX 4 proves its header with a hash before anything costly is done.
    if (bKdbx4) {
        if (file.size() - header.nLength < 64)
            return Damaged();
        const CKdbxBytes hash = KdbxSha256(file.first(header.nLength));
        if (!std::equal(hash.begin(), hash.end(), file.begin() + header.nLength))
            return Damaged();
    }
    return {};
}

// A database opened with its key: what its header says, the memory the
// read may take and the payload's plain bytes (for 3.1 without the start
// bytes and the blocks' framing, still compressed when the header says so).
struct SOpened {
    SPlan plan;
    CMemoryAccount memory{0};
    CKdbxSecret payload;
};

SKdbxOutcome Open(std::span<const std::uint8_t> file, const SKdbxCredentials& credentials,
                  const SKdbxReadOptions& options, SOpened& opened) {
    const CCancelToken* pCancel = options.pCancel;
    SPlan& plan = opened.plan;
    if (SKdbxOutcome outcome = ReadPlan(file, plan); outcome.eFailure != EKdbxFailure::none)
        return outcome;
    // The derivation's cost is judged before it runs: a header may ask for
    // years, and before version 4 nothing proves it until the key is known.
    if (SKdbxOutcome outcome = KdbxKdfOutcome(plan.kdf, options);
        outcome.eFailure != EKdbxFailure::none)
        return outcome;
    const SHeader& header = plan.header;
    const bool bKdbx4 = header.nMajor == 4;
    const SKdbxKdfParams& kdf = plan.kdf;
    const EKdbxCipher eCipher = plan.eCipher;
    const auto headerBytes = file.first(header.nLength);

    // The derivation's memory is charged like the rest while it runs and
    // given back for the reading that follows it.
    const std::size_t nKdfMemory = static_cast<std::size_t>(KdbxKdfMemory(kdf));
    CMemoryAccount& memory = opened.memory;
    memory = CMemoryAccount(KdbxMemoryAllowed(file.size(), nKdfMemory));
    if (!memory.Take(file.size()) || !memory.Take(nKdfMemory))
        return TooLarge(memory.Allowed());

    CKdbxSecret compositeKey;
    switch (KdbxCompositeKey(credentials, compositeKey)) {
    case EKdbxKeyFileError::none:
        break;
    case EKdbxKeyFileError::malformed:
        return Outcome(EKdbxFailure::wrongKeyFile,
                       "The key file is damaged: it is a KeePass key file whose contents cannot "
                       "be read.");
    case EKdbxKeyFileError::hashMismatch:
        return Outcome(EKdbxFailure::wrongKeyFile,
                       "The key file is damaged: its key does not match the check it carries.");
    }
    CKdbxSecret transformedKey;
    switch (KdbxTransformKey(compositeKey, kdf, transformedKey, pCancel)) {
    case EKdbxKdfResult::ok:
        break;
    case EKdbxKdfResult::cancelled:
        return Cancelled();
    case EKdbxKdfResult::unsupported:
        return bKdbx4 ? Unsupported("key derivation parameters that cannot be used") : Damaged();
    case EKdbxKdfResult::tooMuchMemory:
    case EKdbxKdfResult::tooCostly:
        return KdfTooCostly(kdf); // judged above already
    case EKdbxKdfResult::outOfMemory:
        return Outcome(EKdbxFailure::outOfMemory,
                       "There is not enough memory for the KeePass database's key derivation.");
    }
    compositeKey.clear();
    memory.Give(nKdfMemory);
    const CKdbxSecret cipherKey = KdbxCipherKey(header.masterSeed, transformedKey);

    CKdbxSecret& payload = opened.payload;

    if (bKdbx4) {
        const CKdbxSecret hmacBase = KdbxHmacBaseKey(header.masterSeed, transformedKey);
        transformedKey.clear();
        const CKdbxBytes headerHmac = KdbxHeaderHmac(hmacBase, headerBytes);
        if (!std::equal(headerHmac.begin(), headerHmac.end(), file.begin() + header.nLength + 32))
            return WrongKey(credentials);
        CKdbxBytes encrypted;
        const auto blocks = file.subspan(header.nLength + 64);
        if (!memory.Take(blocks.size()))
            return TooLarge(memory.Allowed());
        if (KdbxReadHmacBlocks(blocks, hmacBase, blocks.size(), encrypted) != EKdbxBlockResult::ok)
            return Damaged();
        if (!memory.Take(encrypted.size()))
            return TooLarge(memory.Allowed());
        // The blocks are proven: from here on a failure is damage, not a key.
        if (!KdbxDecrypt(eCipher, cipherKey, header.iv, encrypted, payload))
            return Damaged();
        memory.Give(blocks.size());
        return {};
    }

    // KDBX 3.1: the first 32 bytes of the plain text are the header's
    // stream start bytes, which tell a wrong key from a damaged file.
    transformedKey.clear();
    const auto encrypted = file.subspan(header.nLength);
    if (!memory.Take(encrypted.size()))
        return TooLarge(memory.Allowed());
    const bool bCbc = eCipher != EKdbxCipher::chacha20;
    if ((bCbc && (encrypted.empty() || encrypted.size() % 16 != 0)) || encrypted.size() < 32)
        return Damaged();
    if (!KdbxDecrypt(eCipher, cipherKey, header.iv, encrypted, payload, false))
        return Damaged();
    if (!std::equal(header.streamStart.begin(), header.streamStart.end(), payload.begin()))
        return WrongKey(credentials);
    if (bCbc) {
        const std::uint8_t nPad = payload.back();
        if (nPad == 0 || nPad > 16 || payload.size() < 32u + nPad ||
            !std::all_of(payload.end() - nPad, payload.end(),
                         [nPad](std::uint8_t n) { return n == nPad; }))
            return Damaged();
        payload.resize(payload.size() - nPad);
    }
    CKdbxSecret blocksData;
    if (KdbxReadHashedBlocks(std::span(payload).subspan(32), payload.size(), blocksData) !=
        EKdbxBlockResult::ok)
        return Damaged();
    if (!memory.Take(blocksData.size()))
        return TooLarge(memory.Allowed());
    payload.swap(blocksData);
    memory.Give(blocksData.size());
    return {};
}

SKdbxOutcome ReadKdbx(std::span<const std::uint8_t> file, const SKdbxCredentials& credentials,
                      const std::function<void(const SImportEntry&)>& fnEntry,
                      const SKdbxReadOptions& options) {
    SOpened opened;
    if (SKdbxOutcome outcome = Open(file, credentials, options, opened);
        outcome.eFailure != EKdbxFailure::none)
        return outcome;
    const SHeader& header = opened.plan.header;
    CKdbxInnerStream innerStream;
    // 3.1 names its inner stream in the outer header, 4.x in the payload.
    if (header.nMajor < 4 && !innerStream.Init(*header.nInnerStream, header.innerKey))
        return UnsupportedStream();
    return ReadPayload(header, opened.payload, innerStream, opened.memory,
                       file.first(header.nLength), fnEntry, options);
}

} // namespace

std::size_t KdbxMemoryAllowed(std::size_t nFileSize, std::uint64_t nKdfMemory) {
    constexpr std::size_t MAX = std::numeric_limits<std::size_t>::max();
    const std::size_t nBase = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max<std::uint64_t>(nKdfMemory, std::size_t(64) << 20), MAX));
    if (nFileSize > (MAX - nBase) / 8)
        return MAX;
    return nFileSize * 8 + nBase;
}

std::string KdbxKdfCostText(const SKdbxKdfParams& params) {
    if (params.eKdf == EKdbxKdf::aes)
        return std::to_string(params.nRounds) + " AES-KDF rounds";
    std::string strText = std::to_string((params.nMemory + (1u << 20) - 1) >> 20) +
                          " MiB of memory and " + std::to_string(params.nRounds) +
                          (params.nRounds == 1 ? " pass" : " passes");
    if (params.nParallelism > KDBX_MAX_ARGON2_LANES)
        strText += " in " + std::to_string(params.nParallelism) + " lanes";
    return strText;
}

SKdbxOutcome KdbxKdfOutcome(const SKdbxKdfParams& params, const SKdbxReadOptions& options) {
    switch (KdbxKdfCost(params)) {
    case EKdbxKdfCost::usual:
        break;
    case EKdbxKdfCost::slow:
        if (options.bAllowSlowKdf)
            break;
        return Outcome(EKdbxFailure::slowKdf,
                       "The KeePass database asks for " + KdbxKdfCostText(params) +
                           " to turn its password into its key, more than four times what "
                           "KeePassXC makes a new database take. That may take minutes and slow "
                           "the whole computer down.");
    case EKdbxKdfCost::tooMuch:
        return KdfTooCostly(params);
    }
    return {};
}

std::optional<SKdbxKdfParams> ReadKdbxKdf(std::span<const std::uint8_t> file) {
    try {
        SPlan plan;
        if (ReadPlan(file, plan).eFailure != EKdbxFailure::none)
            return std::nullopt;
        return plan.kdf;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const Botan::Exception&) {
        return std::nullopt;
    }
}

SKdbxOutcome ReadKdbxEntries(std::span<const std::uint8_t> file,
                             const SKdbxCredentials& credentials,
                             const std::function<void(const SImportEntry&)>& fnEntry,
                             const SKdbxReadOptions& options) {
    try {
        return ReadKdbx(file, credentials, fnEntry, options);
    } catch (const std::bad_alloc&) {
        return Outcome(EKdbxFailure::outOfMemory, MSG_OUT_OF_MEMORY);
    } catch (const Botan::Exception&) {
        return Damaged();
    }
}

SKdbxOutcome OpenKdbxContainer(std::span<const std::uint8_t> file,
                               const SKdbxCredentials& credentials, const SKdbxReadOptions& options,
                               SKdbxContainer& container) {
    try {
        SOpened opened;
        if (SKdbxOutcome outcome = Open(file, credentials, options, opened);
            outcome.eFailure != EKdbxFailure::none)
            return outcome;
        SHeader& header = opened.plan.header;
        container.nMajor = header.nMajor;
        container.nMinor = header.nMinor;
        container.eCipher = opened.plan.eCipher;
        container.bCompressed = *header.nCompression == 1;
        container.kdf = opened.plan.kdf;
        container.fields = std::move(header.fields);
        container.headerBytes.assign(file.begin(),
                                     file.begin() + static_cast<std::ptrdiff_t>(header.nLength));
        container.nInnerStream = header.nInnerStream;
        container.innerKey = std::move(header.innerKey);
        container.payload = std::move(opened.payload);
        container.nMemoryLeft = opened.memory.Left();
        return {};
    } catch (const std::bad_alloc&) {
        return Outcome(EKdbxFailure::outOfMemory, MSG_OUT_OF_MEMORY);
    } catch (const Botan::Exception&) {
        return Damaged();
    }
}

EKdbxInflate KdbxInflate(std::span<const std::uint8_t> payload, bool bCompressed,
                         std::uint64_t nMaxOut,
                         const std::function<bool(std::span<const std::uint8_t>)>& fnChunk) {
    switch (StreamPayload(payload, bCompressed, nMaxOut, fnChunk)) {
    case EStream::ok:
        return EKdbxInflate::ok;
    case EStream::damaged:
        return EKdbxInflate::damaged;
    case EStream::tooLarge:
        return EKdbxInflate::tooLarge;
    case EStream::stopped:
        break;
    }
    return EKdbxInflate::stopped;
}

SKdbxOutcome KdbxDamagedOutcome() {
    return Damaged();
}

SKdbxOutcome KdbxOutOfMemoryOutcome() {
    return Outcome(EKdbxFailure::outOfMemory, MSG_OUT_OF_MEMORY);
}

SKdbxOutcome KdbxCancelledOutcome() {
    return Cancelled();
}

SKdbxOutcome KdbxTooLargeOutcome(std::size_t nAllowed) {
    return TooLarge(nAllowed);
}

SKdbxOutcome KdbxTooLargePayloadOutcome() {
    return TooLargePayload();
}

SKdbxOutcome KdbxUnsupportedOutcome(const std::string& strWhat) {
    return Unsupported(strWhat);
}

SKdbxOutcome KdbxUnsupportedStreamOutcome() {
    return UnsupportedStream();
}
