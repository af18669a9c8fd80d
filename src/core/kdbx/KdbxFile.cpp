// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxFile.h"

#include "core/interchange/KdbxContainer.h"
#include "core/interchange/KdbxHeaderWriter.h"
#include "core/interchange/KdbxInnerHeader.h"
#include "core/interchange/KdbxTime.h"
#include "core/kdbx/PiecePipe.h"
#include "core/seal/SecretBuffer.h"

#include <botan/base64.h>
#include <botan/exceptn.h>
#include <botan/system_rng.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <map>
#include <new>

namespace {

constexpr std::size_t SEED_SIZE = 32;

CKdbxBytes RandomBytes(std::size_t nSize) {
    CKdbxBytes bytes(nSize);
    Botan::system_rng().randomize(bytes.data(), bytes.size());
    return bytes;
}

SKdbxOutcome Failure(EKdbxFailure eFailure, std::string strMessage) {
    return {eFailure, std::move(strMessage)};
}

// Takes the payload's plain bytes as they inflate: in 4.x first the inner
// header (its stream, its key and the binary pool), then the XML, which
// goes to the tree. Everything it keeps is charged to the read's allowance.
class CPayloadTaker {
public:
    CPayloadTaker(bool bInnerHeader, std::size_t nMemoryLeft, CKdbxInnerStream& stream,
                  CXmlTree& tree, std::vector<SKdbxBinary>& binaries)
        : m_nMemoryLeft(nMemoryLeft), m_stream(stream), m_tree(tree), m_header(stream) {
        m_header.KeepBinaries(binaries, m_nMemoryLeft);
        if (!bInnerHeader)
            StartXml();
    }

    void Allow(std::size_t nBytes) {
        if (m_parser)
            m_parser->Allow(nBytes);
        else
            m_nMemoryLeft += std::min(nBytes, SIZE_MAX - m_nMemoryLeft);
    }

    bool Take(std::span<const std::uint8_t> chunk) {
        if (!m_parser) {
            if (!m_header.Take(chunk))
                return false;
            if (!m_header.IsRead())
                return true;
            StartXml();
        }
        return chunk.empty() || m_parser->Feed(chunk, false);
    }

    // How the payload ended: none when it held a whole inner header and
    // document.
    SKdbxOutcome Finish(std::size_t nAllowed) {
        if (m_header.Failure() != EKdbxFailure::none)
            return Outcome(nAllowed);
        if (!m_parser)
            return KdbxDamagedOutcome();
        m_parser->Feed({}, true);
        switch (m_parser->End()) {
        case CXmlTreeParser::EResult::ok:
            return {};
        case CXmlTreeParser::EResult::malformed:
            return KdbxDamagedOutcome();
        case CXmlTreeParser::EResult::tooLarge:
            return KdbxTooLargeOutcome(nAllowed);
        case CXmlTreeParser::EResult::outOfMemory:
            return KdbxOutOfMemoryOutcome();
        }
        return KdbxDamagedOutcome();
    }

    // Why the taking stopped, when it did.
    SKdbxOutcome Outcome(std::size_t nAllowed) const {
        switch (m_header.Failure()) {
        case EKdbxFailure::none:
            break;
        case EKdbxFailure::tooLarge:
            return KdbxTooLargeOutcome(nAllowed);
        case EKdbxFailure::unsupported:
            return KdbxUnsupportedStreamOutcome();
        default:
            return KdbxDamagedOutcome();
        }
        return {};
    }

private:
    void StartXml() {
        m_parser.emplace(m_tree, m_nMemoryLeft, [this](std::uint8_t* pBytes, std::size_t nSize) {
            m_stream.Apply(pBytes, nSize);
        });
    }

    std::size_t m_nMemoryLeft;
    CKdbxInnerStream& m_stream;
    CXmlTree& m_tree;
    CKdbxInnerHeader m_header;
    std::optional<CXmlTreeParser> m_parser;
};

// A compressed payload inflates on a thread of its own while the XML is
// read from it on this one, which takes the most time.
constexpr std::size_t READ_PIPE_PIECE = std::size_t(1) << 18;
constexpr std::size_t READ_PIPE_PIECES = 4;
constexpr std::size_t READ_PIPE_MEMORY = READ_PIPE_PIECE * READ_PIPE_PIECES;

// KdbxInflate's outcome, fnTake called on this thread: stopped when fnTake
// refused a piece, whatever became of the inflating after it.
EKdbxInflate InflateBeside(std::span<const std::uint8_t> payload,
                           const std::function<bool(std::span<const std::uint8_t>)>& fnTake) {
    CPiecePipe pipe(READ_PIPE_PIECE, READ_PIPE_PIECES);
    EKdbxInflate eInflate = EKdbxInflate::damaged;
    pipe.Start([&] {
        eInflate =
            KdbxInflate(payload, true, KDBX_MAX_PAYLOAD,
                        [&pipe](std::span<const std::uint8_t> chunk) { return pipe.Put(chunk); });
    });
    std::span<const std::uint8_t> piece;
    bool bTaken = true;
    while (bTaken && pipe.Next(piece))
        bTaken = fnTake(piece);
    if (!bTaken)
        pipe.Stop();
    pipe.Finish();
    return bTaken ? eInflate : EKdbxInflate::stopped;
}

// The XML is written on a thread of its own while this one compresses it,
// which takes the most time.
constexpr std::size_t WRITE_PIPE_PIECES = 3;

// Ends the writing when the pipe's taker has gone.
struct SPipeStopped {};

// fnWrite's outcome, every piece it made appended to the payload.
bool CompressBeside(const std::function<bool(const CXmlTree::CPieceTaker&)>& fnWrite,
                    CKdbxPayloadWriter& payload) {
    CPiecePipe pipe(CXmlTree::WRITE_PIECE, WRITE_PIPE_PIECES);
    bool bWritten = false;
    pipe.Start([&] {
        bWritten = fnWrite([&pipe](std::string_view piece) {
            if (!pipe.Put({reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()}))
                throw SPipeStopped();
        });
    });
    std::span<const std::uint8_t> piece;
    while (pipe.Next(piece))
        payload.Append(piece);
    pipe.Finish();
    return bWritten;
}

// ---- 3.1 to 4.x

// "YYYY-MM-DDTHH:MM:SSZ" (fractions of seconds and an offset allowed) as
// seconds since 0001-01-01, or nothing when the text is no such time.
std::optional<std::int64_t> IsoSeconds(std::string_view strText) {
    const auto Number = [&](std::size_t nPos, std::size_t nDigits) -> std::optional<int> {
        int n = 0;
        if (nPos + nDigits > strText.size())
            return std::nullopt;
        const auto [pEnd, ec] =
            std::from_chars(strText.data() + nPos, strText.data() + nPos + nDigits, n);
        if (ec != std::errc() || pEnd != strText.data() + nPos + nDigits)
            return std::nullopt;
        return n;
    };
    if (strText.size() < 20 || strText[4] != '-' || strText[7] != '-' || strText[10] != 'T' ||
        strText[13] != ':' || strText[16] != ':')
        return std::nullopt;
    const auto y = Number(0, 4), m = Number(5, 2), d = Number(8, 2), hh = Number(11, 2),
               mm = Number(14, 2), ss = Number(17, 2);
    if (!y || !m || !d || !hh || !mm || !ss || *y < 1 || *m < 1 || *m > 12 || *d < 1 || *d > 31 ||
        *hh > 23 || *mm > 59 || *ss > 60)
        return std::nullopt;
    std::size_t nPos = 19;
    if (strText[nPos] == '.') {
        ++nPos;
        while (nPos < strText.size() && strText[nPos] >= '0' && strText[nPos] <= '9')
            ++nPos;
    }
    std::int64_t nOffset = 0;
    const std::string_view strZone = strText.substr(nPos);
    if (strZone == "Z") {
    } else if (strZone.size() == 6 && (strZone[0] == '+' || strZone[0] == '-') &&
               strZone[3] == ':') {
        const auto oh = Number(nPos + 1, 2), om = Number(nPos + 4, 2);
        if (!oh || !om)
            return std::nullopt;
        nOffset = (strZone[0] == '+' ? 1 : -1) * (*oh * 3600 + *om * 60);
    } else {
        return std::nullopt;
    }
    // Days from the civil date (proleptic Gregorian), counted from
    // 1970-01-01.
    const int nYear = *y - (*m <= 2 ? 1 : 0);
    const int nEra = nYear / 400;
    const int nYoe = nYear - nEra * 400;
    const int nDoy = (153 * (*m + (*m > 2 ? -3 : 9)) + 2) / 5 + *d - 1;
    const int nDoe = nYoe * 365 + nYoe / 4 - nYoe / 100 + nDoy;
    const std::int64_t nDays = std::int64_t(nEra) * 146097 + nDoe - 719468;
    const std::int64_t nUnix = nDays * 86400 + *hh * 3600 + *mm * 60 + *ss - nOffset;
    return nUnix + KDBX_SECONDS_TO_UNIX_EPOCH;
}

bool EndsWith(std::string_view str, std::string_view strEnd) {
    return str.size() >= strEnd.size() && str.substr(str.size() - strEnd.size()) == strEnd;
}

// Every time stamp (an element named ...Time or ...Changed holding an ISO
// time) as 4.x writes it.
void ConvertTimes(CXmlElement& element) {
    for (CXmlElement& child : element.Children()) {
        if (child.Children().empty() && !child.IsProtected() &&
            (EndsWith(child.Name(), "Time") || EndsWith(child.Name(), "Changed"))) {
            if (const auto nSeconds = IsoSeconds(child.Text()))
                child.SetText(KdbxSecondsText(*nSeconds));
        } else {
            ConvertTimes(child);
        }
    }
}

// Points every entry's binary reference (<Binary><Value Ref="id"/>) at the
// pool's index of the binary that had that id.
void RenumberReferences(CXmlTree& tree, CXmlElement& element,
                        const std::map<std::string, std::size_t>& indexOfId) {
    for (CXmlElement& child : element.Children()) {
        if (child.Name() == "Binary" && element.Name() == "Entry") {
            if (CXmlElement* pValue = child.Child("Value")) {
                const std::string* pRef = pValue->Attribute("Ref");
                const auto it = pRef ? indexOfId.find(*pRef) : indexOfId.end();
                if (it != indexOfId.end())
                    pValue->SetAttribute(tree, "Ref", std::to_string(it->second));
            }
            continue;
        }
        RenumberReferences(tree, child, indexOfId);
    }
}

// Meta's binaries into the pool (base64, gzip-compressed when marked so;
// a protected one is already its plain bytes).
SKdbxOutcome MoveBinariesToPool(CXmlTree& tree, std::vector<SKdbxBinary>& pool,
                                std::size_t nMemoryLeft) {
    CXmlElement* pMeta = tree.Root().Child("Meta");
    CXmlElement* pBinaries = pMeta ? pMeta->Child("Binaries") : nullptr;
    if (!pBinaries)
        return {};
    std::map<std::string, std::size_t> indexOfId;
    for (CXmlElement& item : pBinaries->Children()) {
        if (item.Name() != "Binary")
            continue;
        const std::string* pId = item.Attribute("ID");
        const std::string* pCompressed = item.Attribute("Compressed");
        CKdbxSecret bytes;
        if (item.IsProtected()) {
            const std::string_view strPlain = item.Text();
            bytes.assign(strPlain.begin(), strPlain.end());
        } else {
            try {
                const std::string_view strText = item.Text();
                bytes = Botan::base64_decode(strText.data(), strText.size(), true);
            } catch (const Botan::Exception&) {
                return KdbxDamagedOutcome();
            }
        }
        SKdbxBinary binaryItem;
        binaryItem.bProtected = item.IsProtected();
        if (pCompressed && (*pCompressed == "True" || *pCompressed == "true")) {
            const EKdbxInflate eInflate =
                KdbxInflate(bytes, true, nMemoryLeft, [&](std::span<const std::uint8_t> chunk) {
                    binaryItem.data.insert(binaryItem.data.end(), chunk.begin(), chunk.end());
                    return true;
                });
            if (eInflate == EKdbxInflate::tooLarge)
                return KdbxTooLargeOutcome(nMemoryLeft);
            if (eInflate != EKdbxInflate::ok)
                return KdbxDamagedOutcome();
        } else {
            binaryItem.data = std::move(bytes);
        }
        nMemoryLeft -= std::min(nMemoryLeft, binaryItem.data.size());
        if (pId)
            indexOfId[*pId] = pool.size();
        pool.push_back(std::move(binaryItem));
    }
    pMeta->RemoveChildren("Binaries");
    RenumberReferences(tree, tree.Root(), indexOfId);
    return {};
}

// 3.1's header hash: checked when present, dropped as 4.x has none.
bool CheckHeaderHash(CXmlTree& tree, std::span<const std::uint8_t> headerBytes) {
    CXmlElement* pMeta = tree.Root().Child("Meta");
    if (!pMeta || !pMeta->Child("HeaderHash"))
        return true;
    const std::string_view strHash = pMeta->ChildText("HeaderHash");
    bool bMatches = false;
    try {
        const CKdbxSecret hash = Botan::base64_decode(strHash.data(), strHash.size(), true);
        const CKdbxBytes expected = KdbxSha256(headerBytes);
        bMatches =
            hash.empty() || std::equal(hash.begin(), hash.end(), expected.begin(), expected.end());
    } catch (const Botan::Exception&) {
        return false;
    }
    pMeta->RemoveChildren("HeaderHash");
    return bMatches;
}

} // namespace

SKdbxOutcome CKdbxFile::Read(std::span<const std::uint8_t> file,
                             const SKdbxCredentials& credentials, const SKdbxReadOptions& options) {
    try {
        SKdbxContainer container;
        if (SKdbxOutcome outcome = OpenKdbxContainer(file, credentials, options, container);
            outcome.eFailure != EKdbxFailure::none)
            return outcome;
        const bool bKdbx4 = container.nMajor >= 4;

        CKdbxInnerStream stream;
        if (!bKdbx4 && !stream.Init(*container.nInnerStream, container.innerKey))
            return KdbxUnsupportedStreamOutcome();
        CXmlTree tree;
        std::vector<SKdbxBinary> binaries;
        std::size_t nMemoryLeft = container.nMemoryLeft;
        // Inflating holds zlib's buffers and the pipe's.
        if (container.bCompressed) {
            if (nMemoryLeft < KDBX_INFLATE_MEMORY + READ_PIPE_MEMORY)
                return KdbxTooLargeOutcome(nMemoryLeft);
            nMemoryLeft -= KDBX_INFLATE_MEMORY + READ_PIPE_MEMORY;
        }
        CPayloadTaker taker(bKdbx4, nMemoryLeft, stream, tree, binaries);
        std::size_t nAllowed = nMemoryLeft;
        // The tree takes up to about four times the document's size: the
        // allowance grows with it as it inflates.
        const auto Take = [&](std::span<const std::uint8_t> chunk) {
            taker.Allow(4 * chunk.size());
            nAllowed += 4 * chunk.size();
            return taker.Take(chunk);
        };
        const EKdbxInflate eInflate =
            container.bCompressed ? InflateBeside(container.payload, Take)
                                  : KdbxInflate(container.payload, false, KDBX_MAX_PAYLOAD, Take);
        if (eInflate == EKdbxInflate::tooLarge)
            return KdbxTooLargePayloadOutcome();
        if (eInflate == EKdbxInflate::damaged)
            return KdbxDamagedOutcome();
        if (eInflate == EKdbxInflate::stopped) {
            SKdbxOutcome outcome = taker.Outcome(nAllowed);
            return outcome.eFailure != EKdbxFailure::none ? outcome : taker.Finish(nAllowed);
        }
        if (SKdbxOutcome outcome = taker.Finish(nAllowed); outcome.eFailure != EKdbxFailure::none)
            return outcome;
        if (tree.Root().Name() != "KeePassFile" || !tree.Root().Child("Root"))
            return KdbxDamagedOutcome(); // not a database's document at all

        std::optional<CKdbxVariantMap> kdfMap;
        std::optional<CKdbxBytes> publicCustomData;
        for (const SKdbxHeaderField& field : container.fields) {
            if (field.nId == KDBX_FIELD_KDF_PARAMETERS)
                kdfMap = CKdbxVariantMap::Parse(field.data);
            else if (field.nId == KDBX_FIELD_PUBLIC_CUSTOM_DATA)
                publicCustomData = field.data;
        }
        if (!bKdbx4) {
            if (!CheckHeaderHash(tree, container.headerBytes))
                return KdbxDamagedOutcome();
            if (SKdbxOutcome outcome = MoveBinariesToPool(tree, binaries, nAllowed);
                outcome.eFailure != EKdbxFailure::none)
                return outcome;
            ConvertTimes(tree.Root());
            kdfMap = KdbxKdfToVariantMap(container.kdf);
        }
        if (!kdfMap)
            return KdbxDamagedOutcome();

        m_nMajor = container.nMajor;
        m_nMinor = container.nMinor;
        m_eCipher = container.eCipher;
        m_bCompressed = container.bCompressed;
        m_kdfParameters = std::move(*kdfMap);
        m_publicCustomData = std::move(publicCustomData);
        m_binaries = std::move(binaries);
        m_xml = std::move(tree);
        return {};
    } catch (const std::bad_alloc&) {
        return KdbxOutOfMemoryOutcome();
    } catch (const Botan::Exception&) {
        return KdbxDamagedOutcome();
    }
}

SKdbxOutcome CKdbxFile::Write(const SKdbxCredentials& credentials, CKdbxBytes& file) const {
    try {
        if (m_xml.Root().Name().empty())
            return Failure(EKdbxFailure::damaged, "There is no database to write.");
        if (!credentials.bHasPassword && !credentials.bHasKeyFile)
            return Failure(EKdbxFailure::wrongKey,
                           "A database needs a password, a key file or both.");
        // The same derivation with a fresh seed (or salt) of the same size.
        CKdbxVariantMap kdfMap = m_kdfParameters;
        const auto oldSeed = kdfMap.Bytes("S");
        kdfMap.SetBytes("S",
                        RandomBytes(oldSeed && !oldSeed->empty() ? oldSeed->size() : SEED_SIZE));
        const auto kdf = KdbxKdfFromVariantMap(kdfMap);
        if (!kdf)
            return KdbxUnsupportedOutcome(
                "a key derivation other than AES-KDF, Argon2d or Argon2id");

        CKdbxSecret compositeKey;
        if (KdbxCompositeKey(credentials, compositeKey) != EKdbxKeyFileError::none)
            return Failure(EKdbxFailure::wrongKeyFile,
                           "The key file is damaged: it is a KeePass key file whose contents "
                           "cannot be read.");
        CKdbxSecret transformedKey;
        switch (KdbxTransformKey(compositeKey, *kdf, transformedKey)) {
        case EKdbxKdfResult::ok:
            break;
        case EKdbxKdfResult::unsupported:
            return KdbxUnsupportedOutcome("key derivation parameters that cannot be used");
        case EKdbxKdfResult::tooMuchMemory:
        case EKdbxKdfResult::tooCostly:
            return Failure(EKdbxFailure::kdfTooCostly,
                           "The key derivation would take more than can be given to it.");
        case EKdbxKdfResult::outOfMemory:
            return KdbxOutOfMemoryOutcome();
        case EKdbxKdfResult::cancelled:
            return KdbxCancelledOutcome();
        }
        compositeKey.clear();

        const CKdbxBytes seed = RandomBytes(SEED_SIZE);
        const CKdbxBytes iv = RandomBytes(KdbxCipherIvSize(m_eCipher));
        CKdbxHeaderWriter header(4, m_nMajor >= 4 ? m_nMinor : 0);
        header.Put(KDBX_FIELD_CIPHER, KdbxCipherUuid(m_eCipher));
        header.PutNumber(KDBX_FIELD_COMPRESSION, m_bCompressed ? 1 : 0, 4);
        header.Put(KDBX_FIELD_MASTER_SEED, seed);
        header.Put(KDBX_FIELD_IV, iv);
        header.Put(KDBX_FIELD_KDF_PARAMETERS, kdfMap.Serialize());
        if (m_publicCustomData)
            header.Put(KDBX_FIELD_PUBLIC_CUSTOM_DATA, *m_publicCustomData);

        // The inner header with the pool, then the XML.
        CKdbxInnerStream stream;
        CKdbxSecret plain;
        if (!KdbxWriteInnerHeader(stream, static_cast<std::uint32_t>(EKdbxInnerStream::chacha20),
                                  m_binaries, plain))
            return KdbxUnsupportedOutcome("an inner stream that cannot be started");
        // The XML goes to the payload (compressed) as it is written, at the
        // quick level: the compression takes the longest of a save.
        CKdbxPayloadWriter payload(std::move(plain), m_bCompressed, KDBX_GZIP_QUICK);
        std::string strError;
        const auto WriteXml = [this, &stream, &strError](const CXmlTree::CPieceTaker& fnPiece) {
            return m_xml.Write(
                fnPiece,
                [&stream](std::span<const std::uint8_t> text) {
                    CKdbxSecret masked(text.begin(), text.end());
                    stream.Apply(masked.data(), masked.size());
                    return Botan::base64_encode(masked.data(), masked.size());
                },
                strError);
        };
        const bool bWritten =
            m_bCompressed ? CompressBeside(WriteXml, payload)
                          : WriteXml([&payload](std::string_view piece) { payload.Append(piece); });
        if (!bWritten)
            return Failure(EKdbxFailure::unsupported, strError);
        plain = payload.Finish();
        if (!KdbxSealVersion4(header.End(), seed, transformedKey, m_eCipher, iv, plain, file))
            return KdbxUnsupportedOutcome("a cipher that cannot encipher it");
        return {};
    } catch (const std::bad_alloc&) {
        return KdbxOutOfMemoryOutcome();
    } catch (const std::exception& e) {
        // Botan reports its failures (no random source) as exceptions.
        return Failure(EKdbxFailure::damaged,
                       std::string("The database cannot be made: ") + e.what());
    }
}
