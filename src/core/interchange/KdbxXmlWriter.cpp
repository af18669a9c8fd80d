// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxXmlWriter.h"

#include "core/interchange/KdbxTime.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"

#include <botan/base64.h>

#include <array>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

namespace {

// The folder icon of the standard set, as other managers show groups.
constexpr int GROUP_ICON = 48;

std::string TimeText(bool bVersion4, std::int64_t nUnix) {
    if (bVersion4)
        return KdbxTimeText(nUnix);
    const auto nTime = static_cast<std::time_t>(nUnix);
    std::tm tmUtc{};
    gmtime_r(&nTime, &tmUtc);
    char szText[32];
    std::strftime(szText, sizeof szText, "%Y-%m-%dT%H:%M:%SZ", &tmUtc);
    return szText;
}

// Splits a group name into the path of nested groups. Empty parts ("a//b",
// a leading or trailing "/") are dropped; a name of nothing but "/" (or
// nothing at all) stays one group of that name, so no group vanishes.
std::vector<std::string> GroupPath(const std::string& strName) {
    std::vector<std::string> astrPath;
    std::size_t nStart = 0;
    while (nStart <= strName.size()) {
        std::size_t nEnd = strName.find('/', nStart);
        if (nEnd == std::string::npos)
            nEnd = strName.size();
        if (nEnd > nStart)
            astrPath.push_back(strName.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    if (astrPath.empty())
        astrPath.push_back(strName);
    return astrPath;
}

} // namespace

bool IsXmlSafeText(std::string_view strUtf8) {
    for (const char c : strUtf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r')
            return false;
    }
    return true;
}

void AppendXmlEscaped(std::string& strOut, std::string_view strUtf8) {
    // The runs between the characters to escape go in whole.
    std::size_t nRun = 0;
    for (std::size_t i = 0; i < strUtf8.size(); ++i) {
        std::string_view strEntity;
        switch (strUtf8[i]) {
        case '&':
            strEntity = "&amp;";
            break;
        case '<':
            strEntity = "&lt;";
            break;
        case '>':
            strEntity = "&gt;";
            break;
        case '"':
            strEntity = "&quot;";
            break;
        case '\r':
            strEntity = "&#13;";
            break;
        default:
            continue;
        }
        strOut.append(strUtf8.substr(nRun, i - nRun));
        strOut.append(strEntity);
        nRun = i + 1;
    }
    strOut.append(strUtf8.substr(nRun));
}

struct CKdbxXmlWriter::SNode {
    std::string strName; // UTF-8
    std::vector<const CPasswordInfo*> accounts;
    std::vector<std::unique_ptr<SNode>> children; // in the order first met
    std::map<std::string, SNode*> byName;

    SNode& Child(const std::string& strChild) {
        const auto it = byName.find(strChild);
        if (it != byName.end())
            return *it->second;
        children.push_back(std::make_unique<SNode>());
        children.back()->strName = strChild;
        byName.emplace(strChild, children.back().get());
        return *children.back();
    }
};

CKdbxXmlWriter::CKdbxXmlWriter(const CCodePage& codePage, SKdbxXmlSettings settings,
                               CProtector fnProtect, CRandom fnRandom)
    : m_codePage(codePage), m_settings(std::move(settings)), m_fnProtect(std::move(fnProtect)),
      m_fnRandom(std::move(fnRandom)) {}

bool CKdbxXmlWriter::Write(const std::list<CPasswordInfo>& listInfo, std::string& strXml,
                           std::string& strError) {
    SNode root;
    root.strName = m_settings.strRootName;
    SNode* pCurrent = &root;
    for (const CPasswordInfo& info : listInfo) {
        if (!info.IsGroup()) {
            pCurrent->accounts.push_back(&info);
            continue;
        }
        const std::string strName = m_codePage.ToUtf8(info.Group());
        if (!IsXmlSafeText(strName)) {
            strError = "The group \"" + strName +
                       "\" holds a control character that a KeePass database cannot hold.";
            return false;
        }
        pCurrent = &root;
        for (const std::string& strPart : GroupPath(strName))
            pCurrent = &pCurrent->Child(strPart);
    }

    m_strTime = TimeText(m_settings.bVersion4, m_settings.nNowUnix);
    m_pXml = &strXml;
    strXml += "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n<KeePassFile>\n"
              "<Meta>\n<Generator>Keyhaven</Generator>\n";
    if (!m_settings.bVersion4 && !m_settings.strHeaderHashBase64.empty())
        strXml += "<HeaderHash>" + m_settings.strHeaderHashBase64 + "</HeaderHash>\n";
    strXml += "<DatabaseName>";
    AppendXmlEscaped(strXml, m_settings.strRootName);
    strXml += "</DatabaseName>\n<DatabaseNameChanged>" + m_strTime +
              "</DatabaseNameChanged>\n<MemoryProtection>\n"
              "<ProtectTitle>False</ProtectTitle>\n"
              "<ProtectUserName>False</ProtectUserName>\n"
              "<ProtectPassword>True</ProtectPassword>\n"
              "<ProtectURL>False</ProtectURL>\n"
              "<ProtectNotes>False</ProtectNotes>\n"
              "</MemoryProtection>\n<RecycleBinEnabled>False</RecycleBinEnabled>\n"
              "</Meta>\n<Root>\n";
    WriteGroup(root);
    strXml += "</Root>\n</KeePassFile>\n";
    m_pXml = nullptr;
    return true;
}

void CKdbxXmlWriter::WriteGroup(const SNode& node) {
    std::string& strXml = *m_pXml;
    strXml += "<Group>";
    WriteUuid();
    strXml += "<Name>";
    AppendXmlEscaped(strXml, node.strName);
    strXml += "</Name><IconID>" + std::to_string(GROUP_ICON) + "</IconID>";
    WriteTimes();
    strXml += "<IsExpanded>True</IsExpanded>\n";
    for (const CPasswordInfo* pInfo : node.accounts)
        WriteEntry(*pInfo);
    for (const auto& pChild : node.children)
        WriteGroup(*pChild);
    strXml += "</Group>\n";
}

void CKdbxXmlWriter::WriteEntry(const CPasswordInfo& info) {
    std::string& strXml = *m_pXml;
    strXml += "<Entry>";
    WriteUuid();
    WriteTimes();
    static constexpr struct {
        const char* pszKey;
        CPasswordInfo::EText eText;
    } FIELDS[] = {
        {"Title", CPasswordInfo::account},     {"UserName", CPasswordInfo::userName},
        {"Password", CPasswordInfo::password}, {"URL", CPasswordInfo::webSite},
        {"Notes", CPasswordInfo::comments},    {"E-mail", CPasswordInfo::eMail},
    };
    for (const auto& field : FIELDS) {
        std::string strUtf8 = m_codePage.ToUtf8(info.TextView(field.eText));
        // Other managers leave out empty custom fields; the standard ones
        // are always there.
        if (field.eText == CPasswordInfo::eMail && strUtf8.empty())
            continue;
        if (field.eText == CPasswordInfo::comments) {
            std::string strNotes;
            strNotes.reserve(strUtf8.size());
            for (std::size_t i = 0; i < strUtf8.size(); ++i) {
                if (strUtf8[i] != '\r' || i + 1 == strUtf8.size() || strUtf8[i + 1] != '\n')
                    strNotes += strUtf8[i];
            }
            CSecretBuffer::Wipe(strUtf8);
            strUtf8.swap(strNotes);
        }
        WriteString(field.pszKey, strUtf8,
                    field.eText == CPasswordInfo::password || !IsXmlSafeText(strUtf8));
        CSecretBuffer::Wipe(strUtf8);
    }
    strXml += "</Entry>\n";
}

void CKdbxXmlWriter::WriteString(const char* pszKey, std::string_view strUtf8, bool bProtect) {
    std::string& strXml = *m_pXml;
    strXml += std::string("<String><Key>") + pszKey + "</Key>";
    if (bProtect) {
        std::string strSealed = m_fnProtect(strUtf8);
        strXml += "<Value Protected=\"True\">" + strSealed + "</Value>";
    } else {
        strXml += "<Value>";
        AppendXmlEscaped(strXml, strUtf8);
        strXml += "</Value>";
    }
    strXml += "</String>";
}

// Creation and last change only: readers take the others (last access,
// expiry, usage count) as their defaults, and a large export is smaller
// for it, to write and to read.
void CKdbxXmlWriter::WriteTimes() {
    *m_pXml += "<Times><CreationTime>" + m_strTime + "</CreationTime><LastModificationTime>" +
               m_strTime + "</LastModificationTime></Times>";
}

void CKdbxXmlWriter::WriteUuid() {
    std::array<std::uint8_t, 16> abUuid{};
    m_fnRandom(abUuid.data(), abUuid.size());
    // A version 4 (random) UUID, as other managers make them.
    abUuid[6] = static_cast<std::uint8_t>((abUuid[6] & 0x0F) | 0x40);
    abUuid[8] = static_cast<std::uint8_t>((abUuid[8] & 0x3F) | 0x80);
    *m_pXml += "<UUID>" + Botan::base64_encode(abUuid.data(), abUuid.size()) + "</UUID>";
}
