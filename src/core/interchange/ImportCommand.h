// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include "core/interchange/CsvImport.h"
#include "core/interchange/ImportEntry.h"
#include "core/store/FileIO.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCofferDoc;
class CFileSession;
class CEditPrompts;
class CPrompts;
struct SKdbxKdfParams;

inline constexpr const char* IMPORT_TITLE = KH_TEXT("Keyhaven", "Select a file to import");
inline constexpr const char* IMPORT_FILTERS =
    KH_TEXT("Keyhaven", "KeePass database (*.kdbx);;CSV (*.csv);;All files (*)");
// Shown while a database's key is derived and its entries read.
inline constexpr const char* IMPORT_OPENING = KH_TEXT("Keyhaven", "Opening %1 ...");
// Cancel pressed while the database was read, and a lock that came meanwhile.
inline constexpr const char* IMPORT_CANCELLED =
    KH_TEXT("Keyhaven", "The import of %1 was cancelled; nothing was imported.");
inline constexpr const char* IMPORT_STOPPED_BY_LOCK =
    KH_TEXT("Keyhaven", "Keyhaven locked while %1 was being read: the import was cancelled and "
                        "nothing was imported.");
// The largest KeePass database an import reads: as large as any file the
// program reads (its reader bounds what it inflates to). A CSV file, held
// and parsed whole, has the lower MAX_CSV_BYTES.
inline constexpr std::size_t MAX_KDBX_IMPORT_BYTES = MAX_FILE_BYTES;
// Sources over their type's limit; the texts name the limits, so that
// translations can write them as their language does.
static_assert(MAX_CSV_BYTES == std::size_t(256) << 20 && MAX_KDBX_IMPORT_BYTES == 1u << 30);
inline constexpr const char* IMPORT_CSV_TOO_LARGE = KH_TEXT(
    "Keyhaven",
    "%1 is larger than 256 MB, the largest CSV file that can be imported; it was not read.");
inline constexpr const char* IMPORT_KDBX_TOO_LARGE =
    KH_TEXT("Keyhaven", "%1 is larger than 1 GB, the largest KeePass database that can be "
                        "imported; it was not read.");
// A source that was read but is not one the importer understands.
inline constexpr const char* IMPORT_REFUSED = KH_TEXT("Keyhaven", "%1 cannot be imported. %2");
// Asked, default No, before a database's key derivation that may take
// minutes: %2 is IMPORT_AES_COST, or IDS_SEAL_COST.
inline constexpr const char* IMPORT_SLOW_KDF =
    KH_TEXT("Keyhaven", "%1 asks for %2 to turn its password into its key, more than four times "
                        "what KeePassXC makes a new database take. That may take minutes and slow "
                        "the whole computer down.\n\nGo on anyway?");
inline constexpr SCountText IMPORT_AES_COST =
    KH_COUNT("Keyhaven", "%n rounds of AES-KDF", "%n round of AES-KDF");

// The question IMPORT_SLOW_KDF about the key derivation kdf of the database
// at strPath.
std::string SlowKdfQuestion(const std::string& strPath, const SKdbxKdfParams& kdf);

// A failure reading the source at strPath, a database (bDatabase) or a CSV
// file: a source over its limit names that limit, others are told as for
// any file.
std::string ImportReadErrorMessage(EFileError eError, const std::string& strPath, bool bDatabase);

// What an import brought into the document, for the view to show: the
// groups that received accounts and the first account imported (code-page
// bytes).
struct SImportShown {
    std::vector<std::string> m_astrGroups;
    std::string m_strFirstGroup;
    std::string m_strFirstAccount;
};

// File > Import: another manager's export (a KeePass database, which asks
// for its password and key file, or a CSV file) read into the open file as
// one change. A source that cannot be read or is not understood is reported and
// changes nothing; an account name that a receiving group already holds is
// asked about with the Account Replace Confirm dialog, as a drop asks. The
// database's reading may be cancelled, and a lock stops it: either leaves
// the document as it was, and says so.
class CImportCommand {
public:
    // fnShow rebuilds whatever shows the document from its list; it runs
    // after the import and before the automatic save.
    using CShow = std::function<void(const SImportShown&)>;

    CImportCommand(CFileSession& session, CPrompts& prompts, CEditPrompts& editPrompts);

    // An open file with its KEY.
    bool IsEnabled() const;
    // The open prompt, then ImportFile.
    void OnFileImport(const CShow& fnShow);
    // Imports strPath; the summary ends it in a message box. False when the
    // document did not change.
    bool ImportFile(const std::string& strPath, const CShow& fnShow);

private:
    enum class ERead { read, refused, cancelled, interrupted };

    void ShowError(const std::string& strText) const;
    // Whether the database's key derivation may run: a slow one only when
    // the user said Yes, one that never runs is reported.
    bool ConfirmKdf(const std::string& strPath, const std::string& strBytes, bool& bAllowSlowKdf);
    // The entries of a database, read under the key the user gives. Refused
    // when the user cancelled the key or the database cannot be read
    // (reported); cancelled or interrupted when its reading was. The bytes
    // are shared with the reading, which may outlive the call.
    ERead ReadDatabase(const std::string& strPath, std::shared_ptr<const std::string> pBytes,
                       std::vector<SImportEntry>& entries);
    // The whole source, read within its type's limit (the type from its
    // first bytes); false when it was not read (reported).
    bool ReadSource(const std::string& strPath, std::string& strBytes);
    // Whether the CSV text is understood, all of it; reported when not.
    bool CheckCsv(const std::string& strPath, const std::string& strText);

    CFileSession& m_session;
    CCofferDoc& m_doc;
    CPrompts& m_prompts;
    CEditPrompts& m_editPrompts;
};
