// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/FolderDialog.h"

#include "core/base/FolderCheck.h"
#include "core/base/StringTable.h"
#include "platform/Translations.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

CFolderDialog::CFolderDialog(const std::string& strTitle, const std::string& strPrompt,
                             const std::string& strStartFolder, CPrompts& prompts,
                             CFolderSystem& folders, QWidget* pParent)
    : QDialog(pParent), m_prompts(prompts), m_folders(folders) {
    setObjectName(QStringLiteral("FolderDialog"));
    setWindowTitle(TrText(strTitle.c_str()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* pPrompt = new QLabel(TrText(strPrompt.c_str()), this);
    m_pPath = new QLineEdit(this);
    m_pPath->setObjectName(QStringLiteral("FolderPath"));
    m_pPath->setAccessibleName(TrText(strPrompt.c_str()));

    m_pModel = new QFileSystemModel(this);
    m_pModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_pModel->setRootPath(QDir::rootPath());
    m_pTree = new QTreeView(this);
    m_pTree->setObjectName(QStringLiteral("FolderTree"));
    m_pTree->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Folders")));
    m_pTree->setModel(m_pModel);
    for (int nColumn = 1; nColumn < m_pModel->columnCount(); ++nColumn)
        m_pTree->hideColumn(nColumn);
    m_pTree->header()->hide();

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = pButtons->button(QDialogButtonBox::Ok);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CFolderDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &CFolderDialog::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pPrompt);
    pLayout->addWidget(m_pPath);
    pLayout->addWidget(m_pTree, 1);
    pLayout->addWidget(pButtons);
    resize(420, 460);

    connect(m_pTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CFolderDialog::OnTreeSelection);
    connect(m_pPath, &QLineEdit::textChanged, this,
            [this](const QString& strText) { m_pOk->setEnabled(!strText.isEmpty()); });
    SelectFolder(strStartFolder.empty() ? QDir::currentPath() : QString::fromUtf8(strStartFolder));
    // A typed start that names no folder yet is kept as typed.
    m_pPath->setText(strStartFolder.empty() ? QDir::currentPath()
                                            : QString::fromUtf8(strStartFolder));
}

void CFolderDialog::SelectFolder(const QString& strFolder) {
    const QModelIndex index = m_pModel->index(strFolder);
    if (!index.isValid())
        return;
    m_pTree->setCurrentIndex(index);
    m_pTree->scrollTo(index);
}

void CFolderDialog::OnTreeSelection() {
    const QString strPath = m_pModel->filePath(m_pTree->currentIndex());
    m_pPath->setText(strPath.startsWith(QLatin1Char('/')) ? strPath : QString());
}

void CFolderDialog::accept() {
    const std::string strFolder = m_pPath->text().toStdString();
    if (EnsureFolder(strFolder, m_prompts, m_folders) != FOLDER_VALID) {
        m_pPath->setFocus();
        return;
    }
    m_strFolder = strFolder;
    QDialog::accept();
}
