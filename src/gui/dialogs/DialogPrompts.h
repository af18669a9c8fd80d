// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/QtPrompts.h"

// The whole prompt seam of the desktop program: the desktop's dialogs, the
// three KEY dialogs (each cleared of the typed KEY once it closes), the
// folder chooser and the Options dialog.
class CDialogPrompts final : public CQtPrompts {
public:
    using CQtPrompts::CQtPrompts;

    bool RunCreateKey(std::string& strKeyValue, std::string& strKey) override;
    bool RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) override;
    bool RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) override;
    bool RunChangeKey(std::string& strKeyValue, std::string& strKey) override;
    bool RunFileProperty(SFileProperties& props) override;
    // Our own chooser: its OK runs the folder check, which Qt's cannot.
    bool ChooseFolder(const std::string& strTitle, const std::string& strPrompt,
                      const std::string& strInitial, std::string& strFolder) override;
    bool RunOptions(SOptionsData& data) override;
    bool RunDatabaseKey(const std::string& strFileName, EDatabaseKeyKind eKind,
                        SDatabaseKey& key) override;
};
