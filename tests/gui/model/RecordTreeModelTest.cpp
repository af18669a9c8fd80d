// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/model/RecordTreeModel.h"
#include "core/store/CofferDoc.h"
#include "core/tree/TreeOrder.h"
#include "gui/model/DocNotifier.h"
#include "gui/model/GroupRowsModel.h"
#include "gui/model/RecordListModel.h"
#include "support/SampleDocument.h"
#include "support/SessionDoc.h"

#include <QAbstractItemModelTester>
#include <QTest>

#include <functional>

using Labels = std::vector<std::string>;

namespace {

CPasswordInfo Named(const std::string& strName) {
    CPasswordInfo texts;
    texts.SetAccount(strName);
    texts.SetPassword("pw-" + strName);
    return texts;
}

const CPasswordInfo* AccountNamed(const CCofferDoc& doc, const std::string& strName) {
    for (const CPasswordInfo& info : doc.Records()) {
        if (!info.IsGroup() && info.Account() == strName)
            return &info;
    }
    return nullptr;
}

// The labels a model shows, in pre-order, accounts indented by two blanks.
Labels ModelLabels(const CRecordTreeModel& model) {
    Labels labels;
    const QModelIndex file = model.FileIndex();
    for (int i = 0; i < model.rowCount(file); ++i) {
        const QModelIndex group = model.index(i, 0, file);
        labels.push_back(group.data().toString().toStdString());
        for (int j = 0; j < model.rowCount(group); ++j)
            labels.push_back("  " + model.index(j, 0, group).data().toString().toStdString());
    }
    return labels;
}

// The same labels from the document's list, sorted afresh.
Labels SortedLabels(CSessionDoc& doc) {
    Labels labels;
    for (const STreeGroup& group : SortedTree(doc.Records(), doc.CodePage())) {
        labels.push_back(group.m_pGroup->Group());
        for (const CPasswordInfo* pAccount : group.m_accounts)
            labels.push_back("  " + pAccount->Account());
    }
    return labels;
}

} // namespace

class CRecordTreeModelTest : public QObject {
    Q_OBJECT
private slots:
    void FollowsEveryNoticeAsAFreshBuildWould();
    void MovedRowsKeepTheirPersistentIndexes();
    void ShowsNothingWithoutAKeyAndAfterAClose();
};

// Every kind of notice, applied one by one under the model tester, leaves
// the model as a full rebuild from the list would show it.
void CRecordTreeModelTest::FollowsEveryNoticeAsAFreshBuildWould() {
    CSessionDoc doc;
    MakeKeyedDoc(doc, "key", {GroupRecord(DEFAULT_GROUP_NAME)}, "Home.pwd");
    doc.RenameGroup(doc.FindGroup(DEFAULT_GROUP_NAME), "Mail");
    doc.AddGroup("Bank");
    for (const char* pszName : {"Loan", "card", "Card", "Atm"})
        doc.AddAccount("Bank", Named(pszName));
    doc.AddAccount("Mail", Named("Home"));
    CDocNotifier notifier(doc);
    CRecordTreeModel model(doc);
    QObject::connect(&notifier, &CDocNotifier::RecordsChanged, &model, &CRecordTreeModel::Apply);
    model.Reload();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(ModelLabels(model), SortedLabels(doc));
    // The Password Bar's flat lists over it follow every notice soundly too,
    // the account list narrowed to the accounts that hold an "o".
    CGroupRowsModel groups(model);
    CRecordListModel accounts(model);
    groups.SetOpen(true);
    accounts.SetOpen(true);
    accounts.SetWords("o");
    QAbstractItemModelTester groupsTester(&groups,
                                          QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester accountsTester(&accounts,
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);

    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"group added", [&] { doc.AddGroup("Work"); }},
        {"group added first", [&] { doc.AddGroup("aaa"); }},
        {"account added", [&] { doc.AddAccount("Work", Named("Vpn")); }},
        {"account copied",
         [&] { doc.CopyAccount(*AccountNamed(doc, "Vpn"), doc.FindGroup("Bank")); }},
        {"account renamed", [&] { doc.RenameAccount(AccountNamed(doc, "Atm"), "Zebra"); }},
        {"account renamed first", [&] { doc.RenameAccount(AccountNamed(doc, "Zebra"), "Able"); }},
        {"account changed",
         [&] {
             CPasswordInfo texts = *AccountNamed(doc, "Loan");
             texts.SetPassword("other");
             doc.ReplaceAccount(AccountNamed(doc, "Loan"), "Bank", texts);
         }},
        {"account replaced with a new name",
         [&] { doc.ReplaceAccount(AccountNamed(doc, "Loan"), "Bank", Named("Mortgage")); }},
        {"account moved",
         [&] { doc.ReplaceAccount(AccountNamed(doc, "Home"), "Bank", Named("Home")); }},
        {"account moved back",
         [&] { doc.ReplaceAccount(AccountNamed(doc, "Home"), "Mail", Named("Post")); }},
        {"account removed", [&] { doc.DeleteAccount(AccountNamed(doc, "card")); }},
        {"group renamed last", [&] { doc.RenameGroup(doc.FindGroup("Bank"), "zz Bank"); }},
        {"group renamed first", [&] { doc.RenameGroup(doc.FindGroup("Mail"), "0 Mail"); }},
        {"group removed with its accounts", [&] { doc.DeleteGroup(doc.FindGroup("Work")); }},
        {"group removed", [&] { doc.DeleteGroup(doc.FindGroup("aaa")); }},
    };
    for (const auto& [pszStep, fnStep] : steps) {
        fnStep();
        QVERIFY2(ModelLabels(model) == SortedLabels(doc), pszStep);
    }
    QCOMPARE(ModelLabels(model),
             (Labels{"0 Mail", "  Post", "zz Bank", "  Able", "  Card", "  Mortgage", "  Vpn"}));
    // A record added among equal labels goes after them, as the tree has
    // always placed it, although the list holds it first.
    doc.AddAccount("zz Bank", Named("CARD"));
    QCOMPARE(ModelLabels(model), (Labels{"0 Mail", "  Post", "zz Bank", "  Able", "  Card",
                                         "  CARD", "  Mortgage", "  Vpn"}));
    const QModelIndex bank = accounts.mapFromSource(model.IndexAt({1, -1}));
    QCOMPARE(accounts.rowCount(bank), 1);
    QCOMPARE(accounts.index(0, 0, bank).data().toString(), QString("Mortgage"));
    QVERIFY(!accounts.index(0, 0, bank).data(Qt::DecorationRole).isValid());
    // A name chooses its very row before one that only begins like it.
    const QModelIndex file = groups.mapFromSource(model.FileIndex());
    QCOMPARE(groups.FindRow(file, "ZZ", true), 1);
    QCOMPARE(groups.FindRow(file, "ZZ", false), -1);
    accounts.SetWords({});
    const QModelIndex wholeBank = accounts.mapFromSource(model.IndexAt({1, -1}));
    QCOMPARE(accounts.FindRow(wholeBank, "CARD", true), 2);
    QCOMPARE(accounts.FindRow(wholeBank, "card", true), 1);
    groups.SetOpen(false);
    QCOMPARE(groups.rowCount(), 0);
    // The search reads the same labels by position.
    QCOMPARE(model.GroupCount(), 2);
    QCOMPARE(model.Label({1, 4}), std::string_view("Vpn"));
    QCOMPARE(model.Label({}), std::string_view("Home"));
    QCOMPARE(model.PosOf(model.IndexAt({1, 4})), (STreePos{1, 4}));
}

// Selection and expanded groups live in persistent indexes: a renamed or
// moved record keeps its index, now at its new place.
void CRecordTreeModelTest::MovedRowsKeepTheirPersistentIndexes() {
    CSessionDoc doc;
    MakeKeyedDoc(doc, "key", {GroupRecord(DEFAULT_GROUP_NAME)});
    doc.AddGroup("Work");
    for (const char* pszName : {"a", "b", "c"})
        doc.AddAccount(DEFAULT_GROUP_NAME, Named(pszName));
    CDocNotifier notifier(doc);
    CRecordTreeModel model(doc);
    QObject::connect(&notifier, &CDocNotifier::RecordsChanged, &model, &CRecordTreeModel::Apply);
    model.Reload();
    const CPasswordInfo* pA = AccountNamed(doc, "a");
    const QPersistentModelIndex account(model.IndexOf(pA));
    const QPersistentModelIndex work(model.IndexOf(doc.FindGroup("Work")));
    QCOMPARE(account.row(), 0);
    QCOMPARE(work.row(), 1);
    doc.RenameAccount(pA, "z");
    QCOMPARE(account.row(), 2);
    doc.ReplaceAccount(pA, "Work", *pA);
    QCOMPARE(account.parent(), QModelIndex(work));
    QCOMPARE(model.RecordOf(account), pA);
    doc.RenameGroup(doc.FindGroup("Work"), "A Work");
    QCOMPARE(work.row(), 0);
    QCOMPARE(account.parent().row(), 0);
    QCOMPARE(model.RecordOf(account), pA);
    doc.DeleteAccount(pA);
    QVERIFY(!account.isValid());
}

void CRecordTreeModelTest::ShowsNothingWithoutAKeyAndAfterAClose() {
    CSessionDoc doc;
    doc.OnNewDocument();
    CDocNotifier notifier(doc);
    CRecordTreeModel model(doc);
    QObject::connect(&notifier, &CDocNotifier::RecordsChanged, &model, &CRecordTreeModel::Apply);
    QObject::connect(&notifier, &CDocNotifier::UpdateAllViews, &model, &CRecordTreeModel::Reload);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.Reload();
    QCOMPARE(model.rowCount(), 0);
    doc.SetKey("key");
    model.Reload();
    QCOMPARE(model.rowCount(model.FileIndex()), 1);
    // Closing empties the list and tells a reset.
    doc.Session().OnFileClose();
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(CRecordTreeModelTest)
#include "RecordTreeModelTest.moc"
