// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/FileIO.h"

#include <list>
#include <string>
#include <string_view>

class CCodePage;
class CPasswordInfo;

// The columns of the CSV export, which other managers read.
inline constexpr const char* CSV_EXPORT_COLUMNS[] = {"Group", "Title", "Username", "Password",
                                                     "URL",   "Notes", "E-mail"};
// The root group every exported group lies under, as the group paths of
// such exports begin with it.
inline constexpr const char* CSV_ROOT_GROUP = "Root";

// Appends one field of the export to strOut in double quotes, quotes
// doubled, then a comma, or the row's end when bLast. With bComments a
// "\r\n" is written as "\n", the export's line break.
void AppendCsvExportField(std::string& strOut, std::string_view strUtf8, bool bComments = false,
                          bool bLast = false);
// Appends the header row of CSV_EXPORT_COLUMNS.
void AppendCsvExportHeader(std::string& strOut);

// Writes the header and every account of the list as one CSV row in UTF-8,
// in list order: every name and field in double quotes with quotes doubled, rows ended by "\n",
// line breaks of the comments as "\n". Handed to fnSink in pieces that are
// wiped once handed over; false as soon as fnSink fails.
bool WriteCsvExport(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                    const CByteSink& fnSink);
