// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/TextCompare.h"

#include "core/store/CodePage.h"

int CompareNoCase(std::string_view a, std::string_view b, const CCodePage& codePage) {
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

bool StartsWithNoCase(std::string_view strText, std::string_view strPrefix,
                      const CCodePage& codePage) {
    return strText.size() >= strPrefix.size() &&
           CompareNoCase(strText.substr(0, strPrefix.size()), strPrefix, codePage) == 0;
}
