// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

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

    // False with strError set when the file cannot be read, is empty, or
    // does not start with lines of hash and count in hash order (the list
    // ordered by count cannot be searched).
    bool Open(const std::string& strPath, std::string& strError);

    // How often the password (UTF-8) was seen; 0 when it is not listed;
    // none when the file cannot be read or a line is damaged.
    std::optional<std::uint64_t> Count(std::string_view strPassword) const;
    std::optional<std::uint64_t> CountOfHash(const std::array<std::uint8_t, 20>& hash) const;

private:
    struct SLine {
        std::string strHash; // 40 upper-case hexadecimal digits
        std::uint64_t nCount = 0;
        std::uint64_t nNext = 0; // where the next line starts
    };
    // The line that starts at nStart.
    std::optional<SLine> LineAt(std::uint64_t nStart) const;
    // The first line start at or after nOffset, or the file's size.
    std::optional<std::uint64_t> LineStartFrom(std::uint64_t nOffset) const;

    int m_fd = -1;
    std::uint64_t m_nSize = 0;
};
