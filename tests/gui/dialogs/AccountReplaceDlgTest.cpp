// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountReplaceDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class CAccountReplaceDlgTest : public QObject {
    Q_OBJECT
private slots:
    void everyButtonClosesWithItsAnswer();
    void enterAnswersNoAndEscCancels();
};

void CAccountReplaceDlgTest::everyButtonClosesWithItsAnswer() {
    for (EReplaceAnswer eAnswer : {EReplaceAnswer::yes, EReplaceAnswer::yesToAll,
                                   EReplaceAnswer::no, EReplaceAnswer::cancel}) {
        CAccountReplaceDlg dialog(QStringLiteral("Caf\u00e9 <b>"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Account Replace Confirm"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("AccountName"))->text(),
                 QStringLiteral("Caf\u00e9 <b>"));
        QTimer::singleShot(0, dialog.Button(eAnswer), &QPushButton::click);
        dialog.exec();
        QCOMPARE(dialog.m_eAnswer, eAnswer);
        QVERIFY(!dialog.isVisible());
    }
}

void CAccountReplaceDlgTest::enterAnswersNoAndEscCancels() {
    CAccountReplaceDlg dialog(QStringLiteral("Loan"));
    QCOMPARE(dialog.Button(EReplaceAnswer::no)->text(), QStringLiteral("&NO"));
    QVERIFY(dialog.Button(EReplaceAnswer::no)->isDefault());
    QTimer::singleShot(0, &dialog, [&dialog]() { QTest::keyClick(&dialog, Qt::Key_Return); });
    dialog.exec();
    QCOMPARE(dialog.m_eAnswer, EReplaceAnswer::no);
    QTimer::singleShot(0, &dialog, [&dialog]() { QTest::keyClick(&dialog, Qt::Key_Escape); });
    dialog.exec();
    QCOMPARE(dialog.m_eAnswer, EReplaceAnswer::cancel);
}

QTEST_MAIN(CAccountReplaceDlgTest)
#include "AccountReplaceDlgTest.moc"
