// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountAttachmentsTab.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/FileIO.h"
#include "gui/dialogs/AccountTabTexts.h"
#include "gui/dialogs/TabButton.h"
#include "platform/Translations.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

SFilePrompt AnyFile(const char* pszTitle) {
    SFilePrompt prompt;
    prompt.m_strTitle = pszTitle;
    prompt.m_strFilter = IDS_ALL_FILES_FILTER;
    prompt.m_strDefaultExt.clear();
    return prompt;
}

} // namespace

CAccountAttachmentsTab::CAccountAttachmentsTab(CPrompts& prompts, QWidget* pParent)
    : QWidget(pParent), m_prompts(prompts) {
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("Attachments"));
    m_pList->setAccessibleName(TrText(IDS_ATTACHMENTS_LIST));
    m_pList->setRootIsDecorated(false);
    m_pList->setHeaderLabels({TrText(IDS_FIELD_NAME_COLUMN), TrText(IDS_ATTACHMENT_SIZE_COLUMN)});
    m_pList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_pList->header()->setStretchLastSection(false);
    m_pAdd = MakeTabButton(IDS_ADD_ATTACHMENT, IDS_ADD_ATTACHMENT_NAME, "AddAttachment", this);
    m_pSave = MakeTabButton(IDS_SAVE_ATTACHMENT, IDS_SAVE_ATTACHMENT_NAME, "SaveAttachment", this);
    m_pRemove =
        MakeTabButton(IDS_REMOVE_ATTACHMENT, IDS_REMOVE_ATTACHMENT_NAME, "RemoveAttachment", this);
    connect(m_pAdd, &QPushButton::clicked, this, &CAccountAttachmentsTab::OnAdd);
    connect(m_pSave, &QPushButton::clicked, this, &CAccountAttachmentsTab::OnSaveAs);
    connect(m_pRemove, &QPushButton::clicked, this, &CAccountAttachmentsTab::OnRemove);
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this] {
        m_pSave->setEnabled(Current() >= 0);
        m_pRemove->setEnabled(Current() >= 0);
    });

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pAdd);
    pButtons->addWidget(m_pSave);
    pButtons->addWidget(m_pRemove);
    pButtons->addStretch(1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pList);
    pLayout->addLayout(pButtons);
    Fill(-1);
}

void CAccountAttachmentsTab::Load(const std::vector<SRecordAttachment>& attachments) {
    m_attachments = attachments;
    Fill(m_attachments.empty() ? -1 : 0);
}

void CAccountAttachmentsTab::Fill(int nCurrent) {
    m_pList->clear();
    for (const SRecordAttachment& attachment : m_attachments) {
        const QString strSize =
            TrCount(IDS_ATTACHMENT_SIZE, static_cast<long long>(attachment.bytes.size()));
        auto* pItem =
            new QTreeWidgetItem(m_pList, {QString::fromStdString(attachment.strName), strSize});
        pItem->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_pList->resizeColumnToContents(1);
    m_pList->setCurrentItem(nCurrent >= 0 ? m_pList->topLevelItem(nCurrent) : nullptr);
    m_pSave->setEnabled(Current() >= 0);
    m_pRemove->setEnabled(Current() >= 0);
}

int CAccountAttachmentsTab::Current() const {
    return m_pList->currentItem() ? m_pList->indexOfTopLevelItem(m_pList->currentItem()) : -1;
}

void CAccountAttachmentsTab::OnAdd() {
    std::string strPath;
    if (!m_prompts.PromptOpenFile(AnyFile(IDS_ADD_ATTACHMENT_TITLE), strPath))
        return;
    std::string strBytes;
    const EFileError eError = ReadWholeFile(strPath, strBytes, MAX_RECORD_ATTACHMENT_BYTES);
    if (eError == EFileError::tooLarge) {
        m_prompts.MessageBox(FormatText(IDS_ATTACHMENT_TOO_LARGE, strPath,
                                        std::to_string(MAX_RECORD_ATTACHMENT_BYTES >> 20)),
                             EMsgIcon::exclamation);
        return;
    }
    if (eError != EFileError::none) {
        m_prompts.MessageBox(FileErrorMessage(eError, strPath), EMsgIcon::exclamation);
        return;
    }
    std::string strName = FileNameOf(strPath);
    const auto it = std::find_if(
        m_attachments.begin(), m_attachments.end(),
        [&strName](const SRecordAttachment& attachment) { return attachment.strName == strName; });
    if (it == m_attachments.end()) {
        m_attachments.push_back({std::move(strName), std::move(strBytes)});
        Fill(static_cast<int>(m_attachments.size()) - 1);
        return;
    }
    // The file kept under the name is gone once replaced: Yes must be chosen.
    if (m_prompts.MessageBox(FormatText(IDS_REPLACE_ATTACHMENT, strName), EMsgIcon::question,
                             EMsgButtons::yesNoDefaultNo) != EMsgAnswer::yes)
        return;
    it->bytes = std::move(strBytes);
    Fill(static_cast<int>(it - m_attachments.begin()));
}

void CAccountAttachmentsTab::OnSaveAs() {
    const int nCurrent = Current();
    if (nCurrent < 0)
        return;
    const SRecordAttachment& attachment = m_attachments[static_cast<std::size_t>(nCurrent)];
    SFilePrompt prompt = AnyFile(IDS_SAVE_ATTACHMENT_TITLE);
    prompt.m_strInitialName = attachment.strName;
    // The prompt asks before a file is replaced; what is written is a file
    // of this user alone, as an export is.
    prompt.m_bConfirmOverwrite = true;
    std::string strPath;
    if (!m_prompts.PromptSaveFile(prompt, strPath))
        return;
    const EFileError eError = WriteFileAtomic(strPath, attachment.bytes, EWriteMode::plainText);
    if (eError != EFileError::none)
        m_prompts.MessageBox(FileErrorMessage(eError, strPath), EMsgIcon::exclamation);
}

void CAccountAttachmentsTab::OnRemove() {
    const int nCurrent = Current();
    if (nCurrent < 0)
        return;
    m_attachments.erase(m_attachments.begin() + nCurrent);
    Fill(std::min(nCurrent, static_cast<int>(m_attachments.size()) - 1));
}
