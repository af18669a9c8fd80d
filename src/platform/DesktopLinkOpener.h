// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/link/LinkOpener.h"

class CCodePage;

#include <string>

// The link launcher on this desktop: the desktop's own URL service first;
// then $BROWSER, or the default browser's desktop entry (as xdg-settings or
// the mimeapps.list files name it). Texts here are UTF-8.
class CDesktopLinkOpener : public CLinkOpener {
protected:
    bool OpenWithDesktop(const std::string& strTarget) override;
    std::optional<std::string> BrowserVariable() override;
    std::optional<std::string> DefaultBrowserCommand() override;
    bool StartProgram(const std::vector<std::string>& vArgs) override;
};

// Opens a web address, a "mailto:" address or anything the desktop can open;
// the target is a stored text (bytes in the code page).
// Returns a value above LINK_FAILURE_MAX when it was opened, otherwise a code
// of the link error table (LinkErrorMessage gives its text). Shows nothing.
int OpenLink(const std::string& strTarget, const CCodePage& codePage);
