// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/DialogPrompts.h"

#include "core/base/FolderSystem.h"
#include "gui/controls/FolderDialog.h"
#include "gui/dialogs/ChangeKeyDlg.h"
#include "gui/dialogs/CheckKeyDlg.h"
#include "gui/dialogs/CreateKeyDlg.h"
#include "gui/dialogs/DatabaseKeyDlg.h"
#include "gui/dialogs/FilePropertyDlg.h"
#include "gui/dialogs/OptionsDlg.h"

#include <QLineEdit>

bool CDialogPrompts::RunCreateKey(std::string& strKeyValue, std::string& strKey) {
    CCreateKeyDlg dialog(*this, Parent(), CodePage());
    const bool bOk = dialog.exec() == QDialog::Accepted;
    if (bOk) {
        strKeyValue = dialog.m_strKeyValue;
        strKey = dialog.m_strKey;
    }
    dialog.Clear();
    return bOk;
}

bool CDialogPrompts::RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) {
    CCheckKeyDlg dialog(*this, Parent(), CodePage());
    dialog.SetPrompt(QString::fromStdString(strPrompt));
    dialog.m_strKeyValue = strKeyValue;
    const bool bOk = dialog.exec() == QDialog::Accepted;
    dialog.Clear();
    return bOk;
}

bool CDialogPrompts::RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) {
    CCheckKeyDlg dialog(*this, Parent(), CodePage());
    dialog.SetPrompt(QString::fromStdString(strPrompt));
    dialog.SetAcceptor(fnAccept);
    const bool bOk = dialog.exec() == QDialog::Accepted;
    dialog.Clear();
    return bOk;
}

bool CDialogPrompts::RunChangeKey(std::string& strKeyValue, std::string& strKey) {
    CChangeKeyDlg dialog(*this, Parent(), CodePage());
    dialog.m_strKeyValue = strKeyValue;
    const bool bOk = dialog.exec() == QDialog::Accepted;
    if (bOk) {
        strKeyValue = dialog.m_strKeyValue;
        strKey = dialog.m_strKey;
    }
    dialog.Clear();
    return bOk;
}

bool CDialogPrompts::RunFileProperty(SFileProperties& props) {
    CFilePropertyDlg dialog(props, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    props = dialog.Result();
    return true;
}

bool CDialogPrompts::ChooseFolder(const std::string& strTitle, const std::string& strPrompt,
                                  const std::string& strInitial, std::string& strFolder) {
    CDiskFolderSystem disk;
    CFolderDialog dialog(strTitle, strPrompt, strInitial, *this, disk, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    strFolder = dialog.GetFolderPath();
    return true;
}

bool CDialogPrompts::RunOptions(SOptionsData& data) {
    CDiskFolderSystem disk;
    COptionsDlg dialog(data, *this, disk, Parent());
    return dialog.exec() == QDialog::Accepted;
}

bool CDialogPrompts::RunDatabaseKey(const std::string& strFileName, EDatabaseKeyKind eKind,
                                    SDatabaseKey& key) {
    CDatabaseKeyDlg dialog(*this, QString::fromStdString(strFileName), eKind, Parent());
    dialog.KeyFileEdit()->setText(QString::fromStdString(key.m_strKeyFile));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    key = dialog.m_key;
    return true;
}
