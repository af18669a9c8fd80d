// SPDX-License-Identifier: GPL-3.0-or-later
// The Options dialog as a widget: page switching refused by a failing check,
// the order of the checks on OK, Apply keeping the dialog open, the
// Security page's choices and sliders, the generator page's flags word and
// preview, the hot-key control, and the folder chooser's check.

#include "gui/dialogs/OptionsDlg.h"
#include "core/base/FolderSystem.h"
#include "core/base/OptionsData.h"
#include "core/base/StringTable.h"
#include "core/generator/PasswordGenerator.h"
#include "gui/controls/FolderDialog.h"
#include "gui/controls/HotKeyEdit.h"
#include "gui/dialogs/OptionsGeneratorPage.h"
#include "gui/dialogs/OptionsHotKeyPage.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <vector>

namespace {

template <typename T> T* Control(QWidget& dialog, const char* pszName) {
    T* pControl = dialog.findChild<T*>(QString::fromLatin1(pszName));
    if (!pControl)
        qFatal("no control %s", pszName);
    return pControl;
}

// A dialog over scripted prompts and the real disk, shown so that focus and
// visibility mean what they mean to a user.
struct SDialogCase {
    explicit SDialogCase(int nStartPage = OPTIONS_PAGE_START) {
        m_prompts.m_fnFail = [this](const std::string& strWhy) { m_vecFailures.push_back(strWhy); };
        m_data.m_nStartPage = nStartPage;
        m_data.m_strBackupPath = m_dir.path().toStdString();
        m_data.m_fnApply = [this](const SOptionsData& data) { m_vecApplied.push_back(data); };
        m_data.m_fnHotKeyChecked = [this](bool bHide, unsigned wKey, unsigned wFlags) {
            m_vecHotKeys.push_back({bHide, wKey, wFlags});
        };
    }
    COptionsDlg& Dialog() {
        if (!m_pDialog) {
            m_pDialog = std::make_unique<COptionsDlg>(m_data, m_prompts, m_disk);
            m_pDialog->show();
        }
        return *m_pDialog;
    }
    std::vector<std::string> Messages() const { return m_prompts.MessageTexts(); }

    struct SHotKeyCall {
        bool m_bHide;
        unsigned m_wKey;
        unsigned m_wFlags;
    };
    QTemporaryDir m_dir;
    SOptionsData m_data;
    CScriptedPrompts m_prompts;
    CDiskFolderSystem m_disk;
    std::unique_ptr<COptionsDlg> m_pDialog;
    std::vector<SOptionsData> m_vecApplied;
    std::vector<SHotKeyCall> m_vecHotKeys;
    std::vector<std::string> m_vecFailures;
};

} // namespace

class OptionsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void pagesInTreeOrderAndStartPage();
    void leavingAFailingPageIsRefused();
    void okChecksThePagesInItsOrder();
    void applyKeepsTheDialogOpen();
    void cancelTakesNothingBack();
    void securityChoicesDriveTheSliders();
    void onlyAChangedListGivesUpItsStoredValue();
    void generatorFlagsAndPreview();
    void generatorLengthsAreBounded();
    void hotKeyControlStoresTheKey();
    void hideTrayNeedsAHotKey();
    void withoutAGlobalHotKeyThePageSaysSo();
    void folderChooserChecksTheTypedFolder();
};

void OptionsDlgTest::pagesInTreeOrderAndStartPage() {
    SDialogCase test(OPTIONS_PAGE_GENERATOR);
    COptionsDlg& dialog = test.Dialog();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    QStringList names;
    for (int i = 0; i < dialog.Tree()->topLevelItemCount(); ++i)
        names << dialog.Tree()->topLevelItem(i)->text(0);
    QCOMPARE(names,
             (QStringList{"Start", "File", "Security", "Hot Key", "Password Generator", "Others"}));
    // Page 3 is the generator page, wherever it stands in the tree.
    QCOMPARE(dialog.CurrentPage(), OPTIONS_PAGE_GENERATOR);
    QCOMPARE(dialog.PageTitle(), QStringLiteral("Password Generator"));
    QVERIFY(Control<QCheckBox>(dialog, "Uppercase")->isVisible());

    SDialogCase none(9);
    QCOMPARE(none.Dialog().CurrentPage(), -1);
}

void OptionsDlgTest::leavingAFailingPageIsRefused() {
    SDialogCase test;
    test.m_data.m_nStartMode = 2;
    test.m_data.m_strStartFile = test.m_dir.filePath(QStringLiteral("missing.pwd")).toStdString();
    COptionsDlg& dialog = test.Dialog();
    QVERIFY(Control<QLineEdit>(dialog, "StartFile")->isEnabled());
    dialog.SelectPage(OPTIONS_PAGE_FILE);
    QCOMPARE(test.Messages(), std::vector<std::string>{IDS_START_FILE_NOT_FOUND});
    QCOMPARE(dialog.CurrentPage(), OPTIONS_PAGE_START);
    QCOMPARE(dialog.Tree()->currentItem()->text(0), QStringLiteral("Start"));
    QCOMPARE(dialog.PageTitle(), QStringLiteral("Start"));

    // Another mode disables the file and lets the page go.
    QTest::mouseClick(Control<QRadioButton>(dialog, "StartNoFile"), Qt::LeftButton);
    QVERIFY(!Control<QLineEdit>(dialog, "StartFile")->isEnabled());
    dialog.SelectPage(OPTIONS_PAGE_FILE);
    QCOMPARE(dialog.CurrentPage(), OPTIONS_PAGE_FILE);
    QCOMPARE(dialog.PageTitle(), QStringLiteral("File"));
    QCOMPARE(test.m_data.m_nStartMode, 0);
    QCOMPARE(test.Messages().size(), std::size_t(1));
}

void OptionsDlgTest::okChecksThePagesInItsOrder() {
    SDialogCase test(OPTIONS_PAGE_OTHERS);
    test.m_data.m_bBackup = true;
    test.m_data.m_strBackupPath = "";
    test.m_data.m_generator.m_strLength = "";
    test.m_data.m_bHideTray = true;
    test.m_data.m_nStartMode = 2;
    test.m_data.m_strStartFile = "/nowhere/x.pwd";
    COptionsDlg& dialog = test.Dialog();
    const std::string strInvalid = "The folder:\n\n\n\nis invalid. Please reenter.";

    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(test.Messages(), std::vector<std::string>{strInvalid});

    Control<QLineEdit>(dialog, "BackupFolder")->setText(test.m_dir.path());
    dialog.accept();
    QCOMPARE(test.Messages().back(), std::string(IDS_LENGTH_AT_LEAST_ONE));
    Control<QLineEdit>(dialog, "Length")->setText(QStringLiteral("6"));
    dialog.accept();
    QCOMPARE(test.Messages().back(), std::string(IDS_START_FILE_NOT_FOUND));
    QTest::mouseClick(Control<QRadioButton>(dialog, "StartLastFile"), Qt::LeftButton);
    dialog.accept();
    QCOMPARE(test.Messages().back(), std::string(IDS_HOTKEY_NEEDED));
    QVERIFY(dialog.isVisible());
    QCOMPARE(test.Messages().size(), std::size_t(4));
    // The page shown stays the one the user was on.
    QCOMPARE(dialog.CurrentPage(), OPTIONS_PAGE_OTHERS);

    Control<QCheckBox>(dialog, "HideTray")->setChecked(false);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(test.m_data.m_strBackupPath, test.m_dir.path().toStdString());
    QCOMPARE(test.m_data.m_nStartMode, 1);
    QVERIFY(test.m_vecApplied.empty());
    QVERIFY(test.m_vecFailures.empty());
}

void OptionsDlgTest::applyKeepsTheDialogOpen() {
    SDialogCase test(OPTIONS_PAGE_OTHERS);
    COptionsDlg& dialog = test.Dialog();
    Control<QComboBox>(dialog, "Exit2Min")->setCurrentIndex(2);
    Control<QCheckBox>(dialog, "DeleteConfirmA")->setChecked(false);
    QTest::mouseClick(Control<QPushButton>(dialog, "applyButton"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(test.m_vecApplied.size(), std::size_t(1));
    QCOMPARE(test.m_vecApplied[0].m_nExit2Min, 2);
    QCOMPARE(test.m_vecApplied[0].m_bDeleteConfirmA, false);
    // The hot-key page's check ran and put its values into effect.
    QCOMPARE(test.m_vecHotKeys.size(), std::size_t(1));

    // A failing page stops Apply before anything is handed over.
    Control<QCheckBox>(dialog, "Backup")->setChecked(true);
    Control<QLineEdit>(dialog, "BackupFolder")->setText(QStringLiteral("relative/path"));
    QTest::mouseClick(Control<QPushButton>(dialog, "applyButton"), Qt::LeftButton);
    QCOMPARE(test.m_vecApplied.size(), std::size_t(1));
    QCOMPARE(test.Messages().back(),
             std::string("The folder:\n\nrelative/path\n\nis invalid. Please reenter."));
}

void OptionsDlgTest::cancelTakesNothingBack() {
    SDialogCase test(OPTIONS_PAGE_SECURITY);
    test.m_data.m_bMaskPasswords = true;
    COptionsDlg& dialog = test.Dialog();
    Control<QCheckBox>(dialog, "MaskPasswords")->setChecked(false);
    dialog.reject();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(test.m_data.m_bMaskPasswords, true);
}

void OptionsDlgTest::securityChoicesDriveTheSliders() {
    SDialogCase test(OPTIONS_PAGE_SECURITY);
    test.m_data.m_nLockChoice = 4;
    test.m_data.m_nLockSlider = 6;
    test.m_data.m_nExitChoice = 0;
    test.m_data.m_nClipboardClearSec = 25; // set by hand in the settings file
    COptionsDlg& dialog = test.Dialog();
    auto* pLock = Control<QComboBox>(dialog, "AutoLock");
    auto* pLockSlider = Control<QSlider>(dialog, "AutoLockHours");
    auto* pExitSlider = Control<QSlider>(dialog, "AutoExitHours");
    QCOMPARE(pLock->count(), 5);
    QCOMPARE(pLock->currentText(), QStringLiteral("Customize"));
    QVERIFY(pLockSlider->isEnabled());
    QCOMPARE(pLockSlider->value(), 6);
    // Not customised: the slider shows its minimum and is disabled.
    QVERIFY(!pExitSlider->isEnabled());
    QCOMPARE(pExitSlider->value(), 1);
    QCOMPARE(pExitSlider->minimum(), 1);
    QCOMPARE(pExitSlider->maximum(), 10);
    auto* pClipboard = Control<QComboBox>(dialog, "ClipboardClear");
    QCOMPARE(pClipboard->currentText(), QStringLiteral("25 seconds"));
    QCOMPARE(pClipboard->itemText(0), QStringLiteral("Never"));

    // "15 minutes" starts the slider over and disables it.
    emit pLock->activated(2);
    pLock->setCurrentIndex(2);
    QVERIFY(!pLockSlider->isEnabled());
    QCOMPARE(pLockSlider->value(), 1);
    pLock->setCurrentIndex(4);
    emit pLock->activated(4);
    QVERIFY(pLockSlider->isEnabled());
    pLockSlider->setValue(3);
    Control<QCheckBox>(dialog, "LockOnScreenLock")->setChecked(false);
    pClipboard->setCurrentIndex(pClipboard->findData(30u));
    dialog.SelectPage(OPTIONS_PAGE_START);
    QCOMPARE(test.m_data.m_nLockChoice, 4);
    QCOMPARE(test.m_data.m_nLockSlider, 3);
    QCOMPARE(test.m_data.m_bLockOnScreenLock, false);
    QCOMPARE(test.m_data.m_nClipboardClearSec, 30u);
}

void OptionsDlgTest::onlyAChangedListGivesUpItsStoredValue() {
    SDialogCase test(OPTIONS_PAGE_SECURITY);
    test.m_data.m_bKeepLock = test.m_data.m_bKeepExit = test.m_data.m_bKeepExit2Min = true;
    test.m_data.m_bKeepMin2Lock = true;
    COptionsDlg& dialog = test.Dialog();
    Control<QSlider>(dialog, "AutoExitHours")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    dialog.SelectPage(OPTIONS_PAGE_OTHERS);
    emit Control<QComboBox>(dialog, "Exit2Min")->activated(0);
    dialog.accept();
    QVERIFY(test.m_data.m_bKeepLock && test.m_data.m_bKeepMin2Lock);
    QVERIFY(!test.m_data.m_bKeepExit && !test.m_data.m_bKeepExit2Min);
}

void OptionsDlgTest::generatorFlagsAndPreview() {
    SDialogCase test(OPTIONS_PAGE_GENERATOR);
    test.m_data.m_generator.m_nFlags = 39;
    COptionsDlg& dialog = test.Dialog();
    auto& page = static_cast<COptionsGeneratorPage&>(*dialog.Page(OPTIONS_PAGE_GENERATOR));
    QCOMPARE(page.FlagsFromControls(), 39);
    QVERIFY(Control<QLineEdit>(dialog, "Begin")->isEnabled());
    QVERIFY(!Control<QLineEdit>(dialog, "Length")->isEnabled());

    Control<QCheckBox>(dialog, "Uppercase")->setChecked(false);
    Control<QCheckBox>(dialog, "Special")->setChecked(true);
    Control<QCheckBox>(dialog, "Space")->setChecked(true);
    QTest::mouseClick(Control<QRadioButton>(dialog, "Specify"), Qt::LeftButton);
    QCOMPARE(page.FlagsFromControls(), PWGEN_LOWER | PWGEN_DIGITS | PWGEN_SPECIAL | PWGEN_SPACE);
    QVERIFY(!Control<QLineEdit>(dialog, "Begin")->isEnabled());
    QVERIFY(Control<QLineEdit>(dialog, "Length")->isEnabled());

    // The preview works on the lengths as typed, even an empty one.
    Control<QLineEdit>(dialog, "Length")->clear();
    page.OnGenerate();
    auto* pResult = Control<QLineEdit>(dialog, "GeneratedPassword");
    QCOMPARE(pResult->text().size(), 1);
    Control<QLineEdit>(dialog, "Length")->setText(QStringLiteral("12"));
    page.OnGenerate();
    QCOMPARE(pResult->text().size(), 12);
    for (const QChar ch : pResult->text())
        QVERIFY(!ch.isUpper());
    page.OnClear();
    QVERIFY(pResult->text().isEmpty());
    // No class: nothing is generated.
    for (const char* pszBox : {"Lowercase", "Numbers", "Special", "Space"})
        Control<QCheckBox>(dialog, pszBox)->setChecked(false);
    page.OnGenerate();
    QVERIFY(pResult->text().isEmpty());

    Control<QCheckBox>(dialog, "Numbers")->setChecked(true);
    QVERIFY(dialog.Page(OPTIONS_PAGE_GENERATOR)->ValidatePage());
    QCOMPARE(test.m_data.m_generator.m_nFlags, PWGEN_DIGITS);
    QCOMPARE(test.m_data.m_generator.m_strLength, std::string("12"));
}

void OptionsDlgTest::generatorLengthsAreBounded() {
    SDialogCase test(OPTIONS_PAGE_GENERATOR);
    COptionsDlg& dialog = test.Dialog();
    auto* pBegin = Control<QLineEdit>(dialog, "Begin");
    pBegin->clear();
    QTest::keyClicks(pBegin, QStringLiteral("a123"));
    QCOMPARE(pBegin->text(), QStringLiteral("12"));

    QTest::mouseClick(Control<QRadioButton>(dialog, "Specify"), Qt::LeftButton);
    auto* pLength = Control<QLineEdit>(dialog, "Length");
    pLength->clear();
    QTest::keyClicks(pLength, QStringLiteral("99999999x"));
    // Four digits reach the generator's longest password; no more are taken.
    QCOMPARE(pLength->text(), QStringLiteral("9999"));
    // The check refuses 0 and empty whatever the mode.
    Control<QLineEdit>(dialog, "End")->setText(QStringLiteral("0"));
    QVERIFY(!dialog.Page(OPTIONS_PAGE_GENERATOR)->ValidatePage());
    QCOMPARE(test.Messages(), std::vector<std::string>{IDS_LENGTH_AT_LEAST_ONE});
    // The arrows step within 1 to 99, from an empty edit too.
    QTest::mouseClick(Control<QRadioButton>(dialog, "Range"), Qt::LeftButton);
    Control<QLineEdit>(dialog, "End")->clear();
    QTest::mouseClick(Control<QWidget>(dialog, "End")
                          ->parentWidget()
                          ->findChildren<QWidget*>(QStringLiteral("Up"))[1],
                      Qt::LeftButton);
    QCOMPARE(Control<QLineEdit>(dialog, "End")->text(), QStringLiteral("1"));
}

void OptionsDlgTest::hotKeyControlStoresTheKey() {
    CHotKeyEdit edit;
    edit.show();
    QTest::keyClick(&edit, Qt::Key_K, Qt::AltModifier);
    QCOMPARE(edit.VirtualKey(), 75u);
    QCOMPARE(edit.Flags(), 4u);
    QCOMPARE(edit.text(), QKeySequence(QStringLiteral("Alt+K")).toString(QKeySequence::NativeText));
    // Shift alone is refused: the key stays as it was.
    QTest::keyClick(&edit, Qt::Key_J, Qt::ShiftModifier);
    QCOMPARE(edit.VirtualKey(), 75u);
    QTest::keyClick(&edit, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(edit.VirtualKey(), 0x74u);
    QCOMPARE(edit.Flags(), 3u);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.VirtualKey(), 0u);
    QCOMPARE(edit.text(), QStringLiteral("None"));
    edit.SetHotKey(0x24, 0x0A); // Ctrl+Home with the extended-key bit
    QCOMPARE(edit.text(),
             QKeySequence(QStringLiteral("Ctrl+Home")).toString(QKeySequence::NativeText));
}

void OptionsDlgTest::hideTrayNeedsAHotKey() {
    SDialogCase test(OPTIONS_PAGE_HOTKEY);
    COptionsDlg& dialog = test.Dialog();
    Control<QCheckBox>(dialog, "HideTray")->setChecked(true);
    dialog.SelectPage(OPTIONS_PAGE_OTHERS);
    QCOMPARE(dialog.CurrentPage(), OPTIONS_PAGE_HOTKEY);
    QCOMPARE(test.Messages(), std::vector<std::string>{IDS_HOTKEY_NEEDED});
    QCOMPARE(test.m_prompts.Messages()[0].m_eIcon, EMsgIcon::none);
    QVERIFY(test.m_vecHotKeys.empty());

    auto& page = static_cast<COptionsHotKeyPage&>(*dialog.Page(OPTIONS_PAGE_HOTKEY));
    QTest::keyClick(page.HotKeyEdit(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    dialog.SelectPage(OPTIONS_PAGE_OTHERS);
    QCOMPARE(dialog.CurrentPage(), OPTIONS_PAGE_OTHERS);
    // Leaving the page put the tray and the key into effect at once.
    QCOMPARE(test.m_vecHotKeys.size(), std::size_t(1));
    QCOMPARE(test.m_vecHotKeys[0].m_bHide, true);
    QCOMPARE(test.m_vecHotKeys[0].m_wKey, 75u);
    QCOMPARE(test.m_vecHotKeys[0].m_wFlags, 6u);
}

void OptionsDlgTest::folderChooserChecksTheTypedFolder() {
    QTemporaryDir dir;
    CScriptedPrompts prompts;
    std::vector<std::string> vecFailures;
    prompts.m_fnFail = [&](const std::string& strWhy) { vecFailures.push_back(strWhy); };
    CDiskFolderSystem disk;
    CFolderDialog dialog(IDS_APP_TITLE, IDS_FOLDER_PROMPT, dir.path().toStdString(), prompts, disk);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Keyhaven"));
    QCOMPARE(dialog.PathEdit()->text(), dir.path());
    dialog.PathEdit()->clear();
    QVERIFY(!dialog.OkButton()->isEnabled());

    const QString strNew = dir.filePath(QStringLiteral("One/Two"));
    dialog.PathEdit()->setText(strNew);
    QVERIFY(dialog.OkButton()->isEnabled());
    prompts.AnswerMessage(EMsgAnswer::no);
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QVERIFY(!QFileInfo::exists(strNew));
    prompts.AnswerMessage(EMsgAnswer::yes);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(QFileInfo(strNew).isDir());
    QCOMPARE(dialog.GetFolderPath(), strNew.toStdString());
    QCOMPARE(prompts.Messages().size(), std::size_t(2));
    QVERIFY(vecFailures.empty());
}

// A desktop without any global hot key: the page says so instead of taking
// a key, keeps the stored one, and refuses hiding the tray icon, the only
// way back left.
void OptionsDlgTest::withoutAGlobalHotKeyThePageSaysSo() {
    SDialogCase test(OPTIONS_PAGE_HOTKEY);
    test.m_data.m_bHotKeyAvailable = false;
    test.m_data.m_wHotKey = 75;
    test.m_data.m_wHotKeyFlags = 4;
    test.m_data.m_bHideTray = true;
    COptionsDlg& dialog = test.Dialog();
    auto& page = static_cast<COptionsHotKeyPage&>(*dialog.Page(OPTIONS_PAGE_HOTKEY));
    QVERIFY(!page.HotKeyEdit()->isEnabled());
    auto* pSentence = dialog.findChild<QLabel*>(QStringLiteral("HotKeyUnavailable"));
    QVERIFY(pSentence != nullptr);
    QCOMPARE(pSentence->text(), QString::fromUtf8(IDS_HOTKEY_UNAVAILABLE));

    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(test.Messages(), std::vector<std::string>{IDS_HOTKEY_NO_WAY_BACK});
    QVERIFY(test.m_vecHotKeys.empty());

    Control<QCheckBox>(dialog, "HideTray")->setChecked(false);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(test.m_data.m_bHideTray, false);
    QCOMPARE(test.m_data.m_wHotKey, 75u);
    QCOMPARE(test.m_data.m_wHotKeyFlags, 4u);

    // Where the desktop has one, the page takes keys as before.
    SDialogCase available(OPTIONS_PAGE_HOTKEY);
    COptionsDlg& other = available.Dialog();
    QVERIFY(static_cast<COptionsHotKeyPage&>(*other.Page(OPTIONS_PAGE_HOTKEY))
                .HotKeyEdit()
                ->isEnabled());
    QVERIFY(other.findChild<QLabel*>(QStringLiteral("HotKeyUnavailable")) == nullptr);
}

QTEST_MAIN(OptionsDlgTest)
#include "OptionsDlgTest.moc"
