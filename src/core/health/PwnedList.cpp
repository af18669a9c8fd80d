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
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        strError = strPath + " cannot be read.";
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
    for (; p < strLine.size() && std::isdigit(static_cast<unsigned char>(strLine[p])); ++p)
        line.nCount = line.nCount * 10 + static_cast<std::uint64_t>(strLine[p] - '0');
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

std::optional<std::uint64_t>
CPwnedList::CountOfHash(const std::array<std::uint8_t, 20>& hash) const {
    const std::string strTarget = HexUpper(hash);
    // Every line before nLow holds a smaller hash; every line that starts at
    // or after nHigh a hash at least as large.
    std::uint64_t nLow = 0;
    std::uint64_t nHigh = m_nSize;
    while (nHigh - nLow > SCAN_SPAN) {
        const std::uint64_t nMiddle = nLow + (nHigh - nLow) / 2;
        const std::optional<std::uint64_t> nStart = LineStartFrom(nMiddle);
        if (!nStart)
            return std::nullopt;
        if (*nStart >= nHigh) {
            nHigh = nMiddle;
            continue;
        }
        const std::optional<SLine> line = LineAt(*nStart);
        if (!line)
            return std::nullopt;
        if (line->strHash < strTarget)
            nLow = line->nNext;
        else
            nHigh = *nStart;
    }
    for (std::uint64_t nStart = nLow; nStart < m_nSize;) {
        const std::optional<SLine> line = LineAt(nStart);
        if (!line)
            return std::nullopt;
        if (line->strHash >= strTarget)
            return line->strHash == strTarget ? line->nCount : 0;
        nStart = line->nNext;
    }
    return 0;
}

std::optional<std::uint64_t> CPwnedList::Count(std::string_view strPassword) const {
    const std::unique_ptr<Botan::HashFunction> pSha1 =
        Botan::HashFunction::create_or_throw("SHA-1");
    pSha1->update(reinterpret_cast<const std::uint8_t*>(strPassword.data()), strPassword.size());
    std::array<std::uint8_t, 20> hash{};
    pSha1->final(hash.data());
    return CountOfHash(hash);
}
