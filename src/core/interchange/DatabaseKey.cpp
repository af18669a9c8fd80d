// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/DatabaseKey.h"

const char* DatabaseKeyRefusal(bool bNoPassword, const std::string& strPassword,
                               const std::string& strConfirm, const std::string& strKeyFile) {
    if (bNoPassword)
        return strKeyFile.empty() ? DATABASE_KEY_NOTHING : nullptr;
    return strPassword == strConfirm ? nullptr : DATABASE_KEY_DIFFER;
}
