// SPDX-License-Identifier: GPL-3.0-or-later
// The account dialog of a database's account: its tabs of fields, one-time
// password, tags and expiry, attachments and earlier versions, what OK
// refuses on them and what it hands back.

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/otp/OtpSettings.h"
#include "core/store/CofferDoc.h"
#include "gui/controls/DragEdit.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/dialogs/AccountAttachmentsTab.h"
#include "gui/dialogs/AccountDlg.h"
#include "gui/dialogs/AccountFieldsTab.h"
#include "gui/dialogs/AccountHistoryTab.h"
#include "gui/dialogs/AccountOtpTab.h"
#include "gui/dialogs/AccountPropertiesTab.h"
#include "gui/dialogs/AccountTabTexts.h"
#include "gui/view/OtpPanel.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

using Texts = std::vector<std::string>;

namespace {

// The RFC 6238 test secret, "12345678901234567890", in Base32.
constexpr const char* RFC_SECRET = "GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ";

struct SDb {
    SDb() { doc.OnNewDocument(); }
    // An account of the new file's group, with extras to edit.
    SAccountDlgData Data(const SRecordExtras& extras = {}) const {
        SAccountDlgData data;
        data.m_strGroup = "My Passwords";
        data.m_strAccount = "web";
        data.m_strPassword = "pw";
        data.m_extras = extras;
        return data;
    }
    CCofferDoc doc;
    CScriptedPrompts prompts;
};

bool PressOk(QDialog& dialog) {
    dialog.show();
    dialog.accept();
    return dialog.result() == QDialog::Accepted && !dialog.isVisible();
}

QTableWidgetItem* Cell(CAccountDlg& dialog, int nRow, int nColumn) {
    return dialog.FieldsTab()->Table()->item(nRow, nColumn);
}

std::string WriteFile(const CTempFolder& temp, const std::string& strName,
                      const std::string& strBytes) {
    QFile file(QString::fromStdString(temp.File(strName)));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(strBytes.data(), static_cast<qint64>(strBytes.size()));
    return temp.File(strName);
}

// The showing objects of the accessibility tree below pRoot named strName.
int ShowingNamed(QAccessibleInterface* pRoot, const QString& strName) {
    int nFound = 0;
    for (int i = 0; i < pRoot->childCount(); ++i) {
        QAccessibleInterface* pChild = pRoot->child(i);
        if (!pChild || pChild->state().invisible)
            continue;
        nFound += (pChild->text(QAccessible::Name) == strName) + ShowingNamed(pChild, strName);
    }
    return nFound;
}

} // namespace

class CAccountTabsTest : public QObject {
    Q_OBJECT
private slots:
    void aPasswordFileAccountHasNoTabs();
    void fieldNamesAreChecked_data();
    void fieldNamesAreChecked();
    void fieldsAreEditedAndMasked();
    void otpUriIsCheckedAndMadeFromASecret();
    void tagsAreSplitAndTidied_data();
    void tagsAreSplitAndTidied();
    void expiryRoundTrips();
    void attachmentsAreAddedReplacedAndSaved();
    void historyRestoresAVersion();
    void extrasChangedAsk();
};

void CAccountTabsTest::aPasswordFileAccountHasNoTabs() {
    SDb db;
    CAccountDlg plain(db.doc, db.prompts);
    SAccountDlgData data = db.Data();
    data.m_extras.reset();
    plain.Load(data);
    QVERIFY(!plain.Tabs());
    QVERIFY(!plain.findChild<QTabWidget*>());
    QVERIFY(PressOk(plain));
    QVERIFY(!plain.Result().m_extras);

    // Untouched extras come back as they came, untidy tags and all.
    SRecordExtras extras;
    extras.tags = {"b", " a", "b"};
    extras.fields = {{"Pin", "1234", true}};
    CAccountDlg database(db.doc, db.prompts);
    database.Load(db.Data(extras));
    QCOMPARE(database.Tabs()->count(), 6);
    QCOMPARE(database.Tabs()->currentIndex(), 0);
    // The bus finds the account's name as before, not the tab beside it.
    database.show();
    plain.show();
    QCOMPARE(ShowingNamed(QAccessible::queryAccessibleInterface(&database), "Account"),
             ShowingNamed(QAccessible::queryAccessibleInterface(&plain), "Account"));
    QVERIFY(!database.IsChanged());
    QVERIFY(PressOk(database));
    QVERIFY(database.Result().m_extras == extras);
    QVERIFY(db.prompts.Messages().empty());
}

void CAccountTabsTest::fieldNamesAreChecked_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("strRefusal"); // "" when OK closes the dialog
    QTest::newRow("empty") << QStringList{"Pin", ""} << IDS_FIELD_NAME_EMPTY;
    QTest::newRow("twice") << QStringList{"Pin", "Pin"}
                           << "Two fields are named \"Pin\": each field needs a name of its own.";
    for (const char* pszKey : {"Title", "UserName", "Password", "URL", "Notes", "otp"})
        QTest::addRow("key %s", pszKey)
            << QStringList{pszKey}
            << QString::fromStdString(FormatText(IDS_FIELD_NAME_RESERVED, pszKey));
    // The keys are told apart by case, as the database tells them.
    QTest::newRow("other case") << QStringList{"title", "OTP", "Pin", "pin"} << "";
}

void CAccountTabsTest::fieldNamesAreChecked() {
    QFETCH(QStringList, names);
    QFETCH(QString, strRefusal);
    SDb db;
    SRecordExtras extras;
    for (const QString& strName : names)
        extras.fields.push_back({strName.toStdString(), "v", false});
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(db.Data(extras));
    QCOMPARE(PressOk(dialog), strRefusal.isEmpty());
    if (strRefusal.isEmpty()) {
        QVERIFY(dialog.Result().m_extras->fields == extras.fields);
        return;
    }
    QCOMPARE(db.prompts.MessageTexts(), (Texts{strRefusal.toStdString()}));
    QCOMPARE(dialog.Tabs()->currentWidget(), dialog.FieldsTab());
    QCOMPARE(dialog.FieldsTab()->Table()->currentRow(), int(names.size()) - 1);
}

void CAccountTabsTest::fieldsAreEditedAndMasked() {
    SDb db;
    SRecordExtras extras;
    extras.fields = {{"Pin", "1234", true}, {"Note", "plain", false}};
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(db.Data(extras));
    QTableWidget* pTable = dialog.FieldsTab()->Table();
    const auto masked = [&](int nRow) {
        const QModelIndex index = pTable->model()->index(nRow, CAccountFieldsTab::COLUMN_VALUE);
        std::unique_ptr<QWidget> pEditor(
            pTable->itemDelegateForColumn(CAccountFieldsTab::COLUMN_VALUE)
                ->createEditor(pTable->viewport(), QStyleOptionViewItem(), index));
        const bool bEditorMasked =
            static_cast<QLineEdit*>(pEditor.get())->echoMode() == QLineEdit::Password;
        const bool bSpokenMasked = !pTable->item(nRow, CAccountFieldsTab::COLUMN_VALUE)
                                        ->data(Qt::AccessibleTextRole)
                                        .toString()
                                        .isEmpty();
        return bEditorMasked && bSpokenMasked ? 1 : !bEditorMasked && !bSpokenMasked ? 0 : -1;
    };
    QCOMPARE(masked(0), 1);
    QCOMPARE(masked(1), 0);
    dialog.ShowPasswordButton()->click();
    QCOMPARE(masked(0), 0);
    dialog.ShowPasswordButton()->click();
    Cell(dialog, 1, CAccountFieldsTab::COLUMN_PROTECTED)->setCheckState(Qt::Checked);
    QCOMPARE(masked(1), 1);
    QVERIFY(dialog.IsChanged());

    // Remove the first, then add one: a name typed in place counts at once.
    pTable->setCurrentCell(0, 0);
    dialog.FieldsTab()->RemoveButton()->click();
    dialog.FieldsTab()->AddButton()->click();
    QCOMPARE(pTable->rowCount(), 2);
    Cell(dialog, 1, CAccountFieldsTab::COLUMN_VALUE)->setText(QStringLiteral("42"));
    auto* pEditor = qobject_cast<QLineEdit*>(pTable->indexWidget(pTable->currentIndex()));
    QVERIFY(pEditor);
    pEditor->setText(QStringLiteral("Code"));
    QVERIFY(PressOk(dialog));
    QVERIFY(dialog.Result().m_extras->fields ==
            (std::vector<SRecordField>{{"Note", "plain", true}, {"Code", "42", false}}));
}

void CAccountTabsTest::otpUriIsCheckedAndMadeFromASecret() {
    SDb db;
    SRecordExtras extras;
    extras.strOtp = std::string("otpauth://totp/x?secret=") + RFC_SECRET;
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(db.Data(extras));
    CAccountOtpTab* pTab = dialog.OtpTab();
    // The RFC's first time: 94287082 in 8 digits, at second 59 of 30-second codes.
    pTab->SetClock([] { return std::int64_t(59); });
    QCOMPARE(pTab->Panel()->CodeBox()->text(), QStringLiteral("287 082    (1 s left)"));
    QVERIFY(pTab->StatusLabel()->text().isEmpty());
    // The URI and the secret hold the secret: masked while passwords are.
    QCOMPARE(pTab->UriEdit()->echoMode(), QLineEdit::Password);
    QCOMPARE(pTab->SecretEdit()->echoMode(), QLineEdit::Password);
    dialog.ShowPasswordButton()->click();
    QCOMPARE(pTab->UriEdit()->echoMode(), QLineEdit::Normal);
    dialog.ShowPasswordButton()->click();

    pTab->UriEdit()->setText(QStringLiteral("otpauth://totp/x?digits=6"));
    const std::string strWhy = ReadOtpUri("otpauth://totp/x?digits=6").strReason;
    QVERIFY(!strWhy.empty());
    QCOMPARE(pTab->StatusLabel()->text(), QString::fromStdString(strWhy));
    QVERIFY(pTab->Panel()->CodeBox()->text().isEmpty());
    QVERIFY(!PressOk(dialog));
    QCOMPARE(db.prompts.MessageTexts(), (Texts{FormatText(IDS_OTP_REFUSED, strWhy)}));
    QCOMPARE(dialog.Tabs()->currentWidget(), pTab);

    for (const char* pszSecret : {"not base32!", ""}) {
        pTab->SecretEdit()->setText(QString::fromLatin1(pszSecret));
        pTab->UseSecretButton()->click();
        QCOMPARE(pTab->StatusLabel()->text(), QString::fromLatin1(IDS_OTP_BAD_SECRET));
    }
    // A secret alone, in any case and with blanks, makes a 30-second code.
    pTab->SecretEdit()->setText(QStringLiteral("gezd gnbv gy3t qojq gezd gnbv gy3t qojq"));
    pTab->UseSecretButton()->click();
    QCOMPARE(pTab->Panel()->CodeBox()->text(), QStringLiteral("287 082    (1 s left)"));
    QVERIFY(PressOk(dialog));
    const SOtpRead read = ReadOtpUri(dialog.Result().m_extras->strOtp);
    QVERIFY(read);
    QCOMPARE(read.settings.Kind(), EOtpKind::totp);
    QCOMPARE(read.settings.Period(), OTP_DEFAULT_PERIOD);
    QCOMPARE(read.settings.Digits(), OTP_DEFAULT_DIGITS);
    QCOMPARE(read.settings.Account(), std::string("web"));
    QCOMPARE(EncodeOtpBase32(read.settings.Secret()), std::string(RFC_SECRET));

    // No URI is no one-time password, which OK keeps.
    CAccountDlg none(db.doc, db.prompts);
    none.Load(db.Data(extras));
    none.OtpTab()->UriEdit()->setText(QStringLiteral("  "));
    QCOMPARE(none.OtpTab()->StatusLabel()->text(), QString::fromLatin1(IDS_OTP_NONE));
    QVERIFY(PressOk(none));
    QCOMPARE(none.Result().m_extras->strOtp, std::string());
}

void CAccountTabsTest::tagsAreSplitAndTidied_data() {
    QTest::addColumn<QString>("strTyped");
    QTest::addColumn<QStringList>("tags");
    QTest::newRow("none") << "" << QStringList{};
    QTest::newRow("both separators") << "work; home,bank" << QStringList{"work", "home", "bank"};
    QTest::newRow("blanks and empties") << " a ;;, b ,  " << QStringList{"a", "b"};
    QTest::newRow("repeated") << "a;b;a; b" << QStringList{"a", "b"};
    QTest::newRow("case kept") << "Work;work" << QStringList{"Work", "work"};
    QTest::newRow("inner blank") << "two words" << QStringList{"two words"};
}

void CAccountTabsTest::tagsAreSplitAndTidied() {
    QFETCH(QString, strTyped);
    QFETCH(QStringList, tags);
    SDb db;
    SRecordExtras extras;
    extras.tags = {"old"};
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(db.Data(extras));
    QCOMPARE(dialog.PropertiesTab()->TagsEdit()->text(), QStringLiteral("old"));
    dialog.PropertiesTab()->TagsEdit()->setText(strTyped);
    QVERIFY(PressOk(dialog));
    std::vector<std::string> expected;
    for (const QString& strTag : tags)
        expected.push_back(strTag.toStdString());
    QCOMPARE(dialog.Result().m_extras->tags, expected);
}

void CAccountTabsTest::expiryRoundTrips() {
    SDb db;
    SRecordExtras extras;
    extras.nExpiry = 1700000005;
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(db.Data(extras));
    CAccountPropertiesTab* pTab = dialog.PropertiesTab();
    QVERIFY(pTab->ExpiresCheck()->isChecked());
    QCOMPARE(pTab->ExpiryEdit()->dateTime(), QDateTime::fromSecsSinceEpoch(1700000005));
    QCOMPARE(pTab->ExpiryEdit()->dateTime().timeSpec(), Qt::LocalTime);
    pTab->ExpiryEdit()->setDateTime(QDateTime::fromSecsSinceEpoch(1800000007));
    QVERIFY(dialog.IsChanged());
    QVERIFY(PressOk(dialog));
    QCOMPARE(dialog.Result().m_extras->nExpiry, std::optional<std::int64_t>(1800000007));

    CAccountDlg never(db.doc, db.prompts);
    never.Load(db.Data(extras));
    never.PropertiesTab()->ExpiresCheck()->setChecked(false);
    QVERIFY(!never.PropertiesTab()->ExpiryEdit()->isEnabled());
    QVERIFY(PressOk(never));
    QVERIFY(!never.Result().m_extras->nExpiry);

    CAccountDlg set(db.doc, db.prompts);
    set.Load(db.Data());
    QVERIFY(!set.PropertiesTab()->ExpiresCheck()->isChecked());
    set.PropertiesTab()->ExpiresCheck()->setChecked(true);
    set.PropertiesTab()->ExpiryEdit()->setDateTime(QDateTime::fromSecsSinceEpoch(1600000000));
    QVERIFY(PressOk(set));
    QCOMPARE(set.Result().m_extras->nExpiry, std::optional<std::int64_t>(1600000000));
}

void CAccountTabsTest::attachmentsAreAddedReplacedAndSaved() {
    SDb db;
    CTempFolder temp;
    SRecordExtras extras;
    extras.attachments = {{"a.txt", "old"}, {"b.bin", std::string("\0\1", 2)}};
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(db.Data(extras));
    CAccountAttachmentsTab* pTab = dialog.AttachmentsTab();
    QCOMPARE(pTab->List()->topLevelItem(1)->text(1), QStringLiteral("2 bytes"));

    const std::string strNew = WriteFile(temp, "c.txt", "new");
    const std::string strSame = WriteFile(temp, "a.txt", "newer");
    db.prompts.AnswerOpenFile(strNew);
    db.prompts.AnswerOpenFile(strSame);
    db.prompts.AnswerMessage(EMsgAnswer::no);
    pTab->AddButton()->click();
    pTab->AddButton()->click();
    QCOMPARE(pTab->Attachments().front().bytes, std::string("old"));
    db.prompts.AnswerOpenFile(strSame);
    db.prompts.AnswerMessage(EMsgAnswer::yes);
    pTab->AddButton()->click();
    QCOMPARE(db.prompts.Messages().size(), std::size_t(2));
    QCOMPARE(db.prompts.Messages()[0].m_strText, FormatText(IDS_REPLACE_ATTACHMENT, "a.txt"));
    QCOMPARE(db.prompts.Messages()[0].m_eButtons, EMsgButtons::yesNoDefaultNo);

    // One byte over the limit is refused, naming the limit.
    QFile large(QString::fromStdString(temp.File("large.bin")));
    QVERIFY(large.open(QIODevice::WriteOnly));
    QVERIFY(large.resize(static_cast<qint64>(MAX_RECORD_ATTACHMENT_BYTES) + 1));
    large.close();
    db.prompts.AnswerOpenFile(temp.File("large.bin"));
    pTab->AddButton()->click();
    QCOMPARE(db.prompts.MessageTexts().back(),
             FormatText(IDS_ATTACHMENT_TOO_LARGE, temp.File("large.bin"), "64"));

    // Saved to a new file of this user alone, the prompt asking before any
    // file is replaced.
    pTab->List()->setCurrentItem(pTab->List()->topLevelItem(1));
    db.prompts.AnswerSaveFile(temp.File("saved.bin"));
    pTab->SaveButton()->click();
    QCOMPARE(db.prompts.Calls().back().m_file.m_strInitialName, std::string("b.bin"));
    QVERIFY(db.prompts.Calls().back().m_file.m_bConfirmOverwrite);
    struct stat st {};
    QCOMPARE(::stat(temp.File("saved.bin").c_str(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0600u);
    QFile saved(QString::fromStdString(temp.File("saved.bin")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\0\1", 2));

    pTab->RemoveButton()->click();
    QVERIFY(PressOk(dialog));
    QVERIFY(dialog.Result().m_extras->attachments ==
            (std::vector<SRecordAttachment>{{"a.txt", "newer"}, {"c.txt", "new"}}));
    QCOMPARE(db.prompts.UnusedAnswers(), std::string());
}

void CAccountTabsTest::historyRestoresAVersion() {
    SDb db;
    CAccountDlg empty(db.doc, db.prompts);
    empty.Load(db.Data());
    QVERIFY(!empty.Tabs()->isTabEnabled(empty.Tabs()->indexOf(empty.HistoryTab())));
    QVERIFY(!empty.HistoryTab()->EmptyLabel()->isHidden());

    SRecordVersion older{1600000000,           "first",     "ann",          "pw1",
                         "https://a.example/", "a@example", "line\r\nline", {}};
    older.extras.tags = {"t1"};
    older.extras.fields = {{"Pin", "1", true}};
    SRecordVersion newer{1650000000, "second", "bob", "pw2", "", "", "", {}};
    SAccountDlgData data = db.Data();
    data.m_history = {older, newer};
    CAccountDlg dialog(db.doc, db.prompts);
    dialog.Load(data);
    CAccountHistoryTab* pTab = dialog.HistoryTab();
    QVERIFY(dialog.Tabs()->isTabEnabled(dialog.Tabs()->indexOf(pTab)));
    QVERIFY(pTab->EmptyLabel()->isHidden());
    QCOMPARE(pTab->List()->topLevelItem(0)->text(1), QStringLiteral("second"));
    QCOMPARE(pTab->List()->topLevelItem(1)->text(1), QStringLiteral("first"));
    pTab->List()->setCurrentItem(pTab->List()->topLevelItem(1));
    QCOMPARE(pTab->ShownTexts(),
             (QStringList{"first", "ann", "pw1", "https://a.example/", "a@example", "line\nline"}));
    QCOMPARE(pTab->PasswordBox()->echoMode(), QLineEdit::Password);
    dialog.ShowPasswordButton()->click();
    QCOMPARE(pTab->PasswordBox()->echoMode(), QLineEdit::Normal);

    pTab->RestoreButton()->click();
    QCOMPARE(dialog.Tabs()->currentIndex(), 0);
    QCOMPARE(dialog.AccountEdit()->text(), QStringLiteral("first"));
    QCOMPARE(dialog.PasswordEdit()->text(), QStringLiteral("pw1"));
    QCOMPARE(dialog.CommentsEdit()->toPlainText(), QStringLiteral("line\nline"));
    QCOMPARE(dialog.PropertiesTab()->TagsEdit()->text(), QStringLiteral("t1"));
    QVERIFY(dialog.IsChanged());
    QVERIFY(PressOk(dialog));
    const SAccountDlgData& result = dialog.Result();
    QCOMPARE((Texts{result.m_strAccount, result.m_strUserName, result.m_strPassword,
                    result.m_strWebSite, result.m_strEMail, result.m_strComments}),
             (Texts{"first", "ann", "pw1", "https://a.example/", "a@example", "line\r\nline"}));
    QVERIFY(*result.m_extras == older.extras);
}

void CAccountTabsTest::extrasChangedAsk() {
    SRecordExtras extras;
    extras.fields = {{"Pin", "1", false}};
    extras.attachments = {{"a.txt", "a"}};
    const std::vector<std::function<void(CAccountDlg&)>> changes = {
        [](CAccountDlg& dlg) {
            Cell(dlg, 0, CAccountFieldsTab::COLUMN_VALUE)->setText(QStringLiteral("2"));
        },
        [](CAccountDlg& dlg) { dlg.OtpTab()->UriEdit()->setText(QStringLiteral("x")); },
        [](CAccountDlg& dlg) { dlg.PropertiesTab()->TagsEdit()->setText(QStringLiteral("t")); },
        [](CAccountDlg& dlg) { dlg.PropertiesTab()->ExpiresCheck()->setChecked(true); },
        [](CAccountDlg& dlg) { dlg.AttachmentsTab()->RemoveButton()->click(); },
    };
    for (const auto& fnChange : changes) {
        SDb db;
        CAccountDlg dialog(db.doc, db.prompts);
        dialog.Load(db.Data(extras));
        dialog.show();
        fnChange(dialog);
        QVERIFY(dialog.IsChanged());
        db.prompts.AnswerMessage(EMsgAnswer::no);
        dialog.reject();
        QVERIFY(dialog.isVisible());
        QCOMPARE(db.prompts.MessageTexts(), (Texts{IDS_DISCARD_ACCOUNT_CHANGES}));
    }
}

QTEST_MAIN(CAccountTabsTest)
#include "AccountTabsTest.moc"
