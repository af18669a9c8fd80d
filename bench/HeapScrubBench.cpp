// SPDX-License-Identifier: GPL-3.0-or-later
// What wiping freed memory costs. The programs put their own free and
// realloc in front of the C library's so that every block is wiped before it
// is freed; this measures that choice on its own and on the document's work.
//
// bench_heap_scrub        the standard allocator (what a build without the
//                         wipe would pay)
// bench_heap_scrub_wiped  the same program linked with the programs' heap
//
// Both run the same cases; compare the two reports line by line:
//   BM_NewDelete/N     one new and delete of an N-byte block
//   BM_StringChurn     building, copying and dropping short and long texts
//   BM_DocumentLife    filling a document of 10,000 accounts, enciphering
//                      it for a save, and dropping it (DeleteContents)
// and, to see the wipe without the allocator, BM_ScrubBlock/N.

#include "BenchDocument.h"

#include "core/seal/HeapScrub.h"
#include "core/store/CofferDoc.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

void BM_NewDelete(benchmark::State& state) {
    const auto nSize = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        char* p = new char[nSize];
        benchmark::DoNotOptimize(p);
        p[0] = 1;
        delete[] p;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_NewDelete)->Arg(16)->Arg(64)->Arg(256)->Arg(4096)->Arg(65536);

void BM_ScrubBlock(benchmark::State& state) {
    const auto nSize = static_cast<std::size_t>(state.range(0));
    void* p = std::malloc(nSize);
    for (auto _ : state) {
        ScrubHeapBlock(p);
        benchmark::ClobberMemory();
    }
    std::free(p);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ScrubBlock)->Arg(16)->Arg(64)->Arg(256)->Arg(4096)->Arg(65536);

void BM_StringChurn(benchmark::State& state) {
    const std::string strShort = "pw-12345";
    const std::string strLong(120, 'c');
    for (auto _ : state) {
        std::vector<std::string> texts;
        texts.reserve(64);
        for (int i = 0; i < 32; ++i) {
            texts.push_back(strShort + std::to_string(i));
            texts.push_back(strLong + std::to_string(i));
        }
        benchmark::DoNotOptimize(texts.data());
    }
}
BENCHMARK(BM_StringChurn);

void BM_DocumentLife(benchmark::State& state) {
    const auto nAccounts = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        CCofferDoc doc;
        FillBenchDocument(doc, nAccounts);
        doc.EncipherList();
        doc.DeleteContents();
        benchmark::DoNotOptimize(doc.Records().size());
    }
}
BENCHMARK(BM_DocumentLife)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
