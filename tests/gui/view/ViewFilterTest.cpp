// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"

#include "core/base/SettingsSchema.h"
#include "core/store/AccountDlgData.h"
#include "core/store/CodePage.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/TreeFilter.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>

using Labels = std::vector<std::string>;

namespace {

// Bank: Card (web site bank.example), Loan (e-mail loans@bank.example),
//       Savings (comment "Crème brûlée fund", password "example")
// Mail: Home (web site mail.example), Work
// Shop: Books
void FillAccounts(CViewFixture& fx) {
    fx.NewKeyedDocument("Bank / Mail / Shop");
    fx.Account("Bank", "Card", "pw", "https://bank.example/");
    fx.Account("Bank", "Loan", "pw", {}, "loans@bank.example");
    CPasswordInfo* pSavings = fx.Account("Bank", "Savings", "example");
    CPasswordInfo texts = *pSavings;
    texts.SetComments("Cr\xE8me br\xFBl\xE9\x65 fund"); // Windows-1252
    fx.m_pDoc->ReplaceAccount(pSavings, "Bank", texts);
    fx.Account("Mail", "Home", "pw", "https://mail.example/");
    fx.Account("Mail", "Work");
    fx.Account("Shop", "Books");
}

// The rows the tree shows (whether their group is open or not), groups
// and their accounts indented by two blanks; "+" marks an open group.
Labels Shown(const CViewFixture& fx) {
    return fx.TreeLabels(true);
}

void Type(CViewFixture& fx, const QString& strText) {
    fx.m_pView->FilterBox()->setText(strText);
}

// Pixels of the highlight's colour in the tree as it paints now.
int HighlightPixels(CViewFixture& fx) {
    const QImage image = fx.m_pView->Tree()->viewport()->grab().toImage();
    int nCount = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            nCount += image.pixelColor(x, y) == QColor(255, 214, 0) ? 1 : 0;
    }
    return nCount;
}

} // namespace

class CViewFilterTest : public QObject {
    Q_OBJECT
private slots:
    void narrowsByEveryFieldButThePassword_data();
    void narrowsByEveryFieldButThePassword();
    void escapeRestoresTheSelectionAndTheOpenGroups();
    void anAccountChosenWhileFilteringStaysChosen();
    void editsWhileFilteredLoseNothing();
    void typingInTheTreeStartsTheFilterAndFindsTheField();
    void matchesAreHighlightedAtTheirCharacters();
    void aUtf8DocumentIsFilteredInEveryScript();
    void noFileNoFilter();
};

void CViewFilterTest::narrowsByEveryFieldButThePassword_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<Labels>("shown");
    QTest::newRow("web site, two words in any order, any case")
        << "EXAMPLE bank" << Labels{"+Bank", "  Card", "  Loan"};
    QTest::newRow("account name") << "ome" << Labels{"+Mail", "  Home"};
    QTest::newRow("user name") << "ser-w" << Labels{"+Mail", "  Work"};
    QTest::newRow("across groups, a password alike left out")
        << "example" << Labels{"+Bank", "  Card", "  Loan", "+Mail", "  Home"};
    QTest::newRow("accents folded") << "creme brulee" << Labels{"+Bank", "  Savings"};
    QTest::newRow("a password is never searched") << "pw" << Labels{};
    QTest::newRow("a character the code page has not")
        << QString::fromUtf8("\xE2\x82\xAC\xE2\x9C\x93") << Labels{};
}

void CViewFilterTest::narrowsByEveryFieldButThePassword() {
    QFETCH(QString, query);
    QFETCH(Labels, shown);
    CViewFixture fx;
    FillAccounts(fx);
    fx.Show();
    Type(fx, query);
    QVERIFY(fx.m_pView->IsFiltering());
    QCOMPARE(Shown(fx), shown);
    // The first account shown is selected and in the panel.
    if (!shown.empty()) {
        QCOMPARE(fx.CurrentLabel(), shown[1].substr(2));
        QCOMPARE(fx.m_pView->UserNameBox()->text().toStdString(), "user-" + shown[1].substr(2));
        return;
    }
    // Nothing shown: no hidden account stays in the panel, and clearing gives
    // back the account chosen before.
    QCOMPARE(fx.m_pView->Tree()->currentIndex(), fx.m_pView->Model().FileIndex());
    QCOMPARE(fx.m_pView->UserNameBox()->text(), QString());
    fx.m_pView->FilterBox()->clear();
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Card"));
}

void CViewFilterTest::escapeRestoresTheSelectionAndTheOpenGroups() {
    CViewFixture fx;
    FillAccounts(fx);
    fx.Show();
    CAccountTreeCtrl& tree = *fx.m_pView->Tree();
    tree.SelectItem(fx.Item(2, 0));
    tree.collapse(fx.Item(0));
    const Labels before = Shown(fx);
    QCOMPARE(before, (Labels{"Bank", "  Card", "  Loan", "  Savings", "Mail", "  Home", "  Work",
                             "+Shop", "  Books"}));

    QTest::keyClicks(fx.m_pView->FilterBox(), "home");
    QCOMPARE(Shown(fx), (Labels{"+Mail", "  Home"}));
    QCOMPARE(fx.CurrentPath(), std::string("Mail/Home"));
    QTest::keyClick(fx.m_pView->FilterBox(), Qt::Key_Escape);
    QVERIFY(!fx.m_pView->IsFiltering());
    QCOMPARE(fx.m_pView->FilterBox()->text(), QString());
    QCOMPARE(Shown(fx), before);
    QCOMPARE(fx.CurrentPath(), std::string("Shop/Books"));
    QCOMPARE(fx.m_pView->UserNameBox()->text(), QStringLiteral("user-Books"));
}

void CViewFilterTest::anAccountChosenWhileFilteringStaysChosen() {
    CViewFixture fx;
    FillAccounts(fx);
    fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Card"));
    Type(fx, "example");
    fx.m_pView->Tree()->SelectItem(fx.Item(1, 0));
    QCOMPARE(fx.m_pView->UserNameBox()->text(), QStringLiteral("user-Home"));
    fx.m_pView->FilterBox()->clear();
    QVERIFY(!fx.m_pView->IsFiltering());
    QCOMPARE(fx.CurrentPath(), std::string("Mail/Home"));
    QCOMPARE(Shown(fx).size(), std::size_t(9));
}

void CViewFilterTest::editsWhileFilteredLoseNothing() {
    CViewFixture fx;
    FillAccounts(fx);
    fx.m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, 0);
    CCofferView& view = fx.Show();
    // Card and Loan shown, Savings hidden between them and the group's end.
    Type(fx, "bank");
    QCOMPARE(Shown(fx), (Labels{"+Bank", "  Card", "  Loan"}));
    fx.m_pView->Tree()->SelectItem(fx.Item(0, 1));
    view.DeleteAccount();
    // The neighbour taken is the shown one before it, not hidden Savings.
    QCOMPARE(fx.CurrentPath(), std::string("Bank/Card"));
    QCoreApplication::processEvents();
    QCOMPARE(Shown(fx), (Labels{"+Bank", "  Card"}));

    // An account added while filtering shows although it does not match.
    fx.m_editPrompts.AnswerAccount([](SAccountDlgData& data) {
        data.m_strAccount = "Pension";
        data.m_strGroup = "Shop";
        return true;
    });
    view.AddAccount();
    QCoreApplication::processEvents();
    QCOMPARE(fx.CurrentPath(), std::string("Shop/Pension"));
    QCOMPARE(Shown(fx), (Labels{"+Bank", "  Card", "+Shop", "  Pension"}));

    fx.m_pView->ClearFilter();
    QCOMPARE(fx.TreeLabels(), (Labels{"Bank", "  Card", "  Savings", "Mail", "  Home", "  Work",
                                      "Shop", "  Books", "  Pension"}));
    QCOMPARE(Shown(fx).size(), std::size_t(9));
    QCOMPARE(fx.CurrentPath(), std::string("Shop/Pension"));
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewFilterTest::typingInTheTreeStartsTheFilterAndFindsTheField() {
    CViewFixture fx;
    FillAccounts(fx);
    CCofferView& view = fx.Show();
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    view.Tree()->setFocus();
    QTest::keyClicks(view.Tree(), "wo");
    QCOMPARE(view.FilterBox()->text(), QStringLiteral("wo"));
    QVERIFY(view.FilterBox()->hasFocus());
    QCOMPARE(Shown(fx), (Labels{"+Mail", "  Work"}));
    // Enter goes back to the tree, Ctrl+K to the field with its text chosen.
    QTest::keyClick(view.FilterBox(), Qt::Key_Return);
    QVERIFY(view.Tree()->hasFocus());
    QTest::keyClick(view.Tree(), Qt::Key_K, Qt::ControlModifier);
    QVERIFY(view.FilterBox()->hasFocus());
    QCOMPARE(view.FilterBox()->selectedText(), QStringLiteral("wo"));
    QCOMPARE(view.FilterBox()->accessibleName(), QStringLiteral("Filter"));
}

void CViewFilterTest::matchesAreHighlightedAtTheirCharacters() {
    const CCodePage& page = CCodePage::Default();
    const CFieldFilter rule("BR cr\xE8me", page);
    // Windows-1252 bytes: each is one character of the label shown.
    QCOMPARE(CTreeFilter::ShownSpans(rule, "Cr\xE8me br\xFBl\xE9\x65", page),
             (std::vector<std::pair<int, int>>{{0, 5}, {6, 2}}));

    CViewFixture fx;
    FillAccounts(fx);
    CCofferView& view = fx.Show();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(HighlightPixels(fx), 0);
    Type(fx, "oan");
    QVERIFY(HighlightPixels(fx) > 0);
    // Matched in another field only: the label has nothing to mark.
    Type(fx, "loans@");
    QCOMPARE(Shown(fx), (Labels{"+Bank", "  Loan"}));
    QCOMPARE(HighlightPixels(fx), 0);
}

void CViewFilterTest::aUtf8DocumentIsFilteredInEveryScript() {
    const CCodePage& page = CCodePage::Utf8();
    // Folding changes lengths (İ folds to "i", ß to "ss"), yet the spans
    // are the label's characters as shown: 👍🏽 takes four UTF-16 units.
    QCOMPARE(CTreeFilter::ShownSpans(CFieldFilter("ss почта", page),
                                     "👍🏽 İ Straße Почта", page),
             (std::vector<std::pair<int, int>>{{11, 1}, {14, 5}}));

    CViewFixture fx;
    fx.NewKeyedDocument("Mail");
    fx.m_pDoc->SetCodePage(&page);
    for (const char* pszName : {"Ελλάδα", "Почта", "Łódź"})
        fx.Account("Mail", pszName);
    CCofferView& view = fx.Show();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(Shown(fx), (Labels{"+Mail", "  Łódź", "  Ελλάδα", "  Почта"})); // the tree order
    Type(fx, QString::fromUtf8("почта"));
    QCOMPARE(Shown(fx), (Labels{"+Mail", "  Почта"}));
    QVERIFY(HighlightPixels(fx) > 0);
    Type(fx, QStringLiteral("lodz"));
    QCOMPARE(Shown(fx), (Labels{"+Mail", "  Łódź"}));
    Type(fx, QString::fromUtf8("ελλαδα"));
    QCOMPARE(Shown(fx), (Labels{"+Mail", "  Ελλάδα"}));
}

void CViewFilterTest::noFileNoFilter() {
    CViewFixture fx;
    FillAccounts(fx);
    CCofferView& view = fx.Show();
    QVERIFY(view.FilterBox()->isEnabled());
    Type(fx, "bank");
    // Locking keeps the whole tree's place and leaves the field empty and off.
    view.RememberPlace();
    QVERIFY(!view.IsFiltering());
    QCOMPARE(view.FilterBox()->text(), QString());
    QVERIFY(!view.FilterBox()->isEnabled());
    view.RestorePlace();
    QVERIFY(view.FilterBox()->isEnabled());
    // A lock that kept the document: the field works again as the window
    // shows.
    view.RememberPlace();
    QVERIFY(!view.FilterBox()->isEnabled());
    view.show();
    QVERIFY(view.FilterBox()->isEnabled());
    Type(fx, "bank");
    view.OnEmptied();
    QVERIFY(!view.IsFiltering());
    QVERIFY(!view.FilterBox()->isEnabled());
    QCOMPARE(view.FilterBox()->text(), QString());
}

QTEST_MAIN(CViewFilterTest)
#include "ViewFilterTest.moc"
