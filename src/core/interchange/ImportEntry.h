// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What an entry of another manager holds that an account cannot, counted
// for the import summary.
enum class ELeftOut { customField, oneTimePassword, attachment, tags, expiry, webSite, COUNT };

// A group of a source that holds a tree of them: its name and the group it
// lies in. The entries of a group share it, and its path is never copied,
// so that a deep tree costs each entry nothing more than a shallow one.
struct SImportGroup {
    const SImportGroup* pParent = nullptr; // null for the top of the path
    std::string strName;
};

// One entry as another manager's file gives it, in UTF-8, before it becomes
// an account. Every reader (CSV dialects, databases) produces these and the
// importer alone decides names, groups and what is refused.
struct SImportEntry {
    // The names of the groups from the top down, without the file's root;
    // an entry directly in the root has the root's name alone.
    std::vector<std::string> astrGroupPath;
    // A source with a tree of groups names the entry's group here instead of
    // in astrGroupPath. The pointer keeps the whole tree alive.
    std::shared_ptr<const SImportGroup> pGroup;
    std::string strTitle;
    std::string strUserName;
    std::string strPassword;
    std::string strUrl;
    std::string strNotes;
    std::string strEMail;
    // Further fields (key, value), from a source read for a file that holds
    // them (a KeePass database's, with SKdbxReadOptions::bKeepCustomFields);
    // otherwise counted in anLeftOut.
    std::vector<std::pair<std::string, std::string>> customFields;
    std::array<int, static_cast<int>(ELeftOut::COUNT)> anLeftOut{};
    // The columns of a CSV row that held a value no text above received, by
    // the labels of the file's header.
    std::vector<std::string> astrUnreadColumns;

    void LeaveOut(ELeftOut eWhat, int nCount = 1) { anLeftOut[static_cast<int>(eWhat)] += nCount; }

    // The group's path however it was given; it costs the path's length.
    std::vector<std::string> GroupPath() const {
        if (!pGroup)
            return astrGroupPath;
        std::vector<std::string> astrPath;
        for (const SImportGroup* p = pGroup.get(); p; p = p->pParent)
            astrPath.push_back(p->strName);
        std::reverse(astrPath.begin(), astrPath.end());
        return astrPath;
    }
};

// Whether a custom field of this name carries the e-mail address: "E-mail",
// "Email" or "email" in any case, with or without the hyphen.
bool IsEMailFieldName(const std::string& strName);

// Whether a custom field of this name holds a one-time password's settings
// ("otp", "TOTP Seed", "TOTP Settings"), which an account cannot carry.
bool IsOtpFieldName(const std::string& strName);
