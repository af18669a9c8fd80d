// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CofferApp.h"

#include "core/base/EditPrompts.h"
#include "core/base/SettingsSchema.h"
#include "core/base/Version.h"
#include "core/shell/CommandLineInfo.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileSession.h"
#include "core/store/RecentFileList.h"
#include "gui/dialogs/DialogPrompts.h"
#include "gui/dialogs/EditDialogs.h"
#include "gui/model/DocNotifier.h"
#include "gui/settings/Settings.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/view/CofferView.h"
#include "platform/MappedWindowPlace.h"
#include "platform/QtProfile.h"
#include "platform/SingleInstance.h"
#include "platform/TermSignals.h"
#include "platform/Translations.h"
#include "platform/XdgFolders.h"

#include <QSessionManager>

#include <cstdio>
#include <cstdlib>

CCofferApp::CCofferApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Keyhaven"));
    setOrganizationName(QStringLiteral("Tallowmere"));
    setApplicationVersion(QStringLiteral(KEYHAVEN_VERSION));
    setDesktopFileName(QStringLiteral("org.keyhaven.Keyhaven"));
    // The user's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), before the
    // first window; without a translation for it everything stays English.
    LoadTranslations(*this, QLocale::system());
    // Hiding into the tray closes no window for good; the frame says when
    // the program ends.
    setQuitOnLastWindowClosed(false);
    // Every window knows its real place from its first showing on.
    installEventFilter(new CMappedWindowPlace(this));
    installEventFilter(new CAccessibleNames(this));
}

CCofferApp::~CCofferApp() {
    ExitInstance();
    m_pFrame.reset();
}

void CCofferApp::WriteCommandLine(CProfile& profile, const std::vector<std::string>& args) {
    const CCommandLineInfo info = CCommandLineInfo::Parse(args);
    profile.Set(EIntSetting::startedAuto, info.m_bAutoStart ? 1 : 0);
    profile.Set(ETextSetting::pathCommandLine, info.m_strFileName);
}

bool CCofferApp::InitInstance() {
    m_pInstance = std::make_unique<CSingleInstance>(CSingleInstance::DefaultName());
    if (!m_pInstance->Claim()) {
        // The other copy comes forward if it answers; this one ends silently
        // either way, and its command line is not passed on.
        m_pInstance->AskFirstInstance();
        return false;
    }

    m_pProfile = std::make_unique<CQtProfile>();
    m_pRecentFileList = std::make_unique<CRecentFileList>(RECENT_FILE_COUNT);
    m_pRecentFileList->ReadList(*m_pProfile);

    std::vector<std::string> args;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(arguments[i].toLocal8Bit().toStdString());
    WriteCommandLine(*m_pProfile, args);

    m_pDoc = std::make_unique<CCofferDoc>();
    m_pDoc->SetDatabaseFormat(&m_kdbxFormat);
    m_pSession = std::make_unique<CFileSession>(*m_pDoc, m_pProfile.get(), DefaultBackupFolder());
    m_pSession->SetRecentFileList(m_pRecentFileList.get());
    m_pNotifier = std::make_unique<CDocNotifier>(*m_pDoc);
    auto pPrompts = std::make_unique<CDialogPrompts>(
        [this]() -> QWidget* { return VisibleWindow(); }, &m_pDoc->CodePage());
    // The KEY of a database is typed in UTF-8, that of a password file in
    // its code page.
    pPrompts->SetCodePageSource([this] { return &m_pDoc->CodePage(); });
    m_pPrompts = std::move(pPrompts);
    m_pSettings = std::make_unique<CSettings>(SShellSettings::Load(*m_pProfile));
    m_pFrame = std::make_unique<CMainFrame>(*m_pProfile, *m_pPrompts, *m_pSession, *m_pSettings);
    m_pEditPrompts = std::make_unique<CEditDialogs>(*m_pDoc, *m_pPrompts, [this]() -> QWidget* {
        QWidget* pWindow = VisibleWindow();
        return pWindow ? pWindow : m_pFrame.get();
    });
    connect(m_pFrame.get(), &CMainFrame::Closed, qApp, &QCoreApplication::quit);
    // A logout or shutdown that sends a signal ends the program as Exit
    // does, without a question nobody would see.
    m_pTermSignals = std::make_unique<CTermSignals>();
    connect(m_pTermSignals.get(), &CTermSignals::EndRequested, m_pFrame.get(), [this]() {
        m_pFrame->EndWithoutQuestions();
        if (m_bRunning)
            return; // the frame's end quits the main loop and any dialog's
        // During the start's own dialogs no main loop runs yet for the
        // quit to end: the orderly end happens here, and the process ends.
        EndAtOnce(0);
    });
    // The session manager's own end asks about unsaved changes first.
    connect(this, &QGuiApplication::commitDataRequest, m_pFrame.get(),
            [this](QSessionManager& manager) {
                // Asking for interaction holds up the whole session: only
                // with something to ask.
                if (!m_pDoc->IsModified())
                    return;
                if (!m_pFrame->CommitSession(manager.allowsInteraction()))
                    manager.cancel();
                manager.release();
            });
    connect(m_pInstance.get(), &CSingleInstance::AreYouMe, m_pFrame.get(),
            &CMainFrame::RaiseFromSecondStart);
    m_pFrame->Follow(*m_pNotifier);
    connect(m_pNotifier.get(), &CDocNotifier::RecentFileListChanged, m_pFrame.get(),
            &CMainFrame::UpdateRecentMenu);
    connect(m_pNotifier.get(), &CDocNotifier::InitialUpdate, m_pFrame.get(),
            &CMainFrame::OfferConversion);
    connect(m_pNotifier.get(), &CDocNotifier::PathNameChanged, m_pFrame.get(),
            &CMainFrame::OfferConversion);
    CreateView();

    // The document starts empty and untitled; the first activation shows
    // the first interface and opens the start-up file.
    m_pSession->NewDocument();
    m_pSession->SetPathName(" ", false);
    m_pFrame->ActivateFrame(true);
    return true;
}

void CCofferApp::CreateView() {
    // The frame owns its view; the view follows the document's notices.
    auto* pView = new CCofferView(*m_pSession, m_pNotifier->Model(), *m_pPrompts, *m_pEditPrompts,
                                  *m_pFrame, *m_pSettings);
    m_pFrame->SetView(pView);
    pView->Follow(*m_pNotifier);
    // The title follows the file's name and its unsaved changes.
    for (const auto pSignal : {&CDocNotifier::InitialUpdate, &CDocNotifier::PathNameChanged})
        connect(m_pNotifier.get(), pSignal, m_pFrame.get(), &CMainFrame::UpdateFrameTitle);
    connect(m_pNotifier.get(), &CDocNotifier::ModifiedChanged, m_pFrame.get(),
            &CMainFrame::UpdateFrameTitle);
    connect(m_pFrame.get(), &CMainFrame::BarsChanged, pView, &CCofferView::RebuildLayout);
    connect(m_pFrame.get(), &CMainFrame::SearchReset, pView, &CCofferView::ResetSearch);
    connect(m_pFrame.get(), &CMainFrame::DocumentUnloading, pView, &CCofferView::RememberPlace);
    connect(m_pFrame.get(), &CMainFrame::DocumentReloaded, pView, &CCofferView::RestorePlace);
    // The empty window's hint follows the commands and the recent list,
    // which change with every command update.
    connect(m_pFrame.get(), &CMainFrame::CommandUIUpdated, pView, &CCofferView::UpdateStartHint);
    pView->OnInitialUpdate();
    CreatePasswordBar(*pView);
}

void CCofferApp::CreatePasswordBar(CCofferView& view) {
    m_pBar = std::make_unique<CPasswordBarDlg>(*m_pSession, m_pNotifier->Model(), *m_pSettings,
                                               *m_pPrompts, *m_pEditPrompts);
    m_pFrame->SetPasswordBar(m_pBar.get());
    // The bar and the view hand each other the chosen group and account.
    connect(m_pFrame.get(), &CMainFrame::PasswordBarShowing, m_pBar.get(), [this, &view]() {
        m_pBar->Choose(view.CurrentGroupLabel(), view.CurrentAccountLabel());
    });
    connect(m_pBar.get(), &CPasswordBarDlg::NamesForView, &view, &CCofferView::SelectByNames);
}

QWidget* CCofferApp::VisibleWindow() const {
    if (m_pFrame && m_pFrame->isVisible())
        return m_pFrame.get();
    if (m_pBar && m_pBar->isVisible())
        return m_pBar.get();
    return nullptr;
}

int CCofferApp::Run() {
    m_bRunning = true;
    return exec();
}

void CCofferApp::EndAtOnce(int nStatus) {
    ExitInstance();
    m_pInstance.reset();
    std::fflush(nullptr);
    std::_Exit(nStatus);
}

void CCofferApp::ExitInstance() {
    if (m_bExited || !m_pFrame)
        return;
    m_bExited = true;
    // A session that ends without closing the window still saves.
    if (!m_pFrame->IsClosed())
        m_pFrame->OnDestroy();
    m_pSession->WriteOptions();
    m_pRecentFileList->WriteList(*m_pProfile);
    static_cast<CQtProfile*>(m_pProfile.get())->Sync();
}
