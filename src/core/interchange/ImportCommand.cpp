// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/ImportCommand.h"

#include "core/base/EditPrompts.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/interchange/CsvImport.h"
#include "core/interchange/Importer.h"
#include "core/interchange/KdbxCredentials.h"
#include "core/interchange/KdbxReader.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"
#include "core/store/FileSession.h"

#include <algorithm>
#include <span>

CImportCommand::CImportCommand(CFileSession& session, CPrompts& prompts, CEditPrompts& editPrompts)
    : m_session(session), m_doc(session.Doc()), m_prompts(prompts), m_editPrompts(editPrompts) {}

bool CImportCommand::IsEnabled() const {
    return m_doc.HasKey();
}

void CImportCommand::ShowError(const std::string& strText) const {
    m_prompts.MessageBox(strText, EMsgIcon::exclamation);
}

void CImportCommand::OnFileImport(const CShow& fnShow) {
    if (!IsEnabled())
        return;
    SFilePrompt prompt;
    prompt.m_strTitle = IMPORT_TITLE;
    prompt.m_strFilter = IMPORT_FILTERS;
    prompt.m_strDefaultExt.clear();
    std::string strPath;
    if (m_prompts.PromptOpenFile(prompt, strPath))
        ImportFile(strPath, fnShow);
}

namespace {

// A KeePass database begins with its two signature words, whatever its name.
constexpr unsigned char SIGNATURE[] = {0x03, 0xD9, 0xA2, 0x9A, 0x67, 0xFB, 0x4B, 0xB5};
constexpr std::size_t KDBX_SIGNATURE_BYTES = sizeof(SIGNATURE);

bool IsKeePassDatabase(const std::string& strBytes) {
    return strBytes.size() >= sizeof(SIGNATURE) &&
           std::equal(std::begin(SIGNATURE), std::end(SIGNATURE), strBytes.begin(),
                      [](unsigned char c, char b) { return c == static_cast<unsigned char>(b); });
}

std::span<const std::uint8_t> BytesOf(const std::string& strBytes) {
    return {reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size()};
}

void WipeEntries(std::vector<SImportEntry>& entries) {
    for (SImportEntry& entry : entries) {
        CSecretBuffer::Wipe(entry.strPassword);
        CSecretBuffer::Wipe(entry.strUserName);
        CSecretBuffer::Wipe(entry.strNotes);
    }
    entries.clear();
}

} // namespace

std::string ImportReadErrorMessage(EFileError eError, const std::string& strPath, bool bDatabase) {
    if (eError != EFileError::tooLarge)
        return FileErrorMessage(eError, strPath);
    return FormatText(bDatabase ? IMPORT_KDBX_TOO_LARGE : IMPORT_CSV_TOO_LARGE, strPath);
}

bool CImportCommand::ReadSource(const std::string& strPath, std::string& strBytes) {
    // A CSV file is held and parsed whole, so it has a lower limit than a
    // database: the first bytes tell which the file is.
    std::string strStart;
    EFileError eRead = ReadFileStart(strPath, strStart, KDBX_SIGNATURE_BYTES);
    bool bDatabase = IsKeePassDatabase(strStart);
    if (eRead == EFileError::none)
        eRead = ReadWholeFile(strPath, strBytes, bDatabase ? MAX_KDBX_IMPORT_BYTES : MAX_CSV_BYTES);
    // A database replaced in between by a CSV file larger than a CSV file
    // may be: judged by what was read.
    if (eRead == EFileError::none && !IsKeePassDatabase(strBytes) &&
        strBytes.size() > MAX_CSV_BYTES) {
        eRead = EFileError::tooLarge;
        bDatabase = false;
    }
    if (eRead == EFileError::none)
        return true;
    CSecretBuffer::Wipe(strBytes);
    ShowError(ImportReadErrorMessage(eRead, strPath, bDatabase));
    return false;
}

bool CImportCommand::CheckCsv(const std::string& strPath, const std::string& strText) {
    std::string strError;
    if (ReadCsvEntries(
            strText, [](const SImportEntry&) {}, strError))
        return true;
    ShowError(FormatText(IMPORT_REFUSED, strPath, strError));
    return false;
}

bool CImportCommand::ConfirmKdf(const std::string& strPath, const std::string& strBytes,
                                bool& bAllowSlowKdf) {
    bAllowSlowKdf = false;
    const auto kdf = ReadKdbxKdf(BytesOf(strBytes));
    if (!kdf)
        return true; // reading the database tells what is wrong with its header
    const SKdbxOutcome outcome = KdbxKdfOutcome(*kdf, {});
    if (outcome.eFailure == EKdbxFailure::none)
        return true;
    if (outcome.eFailure != EKdbxFailure::slowKdf) {
        ShowError(strPath + "\n" + outcome.strMessage);
        return false;
    }
    bAllowSlowKdf = m_prompts.MessageBox(SlowKdfQuestion(strPath, *kdf), EMsgIcon::question,
                                         EMsgButtons::yesNoDefaultNo) == EMsgAnswer::yes;
    return bAllowSlowKdf;
}

std::string SlowKdfQuestion(const std::string& strPath, const SKdbxKdfParams& kdf) {
    std::string strCost;
    if (kdf.eKdf == EKdbxKdf::aes) {
        strCost = CountText(IMPORT_AES_COST, static_cast<long long>(kdf.nRounds));
    } else {
        strCost = FormatCountText(
            IDS_SEAL_COST, static_cast<long long>(kdf.nRounds),
            FormatCount(static_cast<long long>((kdf.nMemory + (1u << 20) - 1) >> 20)));
    }
    return FormatText(IMPORT_SLOW_KDF, strPath, strCost);
}

namespace {

// One reading of a database, shared with the thread that reads it: a
// cancelled reading may run on after the import has given up on it, so it
// owns what it reads and wipes its secrets when the last owner lets go.
struct SDatabaseRead {
    SDatabaseRead(std::shared_ptr<const std::string> pBytes, SKdbxCredentials credentials)
        : m_pBytes(std::move(pBytes)), m_credentials(std::move(credentials)) {}
    ~SDatabaseRead() {
        WipeKdbxCredentials(m_credentials);
        WipeEntries(m_entries);
    }
    SDatabaseRead(const SDatabaseRead&) = delete;
    SDatabaseRead& operator=(const SDatabaseRead&) = delete;

    std::shared_ptr<const std::string> m_pBytes;
    SKdbxCredentials m_credentials;
    std::vector<SImportEntry> m_entries;
    SKdbxOutcome m_outcome;
};

} // namespace

CImportCommand::ERead CImportCommand::ReadDatabase(const std::string& strPath,
                                                   std::shared_ptr<const std::string> pBytes,
                                                   std::vector<SImportEntry>& entries) {
    const std::string strName = FileNameOf(strPath);
    // Asked before the password: a derivation the user declines costs no
    // typing.
    bool bAllowSlowKdf = false;
    if (!ConfirmKdf(strPath, *pBytes, bAllowSlowKdf))
        return ERead::refused;
    for (;;) {
        SDatabaseKey key;
        if (!m_prompts.RunDatabaseKey(strName, EDatabaseKeyKind::open, key))
            return ERead::refused;
        SKdbxCredentials credentials;
        credentials.bHasPassword = !key.m_bNoPassword;
        credentials.strPassword = std::move(key.m_strPassword);
        CSecretBuffer::Wipe(key.m_strPassword);
        if (!key.m_strKeyFile.empty()) {
            const EFileError eRead = ReadKdbxKeyFile(key.m_strKeyFile, credentials);
            if (eRead != EFileError::none) {
                CSecretBuffer::Wipe(credentials.strPassword);
                ShowError(KdbxKeyFileErrorMessage(eRead, key.m_strKeyFile));
                continue;
            }
        }
        // The key derivation takes its time; the whole database is checked
        // before the first entry comes, so a failure hands out nothing.
        const auto pRead = std::make_shared<SDatabaseRead>(pBytes, std::move(credentials));
        CSecretBuffer::Wipe(credentials.strPassword);
        const EBusyEnd eEnd = m_prompts.RunBusy(
            FormatText(IMPORT_OPENING, strName),
            [pRead, bAllowSlowKdf](const CCancelToken& token) {
                pRead->m_outcome = ReadKdbxEntries(
                    BytesOf(*pRead->m_pBytes), pRead->m_credentials,
                    [&](const SImportEntry& entry) { pRead->m_entries.push_back(entry); },
                    {bAllowSlowKdf, &token});
            },
            EBusyKind::stoppedByLock);
        if (eEnd == EBusyEnd::cancelled)
            return ERead::cancelled;
        if (eEnd == EBusyEnd::interrupted)
            return ERead::interrupted;
        const SKdbxOutcome& outcome = pRead->m_outcome;
        if (outcome.eFailure == EKdbxFailure::none) {
            entries.swap(pRead->m_entries);
            return ERead::read;
        }
        ShowError(strPath + "\n" + outcome.strMessage);
        // A wrong password or key file is typed or chosen again.
        if (outcome.eFailure != EKdbxFailure::wrongKey &&
            outcome.eFailure != EKdbxFailure::wrongKeyFile)
            return ERead::refused;
    }
}

bool CImportCommand::ImportFile(const std::string& strPath, const CShow& fnShow) {
    std::string strBytes;
    if (!ReadSource(strPath, strBytes))
        return false;
    // The whole source is read and checked before anything changes: a wrong
    // key, a damaged database, a header that is not understood or a file cut
    // inside quotes leave the document as it was.
    // A database hands its entries over once its key is known; a CSV file is
    // checked whole first and then read again entry by entry, so its entries
    // are never all held at once.
    const bool bDatabase = IsKeePassDatabase(strBytes);
    std::vector<SImportEntry> entries;
    ERead eSource = ERead::refused;
    if (bDatabase) {
        auto pBytes = std::shared_ptr<std::string>(new std::string(std::move(strBytes)),
                                                   [](std::string* pText) {
                                                       CSecretBuffer::Wipe(*pText);
                                                       delete pText;
                                                   });
        eSource = ReadDatabase(strPath, std::move(pBytes), entries);
    } else if (CheckCsv(strPath, strBytes)) {
        eSource = ERead::read;
    }
    if (eSource != ERead::read) {
        CSecretBuffer::Wipe(strBytes);
        if (eSource != ERead::refused)
            m_prompts.MessageBox(
                FormatText(eSource == ERead::cancelled ? IMPORT_CANCELLED : IMPORT_STOPPED_BY_LOCK,
                           FileNameOf(strPath)),
                EMsgIcon::information);
        return false;
    }
    CImporter importer(m_doc, m_doc.CodePage());
    importer.SetClashHandler([this](const std::string& strAccount) {
        return m_editPrompts.RunAccountReplace(strAccount);
    });
    if (bDatabase) {
        for (const SImportEntry& entry : entries)
            importer.Add(entry);
        WipeEntries(entries);
    } else {
        std::string strError;
        ReadCsvEntries(
            strBytes, [&importer](const SImportEntry& entry) { importer.Add(entry); }, strError);
    }
    CSecretBuffer::Wipe(strBytes);
    importer.Finish();
    const bool bChanged = importer.HasChanged();
    if (bChanged) {
        fnShow({importer.ReceivingGroups(), importer.FirstGroup(), importer.FirstAccount()});
        // One change, saved at once with automatic saving as every edit is.
        m_session.OnContentChanged();
    }
    // Cancelled at the first question: nothing happened that needs telling.
    if (bChanged || !importer.IsCancelled())
        m_prompts.MessageBox(importer.Summary(), EMsgIcon::information);
    return bChanged;
}
