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
class CCodePage {
public:
    // Windows-1252 unless a setting chooses another page.
    static const CCodePage& Default();
    // "windows-1252", "windows-1250", "windows-1251" or "iso-8859-15"
    // (case ignored); nullptr for any other name.
    static const CCodePage* ByName(std::string_view strName);
    static std::vector<std::string> Names();

    const std::string& Name() const { return m_strName; }

    char32_t ToUnicode(unsigned char nByte) const;
    // False when the page has no byte for the character.
    bool FromUnicode(char32_t nChar, unsigned char& nByte) const;
    unsigned char ToLower(unsigned char nByte) const;

    // Always succeeds: every byte has a character.
    std::string ToUtf8(std::string_view strBytes) const;

    // Converts UTF-8 to the page. Fails on malformed UTF-8 and on a character
    // the page cannot hold; pBadChar then receives that character (or U+FFFD
    // for malformed input) so the caller can name it. Nothing is replaced.
    bool FromUtf8(std::string_view strUtf8, std::string& strOut,
                  char32_t* pBadChar = nullptr) const;

    // Converts little-endian UTF-16 code units; fails like FromUtf8.
    bool FromUtf16(const std::uint16_t* pUnits, std::size_t nUnits, std::string& strOut,
                   char32_t* pBadChar = nullptr) const;

private:
    CCodePage(std::string strName, const std::uint16_t* pUpper, const std::uint8_t* pLower);
    bool Append(char32_t nChar, std::string& strOut, char32_t* pBadChar) const;

    std::string m_strName;
    const std::uint16_t* m_pUpper; // 0x80..0xFF to Unicode
    const std::uint8_t* m_pLower;  // lower-case byte of 0x80..0xFF
};

// Appends nChar to strOut as UTF-8.
void AppendUtf8(char32_t nChar, std::string& strOut);
