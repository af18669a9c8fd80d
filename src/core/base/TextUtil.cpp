// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TextUtil.h"

#include "core/base/Translation.h"

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

bool EndsWithNoCaseAscii(std::string_view strText, std::string_view strSuffix) {
    return strText.size() >= strSuffix.size() &&
           EqualsNoCaseAscii(strText.substr(strText.size() - strSuffix.size()), strSuffix);
}

std::string FormatText(std::string_view strSource, std::string_view str1, std::string_view str2) {
    // The template in the language shown (the source itself without a
    // translation); the values are the user's and stay as they are.
    const std::string strCopy(strSource);
    return FillMarks(TranslateText(strCopy.c_str()), str1, str2);
}

std::string FormatCountText(const SCountText& text, long long nCount, std::string_view str1,
                            std::string_view str2) {
    // The number goes in first: a value that holds "%n" stays as it is.
    return FillMarks(CountText(text, nCount), str1, str2);
}

std::string FillMarks(std::string_view strText, std::string_view str1, std::string_view str2) {
    // Both marks are found in the template first, so a value holding "%2"
    // is not taken for the second mark.
    const std::size_t nPos1 = strText.find("%1");
    const std::size_t nPos2 = strText.find("%2");
    std::string strOut;
    std::size_t nFrom = 0;
    auto fill = [&](std::size_t nPos, std::string_view strValue) {
        strOut.append(strText.substr(nFrom, nPos - nFrom));
        strOut.append(strValue);
        nFrom = nPos + 2;
    };
    if (nPos1 != std::string_view::npos && (nPos2 == std::string_view::npos || nPos1 < nPos2)) {
        fill(nPos1, str1);
        if (nPos2 != std::string_view::npos)
            fill(nPos2, str2);
    } else {
        if (nPos2 != std::string_view::npos)
            fill(nPos2, str2);
        if (nPos1 != std::string_view::npos)
            fill(nPos1, str1);
    }
    strOut.append(strText.substr(nFrom));
    return strOut;
}

std::string CommentsForDisplay(std::string_view strStored) {
    std::string strShown;
    strShown.reserve(strStored.size());
    for (std::size_t i = 0; i < strStored.size(); ++i) {
        if (strStored[i] == '\r' && i + 1 < strStored.size() && strStored[i + 1] == '\n')
            continue; // the "\n" that follows stands for the pair
        strShown += strStored[i];
    }
    return strShown;
}

std::string CommentsForStore(std::string_view strShown) {
    std::string strStored;
    strStored.reserve(strShown.size() + strShown.size() / 16);
    for (std::size_t i = 0; i < strShown.size(); ++i) {
        if (strShown[i] == '\n' && (i == 0 || strShown[i - 1] != '\r'))
            strStored += '\r';
        strStored += strShown[i];
    }
    return strStored;
}
