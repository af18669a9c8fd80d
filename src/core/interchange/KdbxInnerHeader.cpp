// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxInnerHeader.h"

#include <botan/system_rng.h>

#include <algorithm>

namespace {

enum EInnerField : std::uint8_t { innerEnd = 0, innerStreamId = 1, innerStreamKey = 2, binary = 3 };
// A binary's flags: the first byte of its field.
constexpr std::uint8_t BINARY_PROTECTED = 0x01;
// A field's id and its size.
constexpr std::size_t FIELD_HEAD = 5;
// A stream id or key is a few bytes; anything large is damage.
constexpr std::size_t MAX_SMALL_FIELD = 4096;
constexpr std::size_t INNER_KEY_SIZE = 64;

std::uint64_t GetLE(std::span<const std::uint8_t> bytes) {
    std::uint64_t n = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        n = (n << 8) | bytes[i];
    return n;
}

void PutLE(CKdbxSecret& out, std::uint64_t nValue, std::size_t nSize) {
    for (std::size_t i = 0; i < nSize; ++i)
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
}

void PutHead(CKdbxSecret& out, std::uint8_t nId, std::size_t nSize) {
    out.push_back(nId);
    PutLE(out, nSize, 4);
}

} // namespace

void CKdbxInnerHeader::KeepBinaries(std::vector<SKdbxBinary>& binaries, std::size_t& nMemoryLeft) {
    m_pBinaries = &binaries;
    m_pnMemoryLeft = &nMemoryLeft;
}

bool CKdbxInnerHeader::Take(std::span<const std::uint8_t>& chunk) {
    while (!chunk.empty() && !m_bRead) {
        if (m_head.size() < FIELD_HEAD) {
            const std::size_t n = std::min(FIELD_HEAD - m_head.size(), chunk.size());
            m_head.insert(m_head.end(), chunk.begin(), chunk.begin() + n);
            chunk = chunk.subspan(n);
            if (m_head.size() == FIELD_HEAD && !StartField())
                return false;
        } else {
            const std::size_t n = std::min(m_nLeft, chunk.size());
            if (m_head[0] != binary || m_pBinaries)
                m_data.insert(m_data.end(), chunk.begin(), chunk.begin() + n);
            chunk = chunk.subspan(n);
            m_nLeft -= n;
        }
        if (m_head.size() == FIELD_HEAD && m_nLeft == 0 && !EndField())
            return false;
    }
    return true;
}

bool CKdbxInnerHeader::StartField() {
    m_nLeft = static_cast<std::size_t>(GetLE(std::span(m_head).subspan(1, 4)));
    if (m_head[0] != binary)
        return m_nLeft <= MAX_SMALL_FIELD || Fail(EKdbxFailure::damaged);
    if (!m_pBinaries)
        return true;
    // A kept binary is charged before it is held.
    if (m_nLeft == 0)
        return Fail(EKdbxFailure::damaged); // no flags
    if (m_nLeft > *m_pnMemoryLeft)
        return Fail(EKdbxFailure::tooLarge);
    *m_pnMemoryLeft -= m_nLeft;
    m_data.reserve(m_nLeft);
    return true;
}

bool CKdbxInnerHeader::EndField() {
    const std::uint8_t nId = m_head[0];
    m_head.clear();
    switch (nId) {
    case innerStreamId:
        if (m_data.size() == 4)
            m_nStreamId = static_cast<std::uint32_t>(GetLE(m_data));
        break;
    case innerStreamKey:
        m_key = m_data;
        break;
    case binary:
        if (m_pBinaries) {
            // The data moves on without its flags byte: it is charged once.
            SKdbxBinary& item = m_pBinaries->emplace_back();
            item.bProtected = (m_data[0] & BINARY_PROTECTED) != 0;
            m_data.erase(m_data.begin());
            item.data = std::move(m_data);
        }
        break;
    default:
        break;
    }
    CKdbxSecret().swap(m_data);
    if (nId != innerEnd)
        return true;
    if (!m_nStreamId || m_key.empty())
        return Fail(EKdbxFailure::damaged);
    if (!m_stream.Init(*m_nStreamId, m_key))
        return Fail(EKdbxFailure::unsupported);
    m_bRead = true;
    return true;
}

bool CKdbxInnerHeader::Fail(EKdbxFailure eFailure) {
    m_eFailure = eFailure;
    return false;
}

bool KdbxWriteInnerHeader(CKdbxInnerStream& stream, std::uint32_t nStream,
                          std::span<const SKdbxBinary> binaries, CKdbxSecret& plain) {
    CKdbxSecret key(INNER_KEY_SIZE);
    Botan::system_rng().randomize(key.data(), key.size());
    if (!stream.Init(nStream, key))
        return false;
    PutHead(plain, innerStreamId, 4);
    PutLE(plain, nStream, 4);
    PutHead(plain, innerStreamKey, key.size());
    plain.insert(plain.end(), key.begin(), key.end());
    for (const SKdbxBinary& item : binaries) {
        PutHead(plain, binary, item.data.size() + 1);
        plain.push_back(item.bProtected ? BINARY_PROTECTED : 0);
        plain.insert(plain.end(), item.data.begin(), item.data.end());
    }
    PutHead(plain, innerEnd, 0);
    return true;
}
