// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "gui/controls/DragTextButton.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/LinkLabel.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

// The detail panel as a keyboard user meets it (Tab reaches everything a
// click reaches, the keys press what a click presses) and long texts in it.
class CDetailPanelTest : public QObject {
    Q_OBJECT
private slots:
    void tabReachesTheCopyButtonsAndTheLinks();
    void spaceAndEnterCopy();
    void tabLeavesTheComments();
    void commentsAreSelectedAndDraggedOutButNeverChanged();
    void longTextsShowTheirBeginning();

private:
    static void ShowActive(CCofferView& view) {
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
    }
    static CCofferView& BankAccount(CViewFixture& fx) {
        fx.NewKeyedDocument("A");
        fx.Account("A", "bank", "s3cret", "https://bank.example/", "me@example.com");
        return fx.Show();
    }
};

void CDetailPanelTest::tabReachesTheCopyButtonsAndTheLinks() {
    CViewFixture fx;
    CCofferView& view = BankAccount(fx);
    ShowActive(view);
    view.Tree()->setFocus();
    QStringList chain;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << QApplication::focusWidget()->objectName();
    }
    for (const char* pszName : {"CopyUserName", "CopyPassword", "WebSite", "EMail"})
        QVERIFY2(chain.contains(pszName), qPrintable(chain.join(' ')));
    // The buttons come right after the fields they copy.
    QCOMPARE(chain.indexOf("CopyUserName"), chain.indexOf("Password") + 1);
    QCOMPARE(chain.indexOf("CopyPassword"), chain.indexOf("CopyUserName") + 1);

    // A click leaves the focus where it was.
    view.Tree()->setFocus();
    QTest::mouseClick(view.CopyPasswordButton(), Qt::LeftButton);
    QVERIFY(view.Tree()->hasFocus());
}

void CDetailPanelTest::spaceAndEnterCopy() {
    CViewFixture fx;
    CCofferView& view = BankAccount(fx);
    ShowActive(view);
    QClipboard* pClipboard = QApplication::clipboard();
    pClipboard->clear();
    view.CopyPasswordButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view.CopyPasswordButton(), Qt::Key_Space);
    QCOMPARE(pClipboard->text(), QStringLiteral("s3cret"));
    view.CopyUserNameButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(view.CopyUserNameButton(), Qt::Key_Return);
    QCOMPARE(pClipboard->text(), QStringLiteral("user-bank"));
    QTest::keyClick(view.CopyUserNameButton(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(pClipboard->text(), QStringLiteral("user-bank"));
    pClipboard->clear();
}

void CDetailPanelTest::tabLeavesTheComments() {
    CViewFixture fx;
    CCofferView& view = BankAccount(fx);
    ShowActive(view);
    CDragTextEdit* pComments = view.CommentsBox();
    const QString strBefore = pComments->toPlainText();
    pComments->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pComments, Qt::Key_Tab);
    QVERIFY(!pComments->hasFocus());
    QCOMPARE(pComments->toPlainText(), strBefore);
    QVERIFY(!strBefore.contains('\t'));
}

void CDetailPanelTest::commentsAreSelectedAndDraggedOutButNeverChanged() {
    CViewFixture fx;
    CCofferView& view = BankAccount(fx);
    ShowActive(view);
    CDragTextEdit* pComments = view.CommentsBox();
    pComments->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(pComments, QStringLiteral("typed"));
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    pComments->paste();
    // The keyboard selects; a drag out gives the text away as a copy.
    QTest::keyClick(pComments, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(pComments, Qt::Key_End, Qt::ShiftModifier);
    QString strDragged;
    pComments->DragDrop().m_fnExecDrag = [&strDragged](QDrag* pDrag) {
        strDragged = pDrag->mimeData()->text();
        return Qt::MoveAction;
    };
    const QPoint pt = pComments->cursorRect(QTextCursor(pComments->document())).center();
    for (const auto& [eType, ptAt] : {std::pair{QEvent::MouseButtonPress, pt + QPoint(8, 0)},
                                      std::pair{QEvent::MouseMove, pt + QPoint(8, 30)}}) {
        QMouseEvent event(eType, ptAt, pComments->viewport()->mapToGlobal(ptAt), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pComments->viewport(), &event);
    }
    QCOMPARE(strDragged, QStringLiteral("about bank"));
    QCOMPARE(pComments->toPlainText(), QStringLiteral("about bank"));
    QVERIFY(!fx.m_pDoc->IsModified());
    QApplication::clipboard()->clear();
}

void CDetailPanelTest::longTextsShowTheirBeginning() {
    CViewFixture fx;
    fx.NewKeyedDocument("A");
    const std::string strLong = "begin-" + std::string(300, 'x') + "-end";
    CPasswordInfo* pLong = fx.Account("A", "long", strLong);
    pLong->SetUserName(strLong);
    fx.Account("A", "short", "pw");
    CCofferView& view = fx.Show();
    ShowActive(view);
    const auto item = [&fx](const char* pszLabel) {
        return fx.Item(0, std::string(pszLabel) == "long" ? 0 : 1);
    };
    QCOMPARE(fx.RecordOf(item("short"))->Account(), std::string("short"));
    for (int nRound = 0; nRound < 2; ++nRound) {
        // Shown first, and shown again after another account.
        if (nRound == 1) {
            view.Tree()->setCurrentIndex(item("short"));
            view.Tree()->setCurrentIndex(item("long"));
        }
        QCOMPARE(fx.CurrentLabel(), std::string("long"));
        QCOMPARE(view.UserNameBox()->text(), QString::fromStdString(strLong));
        QCOMPARE(view.UserNameBox()->cursorPosition(), 0);
        QCOMPARE(view.PasswordBox()->cursorPosition(), 0);
    }
}

QTEST_MAIN(CDetailPanelTest)
#include "DetailPanelTest.moc"
