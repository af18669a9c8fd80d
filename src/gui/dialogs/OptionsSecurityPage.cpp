// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsSecurityPage.h"

#include "core/base/OptionsData.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"
#include "platform/Translations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

COptionsSecurityPage::COptionsSecurityPage(SOptionsData& options, CPrompts& prompts,
                                           QWidget* pParent)
    : COptionsPage(options, prompts, IDS_PAGE_SECURITY, pParent) {
    m_pMask = MakeCheck(1101, "MaskPasswords", IDS_MASK_WHEN_SHOWN, options.m_bMaskPasswords);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pMask);
    pLayout->addWidget(MakeIdleGroup(IDS_AUTO_LOCK, 1120, 1122, "AutoLock", options.m_nLockChoice,
                                     options.m_nLockSlider, m_pLockChoice, m_pLockSlider));
    pLayout->addWidget(MakeIdleGroup(IDS_AUTO_EXIT, 1121, 1123, "AutoExit", options.m_nExitChoice,
                                     options.m_nExitSlider, m_pExitChoice, m_pExitSlider));
    const auto watch = [this](QComboBox* pCombo, QSlider* pSlider, bool& bTouched) {
        connect(pCombo, &QComboBox::activated, this, [&bTouched]() { bTouched = true; });
        connect(pSlider, &QAbstractSlider::actionTriggered, this,
                [&bTouched]() { bTouched = true; });
    };
    watch(m_pLockChoice, m_pLockSlider, m_bLockTouched);
    watch(m_pExitChoice, m_pExitSlider, m_bExitTouched);
    m_pScreenLock =
        MakeCheck(1124, "LockOnScreenLock", IDS_LOCK_ON_SCREEN_LOCK, options.m_bLockOnScreenLock);
    pLayout->addWidget(m_pScreenLock);
    MakeClipboardChoice();
    auto* pClipboardRow = new QHBoxLayout;
    auto* pClipboardLabel = new QLabel(Text(IDS_CLIPBOARD_CLEAR), this);
    pClipboardLabel->setBuddy(m_pClipboard);
    pClipboardRow->addWidget(pClipboardLabel);
    pClipboardRow->addWidget(m_pClipboard);
    pClipboardRow->addStretch();
    pLayout->addLayout(pClipboardRow);
    pLayout->addStretch();
}

QWidget* COptionsSecurityPage::MakeIdleGroup(const char* pszTitle, int nComboId, int nSliderId,
                                             const char* pszName, int nChoice, int nSliderPos,
                                             QComboBox*& pCombo, QSlider*& pSlider) {
    auto* pGroup = new QGroupBox(Text(pszTitle), this);
    pCombo = MakeCombo(nComboId, pszName, pszTitle);
    for (const char* pszItem : IDS_IDLE_CHOICES)
        pCombo->addItem(Text(pszItem));
    pCombo->setCurrentIndex(std::clamp(nChoice, 0, IDLE_CHOICE_CUSTOMIZE));

    pSlider = new QSlider(Qt::Horizontal, this);
    Tag(pSlider, nSliderId, (std::string(pszName) + "Hours").c_str(),
        Text(pszTitle) + QLatin1Char(' ') + Text(IDS_SLIDER_HOURS));
    pSlider->setRange(IDLE_SLIDER_MIN, IDLE_SLIDER_MAX);
    pSlider->setPageStep(1);
    pSlider->setTickPosition(QSlider::TicksBelow);
    // Position 0 (not customised) shows as the slider's minimum.
    pSlider->setValue(std::max(nSliderPos, IDLE_SLIDER_MIN));
    pSlider->setEnabled(pCombo->currentIndex() == IDLE_CHOICE_CUSTOMIZE);

    auto* pGrid = new QGridLayout(pGroup);
    pGrid->addWidget(pCombo, 0, 0, 1, 3);
    pGrid->addWidget(new QLabel(Text(IDS_SLIDER_LOW), pGroup), 1, 0);
    pGrid->addWidget(pSlider, 1, 1);
    pGrid->addWidget(new QLabel(Text(IDS_SLIDER_HIGH), pGroup), 1, 2);
    pGrid->addWidget(new QLabel(Text(IDS_SLIDER_HOURS), pGroup), 2, 1, Qt::AlignHCenter);

    QSlider* pTheSlider = pSlider;
    connect(pCombo, &QComboBox::activated, this,
            [pTheSlider](int nIndex) { OnChoice(nIndex, pTheSlider); });
    return pGroup;
}

void COptionsSecurityPage::OnChoice(int nChoice, QSlider* pSlider) {
    // A new choice starts the custom time over at half an hour.
    pSlider->setValue(IDLE_SLIDER_MIN);
    pSlider->setEnabled(nChoice == IDLE_CHOICE_CUSTOMIZE);
}

void COptionsSecurityPage::MakeClipboardChoice() {
    m_pClipboard = MakeCombo(1127, "ClipboardClear", IDS_CLIPBOARD_CLEAR);
    std::vector<unsigned> vecSeconds(CLIPBOARD_CLEAR_CHOICES.begin(),
                                     CLIPBOARD_CLEAR_CHOICES.end());
    // A time set in the settings file by hand stays choosable.
    if (std::find(vecSeconds.begin(), vecSeconds.end(), m_data.m_nClipboardClearSec) ==
        vecSeconds.end()) {
        vecSeconds.push_back(m_data.m_nClipboardClearSec);
        std::sort(vecSeconds.begin(), vecSeconds.end());
    }
    for (const unsigned nSeconds : vecSeconds) {
        m_pClipboard->addItem(nSeconds == 0 ? Text(IDS_CLIPBOARD_NEVER)
                                            : TrCount(IDS_SECONDS_FORMAT, nSeconds),
                              nSeconds);
    }
    m_pClipboard->setCurrentIndex(m_pClipboard->findData(m_data.m_nClipboardClearSec));
}

bool COptionsSecurityPage::ValidatePage() {
    m_data.m_bMaskPasswords = m_pMask->isChecked();
    m_data.m_nLockChoice = m_pLockChoice->currentIndex();
    m_data.m_nLockSlider = m_pLockSlider->value();
    m_data.m_nExitChoice = m_pExitChoice->currentIndex();
    m_data.m_nExitSlider = m_pExitSlider->value();
    m_data.m_bKeepLock = m_data.m_bKeepLock && !m_bLockTouched;
    m_data.m_bKeepExit = m_data.m_bKeepExit && !m_bExitTouched;
    m_data.m_bLockOnScreenLock = m_pScreenLock->isChecked();
    m_data.m_nClipboardClearSec = m_pClipboard->currentData().toUInt();
    return true;
}
