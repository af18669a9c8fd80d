// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt side of the prompt seam: each call opens the right real dialog and
// returns its answer. The dialogs are answered by a timer that acts on the
// active modal window, and a watchdog rejects anything left open.

#include "gui/dialogs/DialogPrompts.h"
#include "core/kdbx/KdbxDatabase.h"
#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"
#include "gui/controls/HoverButton.h"
#include "gui/dialogs/CheckKeyDlg.h"
#include "gui/dialogs/DatabaseKeyDlg.h"
#include "gui/dialogs/FilePropertyDlg.h"
#include "gui/model/DocNotifier.h"
#include "platform/QtPrintDevice.h"

#include "core/interchange/KdbxTestWriter.h"
#include "support/MemoryProfile.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionDoc.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Runs each step on the next modal window that opens, in order; with
// bPassBusyBoxes, busy boxes that come and go by themselves take no step.
class CModalScript : public QObject {
public:
    explicit CModalScript(std::vector<std::function<void(QWidget*)>> vecSteps,
                          bool bPassBusyBoxes = false)
        : m_vecSteps(std::move(vecSteps)), m_bPassBusyBoxes(bPassBusyBoxes) {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(10);
        QTimer::singleShot(5000, this, [this] {
            m_bTimedOut = true;
            while (QWidget* pModal = QApplication::activeModalWidget())
                pModal->close();
        });
    }
    bool Done() const { return m_nNext == m_vecSteps.size() && !m_bTimedOut; }

private:
    void Poll() {
        QWidget* pModal = QApplication::activeModalWidget();
        // Past the watchdog, whatever still opens is closed: a flow that
        // asks again after a close ends instead of waiting for ever.
        if (m_bTimedOut && pModal) {
            pModal->close();
            return;
        }
        if (!pModal || pModal == m_pLast || m_nNext >= m_vecSteps.size() ||
            (m_bPassBusyBoxes && qobject_cast<QProgressDialog*>(pModal)))
            return;
        m_pLast = pModal;
        m_vecSteps[m_nNext++](pModal);
    }

    std::vector<std::function<void(QWidget*)>> m_vecSteps;
    bool m_bPassBusyBoxes;
    QTimer m_timer;
    // Guarded: a window opened after the last one went may take its address.
    QPointer<QWidget> m_pLast;
    std::size_t m_nNext = 0;
    bool m_bTimedOut = false;
};

// What a test's busy work saw. Shared with the work, which a cancelled wait
// leaves to end on its own, after the test's stack is gone.
struct SWorkLog {
    std::atomic<bool> bSawCancel = false;
    std::atomic<bool> bEnded = false;
};

// Work that ends when its token is set, or by itself after nMs.
CBusyWork WaitingWork(const std::shared_ptr<SWorkLog>& pLog, int nMs) {
    return [pLog, nMs](const CCancelToken& token) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
        while (!token.IsCancelled() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        pLog->bSawCancel = token.IsCancelled();
        pLog->bEnded = true;
    };
}

} // namespace

Q_DECLARE_METATYPE(EBusyKind)
Q_DECLARE_METATYPE(EBusyEnd)

class DialogPromptsTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsTextIconButtonsAndCaption();
    void aQuestionFromADialogBelongsToThatDialog();
    void closingAQuestionWithoutChoiceIsCancel();
    void aQuestionDefaultingToNoAnswersEnterWithNo();
    void busyWorkRunsAwayFromTheWindowsWhichGoOn();
    void cancelLeavesTheWorkToEndOnItsOwn();
    void theBusyBarShowsHowFarTheWorkGot();
    void aLockStopsOnlyWorkThatALockStops_data();
    void aLockStopsOnlyWorkThatALockStops();
    void theProgramsEndWaitsOnlyForWaitedWork_data();
    void theProgramsEndWaitsOnlyForWaitedWork();
    void checkKeyRunsTheDialogWithItsPromptAndRealMessages();
    void createAndChangeReturnCheckValues();
    void saveNamesGetTheDefaultExtension();
    void choosingTheProtectedTypeSavesAKhv();
    void sealedCheckKeyAsksTheAcceptorAndKeepsTheKey();
    void notifierTurnsNoticesIntoSignals();
    void filePropertyRunsTheDialogAndTakesTheReadOnlyBox();
    void printDialogOffersPrintingIntoAFile();
    void aKeyFileDatabaseOpensThroughItsDialogAndIsProposedAtUnlock();
    void aDatabaseKeptAtTheLockAsksItsKeyInDialogsTitledForWhy();
    void aSlowDatabaseIsDerivedOnlyAfterYes();
};

void DialogPromptsTest::messageBoxShowsTextIconButtonsAndCaption() {
    CDialogPrompts prompts;
    QString strText;
    QString strTitle;
    QMessageBox::Icon eIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    CModalScript script({[&](QWidget* pModal) {
        auto* pBox = qobject_cast<QMessageBox*>(pModal);
        QVERIFY(pBox);
        strText = pBox->text();
        strTitle = pBox->windowTitle();
        eIcon = pBox->icon();
        buttons = pBox->standardButtons();
        pBox->button(QMessageBox::No)->click();
    }});
    const EMsgAnswer eAnswer =
        prompts.MessageBox("Your document has been modified,do you want to save it?",
                           EMsgIcon::exclamation, EMsgButtons::yesNoCancel);
    QVERIFY(script.Done());
    QCOMPARE(eAnswer, EMsgAnswer::no);
    QCOMPARE(strText, QStringLiteral("Your document has been modified,do you want to save it?"));
    QCOMPARE(strTitle, QStringLiteral("Keyhaven"));
    QCOMPARE(eIcon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

    CModalScript info({[&](QWidget* pModal) {
        auto* pBox = qobject_cast<QMessageBox*>(pModal);
        QVERIFY(pBox);
        eIcon = pBox->icon();
        pBox->button(QMessageBox::Ok)->click();
    }});
    QCOMPARE(prompts.MessageBox("KEY is changed!", EMsgIcon::information), EMsgAnswer::ok);
    QCOMPARE(eIcon, QMessageBox::Information);
}

// Compositors place a dialog by its parent alone: a message asked from
// inside an open dialog belongs to that dialog, not to the window beneath.
void DialogPromptsTest::aQuestionFromADialogBelongsToThatDialog() {
    QWidget main;
    main.show();
    CDialogPrompts prompts([&main]() { return &main; });
    QDialog dialog(&main);
    QWidget* pOwner = nullptr;
    QWidget* pOwnerAfter = nullptr;
    CModalScript script({[&](QWidget* pModal) {
                             QCOMPARE(pModal, &dialog);
                             // Asked from the dialog's own loop, as a check
                             // of one of its fields asks.
                             QTimer::singleShot(0, &dialog, [&]() {
                                 prompts.MessageBox("inside", EMsgIcon::none);
                                 dialog.accept();
                             });
                         },
                         [&](QWidget* pModal) {
                             pOwner = pModal->parentWidget();
                             qobject_cast<QMessageBox*>(pModal)->button(QMessageBox::Ok)->click();
                         }});
    dialog.exec();
    QVERIFY(script.Done());
    QCOMPARE(pOwner, &dialog);

    // With the dialog closed, the window itself owns the next one.
    CModalScript after({[&](QWidget* pModal) {
        pOwnerAfter = pModal->parentWidget();
        qobject_cast<QMessageBox*>(pModal)->button(QMessageBox::Ok)->click();
    }});
    prompts.MessageBox("after", EMsgIcon::none);
    QVERIFY(after.Done());
    QCOMPARE(pOwnerAfter, &main);
}

void DialogPromptsTest::closingAQuestionWithoutChoiceIsCancel() {
    CDialogPrompts prompts;
    CModalScript script({[](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Escape); }});
    QCOMPARE(
        prompts.MessageBox("Save changes to x.pwd?", EMsgIcon::question, EMsgButtons::yesNoCancel),
        EMsgAnswer::cancel);
    QVERIFY(script.Done());
}

void DialogPromptsTest::aQuestionDefaultingToNoAnswersEnterWithNo() {
    CDialogPrompts prompts;
    for (const auto& [eButtons, eAnswer] : {std::pair{EMsgButtons::yesNoDefaultNo, EMsgAnswer::no},
                                            std::pair{EMsgButtons::yesNo, EMsgAnswer::yes}}) {
        CModalScript script({[](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Return); }});
        QCOMPARE(prompts.MessageBox("Go on?", EMsgIcon::question, eButtons), eAnswer);
        QVERIFY(script.Done());
    }
}

void DialogPromptsTest::busyWorkRunsAwayFromTheWindowsWhichGoOn() {
    // The work waits for the interface thread to run a timer and to show the
    // busy box: both can happen only while the work runs elsewhere.
    CDialogPrompts prompts;
    std::atomic<bool> bTimerRan = false;
    QString strBusyText;
    QTimer::singleShot(50, [&]() {
        if (auto* pBox = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
            strBusyText = pBox->labelText();
        bTimerRan = true;
    });
    std::thread::id workThread;
    bool bSawTimer = false;
    const EBusyEnd eEnd = prompts.RunBusy(
        "Checking the KEY of a.khv ...",
        [&](const CCancelToken&) {
            workThread = std::this_thread::get_id();
            for (int i = 0; i < 200 && !bTimerRan; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            bSawTimer = bTimerRan;
        },
        EBusyKind::waited);
    QCOMPARE(eEnd, EBusyEnd::done);
    QVERIFY(bSawTimer);
    QVERIFY(workThread != std::this_thread::get_id());
    QCOMPARE(strBusyText, QStringLiteral("Checking the KEY of a.khv ..."));
    QVERIFY(!QApplication::activeModalWidget());
}

void DialogPromptsTest::theBusyBarShowsHowFarTheWorkGot() {
    // Work that has said nothing keeps the bar busy; a quarter done shows
    // a quarter. The work ends once the interface thread has seen both.
    CDialogPrompts prompts;
    std::atomic<bool> bSawBusy = false;
    std::atomic<bool> bDone = false;
    std::vector<std::pair<int, int>> seen; // {maximum, value}, read here only
    const std::function<void()> fnLook = [&]() {
        if (bDone)
            return;
        auto* pBar = QApplication::activeModalWidget()
                         ? QApplication::activeModalWidget()->findChild<QProgressBar*>()
                         : nullptr;
        if (pBar && (seen.empty() || seen.back() != std::pair(pBar->maximum(), pBar->value())))
            seen.emplace_back(pBar->maximum(), pBar->value());
        bSawBusy = !seen.empty();
        if (seen.size() < 2)
            QTimer::singleShot(20, fnLook);
        else
            bDone = true;
    };
    QTimer::singleShot(20, fnLook);
    prompts.RunBusy(
        "Checking the passwords ...",
        [&](const CCancelToken& token) {
            for (int i = 0; i < 100 && !bSawBusy; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            token.SetProgress(250, 1000);
            for (int i = 0; i < 100 && !bDone; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        },
        EBusyKind::cancellable);
    bDone = true;
    QTest::qWait(50); // the last look ends before what it looks at goes
    QCOMPARE(seen, (std::vector<std::pair<int, int>>{{0, -1}, {1000, 250}}));
}

void DialogPromptsTest::cancelLeavesTheWorkToEndOnItsOwn() {
    CDialogPrompts prompts;
    auto pLog = std::make_shared<SWorkLog>();
    QString strButton;
    CModalScript script({[&](QWidget* pModal) {
        auto* pButton = pModal->findChild<QPushButton*>();
        QVERIFY(qobject_cast<QProgressDialog*>(pModal) && pButton);
        strButton = pButton->text();
        pButton->click();
    }});
    QCOMPARE(
        prompts.RunBusy("Opening slow.kdbx ...", WaitingWork(pLog, 10000), EBusyKind::cancellable),
        EBusyEnd::cancelled);
    QVERIFY(script.Done());
    QCOMPARE(strButton, QStringLiteral("Cancel"));
    QVERIFY(!QApplication::activeModalWidget());
    // The wait did not wait for the work: its token told it to stop.
    QTRY_VERIFY(pLog->bEnded);
    QVERIFY(pLog->bSawCancel);
    QTRY_VERIFY(!CQtPrompts::IsAbandonedWorkRunning());
}

void DialogPromptsTest::aLockStopsOnlyWorkThatALockStops_data() {
    QTest::addColumn<EBusyKind>("eKind");
    QTest::addColumn<EBusyEnd>("eEnd");
    QTest::newRow("an import") << EBusyKind::stoppedByLock << EBusyEnd::interrupted;
    QTest::newRow("a key derivation") << EBusyKind::cancellable << EBusyEnd::done;
}

void DialogPromptsTest::aLockStopsOnlyWorkThatALockStops() {
    QFETCH(EBusyKind, eKind);
    QFETCH(EBusyEnd, eEnd);
    CDialogPrompts prompts;
    auto pLog = std::make_shared<SWorkLog>();
    bool bStoppable = false;
    QTimer::singleShot(50, [&]() {
        bStoppable = prompts.IsLockStoppableWorkRunning();
        prompts.StopWorkForLock();
    });
    QCOMPARE(prompts.RunBusy("Opening slow.kdbx ...", WaitingWork(pLog, 300), eKind), eEnd);
    QCOMPARE(bStoppable, eKind == EBusyKind::stoppedByLock);
    QVERIFY(!prompts.IsLockStoppableWorkRunning());
    QTRY_VERIFY(pLog->bEnded);
    QCOMPARE(pLog->bSawCancel.load(), eEnd == EBusyEnd::interrupted);
}

void DialogPromptsTest::theProgramsEndWaitsOnlyForWaitedWork_data() {
    QTest::addColumn<EBusyKind>("eKind");
    QTest::addColumn<EBusyEnd>("eEnd");
    QTest::addColumn<bool>("bHasCancel");
    QTest::newRow("waited") << EBusyKind::waited << EBusyEnd::done << false;
    QTest::newRow("cancellable") << EBusyKind::cancellable << EBusyEnd::interrupted << true;
}

void DialogPromptsTest::theProgramsEndWaitsOnlyForWaitedWork() {
    // SIGTERM quits every event loop: a wait must not then hang on work
    // that may take minutes, but waited work (short, on the caller's data)
    // is seen to its end.
    QFETCH(EBusyKind, eKind);
    QFETCH(EBusyEnd, eEnd);
    QFETCH(bool, bHasCancel);
    CDialogPrompts prompts;
    auto pLog = std::make_shared<SWorkLog>();
    EBusyEnd eGot = EBusyEnd::done;
    bool bEndedWhenReturned = false;
    bool bCancelShown = false;
    QTimer::singleShot(0, [&]() {
        QTimer::singleShot(100, []() { QCoreApplication::exit(0); });
        QTimer::singleShot(50, [&]() {
            auto* pButton = QApplication::activeModalWidget()->findChild<QPushButton*>();
            bCancelShown = pButton && pButton->isVisible();
        });
        eGot = prompts.RunBusy("Opening slow.kdbx ...",
                               WaitingWork(pLog, eKind == EBusyKind::waited ? 300 : 10000), eKind);
        bEndedWhenReturned = pLog->bEnded;
    });
    QCoreApplication::exec();
    QCOMPARE(eGot, eEnd);
    QCOMPARE(bCancelShown, bHasCancel);
    QCOMPARE(bEndedWhenReturned, eKind == EBusyKind::waited);
    QTRY_VERIFY(pLog->bEnded);
    QCOMPARE(pLog->bSawCancel.load(), eKind != EBusyKind::waited);
    QTRY_VERIFY(!CQtPrompts::IsAbandonedWorkRunning());
}

void DialogPromptsTest::checkKeyRunsTheDialogWithItsPromptAndRealMessages() {
    CDialogPrompts prompts;
    QString strPrompt;
    QString strMessage;
    auto TypeAndPress = [](QWidget* pModal, const char* pszKey) {
        auto* pEdit = pModal->findChild<QLineEdit*>(QStringLiteral("typedKeyEdit"));
        QVERIFY(pEdit);
        QTest::keyClicks(pEdit, QString::fromLatin1(pszKey));
        pModal->findChild<CHoverButton*>(QStringLiteral("okButton"))->click();
    };
    QPointer<QWidget> pDialog;
    CModalScript script({
        [&](QWidget* pModal) {
            auto* pCheck = qobject_cast<CCheckKeyDlg*>(pModal);
            QVERIFY(pCheck);
            pDialog = pCheck;
            strPrompt = pCheck->Prompt();
            // Pressed later, so the message box opens inside the dialog's loop.
            QTimer::singleShot(0, pModal, [=] { TypeAndPress(pModal, "wrong"); });
        },
        [&](QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            QVERIFY(pBox);
            strMessage = pBox->text();
            pBox->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, pDialog, [&] { TypeAndPress(pDialog, "right"); });
        },
    });
    QVERIFY(prompts.RunCheckKey("KEY for:  Work.pwd", MakeKeyCheckValue("right")));
    QVERIFY(script.Done());
    QCOMPARE(strPrompt, QStringLiteral("KEY for:  Work.pwd"));
    QCOMPARE(strMessage, QStringLiteral("Your KEY is invalid!"));
}

void DialogPromptsTest::sealedCheckKeyAsksTheAcceptorAndKeepsTheKey() {
    CDialogPrompts prompts;
    std::vector<std::string> vecJudged;
    QString strMessage;
    QPointer<QWidget> pDialog;
    auto TypeAndPress = [](QWidget* pModal, const QString& strKey) {
        auto* pEdit = pModal->findChild<QLineEdit*>(QStringLiteral("typedKeyEdit"));
        QVERIFY(pEdit);
        // Typed as a whole: the test keyboard knows no accented letters.
        pEdit->insert(strKey);
        pModal->findChild<CHoverButton*>(QStringLiteral("okButton"))->click();
    };
    CModalScript script({
        [&](QWidget* pModal) {
            pDialog = pModal;
            QTimer::singleShot(0, pModal, [=] { TypeAndPress(pModal, QStringLiteral("nope")); });
        },
        [&](QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            QVERIFY(pBox);
            strMessage = pBox->text();
            pBox->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, pDialog,
                               [&] { TypeAndPress(pDialog, QString::fromUtf8("caf\xC3\xA9")); });
        },
    });
    // The acceptor sees code-page bytes; the stored check value plays no part.
    QVERIFY(prompts.RunCheckKeyWith("KEY for:  Work.khv", [&](const std::string& strKey) {
        vecJudged.push_back(strKey);
        return strKey == "caf\xE9";
    }));
    QVERIFY(script.Done());
    QCOMPARE(strMessage, QStringLiteral("Your KEY is invalid!"));
    QCOMPARE(vecJudged, (std::vector<std::string>{"nope", "caf\xE9"}));
}

void DialogPromptsTest::choosingTheProtectedTypeSavesAKhv() {
    CDialogPrompts prompts;
    const QString strFolder = QDir::tempPath() + QStringLiteral("/keyhaven-filter-test");
    QDir().mkpath(strFolder);
    SFilePrompt prompt;
    prompt.m_strTitle = "Save As";
    prompt.m_strFilter = SAVE_FILTERS;
    prompt.m_strInitialName = (strFolder + QStringLiteral("/Work.pwd")).toStdString();
    QStringList filters;
    CModalScript script({[&](QWidget* pModal) {
        auto* pDialog = qobject_cast<QFileDialog*>(pModal);
        QVERIFY(pDialog);
        filters = pDialog->nameFilters();
        auto* pTypes = pDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(pTypes);
        // The file's own type is chosen; the user picks the first one, as
        // with the keyboard.
        QTest::keyClick(pTypes, Qt::Key_Up);
        QMetaObject::invokeMethod(pDialog, "accept", Qt::QueuedConnection);
    }});
    std::string strPath;
    QVERIFY(prompts.PromptSaveFile(prompt, strPath));
    QVERIFY(script.Done());
    QCOMPARE(filters,
             (QStringList{QString::fromLatin1(SAVE_FILTERS).split(QStringLiteral(";;")).first(),
                          QString::fromLatin1(SAVE_FILTERS).split(QStringLiteral(";;")).last(),
                          QStringLiteral("All files (*)")}));
    QVERIFY(filters.first().endsWith(QStringLiteral("(*.khv)")));
    QCOMPARE(QString::fromStdString(strPath), strFolder + QStringLiteral("/Work.khv"));
    QDir(strFolder).removeRecursively();
}

void DialogPromptsTest::createAndChangeReturnCheckValues() {
    CDialogPrompts prompts;
    auto Fill = [](QWidget* pModal, std::vector<std::pair<const char*, const char*>> vecTexts) {
        for (const auto& [pszEdit, pszText] : vecTexts)
            QTest::keyClicks(pModal->findChild<QLineEdit*>(QString::fromLatin1(pszEdit)),
                             QString::fromLatin1(pszText));
        pModal->findChild<CHoverButton*>(QStringLiteral("okButton"))->click();
    };
    // Strong enough to be taken without the question a weak new KEY brings.
    static constexpr const char* KEY_ONE = "tundra Velvet orbit 48 quince Lantern";
    static constexpr const char* KEY_TWO = "harbor Pixel 93 walnut Ember sprocket";
    std::string strValue;
    std::string strKey;
    {
        CModalScript script({[&](QWidget* pModal) {
            Fill(pModal, {{"newKeyEdit", KEY_ONE}, {"confirmKeyEdit", KEY_ONE}});
        }});
        QVERIFY(prompts.RunCreateKey(strValue, strKey));
        QCOMPARE(strValue, MakeKeyCheckValue(KEY_ONE));
        QCOMPARE(strKey, std::string(KEY_ONE));
    }
    {
        CModalScript script({[&](QWidget* pModal) {
            pModal->findChild<CHoverButton*>(QStringLiteral("cancelButton"))->click();
        }});
        QVERIFY(!prompts.RunChangeKey(strValue, strKey));
        QCOMPARE(strValue, MakeKeyCheckValue(KEY_ONE));
    }
    {
        CModalScript script({[&](QWidget* pModal) {
            Fill(pModal, {{"originalKeyEdit", KEY_ONE},
                          {"newKeyEdit", KEY_TWO},
                          {"confirmKeyEdit", KEY_TWO}});
        }});
        QVERIFY(prompts.RunChangeKey(strValue, strKey));
        QCOMPARE(strValue, MakeKeyCheckValue(KEY_TWO));
        QCOMPARE(strKey, std::string(KEY_TWO));
    }
}

void DialogPromptsTest::saveNamesGetTheDefaultExtension() {
    QCOMPARE(CQtPrompts::WithDefaultExtension("/home/a/Work", ".pwd"), "/home/a/Work.pwd");
    QCOMPARE(CQtPrompts::WithDefaultExtension("/home/a/Work.pwd", ".pwd"), "/home/a/Work.pwd");
    QCOMPARE(CQtPrompts::WithDefaultExtension("/home/a/Work.txt", ".pwd"), "/home/a/Work.txt");
    QCOMPARE(CQtPrompts::WithDefaultExtension("/home/a.b/Work", ".pwd"), "/home/a.b/Work.pwd");
    QCOMPARE(CQtPrompts::WithDefaultExtension("/home/a/.hidden", ".pwd"), "/home/a/.hidden.pwd");
    QCOMPARE(CQtPrompts::WithDefaultExtension("", ".pwd"), "");
    QCOMPARE(CQtPrompts::FilterSuffix("Keyhaven files (*.pwd)"), "*.pwd");
    QCOMPARE(CQtPrompts::FilterExtension("Protected Keyhaven files (*.khv)"), ".khv");
    QCOMPARE(CQtPrompts::FilterExtension("Keyhaven files (*.pwd *.khv)"), ".pwd");
    QCOMPARE(CQtPrompts::FilterExtension("All files (*)"), "");
    QCOMPARE(CQtPrompts::FilterExtension("Odd (*.p?d)"), "");
    QCOMPARE(CQtPrompts::FilterSuffix("no pattern"), "");
    // "All files (*)" is offered once: added only where no filter has "*".
    using Filters = std::vector<std::string>;
    const std::pair<std::string, Filters> filters[] = {
        {"T (*.txt)", {"T (*.txt)", "All files (*)"}},
        {"T (*.txt);;All files (*)", {"T (*.txt)", "All files (*)"}},
        {"Any (*.txt *)", {"Any (*.txt *)"}},
        {"Dotted (*.*)", {"Dotted (*.*)", "All files (*)"}},
        {"", {"All files (*)"}}};
    for (const auto& [strGiven, vecOffered] : filters)
        QCOMPARE(CQtPrompts::NameFilters(strGiven), vecOffered);
}

void DialogPromptsTest::notifierTurnsNoticesIntoSignals() {
    CSessionDoc doc;
    auto pNotifier = std::make_unique<CDocNotifier>(doc);
    QSignalSpy spyUpdate(pNotifier.get(), &CDocNotifier::UpdateAllViews);
    QSignalSpy spyModified(pNotifier.get(), &CDocNotifier::ModifiedChanged);
    QSignalSpy spyPath(pNotifier.get(), &CDocNotifier::PathNameChanged);
    doc.OnNewDocument();
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(true); // no change, no signal
    QCOMPARE(spyModified.count(), 1);
    QCOMPARE(spyModified.at(0).at(0).toBool(), true);
    CScriptedPrompts prompts;
    doc.Session().SetPrompts(&prompts);
    prompts.AnswerMessage(EMsgAnswer::cancel); // the question to save the change
    doc.Session().OnFileClose();
    QCOMPARE(spyUpdate.count(), 0);
    doc.SetModifiedFlag(false);
    // A file written under a KEY closes without a question.
    doc.SetKey("1");
    QTemporaryDir dir;
    QVERIFY(doc.WriteArchiveFile(dir.filePath("Close.pwd").toStdString()) == EFileError::none);
    QCOMPARE(doc.Session().OnFileClose(), 1);
    QCOMPARE(spyUpdate.count(), 1);
    QCOMPARE(spyPath.count(), 1);
    QSignalSpy spyEmptied(pNotifier.get(), &CDocNotifier::Emptied);
    QSignalSpy spyInitial(pNotifier.get(), &CDocNotifier::InitialUpdate);
    QVERIFY(!doc.Session().OnOpenDocument("/nonexistent/Gone.pwd"));
    QCOMPARE(spyEmptied.count(), 1);
    QCOMPARE(spyInitial.count(), 0);
    pNotifier.reset();
    // The notifier is gone: the document's next notice reaches nobody.
    doc.SetModifiedFlag(true);
}

void DialogPromptsTest::filePropertyRunsTheDialogAndTakesTheReadOnlyBox() {
    CDialogPrompts prompts;
    SFileProperties props;
    props.m_strFileName = "Work.pwd";
    props.m_strContains = "2 Groups\t5 Accounts";
    QString strShown;
    CModalScript ok({[&](QWidget* pModal) {
        auto* pDialog = qobject_cast<CFilePropertyDlg*>(pModal);
        QVERIFY(pDialog);
        strShown = pDialog->TextControl(CFilePropertyDlg::IDC_CONTAINS)->text();
        pDialog->ReadOnlyBox()->click();
        pDialog->OkButton()->click();
    }});
    QVERIFY(prompts.RunFileProperty(props));
    QVERIFY(ok.Done());
    QCOMPARE(strShown, QStringLiteral("2 Groups\t5 Accounts"));
    QVERIFY(props.m_bReadOnly);

    // Cancel hands back the properties as they were filled.
    CModalScript cancel({[&](QWidget* pModal) {
        auto* pDialog = qobject_cast<CFilePropertyDlg*>(pModal);
        QVERIFY(pDialog);
        pDialog->ReadOnlyBox()->click();
        pDialog->CancelButton()->click();
    }});
    QVERIFY(!prompts.RunFileProperty(props));
    QVERIFY(cancel.Done());
    QVERIFY(props.m_bReadOnly);
}

void DialogPromptsTest::printDialogOffersPrintingIntoAFile() {
    CDialogPrompts prompts;
    CQtPrintDevice device;
    bool bToFile = false;
    bool bPageRange = true;
    CModalScript script({[&](QWidget* pModal) {
        auto* pDialog = qobject_cast<QPrintDialog*>(pModal);
        QVERIFY(pDialog);
        bToFile = pDialog->testOption(QAbstractPrintDialog::PrintToFile);
        bPageRange = pDialog->testOption(QAbstractPrintDialog::PrintPageRange);
        pDialog->reject();
    }});
    QVERIFY(!prompts.RunPrintDialog(device));
    QVERIFY(script.Done());
    QVERIFY(bToFile);
    QVERIFY(!bPageRange);
}

namespace {

std::string WriteTestFile(const QTemporaryDir& dir, const char* pszName, std::string_view bytes) {
    const std::string strPath =
        (dir.path() + QLatin1Char('/') + QLatin1String(pszName)).toStdString();
    return WriteFileAtomic(strPath, std::string(bytes)) == EFileError::none ? strPath
                                                                            : std::string();
}

// A step that answers a database's key dialog with the password, and with
// strKeyFile unless it is null; strProposed receives the key file the
// dialog proposed.
std::function<void(QWidget*)> AnswerDatabaseKey(const char* pszKeyFile, QString& strProposed) {
    return [pszKeyFile, &strProposed](QWidget* pModal) {
        auto* pDialog = qobject_cast<CDatabaseKeyDlg*>(pModal);
        QVERIFY(pDialog);
        strProposed = pDialog->KeyFileEdit()->text();
        pDialog->PasswordEdit()->setText(QStringLiteral("pw"));
        if (pszKeyFile)
            pDialog->KeyFileEdit()->setText(QString::fromUtf8(pszKeyFile));
        pDialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
}

} // namespace

void DialogPromptsTest::aKeyFileDatabaseOpensThroughItsDialogAndIsProposedAtUnlock() {
    QTemporaryDir dir;
    const std::string strKeyFile = WriteTestFile(dir, "vault.keyx", "the key file's bytes");
    CKdbxDatabaseFormat format;
    format.SetNewDatabaseCost(std::uint64_t(1) << 20, 1);
    CDatabaseKey key = CDatabaseKey::OfPassword("pw");
    key.SetKeyFile("the key file's bytes");
    std::list<CPasswordInfo> records;
    std::string strBytes;
    QVERIFY(format.NewDatabase("Vault")->Write(records, key, strBytes).bWritten);
    const std::string strPath = WriteTestFile(dir, "Vault.kdbx", strBytes);

    CMemoryProfile profile;
    CDialogPrompts prompts;
    CSessionDoc doc(&profile);
    doc.SetDatabaseFormat(&format);
    doc.Session().SetPrompts(&prompts);
    SFileOptions options = doc.Session().FileOptions();
    options.m_bBackup = false;
    doc.Session().SetFileOptions(options);

    QString strFirst;
    QString strAtUnlock;
    CModalScript script(
        {AnswerDatabaseKey(strKeyFile.c_str(), strFirst), AnswerDatabaseKey(nullptr, strAtUnlock)},
        true);
    QVERIFY(doc.Session().OpenDocumentFile(strPath));
    QVERIFY(doc.Session().IsOpen());
    QVERIFY(strFirst.isEmpty());
    QVERIFY(doc.Session().UnloadForLock());
    QVERIFY(doc.Session().ReloadAfterLock());
    QVERIFY(doc.Session().IsOpen());
    QVERIFY(script.Done());
    QCOMPARE(strAtUnlock.toStdString(), strKeyFile);

    // Saved under the same key: the database opens with it alone.
    doc.Session().OnContentChanged();
    QCOMPARE(doc.Session().OnFileSave(), SAVE_DONE);
    QVERIFY(doc.IsSaved());
    std::string strSaved;
    QCOMPARE(ReadWholeFile(strPath, strSaved), EFileError::none);
    QCOMPARE(format.Open(strSaved, key, false, CCancelToken()).eOpen,
             CDatabaseFormat::EOpen::opened);
}

namespace {

// What a database's key dialog showed.
struct SKeyDialogSeen {
    QString m_strTitle;
    QString m_strProposed;
};

// A step that answers a database's key dialog with pszPassword (twice for a
// new key) and pszKeyFile, or the key file proposed when it is null.
std::function<void(QWidget*)> TypeDatabaseKey(SKeyDialogSeen& seen, const char* pszPassword,
                                              const char* pszKeyFile = nullptr) {
    return [&seen, pszPassword, pszKeyFile](QWidget* pModal) {
        auto* pDialog = qobject_cast<CDatabaseKeyDlg*>(pModal);
        QVERIFY(pDialog);
        seen.m_strTitle = pDialog->windowTitle();
        seen.m_strProposed = pDialog->KeyFileEdit()->text();
        pDialog->PasswordEdit()->setText(QString::fromUtf8(pszPassword));
        if (pDialog->ConfirmEdit())
            pDialog->ConfirmEdit()->setText(QString::fromUtf8(pszPassword));
        if (pszKeyFile)
            pDialog->KeyFileEdit()->setText(QString::fromUtf8(pszKeyFile));
        pDialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
}

// A step that closes a message box with OK, keeping its text.
std::function<void(QWidget*)> AcknowledgeMessage(QString& strText) {
    return [&strText](QWidget* pModal) {
        auto* pBox = qobject_cast<QMessageBox*>(pModal);
        QVERIFY(pBox);
        strText = pBox->text();
        pBox->button(QMessageBox::Ok)->click();
    };
}

} // namespace

void DialogPromptsTest::aDatabaseKeptAtTheLockAsksItsKeyInDialogsTitledForWhy() {
    QTemporaryDir dir;
    const std::string strKeyFile = WriteTestFile(dir, "vault.keyx", "the key file's bytes");
    CKdbxDatabaseFormat format;
    format.SetNewDatabaseCost(std::uint64_t(1) << 20, 1);
    CDatabaseKey key = CDatabaseKey::OfPassword("pw");
    key.SetKeyFile("the key file's bytes");
    std::list<CPasswordInfo> records;
    std::string strBytes;
    QVERIFY(format.NewDatabase("Vault")->Write(records, key, strBytes).bWritten);
    const std::string strPath = WriteTestFile(dir, "Vault.kdbx", strBytes);

    CMemoryProfile profile;
    CDialogPrompts prompts;
    CSessionDoc doc(&profile);
    doc.SetDatabaseFormat(&format);
    doc.Session().SetPrompts(&prompts);
    SFileOptions options = doc.Session().FileOptions();
    options.m_bBackup = false;
    doc.Session().SetFileOptions(options);
    SKeyDialogSeen opened;
    CModalScript opening({TypeDatabaseKey(opened, "pw", strKeyFile.c_str())}, true);
    QVERIFY(doc.Session().OpenDocumentFile(strPath));
    QVERIFY(opening.Done());
    QCOMPARE(opened.m_strTitle, QStringLiteral("Open KeePass Database"));
    // A change not saved keeps the database in memory over the lock.
    doc.Session().OnContentChanged();
    QVERIFY(!doc.Session().UnloadForLock());

    // Its unlock wants the whole key, the key file proposed; the refusals
    // are the core's, tested there and through the frame.
    SKeyDialogSeen unlock;
    CModalScript unlocked({TypeDatabaseKey(unlock, "pw")});
    QVERIFY(doc.Session().CheckKeyToUnlock());
    QVERIFY(unlocked.Done());
    QCOMPARE(unlock.m_strTitle, QStringLiteral("Unlock KeePass Database"));
    QCOMPARE(unlock.m_strProposed.toStdString(), strKeyFile);

    // Change KEY: the current key, then the new one, each in its own dialog.
    SKeyDialogSeen current;
    SKeyDialogSeen fresh;
    QString strChanged;
    CModalScript changing({TypeDatabaseKey(current, "pw"), TypeDatabaseKey(fresh, "new", ""),
                           AcknowledgeMessage(strChanged)},
                          true);
    QVERIFY(doc.Session().OnChangeKey());
    QVERIFY(changing.Done());
    QCOMPARE(current.m_strTitle, QStringLiteral("Change Key: Current Database Key"));
    QCOMPARE(fresh.m_strTitle, QStringLiteral("Change Key: New Database Key"));
    QCOMPARE(strChanged, QStringLiteral("KEY is changed!"));
    std::string strSaved;
    QCOMPARE(ReadWholeFile(strPath, strSaved), EFileError::none);
    QCOMPARE(format.Open(strSaved, CDatabaseKey::OfPassword("new"), false, CCancelToken()).eOpen,
             CDatabaseFormat::EOpen::opened);
}

void DialogPromptsTest::aSlowDatabaseIsDerivedOnlyAfterYes() {
    QTemporaryDir dir;
    SKdbxTestOptions slow;
    slow.kdf = {EKdbxKdf::aes, CKdbxBytes(32, 7), KDBX_SLOW_AES_ROUNDS + 1};
    slow.bDerive = false;
    const CKdbxBytes bytes = MakeTestKdbx(TestKdbxXml(), slow);
    const std::string strPath =
        WriteTestFile(dir, "Slow.kdbx",
                      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    CKdbxDatabaseFormat format;
    CDialogPrompts prompts;
    CSessionDoc doc;
    doc.SetDatabaseFormat(&format);
    doc.Session().SetPrompts(&prompts);

    const auto Press = [](QMessageBox::StandardButton eButton, QString* pText = nullptr) {
        return [eButton, pText](QWidget* pModal) {
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            QVERIFY(pBox);
            QCOMPARE(pBox->defaultButton(), pBox->button(QMessageBox::No));
            if (pText)
                *pText = pBox->text();
            pBox->button(eButton)->click();
        };
    };
    QString strQuestion;
    CModalScript declined({Press(QMessageBox::No, &strQuestion)});
    doc.Session().OpenDocumentFile(strPath);
    QVERIFY(declined.Done());
    QVERIFY(!doc.Session().IsOpen());
    QVERIFY(strQuestion.contains(QStringLiteral("AES-KDF")));

    // Yes: the key, then the derivation in the busy box, whose Cancel
    // brings the key dialog back.
    QString strProposed;
    bool bBusy = false;
    CModalScript agreed({Press(QMessageBox::Yes), AnswerDatabaseKey(nullptr, strProposed),
                         [&bBusy](QWidget* pModal) {
                             auto* pBox = qobject_cast<QProgressDialog*>(pModal);
                             bBusy = pBox != nullptr;
                             if (pBox)
                                 pBox->findChild<QPushButton*>()->click();
                         },
                         [](QWidget* pModal) { qobject_cast<QDialog*>(pModal)->reject(); }});
    doc.Session().OpenDocumentFile(strPath);
    QVERIFY(agreed.Done());
    QVERIFY(bBusy);
    QVERIFY(!doc.Session().IsOpen());
}

QTEST_MAIN(DialogPromptsTest)
#include "DialogPromptsTest.moc"
