// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/TreeSearch.h"

#include <QString>

class CCommandMap;

// What the view asks of the window that holds it: the commands it registers
// and runs, whether the main window is the interface in use and whether the
// file is locked, the search bar's request, and the Options dialog. The
// frame answers; the view knows nothing else of it.
class CViewHost {
public:
    // The text to find and how it must match.
    struct SFindRequest {
        QString strText;
        SFindOptions options;
    };

    virtual CCommandMap& Commands() = 0;
    // Runs a command by its rules, as a click on its item does.
    virtual bool RunCommand(int nId) = 0;
    // Something the commands' states depend on changed.
    virtual void RequestCommandUpdate() = 0;
    virtual bool IsLocked() const = 0;
    virtual bool IsMainInterface() const = 0;
    virtual SFindRequest FindRequest() const = 0;
    // Nothing was found: the search text takes the focus again.
    virtual void FocusSearch() = 0;
    // The Options dialog on nStartPage (OPTIONS_PAGE_...); true on OK.
    virtual bool OpenOptions(int nStartPage) = 0;

protected:
    ~CViewHost() = default;
};
