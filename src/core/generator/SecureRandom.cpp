// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generator/SecureRandom.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace {

void Wipe(void* pData, std::size_t nSize) {
    // volatile keeps the compiler from dropping a store to memory it sees
    // no later use of.
    auto* p = static_cast<volatile unsigned char*>(pData);
    while (nSize-- > 0)
        *p++ = 0;
}

bool FillFromGetRandom(unsigned char* pBuffer, std::size_t nSize) {
    std::size_t nDone = 0;
    while (nDone < nSize) {
        const ssize_t n = getrandom(pBuffer + nDone, nSize - nDone, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        nDone += static_cast<std::size_t>(n);
    }
    return true;
}

bool FillFromDevice(unsigned char* pBuffer, std::size_t nSize) {
    const int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::size_t nDone = 0;
    while (nDone < nSize) {
        const ssize_t n = read(fd, pBuffer + nDone, nSize - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        nDone += static_cast<std::size_t>(n);
    }
    close(fd);
    return nDone == nSize;
}

} // namespace

CSecureRandom::~CSecureRandom() {
    Wipe(m_abyBuffer, sizeof m_abyBuffer);
}

bool CSecureRandom::Refill() {
    if (FillFromGetRandom(m_abyBuffer, sizeof m_abyBuffer) ||
        FillFromDevice(m_abyBuffer, sizeof m_abyBuffer)) {
        m_nUsed = 0;
        return true;
    }
    return false;
}

bool CSecureRandom::Next64(std::uint64_t& nValue) {
    if (m_nUsed + sizeof nValue > sizeof m_abyBuffer && !Refill())
        return false;
    std::memcpy(&nValue, m_abyBuffer + m_nUsed, sizeof nValue);
    Wipe(m_abyBuffer + m_nUsed, sizeof nValue);
    m_nUsed += sizeof nValue;
    return true;
}

bool CSecureRandom::Below(std::uint64_t nBound, std::uint64_t& nValue) {
    if (nBound == 0)
        return false;
    // Values from the incomplete last block of nBound would be favoured by
    // a plain modulo: they are drawn again.
    const std::uint64_t nLimit = UINT64_MAX - UINT64_MAX % nBound;
    std::uint64_t nRaw = 0;
    do {
        if (!Next64(nRaw))
            return false;
    } while (nRaw >= nLimit);
    nValue = nRaw % nBound;
    return true;
}
