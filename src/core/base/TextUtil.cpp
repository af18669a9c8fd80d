#include "core/base/TextUtil.h"

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

std::string FormatText(std::string_view strText, std::string_view str1, std::string_view str2) {
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
