// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/dialogs/KeyDialog.h"

// "Check Key": the KEY of an open file, or of a locked program. The caller
// sets the prompt ("KEY for:  " + file name) and m_strKeyValue, the stored
// check value; OK closes only on a matching KEY, after any number of tries.
class CCheckKeyDlg : public CKeyDialog {
    Q_OBJECT

public:
    enum { IDD = 217, IDC_PROMPT = 1073, IDC_TYPED_KEY = 1090 };

    explicit CCheckKeyDlg(CPrompts& prompts, QWidget* pParent = nullptr,
                          const CCodePage* pCodePage = nullptr);

    void SetPrompt(const QString& strPrompt);
    // The whole prompt; the label shows it cut with an ellipsis when long.
    QString Prompt() const;
    // A sealed file judges the KEY itself (one key derivation per try);
    // when set, it replaces the comparison with m_strKeyValue.
    void SetAcceptor(CKeyAcceptor fnAccept) { m_fnAccept = std::move(fnAccept); }

protected:
    SKeyDlgOutcome OnOK() override;

private:
    static constexpr int PROMPT_MAX_WIDTH = 480;

    QLabel* m_pPromptLabel;
    QString m_strPrompt;
    CKeyAcceptor m_fnAccept;
};
