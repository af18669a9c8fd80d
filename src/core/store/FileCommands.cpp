// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileCommands.h"

#include "core/base/PrintDevice.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"
#include "core/store/FileIO.h"
#include "core/store/FileProperties.h"
#include "core/store/FileSession.h"
#include "core/store/LinePrinter.h"

CFileCommands::CFileCommands(CFileSession& session, CPrompts& prompts)
    : m_session(session), m_doc(session.Doc()), m_prompts(prompts) {}

bool CFileCommands::IsPrintEnabled() const {
    return m_doc.HasKey();
}

void CFileCommands::ShowMessage(const char* pszText, const std::string& strPath) const {
    m_prompts.MessageBox(FormatText(pszText, strPath), EMsgIcon::exclamation);
}

void CFileCommands::OnFilePrint(CPrintDevice& device) {
    if (!m_prompts.RunPrintDialog(device))
        return;
    CLinePrinter printer(device);
    if (!printer.BeginPrinting(IDS_APP_TITLE)) {
        ShowMessage(IDS_WRITE_FAILED, device.TargetName());
        return;
    }
    for (const CPasswordInfo& info : m_doc.Records())
        printer.PrintText(m_doc.CodePage().ToUtf8(PrintBlockText(info)));
    printer.EndPrinting();
}

void CFileCommands::OnFileProperty() {
    const std::string strPath =
        m_session.HasFilePath() ? m_session.GetPathName() : m_session.GetTitle();
    SFileProperties props;
    const EFileError eError =
        m_session.HasFilePath() ? ReadFileProperties(strPath, props) : EFileError::notFound;
    if (eError != EFileError::none) {
        m_prompts.MessageBox(FileErrorMessage(eError, strPath), EMsgIcon::exclamation);
        return;
    }
    props.m_strFileName = m_doc.FileName();
    const int nGroups = m_doc.CountGroups();
    props.m_strContains = ContainsText(nGroups, int(m_doc.Records().size()) - nGroups);
    const bool bWasReadOnly = props.m_bReadOnly;
    if (!m_prompts.RunFileProperty(props) || props.m_bReadOnly == bWasReadOnly)
        return;
    const EFileError eWrite = SetReadOnlyAttribute(strPath, props.m_bReadOnly);
    if (eWrite != EFileError::none)
        m_prompts.MessageBox(FileErrorMessage(eWrite, strPath), EMsgIcon::exclamation);
}
