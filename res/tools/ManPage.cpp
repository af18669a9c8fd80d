// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ManPage.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

// A help line this long or longer, with the next word, was broken by the
// wrapping; a shorter one ends where its author ended it.
constexpr std::size_t WRAPPED_WIDTH = 64;
constexpr std::size_t NONE = std::string::npos;

std::vector<std::string> SplitLines(const std::string& strText) {
    std::vector<std::string> vLines;
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == NONE)
            nEnd = strText.size();
        vLines.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return vLines;
}

std::size_t IndentOf(const std::string& strLine) {
    const std::size_t nFirst = strLine.find_first_not_of(' ');
    return nFirst == NONE ? strLine.size() : nFirst;
}

bool IsBlank(const std::string& strLine) {
    return IndentOf(strLine) == strLine.size();
}

// Where a run of two or more blanks inside the text starts, outside quotes
// ("KEY for:  NAME" is a quoted prompt): the gap between a term and its
// explanation.
std::size_t GapOf(const std::string& strText) {
    if (strText.empty() || strText[0] == ' ')
        return NONE;
    bool bQuoted = false;
    for (std::size_t i = 1; i + 1 < strText.size(); ++i) {
        bQuoted = bQuoted != (strText[i] == '"');
        if (!bQuoted && strText[i] == ' ' && strText[i + 1] == ' ')
            return strText.find_first_not_of(' ', i) != NONE ? i : NONE;
    }
    return NONE;
}

// Whether a text starts with a word of prose, not with more of a usage
// ("[--all-fields]", "-o", "FILE").
bool StartsAsProse(const std::string& strText) {
    const std::string strWord = strText.substr(0, strText.find(' '));
    return !strWord.empty() && std::isalpha(static_cast<unsigned char>(strWord[0])) != 0 &&
           std::any_of(strWord.begin(), strWord.end(),
                       [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; });
}

bool IsSoftWrap(const std::string& strPrevious, const std::string& strNext) {
    const std::size_t nWord = strNext.find(' ');
    return strPrevious.size() + 1 + (nWord == NONE ? strNext.size() : nWord) > WRAPPED_WIDTH;
}

// Roff's own characters escaped; anything beyond ASCII by its code point,
// so the page reads the same whatever encoding the reader assumes.
std::string Escape(const std::string& strText) {
    std::string strOut;
    for (std::size_t i = 0; i < strText.size();) {
        const auto c = static_cast<unsigned char>(strText[i]);
        if (c < 0x80) {
            strOut += c == '\\' ? "\\e" : c == '-' ? "\\-" : std::string(1, static_cast<char>(c));
            ++i;
            continue;
        }
        const std::size_t nLength = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        std::uint32_t nCode = c & (0xFFu >> (nLength + 1));
        for (std::size_t k = 1; k < nLength && i + k < strText.size(); ++k)
            nCode = (nCode << 6) | (static_cast<unsigned char>(strText[i + k]) & 0x3Fu);
        char szCode[16];
        std::snprintf(szCode, sizeof szCode, "\\[u%04X]", nCode);
        strOut += szCode;
        i += nLength;
    }
    return strOut;
}

// A text line that roff must not take for a request.
std::string TextLine(const std::string& strText) {
    const std::string strEscaped = Escape(strText);
    return (!strEscaped.empty() && (strEscaped[0] == '.' || strEscaped[0] == '\'') ? "\\&" : "") +
           strEscaped + "\n";
}

std::string Upper(std::string strText) {
    for (char& c : strText)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return strText;
}

// Usage in the manual's fonts: what is typed as it stands in bold (the
// program, commands, options and fixed values), what the user replaces in
// italics (FILE, GROUP), brackets and bars in roman.
std::string Synopsis(const std::string& strUsage) {
    const auto isWordChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' ||
               c == '.' || c == '/';
    };
    std::string strOut;
    for (std::size_t i = 0; i < strUsage.size();) {
        if (!isWordChar(strUsage[i])) {
            strOut += Escape(std::string(1, strUsage[i++]));
            continue;
        }
        std::size_t nEnd = i;
        while (nEnd < strUsage.size() && isWordChar(strUsage[nEnd]))
            ++nEnd;
        const std::string strWord = strUsage.substr(i, nEnd - i);
        bool bLower = strWord[0] == '-';
        bool bUpper = false;
        for (const char c : strWord) {
            bLower = bLower || std::islower(static_cast<unsigned char>(c)) != 0;
            bUpper = bUpper || std::isupper(static_cast<unsigned char>(c)) != 0;
        }
        const char* pszFont = bLower ? "\\fB" : bUpper ? "\\fI" : "";
        strOut += *pszFont ? pszFont + Escape(strWord) + "\\fR" : Escape(strWord);
        i = nEnd;
    }
    return strOut;
}

// Lines of explanation whose text starts at nColumn: wrapped prose is
// filled again, lines that the author ended keep their end, and lines set
// deeper or aligned in columns stay as they are.
std::string ExplanationRoff(const std::vector<std::string>& vLines, std::size_t nColumn) {
    std::string strOut;
    std::vector<std::string> vKept;
    std::string strPrevious;
    const auto keepAligned = [&] {
        if (vKept.empty())
            return;
        strOut += ".nf\n";
        for (const std::string& strLine : vKept)
            strOut += TextLine(strLine);
        strOut += ".fi\n";
        vKept.clear();
        strPrevious.clear();
    };
    for (const std::string& strLine : vLines) {
        if (IsBlank(strLine)) {
            keepAligned();
            if (!strPrevious.empty())
                strOut += ".sp\n";
            strPrevious.clear();
            continue;
        }
        const std::size_t nIndent = IndentOf(strLine);
        const std::string strText = strLine.substr(nIndent);
        if (nIndent > nColumn || GapOf(strText) != NONE) {
            vKept.push_back(std::string(nIndent > nColumn ? nIndent - nColumn : 0, ' ') + strText);
            continue;
        }
        keepAligned();
        if (!strPrevious.empty() && !IsSoftWrap(strPrevious, strText))
            strOut += ".br\n";
        strOut += TextLine(strText);
        strPrevious = strLine;
    }
    keepAligned();
    return strOut;
}

// An indented block: terms with their explanations (a gap after the term,
// or the explanation on the lines below, set deeper), "- " bullets, and
// plain paragraphs. bCommands sets the terms as usage.
std::string BlockRoff(const std::vector<std::string>& vLines, bool bCommands) {
    std::size_t nBase = NONE;
    for (const std::string& strLine : vLines) {
        if (!IsBlank(strLine)) {
            nBase = IndentOf(strLine);
            break;
        }
    }
    if (nBase == NONE)
        return "";
    // Items: a line at the base indentation and the deeper lines after it.
    std::vector<std::vector<std::string>> vItems;
    for (const std::string& strLine : vLines) {
        if (vItems.empty() && IsBlank(strLine))
            continue;
        if (vItems.empty() || (!IsBlank(strLine) && IndentOf(strLine) <= nBase))
            vItems.emplace_back();
        vItems.back().push_back(strLine);
    }
    std::string strOut;
    std::vector<std::string> vProse;
    const auto endProse = [&] {
        if (!vProse.empty())
            strOut += ".PP\n" + ExplanationRoff(vProse, nBase);
        vProse.clear();
    };
    const auto term = [bCommands](const std::string& strTerm) {
        return (bCommands ? Synopsis(strTerm) : "\\fB" + Escape(strTerm) + "\\fR") + "\n";
    };
    for (std::vector<std::string>& vItem : vItems) {
        const std::string strHead = vItem[0].substr(std::min(nBase, vItem[0].size()));
        std::vector<std::string> vRest(vItem.begin() + 1, vItem.end());
        std::size_t nGap = GapOf(strHead);
        const std::size_t nBelow =
            !vRest.empty() && !IsBlank(vRest[0]) && IndentOf(vRest[0]) > nBase ? IndentOf(vRest[0])
                                                                               : NONE;
        // A term that fills its column leaves one blank before the text,
        // which starts where the lines below it do.
        if (nGap == NONE && nBelow != NONE && strHead.size() > nBelow - nBase &&
            strHead[nBelow - nBase - 1] == ' ' && StartsAsProse(strHead.substr(nBelow - nBase)))
            nGap = nBelow - nBase - 1;
        if (strHead.rfind("- ", 0) == 0) {
            endProse();
            vRest.insert(vRest.begin(), std::string(nBase + 2, ' ') + strHead.substr(2));
            strOut += ".IP \\(bu 2\n" + ExplanationRoff(vRest, nBase + 2);
        } else if (nGap != NONE) {
            endProse();
            const std::size_t nText = strHead.find_first_not_of(' ', nGap);
            vRest.insert(vRest.begin(), std::string(nBase + nText, ' ') + strHead.substr(nText));
            strOut +=
                ".TP\n" + term(strHead.substr(0, nGap)) + ExplanationRoff(vRest, nBase + nText);
        } else if (nBelow != NONE) {
            endProse();
            strOut += ".TP\n" + term(strHead) + ExplanationRoff(vRest, nBelow);
        } else {
            vProse.insert(vProse.end(), vItem.begin(), vItem.end());
        }
    }
    endProse();
    return strOut;
}

// A paragraph of the help that stands at the left margin, with the
// indented block that may follow it.
std::string ParagraphRoff(const std::vector<std::string>& vParagraph,
                          const std::vector<std::string>& vBlock) {
    std::string strOut = ".PP\n" + ExplanationRoff(vParagraph, 0);
    if (!vBlock.empty())
        strOut += ".RS\n" + BlockRoff(vBlock, false) + ".RE\n";
    return strOut;
}

// "Export layout (export and show), for each record:" names the section
// EXPORT LAYOUT: the words before a bracket or a comma.
std::string SectionName(const std::string& strHeading) {
    const std::string strTitle = strHeading.substr(0, strHeading.size() - 1);
    return strTitle.substr(0, std::min(strTitle.find(" ("), strTitle.find(',')));
}

// A line ending in ":" over an indented block heads a section when it names
// one in a few words; a longer one is a sentence that leads into the block.
bool IsHeading(const std::string& strLine) {
    const std::string strName = SectionName(strLine);
    return !strName.empty() && std::count(strName.begin(), strName.end(), ' ') < 3;
}

std::string QuotedTitle(const std::string& strTitle) {
    return strTitle.find(' ') == NONE ? strTitle : "\"" + strTitle + "\"";
}

} // namespace

CManPage::CManPage(std::string strProgram, std::string strDate)
    : m_strProgram(std::move(strProgram)), m_strDate(std::move(strDate)) {}

void CManPage::SetHelp(const std::string& strHelp) {
    const std::vector<std::string> vLines = SplitLines(strHelp);
    std::size_t i = 0;
    if (!vLines.empty() && vLines[0].rfind("Usage: ", 0) == 0) {
        m_vUsage.push_back(vLines[0].substr(7));
        i = 1;
        if (i < vLines.size() && !IsBlank(vLines[i]) && IndentOf(vLines[i]) == 0)
            m_strSummary = vLines[i++];
    } else if (!vLines.empty() && vLines[0].find(" - ") != NONE) {
        m_strSummary = vLines[0].substr(vLines[0].find(" - ") + 3);
        i = 1;
    }
    // The lines from i on that are indented or blank, up to the next line at
    // the left margin; trailing blank lines left out.
    const auto takeBlock = [&vLines](std::size_t& nLine) {
        std::vector<std::string> vBlock;
        while (nLine < vLines.size() && (IsBlank(vLines[nLine]) || IndentOf(vLines[nLine]) > 0))
            vBlock.push_back(vLines[nLine++]);
        while (!vBlock.empty() && IsBlank(vBlock.back()))
            vBlock.pop_back();
        return vBlock;
    };
    while (i < vLines.size()) {
        if (IsBlank(vLines[i])) {
            ++i;
            continue;
        }
        if (IndentOf(vLines[i]) > 0) {
            AddSection("Options:", takeBlock(i));
            continue;
        }
        const std::string& strLine = vLines[i];
        const bool bHeading = strLine.back() == ':' && IsHeading(strLine) &&
                              i + 1 < vLines.size() && !IsBlank(vLines[i + 1]) &&
                              IndentOf(vLines[i + 1]) > 0;
        // Before the usage a line ending in ":" opens a paragraph of the
        // description; after it, a section.
        if (bHeading && (strLine == "Usage:" || !m_vUsage.empty())) {
            ++i;
            const std::vector<std::string> vBlock = takeBlock(i);
            if (strLine == "Usage:")
                ReadUsage(vBlock);
            else
                AddSection(strLine, vBlock);
            continue;
        }
        std::vector<std::string> vParagraph;
        while (i < vLines.size() && !IsBlank(vLines[i]) && IndentOf(vLines[i]) == 0)
            vParagraph.push_back(vLines[i++]);
        // An indented block right below belongs to the paragraph; after a
        // blank line it stands on its own.
        const bool bBlock = i < vLines.size() && !IsBlank(vLines[i]);
        const std::string strRoff =
            ParagraphRoff(vParagraph, bBlock ? takeBlock(i) : std::vector<std::string>{});
        if (m_vSections.empty())
            m_strDescription += strRoff;
        else
            m_vSections.back().m_strRoff += strRoff;
    }
}

void CManPage::ReadUsage(const std::vector<std::string>& vLines) {
    std::size_t nFirst = NONE;
    for (const std::string& strLine : vLines) {
        if (IsBlank(strLine))
            continue;
        if (nFirst == NONE)
            nFirst = IndentOf(strLine);
        // A line set deeper than the first continues the one before.
        if (IndentOf(strLine) > nFirst && !m_vUsage.empty())
            m_vUsage.back() += " " + strLine.substr(IndentOf(strLine));
        else
            m_vUsage.push_back(strLine.substr(IndentOf(strLine)));
    }
}

void CManPage::AddSection(const std::string& strHeading, const std::vector<std::string>& vBody) {
    // A heading that says more than the section's name opens it whole.
    const std::string strName = SectionName(strHeading);
    SSection section{Upper(strName), ""};
    if (strName.size() + 1 != strHeading.size())
        section.m_strRoff = ".PP\n" + TextLine(strHeading);
    section.m_strRoff +=
        BlockRoff(vBody, section.m_strTitle == "COMMANDS" || section.m_strTitle == "OPTIONS");
    m_vSections.push_back(section);
}

void CManPage::SetVersion(const std::string& strVersion) {
    std::vector<std::string> vLines = SplitLines(strVersion);
    while (!vLines.empty() && IsBlank(vLines.back()))
        vLines.pop_back();
    if (vLines.empty())
        return;
    m_strVersionLine = vLines[0];
    m_vCopyright.assign(vLines.begin() + 1, vLines.end());
}

void CManPage::SetExtraSections(const std::string& strText) {
    for (const std::string& strLine : SplitLines(strText)) {
        if (strLine.size() > 2 && strLine.front() == '[' && strLine.back() == ']')
            m_vExtra.push_back({strLine.substr(1, strLine.size() - 2), ""});
        else if (!m_vExtra.empty())
            m_vExtra.back().m_strRoff += strLine + "\n";
    }
    // The blank lines that part the sections in the file are no text.
    for (SSection& section : m_vExtra) {
        while (section.m_strRoff.size() > 1 && section.m_strRoff.ends_with("\n\n"))
            section.m_strRoff.pop_back();
    }
}

std::string CManPage::ExtraSection(const std::string& strTitle) const {
    for (const SSection& section : m_vExtra) {
        if (section.m_strTitle == strTitle)
            return section.m_strRoff;
    }
    return "";
}

std::string CManPage::Roff() const {
    std::string strOut =
        ".\\\" Written by keyhaven-make-man from the program's --help and --version.\n";
    strOut += ".TH " + Escape(Upper(m_strProgram)) + " 1 \"" + m_strDate + "\" \"" +
              Escape(m_strVersionLine) + "\" \"User Commands\"\n";
    // Names, options and paths read better whole than hyphenated.
    strOut += ".nh\n";

    // The summary as a name line has it: no full stop, and no capital unless
    // its first word is in capitals (an abbreviation).
    std::string strSummary = m_strSummary;
    if (!strSummary.empty() && strSummary.back() == '.')
        strSummary.pop_back();
    const std::string strFirstWord = strSummary.substr(0, strSummary.find(' '));
    if (std::none_of(strFirstWord.begin() + (strFirstWord.empty() ? 0 : 1), strFirstWord.end(),
                     [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; }) &&
        !strSummary.empty())
        strSummary[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(strSummary[0])));
    strOut += ".SH NAME\n" + Escape(m_strProgram) + " \\- " + Escape(strSummary) + "\n";

    if (!m_vUsage.empty()) {
        // Usage lines are not stretched to the margin: the blanks between
        // their words stay single.
        strOut += ".SH SYNOPSIS\n.ad l\n";
        for (std::size_t i = 0; i < m_vUsage.size(); ++i)
            strOut += (i > 0 ? ".br\n" : "") + Synopsis(m_vUsage[i]) + "\n";
        strOut += ".ad b\n";
    }
    const std::string strDescription = ExtraSection("DESCRIPTION") + m_strDescription;
    if (!strDescription.empty())
        strOut += ".SH DESCRIPTION\n" + strDescription;
    for (const SSection& section : m_vSections)
        strOut += ".SH " + QuotedTitle(section.m_strTitle) + "\n" + section.m_strRoff;
    for (const SSection& section : m_vExtra) {
        if (section.m_strTitle != "DESCRIPTION" && section.m_strTitle != "SEE ALSO")
            strOut += ".SH " + QuotedTitle(section.m_strTitle) + "\n" + section.m_strRoff;
    }
    if (!m_vCopyright.empty()) {
        strOut += ".SH COPYRIGHT\n";
        for (std::size_t i = 0; i < m_vCopyright.size(); ++i)
            strOut += (i > 0 ? ".br\n" : "") + TextLine(m_vCopyright[i]);
    }
    const std::string strSeeAlso = ExtraSection("SEE ALSO");
    if (!strSeeAlso.empty())
        strOut += ".SH \"SEE ALSO\"\n" + strSeeAlso;
    return strOut;
}
