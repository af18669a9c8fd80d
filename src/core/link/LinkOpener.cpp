// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/LinkOpener.h"

#include "core/link/LinkCommand.h"

std::vector<std::string> CLinkOpener::BrowserCommands() {
    if (std::optional<std::string> strBrowser = BrowserVariable()) {
        std::vector<std::string> vCommands = SplitBrowserVariable(*strBrowser);
        if (!vCommands.empty())
            return vCommands;
    }
    if (std::optional<std::string> strExec = DefaultBrowserCommand())
        return {*strExec};
    return {};
}

int CLinkOpener::OpenLink(const std::string& strTarget) {
    if (OpenWithDesktop(strTarget))
        return LINK_OPENED;
    int nResult = LINK_ERR_NOASSOC;
    // A browser reads a leading '-' as one of its options, and a target from
    // a password file must never become one.
    if (strTarget.empty() || strTarget.front() == '-')
        return nResult;
    for (const std::string& strCommand : BrowserCommands()) {
        std::vector<std::string> vArgs = BrowserArguments(strCommand, strTarget);
        if (vArgs.empty())
            continue;
        if (StartProgram(vArgs))
            return LINK_OPENED;
        nResult = LINK_ERR_FILE_NOT_FOUND;
    }
    return nResult;
}
