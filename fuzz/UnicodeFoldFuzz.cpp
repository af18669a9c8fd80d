// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes are folded for searching and collated.
// The folded text is valid UTF-8 and folds to itself, folded a part at a
// time it is the same and each byte comes from within the text, a text
// finds itself, and the sort keys order two texts as their comparison does.
// The UTF-8 code page takes exactly the well-formed texts and shows every
// text as well-formed UTF-8, a well-formed one unchanged. Its seeds are
// in seeds/fuzz_unicode_fold, beside the password files every target gets.

#include "core/store/CodePage.h"
#include "core/unicode/FoldedMatcher.h"
#include "core/unicode/UnicodeCollator.h"
#include "core/unicode/UnicodeFold.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void Fault(const char* pszWhat) {
    std::fprintf(stderr, "Unicode folding: %s\n", pszWhat);
    std::abort();
}

bool IsValidUtf8(std::string_view str) {
    for (std::size_t i = 0; i < str.size();) {
        const auto c = static_cast<unsigned char>(str[i]);
        const std::size_t n = c < 0x80                ? 1
                              : c >= 0xC2 && c < 0xE0 ? 2
                              : c >= 0xE0 && c < 0xF0 ? 3
                              : c >= 0xF0 && c < 0xF5 ? 4
                                                      : 0;
        if (n == 0 || i + n > str.size())
            return false;
        std::uint32_t nCode = n == 1 ? c : c & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(str[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            nCode = nCode << 6 | (b & 0x3F);
        }
        const std::uint32_t MIN[] = {0, 0, 0x80, 0x800, 0x10000};
        if (nCode < MIN[n] || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode < 0xE000))
            return false;
        i += n;
    }
    return true;
}

int Sign(int n) {
    return (n > 0) - (n < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    // Fields are short; a long text only costs time, and the characters
    // whose compatibility forms are long would take it past the runner's
    // limit on one allocation.
    if (nSize > 4096)
        return 0;
    const std::string_view strText(reinterpret_cast<const char*>(pData), nSize);
    const std::string strFolded = FoldForSearch(strText);
    if (!IsValidUtf8(strFolded))
        Fault("the folded text is no valid UTF-8");
    if (FoldForSearch(strFolded) != strFolded)
        Fault("the folded text folds again to something else");
    std::string strMapped;
    std::vector<std::pair<std::size_t, std::size_t>> anOrigin;
    FoldForSearch(strText, strMapped, anOrigin);
    if (strMapped != strFolded || anOrigin.size() != strMapped.size())
        Fault("the text folded a part at a time folds otherwise");
    for (const auto& [nBegin, nEnd] : anOrigin) {
        if (nBegin >= nEnd || nEnd > nSize)
            Fault("a folded byte comes from outside the text");
    }
    if (!CFoldedMatcher(strText).Contains(strText))
        Fault("a text does not find itself");

    const CCodePage& utf8 = CCodePage::Utf8();
    const bool bValid = IsValidUtf8(strText);
    std::string strStored;
    if (utf8.FromUtf8(strText, strStored) != bValid || (bValid && strStored != strText))
        Fault("the UTF-8 page takes other texts than the well-formed ones");
    const std::string strShown = utf8.ToUtf8(strText);
    if (!IsValidUtf8(strShown) || (bValid && strShown != strText))
        Fault("the UTF-8 page shows a text as ill-formed or changed");

    static const CUnicodeCollator collator;
    const std::string_view a = strText.substr(0, nSize / 2), b = strText.substr(nSize / 2);
    const std::string strKeyA = collator.SortKey(a), strKeyB = collator.SortKey(b);
    if (Sign(collator.Compare(a, b)) != Sign(strKeyA.compare(strKeyB)))
        Fault("the sort keys disagree with the comparison");
    return 0;
}
