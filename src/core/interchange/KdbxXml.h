// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"
#include "core/interchange/KdbxKeys.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
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
    void SetCancelToken(const CCancelToken* pCancel) { m_pCancel = pCancel; }
    void HandOut(const std::function<void(const SImportEntry&)>& fnEntry) const;

    // The most levels a field reference is followed through other references.
    static constexpr int MAX_REFERENCE_DEPTH = 10;

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

    struct SGroup {
        std::ptrdiff_t nParent = -1; // -1: a group directly in Root
        std::string strName;
        std::string strUuid; // 16 bytes
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
    };

    static void StartElement(void* pUser, const char* pszName, const char** ppszAttrs);
    static void EndElement(void* pUser, const char* pszName);
    static void Text(void* pUser, const char* pText, int nLength);
    static void Doctype(void* pUser, const char*, const char*, const char*, int);

    void OnStart(const char* pszName, const char** ppszAttrs);
    void OnEnd();
    void OnText(const char* pText, std::size_t nLength);
    EElem Classify(const char* pszName) const;
    EElem Parent() const { return m_stack.empty() ? EElem::other : m_stack.back(); }
    bool InLiveEntry() const { return m_nEntry >= 0 && m_nHistoryDepth == 0; }
    bool Charge(std::size_t nBytes);
    void ClearScratch();
    void Fail(EResult eResult);
    void EndString();
    bool Resolve(const std::string& strText, int nDepth, std::string& strOut);
    const std::vector<std::string>& PathOf(std::size_t nGroup) const;

    bool IsCancelled() const;

    CKdbxInnerStream& m_stream;
    std::size_t m_nMemoryLeft;
    const CCancelToken* m_pCancel = nullptr;
    void* m_parser = nullptr;
    EResult m_eResult = EResult::ok;

    std::vector<EElem> m_stack;
    std::vector<std::size_t> m_groupStack;
    std::string* m_pText = nullptr; // where the current element's text goes
    bool m_bProtected = false;      // the current element's text is masked
    Botan::secure_vector<char> m_protectedText;
    std::size_t m_nProtectedCharged = 0;
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
    mutable std::size_t m_nPathGroup = ~std::size_t(0);
    mutable std::vector<std::string> m_astrPath;
};
