// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program shown in a pseudo language whose every text is
// its English source between two marks: a text on screen without the marks
// escaped translation. The pseudo translation is made here from the German
// translation file (its sources are all the program's texts), so a new text
// is covered as soon as it is in the translation files.
#include "core/base/FolderSystem.h"
#include "core/base/OptionsData.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
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
#include "gui/shell/HelpWindow.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/shell/SearchBar.h"
#include "gui/shell/SystemTray.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/ViewFixture.h"
#include "platform/Translations.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

// Texts that are the user's or the system's, not the program's: they show
// as they are in every language. A case adds the folders it shows.
QStringList g_userData = {"Home.pwd", "Home", "Bank", "Loan",          "Card",
                          "Mail",     "pw",   "x.y",  KEYHAVEN_VERSION};

// Whether every word of strText lies inside the pseudo language's marks,
// once the user's texts are taken out.
bool IsMarked(QString strText) {
    static const QRegularExpression reMarked(QStringLiteral("\u27e6[^\u27e6\u27e7]*\u27e7"));
    // Key names ("Ctrl+P", "F2") are Qt's, translated by Qt; web and mail
    // addresses are no words of any language.
    static const QRegularExpression reKeys(
        QStringLiteral("\\b(\\w+\\+)+\\w+\\b|\\bF[0-9]{1,2}\\b|\\S+://\\S+|\\S+@\\S+"));
    // Marks may nest: a translated name inside a translated message.
    for (qsizetype nBefore = -1; nBefore != strText.size();) {
        nBefore = strText.size();
        strText.remove(reMarked);
    }
    strText.remove(reKeys);
    // Longest first: a short one ("pw") may lie inside a folder's name.
    QStringList userData = g_userData;
    std::sort(userData.begin(), userData.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& strData : userData)
        strText.remove(strData);
    for (const QChar ch : strText)
        if (ch.isLetter())
            return false;
    return true;
}

QString ObjectPath(const QObject* pObject) {
    QStringList parts;
    for (; pObject; pObject = pObject->parent()) {
        const QString strName = pObject->objectName();
        parts.prepend(strName.isEmpty() ? QString::fromLatin1(pObject->metaObject()->className())
                                        : strName);
    }
    return parts.join(QLatin1Char('/'));
}

// Collects every text a window shows or speaks, and the ones not marked.
class CTextWalk {
public:
    void Walk(QWidget* pWindow) {
        Widget(pWindow);
        for (QWidget* pChild : pWindow->findChildren<QWidget*>())
            Widget(pChild);
    }

    int Checked() const { return m_nChecked; }
    const QStringList& Unmarked() const { return m_unmarked; }
    QString Report() const { return m_unmarked.join(QLatin1Char('\n')).prepend('\n'); }

private:
    void Check(const QObject* pOwner, const char* pszWhat, const QString& strText) {
        if (strText.trimmed().isEmpty())
            return;
        ++m_nChecked;
        if (!IsMarked(strText))
            m_unmarked << QStringLiteral("%1 [%2]: \"%3\"")
                              .arg(ObjectPath(pOwner), QLatin1String(pszWhat), strText);
    }

    void Actions(const QWidget* pWidget) {
        for (const QAction* pAction : pWidget->actions()) {
            if (pAction->isSeparator())
                continue;
            Check(pWidget, "action", pAction->text());
            Check(pWidget, "action tip", pAction->toolTip());
            Check(pWidget, "action status", pAction->statusTip());
            if (const QMenu* pMenu = pAction->menu())
                Check(pMenu, "menu title", pMenu->title());
        }
    }

    void Model(const QAbstractItemView* pView) {
        const QAbstractItemModel* pModel = pView->model();
        // The folder chooser's model names files and columns itself.
        if (!pModel || qobject_cast<const QFileSystemModel*>(pModel))
            return;
        for (int nColumn = 0; nColumn < pModel->columnCount(); ++nColumn)
            Check(pView, "header", pModel->headerData(nColumn, Qt::Horizontal).toString());
        QList<QModelIndex> pending{QModelIndex()};
        while (!pending.isEmpty()) {
            const QModelIndex parent = pending.takeFirst();
            for (int nRow = 0; nRow < pModel->rowCount(parent); ++nRow) {
                const QModelIndex item = pModel->index(nRow, 0, parent);
                Check(pView, "item", item.data(Qt::DisplayRole).toString());
                Check(pView, "item tip", item.data(Qt::ToolTipRole).toString());
                pending << item;
            }
        }
    }

    void Widget(QWidget* pWidget) {
        if (pWidget->isWindow())
            Check(pWidget, "title", pWidget->windowTitle());
        Check(pWidget, "accessible name", pWidget->accessibleName());
        Check(pWidget, "accessible description", pWidget->accessibleDescription());
        Check(pWidget, "tool tip", pWidget->toolTip());
        Check(pWidget, "status tip", pWidget->statusTip());
        Actions(pWidget);
        if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget)) {
            // The standard buttons of a button box are Qt's, translated by Qt.
            auto* pBox = qobject_cast<QDialogButtonBox*>(pButton->parentWidget());
            if (!pBox || pBox->standardButton(pButton) == QDialogButtonBox::NoButton)
                Check(pWidget, "text", pButton->text());
        } else if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
            Check(pWidget, "text", pLabel->text());
        } else if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
            Check(pWidget, "text", pEdit->text());
            Check(pWidget, "placeholder", pEdit->placeholderText());
        } else if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget)) {
            Check(pWidget, "title", pGroup->title());
        } else if (auto* pCombo = qobject_cast<QComboBox*>(pWidget)) {
            for (int i = 0; i < pCombo->count(); ++i)
                Check(pWidget, "item", pCombo->itemText(i));
        } else if (auto* pStatus = qobject_cast<QStatusBar*>(pWidget)) {
            Check(pWidget, "message", pStatus->currentMessage());
        } else if (auto* pText = qobject_cast<QPlainTextEdit*>(pWidget)) {
            Check(pWidget, "text", pText->toPlainText());
        } else if (auto* pView = qobject_cast<QAbstractItemView*>(pWidget)) {
            Model(pView);
        } else if (auto* pMenu = qobject_cast<QMenu*>(pWidget)) {
            Check(pWidget, "title", pMenu->title());
        }
    }

    int m_nChecked = 0;
    QStringList m_unmarked;
};

} // namespace

class CPseudoLocaleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void theCheckTellsMarkedFromUnmarked();
    void mainWindowMenusAndTray();
    void contextMenus();
    void editingDialogs();
    void keyDialogs();
    void fileDialogs();
    void optionsWithEveryPage();
    void aboutHelpAndPasswordBar();
    void messagesCoreAsks();

private:
    // Walks the window and fails with every text it shows unmarked.
    static void Expect(QWidget* pWindow, int nAtLeast);

    QTemporaryDir m_dir;
};

void CPseudoLocaleTest::Expect(QWidget* pWindow, int nAtLeast) {
    CTextWalk walk;
    walk.Walk(pWindow);
    QVERIFY2(walk.Unmarked().isEmpty(), qPrintable(walk.Report()));
    // A walk that found nothing would prove nothing.
    QVERIFY2(walk.Checked() >= nAtLeast, qPrintable(QString::number(walk.Checked())));
}

void CPseudoLocaleTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    const QString strTs = m_dir.filePath(QStringLiteral("keyhaven_de.ts"));
    QProcess pseudo;
    pseudo.start(QStringLiteral(KEYHAVEN_PYTHON),
                 {QStringLiteral(KEYHAVEN_PSEUDO_TS), QStringLiteral(KEYHAVEN_TS_DE), strTs});
    QVERIFY(pseudo.waitForFinished(60000));
    QVERIFY2(pseudo.exitCode() == 0, pseudo.readAllStandardError().constData());
    QProcess release;
    release.start(QStringLiteral(KEYHAVEN_LRELEASE),
                  {QStringLiteral("-silent"), strTs, QStringLiteral("-qm"),
                   m_dir.filePath(QStringLiteral("keyhaven_de.qm"))});
    QVERIFY(release.waitForFinished(60000));
    QVERIFY2(release.exitCode() == 0, release.readAllStandardError().constData());
    // The program's own loading, with the pseudo language as German.
    const STranslationsLoaded loaded = LoadTranslations(
        *QCoreApplication::instance(), QLocale(QStringLiteral("de_DE")), m_dir.path());
    QVERIFY(loaded.m_bOwn);
    QCOMPARE(TrText(IDS_OPTIONS_CAPTION), QStringLiteral("\u27e6Options\u27e7"));
}

void CPseudoLocaleTest::theCheckTellsMarkedFromUnmarked() {
    QVERIFY(IsMarked(QStringLiteral("\u27e6&Edit...\u27e7\tCtrl+E")));
    QVERIFY(IsMarked(QStringLiteral("Home - \u27e6Keyhaven\u27e7")));
    QVERIFY(IsMarked(QStringLiteral("\u27e6Save \u27e6Untitled\u27e7?\u27e7")));
    QVERIFY(IsMarked(QStringLiteral("12 / 3")));
    QVERIFY(IsMarked(QStringLiteral("\u27e6Copy\u27e7 (Ctrl+P, Strg+C, F2)")));
    QVERIFY(IsMarked(QStringLiteral("https://keyhaven.example/ mailto:support@keyhaven.example")));
    QVERIFY(!IsMarked(QStringLiteral("Options")));
    QVERIFY(!IsMarked(QStringLiteral("\u27e6Save\u27e7 changes")));
    QVERIFY(!IsMarked(QStringLiteral("Bank Accounts")));
}

void CPseudoLocaleTest::mainWindowMenusAndTray() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan, Card / Mail: Home");
    fx.Account("Bank", "Loan", "pw", "x.y", "x.y");
    fx.Show();
    CMainFrame& frame = fx.Frame();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.SearchBar()->show();
    // The menus are the frame's children; the tray menu is the tray's.
    Expect(&frame, 150);
    Expect(fx.Frame().Tray().Menu(), 4);
}

void CPseudoLocaleTest::contextMenus() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan");
    fx.Show();
    fx.Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&fx.Frame()));
    QTreeView* pTree = fx.m_pView->Tree();
    // The file item, a group and an account each have their own menu.
    for (const QModelIndex& item : {fx.Item(), fx.Item(0), fx.Item(0, 0)}) {
        pTree->setCurrentIndex(item);
        int nShown = 0;
        QTimer::singleShot(50, [&nShown]() {
            if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                Expect(pMenu, 2);
                ++nShown;
                pMenu->close();
            }
        });
        QTest::keyClick(pTree, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(nShown, 1);
    }
}

void CPseudoLocaleTest::editingDialogs() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan");
    CAccountDlg account(*fx.m_pDoc, fx.m_prompts);
    Expect(&account, 15);
    CAddGroupDlg addGroup(*fx.m_pDoc, fx.m_prompts);
    Expect(&addGroup, 3);
    CEditGroupDlg editGroup(*fx.m_pDoc, fx.m_prompts);
    Expect(&editGroup, 4);
    CDeleteGroupDlg deleteGroup(*fx.m_pDoc, fx.m_prompts);
    Expect(&deleteGroup, 4);
    CAccountReplaceDlg replace(QStringLiteral("Loan"));
    Expect(&replace, 6);
    // The account's empty password is a finding: its line, its strength word.
    SHealthDlgData health;
    CPasswordHealthDlg healthDlg(*fx.m_pDoc, health, fx.m_prompts);
    Expect(&healthDlg, 12);
}

void CPseudoLocaleTest::keyDialogs() {
    CScriptedPrompts prompts;
    CCreateKeyDlg create(prompts);
    Expect(&create, 4);
    CCheckKeyDlg check(prompts);
    Expect(&check, 3);
    CChangeKeyDlg change(prompts);
    Expect(&change, 5);
    CDatabaseKeyDlg database(prompts, QStringLiteral("Home.pwd"), EDatabaseKeyKind::create);
    Expect(&database, 6);
}

void CPseudoLocaleTest::fileDialogs() {
    CViewFixture fx;
    const std::string strPath = fx.WriteKeyedFile("Home.pwd", "secret");
    SFileProperties props;
    QCOMPARE(ReadFileProperties(strPath, props), EFileError::none);
    props.m_strContains = ContainsText(2, 5);
    // The folder is the user's, the texts about it are the program's.
    g_userData << QString::fromStdString(props.m_strLocation) << fx.m_dir.path();
    CFilePropertyDlg property(props);
    Expect(&property, 10);
    CDiskFolderSystem disk;
    CFolderDialog folder(IDS_APP_TITLE, IDS_FOLDER_PROMPT, fx.m_dir.path().toStdString(),
                         fx.m_prompts, disk);
    Expect(&folder, 2);
}

void CPseudoLocaleTest::optionsWithEveryPage() {
    SOptionsData data;
    CScriptedPrompts prompts;
    CDiskFolderSystem disk;
    COptionsDlg dialog(data, prompts, disk);
    // Every page is a child of the dialog, shown or not.
    Expect(&dialog, 60);
}

void CPseudoLocaleTest::aboutHelpAndPasswordBar() {
    CAboutDlg about(nullptr);
    Expect(&about, 4);
    CHelpWindow help;
    Expect(&help, 1);
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan");
    CPasswordBarDlg bar(fx.m_pDoc->Session(), fx.m_notifier.Model(), fx.Settings(), fx.m_prompts,
                        fx.m_editPrompts);
    bar.FillGroups();
    bar.SetAccountFilter(QStringLiteral("Loan"));
    Expect(&bar, 15);
}

void CPseudoLocaleTest::messagesCoreAsks() {
    // Core hands the prompts fixed texts, formatted ones and joined ones; each
    // comes out marked where the program shows it (CQtPrompts shows TrText of it).
    CViewFixture fx;
    fx.Frame(); // the frame hands the document its prompts
    const std::string strPath = fx.WriteKeyedFile("Home.pwd", "secret");
    fx.m_prompts.TypeCheckKey("wrong");
    fx.m_prompts.CancelCheckKey();
    fx.m_pDoc->Session().OnOpenDocument(strPath);
    fx.m_pDoc->Session().OnOpenDocument(strPath + ".gone");
    fx.NewKeyedDocument("Bank: Loan");
    fx.m_pDoc->SetModifiedFlag();
    fx.m_prompts.AnswerMessage(EMsgAnswer::no);
    QVERIFY(fx.m_pDoc->Session().SaveModified());
    // A refused KEY, a file that is no password file, a question with a name.
    QCOMPARE(
        fx.m_prompts.MessageTexts(),
        (std::vector<std::string>{IDS_KEY_INVALID, IDS_FORMAT_NOT_SUPPORTED,
                                  FormatText(IDS_ASK_TO_SAVE, fx.m_pDoc->Session().GetTitle())}));
    for (const SPromptMessage& message : fx.m_prompts.Messages()) {
        QVERIFY2(IsMarked(TrText(message.m_strText.c_str())), message.m_strText.c_str());
        QVERIFY2(IsMarked(TrText(message.m_strCaption.c_str())), message.m_strCaption.c_str());
    }
}

QTEST_MAIN(CPseudoLocaleTest)
#include "PseudoLocaleTest.moc"
