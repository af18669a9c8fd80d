// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A single-byte code page of stored texts. Stored bytes never change; texts
// are converted only where they meet the user (widgets, CLI output) or where
// a file holds them as UTF-16.
//
// One page is no single-byte page: the texts of a KeePass database are
// UTF-8 and stay so, and Utf8() stands for that. Its per-byte functions know
// only ASCII (a byte from 0x80 on is part of a character, not one), and the
// texts of such a document are sorted and searched by character (see
// TextCompare.h and core/tree/SearchFold.h), never byte by byte.
class CCodePage {
public:
    // Windows-1252 unless a setting chooses another page.
    static const CCodePage& Default();
    // The texts of a KeePass database. Neither Names() nor ByName() offer
    // it: a password file never holds UTF-8.
    static const CCodePage& Utf8();
    // "windows-1252", "windows-1250", "windows-1251" or "iso-8859-15"
    // (case ignored); nullptr for any other name.
    static const CCodePage* ByName(std::string_view strName);
    static std::vector<std::string> Names();

    const std::string& Name() const { return m_strName; }
    bool IsUtf8() const { return m_pUpper == nullptr; }

    // On the UTF-8 page a byte from 0x80 on is U+FFFD, FromUnicode holds
    // only ASCII and ToLower lowers only A-Z.
    char32_t ToUnicode(unsigned char nByte) const;
    // False when the page has no byte for the character.
    bool FromUnicode(char32_t nChar, unsigned char& nByte) const;
    unsigned char ToLower(unsigned char nByte) const;

    // Always succeeds: every byte has a character. UTF-8 comes back as it
    // is, except that each ill-formed part of it becomes U+FFFD.
    std::string ToUtf8(std::string_view strBytes) const;

    // Converts UTF-8 to the page. Fails on malformed UTF-8 and on a character
    // the page cannot hold; pBadChar then receives that character (or U+FFFD
    // for malformed input) so the caller can name it. Nothing is replaced.
    bool FromUtf8(std::string_view strUtf8, std::string& strOut,
                  char32_t* pBadChar = nullptr) const;

    // Converts little-endian UTF-16 code units; fails like FromUtf8 (half a
    // surrogate pair is malformed).
    bool FromUtf16(const std::uint16_t* pUnits, std::size_t nUnits, std::string& strOut,
                   char32_t* pBadChar = nullptr) const;

private:
    // pUpper and pLower null: the UTF-8 page.
    CCodePage(std::string strName, const std::uint16_t* pUpper, const std::uint8_t* pLower);
    bool Append(char32_t nChar, std::string& strOut, char32_t* pBadChar) const;

    std::string m_strName;
    const std::uint16_t* m_pUpper; // 0x80..0xFF to Unicode; null for UTF-8
    const std::uint8_t* m_pLower;  // lower-case byte of 0x80..0xFF
};

// Appends nChar to strOut as UTF-8.
void AppendUtf8(char32_t nChar, std::string& strOut);
