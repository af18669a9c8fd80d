// SPDX-License-Identifier: GPL-3.0-or-later
// The main view with a large file: opening (read, decipher, build the sorted
// tree and select), building the tree alone, selecting an account, deleting
// one, renaming one, moving one to another group, and putting the
// document's list in the tree's order (as a drop or a rename in the tree
// does); Find Next walking the whole tree without a match, and a left drop
// that moves an account to another group; one edit through the document
// that the view's tree model follows from its notice; one key typed into
// the live filter's field, through the view's update.
//
// bench_view [--accounts=N] [Google Benchmark flags]
//
// The file holds N accounts (default 100,000) in groups of 100. Targets on a
// 2-core machine: the open within 1 s; selecting, deleting, renaming,
// moving, resynchronising, a whole-tree Find Next and a drop under 100 ms
// each (an edit from the dialog's
// OK to the updated tree, without saving); an edit the model follows under
// 5 ms; a key of the filter (the rule over every account, the rows hidden
// or shown, the tree laid out again) under 30 ms. Times are reported, not
// judged.

#include "BenchDocument.h"
#include "platform/XdgFolders.h"

#include "core/base/SettingsSchema.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/tree/TreeOrder.h"
#include "gui/controls/HoverComboBox.h"
#include "gui/model/DocNotifier.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/settings/Settings.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/PasswordBarDlg.h"
#include "gui/shell/SearchBar.h"
#include "gui/view/AccountTreeCtrl.h"
#include "gui/view/CofferView.h"
#include "support/MemoryProfile.h"
#include "support/ScriptedEditPrompts.h"
#include "support/ScriptedPrompts.h"
#include "support/SessionDoc.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <stdlib.h>

namespace {

constexpr std::size_t DEFAULT_ACCOUNTS = 100000;

struct SWorld {
    std::size_t nAccounts = DEFAULT_ACCOUNTS;
    std::string strFolder;
    std::string strPath;
    std::unique_ptr<CMemoryProfile> pProfile;
    std::unique_ptr<CScriptedPrompts> pPrompts;
    std::unique_ptr<CScriptedEditPrompts> pEditPrompts;
    std::unique_ptr<CSessionDoc> pDoc;
    std::unique_ptr<CSettings> pSettings;
    std::unique_ptr<CDocNotifier> pNotifier;
    std::unique_ptr<CMainFrame> pFrame;
    std::unique_ptr<CCofferView> pView;
};

SWorld g_world;

bool OpenFile() {
    CSessionDoc& doc = *g_world.pDoc;
    if (doc.ReadArchiveFile(g_world.strPath, CCodePage::Default()) != EFileError::none)
        return false;
    doc.DecipherList();
    g_world.pView->OnInitialUpdate();
    return !g_world.pView->CurrentAccountLabel().empty();
}

// An account item in the middle of the tree.
QModelIndex MiddleAccount() {
    const CRecordTreeModel& model = g_world.pView->Model();
    const QModelIndex group = model.index(model.GroupCount() / 2, 0, model.FileIndex());
    return model.index(model.rowCount(group) / 2, 0, group);
}

void BM_OpenFile(benchmark::State& state) {
    for (auto _ : state) {
        if (!OpenFile())
            state.SkipWithError("the file did not open");
    }
}

void BM_BuildTree(benchmark::State& state) {
    OpenFile();
    for (auto _ : state)
        g_world.pView->OnInitialUpdate();
    state.counters["items"] = double(g_world.pView->Model().GroupCount());
}

void BM_SelectAccount(benchmark::State& state) {
    OpenFile();
    CAccountTreeCtrl* pTree = g_world.pView->Tree();
    const QModelIndex first = pTree->currentIndex();
    const QModelIndex middle = MiddleAccount();
    bool bMiddle = true;
    for (auto _ : state) {
        pTree->SelectItem(bMiddle ? middle : first);
        bMiddle = !bMiddle;
    }
}

// A fixed number of deletions, each of a different account from the middle
// of the tree, so every iteration really deletes one.
void BM_DeleteAccount(benchmark::State& state) {
    OpenFile();
    const std::size_t nBefore = g_world.pDoc->Records().size();
    for (auto _ : state) {
        state.PauseTiming();
        g_world.pView->Tree()->SelectItem(MiddleAccount());
        state.ResumeTiming();
        g_world.pView->DeleteAccount();
    }
    if (g_world.pDoc->Records().size() + state.iterations() != nBefore)
        state.SkipWithError("not every iteration deleted an account");
}

// Edits the middle account through the account dialog's answer: a new name
// in its own group, or (bMove) the same name in the first group.
void EditMiddleAccount(benchmark::State& state, bool bMove) {
    OpenFile();
    const CRecordTreeModel& model = g_world.pView->Model();
    const std::string strFirstGroup = model.RecordOf(model.index(0, 0, model.FileIndex()))->Group();
    int nEdit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g_world.pView->Tree()->SelectItem(MiddleAccount());
        const std::string strName = "edited " + std::to_string(nEdit++);
        g_world.pEditPrompts->AnswerAccount([&](SAccountDlgData& data) {
            data.m_strAccount = strName;
            if (bMove)
                data.m_strGroup = strFirstGroup;
            return true;
        });
        state.ResumeTiming();
        g_world.pView->EditAccount();
    }
    if (g_world.pView->CurrentAccountLabel().rfind("edited ", 0) != 0)
        state.SkipWithError("the edit did not reach the tree");
}

void BM_RenameAccount(benchmark::State& state) {
    EditMiddleAccount(state, false);
}

void BM_MoveAccount(benchmark::State& state) {
    EditMiddleAccount(state, true);
}

void BM_Resynchronise(benchmark::State& state) {
    OpenFile();
    for (auto _ : state)
        SortToTreeOrder(*g_world.pDoc);
    state.counters["records"] = double(g_world.pDoc->Records().size());
}

// A text no label holds: every item is visited, then the message shows.
void BM_FindNextWholeTree(benchmark::State& state) {
    OpenFile();
    g_world.pFrame->SearchBar()->Edit()->setText(QStringLiteral("no label holds this"));
    const std::size_t nMessages = g_world.pPrompts->Messages().size();
    for (auto _ : state)
        g_world.pView->OnFindNext();
    if (g_world.pPrompts->Messages().size() != nMessages + state.iterations())
        state.SkipWithError("a search found something");
    g_world.pPrompts->ClearRecord();
}

// The drop of the middle account on the first group, as a left drag ends:
// the account moves, the tree and the list follow.
void BM_DropMoveAccount(benchmark::State& state) {
    OpenFile();
    const CRecordTreeModel& model = g_world.pView->Model();
    const QPersistentModelIndex target = model.index(0, 0, model.FileIndex());
    const int nBefore = model.rowCount(target);
    for (auto _ : state) {
        state.PauseTiming();
        const QModelIndex dragged = MiddleAccount();
        state.ResumeTiming();
        g_world.pView->OnItemsDropped(EDropAction::leftDrop, dragged, target);
    }
    if (model.rowCount(target) != nBefore + static_cast<int>(state.iterations()))
        state.SkipWithError("not every drop moved an account");
}

// One edit of the middle account through the document, which the view's
// tree model follows from its notice, with the tree showing that account's
// group: a new name in its own group, or (bMove) every other edit into the
// first group and back.
void EditThroughModel(benchmark::State& state, bool bMove) {
    OpenFile();
    CSessionDoc& doc = *g_world.pDoc;
    const CRecordTreeModel& model = g_world.pView->Model();
    CAccountTreeCtrl* pTree = g_world.pView->Tree();
    const QModelIndex middle = MiddleAccount();
    pTree->SelectItem(middle);
    pTree->doItemsLayout();
    const CPasswordInfo* pAccount = model.RecordOf(middle);
    const std::string strFirstGroup = model.RecordOf(model.index(0, 0, model.FileIndex()))->Group();
    const std::string strOwnGroup = model.RecordOf(middle.parent())->Group();
    int nEdit = 0;
    for (auto _ : state) {
        CPasswordInfo texts = *pAccount;
        texts.SetAccount("edited " + std::to_string(nEdit++));
        const bool bToFirst = bMove && nEdit % 2 == 1;
        doc.ReplaceAccount(pAccount, bToFirst ? strFirstGroup : strOwnGroup, texts);
        pTree->doItemsLayout();
        // What the edit posted (the commands' states among it) runs too.
        QCoreApplication::sendPostedEvents();
    }
    const QModelIndex edited = model.IndexOf(pAccount);
    if (edited.data().toString().toStdString() != pAccount->Account())
        state.SkipWithError("the edit did not reach the model");
}

void BM_ModelRenameAccount(benchmark::State& state) {
    EditThroughModel(state, false);
}

void BM_ModelMoveAccount(benchmark::State& state) {
    EditThroughModel(state, true);
}

// Many accounts added as an import adds them, one notice each, into the open
// file; then what the notices posted runs, as the next turn of the event loop
// would run it.
void BM_AddManyAccounts(benchmark::State& state) {
    constexpr int ADDED = 10000;
    for (auto _ : state) {
        state.PauseTiming();
        OpenFile();
        CSessionDoc& doc = *g_world.pDoc;
        const std::string strGroup = doc.Records().front().Group();
        state.ResumeTiming();
        for (int i = 0; i < ADDED; ++i) {
            CPasswordInfo texts;
            texts.SetAccount("added " + std::to_string(i));
            doc.AddAccount(strGroup, texts);
        }
        QCoreApplication::sendPostedEvents();
    }
    state.counters["added"] = ADDED;
}

// Typing "acct-00042" into the filter one key at a time, then Escape: the
// first keys keep nearly every account, the last ones hide nearly all of
// them, and Escape brings the whole tree back. Each iteration is one key,
// the tree laid out as it is before it paints; the slowest key is reported
// as well as the mean.
void BM_FilterKey(benchmark::State& state) {
    OpenFile();
    CCofferView& view = *g_world.pView;
    CAccountTreeCtrl* pTree = view.Tree();
    QLineEdit* pFilter = view.FilterBox();
    const QString strTyped = QStringLiteral("acct-00042");
    qsizetype nKey = 0;
    double dSlowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (nKey < strTyped.size())
            pFilter->setText(strTyped.left(nKey + 1));
        else
            view.ClearFilter();
        pTree->doItemsLayout();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        dSlowest = std::max(dSlowest, took.count());
        nKey = (nKey + 1) % (strTyped.size() + 1);
    }
    state.counters["slowest_ms"] = dSlowest;
    view.ClearFilter();
    if (view.IsFiltering() || !pFilter->text().isEmpty())
        state.SkipWithError("the filter did not clear");
}

// The Password Bar listing the middle group of the open file, its middle
// account chosen, for as long as it lives.
struct SListingBar {
    SListingBar()
        : bar(g_world.pDoc->Session(), g_world.pNotifier->Model(), *g_world.pSettings,
              *g_world.pPrompts, *g_world.pEditPrompts) {
        const CRecordTreeModel& model = g_world.pView->Model();
        const QModelIndex middle = MiddleAccount();
        bar.Choose(model.RecordOf(middle.parent())->Group(), model.RecordOf(middle)->Account());
        bar.FillGroups();
    }
    CPasswordBarDlg bar;
};

// Typing "acct-00042" into the bar's account list one key at a time, then
// Escape, as BM_FilterKey does in the tree: the list narrows the accounts
// of its group.
void BM_BarFilterKey(benchmark::State& state) {
    OpenFile();
    SListingBar listing;
    CPasswordBarDlg& bar = listing.bar;
    const QString strTyped = QStringLiteral("acct-00042");
    qsizetype nKey = 0;
    double dSlowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bar.SetAccountFilter(nKey < strTyped.size() ? strTyped.left(nKey + 1) : QString());
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        dSlowest = std::max(dSlowest, took.count());
        nKey = (nKey + 1) % (strTyped.size() + 1);
    }
    state.counters["slowest_ms"] = dSlowest;
    if (bar.AccountList()->count() == 0)
        state.SkipWithError("the filter did not clear");
}

// The middle account renamed through the document while the tree shows it
// and the bar lists it: both follow the one model.
void BM_BarFollowsRename(benchmark::State& state) {
    OpenFile();
    SListingBar listing;
    CSessionDoc& doc = *g_world.pDoc;
    const CPasswordInfo* pAccount = listing.bar.m_pCurAccount;
    if (pAccount == nullptr) {
        state.SkipWithError("the bar chose no account");
        return;
    }
    const std::string strGroup = listing.bar.m_strCurGroup;
    int nEdit = 0;
    for (auto _ : state) {
        CPasswordInfo texts = *pAccount;
        texts.SetAccount("edited " + std::to_string(nEdit++));
        doc.ReplaceAccount(pAccount, strGroup, texts);
        g_world.pView->Tree()->doItemsLayout();
        QCoreApplication::sendPostedEvents();
    }
    if (listing.bar.AccountList()->currentText().toStdString() != pAccount->Account())
        state.SkipWithError("the bar lost the account it showed");
}

bool Prepare() {
    char szFolder[] = "/tmp/keyhaven-bench-view-XXXXXX";
    if (!::mkdtemp(szFolder))
        return false;
    g_world.strFolder = szFolder;
    g_world.strPath = g_world.strFolder + "/bench.pwd";
    CSessionDoc doc;
    FillBenchDocument(doc, g_world.nAccounts);
    if (doc.WriteArchiveFile(g_world.strPath) != EFileError::none)
        return false;

    g_world.pProfile = std::make_unique<CMemoryProfile>();
    // Deleting asks nothing, so the delete benchmark measures the work alone.
    g_world.pProfile->WriteProfileInt(PROFILE_SETTINGS, VAL_DELETE_CONFIRM_A, 0);
    g_world.pPrompts = std::make_unique<CScriptedPrompts>();
    g_world.pEditPrompts = std::make_unique<CScriptedEditPrompts>();
    g_world.pDoc = std::make_unique<CSessionDoc>(g_world.pProfile.get(), DefaultBackupFolder());
    SFileOptions options = g_world.pDoc->Session().FileOptions();
    options.m_bAutoSave = false;
    g_world.pDoc->Session().SetFileOptions(options);
    g_world.pNotifier = std::make_unique<CDocNotifier>(*g_world.pDoc);
    g_world.pSettings = std::make_unique<CSettings>(SShellSettings::Load(*g_world.pProfile));
    g_world.pFrame = std::make_unique<CMainFrame>(*g_world.pProfile, *g_world.pPrompts,
                                                  g_world.pDoc->Session(), *g_world.pSettings);
    g_world.pView = std::make_unique<CCofferView>(
        g_world.pDoc->Session(), g_world.pNotifier->Model(), *g_world.pPrompts,
        *g_world.pEditPrompts, *g_world.pFrame, *g_world.pSettings);
    g_world.pView->resize(700, 500);
    g_world.pFrame->Follow(*g_world.pNotifier);
    g_world.pView->Follow(*g_world.pNotifier);
    return true;
}

void TakeOwnArguments(int& argc, char** argv) {
    int nOut = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--accounts=", 11) == 0)
            g_world.nAccounts = std::strtoul(argv[i] + 11, nullptr, 10);
        else
            argv[nOut++] = argv[i];
    }
    argc = nOut;
}

} // namespace

BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAccount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_RenameAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_MoveAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_Resynchronise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNextWholeTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropMoveAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_ModelRenameAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_ModelMoveAccount)->Unit(benchmark::kMillisecond)->Iterations(40);
BENCHMARK(BM_AddManyAccounts)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FilterKey)->Unit(benchmark::kMillisecond)->Iterations(44);
BENCHMARK(BM_BarFilterKey)->Unit(benchmark::kMillisecond)->Iterations(44);
BENCHMARK(BM_BarFollowsRename)->Unit(benchmark::kMillisecond)->Iterations(40);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    TakeOwnArguments(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    int nResult = 1;
    if (Prepare()) {
        benchmark::RunSpecifiedBenchmarks();
        nResult = 0;
    }
    benchmark::Shutdown();
    g_world.pView.reset();
    g_world.pFrame.reset();
    g_world.pNotifier.reset();
    g_world.pDoc.reset();
    std::filesystem::remove_all(g_world.strFolder);
    return nResult;
}
