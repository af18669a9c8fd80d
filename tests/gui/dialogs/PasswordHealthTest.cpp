// SPDX-License-Identifier: GPL-3.0-or-later
// The Password Health dialog over a file with an empty, a poor, a weak and a
// shared password, and Tools > Password Health in the main window.
#include "core/base/CommandIds.h"
#include "core/store/PasswordInfo.h"
#include "gui/dialogs/PasswordHealthDlg.h"
#include "gui/view/ViewFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr const char* OUTLINE = "Bank: Card=, Loan=Zt9#qLm2@vR8!xWc / Mail: Home=password, "
                                "Work=violet-Harbor-1987 / Shop: Web=Zt9#qLm2@vR8!xWc, "
                                "Spare=Qx7!rT2#mK9$wL4&";

// A column's cells, one a line.
QString Cells(const QTreeWidget* pList, int nColumn) {
    QStringList astr;
    for (int i = 0; i < pList->topLevelItemCount(); ++i)
        astr << pList->topLevelItem(i)->text(nColumn);
    return astr.join('\n');
}

} // namespace

class PasswordHealthTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheWorstFirstAndFollowsTheThreshold();
    void anOpenedLineEditsItsAccount();
    void toolsMenuOpensItAndKeepsTheThreshold();
    void aLargeFileIsCheckedBehindTheBusyBox_data();
    void aLargeFileIsCheckedBehindTheBusyBox();
};

void PasswordHealthTest::listsTheWorstFirstAndFollowsTheThreshold() {
    CViewFixture fx;
    fx.NewKeyedDocument(OUTLINE);
    SHealthDlgData data{"reasonable", {}};
    CPasswordHealthDlg dialog(*fx.m_pDoc, data, fx.m_prompts);
    QCOMPARE(Cells(dialog.List(), 0),
             "Bank / Card\nBank / Loan\nShop / Web\nMail / Home\nMail / Work");
    QCOMPARE(Cells(dialog.List(), 1),
             "empty\nused by 2 accounts (set 1)\nused by 2 accounts (set 1)\nweak\nweak");
    const QStringList astrStrength = Cells(dialog.List(), 2).split('\n');
    QCOMPARE(astrStrength.at(0), "none");
    QVERIFY2(astrStrength.at(3).startsWith("poor (") && astrStrength.at(4).startsWith("weak ("),
             qPrintable(astrStrength.join(',')));
    QCOMPARE(dialog.Summary()->text(), "5 of 6 accounts need attention.");
    // No cell shows a password.
    for (int nColumn = 0; nColumn < CPasswordHealthDlg::columnCount; ++nColumn)
        for (const char* pszPassword : {"Zt9#", "password", "violet", "Qx7!"})
            QVERIFY(!Cells(dialog.List(), nColumn).contains(pszPassword));

    // Each choice checks again, and is handed back.
    const std::pair<const char*, const char*> steps[] = {
        {"poor", "Bank / Card\nBank / Loan\nShop / Web"},
        {"weak", "Bank / Card\nBank / Loan\nShop / Web\nMail / Home"},
        {"excellent",
         "Bank / Card\nBank / Loan\nShop / Web\nMail / Home\nMail / Work\nShop / Spare"}};
    for (const auto& [pszWord, pszAccounts] : steps) {
        dialog.ThresholdList()->setCurrentIndex(dialog.ThresholdList()->findText(pszWord));
        QCOMPARE(data.m_strThreshold, std::string(pszWord));
        QCOMPARE(Cells(dialog.List(), 0), pszAccounts);
    }
    // A word no list offers opens at the default.
    data.m_strThreshold = "fair";
    QCOMPARE(CPasswordHealthDlg(*fx.m_pDoc, data, fx.m_prompts).ThresholdList()->currentText(),
             "reasonable");
}

void PasswordHealthTest::anOpenedLineEditsItsAccount() {
    CViewFixture fx;
    fx.NewKeyedDocument(OUTLINE);
    std::vector<std::string> astrEdited;
    SHealthDlgData data{"reasonable", [&](const CPasswordInfo* pAccount) {
                            astrEdited.push_back(pAccount->Account());
                            CPasswordInfo texts(*pAccount);
                            texts.SetPassword("Lk3$vB8!nQ2@zX6#pW");
                            fx.m_pDoc->ReplaceAccount(
                                const_cast<CPasswordInfo*>(pAccount),
                                pAccount->Account() == "Card" ? "Bank" : "Mail", texts);
                        }};
    CPasswordHealthDlg dialog(*fx.m_pDoc, data, fx.m_prompts);
    dialog.show();
    QTreeWidget* pList = dialog.List();
    // The platform's double click: press, release, double-click, release.
    const QPoint center = pList->visualItemRect(pList->topLevelItem(3)).center(); // Mail / Home
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, center);
    QMouseEvent eventDouble(QEvent::MouseButtonDblClick, center,
                            pList->viewport()->mapToGlobal(center), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(pList->viewport(), &eventDouble);
    QTest::mouseRelease(pList->viewport(), Qt::LeftButton, {}, center);
    QCOMPARE(astrEdited, std::vector<std::string>{"Home"});
    QCOMPARE(Cells(pList, 0), "Bank / Card\nBank / Loan\nShop / Web\nMail / Work");

    // Enter opens the current line too.
    pList->setCurrentItem(pList->topLevelItem(0));
    QTest::keyClick(pList, Qt::Key_Return);
    QCOMPARE(astrEdited, (std::vector<std::string>{"Home", "Card"}));
    QVERIFY(dialog.isVisible());
}

void PasswordHealthTest::toolsMenuOpensItAndKeepsTheThreshold() {
    CMemoryProfile profile;
    profile.Set(ETextSetting::healthThreshold, "good");
    CViewFixture fx(&profile);
    fx.NewKeyedDocument("Bank: Card=password");
    fx.Show();
    CMainFrame& frame = *fx.m_pFrame;
    QVERIFY(frame.Commands().Update(ID_TOOLS_HEALTH).bEnabled);
    QCOMPARE(frame.Action(ID_TOOLS_HEALTH)->text(), "Password &Health...");

    // The user picks another threshold and opens the line of "Card", whose
    // account dialog the view opens in edit mode.
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData& dlg) {
        dlg.m_strPassword = "Lk3$vB8!nQ2@zX6#pW5^";
        return true;
    });
    fx.m_editPrompts.AnswerHealth([&](SHealthDlgData& data) {
        data.m_strThreshold = "poor";
        data.m_fnEditAccount(&*std::next(fx.m_pDoc->Records().begin()));
    });
    QVERIFY(frame.RunCommand(ID_TOOLS_HEALTH));
    QCOMPARE(fx.m_editPrompts.m_vecHealthOpened, std::vector<std::string>{"good"});
    QCOMPARE(fx.m_editPrompts.m_vecAccountOpened.at(0).m_strAccount, std::string("Card"));
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Card"));
    QCOMPARE(std::next(fx.m_pDoc->Records().begin())->Password(),
             std::string("Lk3$vB8!nQ2@zX6#pW5^"));
    frame.SaveSettings();
    QCOMPARE(profile.Get(ETextSetting::healthThreshold), std::string("poor"));

    frame.HideToTray(true);
    QVERIFY(!frame.Commands().Update(ID_TOOLS_HEALTH).bEnabled);
    QVERIFY(fx.m_vecFailures.empty());
}

void PasswordHealthTest::aLargeFileIsCheckedBehindTheBusyBox_data() {
    QTest::addColumn<bool>("bLock");
    QTest::newRow("Cancel") << false;
    QTest::newRow("a lock") << true;
}

// The file is large enough for the busy box: the check runs on its copy of
// the records, and its lines still lead to the document's own accounts.
void PasswordHealthTest::aLargeFileIsCheckedBehindTheBusyBox() {
    QFETCH(bool, bLock);
    CViewFixture fx;
    fx.NewKeyedDocument("Bank: Card=password");
    for (std::size_t i = 0; fx.m_pDoc->Records().size() < CPasswordHealthDlg::BUSY_RECORDS; ++i)
        fx.Account("Bank", "Spare " + std::to_string(i), "Qx7!rT2#mK9$wL4&" + std::to_string(i));
    const CPasswordInfo* pCard = nullptr;
    for (const CPasswordInfo& info : fx.m_pDoc->Records())
        pCard = info.Account() == "Card" ? &info : pCard;
    std::vector<const CPasswordInfo*> edited;
    SHealthDlgData data{"reasonable",
                        [&](const CPasswordInfo* pAccount) { edited.push_back(pAccount); }};
    CPasswordHealthDlg dialog(*fx.m_pDoc, data, fx.m_prompts);
    QCOMPARE(fx.m_prompts.m_vecBusyTexts, std::vector<std::string>{"Checking the passwords ..."});
    QCOMPARE(fx.m_prompts.m_vecBusyKinds, std::vector<EBusyKind>{EBusyKind::stoppedByLock});
    QCOMPARE(Cells(dialog.List(), 0), "Bank / Card");
    QCOMPARE(dialog.Summary()->text(),
             QStringLiteral("1 of %1 accounts need attention.")
                 .arg(QString::fromStdString(
                     FormatCount(static_cast<long long>(fx.m_pDoc->Records().size()) - 1))));
    dialog.OpenLine(0);
    QCOMPARE(edited, std::vector<const CPasswordInfo*>{pCard});

    // Stopped, it shows nothing of a check that did not end, and says so;
    // the next threshold checks again.
    if (bLock)
        fx.m_prompts.DuringBusy([&]() { fx.m_prompts.StopWorkForLock(); });
    else
        fx.m_prompts.CancelBusy();
    dialog.ThresholdList()->setCurrentIndex(dialog.ThresholdList()->findText("poor"));
    QCOMPARE(dialog.List()->topLevelItemCount(), 0);
    QVERIFY(dialog.Report().lines.empty());
    QCOMPARE(dialog.Summary()->text(),
             "The check was cancelled. Choose a threshold to check again.");
    dialog.ThresholdList()->setCurrentIndex(dialog.ThresholdList()->findText("good"));
    QCOMPARE(Cells(dialog.List(), 0), "Bank / Card");
    // Opened, cancelled, chosen again: each checked behind the box.
    QCOMPARE(fx.m_prompts.m_vecBusyTexts.size(), 4u);
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(PasswordHealthTest)
#include "PasswordHealthTest.moc"
