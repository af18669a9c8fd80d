// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/base/CommandIds.h"
#include "core/store/CodePage.h"
#include "core/tree/SortedLabelTree.h"
#include "core/tree/TreeSearch.h"
#include "gui/shell/SearchBar.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using Labels = std::vector<std::string>;

namespace {

// The file item shows as "<file>" in the paths below.
std::string Where(const CViewFixture& fx) {
    return fx.Current().isValid() && fx.Current() == fx.Item() ? "<file>" : fx.CurrentPath();
}

// Bank: Bank Card, card 2 / empty / Mail: Bank_card, Cards, in a file
// named "cards.pwd".
void FillCards(CViewFixture& fx) {
    fx.NewKeyedDocument("Mail: Cards, Bank_card / empty / Bank: card 2, Bank Card", "cards.pwd");
}

// Presses Find Next through the bar's button with strText typed.
std::string FindNext(CViewFixture& fx, const char* pszText = nullptr) {
    CSearchBar* pBar = fx.m_pFrame->SearchBar();
    if (pszText)
        pBar->Edit()->setText(QString::fromUtf8(pszText));
    // The frame enables its bar's buttons while idle; the view carries the
    // command, so Find Next is enabled.
    pBar->UpdateButtons();
    QTest::mouseClick(pBar->FindNextButton(), Qt::LeftButton);
    return Where(fx);
}

} // namespace

class CViewSearchTest : public QObject {
    Q_OBJECT
private slots:
    void findNextStepsThroughMatchesAndWraps();
    void nothingFoundShowsTheMessageAndStartsOver();
    void matchOptionsComeFromTheBar();
    void showingTheBarOrOpeningAFileRestarts();
    void enterInTheBarFindsAndAgreesWithTheSharedWalk();
    void barKeysFindFromEveryControlAndEscapeHides();
};

void CViewSearchTest::findNextStepsThroughMatchesAndWraps() {
    CViewFixture fx;
    FillCards(fx);
    fx.Show();
    // Tree order, empty groups passed, the file item after the last group.
    const Labels expected = {"Bank/Bank Card", "Bank/card 2", "Mail/Bank_card",
                             "Mail/Cards",     "<file>",      "Bank/Bank Card"};
    Labels reached;
    for (std::size_t i = 0; i < expected.size(); ++i)
        reached.push_back(FindNext(fx, "card"));
    QCOMPARE(reached, expected);
    // Selecting the file item left the panel showing the last account.
    QCOMPARE(fx.m_pView->UserNameBox()->text(), QStringLiteral("user-Bank Card"));
    QVERIFY(fx.m_prompts.Messages().empty());
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewSearchTest::nothingFoundShowsTheMessageAndStartsOver() {
    CViewFixture fx;
    FillCards(fx);
    fx.Show();
    QCOMPARE(FindNext(fx, "loan"), std::string("Bank/Bank Card")); // the first selection stays
    QCOMPARE(fx.m_prompts.MessageTexts(), (Labels{"Can't find account which contains \"loan\""}));
    QCOMPARE(fx.m_prompts.Messages().back().m_eIcon, EMsgIcon::exclamation);
    // An empty text finds nothing, with nothing between the quotes.
    fx.m_prompts.ClearRecord();
    FindNext(fx, "");
    QCOMPARE(fx.m_prompts.MessageTexts(), (Labels{"Can't find account which contains \"\""}));
    // A character the code page cannot hold is in no label.
    fx.m_prompts.ClearRecord();
    FindNext(fx, "\xC4\x81");
    QCOMPARE(fx.m_prompts.MessageTexts().size(), size_t(1));
    // After a miss the next search starts at the first group.
    QCOMPARE(FindNext(fx, "mail"), std::string("Mail"));
    QCOMPARE(FindNext(fx, "bank"), std::string("Mail/Bank_card"));
    QCOMPARE(FindNext(fx, "bank"), std::string("Bank"));
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewSearchTest::matchOptionsComeFromTheBar() {
    CViewFixture fx;
    FillCards(fx);
    fx.Show();
    CSearchBar* pBar = fx.m_pFrame->SearchBar();
    pBar->MatchCaseBox()->setChecked(true);
    // card 2, Bank_card and the file's "cards" differ in case.
    QCOMPARE(FindNext(fx, "Card"), std::string("Bank/Bank Card"));
    QCOMPARE(FindNext(fx, "Card"), std::string("Mail/Cards"));
    QCOMPARE(FindNext(fx, "Card"), std::string("Bank/Bank Card"));
    pBar->MatchCaseBox()->setChecked(false);
    pBar->MatchWordBox()->setChecked(true);
    fx.m_pView->ResetSearch();
    Labels reached;
    for (int i = 0; i < 3; ++i)
        reached.push_back(FindNext(fx, "card"));
    // card 2 and Bank Card; Bank_card and Cards are not whole words.
    QCOMPARE(reached, (Labels{"Bank/Bank Card", "Bank/card 2", "Bank/Bank Card"}));
    QVERIFY(fx.m_prompts.Messages().empty());
}

void CViewSearchTest::showingTheBarOrOpeningAFileRestarts() {
    CViewFixture fx;
    FillCards(fx);
    CCofferView& view = fx.Show();
    QObject::connect(fx.m_pFrame.get(), &CMainFrame::SearchReset, &view, &CCofferView::ResetSearch);
    FindNext(fx, "card");
    QCOMPARE(FindNext(fx, "card"), std::string("Bank/card 2"));
    fx.m_pFrame->RunCommand(ID_VIEW_SEARCHBAR); // shown: the text is emptied too
    QCOMPARE(FindNext(fx, "card"), std::string("Bank/Bank Card"));
    FindNext(fx, "card");
    view.OnInitialUpdate();
    QCOMPARE(FindNext(fx, "card"), std::string("Bank/Bank Card"));
    QVERIFY(fx.m_prompts.Messages().empty());
}

void CViewSearchTest::enterInTheBarFindsAndAgreesWithTheSharedWalk() {
    CViewFixture fx;
    FillCards(fx);
    fx.Show();
    // The walk keyhaven-cli prints, over the document's own sorted records.
    const std::vector<STreeGroup> tree = SortedTree(fx.m_pDoc->Records(), CCodePage::Default());
    const CSortedLabelTree labels(tree, "cards");
    Labels expected;
    for (const STreePos& pos : FindAll(labels, "a", {}, CCodePage::Default())) {
        const std::vector<std::string_view> path = labels.LabelPath(pos);
        expected.push_back(path.size() == 1   ? "<file>"
                           : path.size() == 2 ? std::string(path[1])
                                              : std::string(path[1]) + "/" + std::string(path[2]));
    }
    QCOMPARE(expected.size(), size_t(7));
    QLineEdit* pEdit = fx.m_pFrame->SearchBar()->Edit();
    pEdit->setText(QStringLiteral("a"));
    Labels reached;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QTest::keyClick(pEdit, Qt::Key_Return);
        reached.push_back(Where(fx));
    }
    QCOMPARE(reached, expected);
}

void CViewSearchTest::barKeysFindFromEveryControlAndEscapeHides() {
    CViewFixture fx;
    FillCards(fx);
    fx.Show();
    fx.m_pFrame->show();
    CSearchBar* pBar = fx.m_pFrame->SearchBar();
    fx.m_pFrame->RunCommand(ID_VIEW_SEARCHBAR);
    pBar->Edit()->setText(QStringLiteral("card"));
    // Enter on each control steps to the next match, once.
    Labels reached;
    for (QWidget* pControl : std::initializer_list<QWidget*>{
             pBar->Edit(), pBar->MatchWordBox(), pBar->MatchCaseBox(), pBar->HideButton()}) {
        QTest::keyClick(pControl, Qt::Key_Return);
        reached.push_back(Where(fx));
    }
    QCOMPARE(reached, (Labels{"Bank/Bank Card", "Bank/card 2", "Mail/Bank_card", "Mail/Cards"}));
    // Escape hides the bar only from its edit.
    QTest::keyClick(pBar->MatchCaseBox(), Qt::Key_Escape);
    QVERIFY(pBar->isVisible());
    QTest::keyClick(pBar->Edit(), Qt::Key_Escape);
    QVERIFY(!pBar->isVisible());
    QCOMPARE(fx.m_pFrame->Commands().Update(ID_VIEW_SEARCHBAR).nCheck, 0);
}

QTEST_MAIN(CViewSearchTest)
#include "ViewSearchTest.moc"
