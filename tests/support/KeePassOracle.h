// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxWriter.h"

#include <list>
#include <optional>
#include <string>
#include <vector>

// The database the program's writer makes of the records (texts in the
// default code page), or "" with the reason in strError.
std::string WrittenKdbx(const std::list<CPasswordInfo>& records,
                        const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
                        std::string& strError);

// keepassxc-cli as a second reader of KeePass databases: what it makes of a
// file is what other managers will.
bool HasKeePassCli();

struct SKeePassCliResult {
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

// Runs "keepassxc-cli" with the arguments (each quoted for the shell),
// strInput on standard input.
SKeePassCliResult RunKeePassCli(const std::vector<std::string>& astrArgs,
                                const std::string& strInput);

// "keepassxc-cli export --format xml" of a database, the password (when
// given) on standard input, the key file (when given) with -k.
SKeePassCliResult KeePassCliExportXml(const std::string& strDatabase,
                                      const std::optional<std::string>& strPassword,
                                      const std::string& strKeyFile = {});

// The contents of a database's XML as an outline that ignores what any
// writer is free to choose (UUIDs, times, order of fields): one line per
// group ("G name", indented by its depth) and per entry ("E" and then its
// fields "Key=Value" sorted by key, line breaks as "\n"). Entries in
// History are left out.
std::string KdbxXmlOutline(const std::string& strXml);
