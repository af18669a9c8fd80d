// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/health/PwnedList.h"

#include <botan/hash.h>

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Longer than any line of the list: 40 digits, a colon, a count, CR LF.
constexpr std::size_t MAX_LINE = 96;
// Below this many bytes between the bounds the lines are read one by one.
constexpr std::uint64_t SCAN_SPAN = 512;
// The lines checked for hash order when the file is opened.
constexpr int ORDER_CHECK_LINES = 64;

std::string HexUpper(const std::array<std::uint8_t, 20>& hash) {
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    std::string strHex;
    for (const std::uint8_t nByte : hash) {
        strHex += DIGITS[nByte >> 4];
        strHex += DIGITS[nByte & 15];
    }
    return strHex;
}

} // namespace

CPwnedList::~CPwnedList() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CPwnedList::Open(const std::string& strPath, std::string& strError) {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        strError = strPath + " cannot be read.";
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        strError = strPath + " is not a regular file; the breach list is searched on disk, so "
                             "it must be a downloaded file.";
        return false;
    }
    m_nSize = static_cast<std::uint64_t>(st.st_size);
    std::uint64_t nStart = 0;
    std::string strPrevious;
    for (int i = 0; i < ORDER_CHECK_LINES && nStart < m_nSize; ++i) {
        const std::optional<SLine> line = LineAt(nStart);
        if (!line || line->strHash <= strPrevious) {
            strError = strPath +
                       " is not a list of SHA-1 hashes and counts ordered by hash (download the "
                       "list ordered by hash).";
            return false;
        }
        strPrevious = line->strHash;
        nStart = line->nNext;
    }
    if (strPrevious.empty()) {
        strError = strPath + " is empty.";
        return false;
    }
    return true;
}

std::optional<CPwnedList::SLine> CPwnedList::LineAt(std::uint64_t nStart) const {
    char buffer[MAX_LINE];
    const ssize_t nRead = ::pread(m_fd, buffer, sizeof buffer, static_cast<off_t>(nStart));
    if (nRead < 42)
        return std::nullopt;
    const std::string_view strLine(buffer, static_cast<std::size_t>(nRead));
    SLine line;
    for (std::size_t i = 0; i < 40; ++i) {
        const unsigned char c = static_cast<unsigned char>(strLine[i]);
        if (!std::isxdigit(c))
            return std::nullopt;
        line.strHash += static_cast<char>(std::toupper(c));
    }
    if (strLine[40] != ':')
        return std::nullopt;
    std::size_t p = 41;
    for (; p < strLine.size() && std::isdigit(static_cast<unsigned char>(strLine[p])); ++p) {
        const auto nDigit = static_cast<std::uint64_t>(strLine[p] - '0');
        if (line.nCount > (UINT64_MAX - nDigit) / 10)
            return std::nullopt; // no count of a real list; it would wrap
        line.nCount = line.nCount * 10 + nDigit;
    }
    if (p == 41)
        return std::nullopt;
    if (p < strLine.size() && strLine[p] == '\r')
        ++p;
    if (p < strLine.size()) {
        if (strLine[p] != '\n')
            return std::nullopt;
        ++p;
    } else if (nStart + p != m_nSize) {
        return std::nullopt; // a line longer than any the list has
    }
    line.nNext = nStart + p;
    return line;
}

std::optional<std::uint64_t> CPwnedList::LineStartFrom(std::uint64_t nOffset) const {
    if (nOffset == 0)
        return 0;
    char buffer[MAX_LINE];
    const ssize_t nRead = ::pread(m_fd, buffer, sizeof buffer, static_cast<off_t>(nOffset - 1));
    if (nRead <= 0)
        return m_nSize;
    const char* pBegin = buffer;
    const char* pEnd = buffer + nRead;
    const char* pNewline = std::find(pBegin, pEnd, '\n');
    if (pNewline == pEnd)
        return nOffset - 1 + static_cast<std::uint64_t>(nRead) >= m_nSize ? std::optional(m_nSize)
                                                                          : std::nullopt;
    return nOffset - 1 + static_cast<std::uint64_t>(pNewline - buffer) + 1;
}

SPwnedAnswer CPwnedList::CountOfHash(const std::array<std::uint8_t, 20>& hash) const {
    using EFault = SPwnedAnswer::EFault;
    const std::string strTarget = HexUpper(hash);
    // Every line before nLow holds a smaller hash than strTarget, the last
    // of them strBelow; every line that starts at or after nHigh one at
    // least as large, the first of them strAbove ("" while unknown). A line
    // read between them must lie strictly between those two hashes, or the
    // list is out of order and the search could have missed its line.
    std::uint64_t nLow = 0;
    std::uint64_t nHigh = m_nSize;
    std::string strBelow;
    std::string strAbove;
    std::uint64_t nAboveStart = m_nSize; // where the line of strAbove starts
    const auto fnBetween = [&](const std::string& strHash) {
        return (strBelow.empty() || strHash > strBelow) && (strAbove.empty() || strHash < strAbove);
    };
    while (nHigh - nLow > SCAN_SPAN) {
        const std::uint64_t nMiddle = nLow + (nHigh - nLow) / 2;
        const std::optional<std::uint64_t> nStart = LineStartFrom(nMiddle);
        if (!nStart)
            return {0, EFault::damaged};
        if (*nStart >= nHigh) {
            nHigh = nMiddle;
            continue;
        }
        const std::optional<SLine> line = LineAt(*nStart);
        if (!line)
            return {0, EFault::damaged};
        if (!fnBetween(line->strHash))
            return {0, EFault::unordered};
        if (line->strHash < strTarget) {
            nLow = line->nNext;
            strBelow = line->strHash;
        } else {
            nHigh = *nStart;
            nAboveStart = *nStart;
            strAbove = line->strHash;
        }
    }
    for (std::uint64_t nStart = nLow; nStart < m_nSize;) {
        const std::optional<SLine> line = LineAt(nStart);
        if (!line)
            return {0, EFault::damaged};
        if (nStart != nAboveStart && !fnBetween(line->strHash))
            return {0, EFault::unordered};
        if (line->strHash > strTarget)
            return {0, EFault::none};
        if (line->strHash == strTarget) {
            // A hash given twice may have been counted in two parts.
            const std::optional<SLine> next =
                line->nNext < m_nSize ? LineAt(line->nNext) : std::nullopt;
            if (line->nNext < m_nSize && !next)
                return {0, EFault::damaged};
            if (next && next->strHash <= strTarget)
                return {0, EFault::unordered};
            return {line->nCount, EFault::none};
        }
        strBelow = line->strHash;
        nStart = line->nNext;
    }
    return {0, EFault::none};
}

SPwnedAnswer CPwnedList::Count(std::string_view strPassword) const {
    const std::unique_ptr<Botan::HashFunction> pSha1 =
        Botan::HashFunction::create_or_throw("SHA-1");
    pSha1->update(reinterpret_cast<const std::uint8_t*>(strPassword.data()), strPassword.size());
    std::array<std::uint8_t, 20> hash{};
    pSha1->final(hash.data());
    return CountOfHash(hash);
}
