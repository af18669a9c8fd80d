// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/KdbxFile.h"
#include "core/kdbx/KdbxRecords.h"
#include "core/store/RecordDatabase.h"

// A KeePass database open in the program: kept whole, shown as records,
// and written back as KDBX 4 with only what the records changed.
class CKdbxDatabase : public CRecordDatabase {
public:
    explicit CKdbxDatabase(CKdbxFile database) : m_database(std::move(database)) {}

    void ShowRecords(std::list<CPasswordInfo>& records) override;
    SWritten Write(std::list<CPasswordInfo>& records, const CDatabaseKey& key,
                   std::string& strFile) override;
    std::string LossText(std::list<CPasswordInfo>& records, const CCodePage& codePage) override;
    std::list<CPasswordInfo> PasswordFileRecords(const CCodePage& codePage) override;
    // KDBX 3.1 until a save wrote it as KDBX 4.
    std::optional<std::string> FieldOf(const CPasswordInfo& record,
                                       std::string_view strKey) const override;
    std::optional<std::int64_t> ExpiryOf(const CPasswordInfo& record) const override;
    std::vector<SRecordField> CustomFieldsOf(const CPasswordInfo& record) const override;
    SRecordExtras ExtrasOf(const CPasswordInfo& record) const override;
    std::vector<SRecordVersion> HistoryOf(const CPasswordInfo& record) const override;
    void SetExtras(CPasswordInfo& record, SRecordExtras extras) override;
    bool IsOlderFormat() const override { return m_database.MajorVersion() < 4 && !m_bUpgraded; }

    const CKdbxFile& Database() const { return m_database; }

private:
    CKdbxFile m_database;
    CKdbxRecords m_records;
    bool m_bUpgraded = false;
};

// The ".kdbx" files, opened with a password, a key file or both.
class CKdbxDatabaseFormat : public CDatabaseFormat {
public:
    bool IsFormatOf(const std::string& strPath) const override;
    SOpened Open(std::string_view bytes, const CDatabaseKey& key, bool bAllowSlowKdf,
                 const CCancelToken& token) const override;
    // The import's question about a slow key derivation.
    std::string SlowOpenQuestion(std::string_view bytes, const std::string& strPath) const override;
    // Within the key files' limit, told as the import tells it.
    std::string ReadKeyFile(const std::string& strPath, CDatabaseKey& key) const override;
    // KDBX 4 with Argon2id and ChaCha20, as the exports make them.
    std::unique_ptr<CRecordDatabase> NewDatabase(std::string_view strName) const override;
    // Another Argon2id cost for new databases than the exports' (0: theirs).
    void SetNewDatabaseCost(std::uint64_t nMemoryBytes, std::uint64_t nPasses) {
        m_nNewMemory = nMemoryBytes;
        m_nNewPasses = nPasses;
    }

private:
    std::uint64_t m_nNewMemory = 0;
    std::uint64_t m_nNewPasses = 0;
};
