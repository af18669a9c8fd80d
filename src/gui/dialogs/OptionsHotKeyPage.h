// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/OptionsPage.h"

class CHotKeyEdit;

// "Hot Key": the key that brings the program back, and hiding the tray
// icon, which needs that key. A passed check puts both into effect at once,
// even when the dialog is cancelled afterwards.
class COptionsHotKeyPage final : public COptionsPage {
    Q_OBJECT
public:
    COptionsHotKeyPage(SOptionsData& options, CPrompts& prompts, QWidget* pParent);

    bool ValidatePage() override;
    CHotKeyEdit* HotKeyEdit() const { return m_pHotKey; }

private:
    CHotKeyEdit* m_pHotKey = nullptr;
    QCheckBox* m_pHideTray = nullptr;
};
