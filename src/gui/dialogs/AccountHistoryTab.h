// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/RecordExtras.h"

#include <QWidget>

#include <functional>
#include <vector>

class CCodePage;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The account dialog's tab of an entry's earlier versions, newest first:
// when each was changed and its name; the one selected shows its texts,
// read-only, its password masked while the dialog masks passwords, and
// Restore hands it to the dialog to fill its controls with.
class CAccountHistoryTab : public QWidget {
    Q_OBJECT
public:
    CAccountHistoryTab(const CCodePage& codePage, QWidget* pParent = nullptr);

    // The versions, newest last as the entry keeps them.
    void Load(std::vector<SRecordVersion> history);
    void SetMasked(bool bMasked);
    // Called with the version to restore.
    std::function<void(const SRecordVersion&)> m_fnRestore;

    QTreeWidget* List() const { return m_pList; }
    QLabel* EmptyLabel() const { return m_pEmpty; }
    QLineEdit* PasswordBox() const { return m_pPassword; }
    QPushButton* RestoreButton() const { return m_pRestore; }
    // The texts of the version shown: name, user name, password, hyperlink,
    // e-mail and comments.
    QStringList ShownTexts() const;

private:
    void ShowVersion();
    // The version of the current row, or none.
    const SRecordVersion* Current() const;
    QString ToQt(const std::string& strStored) const;

    const CCodePage& m_codePage;
    std::vector<SRecordVersion> m_history;
    QTreeWidget* m_pList = nullptr;
    QLabel* m_pEmpty = nullptr;
    QLineEdit* m_pAccount = nullptr;
    QLineEdit* m_pUserName = nullptr;
    QLineEdit* m_pPassword = nullptr;
    QLineEdit* m_pWebSite = nullptr;
    QLineEdit* m_pEMail = nullptr;
    QPlainTextEdit* m_pComments = nullptr;
    QPushButton* m_pRestore = nullptr;
};
