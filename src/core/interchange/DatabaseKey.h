// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include <string>

inline constexpr const char* DATABASE_KEY_NOTHING = KH_TEXT(
    "Keyhaven", "Give a password, a key file or both: a database cannot be opened with neither.");
inline constexpr const char* DATABASE_KEY_DIFFER =
    KH_TEXT("Keyhaven", "The two passwords differ. Type them again.");

// Why OK refuses the key typed for a database (UTF-8 texts), or none: "No
// password" without a key file is no key at all, and a new password must
// be typed the same twice (strConfirm is the password itself when the
// dialog asks once).
const char* DatabaseKeyRefusal(bool bNoPassword, const std::string& strPassword,
                               const std::string& strConfirm, const std::string& strKeyFile);
