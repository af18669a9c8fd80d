// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the KeePass database reader. The first byte chooses what
// the rest is: even, a whole database opened with the password "pw" (the
// seed uses AES-KDF with one round, so every try gets past the key); odd,
// the XML document inside one, read with a fixed inner stream (the payload
// of a real database is sealed by its HMAC, so mutations reach the XML only
// this way). Whatever is read: a failure has its message and hands out
// nothing, and what is handed out imports into a document.

#include "core/interchange/Importer.h"
#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxXml.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fault(const char* pszWhat) {
    std::fprintf(stderr, "KeePass reader: %s\n", pszWhat);
    std::abort();
}

// Small enough that no allocation the allowance permits reaches the
// fuzzer's 1 MiB limit.
constexpr std::size_t XML_ALLOWANCE = 256 * 1024;

// A KDBX 3.1 header is proven only after the key derivation, so a mutated
// round count would be honoured as written and run for minutes: such inputs
// are passed over (the unit tests try every flipped bit of the rest). A
// count beyond what ever runs is refused before deriving, and so is read.
bool AsksManyRounds(std::span<const std::uint8_t> file) {
    if (file.size() < 12 || file[10] != 3 || file[11] != 0)
        return false;
    for (std::size_t nPos = 12; file.size() - nPos >= 3;) {
        const std::uint8_t nId = file[nPos];
        const std::size_t nLength = file[nPos + 1] | (file[nPos + 2] << 8);
        nPos += 3;
        if (nId == 0 || file.size() - nPos < nLength)
            return false;
        if (nId == 6 && nLength == 8) {
            std::uint64_t nRounds = 0;
            for (std::size_t i = 8; i-- > 0;)
                nRounds = (nRounds << 8) | file[nPos + i];
            return nRounds > 1000 && nRounds <= KDBX_MAX_AES_ROUNDS;
        }
        nPos += nLength;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    if (nSize == 0)
        return 0;
    const std::span<const std::uint8_t> input(pData + 1, nSize - 1);
    CCofferDoc doc;
    CImporter importer(doc, CCodePage::Default());
    int nHanded = 0;
    const auto fnEntry = [&](const SImportEntry& entry) {
        ++nHanded;
        importer.Add(entry);
    };

    if (pData[0] % 2 == 0) {
        if (AsksManyRounds(input))
            return 0;
        SKdbxCredentials credentials;
        credentials.strPassword = "pw";
        const SKdbxOutcome outcome = ReadKdbxEntries(input, credentials, fnEntry);
        if (outcome.eFailure != EKdbxFailure::none && nHanded != 0)
            Fault("a failed read handed out entries");
        if (outcome.eFailure != EKdbxFailure::none && outcome.strMessage.empty())
            Fault("a failure without a message");
    } else {
        static const std::uint8_t KEY[64] = {1, 2, 3};
        CKdbxInnerStream stream;
        if (!stream.Init(static_cast<std::uint32_t>(EKdbxInnerStream::chacha20), KEY))
            Fault("the inner stream does not start");
        CKdbxXmlReader reader(stream, XML_ALLOWANCE);
        if (reader.Parse(input) == CKdbxXmlReader::EResult::ok &&
            reader.Finish() == CKdbxXmlReader::EResult::ok)
            reader.HandOut(fnEntry);
    }
    if (importer.ImportedCount() > nHanded)
        Fault("more accounts imported than entries read");
    (void)importer.Summary();
    return 0;
}
