// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/StartHint.h"

#include "core/base/CommandIds.h"
#include "core/base/SettingsSchema.h"
#include "core/shell/CommandMap.h"
#include "gui/view/ViewHost.h"
#include "gui/view/ViewTexts.h"
#include "platform/Translations.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CStartHint::CStartHint(CViewHost& host, QWidget* pParent) : QWidget(pParent), m_host(host) {
    setObjectName(QStringLiteral("StartHint"));
    setProperty("controlId", IDC_START_HINT);
    setAccessibleName(TrText(IDS_START_HINT_TITLE));
    setAutoFillBackground(true);
    // A click here is no splitter drag of the view underneath.
    setAttribute(Qt::WA_NoMousePropagation);

    m_pTitle = new QLabel(TrText(IDS_START_HINT_TITLE), this);
    m_pTitle->setObjectName(QStringLiteral("StartHintTitle"));
    m_pNew = MakeButton(ID_FILE_NEW, "StartNew", TrText(IDS_START_HINT_NEW));
    m_pOpen = MakeButton(ID_FILE_OPEN, "StartOpen", TrText(IDS_START_HINT_OPEN));
    m_pImport = MakeButton(ID_FILE_IMPORT, "StartImport", TrText(IDS_START_HINT_IMPORT));
    m_pRecentTitle = new QLabel(TrText(IDS_START_HINT_RECENT), this);
    m_pRecentTitle->setObjectName(QStringLiteral("StartHintRecent"));
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        QPushButton* pButton =
            MakeButton(ID_FILE_MRU_FILE1 + i, QStringLiteral("StartRecent%1").arg(i + 1).toLatin1(),
                       QString());
        pButton->setFlat(true);
        m_vecRecent.push_back(pButton);
    }
    // Import fills the open file, and none is open yet: a new one first.
    disconnect(m_pImport, &QPushButton::clicked, nullptr, nullptr);
    connect(m_pImport, &QPushButton::clicked, this, &CStartHint::OnImport);

    // One column of buttons of one width, whatever their texts' lengths.
    int nWidth = 0;
    for (const QPushButton* pButton : {m_pNew, m_pOpen, m_pImport})
        nWidth = std::max(nWidth, pButton->sizeHint().width());
    for (QPushButton* pButton : {m_pNew, m_pOpen, m_pImport})
        pButton->setMinimumWidth(nWidth);

    auto* pColumn = new QVBoxLayout(this);
    pColumn->addStretch(1);
    pColumn->addWidget(m_pTitle, 0, Qt::AlignHCenter);
    for (QPushButton* pButton : {m_pNew, m_pOpen, m_pImport})
        pColumn->addWidget(pButton, 0, Qt::AlignHCenter);
    pColumn->addSpacing(fontMetrics().height());
    pColumn->addWidget(m_pRecentTitle, 0, Qt::AlignHCenter);
    for (QPushButton* pButton : m_vecRecent)
        pColumn->addWidget(pButton, 0, Qt::AlignHCenter);
    pColumn->addStretch(2);
}

QPushButton* CStartHint::MakeButton(int nId, const char* pszName, const QString& strText) {
    auto* pButton = new QPushButton(strText, this);
    pButton->setObjectName(QString::fromLatin1(pszName));
    pButton->setProperty("controlId", nId);
    pButton->setAutoDefault(false);
    connect(pButton, &QPushButton::clicked, this, [this, nId] { m_host.RunCommand(nId); });
    return pButton;
}

void CStartHint::OnImport() {
    if (!m_host.Commands().Update(ID_FILE_IMPORT).bEnabled)
        m_host.RunCommand(ID_FILE_NEW);
    // Refused (the new file's KEY cancelled): the import does not run.
    m_host.RunCommand(ID_FILE_IMPORT);
}

void CStartHint::Refresh(const std::vector<std::string>& vecRecent) {
    const CCommandMap& commands = m_host.Commands();
    m_pNew->setEnabled(commands.Update(ID_FILE_NEW).bEnabled);
    m_pOpen->setEnabled(commands.Update(ID_FILE_OPEN).bEnabled);
    m_pImport->setEnabled(m_pNew->isEnabled() || commands.Update(ID_FILE_IMPORT).bEnabled);
    for (std::size_t i = 0; i < m_vecRecent.size(); ++i) {
        QPushButton* pButton = m_vecRecent[i];
        const bool bShown = i < vecRecent.size();
        // Paths are the file system's names: an "&" is itself, no mnemonic.
        QString strPath = bShown ? QString::fromStdString(vecRecent[i]) : QString();
        pButton->setToolTip(strPath);
        pButton->setText(strPath.replace(QLatin1Char('&'), QStringLiteral("&&")));
        pButton->setAccessibleName(pButton->toolTip());
        pButton->setVisible(bShown);
        pButton->setEnabled(bShown &&
                            commands.Update(pButton->property("controlId").toInt()).bEnabled);
    }
    m_pRecentTitle->setVisible(!vecRecent.empty());
}

void CStartHint::FocusFirst() {
    for (QPushButton* pButton : {m_pNew, m_pOpen, m_pImport}) {
        if (pButton->isEnabled()) {
            pButton->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}
