// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CHoverButton;
class QDialog;
class QLayout;

// The OK (icon 222) and Cancel (icon 279) icon buttons of the program's
// dialogs, right-aligned in one row. OK is the default button and runs the
// dialog's accept(), Cancel its reject().
struct SIconButtonRow {
    CHoverButton* m_pOk = nullptr;
    CHoverButton* m_pCancel = nullptr;
    QLayout* m_pLayout = nullptr;
};

SIconButtonRow MakeIconButtonRow(QDialog& dialog);
