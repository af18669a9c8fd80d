// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"
#include "support/SampleDocument.h"

#include "core/store/CodePage.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>

using Labels = std::vector<std::string>;

namespace {

// Bank: Card, Loan / Mail: Card, Home, Loan, Web.
constexpr const char* CLASHES = "Bank: Loan=bank-loan, Card=bank-card / Mail: Web=mail-Web, "
                                "Loan=mail-Loan, Home=mail-Home, Card=mail-Card";

// Every record of the list in list order: "G:name" or "account=password".
Labels ListOrder(const CCofferDoc& doc) {
    Labels names;
    for (const CPasswordInfo& info : doc.Records())
        names.push_back(info.IsGroup() ? "G:" + info.Group()
                                       : info.Account() + "=" + info.Password());
    return names;
}

class CMouse {
public:
    explicit CMouse(CViewFixture& fx) : m_pTree(fx.m_pView->Tree()) {
        fx.m_pView->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.m_pView.get()));
        fx.m_pView->Tree()->expandAll();
    }

    QPoint At(const QModelIndex& item) const { return m_pTree->visualRect(item).center(); }

    void Press(const QModelIndex& item, Qt::MouseButton eButton) {
        m_eButton = eButton;
        Send(QEvent::MouseButtonPress, At(item), eButton, eButton);
    }
    void MoveTo(const QModelIndex& item) {
        // Two steps, as a hand would: the drag begins, then reaches the item.
        Send(QEvent::MouseMove, At(item) + QPoint(0, 1), Qt::NoButton, m_eButton);
        Send(QEvent::MouseMove, At(item), Qt::NoButton, m_eButton);
    }
    void Release(const QModelIndex& item) {
        Send(QEvent::MouseButtonRelease, At(item), m_eButton, Qt::NoButton);
    }
    // A whole gesture, held long enough to count as a drag.
    void Drag(const QModelIndex& from, const QModelIndex& to, Qt::MouseButton eButton) {
        Press(from, eButton);
        QTest::qWait(120);
        MoveTo(to);
        Release(to);
        QCoreApplication::processEvents();
    }

private:
    void Send(QEvent::Type eType, const QPoint& pt, Qt::MouseButton eButton,
              Qt::MouseButtons buttons) {
        QMouseEvent event(eType, pt, m_pTree->viewport()->mapToGlobal(pt), eButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(m_pTree->viewport(), &event);
    }

    CAccountTreeCtrl* m_pTree;
    Qt::MouseButton m_eButton = Qt::LeftButton;
};

// Chooses strText in the next pop-up menu once it shows (Esc when empty),
// and records the menu's name and texts. Gives up after two seconds; the
// caller may stop it sooner by deleting the timer it returns.
QTimer* ChooseInNextMenu(const QString& strText, QStringList* pShown = nullptr) {
    auto* pPoll = new QTimer();
    auto nTries = std::make_shared<int>(0);
    pPoll->setInterval(20);
    QObject::connect(pPoll, &QTimer::timeout, [pPoll, nTries, strText, pShown]() {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!pMenu && ++*nTries < 100)
            return;
        pPoll->deleteLater();
        pPoll->stop();
        if (!pMenu)
            return;
        if (pShown) {
            pShown->append(pMenu->objectName());
            for (QAction* pAction : pMenu->actions())
                pShown->append(pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
        }
        for (QAction* pAction : pMenu->actions()) {
            if (!strText.isEmpty() && pAction->text() == strText)
                pMenu->setActiveAction(pAction);
        }
        QTest::keyClick(pMenu, strText.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
    });
    pPoll->start();
    return pPoll;
}

QModelIndex Item(CCofferView& view, int nGroup, int nAccount = -1) {
    return view.Model().IndexAt({nGroup, nAccount});
}

} // namespace

class CViewDropTest : public QObject {
    Q_OBJECT
private slots:
    void leftDropOfAnAccountMovesItToTheGroup();
    void leftDropOfAGroupCopiesItsAccounts();
    void hastyDragsAndTheFileItemDoNothing();
    void clashAnswersYesNoCancel();
    void dropMenuOffersByWhatIsDragged();
    void moveAllWithYesToAllHoldsForOneDropOnly();
    void cancelMidwayKeepsWhatMoved();
    void aDropIsSavedAtOnceWithAutoSave();
    void escEndsARightDragWithoutMenu();
    void aDragNearTheBottomScrollsTheTree();
    void rightClickMenuLeavesTheSelection();
};

void CViewDropTest::leftDropOfAnAccountMovesItToTheGroup() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan / Mail: Home");
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    // While dragging over an account, its group is the highlighted target.
    mouse.Press(Item(view, 0, 0), Qt::LeftButton);
    QTest::qWait(120);
    mouse.MoveTo(Item(view, 1, 0));
    QVERIFY(view.Tree()->IsDragging());
    QCOMPARE(view.Tree()->DropHighlightItem(), Item(view, 1));
    mouse.Release(Item(view, 1, 0));
    QVERIFY(!view.Tree()->IsDragging());
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "Mail", "  Home", "  Loan"}));
    QCOMPARE(fx.CurrentPath(), std::string("Mail/Loan"));
    QCOMPARE(ListOrder(*fx.m_pDoc), (Labels{"G:Bank", "G:Mail", "Home=pw", "Loan=pw"}));
    QVERIFY(fx.m_pDoc->IsModified());
    // Onto its own group: nothing happens, nothing is marked.
    fx.m_pDoc->SetModifiedFlag(false);
    mouse.Drag(Item(view, 1, 1), Item(view, 1), Qt::LeftButton);
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "Mail", "  Home", "  Loan"}));
    QVERIFY(!fx.m_pDoc->IsModified());
}

void CViewDropTest::leftDropOfAGroupCopiesItsAccounts() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan, Card / Mail: Home");
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    mouse.Drag(Item(view, 0), Item(view, 1, 0), Qt::LeftButton);
    QCOMPARE(fx.TreeLabels(),
             (Labels{"Bank", "  Card", "  Loan", "Mail", "  Card", "  Home", "  Loan"}));
    QCOMPARE(ListOrder(*fx.m_pDoc),
             (Labels{"G:Bank", "Card=pw", "Loan=pw", "G:Mail", "Card=pw", "Home=pw", "Loan=pw"}));
    // The copies are records of their own.
    QVERIFY(fx.RecordOf(Item(view, 0, 0)) != fx.RecordOf(Item(view, 1, 0)));
    QCOMPARE(fx.CurrentPath(), std::string("Mail/Loan"));
}

void CViewDropTest::hastyDragsAndTheFileItemDoNothing() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan / Mail");
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    const Labels before = fx.TreeLabels();
    // Sooner than 80 ms after the press: no drag.
    mouse.Press(Item(view, 0, 0), Qt::LeftButton);
    mouse.MoveTo(Item(view, 1));
    QVERIFY(!view.Tree()->IsDragging());
    mouse.Release(Item(view, 1));
    mouse.Drag(view.Model().FileIndex(), Item(view, 1), Qt::LeftButton);
    mouse.Drag(view.Model().FileIndex(), Item(view, 1), Qt::RightButton);
    QCOMPARE(fx.TreeLabels(), before);
    QVERIFY(!fx.m_pDoc->IsModified());
    QVERIFY(fx.m_editPrompts.m_vecReplaceAsked.empty());
}

void CViewDropTest::clashAnswersYesNoCancel() {
    CViewFixture fx;
    fx.NewKeyedDocument(CLASHES);
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    // Bank/Loan onto Mail, which has a Loan: NO keeps both where they were.
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::no);
    mouse.Drag(Item(view, 0, 1), Item(view, 1), Qt::LeftButton);
    QCOMPARE(fx.m_editPrompts.m_vecReplaceAsked, (Labels{"Loan"}));
    QCOMPARE(ListOrder(*fx.m_pDoc).size(), size_t(8));
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Loan"));
    // Cancel: nothing either.
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::cancel);
    mouse.Drag(Item(view, 0, 1), Item(view, 1), Qt::LeftButton);
    QVERIFY(!fx.m_pDoc->IsModified());
    // Yes: Mail's Loan is replaced by the dragged one, which moves.
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::yes);
    mouse.Drag(Item(view, 0, 1), Item(view, 1), Qt::LeftButton);
    QCOMPARE(fx.m_editPrompts.m_vecReplaceAsked.size(), size_t(3));
    QCOMPARE(ListOrder(*fx.m_pDoc), (Labels{"G:Bank", "Card=bank-card", "G:Mail", "Card=mail-Card",
                                            "Home=mail-Home", "Loan=bank-loan", "Web=mail-Web"}));
    QCOMPARE(fx.CurrentPath(), std::string("Mail/Loan"));
    QCOMPARE(view.PasswordBox()->text().isEmpty(), false);
    QVERIFY(fx.m_pDoc->IsModified());
}

void CViewDropTest::dropMenuOffersByWhatIsDragged() {
    CViewFixture fx;
    fx.NewKeyedDocument(CLASHES);
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    QStringList shown;
    ChooseInNextMenu(QString(), &shown);
    mouse.Drag(Item(view, 1, 3), Item(view, 0), Qt::RightButton); // Mail/Web
    QCOMPARE(shown, (QStringList{"DropMenu", "Copy Here", "Move Here", "-", "Cancel"}));
    shown.clear();
    ChooseInNextMenu(QStringLiteral("Cancel"), &shown);
    mouse.Drag(Item(view, 1), Item(view, 0, 0), Qt::RightButton);
    QCOMPARE(shown, (QStringList{"DropMenu", "Copy All Accounts Here", "Move All Accounts Here",
                                 "-", "Cancel"}));
    QVERIFY(!fx.m_pDoc->IsModified());
    // Copy Here keeps the source and the selection.
    const std::string strSelected = fx.CurrentPath();
    ChooseInNextMenu(QStringLiteral("Copy Here"));
    mouse.Drag(Item(view, 1, 3), Item(view, 0), Qt::RightButton);
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "  Card", "  Loan", "  Web", "Mail", "  Card",
                                      "  Home", "  Loan", "  Web"}));
    QCOMPARE(fx.CurrentPath(), strSelected);
    // Move Here moves and selects.
    ChooseInNextMenu(QStringLiteral("Move Here"));
    mouse.Drag(Item(view, 1, 1), Item(view, 0), Qt::RightButton); // Mail/Home
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Home"));
    QCOMPARE(view.Model().rowCount(Item(view, 1)), 3);
    QVERIFY(fx.m_editPrompts.m_vecReplaceAsked.empty());
}

void CViewDropTest::moveAllWithYesToAllHoldsForOneDropOnly() {
    CViewFixture fx;
    fx.NewKeyedDocument(CLASHES);
    fx.Group("Old");
    for (const char* pszName : {"Card", "Loan", "Web"})
        fx.Account("Old", pszName, std::string("old-") + pszName);
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    // Old (three accounts, all clashing in Mail) onto Mail.
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::yesToAll);
    ChooseInNextMenu(QStringLiteral("Move All Accounts Here"));
    mouse.Drag(Item(view, 2), Item(view, 1), Qt::RightButton);
    QCOMPARE(fx.m_editPrompts.m_vecReplaceAsked, (Labels{"Card"}));
    QCOMPARE(ListOrder(*fx.m_pDoc),
             (Labels{"G:Bank", "Card=bank-card", "Loan=bank-loan", "G:Mail", "Card=old-Card",
                     "Home=mail-Home", "Loan=old-Loan", "Web=old-Web", "G:Old"}));
    QCOMPARE(fx.CurrentPath(), std::string("Mail/Web"));
    // The next drop asks again.
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::no);
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::no);
    ChooseInNextMenu(QStringLiteral("Copy All Accounts Here"));
    mouse.Drag(Item(view, 0), Item(view, 1), Qt::RightButton);
    QCOMPARE(fx.m_editPrompts.m_vecReplaceAsked, (Labels{"Card", "Card", "Loan"}));
    QCOMPARE(view.Model().rowCount(Item(view, 1)), 4);
}

void CViewDropTest::cancelMidwayKeepsWhatMoved() {
    CViewFixture fx;
    fx.NewKeyedDocument(CLASHES);
    fx.Group("Old");
    for (const char* pszName : {"Apps", "Card", "Zoo"})
        fx.Account("Old", pszName, std::string("old-") + pszName);
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::cancel);
    ChooseInNextMenu(QStringLiteral("Move All Accounts Here"));
    mouse.Drag(Item(view, 2), Item(view, 1), Qt::RightButton);
    // Apps moved before the clash on Card; Card and Zoo stay in Old.
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "  Card", "  Loan", "Mail", "  Apps", "  Card",
                                      "  Home", "  Loan", "  Web", "Old", "  Card", "  Zoo"}));
    QCOMPARE(ListOrder(*fx.m_pDoc).size(), size_t(12));
    QVERIFY(fx.m_pDoc->IsModified());
}

void CViewDropTest::aDropIsSavedAtOnceWithAutoSave() {
    CViewFixture fx;
    const std::string strPath = fx.WriteKeyedFile("auto.pwd", "secret");
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bAutoSave = true; });
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bBackup = false; });
    fx.Frame();
    fx.m_prompts.TypeCheckKey("secret");
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    fx.Group("Mail");
    fx.Account("My Passwords", "Moved");
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    mouse.Drag(Item(view, 1, 0), Item(view, 0), Qt::LeftButton);
    QVERIFY(!fx.m_pDoc->IsModified());
    CSessionDoc reread;
    QCOMPARE(reread.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::none);
    reread.DecipherList();
    QCOMPARE(ListOrder(reread), (Labels{"G:Mail", "Moved=pw", "G:My Passwords"}));
}

void CViewDropTest::escEndsARightDragWithoutMenu() {
    CViewFixture fx;
    fx.NewKeyedDocument(CLASHES);
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    mouse.Press(Item(view, 1, 0), Qt::RightButton);
    mouse.MoveTo(Item(view, 0));
    QVERIFY(view.Tree()->IsDragging());
    QCOMPARE(view.Tree()->DropHighlightItem(), Item(view, 0));
    QTest::keyClick(view.Tree(), Qt::Key_Escape);
    QVERIFY(!view.Tree()->IsDragging());
    QVERIFY(!view.Tree()->DropHighlightItem().isValid());
    QStringList shown;
    QTimer* pPoll = ChooseInNextMenu(QString(), &shown);
    mouse.Release(Item(view, 0));
    QTest::qWait(100);
    delete pPoll;
    QVERIFY(shown.isEmpty());
    QVERIFY(!fx.m_pDoc->IsModified());
}

void CViewDropTest::rightClickMenuLeavesTheSelection() {
    CViewFixture fx;
    fx.NewKeyedDocument(CLASHES);
    CCofferView& view = fx.Show();
    CMouse mouse(fx);
    const std::string strSelected = fx.CurrentPath();
    QStringList shown;
    ChooseInNextMenu(QString(), &shown);
    mouse.Press(Item(view, 1, 2), Qt::RightButton);
    mouse.Release(Item(view, 1, 2));
    QCOMPARE(shown.value(0), QStringLiteral("TREE_ACCOUNT"));
    QCOMPARE(fx.CurrentPath(), strSelected);
}

void CViewDropTest::aDragNearTheBottomScrollsTheTree() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank / Mail");
    for (int i = 0; i < 60; ++i)
        fx.Account("Bank", "a" + std::to_string(100 + i));
    CCofferView& view = fx.Show();
    view.resize(500, 220);
    CMouse mouse(fx);
    CAccountTreeCtrl* pTree = view.Tree();
    const QModelIndex first = Item(view, 0, 0);
    pTree->scrollTo(first);
    const int nBefore = pTree->verticalScrollBar()->value();
    mouse.Press(first, Qt::LeftButton);
    QTest::qWait(120);
    mouse.MoveTo(Item(view, 0, 1));
    // The pointer rests just inside the bottom edge of the tree.
    const QWidget* pViewport = pTree->viewport();
    QCursor::setPos(pViewport->mapToGlobal(QPoint(20, pViewport->height() - 4)));
    QTRY_VERIFY_WITH_TIMEOUT(pTree->verticalScrollBar()->value() > nBefore, 3000);
    QTest::keyClick(pTree, Qt::Key_Escape);
    mouse.Release(Item(view, 0, 0));
    QCOMPARE(fx.m_pDoc->CountAccounts(), 60); // nothing was dropped
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(CViewDropTest)
#include "ViewDropTest.moc"
