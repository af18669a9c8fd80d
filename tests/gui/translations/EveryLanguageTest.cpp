// SPDX-License-Identifier: GPL-3.0-or-later
// The program in every language it speaks: no two controls shown together
// answer the same Alt+letter (the second could never be reached by its key;
// every clash in every language is named before the test fails), and counts
// take their language's forms and digit grouping.
#include "core/base/FolderSystem.h"
#include "core/base/OptionsData.h"
#include "core/base/StringTable.h"
#include "core/store/FileProperties.h"
#include "gui/controls/FolderDialog.h"
#include "gui/dialogs/AccountDlg.h"
#include "gui/dialogs/AccountReplaceDlg.h"
#include "gui/dialogs/AddGroupDlg.h"
#include "gui/dialogs/ChangeKeyDlg.h"
#include "gui/dialogs/CheckKeyDlg.h"
#include "gui/dialogs/CreateKeyDlg.h"
#include "gui/dialogs/DatabaseKeyDlg.h"
#include "gui/dialogs/DeleteGroupDlg.h"
#include "gui/dialogs/EditGroupDlg.h"
#include "gui/dialogs/FilePropertyDlg.h"
#include "gui/dialogs/OptionsDlg.h"
#include "gui/dialogs/PasswordHealthDlg.h"
#include "gui/shell/AboutDlg.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/shell/SearchBar.h"
#include "gui/shell/SystemTray.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/ViewFixture.h"
#include "platform/Translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <functional>
#include <map>
#include <set>

namespace {

// A control's Alt+letter and the text that carries it.
struct SAccel {
    QString strKey;
    QString strText;
};
using AccelSet = QList<SAccel>;

// The letter after the first single "&" ("&&" is an ampersand shown).
QString KeyOf(const QString& strText) {
    for (qsizetype i = 0; i + 1 < strText.size(); ++i) {
        if (strText[i] != QLatin1Char('&'))
            continue;
        if (strText[i + 1] != QLatin1Char('&'))
            return strText[i + 1].toLower();
        ++i;
    }
    return {};
}

void Add(AccelSet& set, const QString& strText) {
    const QString strKey = KeyOf(strText);
    if (!strKey.isEmpty())
        set.append({strKey, strText});
}

// The Alt+letters a widget carries itself.
AccelSet OwnAccels(const QWidget* pWidget) {
    AccelSet set;
    if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget))
        Add(set, pButton->text());
    else if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget); pLabel && pLabel->buddy())
        Add(set, pLabel->text());
    else if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget))
        Add(set, pGroup->title());
    else if (const auto* pTabs = qobject_cast<const QTabBar*>(pWidget))
        for (int i = 0; i < pTabs->count(); ++i)
            Add(set, pTabs->tabText(i));
    else if (const auto* pBar = qobject_cast<const QMenuBar*>(pWidget))
        for (const QAction* pAction : pBar->actions())
            if (pAction->isVisible())
                Add(set, pAction->text());
    return set;
}

// The sets of Alt+letters a window can show at once: one per page of each
// stack of pages (an Options page, a tab), each with the controls around it.
QList<AccelSet> ShownTogether(const QWidget* pWidget) {
    QList<AccelSet> alternatives{OwnAccels(pWidget)};
    if (const auto* pStack = qobject_cast<const QStackedWidget*>(pWidget)) {
        QList<AccelSet> pages;
        for (int i = 0; i < pStack->count(); ++i)
            pages << ShownTogether(pStack->widget(i));
        return pages.isEmpty() ? alternatives : pages;
    }
    for (const QObject* pChild : pWidget->children()) {
        const auto* pChildWidget = qobject_cast<const QWidget*>(pChild);
        // Menus and dialogs are windows of their own; a hidden control
        // answers no key.
        if (!pChildWidget || pChildWidget->isWindow() || pChildWidget->isHidden())
            continue;
        QList<AccelSet> combined;
        for (const AccelSet& childSet : ShownTogether(pChildWidget))
            for (const AccelSet& set : alternatives)
                combined << set + childSet;
        alternatives = combined;
    }
    return alternatives;
}

// Collects the clashes of every window it is shown, by language.
class CClashReport {
public:
    void SetLanguage(const QString& strLanguage) { m_strLanguage = strLanguage; }

    void Window(const QWidget* pWindow) {
        for (const AccelSet& set : ShownTogether(pWindow))
            Check(pWindow->objectName(), set);
        ++m_nChecked;
    }

    void Menu(const QMenu* pMenu, const QString& strWhere) {
        AccelSet set;
        for (const QAction* pAction : pMenu->actions())
            if (pAction->isVisible() && !pAction->isSeparator())
                Add(set, pAction->text());
        Check(strWhere + QStringLiteral(" > ") + pMenu->title(), set);
        ++m_nChecked;
        for (const QAction* pAction : pMenu->actions())
            if (pAction->menu())
                Menu(pAction->menu(), strWhere);
    }

    int Checked() const { return m_nChecked; }
    QStringList Clashes() const { return QStringList(m_clashes.begin(), m_clashes.end()); }

private:
    void Check(const QString& strWhere, const AccelSet& set) {
        std::map<QString, QStringList> byKey;
        for (const SAccel& accel : set)
            byKey[accel.strKey] << accel.strText;
        for (auto& [strKey, texts] : byKey)
            if (texts.size() > 1 && (texts.sort(), true))
                m_clashes.insert(QStringLiteral("[%1] %2: Alt+%3 in %4")
                                     .arg(m_strLanguage, strWhere, strKey.toUpper(),
                                          texts.join(QStringLiteral(", "))));
    }

    QString m_strLanguage;
    int m_nChecked = 0;
    std::set<QString> m_clashes;
};

// Every language the program is translated into, English first.
const QStringList& Languages() {
    static const QStringList languages{QStringLiteral("en"), QStringLiteral("de"),
                                       QStringLiteral("fr")};
    return languages;
}

void LoadLanguage(const QString& strLanguage) {
    QCoreApplication* pApp = QCoreApplication::instance();
    for (QTranslator* pTranslator : pApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(pTranslator);
        delete pTranslator;
    }
    const STranslationsLoaded loaded = LoadTranslations(*pApp, QLocale(strLanguage));
    QCOMPARE(loaded.m_bOwn, strLanguage != QLatin1String("en"));
}

// Opens the tree's context menu on an item and hands it over while shown.
void WithContextMenu(QTreeView* pTree, const QModelIndex& item,
                     const std::function<void(QMenu*)>& inspect) {
    pTree->setCurrentIndex(item);
    QTimer::singleShot(50, [inspect]() {
        if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            inspect(pMenu);
            pMenu->close();
        }
    });
    QTest::keyClick(pTree, Qt::Key_F10, Qt::ShiftModifier);
}

} // namespace

class CEveryLanguageTest : public QObject {
    Q_OBJECT
private slots:
    void theWalkFindsAClash();
    void noWindowHasTwoControlsOnOneKey();
    void countsTakeTheLanguagesForms();

private:
    static void MainWindowAndMenus(CClashReport& report);
    static void Dialogs(CClashReport& report);
};

void CEveryLanguageTest::theWalkFindsAClash() {
    // A clash inside one page is found; one across two pages is none.
    QWidget window;
    window.setObjectName(QStringLiteral("window"));
    auto* pStack = new QStackedWidget(&window);
    auto* pFirst = new QWidget;
    new QPushButton(QStringLiteral("&Apply"), pFirst);
    auto* pSecond = new QWidget;
    new QPushButton(QStringLiteral("&Add"), pSecond);
    pStack->addWidget(pFirst);
    pStack->addWidget(pSecond);
    CClashReport report;
    report.Window(&window);
    QVERIFY(report.Clashes().isEmpty());
    auto* pHidden = new QPushButton(QStringLiteral("&About"), &window);
    pHidden->hide();
    report.Window(&window);
    QVERIFY(report.Clashes().isEmpty());
    new QPushButton(QStringLiteral("&Add now"), pFirst);
    new QCheckBox(QStringLiteral("Ü&bernehmen"), pSecond);
    new QLabel(QStringLiteral("&Bereich"), &window);
    auto* pBuddied = new QLabel(QStringLiteral("&Bereich"), &window);
    pBuddied->setBuddy(pHidden);
    report.Window(&window);
    QCOMPARE(report.Clashes(),
             (QStringList{QStringLiteral("[] window: Alt+A in &Add now, &Apply"),
                          QStringLiteral("[] window: Alt+B in &Bereich, Ü&bernehmen")}));
}

void CEveryLanguageTest::MainWindowAndMenus(CClashReport& report) {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan, Card / Mail: Home");
    fx.Account("Bank", "Loan", "pw", "x.y", "x.y");
    fx.Show();
    CMainFrame& frame = fx.Frame();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.SearchBar()->show();
    report.Window(&frame);
    for (const QAction* pAction : frame.menuBar()->actions())
        if (pAction->menu())
            report.Menu(pAction->menu(), QStringLiteral("menu bar"));
    report.Menu(frame.Tray().Menu(), QStringLiteral("tray"));
    // The file item, a group and an account each have their own menu.
    QTreeView* pTree = fx.m_pView->Tree();
    for (const QModelIndex& item : {fx.Item(), fx.Item(0), fx.Item(0, 0)})
        WithContextMenu(pTree, item, [&report](QMenu* pMenu) {
            report.Menu(pMenu, QStringLiteral("context menu"));
        });
}

void CEveryLanguageTest::Dialogs(CClashReport& report) {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan");
    const auto windows = [&report](std::initializer_list<const QWidget*> list) {
        for (const QWidget* pWindow : list)
            report.Window(pWindow);
    };
    CAccountDlg account(*fx.m_pDoc, fx.m_prompts);
    CAddGroupDlg addGroup(*fx.m_pDoc, fx.m_prompts);
    CEditGroupDlg editGroup(*fx.m_pDoc, fx.m_prompts);
    CDeleteGroupDlg deleteGroup(*fx.m_pDoc, fx.m_prompts);
    CAccountReplaceDlg replace(QStringLiteral("Loan"));
    SHealthDlgData health;
    CPasswordHealthDlg healthDlg(*fx.m_pDoc, health, fx.m_prompts);
    windows({&account, &addGroup, &editGroup, &deleteGroup, &replace, &healthDlg});

    CScriptedPrompts prompts;
    CCreateKeyDlg create(prompts);
    CCheckKeyDlg check(prompts);
    CChangeKeyDlg change(prompts);
    CDatabaseKeyDlg database(prompts, QStringLiteral("Home.pwd"), EDatabaseKeyKind::create);
    windows({&create, &check, &change, &database});

    SFileProperties props;
    props.m_strContains = ContainsText(2, 5);
    CFilePropertyDlg property(props);
    CDiskFolderSystem disk;
    CFolderDialog folder(IDS_APP_TITLE, IDS_FOLDER_PROMPT, fx.m_dir.path().toStdString(),
                         fx.m_prompts, disk);
    SOptionsData data;
    COptionsDlg options(data, prompts, disk);
    CAboutDlg about(nullptr);
    CPasswordBarDlg bar(fx.m_pDoc->Session(), fx.m_notifier.Model(), fx.Settings(), fx.m_prompts,
                        fx.m_editPrompts);
    windows({&property, &folder, &options, &about, &bar});
}

void CEveryLanguageTest::noWindowHasTwoControlsOnOneKey() {
    CClashReport report;
    for (const QString& strLanguage : Languages()) {
        LoadLanguage(strLanguage);
        report.SetLanguage(strLanguage);
        MainWindowAndMenus(report);
        Dialogs(report);
    }
    // A walk that found nothing would prove nothing: three languages of
    // about twenty-five windows and menus each.
    QVERIFY2(report.Checked() >= 3 * 25, qPrintable(QString::number(report.Checked())));
    const QStringList clashes = report.Clashes();
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n')).prepend('\n')));
}

void CEveryLanguageTest::countsTakeTheLanguagesForms() {
    struct SCase {
        const char* pszLanguage;
        long long nCount;
        const char* pszAccounts;
    };
    const SCase cases[] = {
        {"en", 1, "1 Account"}, {"en", 0, "0 Accounts"}, {"en", 2000, "2,000 Accounts"},
        {"de", 1, "1 Konto"},   {"de", 0, "0 Konten"},   {"de", 2000, "2.000 Konten"},
        {"fr", 1, "1 compte"},  {"fr", 0, "0 compte"},   {"fr", 2000, "2\u202f000 comptes"},
    };
    for (const SCase& c : cases) {
        LoadLanguage(QString::fromLatin1(c.pszLanguage));
        QCOMPARE(TrCount(IDS_ACCOUNTS_FORMAT, c.nCount), QString::fromUtf8(c.pszAccounts));
        // Core formats the same text the same way.
        QCOMPARE(CountText(IDS_ACCOUNTS_FORMAT, c.nCount), std::string(c.pszAccounts));
    }
    LoadLanguage(QStringLiteral("en"));
}

QTEST_MAIN(CEveryLanguageTest)
#include "EveryLanguageTest.moc"
