// SPDX-License-Identifier: GPL-3.0-or-later
// The filter over UTF-8 texts in many scripts: folding every field once,
// then one key typed into the filter, the sort keys of the names, and the
// tree's order of a document of such names.
//
// bench_unicode_filter [--accounts=N] [Google Benchmark flags]
//   --accounts   accounts, six fields each (default 100000)
#include "BenchDocument.h"

#include "core/store/CodePage.h"
#include "core/tree/FieldFilter.h"
#include "core/tree/TreeOrder.h"
#include "core/unicode/FoldedMatcher.h"
#include "core/unicode/UnicodeCollator.h"
#include "core/unicode/UnicodeFold.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::size_t FIELDS = 6;
std::size_t g_nAccounts = 100000;
std::vector<std::string> g_astrFields;       // FIELDS per account
std::vector<std::string> g_astrFoldedFields; // the same, folded

// Words of several scripts; every field joins a few of them, so that about
// half the fields hold something beyond ASCII.
constexpr std::array<const char*, 24> WORDS = {
    "Bank",    "mail",   "Łódź",     "Straße", "Почта",    "Ελλάδα",   "東京",    "İstanbul",
    "server",  "Café",   "Йошкар",   "שלום",   "ファイル", "👍🏽", "example", "Øresund",
    "account", "Nguyễn", "password", "admin",  "Москва",   "home",     "work",    "github",
};

void MakeFields() {
    g_astrFields.clear();
    for (std::size_t i = 0; i < g_nAccounts * FIELDS; ++i) {
        std::string strField;
        const std::size_t nWords = 1 + i % 4;
        for (std::size_t w = 0; w < nWords; ++w) {
            strField += WORDS[(i * 7 + w * 13 + i / 11) % WORDS.size()];
            strField += w + 1 < nWords ? " " : "";
        }
        strField += std::to_string(i % 1000);
        g_astrFields.push_back(std::move(strField));
    }
    g_astrFoldedFields.clear();
    for (const std::string& strField : g_astrFields)
        g_astrFoldedFields.push_back(FoldForSearch(strField));
}

// Folding every field: what a file costs once when it is loaded.
void BM_FoldAll(benchmark::State& state) {
    std::string strFolded;
    for (auto _ : state) {
        for (const std::string& strField : g_astrFields) {
            FoldForSearch(strField, strFolded);
            benchmark::DoNotOptimize(strFolded.data());
        }
    }
}
BENCHMARK(BM_FoldAll)->Unit(benchmark::kMillisecond);

// One key typed: every account's fields against the folded search text.
void BM_FilterOneKey(benchmark::State& state) {
    const CFoldedMatcher matcher(state.range(0) == 0 ? "москв" : "lodz");
    std::size_t nMatches = 0;
    for (auto _ : state) {
        nMatches = 0;
        for (std::size_t a = 0; a < g_nAccounts; ++a) {
            const auto itFirst =
                g_astrFoldedFields.begin() + static_cast<std::ptrdiff_t>(a * FIELDS);
            nMatches += std::any_of(itFirst, itFirst + FIELDS, [&](const std::string& str) {
                return matcher.FoldedContains(str);
            });
        }
        benchmark::DoNotOptimize(nMatches);
    }
    state.counters["matches"] = static_cast<double>(nMatches);
}
BENCHMARK(BM_FilterOneKey)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FilterWholeWords(benchmark::State& state) {
    const CFoldedMatcher matcher("cafe");
    std::size_t nMatches = 0;
    for (auto _ : state) {
        nMatches = 0;
        for (const std::string& str : g_astrFoldedFields)
            nMatches += matcher.FoldedContainsWord(str) ? 1 : 0;
        benchmark::DoNotOptimize(nMatches);
    }
    state.counters["matches"] = static_cast<double>(nMatches);
}
BENCHMARK(BM_FilterWholeWords)->Unit(benchmark::kMillisecond);

// The sort keys of every account name, then the sort by them.
void BM_SortNames(benchmark::State& state) {
    const CUnicodeCollator collator;
    for (auto _ : state) {
        std::vector<std::string> astrKeys;
        astrKeys.reserve(g_nAccounts);
        for (std::size_t a = 0; a < g_nAccounts; ++a)
            astrKeys.push_back(collator.SortKey(g_astrFields[a * FIELDS]));
        std::sort(astrKeys.begin(), astrKeys.end());
        benchmark::DoNotOptimize(astrKeys.data());
    }
}
BENCHMARK(BM_SortNames)->Unit(benchmark::kMillisecond);

// The main window's live filter over a UTF-8 document: one key typed,
// every account's searched fields folded on the way (nothing is kept
// folded between keys).
void BM_FieldFilterUtf8(benchmark::State& state) {
    std::vector<CPasswordInfo> accounts(g_nAccounts);
    for (std::size_t a = 0; a < g_nAccounts; ++a) {
        const std::string* pFields = &g_astrFields[a * FIELDS];
        accounts[a].SetAccount(pFields[0]);
        accounts[a].SetUserName(pFields[1]);
        accounts[a].SetWebSite(pFields[2]);
        accounts[a].SetEMail(pFields[3]);
        accounts[a].SetComments(pFields[4]);
    }
    const CFieldFilter filter(state.range(0) == 0 ? "москв" : "lodz", CCodePage::Utf8());
    std::size_t nMatches = 0;
    for (auto _ : state) {
        nMatches = 0;
        for (const CPasswordInfo& account : accounts)
            nMatches += filter.Matches(account) ? 1 : 0;
        benchmark::DoNotOptimize(nMatches);
    }
    state.counters["matches"] = static_cast<double>(nMatches);
}
BENCHMARK(BM_FieldFilterUtf8)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The tree's order of the accounts, named by the first field, as the main
// window opens such a document: the first argument 1 for the UTF-8 page, 0
// for the same bytes in windows-1252; the second the accounts of a group
// (0: all in one).
void BM_SortedTree(benchmark::State& state) {
    const CCodePage& page = state.range(0) == 1 ? CCodePage::Utf8() : CCodePage::Default();
    const auto nPerGroup =
        state.range(1) > 0 ? static_cast<std::size_t>(state.range(1)) : g_nAccounts;
    CCofferDoc::CInfoList list;
    for (std::size_t a = 0; a < g_nAccounts; ++a) {
        if (a % nPerGroup == 0) {
            CPasswordInfo& group = list.emplace_back();
            group.m_bGroup = 1;
            group.SetGroup(g_astrFields[a * FIELDS + 1]);
        }
        list.emplace_back().SetAccount(g_astrFields[a * FIELDS]);
    }
    for (auto _ : state) {
        const std::vector<STreeGroup> tree = SortedTree(list, page);
        benchmark::DoNotOptimize(tree.data());
    }
}
BENCHMARK(BM_SortedTree)
    ->Args({0, BENCH_ACCOUNTS_PER_GROUP})
    ->Args({1, BENCH_ACCOUNTS_PER_GROUP})
    ->Args({1, 1000})
    ->Args({1, 10000})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!TakeCountFlag(argc, argv, "--accounts=", 10000000, g_nAccounts)) {
        std::fprintf(stderr, "--accounts takes a positive number\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    MakeFields();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
