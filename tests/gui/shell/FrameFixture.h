// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"
#include "core/store/RecentFileList.h"
#include "gui/settings/Settings.h"
#include "gui/shell/MainFrame.h"
#include "support/MemoryProfile.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionDoc.h"

#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

// One frame over an in-memory settings store, scripted prompts and a
// document, as the program assembles them.
struct CFrameFixture {
    explicit CFrameFixture(CMemoryProfile* pSharedProfile = nullptr);
    ~CFrameFixture();

    // The program's settings, read from the profile the first time they are
    // asked for (at the latest by Frame()).
    CSettings& Settings();
    // Builds the frame (settings are read at construction).
    CMainFrame& Frame();
    // Writes a password file protected by strKey and returns its path.
    std::string WriteKeyedFile(const std::string& strName, const std::string& strKey);
    // Gives the document a KEY without a file.
    void GiveKey(const std::string& strKey = "secret");

    CMemoryProfile m_ownProfile;
    CMemoryProfile& m_profile;
    CScriptedPrompts m_prompts;
    CRecentFileList m_recent;
    std::unique_ptr<CSessionDoc> m_pDoc;
    std::unique_ptr<CSettings> m_pSettings;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::vector<std::string> m_vecFailures;
    // Whether the desktop offers a tray; a case may take it away at any time.
    bool m_bTray = true;
    QTemporaryDir m_dir;
};
