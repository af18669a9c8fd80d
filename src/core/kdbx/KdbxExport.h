// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/XmlTree.h"
#include "core/store/FileIO.h"

#include <string>
#include <string_view>

// A KeePass database's entries in the layouts the password files are shown
// and exported in, so that a script reads both alike. Texts are the
// database's own UTF-8; a group is named by its path (KdbxGroupTree), since
// neither layout nests groups.

// What a protected custom field shows unless protected fields are shown.
inline constexpr std::string_view KDBX_PROTECTED_MASK = "(protected)";

// One entry in the export layout of an account (ExportRecordText): Title,
// UserName, Password, URL, the first custom field named as an e-mail
// (IsEMailFieldName) and Notes under the account's labels, then every other
// custom field as "Key: value" in the file's order, a protected one masked
// unless bShowProtected, and an empty line. The Password is shown as an
// account's is.
std::string KdbxEntryText(const CXmlElement& entry, bool bShowProtected,
                          std::string_view strEol = "\n");

// Every group of KdbxGroupTree with its banner, followed by its entries as
// KdbxEntryText gives them with every field shown, in pieces to fnSink
// (wiped once handed over); false as soon as fnSink fails.
bool WriteKdbxExportText(const CXmlTree& xml, std::string_view strEol, const CByteSink& fnSink);

// The CSV export (WriteCsvExport's columns and quoting) of every entry of
// KdbxGroupTree; the Group column holds the root group's name and the
// group's path below it ("Root/Work/Mail"), as KeePass exports do.
bool WriteKdbxCsvExport(const CXmlTree& xml, const CByteSink& fnSink);
