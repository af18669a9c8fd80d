#include "core/interchange/ExportCommand.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/interchange/CsvWriter.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"
#include "core/store/FileIO.h"

#include <cctype>

EExportFormat ExportFormatOf(const std::string& strPath) {
    const std::string strName = FileNameOf(strPath);
    const auto nDot = strName.rfind('.');
    if (nDot == std::string::npos || nDot == 0)
        return EExportFormat::text;
    std::string strExtension = strName.substr(nDot);
    for (char& c : strExtension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return strExtension == EXPORT_CSV_EXTENSION ? EExportFormat::csv : EExportFormat::text;
}

CExportCommand::CExportCommand(CCofferDoc& doc, CPrompts& prompts)
    : m_doc(doc), m_prompts(prompts) {}

bool CExportCommand::IsEnabled() const {
    return m_doc.IsExportEnabled();
}

void CExportCommand::ShowError(const std::string& strText) const {
    m_prompts.MessageBox(strText, EMsgIcon::exclamation);
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
    if (m_doc.HasFilePath() && IsSameFile(strPath, m_doc.GetPathName())) {
        ShowError(FormatText(IDS_WRITE_DENIED, strPath));
        return false;
    }
    if (m_prompts.MessageBox(FormatText(EXPORT_PLAIN_WARNING, strPath), EMsgIcon::exclamation,
                             EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return false;
    const EExportFormat eFormat = ExportFormatOf(strPath);
    // Other programs read it: UTF-8, with this system's line end. Written a
    // piece at a time, each piece wiped once written.
    const EFileError eError = WriteFileAtomic(
        strPath,
        [this, eFormat](const CByteSink& fnSink) {
            return eFormat == EExportFormat::csv
                       ? WriteCsvExport(m_doc.m_listInfo, m_doc.CodePage(), fnSink)
                       : WriteExportText(m_doc.m_listInfo, EXPORT_EOL_LF, m_doc.CodePage(), fnSink);
        },
        EWriteMode::plainText);
    if (eError != EFileError::none) {
        ShowError(FileErrorMessage(eError, strPath));
        return false;
    }
    return true;
}
