// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Prompts.h"

#include <functional>
#include <string>
#include <vector>

class CCodePage;
class QWidget;

// The desktop's own dialogs behind the prompt seam: message boxes, file
// and file dialogs. The three KEY dialogs, the folder chooser and the
// Options dialog are the program's own windows, so the GUI completes this
// class with them (CDialogPrompts).
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
    // Qt's print dialog over a CQtPrintDevice: the desktop's printers and
    // printing into a PDF file.
    bool RunPrintDialog(CPrintDevice& device) override;
    // The work on a thread of its own; meanwhile a modal box with a busy
    // bar and Cancel (none for waited work), and the event loop goes on for
    // every window. The end of the program's event loop ends the wait too:
    // waited work is waited for, other work is abandoned.
    EBusyEnd RunBusy(const std::string& strText, CBusyWork fnWork, EBusyKind eKind) override;
    bool IsLockStoppableWorkRunning() const override;
    void StopWorkForLock() override;
    // Whether abandoned work still runs somewhere: the program must then
    // end without tearing down what that work may still be using.
    static bool IsAbandonedWorkRunning();

    // The window a new dialog belongs to: the dialog open now, when one is,
    // so that a question asked from inside a dialog is placed over that
    // dialog (Wayland compositors place a dialog only by its parent), and
    // pWindow otherwise.
    static QWidget* OwnerFor(QWidget* pWindow);
    // A message box owned by pParent (none gives a top-level box), for
    // windows that have no prompt object of their own.
    static EMsgAnswer ShowMessage(QWidget* pParent, const std::string& strText, EMsgIcon eIcon,
                                  EMsgButtons eButtons = EMsgButtons::ok,
                                  const std::string& strCaption = PROMPT_CAPTION);

    // "*.pwd" from "Keyhaven files (*.pwd)"; "" when the filter names none.
    static std::string FilterSuffix(const std::string& strFilter);
    // ".khv" from "Protected Keyhaven files (*.khv)": the extension of the
    // filter's first pattern; "" for none or a wildcard ("All files (*)").
    static std::string FilterExtension(const std::string& strFilter);
    // The filters a file dialog offers: the caller's (separated by ";;"),
    // then "All files (*)" unless one of them already matches every name.
    static std::vector<std::string> NameFilters(const std::string& strFilter);
    // The name a file prompt returns: the default extension is added when
    // the last component has none.
    static std::string WithDefaultExtension(const std::string& strPath,
                                            const std::string& strDefaultExt);
    // The code page of typed KEYs asked from now on, looked up at each
    // question: the open file's (a database's is UTF-8).
    void SetCodePageSource(std::function<const CCodePage*()> fnCodePage) {
        m_fnCodePage = std::move(fnCodePage);
    }

protected:
    QWidget* Parent() const;
    const CCodePage* CodePage() const { return m_fnCodePage ? m_fnCodePage() : m_pCodePage; }

private:
    // One busy wait in progress: waits nest when a wait's event loop starts
    // another (a lock that saves a sealed file).
    struct SBusyWait;

    bool FileDialog(const SFilePrompt& prompt, bool bSave, std::string& strPath);

    std::function<QWidget*()> m_fnParent;
    const CCodePage* m_pCodePage;
    std::function<const CCodePage*()> m_fnCodePage;
    std::vector<SBusyWait*> m_vecWaits; // innermost last
};
