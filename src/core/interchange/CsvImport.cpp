// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvImport.h"

#include "core/interchange/CsvReader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

constexpr const char* HEADERS_UNDERSTOOD =
    "The headers understood are:\n"
    "  KeePassXC: Group, Title, Username, Password, URL, Notes\n"
    "  Bitwarden: folder, name, notes, login_uri, login_username, login_password\n"
    "  Chrome, Chromium, Firefox: url, username, password (name optional)";

std::string Lower(std::string_view strText) {
    std::string strLower(strText);
    for (char& c : strLower)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return strLower;
}

std::string Trimmed(std::string_view strText) {
    const auto nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string_view::npos)
        return {};
    return std::string(strText.substr(nFirst, strText.find_last_not_of(" \t") - nFirst + 1));
}

// The columns a dialect reads, found by name in the header (case ignored).
class CColumns {
public:
    explicit CColumns(const std::vector<std::string>& astrHeader) {
        for (const std::string& strName : astrHeader)
            m_astrNames.push_back(Lower(Trimmed(strName)));
    }
    std::optional<std::size_t> Find(std::string_view strName) const {
        const auto it = std::find(m_astrNames.begin(), m_astrNames.end(), strName);
        if (it == m_astrNames.end())
            return std::nullopt;
        return static_cast<std::size_t>(it - m_astrNames.begin());
    }
    bool HasAll(std::initializer_list<std::string_view> names) const {
        return std::all_of(names.begin(), names.end(),
                           [this](std::string_view strName) { return Find(strName).has_value(); });
    }

private:
    std::vector<std::string> m_astrNames;
};

// A field of a row by its column; a short row lacks the last fields.
class CRow {
public:
    CRow(const CColumns& columns, const std::vector<std::string>& astrRow)
        : m_columns(columns), m_astrRow(astrRow) {}
    std::string operator[](std::string_view strName) const {
        const auto nColumn = m_columns.Find(strName);
        return nColumn && *nColumn < m_astrRow.size() ? m_astrRow[*nColumn] : std::string();
    }

private:
    const CColumns& m_columns;
    const std::vector<std::string>& m_astrRow;
};

std::vector<std::string> SplitPath(const std::string& strPath) {
    std::vector<std::string> astrParts;
    std::size_t nStart = 0;
    for (;;) {
        const std::size_t nSlash = strPath.find('/', nStart);
        astrParts.push_back(strPath.substr(nStart, nSlash - nStart));
        if (nSlash == std::string::npos)
            return astrParts;
        nStart = nSlash + 1;
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

void ReadGroupPathRow(const CRow& row, SImportEntry& entry) {
    // The path runs from the root group, whose name is dropped unless it is
    // all there is: entries directly in the root go to a group named after it.
    std::vector<std::string> astrPath = SplitPath(row["group"]);
    if (astrPath.size() > 1)
        astrPath.erase(astrPath.begin());
    entry.astrGroupPath = std::move(astrPath);
    entry.strTitle = row["title"];
    entry.strUserName = row["username"];
    entry.strPassword = row["password"];
    entry.strUrl = row["url"];
    entry.strNotes = row["notes"];
    entry.strEMail = row["e-mail"];
    if (!row["totp"].empty())
        entry.LeaveOut(ELeftOut::oneTimePassword);
    if (!row["tags"].empty())
        entry.LeaveOut(ELeftOut::tags);
    if (!row["expires"].empty())
        entry.LeaveOut(ELeftOut::expiry);
}

void ReadFoldersRow(const CRow& row, SImportEntry& entry) {
    const std::string strFolder = row["folder"];
    entry.astrGroupPath = {strFolder.empty() ? std::string("(no folder)") : strFolder};
    entry.strTitle = row["name"];
    entry.strNotes = row["notes"];
    // A secure note has no login: it becomes an account with only comments.
    if (Lower(row["type"]) != "note") {
        entry.strUrl = row["login_uri"];
        entry.strUserName = row["login_username"];
        entry.strPassword = row["login_password"];
        if (!row["login_totp"].empty())
            entry.LeaveOut(ELeftOut::oneTimePassword);
    }
    // Custom fields come one a line as "name: value"; an e-mail field fills
    // the account's e-mail, the others cannot be carried.
    const std::string strFields = row["fields"];
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

void ReadBrowserRow(const CRow& row, SImportEntry& entry) {
    entry.astrGroupPath = {"Imported"};
    entry.strUrl = row["url"];
    entry.strTitle = row["name"];
    if (entry.strTitle.empty())
        entry.strTitle = HostOf(entry.strUrl);
    entry.strUserName = row["username"];
    entry.strPassword = row["password"];
    entry.strNotes = row["note"];
}

std::optional<ECsvDialect> DialectOf(const CColumns& columns) {
    if (columns.HasAll({"group", "title", "username", "password", "url", "notes"}))
        return ECsvDialect::groupPath;
    if (columns.HasAll(
            {"folder", "name", "notes", "login_uri", "login_username", "login_password"}))
        return ECsvDialect::folders;
    if (columns.HasAll({"url", "username", "password"}))
        return ECsvDialect::browser;
    return std::nullopt;
}

} // namespace

bool IsEMailFieldName(const std::string& strName) {
    const std::string strLower = Lower(strName);
    return strLower == "email" || strLower == "e-mail";
}

bool ReadCsvEntries(std::string_view strText,
                    const std::function<void(const SImportEntry&)>& fnEntry, std::string& strError,
                    std::size_t nMaxEntries) {
    CCsvReader reader(strText);
    std::vector<std::string> astrRow;
    CCsvReader::EResult eResult = reader.NextRow(astrRow);
    if (eResult == CCsvReader::EResult::openQuote) {
        strError = "The header line has a quote that is never closed.";
        return false;
    }
    const CColumns columns(astrRow);
    const std::optional<ECsvDialect> eDialect = DialectOf(columns);
    if (eResult == CCsvReader::EResult::end || !eDialect) {
        strError =
            std::string("The first line is no header this program knows.\n") + HEADERS_UNDERSTOOD;
        return false;
    }
    std::size_t nEntries = 0;
    while ((eResult = reader.NextRow(astrRow)) == CCsvReader::EResult::row) {
        if (std::all_of(astrRow.begin(), astrRow.end(),
                        [](const std::string& strField) { return strField.empty(); }))
            continue;
        if (++nEntries > nMaxEntries) {
            strError = "The file holds more than " + std::to_string(nMaxEntries) +
                       " entries, more than one import takes.";
            return false;
        }
        const CRow row(columns, astrRow);
        SImportEntry entry;
        switch (*eDialect) {
        case ECsvDialect::groupPath:
            ReadGroupPathRow(row, entry);
            break;
        case ECsvDialect::folders:
            ReadFoldersRow(row, entry);
            break;
        case ECsvDialect::browser:
            ReadBrowserRow(row, entry);
            break;
        }
        fnEntry(entry);
    }
    if (eResult == CCsvReader::EResult::openQuote) {
        strError =
            "The quote opened on line " + std::to_string(reader.RowLine()) + " is never closed.";
        return false;
    }
    return true;
}
