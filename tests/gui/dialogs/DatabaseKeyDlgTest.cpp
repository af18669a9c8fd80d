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
    QTest::addColumn<bool>("bNew");
    QTest::addColumn<QString>("strPassword");
    QTest::addColumn<QString>("strConfirm");
    QTest::addColumn<bool>("bNoPassword");
    QTest::addColumn<QString>("strKeyFile");
    QTest::addColumn<QString>("strRefusal"); // "" when OK closes the dialog

    QTest::newRow("a password") << false << "pw"
                                << "" << false << ""
                                << "";
    // An empty password is a key of its own, unlike none at all.
    QTest::newRow("an empty password") << false << ""
                                       << "" << false << ""
                                       << "";
    QTest::newRow("a key file alone") << false << "typed"
                                      << "" << true << "/k.keyx"
                                      << "";
    QTest::newRow("nothing at all") << false << ""
                                    << "" << true << "" << DATABASE_KEY_NOTHING;
    QTest::newRow("new, the same twice") << true << "pw"
                                         << "pw" << false << ""
                                         << "";
    QTest::newRow("new, two passwords") << true << "pw"
                                        << "pW" << false << "" << DATABASE_KEY_DIFFER;
    QTest::newRow("new, a key file alone") << true << "a"
                                           << "b" << true << "/k.key"
                                           << "";
}

void CDatabaseKeyDlgTest::okAcceptsOrRefuses() {
    QFETCH(bool, bNew);
    QFETCH(QString, strPassword);
    QFETCH(QString, strConfirm);
    QFETCH(bool, bNoPassword);
    QFETCH(QString, strKeyFile);
    QFETCH(QString, strRefusal);

    CScriptedPrompts prompts;
    CDatabaseKeyDlg dialog(prompts, QStringLiteral("Family.kdbx"), bNew);
    QCOMPARE(dialog.windowTitle(),
             QString::fromLatin1(bNew ? DATABASE_NEW_KEY_TITLE : DATABASE_KEY_TITLE));
    QCOMPARE(dialog.ConfirmEdit() != nullptr, bNew);
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
    CDatabaseKeyDlg dialog(prompts, QStringLiteral("Family.kdbx"), false);
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
