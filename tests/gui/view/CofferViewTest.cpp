// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/ViewFixture.h"
#include "support/SampleDocument.h"

#include "core/base/CommandIds.h"
#include "core/base/SettingsSchema.h"
#include "core/store/CodePage.h"
#include "core/tree/TreeOrder.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/LinkLabel.h"
#include "gui/model/DocNotifier.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/shell/SearchBar.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/StartHint.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

using Labels = std::vector<std::string>;

namespace {

std::string Text(const QLineEdit* pEdit) {
    return pEdit->text().toStdString();
}

} // namespace

class CCofferViewTest : public QObject {
    Q_OBJECT
private slots:
    void treeIsSortedIgnoringCase();
    void fileWithoutKeyShowsNothing();
    void firstAccountOfFirstNonEmptyGroupIsSelected();
    void onlyEmptyGroupsSelectTheFirstGroup();
    void namesToReselectAreUsedOnce();
    void accountDetailsAndLinks();
    void fileItemKeepsTheDetails();
    void groupSelectionBlanksTheDetails();
    void maskingShowsTwelveAsterisks();
    void deleteSelectsTheNeighbour();
    void declinedDeleteChangesNothing();
    void deleteOutsideTheMainWindowDoesNothing();
    void deleteWithAutoSaveWritesAtOnce();
    void searchStartNeverOutlivesItsItem();
    void splitterLimitsAndPersistence();
    void maskSettingPersists();
    void commentsGrowWithHiddenBars();
    void defaultTreeWidthFollowsTheFont();
    void statusPanesCountItems_data();
    void statusPanesCountItems();
    void commandsFollowTheKey();
    void frameOwnsItsView();
    void saveAsRenamesTheFileItemAndTheTitle();
    void lockLetsGoOfEveryCopyAndComesBackToTheSamePlace();
};

void CCofferViewTest::treeIsSortedIgnoringCase() {
    CViewFixture fx;
    fx.NewKeyedDocument("b / A / c");
    for (const char* pszName : {"zeta", "Alpha", "beta"})
        fx.Account("A", pszName);
    CCofferView& view = fx.Show();
    QCOMPARE(fx.Item().data().toString().toStdString(), std::string("Home"));
    // A path is UTF-8, whatever the code page of the stored texts.
    const std::vector<CPasswordInfo> records(fx.m_pDoc->Records().begin(),
                                             fx.m_pDoc->Records().end());
    MakeKeyedDoc(*fx.m_pDoc, "secret", records,
                 "Br\xC3\xBC"
                 "cke \xE2\x98\x83 \xE6\x97\xA5\xE6\x9C\xAC.pwd");
    view.OnUpdate();
    QCOMPARE(fx.Item().data().toString(), QString::fromUtf8("Br\u00FCcke \u2603 \u65E5\u672C"));
    QCOMPARE(fx.TreeLabels(), (Labels{"A", "  Alpha", "  beta", "  zeta", "b", "c"}));
    // The document's list keeps its own order until the tree reorders it.
    QCOMPARE(fx.ListOrder(), (Labels{"G:b", "G:A", "beta", "Alpha", "zeta", "G:c"}));
    QVERIFY(fx.m_vecFailures.empty());
}

void CCofferViewTest::fileWithoutKeyShowsNothing() {
    CViewFixture fx;
    CCofferView& view = fx.Show(); // the untitled document has no KEY
    QCOMPARE(view.Model().rowCount(), 0);
    QVERIFY(!view.Tree()->isEnabled());
    QVERIFY(view.UserNameBox()->text().isEmpty());
    QVERIFY(!view.WebSiteLink()->isEnabled());
    QVERIFY(!view.EMailLink()->isEnabled());
    QVERIFY(view.WebSiteLink()->text().isEmpty());
}

void CCofferViewTest::firstAccountOfFirstNonEmptyGroupIsSelected() {
    CViewFixture fx;
    fx.NewKeyedDocument("Empty / Work: vpn, mail");
    CCofferView& view = fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("Work/mail"));
    QCOMPARE(view.CurrentGroupLabel() + "/" + view.CurrentAccountLabel(), fx.CurrentPath());
    QVERIFY(view.Tree()->isExpanded(fx.Current().parent()));
}

void CCofferViewTest::onlyEmptyGroupsSelectTheFirstGroup() {
    CViewFixture fx;
    fx.NewKeyedDocument("Zed / alpha");
    CCofferView& view = fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("alpha"));
    QVERIFY(view.CurrentAccountLabel().empty());

    // A file with no group at all selects nothing.
    fx.m_pDoc->DeleteGroup(fx.m_pDoc->FindGroup("Zed"));
    fx.m_pDoc->DeleteGroup(fx.m_pDoc->FindGroup("alpha"));
    view.OnInitialUpdate();
    QVERIFY(view.CurrentGroupLabel().empty());
    QCOMPARE(fx.CurrentPath(), std::string());
}

void CCofferViewTest::namesToReselectAreUsedOnce() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: a1 / B: b1, b2");
    CCofferView& view = fx.Show();
    view.SelectByNames("B", "b2");
    QCOMPARE(fx.CurrentPath(), std::string("B/b2"));
    // A name that is not there (case differs) leaves the group selected.
    view.SelectByNames("B", "B2");
    QCOMPARE(fx.CurrentPath(), std::string("B"));
    // Without names the rebuild falls back to the first rule.
    view.OnUpdate();
    QCOMPARE(fx.CurrentPath(), std::string("A/a1"));
}

void CCofferViewTest::accountDetailsAndLinks() {
    CViewFixture fx;
    fx.NewKeyedDocument("A");
    fx.Account("A", "bank", "s3cret", "https://bank.example/", "me@example.com");
    fx.Account("A", "plain", "x");
    CCofferView& view = fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("A/bank"));
    QCOMPARE(view.AccountNameLabel()->text(), QStringLiteral("bank"));
    QCOMPARE(Text(view.UserNameBox()), std::string("user-bank"));
    QCOMPARE(view.CommentsBox()->toPlainText(), QStringLiteral("about bank"));
    QCOMPARE(view.CopyUserNameButton()->GetDragText(), std::string("user-bank"));
    QCOMPARE(view.CopyPasswordButton()->GetDragText(), std::string("s3cret"));
    QVERIFY(view.WebSiteLink()->isEnabled());
    QCOMPARE(view.WebSiteLink()->GetLinkTarget(), std::string("https://bank.example/"));
    QCOMPARE(view.EMailLink()->text(), QStringLiteral("me@example.com"));
    QCOMPARE(view.EMailLink()->GetLinkTarget(), std::string("mailto:me@example.com"));

    // No e-mail and no web site: two blank, disabled links.
    fx.m_pView->Tree()->SelectItem(fx.Item(0, 1));
    QCOMPARE(fx.CurrentPath(), std::string("A/plain"));
    QCOMPARE(view.AccountNameLabel()->text(), QStringLiteral("plain"));
    // A group has no account to name.
    fx.m_pView->Tree()->SelectItem(fx.Item(0));
    QVERIFY(view.AccountNameLabel()->text().isEmpty());
    fx.m_pView->Tree()->SelectItem(fx.Item(0, 1));
    QVERIFY(!view.WebSiteLink()->isEnabled() && view.WebSiteLink()->text().isEmpty());
    QVERIFY(!view.EMailLink()->isEnabled() && view.EMailLink()->text().isEmpty());
}

void CCofferViewTest::fileItemKeepsTheDetails() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: kept");
    CCofferView& view = fx.Show();
    view.Tree()->setCurrentIndex(fx.Item());
    QCOMPARE(Text(view.UserNameBox()), std::string("user-kept"));
    QCOMPARE(view.CopyPasswordButton()->GetDragText(), std::string("pw"));
    QCOMPARE(view.CurrentAccountLabel(), std::string("kept"));
}

void CCofferViewTest::groupSelectionBlanksTheDetails() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: x");
    CCofferView& view = fx.Show();
    view.Tree()->SelectItem(fx.Current().parent());
    QVERIFY(view.CurrentAccountLabel().empty());
    QVERIFY(view.UserNameBox()->text().isEmpty());
    QVERIFY(view.CopyPasswordButton()->GetDragText().empty());
    QVERIFY(!view.CopyPasswordButton()->isEnabled());
}

void CCofferViewTest::maskingShowsTwelveAsterisks() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: long=a-very-long-password-indeed, none=");
    CCofferView& view = fx.Show();
    QVERIFY(view.IsMaskPasswords());
    QCOMPARE(Text(view.PasswordBox()), std::string("************"));
    QCOMPARE(view.CopyPasswordButton()->GetDragText(), std::string("a-very-long-password-indeed"));
    fx.m_pFrame->RunCommand(ID_TOOLS_MASK);
    QCOMPARE(Text(view.PasswordBox()), std::string("a-very-long-password-indeed"));
    QCOMPARE(fx.m_pFrame->Commands().Update(ID_TOOLS_MASK).nCheck, 0);
    fx.m_pFrame->RunCommand(ID_TOOLS_MASK);
    QCOMPARE(Text(view.PasswordBox()), std::string("************"));
    view.Tree()->SelectItem(fx.Item(0, 1));
    QCOMPARE(fx.CurrentLabel(), std::string("none"));
    QCOMPARE(Text(view.PasswordBox()), std::string());
}

void CCofferViewTest::deleteSelectsTheNeighbour() {
    CViewFixture fx;
    fx.m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, 0);
    fx.NewKeyedDocument("A / B");
    for (const char* pszName : {"a1", "a2", "a3"})
        fx.Account("A", pszName);
    fx.Account("B", "only");
    CCofferView& view = fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("A/a1"));
    fx.m_pFrame->RunCommand(ID_ITEM_DELETE);
    QCOMPARE(fx.CurrentPath(), std::string("A/a2")); // the next sibling
    view.Tree()->SelectItem(fx.Item(0, 1));
    fx.m_pFrame->RunCommand(ID_ITEM_DELETE);
    QCOMPARE(fx.CurrentPath(), std::string("A/a2")); // the last one: the previous sibling
    view.Tree()->SelectItem(fx.Item(1, 0));
    fx.m_pFrame->RunCommand(ID_ITEM_DELETE);
    QCOMPARE(fx.CurrentPath(), std::string("B")); // the only one: its group
    QCOMPARE(fx.ListOrder(), (Labels{"G:A", "a2", "G:B"}));
    QVERIFY(fx.m_pDoc->IsModified());
    QVERIFY(fx.m_prompts.Messages().empty());
}

void CCofferViewTest::declinedDeleteChangesNothing() {
    CViewFixture fx;
    fx.NewKeyedDocument("A: keep");
    fx.Show();
    fx.m_prompts.AnswerMessage(EMsgAnswer::no);
    fx.m_pFrame->RunCommand(ID_ITEM_DELETE);
    QCOMPARE(fx.m_prompts.Messages().size(), size_t(1));
    const SPromptMessage& question = fx.m_prompts.Messages()[0];
    QCOMPARE(question.m_strText, std::string("Do you really intend to delete the account\nkeep?"));
    QCOMPARE(question.m_eButtons, EMsgButtons::yesNo);
    QCOMPARE(question.m_eIcon, EMsgIcon::question);
    QCOMPARE(fx.CurrentPath(), std::string("A/keep"));
    QCOMPARE(fx.m_pDoc->CountAccounts(), 1);
    QVERIFY(!fx.m_pDoc->IsModified());
    fx.m_prompts.AnswerMessage(EMsgAnswer::yes);
    fx.m_pFrame->RunCommand(ID_ITEM_DELETE);
    QCOMPARE(fx.m_pDoc->CountAccounts(), 0);
    QVERIFY(fx.m_vecFailures.empty());
}

void CCofferViewTest::deleteOutsideTheMainWindowDoesNothing() {
    CViewFixture fx;
    fx.m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, 0);
    fx.NewKeyedDocument("A: keep");
    CCofferView& view = fx.Show();
    fx.m_pFrame->HideToTray(false);
    view.DeleteAccount();
    QCOMPARE(fx.m_pDoc->CountAccounts(), 1);
    QCOMPARE(fx.CurrentPath(), std::string("A/keep"));
}

void CCofferViewTest::deleteWithAutoSaveWritesAtOnce() {
    CViewFixture fx;
    fx.m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, 0);
    const std::string strPath = fx.WriteKeyedFile("auto.pwd", "secret");
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bAutoSave = true; });
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bBackup = false; });
    fx.Frame(); // the frame gives the document its prompts
    fx.m_prompts.TypeCheckKey("secret");
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    fx.Account("My Passwords", "gone");
    fx.m_pDoc->Session().OnFileSave();
    CCofferView& view = fx.Show();
    QCOMPARE(fx.CurrentPath(), std::string("My Passwords/gone"));
    view.DeleteAccount();
    QVERIFY(!fx.m_pDoc->IsModified());
    CSessionDoc reread;
    QCOMPARE(reread.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::none);
    QCOMPARE(std::size_t(reread.StagedCounts().Total()),
             size_t(1)); // only the group is left on disk
}

void CCofferViewTest::searchStartNeverOutlivesItsItem() {
    CViewFixture fx;
    fx.m_profile.WriteProfileInt(PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, 0);
    fx.NewKeyedDocument("A");
    for (const char* pszName : {"a1", "a2", "a3", "a4"})
        fx.Account("A", pszName);
    CCofferView& view = fx.Show();
    fx.m_pFrame->SearchBar()->Edit()->setText(QStringLiteral("a"));
    const auto findNext = [&] {
        view.OnFindNext();
        return fx.CurrentPath();
    };
    QCOMPARE(findNext(), std::string("A"));
    QCOMPARE(findNext(), std::string("A/a1"));
    // Deleting another account keeps the search's next start.
    view.DeleteAccount(fx.Item(0, 2));
    QCOMPARE(findNext(), std::string("A/a2"));
    // Deleting the account the next search starts at makes it start over.
    view.DeleteAccount(fx.Item(0, 2));
    QCOMPARE(findNext(), std::string("A"));
    // A rebuild (the Password Bar handing its selection back) replaces every item.
    QCOMPARE(findNext(), std::string("A/a1"));
    view.SelectByNames("A", {});
    QCOMPARE(fx.CurrentPath(), std::string("A"));
    QCOMPARE(findNext(), std::string("A"));
    QVERIFY(fx.m_prompts.Messages().empty());
}

void CCofferViewTest::splitterLimitsAndPersistence() {
    CMemoryProfile profile;
    profile.WriteProfileInt(PROFILE_SETTINGS, VAL_TREE, 160);
    {
        CViewFixture fx(&profile);
        fx.NewKeyedDocument("A");
        CCofferView& view = fx.Show();
        view.resize(600, 400);
        QCOMPARE(view.m_nTreeWidth, 160);
        const int y = 200;
        const auto at = [&](int nTreeWidth) {
            return QPoint(nTreeWidth + CCofferView::SPLITTER_OFFSET, y);
        };
        QTest::mousePress(&view, Qt::LeftButton, {}, at(160));
        QVERIFY(view.m_bSplitterDrag);
        QTest::mouseMove(&view, at(200));
        QCOMPARE(view.m_nTreeWidth, 200);
        // The drag line lies above every control it crosses.
        const auto* pLine = view.findChild<QWidget*>(QStringLiteral("SplitterDragLine"));
        QVERIFY(pLine && !pLine->isHidden());
        QCOMPARE(pLine->geometry(), QRect(at(200).x(), 0, 1, view.height()));
        QCOMPARE(view.children().last(), pLine);
        QTest::mouseMove(&view, at(80)); // too far left: ignored
        QCOMPARE(view.m_nTreeWidth, 200);
        QTest::mouseMove(&view, QPoint(600 - 140, y)); // too far right: ignored
        QCOMPARE(view.m_nTreeWidth, 200);
        QTest::mouseMove(&view, at(81));
        QCOMPARE(view.m_nTreeWidth, 81);
        QTest::mouseMove(&view, at(250));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, at(250));
        QVERIFY(!view.m_bSplitterDrag);
        QVERIFY(pLine->isHidden());
        QCOMPARE(view.m_nSplitterShown, 250);
        QCOMPARE(view.Tree()->width(), 251);
        // A press away from the line starts no drag.
        QTest::mousePress(&view, Qt::LeftButton, {}, at(240));
        QVERIFY(!view.m_bSplitterDrag);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, at(240));
    }
    QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_TREE, 0), 250u);
    CViewFixture again(&profile);
    again.NewKeyedDocument("A");
    QCOMPARE(again.Show().m_nTreeWidth, 250);
}

void CCofferViewTest::maskSettingPersists() {
    CMemoryProfile profile;
    {
        CViewFixture fx(&profile);
        fx.Show().OnToolsMask();
    }
    QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_MASK, 1), 0u);
    CViewFixture again(&profile);
    QVERIFY(!again.Show().IsMaskPasswords());
}

void CCofferViewTest::commentsGrowWithHiddenBars() {
    CViewFixture fx;
    CCofferView& view = fx.Show();
    fx.m_pFrame->Settings().Change([&](SShellSettings& values) { values.m_bShowSearchBar = 1; });
    const int nShown = view.CommentsMinHeight();
    QCOMPARE(nShown, 18 + (fx.m_pFrame->Settings().Values().m_bShowToolBar ? 0 : 24) +
                         (fx.m_pFrame->Settings().Values().m_bShowStatusBar ? 0 : 18));
    fx.m_pFrame->Settings().Change([&](SShellSettings& values) { values.m_bShowSearchBar = 0; });
    QCOMPARE(view.CommentsMinHeight(), nShown + 39);
    fx.m_pFrame->Settings().Change([&](SShellSettings& values) {
        values.m_bShowToolBar = 0;
        values.m_bShowStatusBar = 0;
    });
    QCOMPARE(view.CommentsMinHeight(), 18 + 24 + 18 + 39);
    // The layout takes it: the view cannot become lower than the column needs.
    view.RebuildLayout();
    QVERIFY(view.minimumSizeHint().height() >= 18 + 24 + 18 + 39);
}

void CCofferViewTest::defaultTreeWidthFollowsTheFont() {
    CMemoryProfile profile;
    CViewFixture fx(&profile);
    CCofferView& view = fx.Show();
    const int nWidth = view.m_nTreeWidth;
    // Wider than the old fixed default, and enough for a typical name.
    QVERIFY2(nWidth > 160, qPrintable(QString::number(nWidth)));
    QVERIFY(nWidth >=
            view.Tree()->fontMetrics().horizontalAdvance(QStringLiteral("Online Banking")));
    QFont big = view.Tree()->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    view.Tree()->setFont(big);
    QVERIFY(view.DefaultTreeWidth() > nWidth * 3 / 2);
}

void CCofferViewTest::statusPanesCountItems_data() {
    QTest::addColumn<QString>("strGroupMark");
    QTest::addColumn<QString>("strFilter");
    QTest::addColumn<QString>("strGroups");
    QTest::addColumn<QString>("strAccounts");
    QTest::newRow("whole file") << "," << QString() << "3 Groups"
                                << "1,203 Accounts";
    QTest::newRow("German digits") << "." << QString() << "3 Groups"
                                   << "1.203 Accounts";
    QTest::newRow("filtered") << ","
                              << "n-1"
                              << "2 of 3 Groups shown"
                              << "312 of 1,203 Accounts shown";
    QTest::newRow("nothing found") << ","
                                   << "zzz"
                                   << "0 of 3 Groups shown"
                                   << "0 of 1,203 Accounts shown";
}

void CCofferViewTest::statusPanesCountItems() {
    QFETCH(QString, strGroupMark);
    QFETCH(QString, strFilter);
    QFETCH(QString, strGroups);
    QFETCH(QString, strAccounts);
    SetDigitGroupMark(strGroupMark.toStdString());
    CViewFixture fx;
    fx.NewKeyedDocument("A / B / C");
    // 1,200 in A, of which 311 hold "n-1" ("n-1", "n-10".."n-19",
    // "n-100".."n-199", "n-1000".."n-1199"); 3 in B, "n-1" among them.
    for (int i = 0; i < 1200; ++i)
        fx.Account("A", "n-" + std::to_string(i));
    for (const char* pszName : {"n-1", "x", "y"})
        fx.Account("B", pszName);
    CCofferView& view = fx.Show();
    view.FilterBox()->setText(strFilter);
    const auto pane = [&](int nId) {
        return QString::fromStdString(fx.m_pFrame->Commands().Update(nId).strText);
    };
    QCOMPARE(pane(ID_INDICATOR_GROUPS), strGroups);
    QCOMPARE(pane(ID_INDICATOR_ACCOUNTS), strAccounts);
    // The panes count the file, not the group chosen.
    view.Tree()->SelectItem(fx.Item(2));
    QCOMPARE(pane(ID_INDICATOR_ACCOUNTS), strAccounts);
    // The whole tree again: the whole file.
    view.ClearFilter();
    QCOMPARE(pane(ID_INDICATOR_ACCOUNTS), QString::fromStdString(FormatCount(1203) + " Accounts"));
    SetDigitGroupMark(",");
}

void CCofferViewTest::commandsFollowTheKey() {
    CViewFixture fx;
    CCofferView& view = fx.Show();
    QVERIFY(!fx.m_pFrame->Commands().Update(ID_ITEM_DELETE).bEnabled);
    fx.NewKeyedDocument("A: x");
    view.OnInitialUpdate();
    QVERIFY(fx.m_pFrame->Commands().Update(ID_ITEM_DELETE).bEnabled);
    for (int nId : {ID_ACCOUNT_ADD, ID_GROUP_ADD, ID_ITEM_EDIT})
        QVERIFY(fx.m_pFrame->Commands().Update(nId).bEnabled);
    fx.m_pDoc->DeleteContents();
    for (int nId : {ID_ACCOUNT_ADD, ID_GROUP_ADD, ID_ITEM_EDIT, ID_ITEM_DELETE})
        QVERIFY(!fx.m_pFrame->Commands().Update(nId).bEnabled);
}

void CCofferViewTest::frameOwnsItsView() {
    CMemoryProfile profile;
    {
        CFrameFixture fx(&profile);
        CScriptedEditPrompts editPrompts;
        CRecordTreeModel model(*fx.m_pDoc);
        auto* pView = new CCofferView(fx.m_pDoc->Session(), model, fx.m_prompts, editPrompts,
                                      fx.Frame(), fx.Settings());
        fx.Frame().SetView(pView);
        fx.Settings().Change([](SShellSettings& values) { values.m_nTreeWidth = 222; });
        QVERIFY(fx.Frame().Commands().IsRegistered(ID_TOOLS_MASK));
        QPointer<CCofferView> pWatch(pView);
        fx.m_pFrame.reset();
        // The frame took its view down with it, and wrote the settings.
        QVERIFY(pWatch.isNull());
    }
    QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_TREE, 0), 222u);
}

// The file item and the title take the new label as the program's notice
// of Save As arrives.
void CCofferViewTest::saveAsRenamesTheFileItemAndTheTitle() {
    CViewFixture fx;
    fx.m_pDoc->Session().SetPrompts(&fx.m_prompts);
    fx.NewKeyedDocument("A", "Home.pwd");
    fx.Show();
    connect(&fx.m_notifier, &CDocNotifier::PathNameChanged, fx.m_pFrame.get(),
            &CMainFrame::UpdateFrameTitle);
    fx.m_pDoc->SetModifiedFlag(true);
    fx.m_prompts.AnswerSaveFile(fx.m_dir.filePath(QStringLiteral("Vault.pwd")).toStdString());
    QVERIFY(fx.m_pDoc->Session().OnFileSaveAs());
    QCOMPARE(fx.Item().data().toString(), QStringLiteral("Vault"));
    QCOMPARE(fx.m_pFrame->windowTitle(), QStringLiteral("Vault - Keyhaven"));
}

QTEST_MAIN(CCofferViewTest)
#include "CofferViewTest.moc"

void CCofferViewTest::lockLetsGoOfEveryCopyAndComesBackToTheSamePlace() {
    // Wired as the program wires them; the bar is the frame's.
    CViewFixture fx;
    fx.NewKeyedDocument("Group 00");
    for (int g = 10; g < 40; ++g) {
        fx.Group("Group " + std::to_string(g));
        for (const char* pszName : {"a", "b", "c"})
            fx.Account("Group " + std::to_string(g), pszName);
    }
    CCofferView& view = fx.Show();
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bBackup = false; });
    const std::string strPath = fx.m_dir.filePath("Lock.pwd").toStdString();
    QVERIFY(fx.m_pDoc->WriteArchiveFile(strPath) == EFileError::none);
    fx.m_prompts.TypeCheckKey("secret");
    QVERIFY(fx.m_pDoc->Session().OpenDocumentFile(strPath));
    CMainFrame& frame = fx.Frame();
    connect(&frame, &CMainFrame::DocumentUnloading, &view, &CCofferView::RememberPlace);
    connect(&frame, &CMainFrame::DocumentReloaded, &view, &CCofferView::RestorePlace);
    CPasswordBarDlg bar(fx.m_pDoc->Session(), fx.m_notifier.Model(), fx.Settings(), fx.m_prompts,
                        fx.m_editPrompts);
    frame.SetPasswordBar(&bar);
    bar.FillGroups();
    view.show();
    // Group 1 was opened by the first selection.
    for (const auto& [nRow, bExpanded] : {std::pair{1, false}, {3, true}, {17, true}, {26, true}})
        view.Tree()->setExpanded(fx.Item(nRow), bExpanded);
    view.Tree()->SelectItem(fx.Item(26, 1));
    view.Tree()->doItemsLayout();
    QScrollBar* pScroll = view.Tree()->verticalScrollBar();
    pScroll->setValue(pScroll->maximum() / 2);
    const int nScroll = pScroll->value();
    QVERIFY(nScroll > 0);

    frame.Lock();
    QVERIFY(fx.m_pDoc->Records().empty() && !fx.m_pDoc->HasKey());
    QCOMPARE(view.Model().rowCount(), 0);
    QVERIFY(view.PasswordBox()->text().isEmpty() && view.UserNameBox()->text().isEmpty());
    for (const QComboBox* pList : bar.findChildren<QComboBox*>())
        QCOMPARE(pList->count(), 0);
    // Locked is no "no file": nothing offers to open another one.
    QCoreApplication::processEvents();
    QVERIFY(view.StartHint()->isHidden());

    fx.m_prompts.TypeCheckKey("secret");
    frame.RestoreMainWindow();
    QVERIFY(!frame.IsLocked());
    QCOMPARE(fx.CurrentPath(), std::string("Group 35/b"));
    for (const auto& [nRow, bExpanded] : {std::pair{1, false}, {3, true}, {17, true}, {26, true}})
        QCOMPARE(view.Tree()->isExpanded(fx.Item(nRow)), bExpanded);
    QCOMPARE(pScroll->value(), nScroll);
    QVERIFY(view.StartHint()->isHidden() && !view.Tree()->isHidden());
    QVERIFY(fx.m_vecFailures.empty());
}
