// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes go through the password file reader the
// way the program opens a file, and whatever the reader accepts must survive
// a write and a re-read unchanged. Bytes that begin like a protected file go
// through the sealed reader first, opened with the seeds' KEY.

#include "core/seal/SealedFile.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr const char* FUZZ_FILE_NAME = "fuzz.pwd";

[[noreturn]] void Fault(const char* pszWhat) {
    std::fprintf(stderr, "archive round trip: %s\n", pszWhat);
    std::abort();
}

bool SameRecord(const CPasswordInfo& a, const CPasswordInfo& b) {
    return a.Account() == b.Account() && a.UserName() == b.UserName() &&
           a.Password() == b.Password() && a.WebSite() == b.WebSite() && a.EMail() == b.EMail() &&
           a.Comments() == b.Comments() && a.m_bGroup == b.m_bGroup && a.Group() == b.Group();
}

bool SameContent(const CCofferDoc& a, const CCofferDoc& b) {
    const SGeneratorHeader& headerA = a.GeneratorHeader();
    const SGeneratorHeader& headerB = b.GeneratorHeader();
    if (a.Key().CheckValue() != b.Key().CheckValue() ||
        headerA.m_nGenerate != headerB.m_nGenerate || headerA.m_strLength != headerB.m_strLength ||
        headerA.m_strBegin != headerB.m_strBegin || headerA.m_strEnd != headerB.m_strEnd ||
        a.Records().size() != b.Records().size())
        return false;
    auto itB = b.Records().begin();
    for (const CPasswordInfo& info : a.Records()) {
        if (!SameRecord(info, *itB++))
            return false;
    }
    return true;
}

std::size_t TextBytes(const CCofferDoc& doc) {
    const SGeneratorHeader& header = doc.GeneratorHeader();
    std::size_t nBytes = doc.Key().CheckValue().size() + header.m_strLength.size() +
                         header.m_strBegin.size() + header.m_strEnd.size();
    for (const CPasswordInfo& info : doc.Records()) {
        nBytes += info.Account().size() + info.UserName().size() + info.Password().size() +
                  info.WebSite().size() + info.EMail().size() + info.Comments().size() +
                  info.Group().size();
    }
    return nBytes;
}

// Opening a file: the document is emptied, the archive read, and on success
// every record deciphered into the document's list.
bool Load(CCofferDoc& doc, std::string_view bytes) {
    doc.DeleteContents();
    CArchive ar(bytes, CCodePage::Default(), FUZZ_FILE_NAME);
    if (!doc.Serialize(ar)) {
        doc.DeleteContents();
        return false;
    }
    doc.DecipherList();
    return true;
}

// Saving without the disk: encipher, serialise, drop the scratch list.
std::string Store(CCofferDoc& doc) {
    doc.EncipherList();
    CArchive ar(FUZZ_FILE_NAME);
    doc.Serialize(ar);
    return ar.TakeBuffer();
}

// Runs every record through the export and print layouts so that the code
// the user reaches after opening sees the same bytes.
std::size_t TouchEveryRecord(const CCofferDoc& doc) {
    std::size_t nBytes = 0;
    for (const CPasswordInfo& info : doc.Records()) {
        nBytes += ExportRecordText(info, EXPORT_EOL_CRLF).size();
        nBytes += PrintBlockText(info).size();
    }
    return nBytes;
}

volatile std::size_t g_nSink = 0;

// The seeds' KEY; sealed input that asks for more than this cost is only
// parsed, so that an iteration stays short.
constexpr const char* FUZZ_SEAL_KEY = "correct horse"; // SEED_KEY of ArchiveSeeds.cpp
constexpr std::uint32_t FUZZ_MAX_MEMORY_KIB = 64;
constexpr std::uint32_t FUZZ_MAX_PASSES = 2;

// The sealed reader: header, KEY, seal. Returns the plain archive when all
// three accept, else "" (an empty archive is never sealed).
std::string Unseal(std::string_view bytes) {
    SSealedHeader header;
    if (!CSealedFile::ParseHeader(bytes, header))
        return {};
    // An accepted header is exactly what the writer makes of its fields.
    if (CSealedFile::WriteHeader(header) != bytes.substr(0, CSealedFile::HEADER_SIZE))
        Fault("an accepted sealed header is not the writer's");
    if (header.m_params.m_nMemoryKiB > FUZZ_MAX_MEMORY_KIB ||
        header.m_params.m_nPasses > FUZZ_MAX_PASSES)
        return {};
    CSealKey key;
    if (!key.Derive(FUZZ_SEAL_KEY, header.m_params, header.m_salt))
        Fault("a sane header's key cannot be derived");
    std::string strPlain;
    if (!CSealedFile::IsKeyOf(header, key) || !CSealedFile::Unseal(bytes, header, key, strPlain))
        return {};
    if (strPlain.size() + CSealedFile::HEADER_SIZE + SEAL_TAG_SIZE != bytes.size())
        Fault("the seal opened to a text of another length");
    return strPlain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    // A file of zero length is never parsed: it opens as a file without a KEY.
    if (nSize == 0)
        return 0;
    std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    std::string strUnsealed;
    if (CSealedFile::HasMagic(bytes)) {
        strUnsealed = Unseal(bytes);
        if (strUnsealed.empty())
            return 0;
        bytes = strUnsealed;
        nSize = strUnsealed.size();
    }

    CCofferDoc doc;
    if (!Load(doc, bytes)) {
        if (!doc.Records().empty() || !doc.StagedRecords().empty() || doc.HasKey())
            Fault("a refused file left content behind");
        return 0;
    }
    if (!doc.StagedRecords().empty())
        Fault("records stayed enciphered after loading");
    // Texts come out of the file's bytes one for one, or shrink (16-bit texts).
    if (TextBytes(doc) > nSize)
        Fault("the reader produced more text than the file holds");
    g_nSink = g_nSink + TouchEveryRecord(doc);

    const std::string strFirst = Store(doc);
    // Every length prefix is written in its shortest form and 16-bit texts
    // become 8-bit, so the writer never needs more bytes than were read.
    if (strFirst.size() > nSize)
        Fault("the writer made a larger file than it read");

    CCofferDoc again;
    if (!Load(again, strFirst))
        Fault("the reader refused what the writer wrote");
    if (!SameContent(doc, again))
        Fault("the content changed through a write and a read");
    if (Store(again) != strFirst)
        Fault("writing the re-read document gave other bytes");
    return 0;
}
