// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileStamp.h"

#include "core/store/FileIO.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

std::string RealPathOf(const std::string& strPath) {
    char* pszReal = ::realpath(strPath.c_str(), nullptr);
    if (!pszReal)
        return strPath;
    std::string strReal = pszReal;
    std::free(pszReal);
    return strReal;
}

std::int64_t ModifiedNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

} // namespace

CFileStamp::CFileStamp(const std::string& strPath, std::string_view bytes)
    : m_strPath(strPath), m_hash(HashOf(bytes)) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0)
        return;
    m_bKnown = true;
    m_strRealPath = RealPathOf(strPath);
    m_nDevice = st.st_dev;
    m_nInode = st.st_ino;
    m_nSize = st.st_size;
    m_nModifiedNs = ModifiedNs(st);
}

// The hash only has to tell a file that another program changed from the one
// read: no one gains by making a collision on purpose, since whoever can
// write the file needs none. So it is a plain multiply-rotate hash over four
// lanes of 64-bit words, at several bytes a cycle: every open computes it over
// the whole file, where a cryptographic hash cost a third of the open.
CFileStamp::CHash CFileStamp::HashOf(std::string_view bytes) {
    constexpr std::uint64_t PRIME_1 = 0x9E3779B185EBCA87ULL;
    constexpr std::uint64_t PRIME_2 = 0xC2B2AE3D27D4EB4FULL;
    const auto Rotate = [](std::uint64_t n, int nBits) {
        return (n << nBits) | (n >> (64 - nBits));
    };
    const auto Round = [&](std::uint64_t nLane, std::uint64_t nWord) {
        return Rotate(nLane + nWord * PRIME_2, 31) * PRIME_1;
    };
    const auto Word = [](const char* p) {
        std::uint64_t n = 0;
        std::memcpy(&n, p, sizeof n);
        return n;
    };
    std::uint64_t anLane[4] = {PRIME_1 + PRIME_2, PRIME_2, 0, 0 - PRIME_1};
    const char* p = bytes.data();
    std::size_t nLeft = bytes.size();
    for (; nLeft >= 32; p += 32, nLeft -= 32) {
        for (int i = 0; i < 4; ++i)
            anLane[i] = Round(anLane[i], Word(p + 8 * i));
    }
    // The tail: whole words, then the last bytes with their count, so that
    // trailing zeros still change the result.
    for (int i = 0; nLeft >= 8; p += 8, nLeft -= 8, ++i)
        anLane[i] = Round(anLane[i], Word(p));
    std::uint64_t nLast = nLeft;
    for (std::size_t i = 0; i < nLeft; ++i)
        nLast |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * (i + 1));
    anLane[3] = Round(anLane[3], nLast);
    CHash hash{};
    for (int i = 0; i < 4; ++i) {
        // Each part mixes two lanes and the size, so a change in any lane
        // shows in two parts.
        std::uint64_t n = anLane[i] ^ Rotate(anLane[(i + 1) % 4], 17) ^ (bytes.size() * PRIME_1);
        n ^= n >> 33;
        n *= PRIME_2;
        n ^= n >> 29;
        n *= PRIME_1;
        n ^= n >> 32;
        std::memcpy(hash.data() + 8 * i, &n, sizeof n);
    }
    return hash;
}

bool CFileStamp::SameIdentity(const struct stat& st) const {
    return st.st_dev == m_nDevice && st.st_ino == m_nInode && st.st_size == m_nSize &&
           ModifiedNs(st) == m_nModifiedNs;
}

bool CFileStamp::IsFor(const std::string& strPath) const {
    return m_bKnown && RealPathOf(strPath) == m_strRealPath;
}

bool CFileStamp::HasChangedOnDisk() const {
    struct stat st {};
    if (!m_bKnown || ::stat(m_strPath.c_str(), &st) != 0)
        return false;
    if (SameIdentity(st))
        return false;
    if (st.st_size != m_nSize)
        return true;
    std::string strBytes;
    // A file that can no longer be read cannot be compared: it is taken as
    // changed, so the user decides.
    if (ReadWholeFile(m_strPath, strBytes) != EFileError::none)
        return true;
    return HashOf(strBytes) != m_hash;
}
