// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/base/StringTable.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>
#include <QStyleHints>
#include <QTest>

using Labels = std::vector<std::string>;

namespace {

constexpr const char* BANK = "Bank: Loan, Card / Mail: Home";

// The label editor, once a click on the selected item has opened it.
QLineEdit* ClickToEdit(CViewFixture& fx, const QModelIndex& item) {
    CAccountTreeCtrl* pTree = fx.m_pView->Tree();
    if (!fx.m_pView->isVisible()) {
        fx.m_pView->show();
        if (!QTest::qWaitForWindowExposed(fx.m_pView.get()))
            return nullptr;
    }
    pTree->SelectItem(item);
    const QPoint pt = pTree->visualRect(item).center();
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, pt);
    // The editor opens once the click cannot be the start of a double click.
    QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
    return pTree->viewport()->findChild<QLineEdit*>(QStringLiteral("LabelEdit"));
}

// Types strText into the open editor and presses Enter; the view handles the
// edit once the editor has closed.
void TypeAndEnter(QLineEdit* pEdit, const QString& strText) {
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Backspace);
    QTest::keyClicks(pEdit, strText);
    QTest::keyClick(pEdit, Qt::Key_Return);
    QTest::qWait(50);
}

QModelIndex Child(CCofferView& view, int nGroup, int nAccount = -1) {
    return view.Model().IndexAt({nGroup, nAccount});
}

} // namespace

class CViewRenameTest : public QObject {
    Q_OBJECT
private slots:
    void clickOnSelectedItemRenamesAccountInPlace();
    void groupRenameMovesItAndMarksModified();
    void emptyAndClashingNamesAreRefusedWithTheDialogsMessages();
    void theFileItemIsNeverEdited();
    void editorKeepsItsKeysAndLength();
};

void CViewRenameTest::clickOnSelectedItemRenamesAccountInPlace() {
    CViewFixture fx;
    fx.NewKeyedDocument(BANK);
    CCofferView& view = fx.Show();
    QLineEdit* pEdit = ClickToEdit(fx, Child(view, 0, 1)); // Bank/Loan
    QVERIFY(pEdit);
    QCOMPARE(pEdit->text(), QStringLiteral("Loan"));
    TypeAndEnter(pEdit, QStringLiteral(" Auto loan "));
    // Kept untrimmed, in its sorted place, in the record and the list.
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "   Auto loan ", "  Card", "Mail", "  Home"}));
    QCOMPARE(fx.CurrentPath(), std::string("Bank/ Auto loan "));
    QCOMPARE(fx.RecordOf(fx.Current())->Account(), std::string(" Auto loan "));
    QCOMPARE(std::next(fx.m_pDoc->Records().begin())->Account(), std::string(" Auto loan "));
    QVERIFY(fx.m_pDoc->IsModified());
    QVERIFY(fx.m_prompts.Messages().empty());
    // The Enter that ends the edit is the editor's: it opens no account dialog.
    QVERIFY(fx.m_editPrompts.m_vecAccountOpened.empty());
}

void CViewRenameTest::groupRenameMovesItAndMarksModified() {
    CViewFixture fx;
    fx.NewKeyedDocument(BANK);
    CCofferView& view = fx.Show();
    QLineEdit* pEdit = ClickToEdit(fx, Child(view, 1)); // Mail
    QVERIFY(pEdit);
    TypeAndEnter(pEdit, QStringLiteral("Apps"));
    QCOMPARE(fx.TreeLabels(), (Labels{"Apps", "  Home", "Bank", "  Card", "  Loan"}));
    QCOMPARE(fx.m_pDoc->Records().begin()->Group(), std::string("Apps"));
    QCOMPARE(fx.CurrentPath(), std::string("Apps"));
    QVERIFY(fx.m_pDoc->IsModified());
    // The same name again changes nothing.
    fx.m_pDoc->SetModifiedFlag(false);
    pEdit = ClickToEdit(fx, Child(view, 0));
    QVERIFY(pEdit);
    QTest::keyClick(pEdit, Qt::Key_Return);
    QTest::qWait(50);
    QVERIFY(!fx.m_pDoc->IsModified());
}

void CViewRenameTest::emptyAndClashingNamesAreRefusedWithTheDialogsMessages() {
    CViewFixture fx;
    fx.NewKeyedDocument(BANK);
    CCofferView& view = fx.Show();
    const Labels before = fx.TreeLabels();
    const auto refused = [&](const QModelIndex& item, const QString& strText) {
        fx.m_prompts.ClearRecord();
        QLineEdit* pEdit = ClickToEdit(fx, item);
        if (!pEdit)
            return Labels{"no editor"};
        TypeAndEnter(pEdit, strText);
        return fx.m_prompts.MessageTexts();
    };
    QCOMPARE(refused(Child(view, 0), QStringLiteral("   ")), (Labels{IDS_GROUP_EMPTY}));
    QCOMPARE(refused(Child(view, 0), QStringLiteral("Mail")), (Labels{IDS_GROUP_SAME}));
    QCOMPARE(refused(Child(view, 0, 0), QString()), (Labels{IDS_ACCOUNT_EMPTY}));
    QCOMPARE(refused(Child(view, 0, 0), QStringLiteral("Loan")), (Labels{IDS_ACCOUNT_SAME}));
    QCOMPARE(fx.m_prompts.Messages().back().m_eIcon, EMsgIcon::exclamation);
    // Case differs: not the same name.
    QVERIFY(refused(Child(view, 0, 0), QStringLiteral("loan")).empty());
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "  Loan", "  loan", "Mail", "  Home"}));
    QVERIFY(before != fx.TreeLabels());
}

void CViewRenameTest::theFileItemIsNeverEdited() {
    CViewFixture fx;
    fx.NewKeyedDocument(BANK);
    CCofferView& view = fx.Show();
    QVERIFY(!ClickToEdit(fx, view.Model().FileIndex()));
    QVERIFY(!view.Tree()->viewport()->findChild<QLineEdit*>(QStringLiteral("LabelEdit")));
    // A label escaped with Esc stays as it was.
    QLineEdit* pEdit = ClickToEdit(fx, Child(view, 1, 0));
    QVERIFY(pEdit);
    QTest::keyClicks(pEdit, QStringLiteral("xyz"));
    QTest::keyClick(pEdit, Qt::Key_Escape);
    QTest::qWait(50);
    QCOMPARE(fx.TreeLabels().back(), std::string("  Home"));
    QVERIFY(!fx.m_pDoc->IsModified());
}

void CViewRenameTest::editorKeepsItsKeysAndLength() {
    CViewFixture fx;
    fx.NewKeyedDocument(BANK);
    CCofferView& view = fx.Show();
    view.show();
    // A window shortcut on Delete, like the program's Delete command.
    int nDeletes = 0;
    QShortcut shortcut(QKeySequence(Qt::Key_Delete), &view);
    QObject::connect(&shortcut, &QShortcut::activated, [&]() { ++nDeletes; });
    QLineEdit* pEdit = ClickToEdit(fx, Child(view, 0, 0));
    QVERIFY(pEdit);
    QCOMPARE(pEdit->maxLength(), 255);
    pEdit->setFocus();
    pEdit->setCursorPosition(0);
    QTest::keyClick(pEdit, Qt::Key_Delete);
    QCOMPARE(nDeletes, 0);
    QCOMPARE(pEdit->text(), QStringLiteral("ard"));
    TypeAndEnter(pEdit, QString(300, QLatin1Char('x')));
    QCOMPARE(fx.RecordOf(fx.Current())->Account().size(), size_t(255));
}

QTEST_MAIN(CViewRenameTest)
#include "ViewRenameTest.moc"
