// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/PasswordInfo.h"

#include "core/seal/HeapScrub.h"
#include "core/store/Archive.h"

#include <cstring>

CPasswordInfo::CPasswordInfo(const CPasswordInfo& other)
    : m_bGroup(other.m_bGroup), m_nEntryId(other.m_nEntryId) {
    if (other.m_pBlock) {
        const std::size_t nSize = other.Offset(TEXT_COUNT);
        m_pBlock = std::make_unique_for_overwrite<char[]>(nSize);
        std::memcpy(m_pBlock.get(), other.m_pBlock.get(), nSize);
    }
}

CPasswordInfo& CPasswordInfo::operator=(const CPasswordInfo& other) {
    if (this != &other)
        *this = CPasswordInfo(other);
    return *this;
}

std::uint32_t CPasswordInfo::Offset(int i) const {
    if (!m_pBlock)
        return 0;
    std::uint32_t nOffset = 0;
    std::memcpy(&nOffset, m_pBlock.get() + sizeof(std::uint32_t) * static_cast<std::size_t>(i),
                sizeof nOffset);
    return nOffset;
}

std::string_view CPasswordInfo::TextView(EText eText) const {
    if (!m_pBlock)
        return {};
    const std::uint32_t nStart = Offset(eText);
    return {m_pBlock.get() + nStart, Offset(eText + 1) - nStart};
}

void CPasswordInfo::Pack(const std::array<std::string_view, TEXT_COUNT>& texts) {
    std::size_t nSize = HEADER_BYTES;
    for (const std::string_view text : texts)
        nSize += text.size();
    if (nSize == HEADER_BYTES) {
        m_pBlock.reset();
        return;
    }
    // A file holds at most 1 GB, so every offset fits 32 bits.
    auto pBlock = std::make_unique_for_overwrite<char[]>(nSize);
    COffsets offsets{};
    std::uint32_t nAt = HEADER_BYTES;
    for (int i = 0; i < TEXT_COUNT; ++i) {
        offsets[static_cast<std::size_t>(i)] = nAt;
        if (!texts[static_cast<std::size_t>(i)].empty())
            std::memcpy(pBlock.get() + nAt, texts[static_cast<std::size_t>(i)].data(),
                        texts[static_cast<std::size_t>(i)].size());
        nAt += static_cast<std::uint32_t>(texts[static_cast<std::size_t>(i)].size());
    }
    offsets[TEXT_COUNT] = nAt;
    std::memcpy(pBlock.get(), offsets.data(), HEADER_BYTES);
    m_pBlock = std::move(pBlock);
}

void CPasswordInfo::SetText(EText eText, std::string_view strText) {
    // The new block is built before the old one goes: strText may lie in it.
    std::array<std::string_view, TEXT_COUNT> texts;
    for (int i = 0; i < TEXT_COUNT; ++i)
        texts[static_cast<std::size_t>(i)] = TextView(static_cast<EText>(i));
    texts[eText] = strText;
    CPasswordInfo packed;
    packed.Pack(texts);
    m_pBlock = std::move(packed.m_pBlock);
}

void CPasswordInfo::SetTexts(const std::array<std::string_view, TEXT_COUNT>& texts) {
    // The texts may lie in the old block.
    CPasswordInfo packed;
    packed.Pack(texts);
    m_pBlock = std::move(packed.m_pBlock);
}

void CPasswordInfo::Wipe() {
    if (m_pBlock)
        ScrubBytes(m_pBlock.get(), Offset(TEXT_COUNT));
    m_pBlock.reset();
}

bool CPasswordInfo::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        for (int i = 0; i < TEXT_COUNT; ++i) {
            if (i == group)
                ar.WriteInt32(m_bGroup);
            ar.WriteText(TextView(static_cast<EText>(i)));
        }
        return true;
    }
    // Views into the archive's bytes: the texts are copied once, into the
    // record's block. Only 16-bit texts need room of their own.
    std::array<std::string, TEXT_COUNT> converted;
    std::array<std::string_view, TEXT_COUNT> views;
    for (int i = 0; i < TEXT_COUNT; ++i) {
        if (i == group && !ar.ReadInt32(m_bGroup))
            return false;
        if (!ar.ReadTextView(views[static_cast<std::size_t>(i)],
                             converted[static_cast<std::size_t>(i)]))
            return false;
    }
    Pack(views);
    return true;
}
