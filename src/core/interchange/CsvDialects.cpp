// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvDialects.h"

#include "core/interchange/CsvHeader.h"
#include "core/interchange/CsvRow.h"

#include <string_view>
#include <vector>

namespace {

// The group of the web browsers' password lists.
constexpr const char* IMPORTED_GROUP = "Imported";
// The group of the entries in no folder.
constexpr const char* NO_FOLDER = "(no folder)";

std::vector<std::string> Split(const std::string& strText, char cSeparator) {
    std::vector<std::string> astrParts;
    for (std::size_t nStart = 0;;) {
        const std::size_t nEnd = strText.find(cSeparator, nStart);
        astrParts.push_back(strText.substr(nStart, nEnd - nStart));
        if (nEnd == std::string::npos)
            return astrParts;
        nStart = nEnd + 1;
    }
}

// The host of a web address: "https://user@mail.example.com:8443/login"
// gives "mail.example.com".
std::string HostOf(const std::string& strUrl) {
    std::size_t nStart = strUrl.find("://");
    nStart = nStart == std::string::npos ? 0 : nStart + 3;
    std::string strHost = strUrl.substr(nStart, strUrl.find_first_of("/?#", nStart) - nStart);
    const auto nAt = strHost.rfind('@');
    if (nAt != std::string::npos)
        strHost.erase(0, nAt + 1);
    if (!strHost.starts_with('[')) {
        const auto nColon = strHost.find(':');
        if (nColon != std::string::npos)
            strHost.erase(nColon);
    }
    return strHost;
}

void CountIfSet(const std::string& strValue, ELeftOut eWhat, SImportEntry& entry) {
    if (!IsBlank(strValue))
        entry.LeaveOut(eWhat);
}

// A folder's name as the group, or the group of entries in no folder.
std::vector<std::string> FolderPath(std::vector<std::string> astrFolders) {
    std::erase_if(astrFolders, [](const std::string& strName) { return strName.empty(); });
    if (astrFolders.empty())
        astrFolders.emplace_back(NO_FOLDER);
    return astrFolders;
}

// Without a title the web site's host names the account.
std::string TitleOrHost(const std::string& strTitle, const std::string& strUrl) {
    return strTitle.empty() ? HostOf(strUrl) : strTitle;
}

bool ReadGroupPathRow(CCsvRow& row, SImportEntry& entry) {
    // The path runs from the root group, whose name is dropped unless it is
    // all there is: entries directly in the root go to a group named after it.
    std::vector<std::string> astrPath = Split(row.Take("group"), '/');
    if (astrPath.size() > 1)
        astrPath.erase(astrPath.begin());
    entry.astrGroupPath = std::move(astrPath);
    entry.strTitle = row.Take("title");
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strUrl = row.Take("url");
    entry.strNotes = row.Take("notes");
    entry.strEMail = row.Take("e-mail");
    if (entry.strEMail.empty())
        entry.strEMail = row.Take("email");
    CountIfSet(row.Take("totp"), ELeftOut::oneTimePassword, entry);
    CountIfSet(row.Take("tags"), ELeftOut::tags, entry);
    CountIfSet(row.Take("expires"), ELeftOut::expiry, entry);
    row.TakeUnlessSet("icon");
    return true;
}

// Custom fields come one a line as "name: value"; an e-mail field fills the
// account's e-mail, the others cannot be carried.
void ReadFieldLines(const std::string& strFields, SImportEntry& entry) {
    for (std::size_t nStart = 0; nStart < strFields.size();) {
        std::size_t nEnd = strFields.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = strFields.size();
        std::string strLine = strFields.substr(nStart, nEnd - nStart);
        if (strLine.ends_with('\r'))
            strLine.pop_back();
        nStart = nEnd + 1;
        if (strLine.empty())
            continue;
        const std::size_t nColon = strLine.find(": ");
        if (nColon != std::string::npos && IsEMailFieldName(strLine.substr(0, nColon)) &&
            entry.strEMail.empty())
            entry.strEMail = strLine.substr(nColon + 2);
        else
            entry.LeaveOut(ELeftOut::customField);
    }
}

bool ReadFoldersRow(CCsvRow& row, SImportEntry& entry) {
    entry.astrGroupPath = FolderPath({row.Take("folder")});
    entry.strTitle = row.Take("name");
    entry.strNotes = row.Take("notes");
    row.TakeUnlessSet("favorite");
    row.TakeUnlessSet("reprompt");
    // A secure note has no login: it becomes an account with only comments.
    if (LowerTrimmed(row.Take("type")) != "note") {
        entry.strUrl = row.Take("login_uri");
        entry.strUserName = row.Take("login_username");
        entry.strPassword = row.Take("login_password");
        CountIfSet(row.Take("login_totp"), ELeftOut::oneTimePassword, entry);
    }
    ReadFieldLines(row.Take("fields"), entry);
    return true;
}

bool ReadBrowserRow(CCsvRow& row, SImportEntry& entry) {
    entry.strUrl = row.Take("url");
    entry.astrGroupPath = {IMPORTED_GROUP};
    entry.strTitle = TitleOrHost(row.Take("name"), entry.strUrl);
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strNotes = row.Take("note");
    return true;
}

constexpr SCsvDialect DIALECTS[] = {
    {"KeePassXC", "Group, Title, Username, Password, URL, Notes", "", ReadGroupPathRow},
    {"Bitwarden", "folder, name, notes, login_uri, login_username, login_password", "",
     ReadFoldersRow},
    {"Chrome, Chromium, Firefox", "url, username, password", " (name optional)", ReadBrowserRow},
};

} // namespace

const SCsvDialect* FindCsvDialect(const CCsvHeader& header) {
    for (const SCsvDialect& dialect : DIALECTS) {
        if (header.HasAll(dialect.pszColumns))
            return &dialect;
    }
    return nullptr;
}

std::string CsvHeadersUnderstood() {
    std::string strText = "The headers understood are:";
    for (const SCsvDialect& dialect : DIALECTS)
        strText +=
            std::string("\n  ") + dialect.pszName + ": " + dialect.pszColumns + dialect.pszRemark;
    return strText;
}
