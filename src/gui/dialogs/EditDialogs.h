// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"

#include <functional>

class CCofferDoc;
class CPrompts;
class QWidget;

// The editing dialogs of the desktop program behind CEditPrompts, over the
// open document; their messages go through the prompt seam.
class CEditDialogs final : public CEditPrompts {
public:
    CEditDialogs(const CCofferDoc& doc, CPrompts& prompts, std::function<QWidget*()> fnParent);

    bool RunAccountDlg(SAccountDlgData& data) override;
    bool RunAddGroup(std::string& strName) override;
    bool RunEditGroup(std::string& strGroup, std::string& strName) override;
    bool RunDeleteGroup(std::string& strGroup) override;
    EReplaceAnswer RunAccountReplace(const std::string& strAccount) override;
    void RunPasswordHealth(SHealthDlgData& data) override;

private:
    // The window the next dialog belongs to.
    QWidget* Parent() const;
    const CCofferDoc& m_doc;
    CPrompts& m_prompts;
    std::function<QWidget*()> m_fnParent;
};
