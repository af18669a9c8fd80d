// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliFailure.h"
#include "core/base/Prompts.h"

#include <functional>
#include <map>
#include <string>

// The file session's questions answered at a terminal, for a command that
// runs without a window. KEYs are read as the command reads them; an
// information is written for a person at the terminal; a failure the session
// reports ends the command (a CCliFailure with the exit status the command
// set for the step it runs); a question nobody can answer is declined, and
// so is every dialog that has no terminal form.
class CTerminalPrompts final : public CPrompts {
public:
    // Reads one KEY (code-page bytes) after the prompt; it ends the command
    // itself when none can be read.
    using CKeyReading = std::function<std::string(const std::string& strPrompt)>;
    // Reads a new KEY, as asked for by Create and Change KEY.
    using CNewKeyReading = std::function<std::string()>;
    using CInforming = std::function<void(const std::string& strText)>;

    CTerminalPrompts(CKeyReading fnReadKey, CInforming fnInform);

    // How the step the command runs next ends when the session reports a
    // failure, and the message for a KEY the file does not take.
    void SetFailureExit(int nExit) { m_nFailureExit = nExit; }
    void SetWrongKeyMessage(std::string strMessage) { m_strWrongKey = std::move(strMessage); }
    // A message of the session that ends the command otherwise: with nExit,
    // and strMessage written instead.
    void SetFailureFor(std::string strText, int nExit, std::string strMessage);
    // The file a save prompt is answered with; without one it is declined.
    void SetSaveAnswer(std::string strPath) { m_strSaveAnswer = std::move(strPath); }
    // Where a new KEY comes from; without it, a new KEY is declined.
    void SetNewKeyReading(CNewKeyReading fnReadNewKey) { m_fnReadNewKey = std::move(fnReadNewKey); }

    EMsgAnswer MessageBox(const std::string& strText, EMsgIcon eIcon,
                          EMsgButtons eButtons = EMsgButtons::ok,
                          const std::string& strCaption = PROMPT_CAPTION) override;
    bool PromptOpenFile(const SFilePrompt& prompt, std::string& strPath) override;
    bool PromptSaveFile(const SFilePrompt& prompt, std::string& strPath) override;
    bool ChooseFolder(const std::string& strTitle, const std::string& strPrompt,
                      const std::string& strInitial, std::string& strFolder) override;
    bool RunCreateKey(std::string& strKeyValue, std::string& strKey) override;
    bool RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) override;
    bool RunCheckKeyWith(const std::string& strPrompt, const CKeyAcceptor& fnAccept) override;
    bool RunChangeKey(std::string& strKeyValue, std::string& strKey) override;
    bool RunPrintDialog(CPrintDevice& device) override;
    bool RunFileProperty(SFileProperties& props) override;
    bool RunOptions(SOptionsData& data) override;

private:
    CKeyReading m_fnReadKey;
    CNewKeyReading m_fnReadNewKey;
    CInforming m_fnInform;
    int m_nFailureExit;
    std::string m_strWrongKey;
    std::string m_strSaveAnswer;
    std::map<std::string, CCliFailure, std::less<>> m_mapFailures;
};
