// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/FileIO.h"
#include "core/store/PasswordInfo.h"

#include <list>

class CCodePage;
#include <string>
#include <string_view>

// Export writes "\n" as the line end the caller asks for; print always uses "\n".
inline constexpr std::string_view EXPORT_EOL_LF = "\n";
inline constexpr std::string_view EXPORT_EOL_CRLF = "\r\n";

// The export lines of one record (a group's banner or an account's six lines).
std::string ExportRecordText(const CPasswordInfo& info, std::string_view strEol = EXPORT_EOL_LF);
// The whole export of a list, in list order, with no header or trailer.
std::string ExportText(const std::list<CPasswordInfo>& listInfo,
                       std::string_view strEol = EXPORT_EOL_LF);
// The same export converted to UTF-8 with codePage, handed to fnSink in
// pieces of about EXPORT_PIECE_BYTES, so the text is never held whole; the
// pieces are wiped once handed over. False as soon as fnSink fails.
inline constexpr std::size_t EXPORT_PIECE_BYTES = 64 * 1024;
bool WriteExportText(const std::list<CPasswordInfo>& listInfo, std::string_view strEol,
                     const CCodePage& codePage, const CByteSink& fnSink);
// The printed block of one record: labels padded to 14 characters.
std::string PrintBlockText(const CPasswordInfo& info);
