// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Bytes that must never reach the disk or outlive their use: a KEY, a key
// derived from it. The pages are locked against swapping while the buffer
// lives, and the bytes are wiped before the memory is given back.
class CSecretBuffer {
public:
    CSecretBuffer() = default;
    explicit CSecretBuffer(std::size_t nSize);
    explicit CSecretBuffer(std::string_view bytes);
    ~CSecretBuffer();
    CSecretBuffer(const CSecretBuffer&) = delete;
    CSecretBuffer& operator=(const CSecretBuffer&) = delete;
    CSecretBuffer(CSecretBuffer&& other) noexcept;
    CSecretBuffer& operator=(CSecretBuffer&& other) noexcept;

    unsigned char* Data() { return m_pBytes.get(); }
    const unsigned char* Data() const { return m_pBytes.get(); }
    std::size_t Size() const { return m_nSize; }
    bool Empty() const { return m_nSize == 0; }
    std::string_view View() const;
    // Wipes and releases the bytes.
    void Clear();
    // Wipes a string that held a secret (a typed KEY, a plain archive) and
    // empties it.
    static void Wipe(std::string& str);
    // Whether two secrets are the same bytes, in a time that tells nothing
    // of where they differ.
    static bool SameBytes(std::string_view first, std::string_view second);

private:
    std::unique_ptr<unsigned char[]> m_pBytes;
    std::size_t m_nSize = 0;
};
