// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"
#include "support/SampleDocument.h"

#include "core/base/CommandIds.h"
#include "core/store/CodePage.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

using Labels = std::vector<std::string>;

namespace {

// An answer of the account dialog: the texts typed, then OK.
CScriptedEditPrompts::AccountAnswer Typed(std::string strGroup, std::string strAccount,
                                          std::string strPassword = "pw") {
    return [=](SAccountDlgData& data) {
        data.m_strGroup = strGroup;
        data.m_strAccount = strAccount;
        data.m_strUserName = "user";
        data.m_strPassword = strPassword;
        data.m_strComments = "line 1\r\nline 2";
        return true;
    };
}

} // namespace

class CViewEditingTest : public QObject {
    Q_OBJECT
private slots:
    void addAccountStoresItUnderTheGroupShown();
    void editAccountMovesItAndSelectsIt();
    void accountCommandsWaitForTheMainWindow();
    void groupsAreAddedRenamedAndDeleted();
    void deletingTheOnlyGroupLeftForgetsTheSelection();
    void addWithAutoSaveWritesAtOnce();
    void treeKeysActOnTheCurrentItem();
};

void CViewEditingTest::addAccountStoresItUnderTheGroupShown() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank / Mail: old");
    CCofferView& view = fx.Show();
    view.Tree()->SelectItem(fx.Item(0)); // Bank
    fx.m_editPrompts.AnswerAccount(Typed("Bank", "new"));
    fx.m_pFrame->RunCommand(ID_ACCOUNT_ADD);

    const SAccountDlgData& opened = fx.m_editPrompts.m_vecAccountOpened.at(0);
    QCOMPARE(opened.m_strGroup, std::string("Bank"));
    QVERIFY(opened.m_strAccount.empty());
    QCOMPARE(opened.m_generator.m_nFlags, fx.m_pFrame->Settings().Values().m_generator.m_nFlags);
    QCOMPARE(fx.CurrentPath(), std::string("Bank/new"));
    QCOMPARE(fx.ListOrder(), (Labels{"G:Bank", "new", "G:Mail", "old"}));
    QCOMPARE(fx.m_pDoc->Records().begin()->Group(), std::string("Bank"));
    QCOMPARE(std::next(fx.m_pDoc->Records().begin())->Comments(), std::string("line 1\r\nline 2"));
    QVERIFY(fx.m_pDoc->IsModified());
    // The details show the new account at once.
    QCOMPARE(view.UserNameBox()->text(), QStringLiteral("user"));

    // Cancel changes nothing.
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData&) { return false; });
    view.AddAccount();
    QCOMPARE(fx.m_pDoc->CountAccounts(), 2);
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewEditingTest::editAccountMovesItAndSelectsIt() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: x=real-pw, y / B: z");
    CCofferView& view = fx.Show();
    QVERIFY(view.IsMaskPasswords());
    QCOMPARE(fx.CurrentPath(), std::string("A/x"));

    fx.m_editPrompts.AnswerAccount(Typed("B", "x2", "new-pw"));
    // A double click edits the account under it, with its real password.
    emit view.Tree()->doubleClicked(fx.Current());
    const SAccountDlgData& opened = fx.m_editPrompts.m_vecAccountOpened.at(0);
    QCOMPARE(opened.m_strPassword, std::string("real-pw"));
    QCOMPARE(opened.m_strGroup, std::string("A"));
    QVERIFY(opened.m_pEditing != nullptr);
    QVERIFY(opened.m_bMaskPasswords);
    QCOMPARE(fx.TreeLabels(), (Labels{"A", "  y", "B", "  x2", "  z"}));
    QCOMPARE(fx.CurrentPath(), std::string("B/x2"));
    QCOMPARE(fx.m_pDoc->CountAccounts(), 3);
    QCOMPARE(fx.RecordOf(fx.Current())->Password(), std::string("new-pw"));
    QVERIFY(fx.m_pDoc->IsModified());
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewEditingTest::accountCommandsWaitForTheMainWindow() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: x");
    CCofferView& view = fx.Show();
    fx.m_pFrame->HideToTray(false);
    // No dialog opens: an unexpected one would be recorded as a failure.
    view.AddAccount();
    view.EditAccount();
    view.AddGroup();
    QVERIFY(fx.m_editPrompts.m_vecAccountOpened.empty());
    QVERIFY(fx.m_vecFailures.empty());
    // Group editing is not bound to the main window.
    fx.m_editPrompts.CancelGroupDialog();
    view.EditGroup(fx.Item(0));
    QCOMPARE(fx.m_editPrompts.m_vecGroupOpened, (Labels{"A"}));
    QVERIFY(!fx.m_pDoc->IsModified());
}

void CViewEditingTest::groupsAreAddedRenamedAndDeleted() {
    CViewFixture fx;
    fx.NewKeyedDocument("b / d: in-d");
    CCofferView& view = fx.Show();

    fx.m_editPrompts.AnswerAddGroup("C");
    fx.m_pFrame->RunCommand(ID_GROUP_ADD);
    QCOMPARE(fx.TreeLabels(), (Labels{"b", "C", "d", "  in-d"}));
    QCOMPARE(fx.CurrentPath(), std::string("C"));

    // Renaming takes the group chosen in the dialog, not the one selected,
    // and puts it in its alphabetical place with its accounts.
    fx.m_editPrompts.AnswerEditGroup("d", "a");
    fx.m_pFrame->RunCommand(ID_ITEM_EDIT);
    QCOMPARE(fx.m_editPrompts.m_vecGroupOpened.back(), std::string("C"));
    QCOMPARE(fx.TreeLabels(), (Labels{"a", "  in-d", "b", "C"}));
    QCOMPARE(fx.CurrentPath(), std::string("a"));
    QVERIFY(fx.m_pDoc->FindGroup("a") != nullptr);

    // Deleting the current group selects its next sibling; its accounts go.
    fx.m_editPrompts.AnswerDeleteGroup("a");
    fx.m_pFrame->RunCommand(ID_ITEM_DELETE);
    QCOMPARE(fx.TreeLabels(), (Labels{"b", "C"}));
    QCOMPARE(fx.CurrentPath(), std::string("b"));
    QCOMPARE(fx.ListOrder(), (Labels{"G:b", "G:C"}));
    // The last group selected goes: the previous sibling follows.
    view.Tree()->SelectItem(fx.Item(1));
    fx.m_editPrompts.AnswerDeleteGroup("C");
    view.DeleteGroup();
    QCOMPARE(fx.CurrentPath(), std::string("b"));
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewEditingTest::deletingTheOnlyGroupLeftForgetsTheSelection() {
    // A damaged file may hold a group that the dialog lets go (its list
    // counts names); the file item then takes the selection, and nothing
    // of the deleted group stays current.
    CViewFixture fx;
    fx.NewKeyedDocument("A: x");
    CCofferView& view = fx.Show();
    QVERIFY(!view.CurrentAccountLabel().empty());
    fx.m_editPrompts.AnswerDeleteGroup("A");
    view.DeleteGroup();
    QVERIFY(view.CurrentGroupLabel().empty());
    QVERIFY(view.CurrentAccountLabel().empty());
    QVERIFY(view.UserNameBox()->text().isEmpty());
    QCOMPARE(view.CountCurrentGroupAccounts(), 0);
    view.EditAccount(); // nothing current: no dialog
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewEditingTest::addWithAutoSaveWritesAtOnce() {
    CViewFixture fx;
    const std::string strPath = fx.WriteKeyedFile("auto.pwd", "secret");
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bAutoSave = true; });
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bBackup = false; });
    fx.Frame();
    fx.m_prompts.TypeCheckKey("secret");
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    fx.Show();
    fx.m_editPrompts.AnswerAccount(Typed("My Passwords", "saved"));
    fx.m_pFrame->RunCommand(ID_ACCOUNT_ADD);
    QVERIFY(!fx.m_pDoc->IsModified());
    CSessionDoc reread;
    QCOMPARE(reread.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::none);
    QCOMPARE(std::size_t(reread.StagedCounts().Total()), size_t(2));
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewEditingTest::treeKeysActOnTheCurrentItem() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: x / B");
    CCofferView& view = fx.Show();
    view.show();
    CAccountTreeCtrl* pTree = view.Tree();
    const QModelIndex groupA = fx.Item(0);
    // Enter edits an account, and only an account (an unexpected dialog is a
    // failure); Delete asks as the menu's Delete does, for either.
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData&) { return false; });
    for (const QModelIndex& item : {fx.Item(0, 0), groupA, fx.Item()}) {
        pTree->SelectItem(item);
        QTest::keyClick(pTree, Qt::Key_Return);
    }
    QCOMPARE(fx.m_editPrompts.m_vecAccountOpened.size(), size_t(1));
    pTree->SelectItem(fx.Item(0, 0));
    fx.m_prompts.AnswerMessage(EMsgAnswer::yes);
    QTest::keyClick(pTree, Qt::Key_Delete);
    pTree->SelectItem(fx.Item(1));
    fx.m_editPrompts.AnswerDeleteGroup("B");
    QTest::keyClick(pTree, Qt::Key_Delete);
    QCOMPARE(fx.TreeLabels(), (Labels{"A"}));

    // Shift+F10 and the Menu key open the item's own menu below its label.
    const QRect rcItem(pTree->viewport()->mapToGlobal(pTree->visualRect(groupA).topLeft()),
                       pTree->visualRect(groupA).size());
    for (const QKeyCombination key : {Qt::SHIFT | Qt::Key_F10, QKeyCombination(Qt::Key_Menu)}) {
        QString strMenu;
        QPoint ptMenu;
        QTimer::singleShot(50, [&strMenu, &ptMenu]() {
            if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                strMenu = pMenu->objectName();
                ptMenu = pMenu->pos();
                pMenu->close();
            }
        });
        QTest::keyClick(pTree, key.key(), key.keyboardModifiers());
        QCOMPARE(strMenu, QStringLiteral("TREE_GROUP"));
        QVERIFY(rcItem.adjusted(0, 0, 0, 2).contains(ptMenu));
    }
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(CViewEditingTest)
#include "ViewEditingTest.moc"
