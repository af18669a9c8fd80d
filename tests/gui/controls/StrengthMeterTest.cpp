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

#include <utility>
#include <vector>

// The meter under the password of the account dialog and of the generator
// page judges what is typed, loaded or generated there.
class StrengthMeterTest : public QObject {
    Q_OBJECT
private slots:
    void meterJudgesWhatIsTyped_data();
    void meterJudgesWhatIsTyped();
    void loadedAndGeneratedPasswordsAreJudged();
    void barColourFollowsTheWord();

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

// Each password lands in another band; the bar's colour is told by the word
// the label shows: red to orange below "reasonable", yellow at it, green only
// above it.
void StrengthMeterTest::barColourFollowsTheWord() {
    CStrengthMeter meter;
    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"password", {0, 20}},
        {"violet-Harbor-1987", {20, 40}},
        {"Zt9#qLm2@vR8!xWc", {40, 70}},
        {"Zt9#qLm2@vR8!xWcK", {80, 160}},
        {"#Vq8!zR2mW$k9Lp&Tz4^yN7-Qx7!rT2#mK9$wL4&", {80, 160}}};
    std::vector<EStrength> seen;
    for (const auto& [pszPassword, hues] : cases) {
        meter.SetPassword(QString::fromLatin1(pszPassword));
        const int nHue = meter.Bar()->palette().color(QPalette::Highlight).hue();
        const QString strWhat = meter.Label()->text() + " hue " + QString::number(nHue);
        QVERIFY2(nHue >= hues.first && nHue < hues.second, qPrintable(strWhat));
        QVERIFY2(meter.Label()->text().contains(StrengthWord(*meter.Strength())),
                 qPrintable(strWhat));
        seen.push_back(*meter.Strength());
    }
    // The passwords span every band, so every colour was looked at.
    QCOMPARE(seen, (std::vector<EStrength>{EStrength::poor, EStrength::weak, EStrength::reasonable,
                                           EStrength::good, EStrength::excellent}));
}

QTEST_MAIN(StrengthMeterTest)
#include "StrengthMeterTest.moc"
