#pragma once

#include "platform/Prompts.h"

#include <functional>

class CCodePage;
class QWidget;

// The prompt seam with real dialogs: message boxes, file dialogs, the folder
// chooser and the three KEY dialogs.
class CQtPrompts : public CPrompts {
public:
    // fnParent names the window that owns the next dialog (the main window,
    // or the Password Bar while it stands in for it); none gives top-level
    // dialogs.
    explicit CQtPrompts(std::function<QWidget*()> fnParent = {},
                        const CCodePage* pCodePage = nullptr);

    EMsgAnswer MessageBox(const std::string& strText, EMsgIcon eIcon,
                          EMsgButtons eButtons = EMsgButtons::ok,
                          const std::string& strCaption = PROMPT_CAPTION) override;
    bool PromptOpenFile(const SFilePrompt& prompt, std::string& strPath) override;
    bool PromptSaveFile(const SFilePrompt& prompt, std::string& strPath) override;
    bool ChooseFolder(const std::string& strTitle, const std::string& strInitial,
                      std::string& strFolder) override;
    bool RunCreateKey(std::string& strKeyValue) override;
    bool RunCheckKey(const std::string& strPrompt, const std::string& strKeyValue) override;
    bool RunChangeKey(std::string& strKeyValue) override;

    // "*.pwd" from "Keyhaven files (*.pwd)"; "" when the filter names none.
    static std::string FilterSuffix(const std::string& strFilter);
    // The name a file prompt returns: the default extension is added when
    // the last component has none.
    static std::string WithDefaultExtension(const std::string& strPath,
                                            const std::string& strDefaultExt);

private:
    QWidget* Parent() const;
    bool FileDialog(const SFilePrompt& prompt, bool bSave, std::string& strPath);

    std::function<QWidget*()> m_fnParent;
    const CCodePage* m_pCodePage;
};
