// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class CFolderSystem;
class CPrompts;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// A folder chooser with an editable path: picking a folder in the tree puts
// its path in the edit, and a path typed there counts as well. OK runs the
// folder check on the edit's text, which may ask to create the folder; a
// refused or failed check keeps the dialog open with the focus in the edit.
class CFolderDialog : public QDialog {
    Q_OBJECT
public:
    CFolderDialog(const std::string& strTitle, const std::string& strPrompt,
                  const std::string& strStartFolder, CPrompts& prompts, CFolderSystem& folders,
                  QWidget* pParent = nullptr);

    // The chosen folder (UTF-8), valid once the dialog ended with OK.
    std::string GetFolderPath() const { return m_strFolder; }
    QLineEdit* PathEdit() const { return m_pPath; }
    QTreeView* FolderTree() const { return m_pTree; }
    QPushButton* OkButton() const { return m_pOk; }

    void accept() override;

private:
    void SelectFolder(const QString& strFolder);
    void OnTreeSelection();

    CPrompts& m_prompts;
    CFolderSystem& m_folders;
    QFileSystemModel* m_pModel = nullptr;
    QTreeView* m_pTree = nullptr;
    QLineEdit* m_pPath = nullptr;
    QPushButton* m_pOk = nullptr;
    std::string m_strFolder;
};
