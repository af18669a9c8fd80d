// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/OptionsPage.h"

#include <string>

class CStrengthMeter;
class CUpDown;

// "Password Generator": the five character classes, range or fixed length,
// and a live preview made from the controls as they stand (Generate, Copy,
// Clear). Only the check insists on lengths of at least 1.
class COptionsGeneratorPage final : public COptionsPage {
    Q_OBJECT
public:
    COptionsGeneratorPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent);

    bool ValidatePage() override;
    // The flags word of the controls as they stand now.
    int FlagsFromControls() const;
    void OnGenerate();
    void OnCopy();
    void OnClear();
    CStrengthMeter* StrengthMeter() const { return m_pStrength; }

private:
    QWidget* MakeLettersGroup(int nFlags);
    QWidget* MakeLengthGroup();
    QLineEdit* MakeLengthEdit(int nId, const char* pszName, const std::string& strText,
                              int nMaxDigits);
    void SetRangeMode(bool bRange);

    QCheckBox* m_pClass[5] = {};
    QRadioButton* m_pRange = nullptr;
    QRadioButton* m_pSpecify = nullptr;
    QLineEdit* m_pBegin = nullptr;
    QLineEdit* m_pEnd = nullptr;
    QLineEdit* m_pLength = nullptr;
    CUpDown* m_pBeginSpin = nullptr;
    CUpDown* m_pEndSpin = nullptr;
    CUpDown* m_pLengthSpin = nullptr;
    QLineEdit* m_pResult = nullptr;
    CStrengthMeter* m_pStrength = nullptr;
};
