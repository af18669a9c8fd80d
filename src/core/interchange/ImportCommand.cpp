#include "core/interchange/ImportCommand.h"

#include "core/base/EditPrompts.h"
#include "core/base/Prompts.h"
#include "core/base/TextUtil.h"
#include "core/interchange/CsvImport.h"
#include "core/interchange/Importer.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"

CImportCommand::CImportCommand(CCofferDoc& doc, CPrompts& prompts, CEditPrompts& editPrompts)
    : m_doc(doc), m_prompts(prompts), m_editPrompts(editPrompts) {}

bool CImportCommand::IsEnabled() const {
    return !m_doc.m_strKey.empty();
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

bool CImportCommand::ImportFile(const std::string& strPath, const CShow& fnShow) {
    std::string strText;
    const EFileError eRead = ReadWholeFile(strPath, strText, MAX_CSV_BYTES);
    if (eRead != EFileError::none) {
        ShowError(FileErrorMessage(eRead, strPath));
        return false;
    }
    // The whole source is checked before anything changes: a header that is
    // not understood or a file cut inside quotes leaves the document as it was.
    std::string strError;
    if (!ReadCsvEntries(
            strText, [](const SImportEntry&) {}, strError)) {
        CSecretBuffer::Wipe(strText);
        ShowError(FormatText(IMPORT_REFUSED, strPath, strError));
        return false;
    }
    CImporter importer(m_doc, m_doc.CodePage());
    importer.SetClashHandler([this](const std::string& strAccount) {
        return m_editPrompts.RunAccountReplace(strAccount);
    });
    ReadCsvEntries(
        strText, [&importer](const SImportEntry& entry) { importer.Add(entry); }, strError);
    CSecretBuffer::Wipe(strText);
    importer.Finish();
    const bool bChanged = importer.HasChanged();
    if (bChanged) {
        fnShow({importer.ReceivingGroups(), importer.FirstGroup(), importer.FirstAccount()});
        // One change, saved at once with automatic saving as every edit is.
        m_doc.OnContentChanged();
    }
    // Cancelled at the first question: nothing happened that needs telling.
    if (bChanged || !importer.IsCancelled())
        m_prompts.MessageBox(importer.Summary(), EMsgIcon::information);
    return bChanged;
}
