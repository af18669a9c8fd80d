// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The answer of one look-up: how often a hash was seen (0: not listed), or
// why the list gave none. A list must be in strict hash order for a binary
// search to find anything: a line out of order (or a hash given twice) met
// by a search makes that search fail instead of answering "not listed".
struct SPwnedAnswer {
    enum class EFault { none, damaged, unordered };
    std::uint64_t nCount = 0;
    EFault eFault = EFault::none;

    bool IsAnswer() const { return eFault == EFault::none; }
};

// A downloaded copy of the list of passwords seen in breaches: text lines
// "SHA1:COUNT" with the SHA-1 in hexadecimal, ordered by hash, tens of
// gigabytes. Looked up by binary search over the file, which is never
// loaded; nothing is sent anywhere.
class CPwnedList {
public:
    CPwnedList() = default;
    ~CPwnedList();
    CPwnedList(const CPwnedList&) = delete;
    CPwnedList& operator=(const CPwnedList&) = delete;

    // False with strError set when the file cannot be read, is no regular
    // file (a pipe or a device cannot be searched, and opening a pipe would
    // wait for a writer), is empty, or does not start with lines of hash and
    // count in hash order (the list ordered by count cannot be searched).
    bool Open(const std::string& strPath, std::string& strError);

    // How often the password (UTF-8) was seen. Every line the search reads
    // is checked against the order the lines read before it imply.
    SPwnedAnswer Count(std::string_view strPassword) const;
    SPwnedAnswer CountOfHash(const std::array<std::uint8_t, 20>& hash) const;

private:
    struct SLine {
        std::string strHash; // 40 upper-case hexadecimal digits
        std::uint64_t nCount = 0;
        std::uint64_t nNext = 0; // where the next line starts
    };
    // The line that starts at nStart; none when it is damaged (a count too
    // large for 64 bits included).
    std::optional<SLine> LineAt(std::uint64_t nStart) const;
    // The first line start at or after nOffset, or the file's size.
    std::optional<std::uint64_t> LineStartFrom(std::uint64_t nOffset) const;

    int m_fd = -1;
    std::uint64_t m_nSize = 0;
};
