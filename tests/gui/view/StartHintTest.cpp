// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/base/CommandIds.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/StartHint.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

// The answers a case queues before its click.
using Script = std::function<void(CViewFixture&)>;
Q_DECLARE_METATYPE(Script)

// What the main view offers while no file is open: it takes the place of
// the tree and the details, its buttons run the File menu's commands, and it
// goes when a file opens.
class CStartHintTest : public QObject {
    Q_OBJECT
private slots:
    void takesThePlaceOfTheTreeUntilAFileOpens();
    void buttonsRunTheirCommands_data();
    void buttonsRunTheirCommands();
};

void CStartHintTest::takesThePlaceOfTheTreeUntilAFileOpens() {
    CViewFixture fx;
    const std::string strVault = fx.WriteKeyedFile("Vault & Co.pwd", "k");
    fx.m_recent.Add(fx.m_dir.filePath("Old.pwd").toStdString());
    fx.m_recent.Add(strVault);
    CCofferView& view = fx.Show();
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    fx.m_pFrame->UpdateCommandUI();
    CStartHint* pHint = view.StartHint();
    QVERIFY(pHint->isVisible());
    QVERIFY(!view.Tree()->isVisible() && !view.UserNameBox()->isVisible());
    QCOMPARE(pHint->geometry(), view.rect());
    // A keyboard user starts on New and reaches every button with Tab.
    QCOMPARE(QApplication::focusWidget(), pHint->NewButton());
    QTest::keyClick(pHint->NewButton(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pHint->OpenButton());
    // The recent files, newest first, each named for assistive tools.
    QCOMPARE(pHint->RecentButton(0)->text(), QString::fromStdString(strVault).replace("&", "&&"));
    QCOMPARE(pHint->RecentButton(0)->accessibleName(), QString::fromStdString(strVault));
    QVERIFY(pHint->RecentButton(1)->isVisible() && !pHint->RecentButton(2)->isVisible());
    // A recent file that is gone says so and leaves the list, and the hint.
    QTest::mouseClick(pHint->RecentButton(1), Qt::LeftButton);
    QCOMPARE(fx.m_prompts.Messages().size(), 1u);
    QVERIFY(pHint->isVisible() && !pHint->RecentButton(1)->isVisible());

    fx.m_prompts.TypeCheckKey("k");
    QTest::mouseClick(pHint->RecentButton(0), Qt::LeftButton);
    QCOMPARE(fx.m_pDoc->Session().GetPathName(), strVault);
    QVERIFY(!pHint->isVisible());
    QVERIFY(view.Tree()->isVisible() && view.UserNameBox()->isVisible());

    // Closed again: the hint is back, the file it had open first in it.
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_CLOSE));
    QVERIFY(pHint->isVisible() && !view.Tree()->isVisible());
    QCOMPARE(pHint->RecentButton(0)->toolTip(), QString::fromStdString(strVault));
    QVERIFY(fx.m_vecFailures.empty());
    QCOMPARE(fx.m_prompts.UnusedAnswers(), std::string());
}

void CStartHintTest::buttonsRunTheirCommands_data() {
    QTest::addColumn<QString>("strButton");
    QTest::addColumn<Script>("fnAnswers");
    QTest::addColumn<QList<int>>("prompts");
    QTest::addColumn<bool>("bOpenAfter");
    // A new file is saved at once: its KEY, then its name.
    const auto newFile = [](CViewFixture& fx) {
        fx.m_prompts.TypeCreateKey("a1", "a1");
        fx.m_prompts.AnswerSaveFile(fx.m_dir.filePath("New.pwd").toStdString());
    };
    const QList<int> newPrompts{int(EPromptKind::createKey), int(EPromptKind::saveFile)};
    QTest::newRow("new") << "StartNew" << Script(newFile) << newPrompts << true;
    QTest::newRow("open") << "StartOpen"
                          << Script([](CViewFixture& fx) { fx.m_prompts.CancelOpenFile(); })
                          << QList<int>{int(EPromptKind::openFile)} << false;
    // Import needs a file to fill: a new one comes first.
    QTest::newRow("import") << "StartImport" << Script([newFile](CViewFixture& fx) {
        newFile(fx);
        fx.m_prompts.CancelOpenFile();
    }) << newPrompts + QList<int>{int(EPromptKind::openFile)}
                            << true;
    QTest::newRow("import, new refused")
        << "StartImport" << Script([](CViewFixture& fx) { fx.m_prompts.CancelCreateKey(); })
        << QList<int>{int(EPromptKind::createKey)} << false;
}

void CStartHintTest::buttonsRunTheirCommands() {
    QFETCH(QString, strButton);
    QFETCH(Script, fnAnswers);
    QFETCH(QList<int>, prompts);
    QFETCH(bool, bOpenAfter);
    CViewFixture fx;
    CCofferView& view = fx.Show();
    view.show();
    fnAnswers(fx);
    auto* pButton = view.StartHint()->findChild<QPushButton*>(strButton);
    QVERIFY(pButton && pButton->isEnabled());
    QTest::mouseClick(pButton, Qt::LeftButton);
    QList<int> shown;
    for (const SPromptCall& call : fx.m_prompts.Calls())
        if (call.m_eKind != EPromptKind::message)
            shown << int(call.m_eKind);
    QCOMPARE(shown, prompts);
    QCOMPARE(fx.m_pDoc->HasKey(), bOpenAfter);
    QCOMPARE(view.StartHint()->isVisible(), !bOpenAfter);
    QCOMPARE(fx.m_prompts.UnusedAnswers(), std::string());
}

QTEST_MAIN(CStartHintTest)
#include "StartHintTest.moc"
