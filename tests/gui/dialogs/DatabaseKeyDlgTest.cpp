// SPDX-License-Identifier: GPL-3.0-or-later
// The key dialog of another manager's database: what OK accepts and refuses,
// "No password" against an empty one, and Browse through the prompt seam.

#include "gui/dialogs/DatabaseKeyDlg.h"

#include "core/interchange/DatabaseKey.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class CDatabaseKeyDlgTest : public QObject {
    Q_OBJECT
private slots:
    void okAcceptsOrRefuses_data();
    void okAcceptsOrRefuses();
    void browseFillsTheKeyFile();
};

void CDatabaseKeyDlgTest::okAcceptsOrRefuses_data() {
    // Why the key is asked, and the title that tells it.
    QTest::addColumn<int>("nKind");
    QTest::addColumn<QString>("strTitle");
    QTest::addColumn<QString>("strPassword");
    QTest::addColumn<QString>("strConfirm");
    QTest::addColumn<bool>("bNoPassword");
    QTest::addColumn<QString>("strKeyFile");
    QTest::addColumn<QString>("strRefusal"); // "" when OK closes the dialog

    const int OPEN = int(EDatabaseKeyKind::open);
    const int CREATE = int(EDatabaseKeyKind::create);
    const int CURRENT = int(EDatabaseKeyKind::current);
    const int UNLOCK = int(EDatabaseKeyKind::unlock);
    const int CHANGE = int(EDatabaseKeyKind::change);
    const QString strOpen = QStringLiteral("Open KeePass Database");
    const QString strCurrent = QStringLiteral("Change Key: Current Database Key");
    const QString strUnlock = QStringLiteral("Unlock KeePass Database");
    const QString strCreate = QStringLiteral("New KeePass Database");
    const QString strChange = QStringLiteral("Change Key: New Database Key");

    QTest::newRow("open, a password") << OPEN << strOpen << "pw"
                                      << "" << false << ""
                                      << "";
    // An empty password is a key of its own, unlike none at all.
    QTest::newRow("unlock, an empty password") << UNLOCK << strUnlock << ""
                                               << "" << false << ""
                                               << "";
    QTest::newRow("current, a key file alone") << CURRENT << strCurrent << "typed"
                                               << "" << true << "/k.keyx"
                                               << "";
    QTest::newRow("open, nothing at all") << OPEN << strOpen << ""
                                          << "" << true << "" << DATABASE_KEY_NOTHING;
    QTest::newRow("new database, the same twice") << CREATE << strCreate << "pw"
                                                  << "pw" << false << ""
                                                  << "";
    QTest::newRow("change, two passwords") << CHANGE << strChange << "pw"
                                           << "pW" << false << "" << DATABASE_KEY_DIFFER;
    QTest::newRow("change, a key file alone") << CHANGE << strChange << "a"
                                              << "b" << true << "/k.key"
                                              << "";
}

void CDatabaseKeyDlgTest::okAcceptsOrRefuses() {
    QFETCH(int, nKind);
    QFETCH(QString, strTitle);
    QFETCH(QString, strPassword);
    QFETCH(QString, strConfirm);
    QFETCH(bool, bNoPassword);
    QFETCH(QString, strKeyFile);
    QFETCH(QString, strRefusal);

    CScriptedPrompts prompts;
    const auto eKind = EDatabaseKeyKind(nKind);
    CDatabaseKeyDlg dialog(prompts, QStringLiteral("Family.kdbx"), eKind);
    QCOMPARE(dialog.windowTitle(), strTitle);
    // A new key's password is typed twice.
    QCOMPARE(dialog.ConfirmEdit() != nullptr,
             eKind == EDatabaseKeyKind::create || eKind == EDatabaseKeyKind::change);
    QCOMPARE(dialog.PasswordEdit()->echoMode(), QLineEdit::Password);
    // Every label's mnemonic leads to its field.
    for (QLabel* pLabel : dialog.findChildren<QLabel*>()) {
        if (pLabel->text().contains(QLatin1Char('&')))
            QVERIFY2(pLabel->buddy(), qPrintable(pLabel->text()));
    }
    dialog.PasswordEdit()->setText(strPassword);
    if (dialog.ConfirmEdit())
        dialog.ConfirmEdit()->setText(strConfirm);
    dialog.NoPasswordBox()->setChecked(bNoPassword);
    // "No password" empties the password and takes it out of reach.
    QCOMPARE(dialog.PasswordEdit()->isEnabled(), !bNoPassword);
    if (bNoPassword)
        QVERIFY(dialog.PasswordEdit()->text().isEmpty());
    dialog.KeyFileEdit()->setText(strKeyFile);
    dialog.show();
    dialog.accept();

    if (strRefusal.isEmpty()) {
        QVERIFY(prompts.Messages().empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_key.m_bNoPassword, bNoPassword);
        QCOMPARE(QString::fromStdString(dialog.m_key.m_strPassword),
                 bNoPassword ? QString() : strPassword);
        QCOMPARE(QString::fromStdString(dialog.m_key.m_strKeyFile), strKeyFile);
    } else {
        QCOMPARE(prompts.MessageTexts(), std::vector<std::string>{strRefusal.toStdString()});
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.m_key.m_strPassword.empty());
    }
}

void CDatabaseKeyDlgTest::browseFillsTheKeyFile() {
    CScriptedPrompts prompts;
    CDatabaseKeyDlg dialog(prompts, QStringLiteral("Family.kdbx"), EDatabaseKeyKind::open);
    prompts.CancelOpenFile();
    dialog.BrowseButton()->click();
    QVERIFY(dialog.KeyFileEdit()->text().isEmpty());
    prompts.AnswerOpenFile("/home/me/family.keyx");
    dialog.BrowseButton()->click();
    QCOMPARE(dialog.KeyFileEdit()->text(), QStringLiteral("/home/me/family.keyx"));
    QCOMPARE(prompts.Calls().back().m_file.m_strTitle, std::string(DATABASE_KEY_FILE_TITLE));
    QCOMPARE(prompts.Calls().back().m_file.m_strFilter, std::string(DATABASE_KEY_FILE_FILTERS));
}

QTEST_MAIN(CDatabaseKeyDlgTest)
#include "DatabaseKeyDlgTest.moc"
