// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsPage.h"

#include "gui/controls/HoverButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

COptionsPage::COptionsPage(SOptionsData& options, CPrompts& prompts, const char* pszTitle,
                           QWidget* pParent)
    : QWidget(pParent), m_data(options), m_prompts(prompts), m_strTitle(Text(pszTitle)) {}

void COptionsPage::Tag(QWidget* pWidget, int nId, const char* pszName, const QString& strLabel) {
    pWidget->setProperty("controlId", nId);
    pWidget->setObjectName(QString::fromLatin1(pszName));
    QString strName = strLabel;
    pWidget->setAccessibleName(strName.remove(QLatin1Char('&')));
}

QCheckBox* COptionsPage::MakeCheck(int nId, const char* pszName, const char* pszText,
                                   bool bChecked) {
    auto* pCheck = new QCheckBox(Text(pszText), this);
    Tag(pCheck, nId, pszName, Text(pszText));
    pCheck->setChecked(bChecked);
    return pCheck;
}

QRadioButton* COptionsPage::MakeRadio(int nId, const char* pszName, const char* pszText) {
    auto* pRadio = new QRadioButton(Text(pszText), this);
    Tag(pRadio, nId, pszName, Text(pszText));
    return pRadio;
}

QComboBox* COptionsPage::MakeCombo(int nId, const char* pszName, const char* pszLabel) {
    auto* pCombo = new QComboBox(this);
    Tag(pCombo, nId, pszName, Text(pszLabel));
    return pCombo;
}

QLineEdit* COptionsPage::MakeEdit(int nId, const char* pszName, const char* pszLabel) {
    auto* pEdit = new QLineEdit(this);
    Tag(pEdit, nId, pszName, Text(pszLabel));
    return pEdit;
}

CHoverButton* COptionsPage::MakeIconButton(int nId, const char* pszName, const char* pszTip,
                                           int nIcon) {
    auto* pButton = new CHoverButton(this);
    pButton->SetIconId(nIcon);
    Tag(pButton, nId, pszName, Text(pszTip));
    pButton->setToolTip(Text(pszTip));
    pButton->setAutoDefault(false);
    return pButton;
}
