// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/EditDialogs.h"

#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "gui/dialogs/AccountDlg.h"
#include "gui/dialogs/AccountReplaceDlg.h"
#include "gui/dialogs/AddGroupDlg.h"
#include "gui/dialogs/DeleteGroupDlg.h"
#include "gui/dialogs/EditGroupDlg.h"
#include "gui/dialogs/PasswordHealthDlg.h"
#include "platform/QtPrompts.h"

CEditDialogs::CEditDialogs(const CCofferDoc& doc, CPrompts& prompts,
                           std::function<QWidget*()> fnParent)
    : m_doc(doc), m_prompts(prompts), m_fnParent(std::move(fnParent)) {}

QWidget* CEditDialogs::Parent() const {
    return CQtPrompts::OwnerFor(m_fnParent ? m_fnParent() : nullptr);
}

bool CEditDialogs::RunAccountDlg(SAccountDlgData& data) {
    CAccountDlg dialog(m_doc, m_prompts, Parent());
    dialog.Load(data);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    data = dialog.Result();
    return true;
}

void CEditDialogs::RunPasswordHealth(SHealthDlgData& data) {
    CPasswordHealthDlg dialog(m_doc, data, m_prompts, Parent());
    dialog.exec();
}

bool CEditDialogs::RunAddGroup(std::string& strName) {
    CAddGroupDlg dialog(m_doc, m_prompts, Parent());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    strName = dialog.m_strName;
    return true;
}

bool CEditDialogs::RunEditGroup(std::string& strGroup, std::string& strName) {
    CEditGroupDlg dialog(m_doc, m_prompts, Parent());
    dialog.m_strGroup = strGroup;
    dialog.Load();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    strGroup = dialog.m_strGroup;
    strName = dialog.m_strName;
    return true;
}

bool CEditDialogs::RunDeleteGroup(std::string& strGroup) {
    CDeleteGroupDlg dialog(m_doc, m_prompts, Parent());
    dialog.m_strGroup = strGroup;
    dialog.Load();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    strGroup = dialog.m_strGroup;
    return true;
}

EReplaceAnswer CEditDialogs::RunAccountReplace(const std::string& strAccount) {
    CAccountReplaceDlg dialog(QString::fromStdString(m_doc.CodePage().ToUtf8(strAccount)),
                              Parent());
    dialog.exec();
    return dialog.m_eAnswer;
}
