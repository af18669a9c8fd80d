// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The expat parser a KeePass XML reader feeds piece by piece. Every block
// the parser allocates is charged to the reader's memory allowance while it
// is held, and the parser as a whole may hold at most its own limit: its
// buffer for one token and its pools. Text comes from it in pieces and a
// database's names and attribute values are short, so only a document that
// is no database's needs more. A document type is refused, which keeps
// entity expansion out.
class CExpatParser {
public:
    enum class EResult { ok, malformed, tooLarge, outOfMemory };
    struct SHandlers {
        void (*pfnStart)(void* pUser, const char* pszName, const char** ppszAttrs);
        void (*pfnEnd)(void* pUser, const char* pszName);
        void (*pfnText)(void* pUser, const char* pText, int nLength);
    };

    static constexpr std::size_t MEMORY_LIMIT = std::size_t(16) << 20;

    // nMemoryLeft is the reader's allowance, which must outlive the parser;
    // the handlers are called with pUser.
    CExpatParser(std::size_t& nMemoryLeft, void* pUser, const SHandlers& handlers,
                 std::size_t nLimit = MEMORY_LIMIT);
    // The handlers call the reader's OnStart(name, attributes), OnEnd() and
    // OnText(text, length) (the reader befriends this class).
    template <typename TReader>
    CExpatParser(std::size_t& nMemoryLeft, TReader* pReader, std::size_t nLimit = MEMORY_LIMIT)
        : CExpatParser(nMemoryLeft, pReader, HandlersOf<TReader>(), nLimit) {}
    ~CExpatParser();
    CExpatParser(const CExpatParser&) = delete;
    CExpatParser& operator=(const CExpatParser&) = delete;

    // Parses the next piece of the document, the last one with bFinal (the
    // parser is made with the first). A memory failure is tooLarge when the
    // allowance or the limit refused a block; a parse a handler stopped is
    // malformed.
    EResult Feed(std::span<const std::uint8_t> xml, bool bFinal);
    // Stops the parse from inside a handler.
    void Stop();
    // Whether anything was fed.
    bool IsStarted() const { return m_parser != nullptr; }
    // What the parser holds now.
    std::size_t Held() const { return m_nHeld; }

    // The same four outcomes in a reader's own terms.
    template <typename TResult> static TResult As(EResult eResult) {
        switch (eResult) {
        case EResult::ok:
            return TResult::ok;
        case EResult::malformed:
            break;
        case EResult::tooLarge:
            return TResult::tooLarge;
        case EResult::outOfMemory:
            return TResult::outOfMemory;
        }
        return TResult::malformed;
    }

private:
    template <typename TReader> static SHandlers HandlersOf() {
        return {[](void* pUser, const char* pszName, const char** ppszAttrs) {
                    static_cast<TReader*>(pUser)->OnStart(pszName, ppszAttrs);
                },
                [](void* pUser, const char*) { static_cast<TReader*>(pUser)->OnEnd(); },
                [](void* pUser, const char* pText, int nLength) {
                    static_cast<TReader*>(pUser)->OnText(pText, static_cast<std::size_t>(nLength));
                }};
    }
    // expat's memory suite: a block is charged to the parser that asked
    // for it, which is the one whose Feed is at work.
    static void* Malloc(std::size_t nSize);
    static void* Realloc(void* p, std::size_t nSize);
    static void Free(void* p);
    static void Doctype(void* pUser, const char*, const char*, const char*, int);
    bool Charge(std::size_t nBytes);
    void Give(std::size_t nBytes);
    bool Create();
    EResult NoMemory() const { return m_bRefused ? EResult::tooLarge : EResult::outOfMemory; }

    std::size_t& m_nMemoryLeft;
    void* m_pUser;
    SHandlers m_handlers;
    std::size_t m_nLimit;
    std::size_t m_nHeld = 0;
    bool m_bRefused = false; // a block was refused by the allowance or the limit
    void* m_parser = nullptr;
};
