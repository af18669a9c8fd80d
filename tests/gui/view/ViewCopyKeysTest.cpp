// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the main window against those of its text fields: Ctrl+C and
// Ctrl+B copy the selected account's password and user name, also from the
// Edit menu and the tree's menus, while a focused text field keeps its own
// keys (Ctrl+A selects its text rather than adding an account).
#include "gui/view/ViewFixture.h"

#include "core/base/CommandIds.h"
#include "gui/shell/SearchBar.h"
#include "gui/shell/TextFieldKeys.h"
#include "gui/view/AccountTreeCtrl.h"
#include "platform/Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

const QString BEFORE = QStringLiteral("before");

// Bank holds "card" (user-card, s3cret) and "open" (user-open, no password).
CCofferView& ShownInFrame(CViewFixture& fx) {
    fx.NewKeyedDocument("Bank");
    fx.Account("Bank", "card", "s3cret");
    fx.Account("Bank", "open", "");
    CCofferView& view = fx.Show();
    // The frame owns its view, as in the program, so the window's keys reach
    // the view's controls.
    fx.Frame().SetView(fx.m_pView.release());
    fx.Frame().show();
    fx.Frame().activateWindow();
    if (!QTest::qWaitForWindowActive(&fx.Frame()))
        fx.m_vecFailures.push_back("the frame never became active");
    return view;
}

QModelIndex ItemNamed(const CCofferView& view, const char* pszAccount) {
    const QModelIndex bank = view.Model().FindGroup("Bank");
    if (!pszAccount)
        return bank;
    for (int nRow = 0; nRow < view.Model().rowCount(bank); ++nRow) {
        const QModelIndex item = view.Model().index(nRow, 0, bank);
        if (item.data().toString() == QLatin1String(pszAccount))
            return item;
    }
    return {};
}

bool IsSecret(const QMimeData* pData) {
    return pData && pData->hasFormat(QString::fromLatin1(CClipboard::SECRET_HINT_TYPE));
}

// Selects the item, lets the frame bring its commands up to date and gives
// the tree the focus.
void Select(CCofferView& view, const QModelIndex& item) {
    view.Tree()->SelectItem(item);
    view.Tree()->setFocus();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Opens item's menu with Shift+F10 and chooses nId there; returns the
// enabled state of each copy item it showed, as "id:1".
QStringList ChooseInMenu(CCofferView& view, const QModelIndex& item, int nId) {
    QStringList states;
    QTimer::singleShot(50, [&states, nId]() {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* pAction : pMenu ? pMenu->actions() : QList<QAction*>()) {
            const int nAction = pAction->property("commandId").toInt();
            if (nAction >= ID_EDIT_COPY_PASSWORD && nAction <= ID_EDIT_COPY_NAME)
                states << QStringLiteral("%1:%2").arg(nAction).arg(int(pAction->isEnabled()));
            if (nAction == nId)
                pMenu->setActiveAction(pAction);
        }
        if (pMenu)
            QTest::keyClick(pMenu, nId ? Qt::Key_Return : Qt::Key_Escape);
    });
    view.Tree()->SelectItem(item);
    QTest::keyClick(view.Tree(), Qt::Key_F10, Qt::ShiftModifier);
    return states;
}

} // namespace

class CViewCopyKeysTest : public QObject {
    Q_OBJECT
private slots:
    void copyKeysFollowTheSelection_data();
    void copyKeysFollowTheSelection();
    void menusOfferTheCopies();
    void fieldKeysComeFirst_data();
    void fieldKeysComeFirst();
    void fieldKindDecidesTheKeys_data();
    void fieldKindDecidesTheKeys();
    void windowKeysOutsideFields();
};

void CViewCopyKeysTest::copyKeysFollowTheSelection_data() {
    QTest::addColumn<QString>("account"); // empty: the group; "-": the file item
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<bool>("secret");
    const QKeySequence ctrlC(Qt::CTRL | Qt::Key_C);
    const QKeySequence ctrlB(Qt::CTRL | Qt::Key_B);
    QTest::newRow("password") << "card" << ctrlC << "s3cret" << true;
    QTest::newRow("user name") << "card" << ctrlB << "user-card" << false;
    QTest::newRow("no password: no name either") << "open" << ctrlC << BEFORE << false;
    QTest::newRow("user name without password") << "open" << ctrlB << "user-open" << false;
    QTest::newRow("group: no label") << "" << ctrlC << BEFORE << false;
    QTest::newRow("group: no user name") << "" << ctrlB << BEFORE << false;
    QTest::newRow("file item") << "-" << ctrlC << BEFORE << false;
    QTest::newRow("Ctrl+Insert copies no label")
        << "card" << QKeySequence(Qt::CTRL | Qt::Key_Insert) << BEFORE << false;
}

void CViewCopyKeysTest::copyKeysFollowTheSelection() {
    QFETCH(QString, account);
    QFETCH(QKeySequence, key);
    QFETCH(QString, copied);
    QFETCH(bool, secret);
    CViewFixture fx;
    CCofferView& view = ShownInFrame(fx);
    const QModelIndex item =
        account == "-" ? view.Model().FileIndex()
                       : ItemNamed(view, account.isEmpty() ? nullptr : qPrintable(account));
    QVERIFY(item.isValid());
    Select(view, item);
    QApplication::clipboard()->setText(BEFORE);
    QTest::keySequence(view.Tree(), key);
    QCOMPARE(QApplication::clipboard()->text(), copied);
    QCOMPARE(IsSecret(QApplication::clipboard()->mimeData()), secret);
    // The Edit menu's items are enabled exactly where their keys copy.
    if (key[0].key() != Qt::Key_Insert) {
        const int nId = key[0].key() == Qt::Key_C ? ID_EDIT_COPY_PASSWORD : ID_EDIT_COPY_USERNAME;
        QCOMPARE(fx.Frame().Action(nId)->isEnabled(), copied != BEFORE);
    }
    QVERIFY(fx.m_editPrompts.m_vecAccountOpened.empty());
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewCopyKeysTest::menusOfferTheCopies() {
    CViewFixture fx;
    CCofferView& view = ShownInFrame(fx);
    QList<int> ids;
    for (QAction* pAction : fx.Frame().findChild<QMenu*>(QStringLiteral("menuEdit"))->actions())
        ids << (pAction->isSeparator() ? 0 : pAction->property("commandId").toInt());
    QCOMPARE(ids, QList<int>({ID_ACCOUNT_ADD, ID_GROUP_ADD, 0, ID_ITEM_EDIT, ID_ITEM_DELETE, 0,
                              ID_EDIT_COPY_PASSWORD, ID_EDIT_COPY_USERNAME, ID_EDIT_COPY_NAME}));
    // Copy Name: the name that Ctrl+C no longer copies, as plain text.
    Select(view, ItemNamed(view, nullptr));
    QVERIFY(fx.Frame().Commands().Execute(ID_EDIT_COPY_NAME));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Bank"));
    // The tree's menus: each copy enabled where its field has a text.
    QCOMPARE(ChooseInMenu(view, ItemNamed(view, nullptr), 0), QStringList({"32997:1"}));
    QCOMPARE(ChooseInMenu(view, ItemNamed(view, "open"), ID_EDIT_COPY_USERNAME),
             QStringList({"32995:0", "32996:1", "32997:1"}));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("user-open"));
    ChooseInMenu(view, ItemNamed(view, "card"), ID_EDIT_COPY_PASSWORD);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("s3cret"));
    QVERIFY(IsSecret(QApplication::clipboard()->mimeData()));
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewCopyKeysTest::fieldKeysComeFirst_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("editable");
    QTest::newRow("filter") << "Filter" << true;
    QTest::newRow("search box") << "SearchEdit" << true;
    QTest::newRow("user name box") << "UserName" << false;
    QTest::newRow("comments box") << "Comments" << false;
}

void CViewCopyKeysTest::fieldKeysComeFirst() {
    QFETCH(QString, field);
    QFETCH(bool, editable);
    CViewFixture fx;
    CCofferView& view = ShownInFrame(fx);
    Select(view, ItemNamed(view, "card"));
    QWidget* pField = nullptr;
    if (field == "SearchEdit") {
        fx.Frame().SearchBar()->show();
        pField = fx.Frame().SearchBar()->Edit();
    } else {
        pField = view.findChild<QWidget*>(field);
    }
    QVERIFY(pField);
    auto* pLine = qobject_cast<QLineEdit*>(pField);
    auto* pPlain = qobject_cast<QPlainTextEdit*>(pField);
    const auto text = [pLine, pPlain]() { return pLine ? pLine->text() : pPlain->toPlainText(); };
    const auto selected = [pLine, pPlain]() {
        return pLine ? pLine->selectedText() : pPlain->textCursor().selectedText();
    };
    // A filter that the account matches keeps it selected, so the window's
    // copy keys would have something to copy.
    if (editable)
        QTest::keyClicks(pField, QStringLiteral("card"));
    const QString strText = text();
    QVERIFY(!strText.isEmpty());
    pField->setFocus();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QVERIFY(fx.Frame().Action(ID_EDIT_COPY_USERNAME)->isEnabled());
    QApplication::clipboard()->setText(BEFORE);

    // Ctrl+A selects the field's text: no Add Account dialog (one would be
    // reported as unexpected).
    QTest::keyClick(pField, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selected(), strText);
    // Ctrl+C copies it, not the account's password; Ctrl+B copies nothing.
    QTest::keyClick(pField, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), strText);
    QVERIFY(!IsSecret(QApplication::clipboard()->mimeData()));
    QTest::keyClick(pField, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), strText);
    if (editable) {
        // Cut and undo change the field's own text.
        QTest::keyClick(pField, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text(), QString());
        QTest::keyClick(pField, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), strText);
    }
    QVERIFY(pField->hasFocus());
    QVERIFY(fx.m_editPrompts.m_vecAccountOpened.empty());
    QCOMPARE(fx.m_vecFailures, std::vector<std::string>());
}

void CViewCopyKeysTest::fieldKindDecidesTheKeys_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("kept");
    const auto standard = [](QKeySequence::StandardKey eKey) {
        return QKeySequence::keyBindings(eKey).value(0);
    };
    const QKeySequence paste = standard(QKeySequence::Paste);
    QTest::newRow("line: paste") << "line" << paste << true;
    QTest::newRow("read-only line: no paste") << "read-only line" << paste << false;
    QTest::newRow("read-only line: select all")
        << "read-only line" << standard(QKeySequence::SelectAll) << true;
    QTest::newRow("read-only line: Ctrl+B")
        << "read-only line" << QKeySequence(Qt::CTRL | Qt::Key_B) << true;
    QTest::newRow("line: Save stays the window's")
        << "line" << QKeySequence(Qt::CTRL | Qt::Key_S) << false;
    QTest::newRow("text box: undo") << "text box" << standard(QKeySequence::Undo) << true;
    QTest::newRow("read-only text box: copy")
        << "read-only text box" << standard(QKeySequence::Copy) << true;
    QTest::newRow("read-only text box: no cut")
        << "read-only text box" << standard(QKeySequence::Cut) << false;
    QTest::newRow("text shown only: no select all")
        << "text shown only" << standard(QKeySequence::SelectAll) << false;
    QTest::newRow("button: no select all")
        << "button" << standard(QKeySequence::SelectAll) << false;
}

void CViewCopyKeysTest::fieldKindDecidesTheKeys() {
    QFETCH(QString, widget);
    QFETCH(QKeySequence, key);
    QFETCH(bool, kept);
    QVERIFY(!key.isEmpty());
    QLineEdit line;
    QPlainTextEdit box;
    QWidget other;
    QObject* pReceiver = &other;
    if (widget.endsWith("line")) {
        line.setReadOnly(widget.startsWith("read-only"));
        pReceiver = &line;
    } else if (widget.endsWith("text box") || widget == "text shown only") {
        // Read-only, a text box is selected with the mouse only, unless it
        // asks for the keyboard too (as the comments box does).
        box.setReadOnly(widget != "text box");
        if (widget == "read-only text box")
            box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        pReceiver = &box;
    }
    QKeyEvent event(QEvent::ShortcutOverride, key[0].key(), key[0].keyboardModifiers());
    event.ignore();
    QCOMPARE(CTextFieldKeys::ClaimOverride(pReceiver, event), kept);
    QCOMPARE(event.isAccepted(), kept);
    // Only the offer before a shortcut is claimed, never the key itself.
    QKeyEvent press(QEvent::KeyPress, key[0].key(), key[0].keyboardModifiers());
    QVERIFY(!CTextFieldKeys::ClaimOverride(pReceiver, press));
}

void CViewCopyKeysTest::windowKeysOutsideFields() {
    // Outside a text field the window's keys stay: Ctrl+A in the tree adds
    // an account.
    CViewFixture fx;
    CCofferView& view = ShownInFrame(fx);
    Select(view, ItemNamed(view, "card"));
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData&) { return false; });
    QTest::keyClick(view.Tree(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(fx.m_editPrompts.m_vecAccountOpened.size(), size_t(1));
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(CViewCopyKeysTest)
#include "ViewCopyKeysTest.moc"
