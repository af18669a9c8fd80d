// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/StrengthMeter.h"
#include "core/base/OptionsData.h"
#include "core/store/CofferDoc.h"
#include "gui/controls/DragEdit.h"
#include "gui/dialogs/AccountDlg.h"
#include "gui/dialogs/OptionsGeneratorPage.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

// The meter under the password of the account dialog and of the generator
// page judges what is typed, loaded or generated there.
class StrengthMeterTest : public QObject {
    Q_OBJECT
private slots:
    void meterJudgesWhatIsTyped_data();
    void meterJudgesWhatIsTyped();
    void loadedAndGeneratedPasswordsAreJudged();

private:
    CCofferDoc m_doc;
    CScriptedPrompts m_prompts;
    SOptionsData m_options;
};

void StrengthMeterTest::meterJudgesWhatIsTyped_data() {
    QTest::addColumn<bool>("bAccountDialog");
    QTest::newRow("account dialog") << true;
    QTest::newRow("generator page") << false;
}

void StrengthMeterTest::meterJudgesWhatIsTyped() {
    QFETCH(bool, bAccountDialog);
    m_doc.OnNewDocument();
    CAccountDlg dialog(m_doc, m_prompts);
    dialog.Load(SAccountDlgData());
    COptionsGeneratorPage page(m_options, m_prompts, nullptr);
    QLineEdit* pEdit = bAccountDialog
                           ? dialog.PasswordEdit()
                           : page.findChild<QLineEdit*>(QStringLiteral("GeneratedPassword"));
    CStrengthMeter* pMeter = bAccountDialog ? dialog.StrengthMeter() : page.StrengthMeter();
    QCOMPARE(pMeter->Bar()->accessibleName(), QStringLiteral("Password strength"));
    QCOMPARE(pMeter->Label()->text(), QStringLiteral("Strength: none"));

    // A dictionary word is poor; a long random tail typed after it makes the
    // password strong, key by key.
    QTest::keyClicks(pEdit, QStringLiteral("password"));
    QCOMPARE(pMeter->Label()->text(),
             QStringLiteral("Strength: poor (%1 bits)").arg(qRound(pMeter->Bits())));
    const int nPoorBar = pMeter->Bar()->value();
    QVERIFY(nPoorBar > 0);
    QTest::keyClicks(pEdit, QStringLiteral("#Vq8!zR2mW$k9Lp&Tz4^yN7"));
    QVERIFY2(*pMeter->Strength() >= EStrength::good, qPrintable(pMeter->Label()->text()));
    QVERIFY(pMeter->Bar()->value() > nPoorBar);

    pEdit->clear();
    QCOMPARE(pMeter->Label()->text(), QStringLiteral("Strength: none"));
    QCOMPARE(pMeter->Bar()->value(), 0);
}

void StrengthMeterTest::loadedAndGeneratedPasswordsAreJudged() {
    m_options.m_generator = {15, "5", "8", "24"};
    COptionsGeneratorPage page(m_options, m_prompts, nullptr);
    page.OnGenerate();
    const QString strGenerated = page.findChild<QLineEdit*>("GeneratedPassword")->text();
    QCOMPARE(strGenerated.size(), 24);
    QCOMPARE(page.StrengthMeter()->Bits(), EstimateBits(strGenerated.toStdString()));

    m_doc.OnNewDocument();
    CAccountDlg dialog(m_doc, m_prompts);
    SAccountDlgData data;
    data.m_strPassword = "123456";
    dialog.Load(data);
    QVERIFY(dialog.StrengthMeter()->Label()->text().startsWith("Strength: poor ("));
}

QTEST_MAIN(StrengthMeterTest)
#include "StrengthMeterTest.moc"
