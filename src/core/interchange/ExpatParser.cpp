// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/ExpatParser.h"

#include <expat.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

// A block of the parser's carries its size and the parser it is charged to.
struct alignas(std::max_align_t) SParserBlock {
    std::size_t nSize;
    CExpatParser* pParser;
};
thread_local CExpatParser* t_pParsing = nullptr;

class CParsing {
public:
    explicit CParsing(CExpatParser* pParser) : m_pOuter(t_pParsing) { t_pParsing = pParser; }
    ~CParsing() { t_pParsing = m_pOuter; }
    CParsing(const CParsing&) = delete;
    CParsing& operator=(const CParsing&) = delete;

private:
    CExpatParser* m_pOuter;
};

} // namespace

CExpatParser::CExpatParser(std::size_t& nMemoryLeft, void* pUser, const SHandlers& handlers,
                           std::size_t nLimit)
    : m_nMemoryLeft(nMemoryLeft), m_pUser(pUser), m_handlers(handlers), m_nLimit(nLimit) {}

CExpatParser::~CExpatParser() {
    if (m_parser)
        XML_ParserFree(static_cast<XML_Parser>(m_parser));
}

bool CExpatParser::Charge(std::size_t nBytes) {
    if (nBytes > m_nLimit - m_nHeld || nBytes > m_nMemoryLeft) {
        m_bRefused = true;
        return false;
    }
    m_nHeld += nBytes;
    m_nMemoryLeft -= nBytes;
    return true;
}

void CExpatParser::Give(std::size_t nBytes) {
    m_nHeld -= nBytes;
    m_nMemoryLeft += nBytes;
}

void* CExpatParser::Malloc(std::size_t nSize) {
    CExpatParser* pParser = t_pParsing;
    if (!pParser || !pParser->Charge(nSize))
        return nullptr;
    auto* pBlock = static_cast<SParserBlock*>(std::malloc(sizeof(SParserBlock) + nSize));
    if (!pBlock) {
        pParser->Give(nSize);
        return nullptr;
    }
    pBlock->nSize = nSize;
    pBlock->pParser = pParser;
    return pBlock + 1;
}

void* CExpatParser::Realloc(void* p, std::size_t nSize) {
    if (!p)
        return Malloc(nSize);
    auto* pBlock = static_cast<SParserBlock*>(p) - 1;
    CExpatParser* pParser = pBlock->pParser;
    const std::size_t nOld = pBlock->nSize;
    // A block that moves is held twice for a moment.
    if (!pParser->Charge(nSize))
        return nullptr;
    auto* pNew = static_cast<SParserBlock*>(std::realloc(pBlock, sizeof(SParserBlock) + nSize));
    if (!pNew) {
        pParser->Give(nSize);
        return nullptr;
    }
    pParser->Give(nOld);
    pNew->nSize = nSize;
    return pNew + 1;
}

void CExpatParser::Free(void* p) {
    if (!p)
        return;
    auto* pBlock = static_cast<SParserBlock*>(p) - 1;
    pBlock->pParser->Give(pBlock->nSize);
    std::free(pBlock);
}

// A database declares no document type. The handler runs inside Feed.
void CExpatParser::Doctype(void*, const char*, const char*, const char*, int) {
    t_pParsing->Stop();
}

void CExpatParser::Stop() {
    if (m_parser)
        XML_StopParser(static_cast<XML_Parser>(m_parser), XML_FALSE);
}

bool CExpatParser::Create() {
    static const XML_Memory_Handling_Suite HEAP = {Malloc, Realloc, Free};
    XML_Parser parser = XML_ParserCreate_MM("UTF-8", &HEAP, nullptr);
    if (!parser)
        return false;
    m_parser = parser;
    XML_SetUserData(parser, m_pUser);
    XML_SetElementHandler(parser, m_handlers.pfnStart, m_handlers.pfnEnd);
    XML_SetCharacterDataHandler(parser, m_handlers.pfnText);
    XML_SetStartDoctypeDeclHandler(parser, Doctype);
    return true;
}

CExpatParser::EResult CExpatParser::Feed(std::span<const std::uint8_t> xml, bool bFinal) {
    try {
        const CParsing parsing(this);
        if (!m_parser && !Create())
            return NoMemory();
        auto parser = static_cast<XML_Parser>(m_parser);
        // In pieces whose length fits expat's int.
        constexpr std::size_t CHUNK = std::size_t(1) << 20;
        std::size_t nDone = 0;
        do {
            const std::size_t n = std::min(CHUNK, xml.size() - nDone);
            const bool bLast = bFinal && nDone + n == xml.size();
            if (XML_Parse(parser, reinterpret_cast<const char*>(xml.data() + nDone),
                          static_cast<int>(n), bLast ? XML_TRUE : XML_FALSE) != XML_STATUS_OK)
                return XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY ? NoMemory()
                                                                       : EResult::malformed;
            nDone += n;
        } while (nDone < xml.size());
    } catch (const std::bad_alloc&) {
        return EResult::outOfMemory;
    }
    return EResult::ok;
}
