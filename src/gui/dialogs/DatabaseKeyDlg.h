// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Prompts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The key of another manager's database: its password, or none at all
// ("No password", which is not the same as an empty password), and
// optionally a key file chosen with Browse. Its title tells why it is asked;
// for a new key (a new database, Change KEY) the password is typed twice.
// OK refuses, with a message through the prompt seam, two passwords that
// differ and a key made of nothing.
class CDatabaseKeyDlg : public QDialog {
    Q_OBJECT
public:
    CDatabaseKeyDlg(CPrompts& prompts, const QString& strFileName, EDatabaseKeyKind eKind,
                    QWidget* pParent = nullptr);
    ~CDatabaseKeyDlg() override;

    void accept() override;

    QLineEdit* PasswordEdit() const { return m_pPassword; }
    QLineEdit* ConfirmEdit() const { return m_pConfirm; }
    QCheckBox* NoPasswordBox() const { return m_pNoPassword; }
    QLineEdit* KeyFileEdit() const { return m_pKeyFile; }
    QPushButton* BrowseButton() const { return m_pBrowse; }

    // What OK accepted; wiped with the edits when the dialog goes.
    SDatabaseKey m_key;

private:
    void Browse();
    void OnNoPassword(bool bChecked);

    CPrompts& m_prompts;
    bool m_bNew;
    QLineEdit* m_pPassword = nullptr;
    QLineEdit* m_pConfirm = nullptr;
    QCheckBox* m_pNoPassword = nullptr;
    QLineEdit* m_pKeyFile = nullptr;
    QPushButton* m_pBrowse = nullptr;
};
