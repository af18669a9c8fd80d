// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// The link launcher: asks the desktop to open a target and, when the desktop
// cannot, starts the user's browser with the target. The steps that reach the
// desktop are virtual, so the order of the attempts and the result codes are
// decided here, once, for the program and its tests.
class CLinkOpener {
public:
    virtual ~CLinkOpener() = default;

    // Returns LINK_OPENED (above LINK_FAILURE_MAX) when something took the
    // target, otherwise a failure code of the link error table. Shows nothing.
    int OpenLink(const std::string& strTarget);

protected:
    // The desktop's own service for opening an address.
    virtual bool OpenWithDesktop(const std::string& strTarget) = 0;
    // $BROWSER, or nothing when it is unset.
    virtual std::optional<std::string> BrowserVariable() = 0;
    // The Exec line of the default web browser's desktop entry, if one is known.
    virtual std::optional<std::string> DefaultBrowserCommand() = 0;
    // Starts a program with its arguments, without waiting for it.
    virtual bool StartProgram(const std::vector<std::string>& vArgs) = 0;

private:
    std::vector<std::string> BrowserCommands();
};
