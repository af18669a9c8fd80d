// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <string>

// What an update function says about one command: whether it can run, its
// check mark, and for status panes the text to show.
class CCmdUI {
public:
    int nId = 0;
    bool bEnabled = false;
    int nCheck = -1; // -1: no check mark is managed; 0 unchecked; 1 checked
    bool bHasText = false;
    std::string strText;

    void Enable(bool bOn = true) { bEnabled = bOn; }
    void SetCheck(bool bOn) { nCheck = bOn ? 1 : 0; }
    void SetText(std::string strNew) {
        bHasText = true;
        strText = std::move(strNew);
    }
};

// Binds command ids to the parts of the program that carry them out. A
// command whose handler is not registered is disabled and does nothing, so
// a command whose owner is not built yet is never a dead click. Later
// registrations of an id replace earlier ones (the view may take over a
// command that the frame handles by default).
class CCommandMap {
public:
    using Handler = std::function<void()>;
    using Updater = std::function<void(CCmdUI&)>;

    // Without an updater the command is always enabled.
    void Register(int nId, Handler fnHandler, Updater fnUpdater = {});
    // An update-only entry (status panes).
    void RegisterUpdate(int nId, Updater fnUpdater);
    void Unregister(int nId);
    bool IsRegistered(int nId) const;

    // Runs the command if it is enabled now; false when nothing ran.
    bool Execute(int nId) const;
    // Runs the handler without asking the update function (the tray icon's
    // click and the hot key bypass the enable rules).
    bool ExecuteUnchecked(int nId) const;
    // Fills ui for nId; an unknown command comes back disabled.
    CCmdUI Update(int nId) const;

private:
    struct CEntry {
        Handler fnHandler;
        Updater fnUpdater;
    };
    std::map<int, CEntry> m_mapEntries;
};
