// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <QDialog>

class QPushButton;

// Asks whether a dropped account replaces the account of the same name in
// the target group. Every button closes the dialog with its answer; NO is
// the default, and Esc or the close box answer Cancel.
class CAccountReplaceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_YES = 1200;
    static constexpr int IDC_YES_ALL = 1201;
    static constexpr int IDC_NO = 1202;
    static constexpr int IDC_NAME = 1203;

    explicit CAccountReplaceDlg(const QString& strAccount, QWidget* pParent = nullptr);

    QPushButton* Button(EReplaceAnswer eAnswer) const;
    void reject() override;

    EReplaceAnswer m_eAnswer = EReplaceAnswer::cancel;

private:
    QPushButton* AddButton(const char* pszText, int nId, EReplaceAnswer eAnswer);

    QPushButton* m_apButtons[4] = {};
};
