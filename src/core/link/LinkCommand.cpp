// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/LinkCommand.h"

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"

#include <array>
#include <cstdio>

namespace {

bool IsArgumentMarkLetter(char ch) {
    switch (ch) {
    case '1':
    case 's':
    case 'u':
    case 'U':
    case 'f':
    case 'F':
        return true;
    default:
        return false;
    }
}

// Field codes of desktop entries that expand to something other than the
// target (or to nothing): a lone argument of one of these is dropped.
bool IsOtherFieldCode(std::string_view strRaw) {
    static constexpr std::string_view s_strCodes = "ickdDnNvm";
    return strRaw.size() == 2 && strRaw[0] == '%' &&
           s_strCodes.find(strRaw[1]) != std::string_view::npos;
}

std::size_t FindQuotedArgumentMark(std::string_view strCommand) {
    for (std::size_t i = 0; i + 3 < strCommand.size(); ++i) {
        const char chQuote = strCommand[i];
        if ((chQuote == '"' || chQuote == '\'') && strCommand[i + 1] == '%' &&
            IsArgumentMarkLetter(strCommand[i + 2]) && strCommand[i + 3] == chQuote)
            return i;
    }
    return std::string_view::npos;
}

std::size_t FindBareArgumentMark(std::string_view strCommand) {
    for (std::size_t i = 0; i + 1 < strCommand.size(); ++i) {
        if (strCommand[i] != '%')
            continue;
        if (strCommand[i + 1] == '%')
            ++i; // an escaped percent sign
        else if (IsArgumentMarkLetter(strCommand[i + 1]))
            return i;
    }
    return std::string_view::npos;
}

struct SToken {
    std::string strValue;
    std::string strRaw; // the characters as written, to recognise field codes
    bool bStarted = false;
};

} // namespace

std::string CutAtArgumentMark(std::string_view strCommand) {
    std::size_t nCut = FindQuotedArgumentMark(strCommand);
    if (nCut == std::string_view::npos)
        nCut = FindBareArgumentMark(strCommand);
    return std::string(strCommand.substr(0, nCut));
}

std::string BrowserCommandLine(std::string_view strCommand, std::string_view strTarget) {
    std::string strLine = CutAtArgumentMark(strCommand);
    strLine += ' ';
    strLine += strTarget;
    return strLine;
}

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view strCommand) {
    std::vector<std::string> vArgs;
    SToken token;
    auto finish = [&] {
        if (token.bStarted && !IsOtherFieldCode(token.strRaw))
            vArgs.push_back(token.strValue);
        token = SToken();
    };
    char chQuote = 0;
    for (std::size_t i = 0; i < strCommand.size(); ++i) {
        const char ch = strCommand[i];
        const bool bHasNext = i + 1 < strCommand.size();
        if (chQuote == '\'') {
            token.strRaw += ch;
            if (ch == '\'')
                chQuote = 0;
            else
                token.strValue += ch;
            continue;
        }
        if (chQuote == 0 && (ch == ' ' || ch == '\t')) {
            finish();
            continue;
        }
        token.bStarted = true;
        token.strRaw += ch;
        if (ch == '"') {
            chQuote = chQuote == '"' ? 0 : '"';
        } else if (chQuote == 0 && ch == '\'') {
            chQuote = '\'';
        } else if (ch == '\\' && bHasNext &&
                   (chQuote == 0 ||
                    std::string_view("\"`$\\").find(strCommand[i + 1]) != std::string_view::npos)) {
            token.strValue += strCommand[++i];
            token.strRaw += strCommand[i];
        } else if (ch == '%' && bHasNext && strCommand[i + 1] == '%') {
            token.strValue += '%';
            token.strRaw += strCommand[++i];
        } else {
            token.strValue += ch;
        }
    }
    if (chQuote != 0)
        return std::nullopt;
    finish();
    return vArgs;
}

std::vector<std::string> BrowserArguments(std::string_view strCommand, std::string_view strTarget) {
    std::optional<std::vector<std::string>> vArgs = SplitCommandLine(CutAtArgumentMark(strCommand));
    if (!vArgs || vArgs->empty() || (*vArgs)[0].empty())
        return {};
    vArgs->emplace_back(strTarget);
    return *vArgs;
}

std::vector<std::string> SplitBrowserVariable(std::string_view strBrowser) {
    std::vector<std::string> vCommands;
    std::size_t nStart = 0;
    while (nStart <= strBrowser.size()) {
        std::size_t nEnd = strBrowser.find(':', nStart);
        if (nEnd == std::string_view::npos)
            nEnd = strBrowser.size();
        std::string_view strOne = strBrowser.substr(nStart, nEnd - nStart);
        if (strOne.find_first_not_of(" \t") != std::string_view::npos)
            vCommands.emplace_back(strOne);
        nStart = nEnd + 1;
    }
    return vCommands;
}

std::string LinkErrorText(int nCode) {
    struct SEntry {
        int nCode;
        const char* pszText;
    };
    static constexpr std::array<SEntry, 13> s_aTable{{
        {0, IDS_LINK_OUT_OF_MEMORY},
        {2, IDS_LINK_FILE_NOT_FOUND},
        {3, IDS_LINK_PATH_NOT_FOUND},
        {5, IDS_LINK_ACCESS_DENIED},
        {8, IDS_LINK_NO_MEMORY},
        {11, IDS_LINK_BAD_FORMAT},
        {26, IDS_LINK_SHARE},
        {27, IDS_LINK_ASSOC_INCOMPLETE},
        {28, IDS_LINK_DDE_TIMEOUT},
        {29, IDS_LINK_DDE_FAIL},
        {30, IDS_LINK_DDE_BUSY},
        {31, IDS_LINK_NO_ASSOC},
        {32, IDS_LINK_DLL_NOT_FOUND},
    }};
    for (const SEntry& entry : s_aTable) {
        if (entry.nCode == nCode)
            return TranslateText(entry.pszText);
    }
    char szText[64];
    std::snprintf(szText, sizeof szText, TranslateFormat(IDS_LINK_UNKNOWN), nCode);
    return szText;
}

std::string LinkErrorMessage(int nCode) {
    return FormatText(IDS_LINK_UNABLE, LinkErrorText(nCode));
}
