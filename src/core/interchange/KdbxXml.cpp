// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxXml.h"

#include "core/base/CancelToken.h"
#include "core/interchange/KdbxCipher.h"

#include <botan/base64.h>
#include <botan/exceptn.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <deque>
#include <new>

namespace {

// What a record costs beside its slot in a vector and its texts: the
// allocator's bookkeeping of the texts' blocks.
constexpr std::size_t RECORD_OVERHEAD = 128;

// Of a UUID, a flag or a hash only this many bytes are kept: no valid one
// is longer, so a longer one stays invalid.
constexpr std::size_t SHORT_TEXT = 256;

// The group names the receiver of an entry keeps are cut to 255 characters.
constexpr std::size_t KEPT_PATH = 256;

// The heap bytes a text holds: its capacity, and nothing while it fits in
// the string itself.
std::size_t HeldBy(const std::string& str) {
    static const std::size_t LOCAL = std::string().capacity();
    return str.capacity() > LOCAL ? str.capacity() + 1 : 0;
}

std::size_t HeldBy(const Botan::secure_vector<char>& text) {
    return text.capacity();
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view str) {
    while (!str.empty() && IsBlank(str.front()))
        str.remove_prefix(1);
    while (!str.empty() && IsBlank(str.back()))
        str.remove_suffix(1);
    return str;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto Lower = [](char c) {
                   return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return Lower(x) == Lower(y);
           });
}

// Base64 to bytes; nothing for text that is not base64.
template <typename TBytes> std::optional<TBytes> FromBase64(std::string_view strText) {
    try {
        const auto decoded = Botan::base64_decode(strText.data(), strText.size(), true);
        return TBytes(decoded.begin(), decoded.end());
    } catch (const Botan::Exception&) {
        return std::nullopt;
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The field a reference letter names, or -1.
int FieldOfLetter(char c) {
    switch (c) {
    case 'T':
    case 't':
        return 0;
    case 'U':
    case 'u':
        return 1;
    case 'P':
    case 'p':
        return 2;
    case 'A':
    case 'a':
        return 3;
    case 'N':
    case 'n':
        return 4;
    default:
        return -1;
    }
}

} // namespace

bool IsOtpFieldName(const std::string& strName) {
    return strName == "otp" || strName == "TOTP Seed" || strName == "TOTP Settings";
}

CKdbxXmlReader::CKdbxXmlReader(CKdbxInnerStream& stream, std::size_t nMemoryAllowed)
    : m_stream(stream), m_nMemoryLeft(nMemoryAllowed), m_parser(m_nMemoryLeft, this) {}

void CKdbxXmlReader::Fail(EResult eResult) {
    if (m_eResult == EResult::ok)
        m_eResult = eResult;
    m_parser.Stop();
}

void CKdbxXmlReader::ClearScratch() {
    m_strScratch.clear(); // its block stays, charged, for the next text
}

bool CKdbxXmlReader::Charge(std::size_t nBytes) {
    if (nBytes > m_nMemoryLeft) {
        Fail(EResult::tooLarge);
        return false;
    }
    m_nMemoryLeft -= nBytes;
    return true;
}

bool CKdbxXmlReader::Settle(std::size_t nBefore, std::size_t nAfter) {
    if (nAfter > nBefore)
        return Charge(nAfter - nBefore);
    m_nMemoryLeft += nBefore - nAfter;
    return true;
}

template <typename TText>
bool CKdbxXmlReader::Append(TText& text, const char* pText, std::size_t nLength) {
    if (nLength > text.capacity() - text.size()) {
        // Grown as the containers grow, and the new block charged first:
        // while the text moves, both blocks are held.
        const std::size_t nBefore = HeldBy(text);
        const std::size_t nWanted = std::max(text.size() + nLength, 2 * text.capacity());
        if (!Charge(nWanted + 1))
            return false;
        text.reserve(nWanted);
        m_nMemoryLeft += nWanted + 1;
        if (!Settle(nBefore, HeldBy(text)))
            return false;
    }
    text.insert(text.end(), pText, pText + nLength);
    return true;
}

template <typename TItem> bool CKdbxXmlReader::Room(std::vector<TItem>& items) {
    if (items.size() < items.capacity())
        return true;
    const std::size_t nOld = items.capacity();
    const std::size_t nNew = std::max<std::size_t>(2 * nOld, 16);
    if (nNew > m_nMemoryLeft / sizeof(TItem)) {
        Fail(EResult::tooLarge);
        return false;
    }
    // Both blocks are held while the items move.
    m_nMemoryLeft -= nNew * sizeof(TItem);
    items.reserve(nNew);
    m_nMemoryLeft += nOld * sizeof(TItem);
    return true;
}

void CKdbxXmlReader::Allow(std::size_t nBytes) {
    m_nMemoryLeft += std::min(nBytes, SIZE_MAX - m_nMemoryLeft);
}

CKdbxXmlReader::EElem CKdbxXmlReader::Classify(const char* pszName) const {
    const std::string_view strName = pszName;
    const EElem eParent = Parent();
    if (m_stack.empty())
        return strName == "KeePassFile" ? EElem::file : EElem::other;
    switch (eParent) {
    case EElem::file:
        if (strName == "Meta")
            return EElem::meta;
        if (strName == "Root")
            return EElem::root;
        break;
    case EElem::meta:
        if (strName == "RecycleBinUUID")
            return EElem::recycleBinUuid;
        if (strName == "RecycleBinEnabled")
            return EElem::recycleBinEnabled;
        if (strName == "HeaderHash")
            return EElem::headerHash;
        break;
    case EElem::root:
        if (strName == "Group")
            return EElem::group;
        break;
    case EElem::group:
        if (strName == "Group")
            return EElem::group;
        if (strName == "Entry")
            return EElem::entry;
        if (strName == "Name")
            return EElem::groupName;
        if (strName == "UUID")
            return EElem::groupUuid;
        break;
    case EElem::history:
        if (strName == "Entry")
            return EElem::entry;
        break;
    case EElem::entry:
        if (strName == "UUID")
            return EElem::entryUuid;
        if (strName == "String")
            return EElem::string;
        if (strName == "Binary")
            return EElem::binary;
        if (strName == "Times")
            return EElem::times;
        if (strName == "Tags")
            return EElem::tags;
        if (strName == "History")
            return EElem::history;
        break;
    case EElem::string:
        if (strName == "Key")
            return EElem::key;
        if (strName == "Value")
            return EElem::value;
        break;
    case EElem::times:
        if (strName == "Expires")
            return EElem::expires;
        break;
    default:
        break;
    }
    return EElem::other;
}

void CKdbxXmlReader::OnStart(const char* pszName, const char** ppszAttrs) {
    if (m_eResult != EResult::ok)
        return;
    // The element stacks cost their deepest level.
    if (m_stack.size() == m_nDeepest) {
        if (!Charge(sizeof(EElem) * 2 + sizeof(std::size_t) * 2))
            return;
        ++m_nDeepest;
    }
    const EElem eElem = Classify(pszName);
    m_pText = nullptr;
    m_bProtected = false;
    m_bShortText = eElem == EElem::groupUuid || eElem == EElem::entryUuid ||
                   eElem == EElem::expires || eElem == EElem::tags ||
                   eElem == EElem::recycleBinUuid || eElem == EElem::recycleBinEnabled ||
                   eElem == EElem::headerHash;
    for (int i = 0; ppszAttrs[i]; i += 2) {
        if (std::strcmp(ppszAttrs[i], "Protected") == 0 && EqualsNoCase(ppszAttrs[i + 1], "True"))
            m_bProtected = true;
    }
    m_protectedText.clear();
    m_stack.push_back(eElem);

    switch (eElem) {
    case EElem::group:
        if (!Room(m_groups) || !Charge(RECORD_OVERHEAD))
            return;
        m_groups.emplace_back();
        m_groups.back().nParent =
            m_groupStack.empty() ? -1 : static_cast<std::ptrdiff_t>(m_groupStack.back());
        m_groupStack.push_back(m_groups.size() - 1);
        break;
    case EElem::groupName:
        m_pText = &m_groups[m_groupStack.back()].strName;
        break;
    case EElem::groupUuid:
        ClearScratch();
        m_pText = &m_strScratch;
        break;
    case EElem::entry:
        if (m_nHistoryDepth > 0)
            break; // a history entry only moves the inner stream on
        if (!Room(m_entries) || !Charge(RECORD_OVERHEAD))
            return;
        m_entries.emplace_back();
        m_entries.back().nGroup = m_groupStack.back();
        m_nEntry = static_cast<std::ptrdiff_t>(m_entries.size() - 1);
        break;
    case EElem::history:
        ++m_nHistoryDepth;
        break;
    case EElem::string:
        m_strKey.clear();
        m_strValue.clear();
        break;
    case EElem::key:
        if (InLiveEntry())
            m_pText = &m_strKey;
        break;
    case EElem::value:
        if (InLiveEntry())
            m_pText = &m_strValue;
        break;
    case EElem::entryUuid:
    case EElem::tags:
    case EElem::expires:
        if (InLiveEntry()) {
            ClearScratch();
            m_pText = &m_strScratch;
        }
        break;
    case EElem::binary:
        if (InLiveEntry())
            ++m_entries[static_cast<std::size_t>(m_nEntry)].nAttachments;
        break;
    case EElem::recycleBinUuid:
        m_pText = &m_strRecycleBinUuid;
        break;
    case EElem::recycleBinEnabled:
        m_pText = &m_strRecycleBinEnabled;
        break;
    case EElem::headerHash:
        m_pText = &m_strHeaderHash;
        break;
    default:
        break;
    }
}

void CKdbxXmlReader::OnText(const char* pText, std::size_t nLength) {
    if (m_eResult != EResult::ok)
        return;
    // A masked value is collected whether or not it is kept: the inner
    // stream must move on by its length.
    if (m_bProtected) {
        Append(m_protectedText, pText, nLength);
        return;
    }
    if (!m_pText)
        return;
    if (m_bShortText)
        nLength = std::min(nLength, SHORT_TEXT + 1 - std::min(m_pText->size(), SHORT_TEXT + 1));
    Append(*m_pText, pText, nLength);
}

void CKdbxXmlReader::OnEnd() {
    if (m_eResult != EResult::ok || m_stack.empty())
        return;
    const EElem eElem = m_stack.back();
    m_stack.pop_back();

    if (m_bProtected) {
        m_bProtected = false;
        const std::string_view strBase64 =
            Trimmed(std::string_view(m_protectedText.data(), m_protectedText.size()));
        // Decoding holds the bytes twice for a moment, beside the masked
        // text (whose block stays for the next one).
        const std::size_t nDecoding = 2 * (strBase64.size() / 4 * 3 + 3);
        if (!Charge(nDecoding))
            return;
        {
            auto plain = FromBase64<Botan::secure_vector<std::uint8_t>>(strBase64);
            m_protectedText.clear();
            if (!plain) {
                Fail(EResult::malformed);
                return;
            }
            m_stream.Apply(plain->data(), plain->size());
            if (m_pText) {
                const std::size_t nKept =
                    m_bShortText ? std::min(plain->size(), SHORT_TEXT + 1) : plain->size();
                const std::size_t nBefore = HeldBy(*m_pText);
                m_pText->assign(plain->begin(),
                                plain->begin() + static_cast<std::ptrdiff_t>(nKept));
                if (!Settle(nBefore, HeldBy(*m_pText)))
                    return;
            }
        }
        m_nMemoryLeft += nDecoding;
    }
    std::string* pText = m_pText;
    m_pText = nullptr;

    switch (eElem) {
    case EElem::group:
        m_groupStack.pop_back();
        break;
    case EElem::groupUuid:
        m_groups[m_groupStack.back()].strUuid =
            FromBase64<std::string>(Trimmed(m_strScratch)).value_or(std::string());
        break;
    case EElem::entry:
        if (m_nHistoryDepth == 0)
            m_nEntry = -1;
        break;
    case EElem::history:
        --m_nHistoryDepth;
        break;
    case EElem::string:
        if (InLiveEntry())
            EndString();
        break;
    case EElem::entryUuid:
        if (pText)
            m_entries[static_cast<std::size_t>(m_nEntry)].strUuid =
                FromBase64<std::string>(Trimmed(m_strScratch)).value_or(std::string());
        break;
    case EElem::tags:
        if (pText && !Trimmed(m_strScratch).empty())
            m_entries[static_cast<std::size_t>(m_nEntry)].bTags = true;
        break;
    case EElem::expires:
        if (pText && EqualsNoCase(Trimmed(m_strScratch), "True"))
            m_entries[static_cast<std::size_t>(m_nEntry)].bExpires = true;
        break;
    default:
        break;
    }
}

void CKdbxXmlReader::EndString() {
    SEntry& entry = m_entries[static_cast<std::size_t>(m_nEntry)];
    static constexpr const char* STANDARD[FIELD_COUNT] = {"Title", "UserName", "Password", "URL",
                                                          "Notes"};
    // A value that is kept takes its block along (and a field given twice
    // lets the first one go).
    const auto Keep = [this](std::string& strField) {
        const std::size_t nBefore = HeldBy(strField) + HeldBy(m_strValue);
        strField = std::move(m_strValue);
        m_strValue.clear();
        Settle(nBefore, HeldBy(strField) + HeldBy(m_strValue));
    };
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (m_strKey == STANDARD[i]) {
            Keep(entry.astrField[static_cast<std::size_t>(i)]);
            return;
        }
    }
    if (IsEMailFieldName(m_strKey) && !entry.bEMailSet) {
        Keep(entry.strEMail);
        entry.bEMailSet = true;
        return;
    }
    if (m_bKeepCustomFields) {
        // The vector's block is charged at twice its elements, as it grows.
        const std::size_t nBefore = HeldBy(m_strValue);
        auto& field = entry.customFields.emplace_back(m_strKey, std::move(m_strValue));
        m_strValue.clear();
        if (Settle(nBefore, HeldBy(field.second) + HeldBy(m_strValue)))
            Charge(HeldBy(field.first) + 2 * sizeof(field));
        return;
    }
    if (IsOtpFieldName(m_strKey))
        entry.bOtp = true;
    else
        ++entry.nCustom;
    // Only counted: the value is let go, its block kept for the next one.
    m_strValue.clear();
}

CKdbxXmlReader::~CKdbxXmlReader() = default;

bool CKdbxXmlReader::Feed(std::span<const std::uint8_t> xml, bool bFinal) {
    if (m_eResult != EResult::ok)
        return false;
    const CExpatParser::EResult eParsed = m_parser.Feed(xml, bFinal);
    if (m_eResult == EResult::ok)
        m_eResult = CExpatParser::As<EResult>(eParsed);
    return eParsed == CExpatParser::EResult::ok;
}

CKdbxXmlReader::EResult CKdbxXmlReader::End() {
    if (m_eResult == EResult::ok && !m_parser.IsStarted())
        m_eResult = EResult::malformed; // nothing was given
    if (m_eResult == EResult::ok && m_groups.empty())
        m_eResult = EResult::malformed; // not a database's document at all
    if (m_eResult == EResult::ok && !Trimmed(m_strHeaderHash).empty()) {
        m_headerHash = FromBase64<CKdbxBytes>(Trimmed(m_strHeaderHash));
        if (!m_headerHash)
            m_eResult = EResult::malformed;
    }
    return m_eResult;
}

CKdbxXmlReader::EResult CKdbxXmlReader::Parse(std::span<const std::uint8_t> xml) {
    Feed(xml, true);
    return End();
}

CKdbxXmlReader::EResult CKdbxXmlReader::Finish() {
    try {
        // The recycle bin, when it is in use, and everything below it.
        const auto binUuid = FromBase64<std::string>(Trimmed(m_strRecycleBinUuid));
        const bool bBinInUse =
            !EqualsNoCase(Trimmed(m_strRecycleBinEnabled), "False") && binUuid &&
            binUuid->size() == 16 &&
            std::any_of(binUuid->begin(), binUuid->end(), [](char c) { return c != 0; });
        for (SGroup& group : m_groups) {
            group.bLeftOut =
                (bBinInUse && group.strUuid == *binUuid) ||
                (group.nParent >= 0 && m_groups[static_cast<std::size_t>(group.nParent)].bLeftOut);
        }
        const EResult eResult = ResolveReferences();
        if (eResult != EResult::ok)
            return eResult;
        BuildGroupTree();
    } catch (const std::bad_alloc&) {
        return EResult::outOfMemory;
    }
    return EResult::ok;
}

CKdbxXmlReader::EResult CKdbxXmlReader::ResolveReferences() {
    // The map of entries by UUID costs about a node each.
    if (m_entries.size() > m_nMemoryLeft / 64)
        return EResult::tooLarge;
    m_nMemoryLeft -= m_entries.size() * 64;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].strUuid.size() == 16)
            m_entryByUuid.emplace(m_entries[i].strUuid, i);
    }
    // References are resolved against the texts as stored, so the order of
    // entries does not matter; the results replace them afterwards.
    std::vector<std::pair<std::string*, SResolved*>> replaced;
    std::deque<SResolved> eMails;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (IsCancelled())
            return EResult::cancelled;
        SEntry& entry = m_entries[i];
        if (m_groups[entry.nGroup].bLeftOut)
            continue;
        for (int nField = 0; nField < FIELD_COUNT; ++nField) {
            std::string& strField = entry.astrField[static_cast<std::size_t>(nField)];
            if (strField.find('{') == std::string::npos)
                continue;
            SResolved* pResolved = ResolvedField(i, nField, MAX_REFERENCE_DEPTH);
            if (!pResolved)
                return IsCancelled() ? EResult::cancelled : EResult::tooLarge;
            replaced.emplace_back(&strField, pResolved);
        }
        if (entry.strEMail.find('{') != std::string::npos) {
            SResolved& eMail = eMails.emplace_back();
            if (!ResolveText(entry.strEMail, MAX_REFERENCE_DEPTH, eMail))
                return IsCancelled() ? EResult::cancelled : EResult::tooLarge;
            replaced.emplace_back(&entry.strEMail, &eMail);
        }
    }
    // Each field has a result of its own at the full depth, so each result
    // is taken once.
    for (auto& [pField, pResolved] : replaced) {
        m_nMemoryLeft += pField->size();
        *pField = std::move(pResolved->strText);
    }
    m_resolvedWhole.clear();
    m_resolvedAtDepth.clear();
    return EResult::ok;
}

namespace {

// A reference by UUID, {REF:<field>@I:<32 hex digits>}, at the start of
// strText: the field it wants and the UUID's 16 bytes.
constexpr std::size_t REF_LENGTH = 42;

bool ParseReference(std::string_view strText, int& nField, std::string& strUuid) {
    if (strText.size() < REF_LENGTH || !EqualsNoCase(strText.substr(0, 5), "{REF:") ||
        strText[6] != '@' || (strText[7] != 'I' && strText[7] != 'i') || strText[8] != ':' ||
        strText[41] != '}')
        return false;
    nField = FieldOfLetter(strText[5]);
    if (nField < 0)
        return false;
    strUuid.clear();
    for (std::size_t i = 0; i < 16; ++i) {
        const int nHigh = HexValue(strText[9 + 2 * i]);
        const int nLow = HexValue(strText[10 + 2 * i]);
        if (nHigh < 0 || nLow < 0)
            return false;
        strUuid += static_cast<char>(nHigh * 16 + nLow);
    }
    return true;
}

} // namespace

bool CKdbxXmlReader::AppendResolved(SResolved& out, std::string_view strText) {
    if (!Charge(strText.size()))
        return false;
    out.strText.append(strText);
    return true;
}

// Replaces each reference to an entry's field by that field with its own
// references resolved, nDepth levels deep at most: a reference found with
// no depth left, or once the steps are spent, stays as it is written, and
// so does one that names no entry, as it is shown elsewhere.
bool CKdbxXmlReader::ResolveText(std::string_view strText, int nDepth, SResolved& out) {
    std::string strUuid;
    std::size_t nPos = 0;
    while (nPos < strText.size()) {
        const std::size_t nOpen = std::min(strText.find('{', nPos), strText.size());
        if (!AppendResolved(out, strText.substr(nPos, nOpen - nPos)))
            return false;
        nPos = nOpen;
        if (nPos == strText.size())
            break;
        int nField = -1;
        const bool bReference = ParseReference(strText.substr(nPos), nField, strUuid);
        const auto itTarget = bReference ? m_entryByUuid.find(strUuid) : m_entryByUuid.end();
        if (itTarget == m_entryByUuid.end()) {
            if (!AppendResolved(out, "{"))
                return false;
            ++nPos;
            continue;
        }
        if (nDepth == 0 || m_nStepsLeft == 0) {
            out.bWhole = false;
            if (!AppendResolved(out, strText.substr(nPos, REF_LENGTH)))
                return false;
            nPos += REF_LENGTH;
            continue;
        }
        if (IsCancelled())
            return false;
        --m_nStepsLeft;
        const std::string& strTarget =
            m_entries[itTarget->second].astrField[static_cast<std::size_t>(nField)];
        if (strTarget.find('{') == std::string::npos) {
            if (!AppendResolved(out, strTarget))
                return false;
            out.nLevels = std::max(out.nLevels, 1);
        } else {
            const SResolved* pTarget = ResolvedField(itTarget->second, nField, nDepth - 1);
            if (!pTarget || !AppendResolved(out, pTarget->strText))
                return false;
            out.nLevels = std::max(out.nLevels, pTarget->nLevels + 1);
            out.bWhole = out.bWhole && pTarget->bWhole;
        }
        nPos += REF_LENGTH;
    }
    return true;
}

// A field resolved nDepth levels deep, each field once: a result whose
// every reference was followed serves every depth that reaches as deep as
// it went; only a field whose references run deeper than that is resolved
// again for another depth. Null when the texts outgrow the allowance.
CKdbxXmlReader::SResolved* CKdbxXmlReader::ResolvedField(std::size_t nEntry, int nField,
                                                         int nDepth) {
    const std::size_t nKey = nEntry * FIELD_COUNT + static_cast<std::size_t>(nField);
    if (const auto it = m_resolvedWhole.find(nKey);
        it != m_resolvedWhole.end() && it->second.nLevels <= nDepth)
        return &it->second;
    const std::size_t nDepthKey =
        nKey * (MAX_REFERENCE_DEPTH + 1) + static_cast<std::size_t>(nDepth);
    if (const auto it = m_resolvedAtDepth.find(nDepthKey); it != m_resolvedAtDepth.end())
        return &it->second;
    SResolved resolved;
    if (!Charge(RECORD_OVERHEAD) ||
        !ResolveText(m_entries[nEntry].astrField[static_cast<std::size_t>(nField)], nDepth,
                     resolved))
        return nullptr;
    // Whatever was resolved on the way is kept: a text reached again costs
    // only its copy.
    if (resolved.bWhole)
        return &m_resolvedWhole.try_emplace(nKey, std::move(resolved)).first->second;
    return &m_resolvedAtDepth.try_emplace(nDepthKey, std::move(resolved)).first->second;
}

bool CKdbxXmlReader::IsCancelled() const {
    return m_pCancel && m_pCancel->IsCancelled();
}

// The path of a group names the groups below the one that stands directly
// in Root; an entry in that group itself gets its name. The groups move to
// where the entries handed out share them.
void CKdbxXmlReader::BuildGroupTree() {
    for (SGroup& group : m_groups) {
        if (group.nParent >= 0 && m_groups[static_cast<std::size_t>(group.nParent)].nParent >= 0)
            group.pParent = &m_groups[static_cast<std::size_t>(group.nParent)];
    }
    m_groupTree = std::make_shared<const std::vector<SGroup>>(std::move(m_groups));
}

CKdbxXmlReader::EResult CKdbxXmlReader::ChargeHandOut() {
    // The receiver's copy of an entry: the entry itself in a vector that
    // doubles, its texts and the record around them; and while it turns one
    // entry into its own texts (another code page), four more copies of
    // that entry's texts. The entries share the group tree, whose paths the
    // receiver works out once a group, cut as it cuts them. Groups come after
    // their parents.
    const std::vector<SGroup>& groups = *m_groupTree;
    if (groups.size() > m_nMemoryLeft / sizeof(std::size_t))
        return EResult::tooLarge;
    std::vector<std::size_t> anPath(groups.size());
    std::size_t nCopies = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::ptrdiff_t nParent = groups[i].nParent;
        const std::size_t nAbove = nParent < 0 ? 0 : anPath[static_cast<std::size_t>(nParent)];
        anPath[i] = std::min(KEPT_PATH, nAbove + 1 + groups[i].strName.size());
        nCopies += RECORD_OVERHEAD + anPath[i];
    }
    std::size_t nLargest = 0;
    for (const SEntry& entry : m_entries) {
        if (groups[entry.nGroup].bLeftOut)
            continue;
        std::size_t nTexts = entry.strEMail.size();
        for (const std::string& strField : entry.astrField)
            nTexts += strField.size();
        for (const auto& [strKey, strValue] : entry.customFields)
            nTexts += strKey.size() + strValue.size() + sizeof(std::pair<std::string, std::string>);
        nLargest = std::max(nLargest, nTexts);
        const std::size_t nCopy = 2 * sizeof(SImportEntry) + RECORD_OVERHEAD + nTexts;
        nCopies += std::min(nCopy, SIZE_MAX - nCopies);
    }
    if (nCopies > m_nMemoryLeft || nLargest > (m_nMemoryLeft - nCopies) / 4)
        return EResult::tooLarge;
    m_nMemoryLeft -= nCopies;
    return EResult::ok;
}

void CKdbxXmlReader::HandOut(const std::function<void(const SImportEntry&)>& fnEntry) const {
    SImportEntry out;
    for (const SEntry& entry : m_entries) {
        const SGroup& group = (*m_groupTree)[entry.nGroup];
        if (group.bLeftOut)
            continue;
        out.pGroup = std::shared_ptr<const SImportGroup>(m_groupTree, &group);
        out.strTitle = entry.astrField[title];
        out.strUserName = entry.astrField[userName];
        out.strPassword = entry.astrField[password];
        out.strUrl = entry.astrField[url];
        out.strNotes = entry.astrField[notes];
        out.strEMail = entry.strEMail;
        out.customFields = entry.customFields;
        out.anLeftOut = {};
        out.LeaveOut(ELeftOut::customField, entry.nCustom);
        out.LeaveOut(ELeftOut::attachment, entry.nAttachments);
        out.LeaveOut(ELeftOut::oneTimePassword, entry.bOtp ? 1 : 0);
        out.LeaveOut(ELeftOut::tags, entry.bTags ? 1 : 0);
        out.LeaveOut(ELeftOut::expiry, entry.bExpires ? 1 : 0);
        fnEntry(out);
    }
}
