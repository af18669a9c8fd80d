// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/kdbx/KdbxDatabase.h"

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

class CCofferDoc;
class CFileSession;
class CCofferView;
class CDocNotifier;
class CEditPrompts;
class CMainFrame;
class CPasswordBarDlg;
class CProfile;
class CPrompts;
class CRecentFileList;
class CSettings;
class CSingleInstance;
class CTermSignals;
class QWidget;

// The application: one copy per user, the settings store, the recent-file
// list, the one document and the main frame, for the life of the process.
class CCofferApp : public QApplication {
    Q_OBJECT
public:
    CCofferApp(int& argc, char** argv);
    ~CCofferApp() override;

    // The start: false when the program should end at once (another copy
    // runs, and has been asked to come forward).
    bool InitInstance();
    // The main event loop.
    int Run();
    // The orderly end after the event loop: the document's and the
    // recent-file list's settings.
    void ExitInstance();
    // The orderly end's settings, then the process ends at once, without
    // waiting for or tearing down anything still at work.
    [[noreturn]] void EndAtOnce(int nStatus);

    // Writes the hand-over of this run's command line: "Start"/"Auto" and
    // "Path"/"4".
    static void WriteCommandLine(CProfile& profile, const std::vector<std::string>& args);

    CMainFrame* MainFrame() const { return m_pFrame.get(); }

private:
    void CreateView();
    void CreatePasswordBar(CCofferView& view);
    // The window shown now (the main window or the bar) to own a dialog.
    QWidget* VisibleWindow() const;

    std::unique_ptr<CSingleInstance> m_pInstance;
    std::unique_ptr<CTermSignals> m_pTermSignals;
    std::unique_ptr<CProfile> m_pProfile;
    std::unique_ptr<CPrompts> m_pPrompts;
    std::unique_ptr<CEditPrompts> m_pEditPrompts;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    // The databases the document opens beside its own files.
    CKdbxDatabaseFormat m_kdbxFormat;
    std::unique_ptr<CCofferDoc> m_pDoc;
    // Holds the document; writes the file options when it goes.
    std::unique_ptr<CFileSession> m_pSession;
    std::unique_ptr<CDocNotifier> m_pNotifier;
    // Destroyed after the frame, which uses it to the end.
    std::unique_ptr<CPasswordBarDlg> m_pBar;
    std::unique_ptr<CSettings> m_pSettings;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bExited = false;
    bool m_bRunning = false;
};
