// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/FileIO.h"
#include "core/store/PasswordInfo.h"

#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CCancelToken;
class CCodePage;

// The key of a database: its password (UTF-8) or none at all, which is not
// the same as an empty one, and the bytes of its key file or none. Both live
// in wiped memory; a copy is made only on purpose (Copy), for work that may
// outlive its caller.
class CDatabaseKey {
public:
    CDatabaseKey() = default;
    CDatabaseKey(CDatabaseKey&&) noexcept = default;
    CDatabaseKey& operator=(CDatabaseKey&&) noexcept = default;
    CDatabaseKey(const CDatabaseKey&) = delete;
    CDatabaseKey& operator=(const CDatabaseKey&) = delete;

    static CDatabaseKey OfPassword(std::string_view strPassword) {
        CDatabaseKey key;
        key.SetPassword(strPassword);
        return key;
    }
    void SetPassword(std::string_view strPassword) {
        m_password = CSecretBuffer(strPassword);
        m_bHasPassword = true;
    }
    void SetNoPassword() {
        m_password.Clear();
        m_bHasPassword = false;
    }
    void SetKeyFile(std::string_view bytes) {
        m_keyFile = CSecretBuffer(bytes);
        m_bHasKeyFile = true;
    }
    void DropKeyFile() {
        m_keyFile.Clear();
        m_bHasKeyFile = false;
    }
    bool HasPassword() const { return m_bHasPassword; }
    std::string_view Password() const { return m_password.View(); }
    bool HasKeyFile() const { return m_bHasKeyFile; }
    std::string_view KeyFile() const { return m_keyFile.View(); }
    // Whether it is a key at all: a password, a key file or both.
    bool IsSet() const { return m_bHasPassword || m_bHasKeyFile; }
    void Clear() {
        SetNoPassword();
        DropKeyFile();
    }
    // Whether other is this key: the same password (or none) and the same
    // key file bytes (or none), compared in constant time.
    bool IsSameKey(const CDatabaseKey& other) const {
        // Both comparisons run whatever the first found.
        const bool bSamePassword = CSecretBuffer::SameBytes(Password(), other.Password());
        const bool bSameKeyFile = CSecretBuffer::SameBytes(KeyFile(), other.KeyFile());
        return bSamePassword && bSameKeyFile && m_bHasPassword == other.m_bHasPassword &&
               m_bHasKeyFile == other.m_bHasKeyFile;
    }
    CDatabaseKey Copy() const {
        CDatabaseKey key;
        if (m_bHasPassword)
            key.SetPassword(Password());
        if (m_bHasKeyFile)
            key.SetKeyFile(KeyFile());
        return key;
    }

private:
    bool m_bHasPassword = false;
    CSecretBuffer m_password;
    bool m_bHasKeyFile = false;
    CSecretBuffer m_keyFile;
};

// A database file that holds more than the document's records show (a
// KeePass database: nested groups, custom fields, history, attachments, the
// settings of other programs). The document shows it as records, whose texts
// are UTF-8, and keeps the database itself beside them, so that a save
// changes only what the records changed and keeps everything else exactly as
// it was read.
//
// Each record names what it stands for by its m_nEntryId; records the
// database did not hand out (new ones) carry 0.

class CRecordDatabase {
public:
    virtual ~CRecordDatabase() = default;

    // Appends the records: every group the user keeps as a header named by
    // its path, followed by its accounts.
    virtual void ShowRecords(std::list<CPasswordInfo>& records) = 0;
    // Brings the records into the database (a changed account keeps its
    // earlier version in its history, a record missing is deleted as the
    // database deletes, a new one is added) and writes the database's file
    // under key into strFile. The records then name their
    // entries, new ones included.
    struct SWritten {
        bool bWritten = false;
        // A group header took the name the database gives it (a group that
        // moved with its parent): the views show the records afresh.
        bool bRecordsChanged = false;
        std::string strError; // why it was not written
    };
    virtual SWritten Write(std::list<CPasswordInfo>& records, const CDatabaseKey& key,
                           std::string& strFile) = 0;

    // What a password file of the code page would not keep of the database
    // once the records' changes are in it, in plain words ("\n" after each
    // line); empty when it keeps everything.
    virtual std::string LossText(std::list<CPasswordInfo>& records, const CCodePage& codePage) = 0;
    // The records a password file of the code page holds of the database
    // (as the records last brought into it), as an import makes them: group
    // paths as names, texts in the code page, what it cannot hold left out.
    virtual std::list<CPasswordInfo> PasswordFileRecords(const CCodePage& codePage) = 0;
    // Whether the file was read in an older version of its format, which
    // the next save replaces (older programs may not open the new one).
    virtual bool IsOlderFormat() const = 0;
    // A field of the entry the record stands for, as the database last had
    // it (read, or brought in by Write): its value, or nothing when the
    // record stands for no entry or the entry has no such field. Custom
    // fields too (a one-time password's settings).
    virtual std::optional<std::string> FieldOf(const CPasswordInfo& record,
                                               std::string_view strKey) const = 0;
    // When the entry the record stands for expires (Unix seconds); nothing
    // for one that never does.
    virtual std::optional<std::int64_t> ExpiryOf(const CPasswordInfo& record) const = 0;
    // The entry's fields that its account does not show, in the entry's
    // order: neither the six texts nor the one-time password's settings
    // (the code shows instead).
    virtual std::vector<SRecordField> CustomFieldsOf(const CPasswordInfo& record) const = 0;
    // What the account holds beyond its six texts: as last set for it, or
    // as its entry holds it; nothing for a new account.
    virtual SRecordExtras ExtrasOf(const CPasswordInfo& record) const = 0;
    // The earlier versions of the account's entry, oldest first.
    virtual std::vector<SRecordVersion> HistoryOf(const CPasswordInfo& record) const = 0;
    // Keeps what the account is to hold beyond its texts; the next Write
    // brings it into the entry with the texts, as one change of its
    // history. A record that stands for no entry yet is named here, so that
    // a copy of it takes the extras along.
    virtual void SetExtras(CPasswordInfo& record, SRecordExtras extras) = 0;
};

// Opens and makes the databases of one format; the program hands it to the
// document, which knows no format but its own.
class CDatabaseFormat {
public:
    virtual ~CDatabaseFormat() = default;

    // Whether the file at strPath is of this format (by its name).
    virtual bool IsFormatOf(const std::string& strPath) const = 0;

    enum class EOpen { opened, wrongKey, cancelled, refused };
    struct SOpened {
        EOpen eOpen = EOpen::refused;
        std::unique_ptr<CRecordDatabase> pDatabase;
        std::string strMessage; // why it was refused, for the user
    };
    // Opens a file's bytes with the key. Runs its key derivation, so it is
    // called on a worker thread; it stops early once token is set. A key
    // derivation that may take minutes runs only with bAllowSlowKdf (the
    // user agreed to SlowOpenQuestion); without it the file is refused.
    virtual SOpened Open(std::string_view bytes, const CDatabaseKey& key, bool bAllowSlowKdf,
                         const CCancelToken& token) const = 0;
    // The question to ask, default No, before the key derivation of the
    // file's bytes runs when it may take minutes; "" when it costs what
    // databases usually cost (or the open will tell what is wrong). strPath
    // names the file in it.
    virtual std::string SlowOpenQuestion(std::string_view bytes,
                                         const std::string& strPath) const = 0;
    // Reads the key file at strPath into key: "" when read, else the message
    // for the user (key left as it was).
    virtual std::string ReadKeyFile(const std::string& strPath, CDatabaseKey& key) const = 0;
    // A new empty database whose root group is named strName.
    virtual std::unique_ptr<CRecordDatabase> NewDatabase(std::string_view strName) const = 0;
};
