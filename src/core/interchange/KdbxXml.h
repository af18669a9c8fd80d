// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ExpatParser.h"
#include "core/interchange/ImportEntry.h"
#include "core/interchange/KdbxKeys.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CCancelToken;
class CKdbxInnerStream;

// The XML inside a KeePass database, read into the entries it holds. Every
// protected value is unmasked with the inner stream in document order (also
// those of history entries and the recycle bin, which are then dropped), and
// everything held is charged to a memory allowance. Nothing is handed out
// until the whole document has been read and every field reference resolved.
class CKdbxXmlReader {
public:
    enum class EResult { ok, malformed, tooLarge, outOfMemory, cancelled };

    CKdbxXmlReader(CKdbxInnerStream& stream, std::size_t nMemoryAllowed);
    ~CKdbxXmlReader();
    CKdbxXmlReader(const CKdbxXmlReader&) = delete;
    CKdbxXmlReader& operator=(const CKdbxXmlReader&) = delete;

    // Raises the memory allowance by nBytes (the document's own size as it
    // comes, say).
    void Allow(std::size_t nBytes);
    // Reads the document piece by piece, the last one with bFinal; false
    // once it has failed. End tells how it went.
    bool Feed(std::span<const std::uint8_t> xml, bool bFinal);
    EResult End();
    // Reads a whole document: Feed and End.
    EResult Parse(std::span<const std::uint8_t> xml);
    // KDBX 3.1 keeps the SHA-256 of its header in Meta's HeaderHash.
    const std::optional<CKdbxBytes>& HeaderHash() const { return m_headerHash; }
    // Leaves out the recycle bin and resolves field references; after it,
    // HandOut gives the entries in file order. Cancelled as soon as the
    // token given here is set.
    EResult Finish();
    // Charges the copies of the entries that HandOut gives away, which
    // whoever receives them keeps; tooLarge when they do not fit.
    EResult ChargeHandOut();
    void SetCancelToken(const CCancelToken* pCancel) { m_pCancel = pCancel; }
    // Keeps the custom fields for HandOut instead of counting them.
    void SetKeepCustomFields(bool bKeep) { m_bKeepCustomFields = bKeep; }
    void HandOut(const std::function<void(const SImportEntry&)>& fnEntry) const;

    // The most memory the XML parser itself may hold.
    static constexpr std::size_t PARSER_MEMORY = CExpatParser::MEMORY_LIMIT;

    // The most levels a field reference is followed through other references;
    // one that lies deeper stays as it is written.
    static constexpr int MAX_REFERENCE_DEPTH = 10;
    // The most references followed in one document. Each field is resolved
    // once (once for each depth it is met at when its references run deeper
    // than the limit), so a real database needs about one step for each
    // reference it holds; the rest stay as they are written.
    static constexpr std::size_t MAX_REFERENCE_STEPS = std::size_t(1) << 22;
    void SetReferenceSteps(std::size_t nSteps) { m_nStepsLeft = nSteps; }

private:
    enum class EElem {
        other,
        file,
        meta,
        root,
        group,
        groupName,
        groupUuid,
        entry,
        entryUuid,
        history,
        string,
        key,
        value,
        binary,
        times,
        expires,
        tags,
        recycleBinUuid,
        recycleBinEnabled,
        headerHash
    };
    // The standard fields in the order the reference letters T, U, P, A, N
    // name them.
    enum EField { title, userName, password, url, notes, FIELD_COUNT };

    // A group is handed on as the node of the tree the entries share: its
    // name and, once the document is read, the group above it in a path.
    struct SGroup : SImportGroup {
        std::ptrdiff_t nParent = -1; // -1: a group directly in Root
        std::string strUuid;         // 16 bytes
        bool bLeftOut = false;
    };
    struct SEntry {
        std::size_t nGroup = 0;
        std::string strUuid;
        std::array<std::string, FIELD_COUNT> astrField;
        std::string strEMail;
        bool bEMailSet = false;
        bool bOtp = false;
        bool bTags = false;
        bool bExpires = false;
        int nCustom = 0;
        int nAttachments = 0;
        std::vector<std::pair<std::string, std::string>> customFields; // when kept
    };

    friend class CExpatParser; // its handlers call OnStart, OnEnd and OnText

    void OnStart(const char* pszName, const char** ppszAttrs);
    void OnEnd();
    void OnText(const char* pText, std::size_t nLength);
    EElem Classify(const char* pszName) const;
    EElem Parent() const { return m_stack.empty() ? EElem::other : m_stack.back(); }
    bool InLiveEntry() const { return m_nEntry >= 0 && m_nHistoryDepth == 0; }
    bool Charge(std::size_t nBytes);
    // Charges the growth of what texts hold (nAfter above nBefore), or gives
    // back what they let go.
    bool Settle(std::size_t nBefore, std::size_t nAfter);
    // Appends to a text, its growth charged; false once over the allowance.
    template <typename TText> bool Append(TText& text, const char* pText, std::size_t nLength);
    // Room for one more item, the vector's growth charged.
    template <typename TItem> bool Room(std::vector<TItem>& items);
    void ClearScratch();
    void Fail(EResult eResult);
    void EndString();
    // A text with its references replaced: how many levels of references it
    // took, and whether every reference that names an entry was followed.
    struct SResolved {
        std::string strText;
        int nLevels = 0;
        bool bWhole = true;
    };
    bool ResolveText(std::string_view strText, int nDepth, SResolved& out);
    SResolved* ResolvedField(std::size_t nEntry, int nField, int nDepth);
    bool AppendResolved(SResolved& out, std::string_view strText);
    EResult ResolveReferences();
    void BuildGroupTree();

    bool IsCancelled() const;

    CKdbxInnerStream& m_stream;
    std::size_t m_nMemoryLeft;
    const CCancelToken* m_pCancel = nullptr;
    bool m_bKeepCustomFields = false;
    CExpatParser m_parser;
    EResult m_eResult = EResult::ok;

    std::vector<EElem> m_stack;
    std::vector<std::size_t> m_groupStack;
    std::string* m_pText = nullptr; // where the current element's text goes
    bool m_bProtected = false;      // the current element's text is masked
    bool m_bShortText = false;      // ... and only its first SHORT_TEXT bytes matter
    Botan::secure_vector<char> m_protectedText;
    std::size_t m_nDeepest = 0;
    std::string m_strScratch;     // text that is read but not kept
    std::string m_strKey;         // the current String's Key
    std::string m_strValue;       // ... and its Value
    std::ptrdiff_t m_nEntry = -1; // the entry being read
    int m_nHistoryDepth = 0;

    std::string m_strRecycleBinUuid;
    std::string m_strRecycleBinEnabled;
    std::string m_strHeaderHash;
    std::optional<CKdbxBytes> m_headerHash;

    std::vector<SGroup> m_groups;
    std::vector<SEntry> m_entries;
    std::unordered_map<std::string, std::size_t> m_entryByUuid;
    // Fields resolved while references are followed: those whose every
    // reference was followed by entry and field, which hold at any depth
    // that reaches as deep as they went; the others also by the depth left.
    std::unordered_map<std::size_t, SResolved> m_resolvedWhole;
    std::unordered_map<std::size_t, SResolved> m_resolvedAtDepth;
    std::size_t m_nStepsLeft = MAX_REFERENCE_STEPS;
    // The groups once the document is read, shared with the entries handed out.
    std::shared_ptr<const std::vector<SGroup>> m_groupTree;
};
