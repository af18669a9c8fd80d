// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/GroupDialog.h"

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/KeyDialogRules.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/dialogs/IconButtonRow.h"
#include "platform/Translations.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CGroupDialog::CGroupDialog(const CCofferDoc& doc, CPrompts& prompts, const char* pszTitle,
                           QWidget* pParent)
    : QDialog(pParent), m_doc(doc), m_prompts(prompts), m_pLayout(new QVBoxLayout(this)) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(TrText(pszTitle));
    setMinimumWidth(300);
}

CGroupDialog::~CGroupDialog() = default;

void CGroupDialog::AddLabel(const char* pszText) {
    auto* pLabel = new QLabel(TrText(pszText), this);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setWordWrap(true);
    m_pLayout->addWidget(pLabel);
}

void CGroupDialog::AddGroupList(int nId) {
    m_pGroupList = new CHoverComboBox(this);
    m_pGroupList->setProperty("controlId", nId);
    m_pGroupList->setObjectName(QStringLiteral("GroupList"));
    m_pGroupList->setAccessibleName(TrText(IDS_CHOOSE_GROUP_LABEL));
    connect(m_pGroupList, &QComboBox::activated, this, &CGroupDialog::OnGroupChosen);
    m_pLayout->addWidget(m_pGroupList);
}

void CGroupDialog::AddNameEdit() {
    m_pName = new QLineEdit(this);
    m_pName->setProperty("controlId", IDC_NAME);
    m_pName->setObjectName(QStringLiteral("GroupName"));
    m_pName->setAccessibleName(TrText(IDS_NEW_NAME_LABEL));
    m_pName->setMaxLength(MAX_NAME_LENGTH);
    m_pLayout->addWidget(m_pName);
}

void CGroupDialog::AddButtons() {
    m_pLayout->addLayout(MakeIconButtonRow(*this).m_pLayout);
}

void CGroupDialog::FillGroups() {
    const CCodePage& codePage = m_doc.CodePage();
    m_pChoice = std::make_unique<CGroupChoice>(m_doc.Records(), codePage);
    m_pGroupList->clear();
    for (const SGroupEntry& entry : m_pChoice->Entries())
        m_pGroupList->addItem(QString::fromStdString(codePage.ToUtf8(entry.m_strText)));
    const int nShown = m_pChoice->Preselect(m_strGroup);
    m_pGroupList->setCurrentIndex(nShown);
    OnGroupChosen(nShown);
}

void CGroupDialog::OnGroupChosen(int nIndex) {
    if (m_pChoice && nIndex >= 0 && nIndex < m_pChoice->Count())
        m_strGroup = m_pChoice->Entries()[static_cast<std::size_t>(nIndex)].m_strText;
}

void CGroupDialog::Refuse(const char* pszMessage) {
    m_prompts.MessageBox(pszMessage, EMsgIcon::exclamation);
    if (m_pName)
        m_pName->setFocus(Qt::OtherFocusReason);
}

bool CGroupDialog::CheckName() {
    char32_t nBad = 0;
    std::string strName;
    if (!m_doc.CodePage().FromUtf8(m_pName->text().toStdString(), strName, &nBad)) {
        m_prompts.MessageBox(CKeyDialogRules::BadCharacterMessage(nBad, IDS_TEXT_BAD_CHARACTER),
                             EMsgIcon::exclamation);
        m_pName->setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_strName = strName;
    if (m_strName.empty()) {
        Refuse(IDS_GROUP_EMPTY);
        return false;
    }
    if (!m_doc.IsGroupNameFree(m_strName)) {
        m_strName.clear();
        m_pName->clear();
        Refuse(IDS_GROUP_SAME);
        return false;
    }
    return true;
}
