// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsHotKeyPage.h"

#include "core/base/OptionsData.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "gui/controls/HotKeyEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

COptionsHotKeyPage::COptionsHotKeyPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent)
    : COptionsPage(options, prompts, IDS_PAGE_HOTKEY, pParent) {
    m_pHotKey = new CHotKeyEdit(this);
    Tag(m_pHotKey, 1210, "HotKey", Text(IDS_HOTKEY_GROUP));
    m_pHotKey->SetHotKey(options.m_wHotKey, options.m_wHotKeyFlags);
    m_pHideTray = MakeCheck(1211, "HideTray", IDS_HIDE_TRAY, options.m_bHideTray);

    auto* pGroup = new QGroupBox(Text(IDS_HOTKEY_GROUP), this);
    auto* pGroupBox = new QVBoxLayout(pGroup);
    auto* pHint = new QLabel(Text(IDS_HOTKEY_HINT), pGroup);
    pHint->setWordWrap(true);
    pGroupBox->addWidget(pHint);
    pGroupBox->addWidget(m_pHotKey);
    if (!options.m_bHotKeyAvailable) {
        // The stored key stays as it is, for a desktop that has one.
        m_pHotKey->setEnabled(false);
        pHint->hide();
        auto* pUnavailable = new QLabel(Text(IDS_HOTKEY_UNAVAILABLE), pGroup);
        pUnavailable->setObjectName(QStringLiteral("HotKeyUnavailable"));
        pUnavailable->setWordWrap(true);
        pGroupBox->addWidget(pUnavailable);
    }

    auto* pNote = new QLabel(Text(IDS_HOTKEY_NOTE), this);
    pNote->setWordWrap(true);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pGroup);
    pLayout->addWidget(m_pHideTray);
    pLayout->addWidget(pNote);
    pLayout->addStretch();
}

bool COptionsHotKeyPage::ValidatePage() {
    const bool bHideTray = m_pHideTray->isChecked();
    if (bHideTray && !m_data.m_bHotKeyAvailable) {
        m_prompts.MessageBox(IDS_HOTKEY_NO_WAY_BACK, EMsgIcon::none);
        m_pHideTray->setFocus();
        return false;
    }
    if (bHideTray && m_pHotKey->VirtualKey() == 0) {
        m_prompts.MessageBox(IDS_HOTKEY_NEEDED, EMsgIcon::none);
        m_pHotKey->setFocus();
        return false;
    }
    m_data.m_bHideTray = bHideTray;
    m_data.m_wHotKey = m_pHotKey->VirtualKey();
    m_data.m_wHotKeyFlags = m_pHotKey->Flags();
    if (m_data.m_fnHotKeyChecked)
        m_data.m_fnHotKeyChecked(bHideTray, m_data.m_wHotKey, m_data.m_wHotKeyFlags);
    return true;
}
