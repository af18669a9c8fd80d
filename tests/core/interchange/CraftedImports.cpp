// SPDX-License-Identifier: GPL-3.0-or-later
#include "CraftedImports.h"

#include <botan/base64.h>
#include <botan/hex.h>

#include <array>
#include <cstdint>

namespace {

constexpr const char* XML_START = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta>"
                                  "<Generator>crafted</Generator>";
constexpr const char* FIELD_KEYS[] = {"Title", "UserName", "Password", "URL", "Notes"};
constexpr char FIELD_LETTERS[] = {'T', 'U', 'P', 'A', 'N'};

std::array<std::uint8_t, 16> UuidBytes(std::size_t n) {
    std::array<std::uint8_t, 16> uuid{};
    uuid.fill(0xAA);
    uuid[0] = 0xC0;
    for (int i = 0; i < 8; ++i)
        uuid[8 - static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(n >> (8 * i));
    return uuid;
}

std::string Uuid64(std::size_t n) {
    const auto uuid = UuidBytes(n);
    return Botan::base64_encode(uuid.data(), uuid.size());
}

std::string Field(const char* pszKey, const std::string& strValue) {
    return std::string("<String><Key>") + pszKey + "</Key><Value>" + strValue + "</Value></String>";
}

std::string RootOpen() {
    return "</Meta><Root><Group><UUID>" + Uuid64(~std::size_t(0)) + "</UUID><Name>Root</Name>";
}

constexpr const char* ROOT_CLOSE = "</Group></Root></KeePassFile>\n";

std::string CsvHeader() {
    return "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n";
}

} // namespace

std::string CraftedUuidHex(std::size_t n) {
    const auto uuid = UuidBytes(n);
    return Botan::hex_encode(uuid.data(), uuid.size());
}

std::string ReferenceFanXml(std::size_t nEntries, std::size_t nCopies, const char* pszTail,
                            bool bLastFirst) {
    std::string strXml = XML_START + RootOpen();
    for (std::size_t n = 0; n < nEntries; ++n) {
        const std::size_t i = bLastFirst ? nEntries - 1 - n : n;
        strXml += "<Entry><UUID>" + Uuid64(i) + "</UUID>";
        for (std::size_t f = 0; f < std::size(FIELD_KEYS); ++f) {
            std::string strValue;
            if (i + 1 == nEntries) {
                strValue = pszTail ? pszTail : std::string(1, FIELD_LETTERS[f]);
            } else {
                for (std::size_t c = 0; c < nCopies; ++c)
                    strValue += std::string("{REF:") + FIELD_LETTERS[f] +
                                "@I:" + CraftedUuidHex(i + 1) + "}";
            }
            strXml += Field(FIELD_KEYS[f], strValue);
        }
        strXml += "</Entry>";
    }
    return strXml + ROOT_CLOSE;
}

std::string ReferenceRingXml(std::size_t nEntries) {
    std::string strXml = XML_START + RootOpen();
    for (std::size_t i = 0; i < nEntries; ++i) {
        strXml += "<Entry><UUID>" + Uuid64(i) + "</UUID>" +
                  Field("Title", "R" + std::to_string(i)) +
                  Field("Password", "{REF:P@I:" + CraftedUuidHex((i + 1) % nEntries) + "}" +
                                        static_cast<char>('a' + i % 26)) +
                  "</Entry>";
    }
    return strXml + ROOT_CLOSE;
}

std::string NestedGroupsXml(std::size_t nDepth, const std::string& strName) {
    std::string strXml = XML_START + RootOpen();
    for (std::size_t i = 1; i <= nDepth; ++i) {
        strXml += "<Group><Name>" + strName + "</Name><Entry>" + Field("Title", std::to_string(i)) +
                  "</Entry>";
    }
    for (std::size_t i = 1; i <= nDepth; ++i)
        strXml += "</Group>";
    return strXml + ROOT_CLOSE;
}

std::string NestedGroupsCsv(std::size_t nDepth, const std::string& strName) {
    std::string strCsv = CsvHeader();
    std::string strPath = "Root";
    for (std::size_t i = 1; i <= nDepth; ++i) {
        strPath += "/" + strName;
        strCsv += "\"" + strPath + "\",\"" + std::to_string(i) + "\",\"\",\"\",\"\",\"\"\n";
    }
    return strCsv;
}

std::string SharedStartTitle(std::size_t n, std::size_t nShared) {
    std::string strTitle(nShared, 'p');
    for (int i = 0; i < 4; ++i, n /= 26)
        strTitle += static_cast<char>('a' + n % 26);
    return strTitle;
}

std::string SharedStartTitlesXml(std::size_t nEntries, std::size_t nTitles, std::size_t nShared) {
    std::string strXml = XML_START + RootOpen() + "<Group><Name>Web</Name>";
    for (std::size_t i = 0; i < nEntries; ++i) {
        strXml += "<Entry>" + Field("Title", SharedStartTitle(i % nTitles, nShared)) +
                  Field("Password", "pw") + "</Entry>";
    }
    return strXml + "</Group>" + ROOT_CLOSE;
}

std::string SharedStartTitlesCsv(std::size_t nEntries, std::size_t nTitles, std::size_t nShared) {
    std::string strCsv = CsvHeader();
    for (std::size_t i = 0; i < nEntries; ++i)
        strCsv += "\"Root/Web\",\"" + SharedStartTitle(i % nTitles, nShared) +
                  "\",\"\",\"pw\",\"\",\"\"\n";
    return strCsv;
}

std::string RecycleBinXml(const std::string& strEnabled) {
    const std::string strBin = Uuid64(1000);
    std::string strXml = XML_START;
    strXml += "<RecycleBinUUID>" + strBin + "</RecycleBinUUID>";
    if (!strEnabled.empty())
        strXml += "<RecycleBinEnabled>" + strEnabled + "</RecycleBinEnabled>";
    return strXml + RootOpen() + "<Group><UUID>" + Uuid64(1001) + "</UUID><Name>Web</Name><Entry>" +
           Field("Title", "Shop") + "</Entry></Group><Group><UUID>" + strBin +
           "</UUID><Name>Recycle Bin</Name><Entry>" + Field("Title", "Old") + "</Entry></Group>" +
           ROOT_CLOSE;
}
