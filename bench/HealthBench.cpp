// SPDX-License-Identifier: GPL-3.0-or-later
// The filter over every field and the password audit on a large file.
//
// bench_health [--accounts=N] [--hibp-mb=M] [Google Benchmark flags]
//   --accounts   accounts in the file (default 100000)
//   --hibp-mb    also audit against a breach list of about M MB, made in
//                $TMPDIR for the run (1024 for the figure of a real list's
//                search depth; the search reads about 30 lines whatever the
//                size)
#include "BenchDocument.h"

#include "core/base/CancelToken.h"
#include "core/health/PasswordHealth.h"
#include "core/health/PwnedList.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/tree/FieldFilter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <string>
#include <thread>

namespace {

std::size_t g_nAccounts = 100000;
std::size_t g_nHibpMegabytes = 0;
std::string g_strHibpPath;
CCofferDoc* g_pDoc = nullptr;

const CCodePage& Page() {
    return CCodePage::Default();
}

// Each key typed into the filter runs the rule over the whole file once:
// the time of one pass is the wait after a key.
void BM_FilterOneKey(benchmark::State& state) {
    const CFieldFilter filter("acct 42 example", Page());
    std::size_t nMatches = 0;
    for (auto _ : state) {
        nMatches = 0;
        for (const CPasswordInfo& info : g_pDoc->Records())
            nMatches += !info.IsGroup() && filter.Matches(info) ? 1 : 0;
        benchmark::DoNotOptimize(nMatches);
    }
    state.counters["matches"] = static_cast<double>(nMatches);
}
BENCHMARK(BM_FilterOneKey)->Unit(benchmark::kMillisecond);

void BM_Audit(benchmark::State& state) {
    const bool bHibp = state.range(0) != 0;
    CPwnedList pwned;
    std::string strError;
    if (bHibp && !pwned.Open(g_strHibpPath, strError)) {
        state.SkipWithError(strError.c_str());
        return;
    }
    std::size_t nLines = 0;
    for (auto _ : state) {
        const SHealthReport report = AuditPasswords(
            g_pDoc->Records(), Page(), EStrength::reasonable, bHibp ? &pwned : nullptr);
        nLines = report.lines.size();
    }
    state.counters["findings"] = static_cast<double>(nLines);
}
BENCHMARK(BM_Audit)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

// The check as the health dialog runs it on a large file: on another thread,
// telling a token how far it got. The counter is the longest the token's
// count stood still, as the busy box's bar would.
void BM_AuditBehindBusyBox(benchmark::State& state) {
    double dLongestMs = 0;
    for (auto _ : state) {
        const CCancelToken token;
        std::atomic<bool> bDone = false;
        std::thread worker([&]() {
            benchmark::DoNotOptimize(
                AuditPasswords(g_pDoc->Records(), Page(), EStrength::reasonable, nullptr, &token));
            bDone = true;
        });
        auto last = std::chrono::steady_clock::now();
        std::size_t nLast = 0;
        while (!bDone) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const auto now = std::chrono::steady_clock::now();
            if (token.Progress().first != nLast) {
                nLast = token.Progress().first;
                last = now;
            }
            dLongestMs =
                std::max(dLongestMs, std::chrono::duration<double, std::milli>(now - last).count());
        }
        worker.join();
    }
    state.counters["longest_still_ms"] = dLongestMs;
}
BENCHMARK(BM_AuditBehindBusyBox)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// What stays on the interface thread: the copy of the records the check
// reads.
void BM_AuditCopy(benchmark::State& state) {
    for (auto _ : state) {
        const std::list<CPasswordInfo> listCopy(g_pDoc->Records());
        benchmark::DoNotOptimize(listCopy.size());
    }
}
BENCHMARK(BM_AuditCopy)->Unit(benchmark::kMillisecond);

// A list ordered by hash of about nMegabytes: hashes spread evenly over the
// range, so a search goes as deep as in a real list of that size.
bool MakeHibpList(const std::string& strPath, std::size_t nMegabytes) {
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (!pFile)
        return false;
    const std::uint64_t nLines = nMegabytes * 1024 * 1024 / 48;
    const std::uint64_t nStep = ~std::uint64_t(0) / nLines;
    bool bOk = true;
    for (std::uint64_t i = 0; i < nLines && bOk; ++i)
        bOk = std::fprintf(pFile, "%016llX000000000000000000000000:%llu\r\n",
                           static_cast<unsigned long long>(i * nStep),
                           static_cast<unsigned long long>(i % 1000 + 1)) > 0;
    return std::fclose(pFile) == 0 && bOk;
}

} // namespace

int main(int argc, char** argv) {
    if (!TakeCountFlag(argc, argv, "--accounts=", 10000000, g_nAccounts) ||
        !TakeCountFlag(argc, argv, "--hibp-mb=", 65536, g_nHibpMegabytes)) {
        std::fprintf(stderr, "--accounts and --hibp-mb take a positive number\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    CCofferDoc doc;
    FillBenchDocument(doc, g_nAccounts);
    g_pDoc = &doc;
    if (g_nHibpMegabytes > 0) {
        const char* pszTemp = std::getenv("TMPDIR");
        g_strHibpPath =
            std::string(pszTemp && *pszTemp ? pszTemp : "/tmp") + "/keyhaven-bench-hibp.txt";
        if (!MakeHibpList(g_strHibpPath, g_nHibpMegabytes)) {
            std::perror(g_strHibpPath.c_str());
            return 1;
        }
        BENCHMARK(BM_Audit)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_strHibpPath.empty())
        std::remove(g_strHibpPath.c_str());
    return 0;
}
