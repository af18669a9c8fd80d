// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes go through the CSV import the way
// keyhaven-cli import reads a file, and whatever it imports must come back
// the same through the CSV export and a second import.

#include "core/interchange/CsvImport.h"
#include "core/interchange/CsvWriter.h"
#include "core/interchange/Importer.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fault(const char* pszWhat) {
    std::fprintf(stderr, "CSV round trip: %s\n", pszWhat);
    std::abort();
}

bool Import(std::string_view strText, CCofferDoc& doc) {
    CImporter importer(doc, CCodePage::Default());
    std::string strError;
    const bool bOk = ReadCsvEntries(
        strText, [&importer](const SImportEntry& entry) { importer.Add(entry); }, strError);
    if (!bOk && strError.empty())
        Fault("refused without a message");
    (void)importer.Summary();
    return bOk;
}

bool SameRecords(const CCofferDoc& a, const CCofferDoc& b) {
    if (a.Records().size() != b.Records().size())
        return false;
    auto itB = b.Records().begin();
    for (const CPasswordInfo& info : a.Records()) {
        const CPasswordInfo& other = *itB++;
        if (info.m_bGroup != other.m_bGroup)
            return false;
        for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i) {
            const auto eText = static_cast<CPasswordInfo::EText>(i);
            if (info.TextView(eText) != other.TextView(eText))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view strText(reinterpret_cast<const char*>(pData), nSize);
    CCofferDoc first;
    if (!Import(strText, first))
        return 0;
    // Small inputs of many short rows export to several times their size;
    // the fuzzer allows no allocation of 1 MiB, so larger exports are not
    // read back.
    constexpr std::size_t MAX_EXPORT = 768 * 1024;
    std::string strCsv;
    strCsv.reserve(MAX_EXPORT);
    if (!WriteCsvExport(first.Records(), CCodePage::Default(), [&strCsv](std::string_view piece) {
            if (strCsv.size() + piece.size() > MAX_EXPORT)
                return false;
            strCsv += piece;
            return true;
        }))
        return 0;
    CCofferDoc second;
    if (!Import(strCsv, second))
        Fault("the export does not import");
    if (!SameRecords(first, second))
        Fault("the export imports as other records");
    return 0;
}
