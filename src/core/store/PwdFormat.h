// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/PasswordInfo.h"

#include <cstdint>
#include <list>
#include <string>

class CArchive;

// Default generator header of a file emptied for reading; a new untitled
// document stores empty texts instead, and a file made by New or the CLI's
// create the strong settings of the schema.
inline constexpr std::int32_t DEFAULT_GENERATE = 39;
inline constexpr const char* PASSWORD_CLASS_NAME = "CPasswordInfo";

// The password generator's settings a file carries in its header.
struct SGeneratorHeader {
    std::int32_t m_nGenerate = DEFAULT_GENERATE;
    std::string m_strLength = "6";
    std::string m_strBegin = "5";
    std::string m_strEnd = "8";
};

// What a ".pwd" stores before its records: the KEY's check value and the
// generator settings the file was made with.
struct SPwdHeader {
    std::string m_strKeyCheck;
    SGeneratorHeader m_generator;
};

// The ".pwd" format alone: the header, a record count and the records as
// objects of one class, each text enciphered with the field key of the
// check value. It turns bytes into records and back and knows nothing of
// files, prompts or the document; the sealed format wraps these same bytes.
class CPwdFormat {
public:
    using CInfoList = std::list<CPasswordInfo>;

    // Reads the header and appends the records, as stored (enciphered), to
    // archived. False on malformed input; what was read so far stays.
    static bool Read(CArchive& ar, SPwdHeader& header, CInfoList& archived);
    // Stores the header, the records of archived as they are (already
    // enciphered) and then those of plain, enciphered on the way with the
    // field key of the header's check value. plain is never changed and
    // never copied whole: a large file is not held twice.
    static void Write(CArchive& ar, const SPwdHeader& header, const CInfoList& archived,
                      const CInfoList& plain);
    // The exact number of bytes Write stores, so its buffer is allocated once.
    static std::size_t StoredSize(const SPwdHeader& header, const CInfoList& archived,
                                  const CInfoList& plain);

    // Enciphering and deciphering are the same exclusive or with the field
    // key repeated over each text.
    static void XorRecord(CPasswordInfo& info, const std::string& strFieldKey);
    static std::string XorText(const std::string& strText, const std::string& strFieldKey);
};
