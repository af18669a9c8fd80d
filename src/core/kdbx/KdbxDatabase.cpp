// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxDatabase.h"

#include "core/base/TextUtil.h"
#include "core/interchange/ImportCommand.h"
#include "core/interchange/Importer.h"
#include "core/interchange/KdbxCredentials.h"
#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxExtras.h"
#include "core/kdbx/KdbxImport.h"
#include "core/kdbx/KdbxLoss.h"
#include "core/otp/OtpSettings.h"
#include "core/store/CofferDoc.h"

#include <ctime>
#include <span>

namespace {

// The key as the reader and writer take it, wiped however the read or
// write ends.
struct SKeyCredentials {
    explicit SKeyCredentials(const CDatabaseKey& key) {
        credentials.bHasPassword = key.HasPassword();
        credentials.strPassword.assign(key.Password());
        credentials.bHasKeyFile = key.HasKeyFile();
        credentials.keyFile.assign(key.KeyFile().begin(), key.KeyFile().end());
    }
    ~SKeyCredentials() { WipeKdbxCredentials(credentials); }
    SKeyCredentials(const SKeyCredentials&) = delete;
    SKeyCredentials& operator=(const SKeyCredentials&) = delete;
    SKdbxCredentials credentials;
};

std::span<const std::uint8_t> BytesOf(std::string_view bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// KeePass writes "True" and times plainly; other writers add blanks.
std::string_view TrimmedAscii(std::string_view strText) {
    const std::size_t nStart = strText.find_first_not_of(" \t\r\n");
    if (nStart == std::string_view::npos)
        return {};
    return strText.substr(nStart, strText.find_last_not_of(" \t\r\n") - nStart + 1);
}

constexpr const char* IDS_NESTED_TOO_DEEPLY =
    KH_TEXT("Keyhaven", "The database nests its groups too deeply to be shown: the paths of its "
                        "groups would take more than 64 MB.");

std::int64_t Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace

void CKdbxDatabase::ShowRecords(std::list<CPasswordInfo>& records) {
    m_records.Show(m_database, records);
}

CRecordDatabase::SWritten CKdbxDatabase::Write(std::list<CPasswordInfo>& records,
                                               const CDatabaseKey& key, std::string& strFile) {
    SWritten written;
    written.bRecordsChanged = m_records.Apply(m_database, records, Now());
    DropUnusedKdbxBinaries(m_database);
    const SKeyCredentials credentials(key);
    CKdbxBytes bytes;
    const SKdbxOutcome outcome = m_database.Write(credentials.credentials, bytes);
    if (outcome.eFailure != EKdbxFailure::none) {
        written.strError = outcome.strMessage;
        return written;
    }
    strFile.assign(bytes.begin(), bytes.end());
    written.bWritten = true;
    m_bUpgraded = true;
    return written;
}

std::string CKdbxDatabase::LossText(std::list<CPasswordInfo>& records, const CCodePage& codePage) {
    m_records.Apply(m_database, records, Now());
    return KdbxLossText(KdbxLossOf(m_database, codePage), codePage);
}

std::list<CPasswordInfo> CKdbxDatabase::PasswordFileRecords(const CCodePage& codePage) {
    // Converted as keyhaven-cli's convert does: imported into an empty
    // document of the code page.
    CCofferDoc doc;
    doc.SetCodePage(&codePage);
    CImporter importer(doc, codePage);
    ForEachKdbxImportEntry(m_database.Xml(),
                           [&importer](const SImportEntry& entry) { importer.Add(entry); });
    importer.Finish();
    std::list<CPasswordInfo> records(doc.Records().begin(), doc.Records().end());
    for (CPasswordInfo& record : records)
        record.m_nEntryId = 0;
    doc.DeleteContents();
    return records;
}

std::optional<std::string> CKdbxDatabase::FieldOf(const CPasswordInfo& record,
                                                  std::string_view strKey) const {
    if (const SRecordExtras* pExtras = m_records.ExtrasSetFor(record)) {
        // The one-time password set anew is its URI alone.
        if (strKey == OTP_URI_FIELD)
            return pExtras->strOtp.empty() ? std::nullopt : std::optional(pExtras->strOtp);
        if (strKey == OTP_SEED_FIELD || strKey == OTP_SETTINGS_FIELD)
            return std::nullopt;
        for (const SRecordField& field : pExtras->fields)
            if (field.strName == strKey)
                return field.strValue;
    }
    const CXmlElement* pEntry = m_records.EntryOf(m_database, record);
    if (!pEntry)
        return std::nullopt;
    const std::optional<std::string_view> value = KdbxEntryField(*pEntry, strKey);
    return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

std::optional<std::int64_t> CKdbxDatabase::ExpiryOf(const CPasswordInfo& record) const {
    if (const SRecordExtras* pExtras = m_records.ExtrasSetFor(record))
        return pExtras->nExpiry;
    const CXmlElement* pEntry = m_records.EntryOf(m_database, record);
    const CXmlElement* pTimes = pEntry ? pEntry->Child("Times") : nullptr;
    if (!pTimes || !EqualsNoCaseAscii(TrimmedAscii(pTimes->ChildText("Expires")), "True"))
        return std::nullopt;
    return KdbxTimeUnix(TrimmedAscii(pTimes->ChildText("ExpiryTime")));
}

std::vector<SRecordField> CKdbxDatabase::CustomFieldsOf(const CPasswordInfo& record) const {
    if (const SRecordExtras* pExtras = m_records.ExtrasSetFor(record))
        return pExtras->fields;
    const CXmlElement* pEntry = m_records.EntryOf(m_database, record);
    return pEntry ? KdbxCustomFields(*pEntry) : std::vector<SRecordField>();
}

SRecordExtras CKdbxDatabase::ExtrasOf(const CPasswordInfo& record) const {
    if (const SRecordExtras* pExtras = m_records.ExtrasSetFor(record))
        return *pExtras;
    const CXmlElement* pEntry = m_records.EntryOf(m_database, record);
    return pEntry ? KdbxEntryExtras(m_database, *pEntry) : SRecordExtras();
}

std::vector<SRecordVersion> CKdbxDatabase::HistoryOf(const CPasswordInfo& record) const {
    const CXmlElement* pEntry = m_records.EntryOf(m_database, record);
    return pEntry ? KdbxEntryHistory(m_database, *pEntry) : std::vector<SRecordVersion>();
}

void CKdbxDatabase::SetExtras(CPasswordInfo& record, SRecordExtras extras) {
    m_records.SetExtras(record, std::move(extras));
}

bool CKdbxDatabaseFormat::IsFormatOf(const std::string& strPath) const {
    return EndsWithNoCaseAscii(strPath, ".kdbx");
}

CDatabaseFormat::SOpened CKdbxDatabaseFormat::Open(std::string_view bytes, const CDatabaseKey& key,
                                                   bool bAllowSlowKdf,
                                                   const CCancelToken& token) const {
    SOpened opened;
    CKdbxFile database;
    SKdbxReadOptions options;
    options.bAllowSlowKdf = bAllowSlowKdf;
    options.pCancel = &token;
    const SKeyCredentials credentials(key);
    const SKdbxOutcome outcome = database.Read(BytesOf(bytes), credentials.credentials, options);
    switch (outcome.eFailure) {
    case EKdbxFailure::none:
        if (KdbxShownPathBytes(database) > MAX_SHOWN_PATH_BYTES) {
            opened.strMessage = TranslateText(IDS_NESTED_TOO_DEEPLY);
            break;
        }
        opened.eOpen = EOpen::opened;
        opened.pDatabase = std::make_unique<CKdbxDatabase>(std::move(database));
        break;
    case EKdbxFailure::wrongKey:
    case EKdbxFailure::wrongKeyFile:
        opened.eOpen = EOpen::wrongKey;
        opened.strMessage = outcome.strMessage;
        break;
    case EKdbxFailure::cancelled:
        opened.eOpen = EOpen::cancelled;
        break;
    default:
        opened.eOpen = EOpen::refused;
        opened.strMessage = outcome.strMessage;
        break;
    }
    return opened;
}

std::string CKdbxDatabaseFormat::SlowOpenQuestion(std::string_view bytes,
                                                  const std::string& strPath) const {
    const auto kdf = ReadKdbxKdf(BytesOf(bytes));
    if (!kdf || KdbxKdfOutcome(*kdf, {}).eFailure != EKdbxFailure::slowKdf)
        return {};
    return SlowKdfQuestion(strPath, *kdf);
}

std::string CKdbxDatabaseFormat::ReadKeyFile(const std::string& strPath, CDatabaseKey& key) const {
    SKdbxCredentials credentials;
    const EFileError eRead = ReadKdbxKeyFile(strPath, credentials);
    if (eRead == EFileError::none)
        key.SetKeyFile(std::string_view(reinterpret_cast<const char*>(credentials.keyFile.data()),
                                        credentials.keyFile.size()));
    WipeKdbxCredentials(credentials);
    return eRead == EFileError::none ? std::string() : KdbxKeyFileErrorMessage(eRead, strPath);
}

std::unique_ptr<CRecordDatabase> CKdbxDatabaseFormat::NewDatabase(std::string_view strName) const {
    CKdbxFile database = NewKdbxDatabase(strName, Now());
    if (m_nNewMemory != 0) {
        CKdbxVariantMap kdf = database.KdfParameters();
        kdf.SetUInt64("M", m_nNewMemory);
        kdf.SetUInt64("I", m_nNewPasses);
        database.SetKdfParameters(kdf);
    }
    return std::make_unique<CKdbxDatabase>(std::move(database));
}
