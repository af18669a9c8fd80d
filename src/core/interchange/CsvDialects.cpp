// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvDialects.h"

#include "core/interchange/CsvHeader.h"
#include "core/interchange/CsvRow.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// The group of the managers that keep no folders.
constexpr const char* IMPORTED_GROUP = "Imported";
// The group of the entries of a manager with folders that are in none.
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

// The items of a list such as "https://a.example, https://b.example".
std::vector<std::string> ListItems(const std::string& strText) {
    std::vector<std::string> astrItems;
    for (const std::string& strPart : Split(strText, ',')) {
        if (IsBlank(strPart))
            continue;
        const std::size_t nFirst = strPart.find_first_not_of(" \t");
        astrItems.push_back(strPart.substr(nFirst, strPart.find_last_not_of(" \t") - nFirst + 1));
    }
    return astrItems;
}

// The number of elements at the top level of a JSON array, such as
// ["https://a.example", "https://b.example"] or [{"label": "PIN"}]; 0 for
// text that is no array.
std::size_t JsonArrayLength(std::string_view strText) {
    const std::size_t nOpen = strText.find_first_not_of(" \t\r\n");
    if (nOpen == std::string_view::npos || strText[nOpen] != '[')
        return 0;
    std::size_t nElements = 0;
    std::size_t nDepth = 0; // inside the array's elements
    bool bExpecting = true; // the next thing at the top starts an element
    bool bInString = false;
    for (std::size_t i = nOpen + 1; i < strText.size(); ++i) {
        const char c = strText[i];
        if (bInString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                bInString = false;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if ((c == ']' || c == '}') && nDepth == 0)
            break;
        if (nDepth == 0 && c == ',') {
            bExpecting = true;
            continue;
        }
        if (nDepth == 0 && bExpecting) {
            ++nElements;
            bExpecting = false;
        }
        if (c == '"')
            bInString = true;
        else if (c == '[' || c == '{')
            ++nDepth;
        else if (c == ']' || c == '}')
            --nDepth;
    }
    return nElements;
}

// The items of a JSON array or, when the text is none, of a comma-separated
// list.
int CountItems(const std::string& strList) {
    const std::size_t nFirst = strList.find_first_not_of(" \t\r\n");
    const std::size_t nItems = nFirst != std::string::npos && strList[nFirst] == '['
                                   ? JsonArrayLength(strList)
                                   : ListItems(strList).size();
    return static_cast<int>(nItems);
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

// The first web site of a list is the account's, the others are counted.
void TakeWebSites(const std::string& strList, SImportEntry& entry) {
    const std::vector<std::string> astrUrls = ListItems(strList);
    if (astrUrls.empty())
        return;
    entry.strUrl = astrUrls.front();
    entry.LeaveOut(ELeftOut::webSite, static_cast<int>(astrUrls.size() - 1));
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
        TakeWebSites(row.Take("login_uri"), entry);
        entry.strUserName = row.Take("login_username");
        entry.strPassword = row.Take("login_password");
        CountIfSet(row.Take("login_totp"), ELeftOut::oneTimePassword, entry);
    }
    ReadFieldLines(row.Take("fields"), entry);
    return true;
}

bool ReadBrowserRow(CCsvRow& row, SImportEntry& entry) {
    entry.strUrl = row.Take("url");
    // Firefox lists the login of its own account, which syncs the browser,
    // among the passwords; it belongs to no web site.
    if (entry.strUrl.starts_with("chrome://FirefoxAccounts"))
        return false;
    entry.astrGroupPath = {IMPORTED_GROUP};
    entry.strTitle = TitleOrHost(row.Take("name"), entry.strUrl);
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strNotes = row.Take("note");
    return true;
}

// A manager without folders whose rows have a title and may carry a
// one-time password, tags and marks (favourite, archived).
bool ReadTitledRow(CCsvRow& row, SImportEntry& entry) {
    entry.astrGroupPath = {IMPORTED_GROUP};
    entry.strUrl = row.Take("url");
    entry.strTitle = TitleOrHost(row.Take("title"), entry.strUrl);
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strNotes = row.Take("notes");
    CountIfSet(row.Take("otpauth"), ELeftOut::oneTimePassword, entry);
    CountIfSet(row.Take("tags"), ELeftOut::tags, entry);
    row.TakeUnlessSet("favorite");
    row.TakeUnlessSet("archived");
    return true;
}

bool ReadLastPassRow(CCsvRow& row, SImportEntry& entry) {
    // A secure note has the web address "http://sn" and its text in extra.
    const std::string strUrl = row.Take("url");
    entry.strUrl = strUrl == "http://sn" ? std::string() : strUrl;
    entry.strTitle = row.Take("name");
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strNotes = row.Take("extra");
    // Folders within folders are separated by backslashes.
    const std::string strGrouping = row.Take("grouping");
    entry.astrGroupPath =
        FolderPath(strGrouping == "(none)" ? std::vector<std::string>{} : Split(strGrouping, '\\'));
    CountIfSet(row.Take("totp"), ELeftOut::oneTimePassword, entry);
    row.TakeUnlessSet("fav");
    return true;
}

bool ReadDashlaneRow(CCsvRow& row, SImportEntry& entry) {
    entry.astrGroupPath = FolderPath({row.Take("category")});
    entry.strTitle = row.Take("title");
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strUrl = row.Take("url");
    entry.strNotes = row.Take("note");
    // Older exports give the secret, newer ones an otpauth:// address.
    const bool bSecret = !IsBlank(row.Take("otpsecret"));
    const bool bAddress = !IsBlank(row.Take("otpurl"));
    if (bSecret || bAddress)
        entry.LeaveOut(ELeftOut::oneTimePassword);
    return true;
}

bool ReadNordPassRow(CCsvRow& row, SImportEntry& entry) {
    // A folder has a row of its own, which only names it.
    if (LowerTrimmed(row.Take("type")) == "folder")
        return false;
    entry.astrGroupPath = FolderPath({row.Take("shared_folder"), row.Take("folder")});
    entry.strTitle = row.Take("name");
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strUrl = row.Take("url");
    entry.strNotes = row.Take("note");
    entry.strEMail = row.Take("email");
    // Further web sites and custom fields come as JSON arrays.
    entry.LeaveOut(ELeftOut::webSite, CountItems(row.Take("additional_urls")));
    entry.LeaveOut(ELeftOut::customField, CountItems(row.Take("custom_fields")));
    return true;
}

bool ReadProtonRow(CCsvRow& row, SImportEntry& entry) {
    // Every kind of item lands in the texts: a card's or an identity's
    // details come as JSON in the note, an alias's address as the e-mail.
    row.Take("type");
    entry.astrGroupPath = FolderPath({row.Take("vault")});
    entry.strTitle = row.Take("name");
    entry.strUserName = row.Take("username");
    entry.strPassword = row.Take("password");
    entry.strEMail = row.Take("email");
    entry.strNotes = row.Take("note");
    CountIfSet(row.Take("totp"), ELeftOut::oneTimePassword, entry);
    // url lists the web sites filled in by default; newer exports also list
    // every web site, whatever its mode, as JSON in autofillUrls.
    const std::vector<std::string> astrUrls = ListItems(row.Take("url"));
    const std::string strAll = row.Take("autofillurls");
    if (!astrUrls.empty())
        entry.strUrl = astrUrls.front();
    const int nAll = std::max(static_cast<int>(astrUrls.size()), CountItems(strAll));
    const int nKept = entry.strUrl.empty() ? 0 : 1;
    entry.LeaveOut(ELeftOut::webSite, std::max(nAll - nKept, 0));
    return true;
}

constexpr SCsvDialect DIALECTS[] = {
    {"KeePassXC", "Group, Title, Username, Password, URL, Notes", "", ReadGroupPathRow},
    {"Bitwarden", "folder, name, notes, login_uri, login_username, login_password", "",
     ReadFoldersRow},
    {"1Password", "Title, Url, Username, Password, OTPAuth, Favorite, Archived, Tags, Notes", "",
     ReadTitledRow},
    {"Safari", "Title, URL, Username, Password, Notes, OTPAuth", "", ReadTitledRow},
    {"LastPass", "url, username, password, extra, name, grouping", " (totp, fav optional)",
     ReadLastPassRow},
    {"Dashlane", "username, title, password, note, url, category", " (otpSecret optional)",
     ReadDashlaneRow},
    {"NordPass", "name, url, username, password, note, folder, type", "", ReadNordPassRow},
    {"Proton Pass", "type, name, url, username, password, note, vault", " (email, totp optional)",
     ReadProtonRow},
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
