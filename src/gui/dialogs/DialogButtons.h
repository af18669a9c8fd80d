#pragma once

class CHoverButton;
class QDialog;
class QLayout;

// The OK (icon 222) and Cancel (icon 279) icon buttons of the program's
// dialogs, right-aligned in a row and wired to accept and reject. OK is the
// default button.
struct SDialogButtons {
    CHoverButton* m_pOk = nullptr;
    CHoverButton* m_pCancel = nullptr;
    QLayout* m_pRow = nullptr;
};

SDialogButtons MakeOkCancelRow(QDialog* pDialog);
