// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"
#include "core/store/FileIO.h"

#include <cstddef>
#include <functional>
#include <string>

class CCodePage;
struct SKdbxCredentials;

// A key file is read whole before it is hashed; larger ones are no key
// files anyone keeps. The text names the limit, so that translations can
// write it as their language does.
inline constexpr std::size_t MAX_KDBX_KEY_FILE_BYTES = std::size_t(64) << 20;
inline constexpr const char* KDBX_KEY_FILE_TOO_LARGE = KH_TEXT(
    "Keyhaven", "%1 is larger than 64 MB, the largest key file that is read; it was not read.");

// Reads the key file at strPath into credentials (bHasKeyFile and its
// bytes). A file that is not read leaves credentials as they were.
EFileError ReadKdbxKeyFile(const std::string& strPath, SKdbxCredentials& credentials);

// The message for a key file that was not read: one over the limit names
// the limit, others are told as for any file.
std::string KdbxKeyFileErrorMessage(EFileError eError, const std::string& strPath);

// Whether the typed text (code-page bytes) is the KEY of the open file.
using CKeyAccepted = std::function<bool(const std::string& strTypedKey)>;

// Whether the database's password, written in the open file's code page,
// is that file's KEY (fnAccepted tells): a ".pwd" gives its KEY away, so a
// database made from one must not open with it. A password the code page
// cannot write is no KEY; no password is none either.
bool IsPasswordTheKey(const SKdbxCredentials& credentials, const CCodePage& codePage,
                      const CKeyAccepted& fnAccepted);

// Wipes the password and the key file's bytes once the database is made or
// read.
void WipeKdbxCredentials(SKdbxCredentials& credentials);
