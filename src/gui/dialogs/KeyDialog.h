// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/KeyDialogRules.h"

#include <QDialog>
#include <map>
#include <string>

class CCodePage;
class CHoverButton;
class CStrengthMeter;
class CPrompts;
class QLabel;
class QLineEdit;

// What the three KEY dialogs share: masked KEY edits, the OK and Cancel icon
// buttons, and the way a refused OK shows its message (through the prompt
// seam), empties edits and moves the focus.
class CKeyDialog : public QDialog {
    Q_OBJECT

public:
    CKeyDialog(CPrompts& prompts, QWidget* pParent, const CCodePage* pCodePage);

    // Enter and the OK button both come here; the dialog closes only when
    // its OK rule accepts the texts.
    void accept() override;

    QLineEdit* Edit(EKeyField eField) const;
    CHoverButton* OkButton() const { return m_pOkButton; }
    CHoverButton* CancelButton() const { return m_pCancelButton; }
    // The strength of the new KEY, in the dialogs that make one.
    CStrengthMeter* Meter() const { return m_pMeter; }

    // Empties every edit and the result, as after each use.
    virtual void Clear();

    // The check value: Create and Change return the new one here, Check Key
    // and Change Key take the stored one.
    std::string m_strKeyValue;
    // The KEY accepted by OK, in code-page bytes; Clear wipes it.
    std::string m_strKey;

protected:
    // The dialog's OK rule over the current texts.
    virtual SKeyDlgOutcome OnOK() = 0;

    // A masked single-line KEY edit with its control id.
    QLineEdit* MakeKeyEdit(EKeyField eField, int nId, const char* pszObjectName,
                           const QString& strAccessibleName);
    QLabel* MakeLabel(const QString& strText, const char* pszObjectName, int nId = -1);
    // What a KEY is, in one wrapped line over the new KEY.
    QLabel* MakeExplanation();
    // A strength meter that follows the new KEY as it is typed; OK then asks
    // before it takes a KEY below "reasonable".
    CStrengthMeter* MakeMeter();
    // The row with OK (icon 222) and Cancel (icon 279), right-aligned.
    QLayout* MakeButtonRow();
    // The text of an edit as UTF-8, which the rules convert to the code page.
    std::string Text(EKeyField eField) const;
    const CCodePage& CodePage() const { return *m_pCodePage; }

private:
    void Apply(const SKeyDlgOutcome& outcome);
    // True unless the new KEY is easy to guess and the user keeps typing.
    bool WeakKeyAccepted();
    // Wipes the edit's text in place, then empties it.
    static void WipeEdit(QLineEdit& edit);

    CPrompts& m_prompts;
    const CCodePage* m_pCodePage;
    std::map<EKeyField, QLineEdit*> m_mapEdits;
    CHoverButton* m_pOkButton = nullptr;
    CHoverButton* m_pCancelButton = nullptr;
    CStrengthMeter* m_pMeter = nullptr;
};
