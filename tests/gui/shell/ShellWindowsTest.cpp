// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/CommandIds.h"
#include "core/base/Version.h"
#include "core/shell/CommandMap.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/LinkLabel.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/SystemTray.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>

class CShellWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void trayMenuItems();
    void trayToolTipIsCut();
    void trayWithoutDesktopTrayIsPending();
    void trayDefaultByPosition();
    void trayRunsEnabledCommandsOnly();
    void trayMessageClickedWithTheLeftButtonIsAClick();
    void aboutBox();
    void helpWindowShowsTheIndex();
};

void CShellWindowsTest::trayMenuItems() {
    CCommandMap map;
    CSystemTray tray(map);
    QStringList texts;
    QList<int> ids;
    for (QAction* pAction : tray.Menu()->actions()) {
        texts << (pAction->isSeparator() ? QString("-") : pAction->text());
        ids << pAction->property("commandId").toInt();
    }
    QCOMPARE(texts, QStringList({"Main &Window", "Password &Bar", "-", "&Lock", "-", "E&xit"}));
    QCOMPARE(ids, QList<int>(
                      {ID_TRAY_MAINWINDOW, ID_TRAY_PASSWORDBAR, 0, ID_TRAY_LOCK, 0, ID_TRAY_EXIT}));
    // The first item is the default until told otherwise.
    QCOMPARE(tray.DefaultCommand(), ID_TRAY_MAINWINDOW);
}

void CShellWindowsTest::trayToolTipIsCut() {
    CCommandMap map;
    CSystemTray tray(map);
    const QString strLong(80, QChar('x'));
    tray.Create(strLong, 128, 143, false);
    QCOMPARE(tray.ToolTip().size(), 63);
    QCOMPARE(tray.Id(), 143);
    tray.Create("Keyhaven", 128, 143, false);
    QCOMPARE(tray.ToolTip(), QString("Keyhaven"));
}

void CShellWindowsTest::trayWithoutDesktopTrayIsPending() {
    // Offscreen there is no tray: the program runs on and the icon waits.
    CCommandMap map;
    CSystemTray tray(map);
    const bool bTray = QSystemTrayIcon::isSystemTrayAvailable();
    QCOMPARE(tray.Create("Keyhaven", 128, 143, false), bTray);
    QCOMPARE(tray.IsPending(), !bTray);
    QCOMPARE(tray.IsRemoved(), !bTray);
    QVERIFY(tray.SetIcon(358));
    QCOMPARE(tray.IconId(), 358);
    // Hiding the icon on purpose ends the wait; showing it starts it again.
    QVERIFY(tray.HideIcon());
    QVERIFY(tray.IsHidden());
    QVERIFY(!tray.IsPending());
    QCOMPARE(tray.ShowIcon(), bTray);
    QCOMPARE(tray.IsPending(), !bTray);
    QCOMPARE(tray.IconId(), 358);
}

void CShellWindowsTest::trayDefaultByPosition() {
    CCommandMap map;
    CSystemTray tray(map);
    QVERIFY(tray.SetMenuDefaultItem(3, true));
    QCOMPARE(tray.DefaultCommand(), ID_TRAY_LOCK);
    QVERIFY(tray.SetMenuDefaultItem(ID_TRAY_EXIT, false));
    QCOMPARE(tray.DefaultCommand(), ID_TRAY_EXIT);
    // A position on a separator names no command.
    QVERIFY(tray.SetMenuDefaultItem(2, true));
    QCOMPARE(tray.DefaultCommand(), 0);
}

void CShellWindowsTest::trayRunsEnabledCommandsOnly() {
    CCommandMap map;
    int nExits = 0;
    bool bAllowed = false;
    map.Register(
        ID_TRAY_EXIT, [&]() { ++nExits; }, [&](CCmdUI& ui) { ui.Enable(bAllowed); });
    CSystemTray tray(map);
    tray.UpdateMenu();
    QAction* pExit = tray.Menu()->actions().last();
    QVERIFY(!pExit->isEnabled());
    // Items without a command stay disabled.
    QVERIFY(!tray.Menu()->actions().first()->isEnabled());
    pExit->trigger();
    QCOMPARE(nExits, 0);
    bAllowed = true;
    tray.UpdateMenu();
    QVERIFY(pExit->isEnabled());
    pExit->trigger();
    QCOMPARE(nExits, 1);
}

void CShellWindowsTest::trayMessageClickedWithTheLeftButtonIsAClick() {
    CCommandMap map;
    int nRuns = 0;
    map.Register(ID_TRAY_MAINWINDOW, [&]() { ++nRuns; });
    CSystemTray tray(map);
    QWidget icon;
    icon.show();
    QVERIFY(QTest::qWaitForWindowExposed(&icon));
    // The right button on the icon while a message shows opens the menu
    // and comes back with nothing else.
    QTest::mousePress(&icon, Qt::RightButton);
    tray.OnMessageClicked();
    QTest::mouseRelease(&icon, Qt::RightButton);
    QCOMPARE(nRuns, 0);
    // The left button on the message, or a notification's click.
    tray.OnMessageClicked();
    QCOMPARE(nRuns, 1);
}

void CShellWindowsTest::aboutBox() {
    CAboutDlg dlg(nullptr);
    QCOMPARE(dlg.windowTitle(), QString("About Keyhaven"));
    QCOMPARE(dlg.findChild<QLabel*>("AboutName")->text(), QString("Keyhaven"));
    QCOMPARE(dlg.findChild<QLabel*>("AboutVersion")->text(), QString("Version " KEYHAVEN_VERSION));
    // The licence notice, whole: the fixed-size box leaves room for every
    // line of it.
    auto* pLicence = dlg.findChild<QLabel*>("AboutLicence");
    QVERIFY(pLicence != nullptr);
    QVERIFY(pLicence->text().contains("GNU General Public License, version 3 or later"));
    QVERIFY(pLicence->text().contains("NO WARRANTY"));
    dlg.layout()->activate();
    QVERIFY(pLicence->height() >= pLicence->heightForWidth(pLicence->width()));
    QVERIFY(dlg.rect().contains(pLicence->geometry()));
    QCOMPARE(dlg.WebsiteLink()->property("controlId").toInt(), 1063);
    QCOMPARE(dlg.SupportLink()->property("controlId").toInt(), 1062);
    QVERIFY(QString::fromStdString(dlg.WebsiteLink()->GetLinkTarget()).startsWith("https://"));
    QVERIFY(QString::fromStdString(dlg.SupportLink()->GetLinkTarget()).startsWith("mailto:"));
    QCOMPARE(dlg.OkButton()->property("controlId").toInt(), 1);
    QCOMPARE(dlg.OkButton()->IconId(), 222);
    QVERIFY(!dlg.findChild<QLabel*>("AboutIcon")->pixmap().isNull());

    std::string strOpened;
    dlg.WebsiteLink()->SetLauncher([&](const std::string& strTarget) {
        strOpened = strTarget;
        return 33;
    });
    // The keyboard starts on OK: Enter closes the box and opens no link.
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(QApplication::focusWidget(), dlg.OkButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(strOpened.empty());
    dlg.setResult(QDialog::Rejected);

    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    // Every text has its full width, and OK stands apart below them.
    for (QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        QVERIFY2(pLabel->width() >= pLabel->sizeHint().width(), qPrintable(pLabel->objectName()));
        QVERIFY2(!pLabel->geometry().intersects(dlg.OkButton()->geometry()),
                 qPrintable(pLabel->objectName()));
        QVERIFY(dlg.OkButton()->geometry().top() >= pLabel->geometry().bottom());
    }
    QTest::mouseClick(dlg.WebsiteLink(), Qt::LeftButton);
    QCOMPARE(strOpened, dlg.WebsiteLink()->GetLinkTarget());
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void CShellWindowsTest::helpWindowShowsTheIndex() {
    CHelpWindow help;
    QCOMPARE(help.Browser()->source(), QUrl("qrc:/help/index.html"));
    QVERIFY(help.Browser()->document()->toPlainText().size() > 100);
    QVERIFY(!help.Browser()->document()->toPlainText().contains("404"));
}

QTEST_MAIN(CShellWindowsTest)
#include "ShellWindowsTest.moc"
