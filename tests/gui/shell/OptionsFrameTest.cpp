// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's side of the Options dialog: Tools > Options and the account
// dialog's generator-settings button open it on their pages, OK and Apply
// take the values back and put them into effect (idle times, generator,
// document options, masking, tray icon, autostart entry), Cancel takes
// nothing back but leaves what Apply did.

#include "core/base/CommandIds.h"
#include "core/base/OptionsData.h"
#include "core/base/SettingKeys.h"
#include "core/base/SettingsSchema.h"
#include "core/generator/PasswordGenerator.h"
#include "gui/shell/SystemTray.h"
#include "gui/view/ViewFixture.h"
#include "platform/AutostartEntry.h"
#include "support/SampleDocument.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class OptionsFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void okTakesEveryPageBack();
    void pagesAreFilledFromTheHeldSettings();
    void valuesNoChoiceShowsSurviveOkUntilChanged();
    void applyStaysInEffectAfterCancel();
    void hotKeyCheckShowsOrHidesTheTrayAtOnce();
    void startAtLoginFollowsTheAutostartEntry();
    void maskingRedisplaysThePassword();
    void accountDialogOpensTheGeneratorPage();

private:
    QTemporaryDir m_config;
};

void OptionsFrameTest::initTestCase() {
    // The autostart entry goes to a private configuration folder.
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
}

void OptionsFrameTest::okTakesEveryPageBack() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    fx.m_prompts.AnswerOptions([](SOptionsData& data) {
        data.m_nLockChoice = IDLE_CHOICE_CUSTOMIZE;
        data.m_nLockSlider = 3;
        data.m_nExitChoice = IDLE_CHOICE_15_MINUTES;
        data.m_nExitSlider = 7; // ignored: not customised
        data.m_generator = {PWGEN_LOWER | PWGEN_DIGITS, "3", "9", "12"};
        data.m_bStartBar = true;
        data.m_nStartMode = 1;
        data.m_bAutoSave = true;
        data.m_bBackup = false;
        data.m_strBackupPath = "/srv/backup";
        data.m_bClearRecent = true;
        data.m_nExit2Min = 2;
        data.m_nMin2Lock = 1;
        data.m_bDeleteConfirmA = false;
        data.m_bLockOnScreenLock = false;
        data.m_nClipboardClearSec = 30;
    });
    QVERIFY(frame.RunCommand(ID_TOOLS_OPTIONS));
    QCOMPARE(fx.m_prompts.OptionsStartPage(), OPTIONS_PAGE_START);
    QCOMPARE(frame.Settings().Values().m_nAutoLockMs, 5400000u);
    QCOMPARE(frame.Settings().Values().m_nAutoExitMs, 900000u);
    QCOMPARE(frame.Settings().Values().m_generator.m_nFlags, PWGEN_LOWER | PWGEN_DIGITS);
    QCOMPARE(frame.Settings().Values().m_generator.m_strLength, std::string("12"));
    QCOMPARE(frame.Settings().Values().m_nStartBar, 1);
    QCOMPARE(fx.m_pDoc->Session().FileOptions().m_nStartFile, 1);
    QCOMPARE(fx.m_pDoc->Session().FileOptions().m_bAutoSave, true);
    QCOMPARE(fx.m_pDoc->Session().FileOptions().m_bBackup, false);
    QCOMPARE(fx.m_pDoc->Session().FileOptions().m_strBackupPath, std::string("/srv/backup"));
    QCOMPARE(frame.Settings().Values().m_nExit2Min, 2);
    QCOMPARE(frame.Settings().Values().m_nMin2Lock, 1);
    QCOMPARE(frame.Settings().Values().m_bDeleteConfirmA, 0);
    QCOMPARE(frame.Settings().Values().m_bLockOnScreenLock, 0);
    QCOMPARE(frame.Settings().Values().m_nClipboardClearSec, 30u);

    // What is held is what the settings store receives at exit.
    frame.SaveSettings();
    QCOMPARE(fx.m_profile.Get(EIntSetting::autoLockTime), 5400000u);
    QCOMPARE(fx.m_profile.Get(EIntSetting::autoExitTime), 900000u);
    const SFrameOptions options = UnpackFrameOptions(fx.m_profile.Get(EIntSetting::frameOptions));
    QCOMPARE(options.m_nAutoLockChoice, IDLE_CHOICE_CUSTOMIZE);
    QCOMPARE(options.m_nAutoExitChoice, IDLE_CHOICE_15_MINUTES);
    QCOMPARE(options.m_bClearRecent, true);
    QCOMPARE(fx.m_profile.Get(EIntSetting::generate), unsigned(PWGEN_LOWER | PWGEN_DIGITS));
    QCOMPARE(fx.m_profile.Get(EIntSetting::clipboardClear), 30u);
    QVERIFY(fx.m_vecFailures.empty());
}

// Values set by hand that no list item means show as the nearest choice,
// and OK keeps them unless the user changed that list (the page clears the
// flag).
void OptionsFrameTest::valuesNoChoiceShowsSurviveOkUntilChanged() {
    CFrameFixture fx;
    fx.m_profile.Set(EIntSetting::autoLockTime, 8000);
    fx.m_profile.Set(EIntSetting::autoExitTime, 6400000);
    fx.m_profile.Set(EIntSetting::exit2Min, 7);
    CMainFrame& frame = fx.Frame();
    SOptionsData shown;
    fx.m_prompts.AnswerOptions([&shown](SOptionsData& data) {
        shown = data;
        data.m_bKeepExit = false; // the auto-exit list was changed
    });
    QVERIFY(frame.RunCommand(ID_TOOLS_OPTIONS));
    QCOMPARE(shown.m_nLockChoice, IDLE_CHOICE_CUSTOMIZE);
    QCOMPARE(shown.m_nLockSlider, 1);
    QCOMPARE(shown.m_nExitSlider, 4); // 3.6 half hours
    QCOMPARE(shown.m_nExit2Min, 1);   // what the program does with 7
    QVERIFY(shown.m_bKeepLock && shown.m_bKeepExit && shown.m_bKeepExit2Min);
    QCOMPARE(frame.Settings().Values().m_nAutoLockMs, 8000u);
    QCOMPARE(frame.Settings().Values().m_nAutoExitMs, 7200000u);
    QCOMPARE(frame.Settings().Values().m_nExit2Min, 7);
}

void OptionsFrameTest::pagesAreFilledFromTheHeldSettings() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.Settings().Change([&](SShellSettings& values) {
        values.m_nLockChoice = IDLE_CHOICE_CUSTOMIZE;
        values.m_nAutoLockMs = 9000000; // 2.5 hours
        values.m_nExitChoice = IDLE_CHOICE_30_MINUTES;
        values.m_nAutoExitMs = 1800000;
        values.m_wHotKey = 75;
        values.m_wHotKeyFlags = 4;
    });
    ChangeFileOptions(fx.m_pDoc->Session(), [&](SFileOptions& options) {
        options.m_strBackupPath = "/home/ann/.local/share/Keyhaven/backup";
    });
    SOptionsData shown;
    fx.m_prompts.AnswerOptions([&shown](SOptionsData& data) { shown = data; }, false);
    QVERIFY(!frame.OpenOptions(OPTIONS_PAGE_SECURITY));
    QCOMPARE(shown.m_nStartPage, OPTIONS_PAGE_SECURITY);
    QCOMPARE(shown.m_nLockSlider, 5);
    QCOMPARE(shown.m_nExitSlider, 0);
    QCOMPARE(shown.m_wHotKey, 75u);
    QCOMPARE(shown.m_wHotKeyFlags, 4u);
    QCOMPARE(shown.m_strBackupPath, fx.m_pDoc->Session().FileOptions().m_strBackupPath);
    // New settings: the Start page offers the last file at the next start.
    QCOMPARE(shown.m_nStartMode, START_FILE_LAST);
    // Cancelled: nothing came back.
    QCOMPARE(frame.Settings().Values().m_nAutoLockMs, 9000000u);
}

void OptionsFrameTest::applyStaysInEffectAfterCancel() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    QSignalSpy changed(&frame.Settings(), &CSettings::Changed);
    fx.m_prompts.AnswerOptions(
        [](SOptionsData& data) {
            data.m_nLockChoice = IDLE_CHOICE_15_MINUTES;
            data.m_generator.m_strLength = "20";
            data.m_nExit2Min = 1;
            data.m_fnApply(data);
            // The same values again change nothing.
            data.m_fnApply(data);
            // Changed after Apply, then cancelled: never taken.
            data.m_nLockChoice = IDLE_CHOICE_30_MINUTES;
        },
        false);
    QVERIFY(!frame.OpenOptions(OPTIONS_PAGE_START));
    // One Apply, however many values it changed, tells the other parts once.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(frame.Settings().Values().m_nLockChoice, IDLE_CHOICE_15_MINUTES);
    QCOMPARE(frame.Settings().Values().m_nAutoLockMs, 900000u);
    QCOMPARE(frame.Settings().Values().m_generator.m_strLength, std::string("20"));
}

void OptionsFrameTest::hotKeyCheckShowsOrHidesTheTrayAtOnce() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    QVERIFY(!frame.Tray().IsHidden());
    // Without a global hot key on this desktop the page is told so, and the
    // icon stays: it is the only way back.
    frame.SetHotKeyAvailable(false);
    bool bToldAvailable = true;
    fx.m_prompts.AnswerOptions(
        [&bToldAvailable](SOptionsData& data) {
            bToldAvailable = data.m_bHotKeyAvailable;
            data.m_fnHotKeyChecked(true, 75, 6);
        },
        false);
    frame.OpenOptions(OPTIONS_PAGE_HOTKEY);
    QVERIFY(!bToldAvailable);
    QVERIFY(!frame.Tray().IsHidden());

    frame.SetHotKeyAvailable(true);
    fx.m_prompts.AnswerOptions([](SOptionsData& data) { data.m_fnHotKeyChecked(true, 75, 6); },
                               false);
    frame.OpenOptions(OPTIONS_PAGE_HOTKEY);
    // The page's check acted although the dialog was cancelled.
    QVERIFY(frame.Tray().IsHidden());
    QCOMPARE(frame.Settings().Values().m_bHideTray, 1);
    QCOMPARE(frame.Settings().Values().m_wHotKey, 75u);
    QCOMPARE(frame.Settings().Values().m_wHotKeyFlags, 6u);

    fx.m_prompts.AnswerOptions([](SOptionsData& data) { data.m_bHideTray = false; });
    frame.OpenOptions(OPTIONS_PAGE_HOTKEY);
    QVERIFY(!frame.Tray().IsHidden());
}

void OptionsFrameTest::startAtLoginFollowsTheAutostartEntry() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    QVERIFY(!HasAutostartEntry());
    fx.m_prompts.AnswerOptions([](SOptionsData& data) { data.m_bWinStart = true; });
    frame.OpenOptions(OPTIONS_PAGE_START);
    QCOMPARE(frame.Settings().Values().m_nWinStart, 1);
    QVERIFY(HasAutostartEntry());
    fx.m_prompts.AnswerOptions([](SOptionsData& data) { data.m_bWinStart = false; });
    frame.OpenOptions(OPTIONS_PAGE_START);
    QVERIFY(!HasAutostartEntry());
}

void OptionsFrameTest::maskingRedisplaysThePassword() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank");
    fx.Account("Bank", "Main", "hunter2");
    CCofferView& view = fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Main"));
    // The frame owns its view from here on, as in the program.
    fx.Frame().SetView(fx.m_pView.release());
    auto* pPassword = view.findChild<QLineEdit*>(QStringLiteral("Password"));
    QVERIFY(pPassword);
    QVERIFY(pPassword->text() != QStringLiteral("hunter2"));

    bool bShownMasked = false;
    fx.m_prompts.AnswerOptions([&bShownMasked](SOptionsData& data) {
        bShownMasked = data.m_bMaskPasswords;
        data.m_bMaskPasswords = false;
    });
    fx.Frame().OpenOptions(OPTIONS_PAGE_SECURITY);
    QVERIFY(bShownMasked);
    QVERIFY(!view.IsMaskPasswords());
    QCOMPARE(pPassword->text(), QStringLiteral("hunter2"));
}

void OptionsFrameTest::accountDialogOpensTheGeneratorPage() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank");
    fx.Show();
    SGeneratorSettings seen;
    fx.m_editPrompts.AnswerAccount([&seen](SAccountDlgData& data) {
        if (!data.m_fnGeneratorSettings)
            return false;
        data.m_fnGeneratorSettings(data.m_generator);
        seen = data.m_generator;
        return false;
    });
    fx.m_prompts.AnswerOptions([](SOptionsData& data) {
        data.m_generator = {PWGEN_SPECIAL | PWGEN_RANGE, "10", "20", "6"};
    });
    fx.Frame().RunCommand(ID_ACCOUNT_ADD);
    // The button called "Password Generator Settings" shows that page.
    QCOMPARE(fx.m_prompts.OptionsStartPage(), OPTIONS_PAGE_GENERATOR);
    // The account dialog generates with what the Options dialog left.
    QCOMPARE(seen.m_nFlags, PWGEN_SPECIAL | PWGEN_RANGE);
    QCOMPARE(seen.m_strEnd, std::string("20"));
    QCOMPARE(fx.Frame().Settings().Values().m_generator.m_nFlags, PWGEN_SPECIAL | PWGEN_RANGE);
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(OptionsFrameTest)
#include "OptionsFrameTest.moc"
