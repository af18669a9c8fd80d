// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/Translations.h"

#include <QWidget>

struct SOptionsData;
class CHoverButton;
class CPrompts;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// One page of the Options dialog. It shows the dialog's options in its controls
// when it is made, and its check reads the controls back into the options; a
// page never checked leaves the options as it came in. Messages go through the
// prompt seam.
class COptionsPage : public QWidget {
    Q_OBJECT
public:
    COptionsPage(SOptionsData& options, CPrompts& prompts, const char* pszTitle, QWidget* pParent);

    // Reads the controls into the options and checks them; false keeps the
    // user on this page (the message has been shown).
    virtual bool ValidatePage() = 0;
    QString Title() const { return m_strTitle; }

protected:
    // Controls carry their number, an object name and their label as the
    // accessible name, so tests and assistive tools find them.
    QCheckBox* MakeCheck(int nId, const char* pszName, const char* pszText, bool bChecked);
    QRadioButton* MakeRadio(int nId, const char* pszName, const char* pszText);
    QComboBox* MakeCombo(int nId, const char* pszName, const char* pszLabel);
    QLineEdit* MakeEdit(int nId, const char* pszName, const char* pszLabel);
    CHoverButton* MakeIconButton(int nId, const char* pszName, const char* pszTip, int nIcon);
    static void Tag(QWidget* pWidget, int nId, const char* pszName, const QString& strLabel);
    static QString Text(const char* psz) { return TrText(psz); }

    SOptionsData& m_data;
    CPrompts& m_prompts;

private:
    QString m_strTitle;
};
