// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountHistoryTab.h"

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/store/CodePage.h"
#include "gui/controls/MaskedValueDelegate.h"
#include "gui/dialogs/AccountTabTexts.h"
#include "platform/Translations.h"

#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CAccountHistoryTab::CAccountHistoryTab(const CCodePage& codePage, QWidget* pParent)
    : QWidget(pParent), m_codePage(codePage) {
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("History"));
    m_pList->setAccessibleName(TrText(IDS_HISTORY_LIST));
    m_pList->setRootIsDecorated(false);
    m_pList->setHeaderLabels(
        {TrText(IDS_HISTORY_MODIFIED_COLUMN), TrText(IDS_HISTORY_ACCOUNT_COLUMN)});
    m_pEmpty = new QLabel(TrText(IDS_HISTORY_EMPTY), this);
    m_pEmpty->setObjectName(QStringLiteral("HistoryEmpty"));
    m_pRestore = new QPushButton(TrText(IDS_RESTORE_VERSION), this);
    m_pRestore->setObjectName(QStringLiteral("RestoreVersion"));
    m_pRestore->setAccessibleName(TrText(IDS_RESTORE_VERSION_NAME));
    m_pRestore->setAutoDefault(false);
    connect(m_pList, &QTreeWidget::currentItemChanged, this, &CAccountHistoryTab::ShowVersion);
    connect(m_pRestore, &QPushButton::clicked, this, [this] {
        if (const SRecordVersion* pVersion = Current(); pVersion && m_fnRestore)
            m_fnRestore(*pVersion);
    });

    auto* pForm = new QFormLayout;
    const auto box = [this, pForm](const char* pszLabel, const char* pszName) {
        auto* pBox = new QLineEdit(this);
        pBox->setReadOnly(true);
        pBox->setObjectName(QStringLiteral("History") + QString::fromLatin1(pszName));
        pBox->setAccessibleName(TrText(pszLabel));
        pForm->addRow(TrText(pszLabel), pBox);
        return pBox;
    };
    m_pAccount = box(IDS_ACCOUNT_LABEL, "Account");
    m_pUserName = box(IDS_USERNAME_LABEL, "UserName");
    m_pPassword = box(IDS_PASSWORD_LABEL, "Password");
    m_pWebSite = box(IDS_HYPERLINK_LABEL, "WebSite");
    m_pEMail = box(IDS_EMAIL_LABEL, "EMail");
    m_pComments = new QPlainTextEdit(this);
    m_pComments->setReadOnly(true);
    m_pComments->setObjectName(QStringLiteral("HistoryComments"));
    m_pComments->setAccessibleName(TrText(IDS_COMMENTS_LABEL));
    pForm->addRow(TrText(IDS_COMMENTS_LABEL), m_pComments);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_pRestore);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pEmpty);
    pLayout->addWidget(m_pList, 1);
    pLayout->addLayout(pForm, 2);
    pLayout->addLayout(pButtons);
    SetMasked(true);
    ShowVersion();
}

QString CAccountHistoryTab::ToQt(const std::string& strStored) const {
    return QString::fromStdString(m_codePage.ToUtf8(strStored));
}

void CAccountHistoryTab::Load(std::vector<SRecordVersion> history) {
    m_history = std::move(history);
    m_pList->clear();
    for (auto it = m_history.rbegin(); it != m_history.rend(); ++it) {
        const QString strWhen =
            QLocale().toString(QDateTime::fromSecsSinceEpoch(it->nModified), QLocale::ShortFormat);
        auto* pItem = new QTreeWidgetItem(m_pList, {strWhen, ToQt(it->strAccount)});
        pItem->setData(0, Qt::UserRole, static_cast<int>(it.base() - m_history.begin() - 1));
    }
    m_pList->resizeColumnToContents(0);
    m_pEmpty->setVisible(m_history.empty());
    m_pList->setCurrentItem(m_pList->topLevelItem(0));
    ShowVersion();
}

const SRecordVersion* CAccountHistoryTab::Current() const {
    const QTreeWidgetItem* pItem = m_pList->currentItem();
    if (!pItem)
        return nullptr;
    return &m_history[static_cast<std::size_t>(pItem->data(0, Qt::UserRole).toInt())];
}

void CAccountHistoryTab::ShowVersion() {
    const SRecordVersion* pVersion = Current();
    const SRecordVersion none;
    const SRecordVersion& shown = pVersion ? *pVersion : none;
    m_pAccount->setText(ToQt(shown.strAccount));
    m_pUserName->setText(ToQt(shown.strUserName));
    m_pPassword->setText(ToQt(shown.strPassword));
    m_pWebSite->setText(ToQt(shown.strWebSite));
    m_pEMail->setText(ToQt(shown.strEMail));
    m_pComments->setPlainText(ToQt(CommentsForDisplay(shown.strComments)));
    m_pRestore->setEnabled(pVersion != nullptr);
}

void CAccountHistoryTab::SetMasked(bool bMasked) {
    SetEditMasked(*m_pPassword, bMasked);
}

QStringList CAccountHistoryTab::ShownTexts() const {
    return {m_pAccount->text(), m_pUserName->text(), m_pPassword->text(),
            m_pWebSite->text(), m_pEMail->text(),    m_pComments->toPlainText()};
}
