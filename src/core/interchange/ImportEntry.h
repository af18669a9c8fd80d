// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

// What an entry of another manager holds that an account cannot, counted
// for the import summary.
enum class ELeftOut { customField, oneTimePassword, attachment, tags, expiry, webSite, COUNT };

// One entry as another manager's file gives it, in UTF-8, before it becomes
// an account. Every reader (CSV dialects, databases) produces these and the
// importer alone decides names, groups and what is refused.
struct SImportEntry {
    // The names of the groups from the top down, without the file's root;
    // an entry directly in the root has the root's name alone.
    std::vector<std::string> astrGroupPath;
    std::string strTitle;
    std::string strUserName;
    std::string strPassword;
    std::string strUrl;
    std::string strNotes;
    std::string strEMail;
    std::array<int, static_cast<int>(ELeftOut::COUNT)> anLeftOut{};
    // The columns of a CSV row that held a value no text above received, by
    // the labels of the file's header.
    std::vector<std::string> astrUnreadColumns;

    void LeaveOut(ELeftOut eWhat, int nCount = 1) { anLeftOut[static_cast<int>(eWhat)] += nCount; }
};

// Whether a custom field of this name carries the e-mail address: "E-mail",
// "Email" or "email" in any case, with or without the hyphen.
bool IsEMailFieldName(const std::string& strName);
