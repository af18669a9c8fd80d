// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/FrameFixture.h"
#include "platform/XdgFolders.h"

#include "core/store/FieldCipher.h"
#include "gui/shell/SystemTray.h"

CFrameFixture::CFrameFixture(CMemoryProfile* pSharedProfile)
    : m_profile(pSharedProfile ? *pSharedProfile : m_ownProfile) {
    m_prompts.m_fnFail = [this](const std::string& strWhy) { m_vecFailures.push_back(strWhy); };
    // The frame's cases are those of a desktop with a tray unless they say
    // otherwise (m_bTray).
    CSystemTray::SetAvailability([this]() { return m_bTray; });
    m_pDoc = std::make_unique<CSessionDoc>(&m_profile, DefaultBackupFolder());
    m_pDoc->Session().SetRecentFileList(&m_recent);
    m_pDoc->Session().NewDocument();
}

CFrameFixture::~CFrameFixture() {
    m_pFrame.reset();
    CSystemTray::SetAvailability(nullptr);
}

CSettings& CFrameFixture::Settings() {
    if (!m_pSettings)
        m_pSettings = std::make_unique<CSettings>(SShellSettings::Load(m_profile));
    return *m_pSettings;
}

CMainFrame& CFrameFixture::Frame() {
    if (!m_pFrame)
        m_pFrame =
            std::make_unique<CMainFrame>(m_profile, m_prompts, m_pDoc->Session(), Settings());
    return *m_pFrame;
}

std::string CFrameFixture::WriteKeyedFile(const std::string& strName, const std::string& strKey) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.SetKey(strKey);
    const std::string strPath = m_dir.filePath(QString::fromStdString(strName)).toStdString();
    doc.WriteArchiveFile(strPath);
    return strPath;
}

void CFrameFixture::GiveKey(const std::string& strKey) {
    m_pDoc->SetKey(strKey);
}
