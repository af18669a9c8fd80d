// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/OptionsPage.h"

class QSlider;

// "Security": masking, the auto-lock and auto-exit times (a choice, and a
// slider in half hours for "Customize"), locking with the screen and
// clearing the clipboard.
class COptionsSecurityPage final : public COptionsPage {
    Q_OBJECT
public:
    COptionsSecurityPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent);

    bool ValidatePage() override;

private:
    // One "Auto lock" or "Auto exit" box: its choice list and slider.
    QWidget* MakeIdleGroup(const char* pszTitle, int nComboId, int nSliderId, const char* pszName,
                           int nChoice, int nSliderPos, QComboBox*& pCombo, QSlider*& pSlider);
    void MakeClipboardChoice();
    static void OnChoice(int nChoice, QSlider* pSlider);

    QCheckBox* m_pMask = nullptr;
    QComboBox* m_pLockChoice = nullptr;
    QSlider* m_pLockSlider = nullptr;
    QComboBox* m_pExitChoice = nullptr;
    QSlider* m_pExitSlider = nullptr;
    QCheckBox* m_pScreenLock = nullptr;
    QComboBox* m_pClipboard = nullptr;
    // The user changed the auto-lock or the auto-exit list or slider.
    bool m_bLockTouched = false;
    bool m_bExitTouched = false;
};
