// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxXml.h"

#include "core/base/CancelToken.h"
#include "core/interchange/KdbxCipher.h"

#include <botan/base64.h>
#include <botan/exceptn.h>

#include <expat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

// What a record costs beside its texts: the structure, the allocator's
// bookkeeping and the strings' own headers.
constexpr std::size_t RECORD_OVERHEAD = 128;

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

bool IsOtpFieldName(const std::string& strName) {
    return strName == "otp" || strName == "TOTP Seed" || strName == "TOTP Settings";
}

} // namespace

CKdbxXmlReader::CKdbxXmlReader(CKdbxInnerStream& stream, std::size_t nMemoryAllowed)
    : m_stream(stream), m_nMemoryLeft(nMemoryAllowed) {}

void CKdbxXmlReader::StartElement(void* pUser, const char* pszName, const char** ppszAttrs) {
    static_cast<CKdbxXmlReader*>(pUser)->OnStart(pszName, ppszAttrs);
}

void CKdbxXmlReader::EndElement(void* pUser, const char*) {
    static_cast<CKdbxXmlReader*>(pUser)->OnEnd();
}

void CKdbxXmlReader::Text(void* pUser, const char* pText, int nLength) {
    static_cast<CKdbxXmlReader*>(pUser)->OnText(pText, static_cast<std::size_t>(nLength));
}

// A database declares no document type, and refusing one keeps entity
// expansion out.
void CKdbxXmlReader::Doctype(void* pUser, const char*, const char*, const char*, int) {
    static_cast<CKdbxXmlReader*>(pUser)->Fail(EResult::malformed);
}

void CKdbxXmlReader::Fail(EResult eResult) {
    if (m_eResult == EResult::ok)
        m_eResult = eResult;
    XML_StopParser(static_cast<XML_Parser>(m_parser), XML_FALSE);
}

void CKdbxXmlReader::ClearScratch() {
    m_nMemoryLeft += m_strScratch.size();
    m_strScratch.clear();
}

bool CKdbxXmlReader::Charge(std::size_t nBytes) {
    if (nBytes > m_nMemoryLeft) {
        Fail(EResult::tooLarge);
        return false;
    }
    m_nMemoryLeft -= nBytes;
    return true;
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
    for (int i = 0; ppszAttrs[i]; i += 2) {
        if (std::strcmp(ppszAttrs[i], "Protected") == 0 && EqualsNoCase(ppszAttrs[i + 1], "True"))
            m_bProtected = true;
    }
    m_protectedText.clear();
    m_stack.push_back(eElem);

    switch (eElem) {
    case EElem::group:
        if (!Charge(sizeof(SGroup) + RECORD_OVERHEAD))
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
        if (!Charge(sizeof(SEntry) + RECORD_OVERHEAD))
            return;
        m_entries.emplace_back();
        m_entries.back().nGroup = m_groupStack.back();
        m_nEntry = static_cast<std::ptrdiff_t>(m_entries.size() - 1);
        break;
    case EElem::history:
        ++m_nHistoryDepth;
        break;
    case EElem::string:
        m_nMemoryLeft += m_strKey.size() + m_strValue.size();
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
        if (Charge(nLength)) {
            m_protectedText.insert(m_protectedText.end(), pText, pText + nLength);
            m_nProtectedCharged += nLength;
        }
        return;
    }
    if (m_pText && Charge(nLength))
        m_pText->append(pText, nLength);
}

void CKdbxXmlReader::OnEnd() {
    if (m_eResult != EResult::ok || m_stack.empty())
        return;
    const EElem eElem = m_stack.back();
    m_stack.pop_back();

    if (m_bProtected) {
        m_bProtected = false;
        auto plain = FromBase64<Botan::secure_vector<std::uint8_t>>(
            Trimmed(std::string_view(m_protectedText.data(), m_protectedText.size())));
        m_protectedText.clear();
        if (!plain) {
            Fail(EResult::malformed);
            return;
        }
        m_stream.Apply(plain->data(), plain->size());
        // The masked text is let go: what is kept is charged for itself.
        m_nMemoryLeft += m_nProtectedCharged;
        m_nProtectedCharged = 0;
        if (m_pText && Charge(plain->size()))
            m_pText->assign(plain->begin(), plain->end());
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
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (m_strKey == STANDARD[i]) {
            entry.astrField[static_cast<std::size_t>(i)] = std::move(m_strValue);
            m_strValue.clear();
            return;
        }
    }
    if (IsEMailFieldName(m_strKey) && !entry.bEMailSet) {
        entry.strEMail = std::move(m_strValue);
        entry.bEMailSet = true;
    } else if (IsOtpFieldName(m_strKey)) {
        entry.bOtp = true;
    } else {
        ++entry.nCustom;
    }
    // Only counted: the value is let go.
    m_nMemoryLeft += m_strValue.size();
    m_strValue.clear();
}

CKdbxXmlReader::~CKdbxXmlReader() {
    if (m_parser)
        XML_ParserFree(static_cast<XML_Parser>(m_parser));
}

bool CKdbxXmlReader::Feed(std::span<const std::uint8_t> xml, bool bFinal) {
    if (m_eResult != EResult::ok)
        return false;
    try {
        if (!m_parser) {
            XML_Parser parser = XML_ParserCreate("UTF-8");
            if (!parser) {
                m_eResult = EResult::outOfMemory;
                return false;
            }
            m_parser = parser;
            XML_SetUserData(parser, this);
            XML_SetElementHandler(parser, StartElement, EndElement);
            XML_SetCharacterDataHandler(parser, Text);
            XML_SetStartDoctypeDeclHandler(parser, Doctype);
        }
        auto parser = static_cast<XML_Parser>(m_parser);
        // In pieces whose length fits expat's int.
        constexpr std::size_t CHUNK = std::size_t(1) << 20;
        std::size_t nDone = 0;
        do {
            const std::size_t n = std::min(CHUNK, xml.size() - nDone);
            const bool bLast = bFinal && nDone + n == xml.size();
            if (XML_Parse(parser, reinterpret_cast<const char*>(xml.data() + nDone),
                          static_cast<int>(n), bLast ? XML_TRUE : XML_FALSE) != XML_STATUS_OK) {
                if (m_eResult == EResult::ok)
                    m_eResult = XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY
                                    ? EResult::outOfMemory
                                    : EResult::malformed;
                return false;
            }
            nDone += n;
        } while (nDone < xml.size());
    } catch (const std::bad_alloc&) {
        m_eResult = EResult::outOfMemory;
        return false;
    }
    return true;
}

CKdbxXmlReader::EResult CKdbxXmlReader::End() {
    if (m_eResult == EResult::ok && !m_parser)
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

        // The map of entries by UUID costs about a node each.
        if (m_entries.size() > m_nMemoryLeft / 64)
            return EResult::tooLarge;
        m_nMemoryLeft -= m_entries.size() * 64;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].strUuid.size() == 16)
                m_entryByUuid.emplace(m_entries[i].strUuid, i);
        }
        // References are resolved against the texts as stored, so the order
        // of entries does not matter; the results replace them afterwards.
        std::vector<std::pair<std::string*, std::string>> resolved;
        for (SEntry& entry : m_entries) {
            if (IsCancelled())
                return EResult::cancelled;
            if (m_groups[entry.nGroup].bLeftOut)
                continue;
            for (std::string* pField :
                 {&entry.astrField[0], &entry.astrField[1], &entry.astrField[2],
                  &entry.astrField[3], &entry.astrField[4], &entry.strEMail}) {
                if (pField->find('{') == std::string::npos)
                    continue;
                std::string strOut;
                if (!Resolve(*pField, MAX_REFERENCE_DEPTH, strOut))
                    return IsCancelled() ? EResult::cancelled : EResult::tooLarge;
                if (strOut != *pField)
                    resolved.emplace_back(pField, std::move(strOut));
            }
        }
        for (auto& [pField, strText] : resolved)
            *pField = std::move(strText);
    } catch (const std::bad_alloc&) {
        return EResult::outOfMemory;
    }
    return EResult::ok;
}

// Replaces each {REF:<field>@I:<32 hex digits>} by that field of the entry
// with that UUID, following references in it up to nDepth levels; one that
// names no entry stays as it is, as it is shown elsewhere.
bool CKdbxXmlReader::Resolve(const std::string& strText, int nDepth, std::string& strOut) {
    static constexpr std::size_t REF_LENGTH = 42; // {REF:X@I: + 32 digits + }
    std::size_t nPos = 0;
    while (nPos < strText.size()) {
        const std::size_t nOpen = strText.find('{', nPos);
        const std::size_t nCopyEnd = nOpen == std::string::npos ? strText.size() : nOpen;
        if (nCopyEnd - nPos > m_nMemoryLeft)
            return false;
        m_nMemoryLeft -= nCopyEnd - nPos;
        strOut.append(strText, nPos, nCopyEnd - nPos);
        if (nOpen == std::string::npos)
            break;
        nPos = nOpen;
        const std::string_view strRef = std::string_view(strText).substr(nOpen, REF_LENGTH);
        std::string strUuid;
        int nField = -1;
        if (strRef.size() == REF_LENGTH && EqualsNoCase(strRef.substr(0, 5), "{REF:") &&
            strRef[6] == '@' && (strRef[7] == 'I' || strRef[7] == 'i') && strRef[8] == ':' &&
            strRef[41] == '}') {
            nField = FieldOfLetter(strRef[5]);
            for (std::size_t i = 0; i < 16 && nField >= 0; ++i) {
                const int nHigh = HexValue(strRef[9 + 2 * i]);
                const int nLow = HexValue(strRef[10 + 2 * i]);
                if (nHigh < 0 || nLow < 0)
                    nField = -1;
                else
                    strUuid += static_cast<char>(nHigh * 16 + nLow);
            }
        }
        const auto itTarget =
            nField >= 0 && nDepth > 0 ? m_entryByUuid.find(strUuid) : m_entryByUuid.end();
        if (itTarget == m_entryByUuid.end()) {
            if (m_nMemoryLeft == 0)
                return false;
            --m_nMemoryLeft;
            strOut += '{';
            ++nPos;
            continue;
        }
        if (IsCancelled() ||
            !Resolve(m_entries[itTarget->second].astrField[static_cast<std::size_t>(nField)],
                     nDepth - 1, strOut))
            return false;
        nPos += REF_LENGTH;
    }
    return true;
}

bool CKdbxXmlReader::IsCancelled() const {
    return m_pCancel && m_pCancel->IsCancelled();
}

const std::vector<std::string>& CKdbxXmlReader::PathOf(std::size_t nGroup) const {
    if (nGroup == m_nPathGroup)
        return m_astrPath;
    m_astrPath.clear();
    // The names below the group that stands directly in Root; an entry in
    // that group itself gets its name.
    std::size_t n = nGroup;
    while (m_groups[n].nParent >= 0) {
        m_astrPath.push_back(m_groups[n].strName);
        n = static_cast<std::size_t>(m_groups[n].nParent);
    }
    if (m_astrPath.empty())
        m_astrPath.push_back(m_groups[n].strName);
    std::reverse(m_astrPath.begin(), m_astrPath.end());
    m_nPathGroup = nGroup;
    return m_astrPath;
}

void CKdbxXmlReader::HandOut(const std::function<void(const SImportEntry&)>& fnEntry) const {
    SImportEntry out;
    for (const SEntry& entry : m_entries) {
        if (m_groups[entry.nGroup].bLeftOut)
            continue;
        out.astrGroupPath = PathOf(entry.nGroup);
        out.strTitle = entry.astrField[title];
        out.strUserName = entry.astrField[userName];
        out.strPassword = entry.astrField[password];
        out.strUrl = entry.astrField[url];
        out.strNotes = entry.astrField[notes];
        out.strEMail = entry.strEMail;
        out.anLeftOut = {};
        out.LeaveOut(ELeftOut::customField, entry.nCustom);
        out.LeaveOut(ELeftOut::attachment, entry.nAttachments);
        out.LeaveOut(ELeftOut::oneTimePassword, entry.bOtp ? 1 : 0);
        out.LeaveOut(ELeftOut::tags, entry.bTags ? 1 : 0);
        out.LeaveOut(ELeftOut::expiry, entry.bExpires ? 1 : 0);
        fnEntry(out);
    }
}
