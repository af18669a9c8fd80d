// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"
#include "core/kdbx/KdbxFile.h"
#include "core/store/PasswordInfo.h"

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

// The texts of an entry that its account shows: the first String of each
// key, and the first custom field named as an e-mail ("E-mail", "email",
// any case) with its key. Views into the entry.
struct SKdbxEntryTexts {
    std::string_view strTitle;
    std::string_view strUserName;
    std::string_view strPassword;
    std::string_view strUrl;
    std::string_view strNotes;
    std::string_view strEMail;
    std::string_view strEMailKey; // empty when the entry has none
};
SKdbxEntryTexts KdbxEntryTexts(const CXmlElement& entry);
// Notes with their line breaks as "\r\n", as the account dialog edits them.
std::string KdbxNotesWithCrlf(std::string_view strNotes);
// The key of the entry's e-mail field; empty for none.
std::string KdbxEMailKey(const CXmlElement& entry);

// The bytes the group headers' paths take together, as Show names them:
// each holds the names of the groups above it, so a deep tree's paths grow
// as the square of its depth.
std::uint64_t KdbxShownPathBytes(const CKdbxFile& database);
// More than a window's tree may take: a database nested that deeply is no
// one's passwords.
inline constexpr std::uint64_t MAX_SHOWN_PATH_BYTES = std::uint64_t(64) << 20;

// A KeePass database shown as the records of a password file, and the
// records' changes brought back into it the way KeePass makes them.
//
// Each group the user keeps (KdbxGroupTree: neither the recycle bin nor
// history) is a group header named by its path below the root group
// ("Work/Mail"); the root group shows, under its own name, when it holds
// entries or is the only group. Each entry is an account: Title, UserName,
// Password, URL, Notes (line breaks as "\r\n", as the account dialog edits
// them) and its first e-mail field. Texts stay UTF-8. Everything else of
// the database is not shown and stays as it is.
class CKdbxRecords {
public:
    // Appends the records, each naming what it shows by its m_nEntryId.
    void Show(const CKdbxFile& database, std::list<CPasswordInfo>& records);

    // Brings the records into the database: a group renamed (its path
    // changed) is renamed and, when its parent path changed, moved; a new
    // group is made with its path; an account whose texts changed has its
    // entry edited (the earlier version into its history), one under another
    // group moves its entry there, a new one (or the second copy of one) is
    // added; an entry shown and missing from the records is deleted as
    // KeePass deletes, and so is a group shown and missing once it holds
    // nothing.
    // Every record then names its entry or group. True when a group's header
    // changed on the way: a group that moved with its parent shows the path
    // the database now gives it.
    bool Apply(CKdbxFile& database, std::list<CPasswordInfo>& records, std::int64_t nNow);

    // The entry the account stands for, as the database now holds it; none
    // for a group, a new account, or after the database changed otherwise
    // than through Apply.
    const CXmlElement* EntryOf(const CKdbxFile& database, const CPasswordInfo& record) const;

    // Keeps what the account is to hold beyond its texts until Apply brings
    // it into the entry, in the same change of its history as the texts. A
    // record that names no entry is given a name of its own for it (the
    // entry made for it takes the extras).
    void SetExtras(CPasswordInfo& record, SRecordExtras extras);
    // The extras kept for the record since the last Apply; none when none.
    const SRecordExtras* ExtrasSetFor(const CPasswordInfo& record) const;

private:
    struct SShown {
        std::string strUuid;
        bool bGroup = false;
        bool bRoot = false;  // the root group's header
        std::string strPath; // a group's path as shown
    };
    const SShown* ShownOf(const CPasswordInfo& record) const;

    // The UUID of the group the header stands for, renamed, moved or made.
    std::string ApplyGroup(CKdbxFile& database, const CPasswordInfo& record,
                           std::vector<bool>& claimed, std::int64_t nNow);
    void ApplyEntries(CKdbxFile& database, std::list<CPasswordInfo>& records,
                      std::vector<std::string>& recordUuids, std::vector<bool>& claimed,
                      std::int64_t nNow);
    // Edits the entry to hold the account's texts and the extras set for
    // it, as one change of its history; nothing when neither differs.
    void EditEntry(CKdbxFile& database, CXmlElement& entry, const CPasswordInfo& record,
                   std::int64_t nNow) const;
    // Takes the entries of those UUIDs out of their groups.
    static void TakeEntries(CXmlTree& xml, std::unordered_map<std::string, CXmlElement>& moving);
    void DeleteMissing(CKdbxFile& database, const std::vector<bool>& claimed, std::int64_t nNow);
    // Names every record's entry or group afresh, in the records' order.
    bool Renumber(const CKdbxFile& database, std::list<CPasswordInfo>& records,
                  std::vector<std::string>& recordUuids);

    std::vector<SShown> m_shown;                               // by m_nEntryId - 1
    std::unordered_map<std::uint32_t, SRecordExtras> m_extras; // by m_nEntryId
    // The entries by UUID, made when first asked after Show or Apply.
    mutable std::unordered_map<std::string_view, const CXmlElement*> m_entries;
    mutable bool m_bIndexed = false;
};
