// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools are told about menus, the program's plain windows and
// the drop-down lists, as the program installs its rules: menus keep their
// items, and every list says which item is chosen, as its text and as the
// selected row of its pop-up list.

#include "gui/shell/AccessibleNames.h"
#include "core/base/EditPrompts.h"
#include "core/store/CofferDoc.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/dialogs/AccountDlg.h"
#include "gui/dialogs/DeleteGroupDlg.h"
#include "gui/shell/FrameFixture.h"
#include "support/ScriptedPrompts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QTest>

#include <memory>

namespace {

// A window of the program made directly on a plain widget, as the Password
// Bar is.
class CPlainWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

QAccessibleInterface* Iface(QObject* pObject) {
    return QAccessible::queryAccessibleInterface(pObject);
}

QStringList ChildNames(QAccessibleInterface* pIface) {
    QStringList names;
    for (int i = 0; i < pIface->childCount(); ++i)
        names << pIface->child(i)->text(QAccessible::Name);
    return names;
}

// What a screen reader can learn of the item a list shows: its text, and
// the names of the rows of its pop-up list that are selected.
struct SChosen {
    QString m_strName;
    QString m_strText;
    QStringList m_listSelected;
    QStringList m_listRows;
};

SChosen Chosen(QComboBox& combo) {
    QAccessibleInterface* pCombo = Iface(&combo);
    SChosen chosen;
    chosen.m_strName = pCombo->text(QAccessible::Name);
    if (QAccessibleTextInterface* pText = pCombo->textInterface())
        chosen.m_strText = pText->text(0, pText->characterCount());
    QAccessibleInterface* pList = pCombo->child(0);
    for (int i = 0; pList && i < pList->childCount(); ++i) {
        QAccessibleInterface* pRow = pList->child(i);
        chosen.m_listRows << pRow->text(QAccessible::Name);
        if (pRow->state().selected)
            chosen.m_listSelected << pRow->text(QAccessible::Name);
    }
    return chosen;
}

// The rows the list's own view has selected, without asking the bus side.
QStringList ViewSelection(const QComboBox& combo) {
    QStringList names;
    for (const QModelIndex& index : combo.view()->selectionModel()->selectedIndexes())
        names << index.data().toString();
    return names;
}

// A document with the groups given, in that order.
struct SGroups {
    explicit SGroups(std::initializer_list<const char*> groups) {
        doc.OnNewDocument();
        doc.DeleteGroup(doc.FindGroup("My Passwords"));
        for (const char* pszGroup : groups)
            doc.AddGroup(pszGroup);
    }
    CCofferDoc doc;
    CScriptedPrompts prompts;
};

} // namespace

class CAccessibleNamesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menusKeepTheirItems();
    void onlyTheProgramsPlainWindowsAreWindows();
    void groupListsReadTheGroupChosen();
    void aListBelowARootListsThatLevel();
    void listsTheProgramDidNotNameKeepTheToolkitsRule();

private:
    std::unique_ptr<CAccessibleNames> m_pNames;
};

void CAccessibleNamesTest::initTestCase() {
    m_pNames = std::make_unique<CAccessibleNames>(); // as the program installs them
}

void CAccessibleNamesTest::menusKeepTheirItems() {
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    menu.addSeparator();
    QMenu* pSub = menu.addMenu(QStringLiteral("More"));
    pSub->addAction(QStringLiteral("Two"));
    QAccessibleInterface* pMenu = Iface(&menu);
    QCOMPARE(pMenu->role(), QAccessible::PopupMenu);
    QCOMPARE(ChildNames(pMenu), (QStringList{"One", "", "More"}));
    QCOMPARE(pMenu->child(2)->child(0)->role(), QAccessible::PopupMenu);
    QCOMPARE(ChildNames(pMenu->child(2)->child(0)), QStringList{"Two"});

    // Every menu of the main window's menu bar, closed, with all its items.
    CFrameFixture fx;
    QMenuBar* pBar = fx.Frame().menuBar();
    QAccessibleInterface* pBarIface = Iface(pBar);
    QCOMPARE(pBarIface->childCount(), pBar->actions().size());
    for (int i = 0; i < pBarIface->childCount(); ++i) {
        QAccessibleInterface* pItemMenu = pBarIface->child(i)->child(0);
        QVERIFY2(pItemMenu != nullptr, qPrintable(pBar->actions()[i]->text()));
        QCOMPARE(pItemMenu->role(), QAccessible::PopupMenu);
        QCOMPARE(pItemMenu->childCount(), pBar->actions()[i]->menu()->actions().size());
        QVERIFY(!pItemMenu->child(0)->text(QAccessible::Name).isEmpty());
    }
}

void CAccessibleNamesTest::onlyTheProgramsPlainWindowsAreWindows() {
    CPlainWindow window;
    auto* pInside = new CPlainWindow(&window);
    QDialog dialog;
    QWidget plain;
    const struct {
        QWidget* pWidget;
        QAccessible::Role eRole;
    } cases[] = {{&window, QAccessible::Window},
                 {pInside, QAccessible::Client},
                 {&dialog, QAccessible::Dialog},
                 {&plain, QAccessible::Client}};
    for (const auto& c : cases)
        QCOMPARE(Iface(c.pWidget)->role(), c.eRole);
}

void CAccessibleNamesTest::groupListsReadTheGroupChosen() {
    SGroups g{"Bank", "Mail", "Shop"};
    CAccountDlg account(g.doc, g.prompts);
    SAccountDlgData data;
    data.m_strGroup = "Mail";
    account.Load(data);
    CDeleteGroupDlg deleting(g.doc, g.prompts);
    deleting.m_strGroup = "Shop";
    deleting.Load();
    const QStringList groups{"Bank", "Mail", "Shop"};
    const struct {
        QComboBox* pList;
        QString strName;
        QString strShown;
    } cases[] = {{account.GroupList(), "Group", "Mail"},
                 {deleting.GroupList(), "Choose a group", "Shop"}};
    for (const auto& c : cases) {
        SChosen chosen = Chosen(*c.pList);
        QCOMPARE(chosen.m_strName, c.strName);
        QCOMPARE(chosen.m_strText, c.strShown);
        QCOMPARE(chosen.m_listRows, groups);
        QCOMPARE(chosen.m_listSelected, QStringList{c.strShown});
        QCOMPARE(Iface(c.pList)->text(QAccessible::Value), c.strShown);
        // A key that moves the list moves the selected row with it.
        c.pList->setCurrentIndex(0);
        QCOMPARE(ViewSelection(*c.pList), QStringList{"Bank"});
        chosen = Chosen(*c.pList);
        QCOMPARE(chosen.m_strText, QStringLiteral("Bank"));
        QCOMPARE(chosen.m_listSelected, QStringList{"Bank"});
        // The pointer moving over the open list selects rows on its way;
        // closed without a choice, the list still shows what it showed.
        c.pList->showPopup();
        c.pList->view()->setCurrentIndex(c.pList->model()->index(2, 0));
        c.pList->hidePopup();
        QCOMPARE(Chosen(*c.pList).m_listSelected, QStringList{"Bank"});
    }
}

// The Password Bar's lists show one level of a tree below a root: their
// rows are that level's, also after the root moves to another level.
void CAccessibleNamesTest::aListBelowARootListsThatLevel() {
    QStandardItemModel model;
    for (const char* pszTop : {"File", "Other"}) {
        auto* pTop = new QStandardItem(QString::fromLatin1(pszTop));
        for (const char* pszRow : {"a", "b", "c"})
            pTop->appendRow(new QStandardItem(QString::fromLatin1(pszTop) + pszRow));
        model.appendRow(pTop);
    }
    CHoverComboBox list;
    list.setAccessibleName(QStringLiteral("Account"));
    list.setModel(&model);
    list.setRootModelIndex(model.index(0, 0));
    list.setCurrentIndex(1);
    SChosen chosen = Chosen(list);
    QCOMPARE(chosen.m_listRows, (QStringList{"Filea", "Fileb", "Filec"}));
    QCOMPARE(chosen.m_listSelected, QStringList{"Fileb"});
    QCOMPARE(chosen.m_strText, QStringLiteral("Fileb"));

    list.setRootModelIndex(model.index(1, 0));
    list.setCurrentIndex(2);
    chosen = Chosen(list);
    QCOMPARE(chosen.m_listRows, (QStringList{"Othera", "Otherb", "Otherc"}));
    QCOMPARE(chosen.m_listSelected, QStringList{"Otherc"});
    // Each row is the child at its place, as the list's own events count.
    QAccessibleInterface* pList = Iface(list.view());
    QCOMPARE(pList->indexOfChild(pList->child(2)), 2);
    QCOMPARE(pList->parent()->object(), &list);

    // Without a current item nothing is chosen, and nothing is read.
    list.setCurrentIndex(-1);
    chosen = Chosen(list);
    QCOMPARE(chosen.m_strText, QString());
    QVERIFY(chosen.m_listSelected.isEmpty());
}

void CAccessibleNamesTest::listsTheProgramDidNotNameKeepTheToolkitsRule() {
    QComboBox unnamed;
    QComboBox editable;
    editable.setEditable(true);
    editable.setAccessibleName(QStringLiteral("Typed"));
    for (QComboBox* pList : {&unnamed, &editable}) {
        pList->addItems({QStringLiteral("x"), QStringLiteral("y")});
        pList->setCurrentIndex(1);
        QCOMPARE(Iface(pList)->textInterface(), nullptr);
    }
    // A plain list the program named reads like its own lists.
    QComboBox named;
    named.setAccessibleName(QStringLiteral("Auto lock"));
    named.addItems({QStringLiteral("Never"), QStringLiteral("5 minutes")});
    named.setCurrentIndex(1);
    const SChosen chosen = Chosen(named);
    QCOMPARE(chosen.m_strName, QStringLiteral("Auto lock"));
    QCOMPARE(chosen.m_strText, QStringLiteral("5 minutes"));
    QCOMPARE(chosen.m_listSelected, QStringList{"5 minutes"});
}

QTEST_MAIN(CAccessibleNamesTest)
#include "AccessibleNamesTest.moc"
