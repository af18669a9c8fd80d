// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include <functional>
#include <string>

class CCofferDoc;
class CFileSession;
class CPrompts;
struct SKdbxCredentials;

inline constexpr const char* EXPORT_TITLE = KH_TEXT("Keyhaven", "Select a file to export");
// The chosen filter gives a name typed without an extension its extension,
// and the extension names the format; any other extension is text.
inline constexpr const char* EXPORT_FILTERS =
    KH_TEXT("Keyhaven", "Text files (*.txt);;KeePass database (*.kdbx);;CSV (*.csv)");
inline constexpr const char* EXPORT_EXTENSION = ".txt";
inline constexpr const char* EXPORT_CSV_EXTENSION = ".csv";
inline constexpr const char* EXPORT_KDBX_EXTENSION = ".kdbx";
// A ".pwd" gives its KEY away, so a database exported from one must not be
// locked with it.
inline constexpr const char* EXPORT_KDBX_KEY_GIVEN_AWAY = KH_TEXT(
    "Keyhaven",
    "The new password must differ from the KEY of %1: the KEY of a .pwd file can be recovered "
    "from any copy of that file, so it would open the database too.");
inline constexpr const char* EXPORT_WRITING = KH_TEXT("Keyhaven", "Writing %1 ...");
// Asked before a plain text or CSV file is written.
inline constexpr const char* EXPORT_PLAIN_WARNING =
    KH_TEXT("Keyhaven",
            "%1 will hold every password of this file as plain text: anyone who can read it reads "
            "them all, and no KEY protects it.\n\nExport anyway?");

// Told once an export is written, with the full path of what it wrote.
inline constexpr const char* EXPORT_WRITTEN = KH_TEXT("Keyhaven", "Exported to %1");

enum class EExportFormat { text, csv, kdbx };

// The format an export target's extension names: ".csv" and ".kdbx" in any
// case name theirs, every other name text.
EExportFormat ExportFormatOf(const std::string& strPath);

// File > Export: the whole file written to a new file of the current user
// only (0600), in one step, in the format the save prompt's choice names:
// text or CSV after the question about plain text, a KeePass database under
// a new password typed twice and an optional key file.
// A file that cannot be written is reported and left as it was (or not made
// at all); the password file itself is never the target.
class CExportCommand {
public:
    // Receives EXPORT_WRITTEN for the path after each export that was
    // written, for the window to show where it went.
    using CWritten = std::function<void(const std::string& strText)>;

    CExportCommand(CFileSession& session, CPrompts& prompts);

    void SetWrittenHandler(CWritten fnWritten) { m_fnWritten = std::move(fnWritten); }

    // An open file with its KEY.
    bool IsEnabled() const;
    void OnFileExport();
    // Writes the export to strPath after the plain-text question; false when
    // nothing was written.
    bool ExportTo(const std::string& strPath);

private:
    void ShowError(const std::string& strText) const;
    // The key of the new database, asked until one is acceptable; false on
    // cancel.
    bool AskDatabaseKey(const std::string& strPath, SKdbxCredentials& credentials);
    bool WriteDatabase(const std::string& strPath);
    bool Written(const std::string& strPath) const;

    CFileSession& m_session;
    CCofferDoc& m_doc;
    CPrompts& m_prompts;
    CWritten m_fnWritten;
};
