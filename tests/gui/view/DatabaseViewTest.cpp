// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/interchange/KdbxTime.h"
#include "core/kdbx/KdbxDatabase.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/otp/OtpCode.h"
#include "core/store/CodePage.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/settings/Settings.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/FieldList.h"
#include "gui/view/OtpPanel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <ctime>
#include <fstream>
#include <functional>

// A database's accounts in the view: the one-time code in the detail panel
// (shown with its countdown, renewed, copied; absent for accounts and files
// without one, copied by the Password Bar's key), expired accounts marked.
class CDatabaseViewTest : public QObject {
    Q_OBJECT
private slots:
    void showsCountsDownAndCopiesTheCode();
    void aPasswordFileHasNoCodeRow();
    void thePasswordBarCopiesItWithCtrlT();
    void expiredAccountsAreStruckThrough();
    void furtherFieldsAreListedMaskedAndCopied();
    void theAccountDialogEditsWhatTheEntryHoldsBeyondItsTexts();
    void nestedGroupsShowInsideTheirParentsAndGoWithThem();
};

namespace {

constexpr const char* PASSWORD = "pw";
// RFC 6238's SHA-1 secret, "12345678901234567890", with 8 digits.
constexpr const char* OTP_URI = "otpauth://totp/Test:me?secret=GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"
                                "&digits=8&period=30&algorithm=SHA1";

using Labels = std::vector<std::string>;

std::string WriteDatabase(const QString& strFolder,
                          const std::function<void(CXmlTree&)>& fnMore = {}) {
    CKdbxFile database = NewKdbxDatabase("Vault", 1700000000);
    CKdbxVariantMap kdf = database.KdfParameters();
    kdf.SetUInt64("M", std::uint64_t(1) << 20);
    kdf.SetUInt64("I", 1);
    database.SetKdfParameters(kdf);
    CXmlTree& xml = database.Xml();
    CXmlElement& mail = AddKdbxEntry(xml, KdbxGroupAt(xml, "Work", 0),
                                     {{"Title", "Mail"},
                                      {"otp", OTP_URI},
                                      {"Department", "Почта"},
                                      {"E-mail", "me@example.org"},
                                      {"PIN", "2468"}},
                                     0);
    for (CXmlElement& string : mail.Children())
        if (string.Name() == "String" && string.ChildText("Key") == "PIN")
            string.Child("Value")->SetProtected(true);
    mail.Child("Times")->SetChildText(xml, "Expires", "True");
    mail.Child("Times")->SetChildText(xml, "ExpiryTime", KdbxTimeText(4102444800));
    CXmlElement& wiki = AddKdbxEntry(xml, KdbxGroupAt(xml, "Work", 0), {{"Title", "Wiki"}}, 0);
    wiki.Child("Times")->SetChildText(xml, "Expires", "True");
    wiki.Child("Times")->SetChildText(xml, "ExpiryTime", KdbxTimeText(1000000000));
    if (fnMore)
        fnMore(xml);
    SKdbxCredentials credentials;
    credentials.strPassword = PASSWORD;
    CKdbxBytes bytes;
    if (database.Write(credentials, bytes).eFailure != EKdbxFailure::none)
        return {};
    const std::string strPath = strFolder.toStdString() + "/Vault.kdbx";
    std::ofstream(strPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return strPath;
}

// The view over the sample database, opened as the program opens it. The
// format outlives the document, whose session asks it to the end.
struct CDatabaseFixture {
    CDatabaseFixture() {
        fx.m_pDoc->SetDatabaseFormat(&format);
        fx.m_prompts.m_pCodePage = &CCodePage::Utf8();
    }
    // Shows the view, then opens the database typing its password.
    bool Open(const std::function<void(CCofferView&)>& fnBeforeOpen = {}) {
        const std::string strPath = WriteDatabase(fx.m_dir.path(), m_fnMore);
        CCofferView& view = fx.Show();
        if (fnBeforeOpen)
            fnBeforeOpen(view);
        fx.m_prompts.AnswerDatabaseKey({PASSWORD, false, ""});
        return !strPath.empty() && fx.m_pDoc->Session().OpenDocumentFile(strPath);
    }

    CKdbxDatabaseFormat format;
    CViewFixture fx;
    // What the database holds beyond the sample's.
    std::function<void(CXmlTree&)> m_fnMore;
};

} // namespace

void CDatabaseViewTest::showsCountsDownAndCopiesTheCode() {
    // The format outlives the document, whose session asks it to the end.
    CKdbxDatabaseFormat format;
    CViewFixture fx;
    fx.m_pDoc->SetDatabaseFormat(&format);
    fx.m_prompts.m_pCodePage = &CCodePage::Utf8();
    const std::string strPath = WriteDatabase(fx.m_dir.path());
    QVERIFY(!strPath.empty());
    CCofferView& view = fx.Show();
    COtpPanel& otp = *view.OtpPanel();
    std::int64_t nNow = 59;
    otp.SetClock([&nNow] { return nNow; });
    fx.m_prompts.AnswerDatabaseKey({PASSWORD, false, ""});
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    QVERIFY(!otp.Label()->isHidden());

    // The rows come in the file's order: Mail, then Wiki.
    view.Tree()->setCurrentIndex(fx.Item(0, 0));
    QCOMPARE(fx.CurrentLabel(), std::string("Mail"));
    QCOMPARE(otp.CodeBox()->text(), QStringLiteral("9428 7082    (1 s left)"));
    QVERIFY(otp.CopyButton()->isEnabled());

    // The next second brings the next period's code.
    nNow = 1111111109;
    QTest::qWait(1100);
    QCOMPARE(otp.CodeBox()->text(), QStringLiteral("0708 1804    (1 s left)"));
    QApplication::clipboard()->clear();
    QTest::mouseClick(otp.CopyButton(), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("07081804"));
    QApplication::clipboard()->clear();

    view.Tree()->setCurrentIndex(fx.Item(0, 1));
    QCOMPARE(fx.CurrentLabel(), std::string("Wiki"));
    QCOMPARE(otp.CodeBox()->text(), QString());
    QVERIFY(!otp.CopyButton()->isEnabled());
}

void CDatabaseViewTest::aPasswordFileHasNoCodeRow() {
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Loan");
    CCofferView& view = fx.Show();
    view.Tree()->setCurrentIndex(fx.Item(0, 0));
    QVERIFY(view.OtpPanel()->Label()->isHidden());
    QVERIFY(view.OtpPanel()->CodeBox()->isHidden());
    QVERIFY(!view.OtpPanel()->CopyButton()->isEnabled());
}

void CDatabaseViewTest::thePasswordBarCopiesItWithCtrlT() {
    CDatabaseFixture db;
    CViewFixture& fx = db.fx;
    QVERIFY(db.Open());
    CPasswordBarDlg bar(fx.m_pDoc->Session(), fx.m_notifier.Model(), fx.Settings(), fx.m_prompts,
                        fx.m_editPrompts);
    bar.FillGroups();
    bar.show();
    bar.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&bar));
    const SOtpRead read = ReadOtpUri(OTP_URI);
    QVERIFY(read);
    for (const char* pszAccount : {"Mail", "Wiki"}) {
        bar.AccountList()->setCurrentIndex(bar.AccountList()->findText(pszAccount));
        emit bar.AccountList()->activated(bar.AccountList()->currentIndex());
        QApplication::clipboard()->clear();
        const std::string strBefore = OtpCode(read.settings, std::time(nullptr));
        QTest::keyClick(bar.AccountList(), Qt::Key_T, Qt::ControlModifier);
        const std::string strAfter = OtpCode(read.settings, std::time(nullptr));
        const QString strCopied = QApplication::clipboard()->text();
        if (std::string(pszAccount) == "Wiki") {
            QVERIFY(strCopied.isEmpty());
            continue;
        }
        QVERIFY2(strCopied == QString::fromStdString(strBefore) ||
                     strCopied == QString::fromStdString(strAfter),
                 qPrintable(strCopied));
    }
    QApplication::clipboard()->clear();
}

void CDatabaseViewTest::expiredAccountsAreStruckThrough() {
    CDatabaseFixture db;
    CViewFixture& fx = db.fx;
    QVERIFY(db.Open());
    // Mail expires in the year 2100, Wiki expired in 2001.
    const QModelIndex mail = fx.Item(0, 0);
    const QModelIndex wiki = fx.Item(0, 1);
    QCOMPARE(wiki.data().toString(), QStringLiteral("Wiki"));
    QVERIFY(wiki.data(Qt::FontRole).value<QFont>().strikeOut());
    QVERIFY(wiki.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("Expired on ")));
    QVERIFY(!mail.data(Qt::FontRole).isValid());
    QVERIFY(!mail.data(Qt::ToolTipRole).isValid());
    QVERIFY(!fx.Item(0).data(Qt::FontRole).isValid());
}

void CDatabaseViewTest::furtherFieldsAreListedMaskedAndCopied() {
    // The format outlives the document, whose session asks it to the end.
    CKdbxDatabaseFormat format;
    CViewFixture fx;
    fx.m_pDoc->SetDatabaseFormat(&format);
    fx.m_prompts.m_pCodePage = &CCodePage::Utf8();
    const std::string strPath = WriteDatabase(fx.m_dir.path());
    CCofferView& view = fx.Show();
    fx.m_prompts.AnswerDatabaseKey({PASSWORD, false, ""});
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    view.Tree()->setCurrentIndex(fx.Item(0, 0));
    CFieldList& fields = *view.FieldList();
    QVERIFY(!fields.isHidden());
    // Neither the e-mail, which the panel shows, nor the one-time password's
    // settings, whose code it shows.
    const auto rows = [&fields] {
        QStringList list;
        for (int i = 0; i < fields.topLevelItemCount(); ++i)
            list << fields.topLevelItem(i)->text(0) + "=" + fields.topLevelItem(i)->text(1);
        return list.join(QStringLiteral(", "));
    };
    fx.Settings().Change([](SShellSettings& values) { values.m_bMaskPasswords = 1; });
    QCOMPARE(rows(), QStringLiteral("Department=Почта, PIN=************"));
    fx.Settings().Change([](SShellSettings& values) { values.m_bMaskPasswords = 0; });
    QCOMPARE(rows(), QStringLiteral("Department=Почта, PIN=2468"));

    QApplication::clipboard()->clear();
    fields.setCurrentItem(fields.topLevelItem(1));
    QTest::keyClick(&fields, Qt::Key_Return);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2468"));
    QApplication::clipboard()->clear();

    view.Tree()->setCurrentIndex(fx.Item(0, 1));
    QCOMPARE(rows(), QString());
}

void CDatabaseViewTest::theAccountDialogEditsWhatTheEntryHoldsBeyondItsTexts() {
    CDatabaseFixture db;
    QVERIFY(db.Open());
    CViewFixture& fx = db.fx;
    CCofferView& view = *fx.m_pView;
    // The dialog opens with the entry's extras; the fields it hands back
    // show in the panel at once, and so does the expiry set.
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData& data) {
        if (!data.m_extras || data.m_extras->strOtp != OTP_URI)
            return false;
        data.m_extras->fields = {{"Room", "101", false}};
        data.m_extras->nExpiry = 1000000000;
        return true;
    });
    view.EditAccount(fx.Item(0, 0));
    QCOMPARE(fx.m_editPrompts.m_vecAccountOpened.size(), std::size_t(1));
    QVERIFY(fx.m_editPrompts.m_vecAccountOpened[0].m_history.empty());
    QCOMPARE(view.FieldList()->topLevelItemCount(), 1);
    QCOMPARE(view.FieldList()->topLevelItem(0)->text(1), QStringLiteral("101"));
    QVERIFY(fx.Item(0, 0).data(Qt::FontRole).value<QFont>().strikeOut());
    QVERIFY(fx.m_pDoc->IsModified());
    // A new account of a database opens the dialog with empty extras.
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData& data) { return !data.m_extras; });
    view.AddAccount(fx.Item(0));
    QVERIFY(fx.m_editPrompts.m_vecAccountOpened[1].m_extras == SRecordExtras());
}

// A database's groups nest in the tree, each group's accounts before the
// groups inside it. The filter opens the way to a match deep inside; a
// group renamed, moved or deleted takes the groups inside it along, in the
// tree, the Password Bar, the document and the saved file.
void CDatabaseViewTest::nestedGroupsShowInsideTheirParentsAndGoWithThem() {
    CDatabaseFixture db;
    db.m_fnMore = [](CXmlTree& xml) {
        AddKdbxEntry(xml, KdbxGroupAt(xml, "Work/Projects", 0), {{"Title", "Tracker"}}, 0);
        AddKdbxEntry(xml, KdbxGroupAt(xml, "Work/Projects/Old", 0),
                     {{"Title", "Legacy"}, {"UserName", "old-user"}}, 0);
        AddKdbxEntry(xml, KdbxGroupAt(xml, "Home", 0), {{"Title", "Bank"}}, 0);
    };
    QVERIFY(db.Open());
    CViewFixture& fx = db.fx;
    CCofferView& view = *fx.m_pView;
    QAbstractItemModelTester tester(&view.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(fx.TreeLabels(), (Labels{"Home", "  Bank", "Work", "  Mail", "  Wiki", "  Projects",
                                      "    Tracker", "    Old", "      Legacy"}));
    // The Password Bar lists every group by its whole name; the group it
    // lists the accounts of stays chosen through the renames below.
    CPasswordBarDlg bar(fx.m_pDoc->Session(), fx.m_notifier.Model(), fx.Settings(), fx.m_prompts,
                        fx.m_editPrompts);
    bar.FillGroups();
    const auto Items = [](const QComboBox* pList) {
        Labels items;
        for (int i = 0; i < pList->count(); ++i)
            items.push_back(pList->itemText(i).toStdString());
        return items;
    };
    QCOMPARE(Items(bar.GroupList()),
             (Labels{"Home", "Work", "Work/Projects", "Work/Projects/Old"}));
    bar.GroupList()->setCurrentIndex(3);
    QCOMPARE(Items(bar.AccountList()), (Labels{"Legacy"}));

    view.FilterBox()->setText(QStringLiteral("legacy"));
    QCOMPARE(fx.TreeLabels(true), (Labels{"+Work", "  +Projects", "    +Old", "      Legacy"}));
    QCOMPARE(fx.CurrentLabel(), std::string("Legacy"));
    view.FilterBox()->clear();

    const QModelIndex projects = fx.Item(2);
    QCOMPARE(projects.data().toString(), QStringLiteral("Projects"));
    view.OnLabelEdited(projects, QStringLiteral("Archive"));
    QVERIFY(fx.m_pDoc->FindGroup("Work/Archive/Old"));
    view.OnLabelEdited(fx.Item(1), QStringLiteral("Job"));
    QCOMPARE(fx.TreeLabels(), (Labels{"Home", "  Bank", "Job", "  Mail", "  Wiki", "  Archive",
                                      "    Tracker", "    Old", "      Legacy"}));
    QCOMPARE(bar.GroupList()->currentText(), QStringLiteral("Job/Archive/Old"));
    QCOMPARE(Items(bar.AccountList()), (Labels{"Legacy"}));
    QCOMPARE(fx.m_pDoc->Session().OnFileSave(), SAVE_DONE);
    const std::string strPath = fx.m_pDoc->Session().GetPathName();
    fx.m_pDoc->Session().OnFileClose();
    fx.m_prompts.AnswerDatabaseKey({PASSWORD, false, ""});
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    QCOMPARE(fx.TreeLabels(), (Labels{"Home", "  Bank", "Job", "  Mail", "  Wiki", "  Archive",
                                      "    Tracker", "    Old", "      Legacy"}));

    // A path typed into the group dialog moves the group, and what is
    // inside it, into another.
    fx.m_editPrompts.AnswerEditGroup("Job/Archive", "Home/Archive");
    view.EditGroup(fx.Item(2));
    QCOMPARE(fx.TreeLabels(), (Labels{"Home", "  Bank", "  Archive", "    Tracker", "    Old",
                                      "      Legacy", "Job", "  Mail", "  Wiki"}));
    // The account shown, deep inside the group deleted, leaves the panel.
    view.Tree()->SelectItem(fx.Item(2, 0));
    QCOMPARE(view.UserNameBox()->text(), QStringLiteral("old-user"));
    fx.m_editPrompts.AnswerDeleteGroup("Home");
    view.DeleteGroup(fx.Item(0));
    QCOMPARE(fx.TreeLabels(), (Labels{"Job", "  Mail", "  Wiki"}));
    QVERIFY(view.UserNameBox()->text().isEmpty());
    QCOMPARE(fx.m_pDoc->Records().size(), std::size_t(3));
}

QTEST_MAIN(CDatabaseViewTest)
#include "DatabaseViewTest.moc"
