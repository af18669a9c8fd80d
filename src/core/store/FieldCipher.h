// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// The key string that derives the field key X from a file's stored KEY check value.
inline constexpr const char* FIELD_KEY_STRING = "5820394716253048";
// The key string under which a KEY becomes its check value.
inline constexpr const char* KEY_CHECK_KEY_STRING = "6402918375102946";

// The text-in, text-out block function that protects password files. It only
// ever runs forwards: KEYs are compared by their check values, and fields are
// enciphered by XOR with a key that this class derives.
class CFieldCipher {
public:
    CFieldCipher();
    virtual ~CFieldCipher();

    void SetKeyString(const std::string& strKey);

    // Enciphers one 8-byte block (longer input is cut, shorter padded with
    // blanks) and returns |y| followed by |z| in decimal.
    std::string EncipherBlock(const std::string& strBlock);

    // Enciphers a text block by block. A final tail block is always added,
    // even when it is empty, so an 8-byte text yields two block results.
    std::string EncipherString(const std::string& strText);

    // The decimal reading of four bytes written as signed numbers one after
    // the other ("abcd" reads 979899100); arithmetic wraps in 32 bits.
    static std::uint32_t TextToWord(const char* pText, std::size_t nLength);

    // The two halves of the last block result.
    std::string m_strLeft;
    std::string m_strRight;

private:
    std::string m_strKeyString;
    std::uint32_t m_k[4] = {0, 0, 0, 0};
};

// Convenience for the two derived values every load, save and KEY check needs.
std::string MakeKeyCheckValue(const std::string& strKey);
std::string MakeFieldKey(const std::string& strKeyCheckValue);
