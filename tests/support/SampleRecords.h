// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/PasswordInfo.h"

#include <string>

// Records built field by field, for tests that lay out a file's list
// themselves. Texts are bytes of the file's code page.
CPasswordInfo GroupRecord(const std::string& strName);
CPasswordInfo AccountRecord(const std::string& strName, const std::string& strUser = {},
                            const std::string& strPassword = {}, const std::string& strWebSite = {},
                            const std::string& strEMail = {}, const std::string& strComments = {});
