// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>

class CCodePage;
class CPasswordInfo;

// What the database's XML says about the container around it.
struct SKdbxXmlSettings {
    // 4.x stores times as base64 seconds; 3.1 as ISO 8601 text and carries
    // the hash of the outer header.
    bool bVersion4 = true;
    std::string strHeaderHashBase64; // 3.1 only
    std::string strRootName = "Root";
    std::int64_t nNowUnix = 0; // every time stamp of the database
};

// Writes the XML document of a KeePass database from a list of records.
// Groups are nested by splitting their names on "/" under one root group;
// accounts before the first group lie in the root itself. Every entry has
// Title, UserName, Password, URL and Notes, and "E-mail" when it has one;
// the comments' "\r\n" become "\n". The password, and any text holding a
// character that XML cannot carry (control characters), is written as a
// protected value: the protector turns the UTF-8 bytes into the base64 of
// their inner-stream encipherment, called in document order as the inner
// stream requires.
class CKdbxXmlWriter {
public:
    using CProtector = std::function<std::string(std::string_view strUtf8)>;
    using CRandom = std::function<void(std::uint8_t* pBytes, std::size_t nSize)>;

    CKdbxXmlWriter(const CCodePage& codePage, SKdbxXmlSettings settings, CProtector fnProtect,
                   CRandom fnRandom);

    // The XML in strXml; false with the reason in strError when a group
    // name holds a character no XML can carry.
    bool Write(const std::list<CPasswordInfo>& listInfo, std::string& strXml,
               std::string& strError);

private:
    struct SNode;

    void WriteGroup(const SNode& node);
    void WriteEntry(const CPasswordInfo& info);
    void WriteString(const char* pszKey, std::string_view strUtf8, bool bProtect);
    void WriteTimes();
    void WriteUuid();

    const CCodePage& m_codePage;
    SKdbxXmlSettings m_settings;
    CProtector m_fnProtect;
    CRandom m_fnRandom;
    std::string m_strTime; // the element text of every time stamp
    std::string* m_pXml = nullptr;
};

// Whether XML 1.0 can carry every character of the UTF-8 text (no control
// characters but tab, line feed and carriage return).
bool IsXmlSafeText(std::string_view strUtf8);
// Appends the text with &, <, > and " escaped and carriage returns as
// "&#13;", so that a reader's line-end handling keeps them.
void AppendXmlEscaped(std::string& strOut, std::string_view strUtf8);
