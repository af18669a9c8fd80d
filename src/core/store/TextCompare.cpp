// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/TextCompare.h"

#include "core/store/CodePage.h"
#include "core/unicode/UnicodeCollator.h"
#include "core/unicode/UnicodeFold.h"

namespace {

// One collator for every comparison: opening one costs far more than a
// comparison. Comparing and making keys leave it unchanged, which ICU lets
// several threads do at once.
const CUnicodeCollator& Collator() {
    static const CUnicodeCollator collator;
    return collator;
}

} // namespace

int CompareNoCase(std::string_view a, std::string_view b, const CCodePage& codePage) {
    if (codePage.IsUtf8())
        return Collator().Compare(a, b);
    const std::size_t nCommon = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < nCommon; ++i) {
        const int x = codePage.ToLower(static_cast<unsigned char>(a[i]));
        const int y = codePage.ToLower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string SortKeyNoCase(std::string_view strText, const CCodePage& codePage) {
    if (codePage.IsUtf8())
        return Collator().SortKey(strText);
    // std::string compares its bytes unsigned, as CompareNoCase does.
    std::string strKey(strText.size(), '\0');
    for (std::size_t i = 0; i < strText.size(); ++i)
        strKey[i] = static_cast<char>(codePage.ToLower(static_cast<unsigned char>(strText[i])));
    return strKey;
}

bool StartsWithNoCase(std::string_view strText, std::string_view strPrefix,
                      const CCodePage& codePage) {
    if (codePage.IsUtf8()) {
        const std::string strFoldedPrefix = FoldForSearch(strPrefix);
        return FoldForSearch(strText).starts_with(strFoldedPrefix);
    }
    return strText.size() >= strPrefix.size() &&
           CompareNoCase(strText.substr(0, strPrefix.size()), strPrefix, codePage) == 0;
}
