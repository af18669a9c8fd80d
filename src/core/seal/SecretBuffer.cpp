// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/SecretBuffer.h"

#include <cstring>
#include <sodium.h>

CSecretBuffer::CSecretBuffer(std::size_t nSize)
    : m_pBytes(nSize ? new unsigned char[nSize]() : nullptr), m_nSize(nSize) {
    // A refused lock (a tight RLIMIT_MEMLOCK) leaves the bytes swappable but
    // still wiped on release; the program works on either way.
    if (m_nSize)
        (void)sodium_mlock(m_pBytes.get(), m_nSize);
}

CSecretBuffer::CSecretBuffer(std::string_view bytes) : CSecretBuffer(bytes.size()) {
    if (m_nSize)
        std::memcpy(m_pBytes.get(), bytes.data(), m_nSize);
}

CSecretBuffer::~CSecretBuffer() {
    Clear();
}

CSecretBuffer::CSecretBuffer(CSecretBuffer&& other) noexcept
    : m_pBytes(std::move(other.m_pBytes)), m_nSize(other.m_nSize) {
    other.m_nSize = 0;
}

CSecretBuffer& CSecretBuffer::operator=(CSecretBuffer&& other) noexcept {
    if (this != &other) {
        Clear();
        m_pBytes = std::move(other.m_pBytes);
        m_nSize = other.m_nSize;
        other.m_nSize = 0;
    }
    return *this;
}

std::string_view CSecretBuffer::View() const {
    return {reinterpret_cast<const char*>(m_pBytes.get()), m_nSize};
}

void CSecretBuffer::Clear() {
    if (m_pBytes) {
        // Unlocking wipes the bytes first.
        sodium_munlock(m_pBytes.get(), m_nSize);
        sodium_memzero(m_pBytes.get(), m_nSize);
    }
    m_pBytes.reset();
    m_nSize = 0;
}

void CSecretBuffer::Wipe(std::string& str) {
    // The whole capacity: a string that shrank keeps the old bytes behind
    // its end.
    str.resize(str.capacity());
    sodium_memzero(str.data(), str.size());
    str.clear();
}

bool CSecretBuffer::SameBytes(std::string_view first, std::string_view second) {
    // Their hashes are compared, which are of one length whatever the
    // secrets' lengths; they are wiped like the secrets.
    unsigned char firstHash[crypto_generichash_BYTES];
    unsigned char secondHash[crypto_generichash_BYTES];
    crypto_generichash(firstHash, sizeof firstHash,
                       reinterpret_cast<const unsigned char*>(first.data()), first.size(), nullptr,
                       0);
    crypto_generichash(secondHash, sizeof secondHash,
                       reinterpret_cast<const unsigned char*>(second.data()), second.size(),
                       nullptr, 0);
    const bool bSame = sodium_memcmp(firstHash, secondHash, sizeof firstHash) == 0;
    sodium_memzero(firstHash, sizeof firstHash);
    sodium_memzero(secondHash, sizeof secondHash);
    return bSame;
}
