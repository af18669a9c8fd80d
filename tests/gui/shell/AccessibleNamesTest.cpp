// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools are told about menus and the program's plain windows,
// as the program installs its rules: menus keep their items.

#include "gui/shell/AccessibleNames.h"
#include "gui/shell/FrameFixture.h"

#include <QAccessible>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
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

} // namespace

class CAccessibleNamesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menusKeepTheirItems();
    void onlyTheProgramsPlainWindowsAreWindows();

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

QTEST_MAIN(CAccessibleNamesTest)
#include "AccessibleNamesTest.moc"
