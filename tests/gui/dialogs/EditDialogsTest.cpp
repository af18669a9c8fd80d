// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/generator/PasswordGenerator.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "gui/controls/DragEdit.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/dialogs/AccountDlg.h"
#include "gui/dialogs/AddGroupDlg.h"
#include "gui/dialogs/DeleteGroupDlg.h"
#include "gui/dialogs/EditGroupDlg.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

using Texts = std::vector<std::string>;

namespace {

// A document with the groups and accounts given as "Group" and "Group/Account".
struct SDoc {
    explicit SDoc(std::initializer_list<const char*> items) {
        doc.OnNewDocument();
        doc.DeleteGroup(doc.FindGroup("My Passwords"));
        for (const std::string strItem : items) {
            const auto nSlash = strItem.find('/');
            if (nSlash == std::string::npos) {
                doc.AddGroup(strItem);
                continue;
            }
            CPasswordInfo texts;
            texts.SetAccount(strItem.substr(nSlash + 1));
            texts.SetComments("a\r\nb");
            doc.AddAccount(strItem.substr(0, nSlash), texts);
        }
    }
    const CPasswordInfo* Find(const std::string& strGroup, const std::string& strAccount) {
        bool bIn = false;
        for (const CPasswordInfo& info : doc.Records()) {
            if (info.IsGroup())
                bIn = info.Group() == strGroup;
            else if (bIn && info.Account() == strAccount)
                return &info;
        }
        return nullptr;
    }
    CCofferDoc doc;
    CScriptedPrompts prompts;
};

SAccountDlgData Editing(SDoc& d, const std::string& strGroup, const std::string& strAccount) {
    SAccountDlgData data;
    data.m_strGroup = strGroup;
    data.m_strAccount = strAccount;
    data.m_pEditing = d.Find(strGroup, strAccount);
    data.m_strComments = data.m_pEditing->Comments();
    return data;
}

// Presses OK; true when the dialog closed.
bool PressOk(QDialog& dialog) {
    dialog.show();
    dialog.accept();
    return dialog.result() == QDialog::Accepted && !dialog.isVisible();
}

void ChooseGroup(CHoverComboBox* pList, const QString& strText) {
    const int nIndex = pList->findText(strText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    pList->setCurrentIndex(nIndex);
    emit pList->activated(nIndex);
}

} // namespace

class CEditDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void pasteButtonsShowPaste_data();
    void pasteButtonsShowPaste();
    void emptyAndClashingNamesAreRefused();
    void anAccountMayKeepItsOwnName();
    void theGroupShownIsTheGroupActedOn();
    void aFileWithoutGroupsExplainsItself();
    void passwordsAreMaskedOnePerCharacter();
    void buttonsFillTheFields();
    void commentsKeepTheirLineEnds();
    void changesAreNotThrownAwayUnasked_data();
    void changesAreNotThrownAwayUnasked();
    void everyWayOutAsksAndNoKeepsTheWork();
    void groupNamesFollowTheirRules();
    void theLastGroupIsNeverDeleted();
};

void CEditDialogsTest::emptyAndClashingNamesAreRefused() {
    SDoc d{"Mail", "Mail/web", "Bank", "Bank/card"};
    CAccountDlg dialog(d.doc, d.prompts);
    SAccountDlgData data;
    data.m_strGroup = "Mail";
    dialog.Load(data);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Account"));
    QVERIFY(!PressOk(dialog));
    dialog.AccountEdit()->setText(QStringLiteral("web"));
    QVERIFY(!PressOk(dialog));
    QCOMPARE(d.prompts.MessageTexts(),
             (Texts{"Account can not be empty!", "Account name should not be same!"}));
    QCOMPARE(d.prompts.Messages().back().m_eIcon, EMsgIcon::exclamation);
    QVERIFY(dialog.AccountEdit()->text().isEmpty());
    // Names differ by case; a name of another group is free; blanks are a name.
    for (const char* pszName : {"Web", "card", "  "}) {
        CAccountDlg again(d.doc, d.prompts);
        again.Load(data);
        again.AccountEdit()->setText(QString::fromLatin1(pszName));
        QVERIFY(PressOk(again));
        QCOMPARE(again.Result().m_strAccount, std::string(pszName));
        QCOMPARE(again.Result().m_strGroup, std::string("Mail"));
    }
    dialog.AccountEdit()->setText(QString(300, QLatin1Char('x')));
    QCOMPARE(dialog.AccountEdit()->text().size(), 255);
}

void CEditDialogsTest::anAccountMayKeepItsOwnName() {
    SDoc d{"A", "A/one", "A/two", "B", "B/one"};
    CAccountDlg dialog(d.doc, d.prompts);
    dialog.Load(Editing(d, "A", "one"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit the Account"));
    QVERIFY(dialog.IsEditMode());
    QVERIFY(PressOk(dialog)); // itself
    // Renamed onto a sibling, or moved beside a namesake: refused.
    CAccountDlg rename(d.doc, d.prompts);
    rename.Load(Editing(d, "A", "one"));
    rename.AccountEdit()->setText(QStringLiteral("two"));
    QVERIFY(!PressOk(rename));
    CAccountDlg move(d.doc, d.prompts);
    move.Load(Editing(d, "A", "one"));
    ChooseGroup(move.GroupList(), QStringLiteral("B"));
    QVERIFY(!PressOk(move));
    QCOMPARE(d.prompts.MessageTexts(),
             (Texts{"Account name should not be same!", "Account name should not be same!"}));
    // Moving to a group without a namesake is accepted, into that group.
    CAccountDlg moveTwo(d.doc, d.prompts);
    moveTwo.Load(Editing(d, "A", "two"));
    ChooseGroup(moveTwo.GroupList(), QStringLiteral("B"));
    QVERIFY(PressOk(moveTwo));
    QCOMPARE(moveTwo.Result().m_strGroup, std::string("B"));
}

void CEditDialogsTest::theGroupShownIsTheGroupActedOn() {
    SDoc d{"bank", "Bank", "Bank/x", "Mail"};
    CAccountDlg dialog(d.doc, d.prompts);
    SAccountDlgData data;
    data.m_strGroup = "Bank";
    dialog.Load(data);
    QCOMPARE(dialog.GroupList()->currentText(), QStringLiteral("Bank"));
    dialog.AccountEdit()->setText(QStringLiteral("x"));
    QVERIFY(!PressOk(dialog)); // "x" lives in "Bank", the group shown
    // With nothing selected the first group is shown, and the account goes there.
    CAccountDlg none(d.doc, d.prompts);
    none.Load(SAccountDlgData{});
    QCOMPARE(none.GroupList()->currentText(), QStringLiteral("bank"));
    none.AccountEdit()->setText(QStringLiteral("x"));
    QVERIFY(PressOk(none));
    QCOMPARE(none.Result().m_strGroup, std::string("bank"));
    // The same holds for the group dialogs.
    CDeleteGroupDlg remove(d.doc, d.prompts);
    remove.m_strGroup = "Bank";
    remove.Load();
    QCOMPARE(remove.GroupList()->currentText(), QStringLiteral("Bank"));
    ChooseGroup(remove.GroupList(), QStringLiteral("Mail"));
    QVERIFY(PressOk(remove));
    QCOMPARE(remove.m_strGroup, std::string("Mail"));
}

void CEditDialogsTest::aFileWithoutGroupsExplainsItself() {
    SDoc d{};
    CAccountDlg dialog(d.doc, d.prompts);
    dialog.Load(SAccountDlgData{});
    QCOMPARE(dialog.GroupList()->count(), 0);
    dialog.AccountEdit()->setText(QStringLiteral("lost"));
    QVERIFY(!PressOk(dialog));
    QCOMPARE(d.prompts.MessageTexts(), (Texts{IDS_ACCOUNT_NEEDS_GROUP}));
}

void CEditDialogsTest::passwordsAreMaskedOnePerCharacter() {
    SDoc d{"A"};
    CAccountDlg dialog(d.doc, d.prompts);
    SAccountDlgData data;
    data.m_strPassword = "secret";
    data.m_generator.m_nFlags = 0x04; // digits, fixed length
    data.m_generator.m_strLength = "9";
    dialog.Load(data);
    CDragEdit* pPassword = dialog.PasswordEdit();
    QCOMPARE(pPassword->displayText(), QStringLiteral("******"));
    dialog.Button(CAccountDlg::IDC_GENERATE)->click();
    QCOMPARE(pPassword->displayText(), QStringLiteral("*********"));
    QVERIFY(pPassword->text().contains(QRegularExpression(QStringLiteral("^[0-9]{9}$"))));
    // The toggle shows the generated password and masks it again.
    dialog.ShowPasswordButton()->click();
    QCOMPARE(pPassword->displayText(), pPassword->text());
    QCOMPARE(dialog.ShowPasswordButton()->text(), QStringLiteral("Hide"));
    dialog.ShowPasswordButton()->click();
    QCOMPARE(pPassword->displayText(), QStringLiteral("*********"));
    dialog.AccountEdit()->setText(QStringLiteral("n"));
    QVERIFY(PressOk(dialog));
    QCOMPARE(QString::fromStdString(dialog.Result().m_strPassword), pPassword->text());
    // Unmasked, the password is plain text.
    CAccountDlg plain(d.doc, d.prompts);
    data.m_bMaskPasswords = false;
    plain.Load(data);
    QCOMPARE(plain.PasswordEdit()->displayText(), QStringLiteral("secret"));
    QVERIFY(plain.ShowPasswordButton()->isChecked());
    QVERIFY(!plain.Button(CAccountDlg::IDC_GENERATOR_SETTINGS)->isEnabled());

    // Offered the Options dialog, the settings button opens it, and the next
    // Generate uses what it left.
    int nOpened = 0;
    data.m_fnGeneratorSettings = [&nOpened](SGeneratorSettings& generator) {
        ++nOpened;
        generator = {PWGEN_UPPER, "4", "4", "4"};
    };
    CAccountDlg offered(d.doc, d.prompts);
    offered.Load(data);
    QVERIFY(offered.Button(CAccountDlg::IDC_GENERATOR_SETTINGS)->isEnabled());
    offered.Button(CAccountDlg::IDC_GENERATOR_SETTINGS)->click();
    QCOMPARE(nOpened, 1);
    offered.Button(CAccountDlg::IDC_GENERATE)->click();
    QVERIFY(
        offered.PasswordEdit()->text().contains(QRegularExpression(QStringLiteral("^[A-Z]{4}$"))));
}

void CEditDialogsTest::pasteButtonsShowPaste_data() {
    QTest::addColumn<bool>("bThemeHasIt");
    QTest::newRow("the desktop theme's") << true;
    QTest::newRow("the drawn clipboard") << false;
}

// The three paste buttons show the theme's "edit-paste", or where the theme
// has none the drawn clipboard: never the padlock of a sealed file.
void CEditDialogsTest::pasteButtonsShowPaste() {
    QFETCH(bool, bThemeHasIt);
    QTemporaryDir themes;
    QDir(themes.path()).mkpath(QStringLiteral("t/16x16/actions"));
    QFile index(themes.filePath(QStringLiteral("t/index.theme")));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=t\nDirectories=16x16/actions\n\n"
                "[16x16/actions]\nSize=16\nContext=Actions\nType=Fixed\n");
    index.close();
    if (bThemeHasIt)
        QFile::copy(QStringLiteral(":/icons/tree-file.svg"),
                    themes.filePath(QStringLiteral("t/16x16/actions/edit-paste.svg")));
    const QStringList astrPaths = QIcon::themeSearchPaths();
    const QString strTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("t"));
    const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
    const QImage expected = image(QIcon(bThemeHasIt ? QStringLiteral(":/icons/tree-file.svg")
                                                    : QStringLiteral(":/icons/paste.svg")));
    const auto restore = qScopeGuard([&]() {
        QIcon::setThemeSearchPaths(astrPaths);
        QIcon::setThemeName(strTheme);
    });
    SDoc d{"A"};
    CAccountDlg dialog(d.doc, d.prompts);
    for (int nId : {CAccountDlg::IDC_PASTE_USERNAME, CAccountDlg::IDC_PASTE_WEBSITE,
                    CAccountDlg::IDC_PASTE_EMAIL}) {
        const QIcon& icon = dialog.Button(nId)->CurrentIcon();
        QCOMPARE(icon.name(), bThemeHasIt ? QStringLiteral("edit-paste") : QString());
        QVERIFY(image(icon) == expected);
        QVERIFY(image(icon) != image(QIcon(QStringLiteral(":/icons/460.svg"))));
        QCOMPARE(dialog.Button(nId)->IconSize(), QSize(16, 16));
    }
}

void CEditDialogsTest::buttonsFillTheFields() {
    SDoc d{"A"};
    CAccountDlg dialog(d.doc, d.prompts);
    SAccountDlgData data;
    data.m_strUserName = "kept";
    dialog.Load(data);
    // A clipboard holding only a picture pastes nothing.
    auto* pImage = new QMimeData;
    pImage->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(pImage);
    dialog.Button(CAccountDlg::IDC_PASTE_USERNAME)->click();
    QCOMPARE(dialog.UserNameEdit()->text(), QStringLiteral("kept"));
    QApplication::clipboard()->setText(QStringLiteral("https://bank.example/\n"));
    dialog.Button(CAccountDlg::IDC_PASTE_WEBSITE)->click();
    dialog.Button(CAccountDlg::IDC_PASTE_EMAIL)->click();
    QCOMPARE(dialog.WebSiteEdit()->text(), QStringLiteral("https://bank.example/"));
    QCOMPARE(dialog.EMailEdit()->text(), QStringLiteral("https://bank.example/"));

    std::vector<std::string> opened;
    dialog.m_fnOpenLink = [&opened](const std::string& strTarget) {
        opened.push_back(strTarget);
        return 2; // "The specified file was not found."
    };
    dialog.WebSiteEdit()->setText(QStringLiteral("   "));
    dialog.Button(CAccountDlg::IDC_TEST_LINK)->click();
    QVERIFY(opened.empty());
    dialog.WebSiteEdit()->setText(QStringLiteral("  /no/such  "));
    dialog.Button(CAccountDlg::IDC_TEST_LINK)->click();
    QCOMPARE(opened, (Texts{"/no/such"}));
    QCOMPARE(d.prompts.MessageTexts().back(), FormatText(IDS_LINK_UNABLE, IDS_LINK_FILE_NOT_FOUND));

    d.prompts.AnswerOpenFile("/usr/bin/env");
    dialog.Button(CAccountDlg::IDC_BROWSE)->click();
    QCOMPARE(dialog.WebSiteEdit()->text(), QStringLiteral("/usr/bin/env"));
    QCOMPARE(d.prompts.Calls().back().m_file.m_strTitle, std::string("Select a program or file"));
    d.prompts.CancelOpenFile();
    dialog.Button(CAccountDlg::IDC_BROWSE)->click();
    QCOMPARE(dialog.WebSiteEdit()->text(), QStringLiteral("/usr/bin/env"));
}

void CEditDialogsTest::commentsKeepTheirLineEnds() {
    SDoc d{"A", "A/x"};
    CPasswordInfo texts = d.doc.Records().back();
    texts.SetComments("lone\nbreak\r\npair");
    d.doc.ReplaceAccount(&d.doc.Records().back(), "A", texts);
    CAccountDlg dialog(d.doc, d.prompts);
    dialog.Load(Editing(d, "A", "x"));
    QCOMPARE(dialog.CommentsEdit()->toPlainText(), QStringLiteral("lone\nbreak\npair"));
    QVERIFY(PressOk(dialog));
    // Untouched, the stored bytes come back as they were.
    QCOMPARE(dialog.Result().m_strComments, std::string("lone\nbreak\r\npair"));
    CAccountDlg typed(d.doc, d.prompts);
    typed.Load(Editing(d, "A", "x"));
    typed.CommentsEdit()->appendPlainText(QStringLiteral("more"));
    QVERIFY(PressOk(typed));
    QCOMPARE(typed.Result().m_strComments, std::string("lone\r\nbreak\r\npair\r\nmore"));
    // A character the file's code page cannot hold is refused by name.
    CAccountDlg bad(d.doc, d.prompts);
    bad.Load(Editing(d, "A", "x"));
    bad.UserNameEdit()->setText(QString::fromUtf8("\xE2\x82\xAC\xE4\xB8\xAD"));
    QVERIFY(!PressOk(bad));
    QVERIFY(d.prompts.MessageTexts().back().find("U+4E2D") != std::string::npos);
}

// What the user does in an account dialog opened on "A/x" (texts filled in)
// or on a new account of group "A".
using CDialogChange = std::function<void(CAccountDlg&)>;

void CEditDialogsTest::changesAreNotThrownAwayUnasked_data() {
    QTest::addColumn<bool>("bEdit");
    QTest::addColumn<QString>("strChange");
    QTest::addColumn<bool>("bAsks");
    for (const bool bEdit : {false, true}) {
        const char* pszMode = bEdit ? "edit" : "add";
        for (const char* pszChange : {"account", "user name", "password", "generate", "hyperlink",
                                      "e-mail", "comments", "group"})
            QTest::addRow("%s: %s", pszMode, pszChange) << bEdit << pszChange << true;
        // Looking is no change, nor is a text typed and taken back.
        for (const char* pszChange : {"nothing", "show password", "typed and undone"})
            QTest::addRow("%s: %s", pszMode, pszChange) << bEdit << pszChange << false;
    }
}

void CEditDialogsTest::changesAreNotThrownAwayUnasked() {
    QFETCH(bool, bEdit);
    QFETCH(QString, strChange);
    QFETCH(bool, bAsks);
    const std::map<QString, CDialogChange> changes = {
        {"account", [](CAccountDlg& dlg) { dlg.AccountEdit()->insert(QStringLiteral("2")); }},
        {"user name", [](CAccountDlg& dlg) { dlg.UserNameEdit()->setText(QStringLiteral("u")); }},
        {"password", [](CAccountDlg& dlg) { dlg.PasswordEdit()->insert(QStringLiteral("!")); }},
        {"generate", [](CAccountDlg& dlg) { dlg.Button(CAccountDlg::IDC_GENERATE)->click(); }},
        {"hyperlink", [](CAccountDlg& dlg) { dlg.WebSiteEdit()->setText(QStringLiteral("h")); }},
        {"e-mail", [](CAccountDlg& dlg) { dlg.EMailEdit()->setText(QStringLiteral("e")); }},
        {"comments",
         [](CAccountDlg& dlg) { dlg.CommentsEdit()->appendPlainText(QStringLiteral("c")); }},
        {"group", [](CAccountDlg& dlg) { ChooseGroup(dlg.GroupList(), QStringLiteral("B")); }},
        {"nothing", [](CAccountDlg&) {}},
        {"show password", [](CAccountDlg& dlg) { dlg.ShowPasswordButton()->click(); }},
        {"typed and undone",
         [](CAccountDlg& dlg) {
             dlg.UserNameEdit()->insert(QStringLiteral("zz"));
             dlg.UserNameEdit()->backspace();
             dlg.UserNameEdit()->backspace();
         }},
    };
    SDoc d{"A", "A/x", "B"};
    std::vector<std::string> failures;
    d.prompts.m_fnFail = [&failures](const std::string& strWhy) { failures.push_back(strWhy); };
    CPasswordInfo texts = *d.Find("A", "x");
    texts.SetUserName("ann");
    texts.SetPassword("pw");
    texts.SetWebSite("https://a.example/");
    texts.SetEMail("ann@a.example");
    const CPasswordInfo& x = *d.doc.ReplaceAccount(d.Find("A", "x"), "A", texts);
    CAccountDlg dialog(d.doc, d.prompts);
    SAccountDlgData data = bEdit ? Editing(d, "A", "x") : SAccountDlgData{};
    if (bEdit) {
        data.m_strUserName = x.UserName();
        data.m_strPassword = x.Password();
        data.m_strWebSite = x.WebSite();
        data.m_strEMail = x.EMail();
    } else {
        data.m_strGroup = "A";
    }
    data.m_generator.m_nFlags = 0x04;
    data.m_generator.m_strLength = "9";
    dialog.Load(data);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    changes.at(strChange)(dialog);
    QCOMPARE(dialog.IsChanged(), bAsks);

    // Escape: asked, No (the default) keeps the dialog and what it holds.
    if (bAsks)
        d.prompts.AnswerMessage(EMsgAnswer::no);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
    QCOMPARE(dialog.isVisible(), bAsks);
    QCOMPARE(d.prompts.Messages().size(), std::size_t(bAsks ? 1 : 0));
    QVERIFY(failures.empty());
    if (!bAsks) {
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        return;
    }
    const SPromptMessage& asked = d.prompts.Messages().front();
    QCOMPARE(asked.m_strText, std::string(IDS_DISCARD_ACCOUNT_CHANGES));
    QCOMPARE(asked.m_eButtons, EMsgButtons::yesNoDefaultNo);
    QVERIFY(dialog.IsChanged());
    // Yes lets the work go.
    d.prompts.AnswerMessage(EMsgAnswer::yes);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(d.prompts.Messages().size(), std::size_t(2));
}

void CEditDialogsTest::everyWayOutAsksAndNoKeepsTheWork() {
    SDoc d{"A"};
    const auto filled = [](CAccountDlg& dialog) {
        dialog.Load(SAccountDlgData{});
        dialog.show();
        dialog.AccountEdit()->setText(QStringLiteral("typed"));
    };
    // The Cancel button and the window's close button ask as Escape does.
    const std::vector<std::function<void(CAccountDlg&)>> ways = {
        [](CAccountDlg& dlg) { dlg.findChild<QPushButton*>("cancelButton")->click(); },
        [](CAccountDlg& dlg) { dlg.close(); },
    };
    for (const auto& fnLeave : ways) {
        CAccountDlg dialog(d.doc, d.prompts);
        filled(dialog);
        d.prompts.ClearRecord();
        d.prompts.AnswerMessage(EMsgAnswer::no);
        fnLeave(dialog);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.AccountEdit()->text(), QStringLiteral("typed"));
        d.prompts.AnswerMessage(EMsgAnswer::yes);
        fnLeave(dialog);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(d.prompts.MessageTexts(),
                 (Texts{IDS_DISCARD_ACCOUNT_CHANGES, IDS_DISCARD_ACCOUNT_CHANGES}));
    }
    // OK keeps the work: nothing to ask.
    CAccountDlg dialog(d.doc, d.prompts);
    filled(dialog);
    d.prompts.ClearRecord();
    QVERIFY(PressOk(dialog));
    QVERIFY(d.prompts.Messages().empty());
    QCOMPARE(dialog.Result().m_strAccount, std::string("typed"));

    // A name longer than the edit holds is shown cut, which is no change.
    const std::string strLong(CAccountDlg::MAX_ACCOUNT_LENGTH + 20, 'n');
    const std::string strItem = "A/" + strLong;
    SDoc l{"A", strItem.c_str()};
    CAccountDlg untouched(l.doc, l.prompts);
    untouched.Load(Editing(l, "A", strLong));
    untouched.show();
    untouched.reject();
    QVERIFY(!untouched.isVisible());
    QVERIFY(l.prompts.Messages().empty());
}

void CEditDialogsTest::groupNamesFollowTheirRules() {
    SDoc d{"Bank", "Mail"};
    CAddGroupDlg add(d.doc, d.prompts);
    QCOMPARE(add.windowTitle(), QStringLiteral("Add Group"));
    QVERIFY(!PressOk(add));
    add.NameEdit()->setText(QStringLiteral("Bank"));
    QVERIFY(!PressOk(add));
    QVERIFY(add.NameEdit()->text().isEmpty());
    QCOMPARE(d.prompts.MessageTexts(),
             (Texts{"Group name should not be empty.", "Group name should not be same."}));
    for (const char* pszName : {"bank", " "}) {
        add.NameEdit()->setText(QString::fromLatin1(pszName));
        QVERIFY(PressOk(add));
        QCOMPARE(add.m_strName, std::string(pszName));
    }
    add.NameEdit()->setText(QString(300, QLatin1Char('g')));
    QCOMPARE(add.NameEdit()->text().size(), 255);

    CEditGroupDlg edit(d.doc, d.prompts);
    edit.m_strGroup = "Mail";
    edit.Load();
    QCOMPARE(edit.windowTitle(), QStringLiteral("Edit Group"));
    edit.NameEdit()->setText(QStringLiteral("Mail")); // its own name
    QVERIFY(!PressOk(edit));
    ChooseGroup(edit.GroupList(), QStringLiteral("Bank"));
    edit.NameEdit()->setText(QStringLiteral("Money"));
    QVERIFY(PressOk(edit));
    QCOMPARE(edit.m_strGroup, std::string("Bank"));
    QCOMPARE(edit.m_strName, std::string("Money"));
}

void CEditDialogsTest::theLastGroupIsNeverDeleted() {
    SDoc d{"Only"};
    CDeleteGroupDlg dialog(d.doc, d.prompts);
    dialog.m_strGroup = "Only";
    dialog.Load();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Delete Group"));
    QVERIFY(!PressOk(dialog));
    QCOMPARE(d.prompts.MessageTexts(), (Texts{"At least one(1) group should be contained."}));
    dialog.reject();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(CEditDialogsTest)
#include "EditDialogsTest.moc"
