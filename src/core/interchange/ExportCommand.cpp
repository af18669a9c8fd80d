// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/ExportCommand.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/interchange/CsvWriter.h"
#include "core/interchange/KdbxCredentials.h"
#include "core/interchange/KdbxKeys.h"
#include "core/interchange/KdbxWriter.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"
#include "core/store/FileIO.h"
#include "core/store/FileSession.h"

#include <cctype>

EExportFormat ExportFormatOf(const std::string& strPath) {
    const std::string strName = FileNameOf(strPath);
    const auto nDot = strName.rfind('.');
    if (nDot == std::string::npos || nDot == 0)
        return EExportFormat::text;
    std::string strExtension = strName.substr(nDot);
    for (char& c : strExtension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (strExtension == EXPORT_CSV_EXTENSION)
        return EExportFormat::csv;
    return strExtension == EXPORT_KDBX_EXTENSION ? EExportFormat::kdbx : EExportFormat::text;
}

CExportCommand::CExportCommand(CFileSession& session, CPrompts& prompts)
    : m_session(session), m_doc(session.Doc()), m_prompts(prompts) {}

bool CExportCommand::IsEnabled() const {
    return m_session.IsExportEnabled();
}

void CExportCommand::ShowError(const std::string& strText) const {
    m_prompts.MessageBox(strText, EMsgIcon::exclamation);
}

bool CExportCommand::Written(const std::string& strPath) const {
    if (m_fnWritten)
        m_fnWritten(FormatText(EXPORT_WRITTEN, strPath));
    return true;
}

void CExportCommand::OnFileExport() {
    if (!IsEnabled())
        return;
    SFilePrompt prompt;
    prompt.m_strTitle = EXPORT_TITLE;
    prompt.m_strFilter = EXPORT_FILTERS;
    prompt.m_strDefaultExt = EXPORT_EXTENSION;
    std::string strPath;
    if (m_prompts.PromptSaveFile(prompt, strPath))
        ExportTo(strPath);
}

bool CExportCommand::ExportTo(const std::string& strPath) {
    // The plain text would replace the only enciphered copy.
    if (m_session.HasFilePath() && IsSameFile(strPath, m_session.GetPathName())) {
        ShowError(FormatText(IDS_WRITE_DENIED, strPath));
        return false;
    }
    const EExportFormat eFormat = ExportFormatOf(strPath);
    if (eFormat == EExportFormat::kdbx)
        return WriteDatabase(strPath);
    if (m_prompts.MessageBox(FormatText(EXPORT_PLAIN_WARNING, strPath), EMsgIcon::exclamation,
                             EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return false;
    // Other programs read it: UTF-8, with this system's line end. Written a
    // piece at a time, each piece wiped once written.
    const EFileError eError = WriteFileAtomic(
        strPath,
        [this, eFormat](const CByteSink& fnSink) {
            return eFormat == EExportFormat::csv
                       ? WriteCsvExport(m_doc.Records(), m_doc.CodePage(), fnSink)
                       : WriteExportText(m_doc.Records(), EXPORT_EOL_LF, m_doc.CodePage(), fnSink);
        },
        EWriteMode::plainText);
    if (eError != EFileError::none) {
        ShowError(FileErrorMessage(eError, strPath));
        return false;
    }
    return Written(strPath);
}

bool CExportCommand::AskDatabaseKey(const std::string& strPath, SKdbxCredentials& credentials) {
    for (;;) {
        SDatabaseKey key;
        if (!m_prompts.RunDatabaseKey(FileNameOf(strPath), EDatabaseKeyKind::create, key))
            return false;
        credentials = SKdbxCredentials();
        credentials.bHasPassword = !key.m_bNoPassword;
        credentials.strPassword = std::move(key.m_strPassword);
        CSecretBuffer::Wipe(key.m_strPassword);
        // A ".pwd" gives its KEY away, so the database must not open with it.
        if (m_session.HasFilePath() && HasPwdExtension(m_session.GetPathName()) &&
            IsPasswordTheKey(credentials, m_doc.CodePage(), [this](const std::string& strTyped) {
                return m_doc.Key().Accepts(strTyped);
            })) {
            CSecretBuffer::Wipe(credentials.strPassword);
            ShowError(FormatText(EXPORT_KDBX_KEY_GIVEN_AWAY, FileNameOf(m_session.GetPathName())));
            continue;
        }
        if (key.m_strKeyFile.empty())
            return true;
        const EFileError eRead = ReadKdbxKeyFile(key.m_strKeyFile, credentials);
        if (eRead == EFileError::none)
            return true;
        CSecretBuffer::Wipe(credentials.strPassword);
        ShowError(KdbxKeyFileErrorMessage(eRead, key.m_strKeyFile));
    }
}

bool CExportCommand::WriteDatabase(const std::string& strPath) {
    SKdbxCredentials credentials;
    if (!AskDatabaseKey(strPath, credentials))
        return false;
    // The key derivation is made costly on purpose: the program stays
    // drawn while it runs.
    std::string strError;
    EFileError eError = EFileError::none;
    // The derivation's cost is the program's own, so the wait is short and
    // not cancelled: the work may use the document and this stack.
    m_prompts.RunBusy(
        FormatText(EXPORT_WRITING, FileNameOf(strPath)),
        [&](const CCancelToken&) {
            eError = WriteFileAtomic(
                strPath,
                [&](const CByteSink& fnSink) {
                    return WriteKdbx(m_doc.Records(), m_doc.CodePage(), credentials,
                                     SKdbxWriteOptions(), fnSink, strError);
                },
                EWriteMode::plainText);
        },
        EBusyKind::waited);
    WipeKdbxCredentials(credentials);
    if (eError == EFileError::none)
        return Written(strPath);
    ShowError(strError.empty() ? FileErrorMessage(eError, strPath) : strPath + "\n" + strError);
    return false;
}
