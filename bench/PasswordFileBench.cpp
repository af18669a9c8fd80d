// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of a large password file, beside the plain read of the same
// file's bytes, and the heap that a loaded document holds; the same for the
// protected (".khv") file of the same records, beside the key derivation
// that opening one costs.
//
// bench_password_file [--accounts=N] [--empty-records=M] [Google Benchmark flags]
//
// The file holds N accounts (default 100,000) in groups of 100, with field
// lengths account 12, user name 16, password 16, web site 30, e-mail 24 and
// comments 60 bytes. It is written once to a private temporary folder, which
// is removed at the end. The program exits non-zero when the file does not
// read back as written or the memory targets are missed; times are reported,
// not judged. The protected file's targets are the key derivation plus 100 ms.
//
// A second file holds M records with every text empty (default 1,000,000,
// 13 bytes each): the case where per-record overhead, not the texts, decides.
// Its peak heap while loading must stay within 8 times the file plus 64 MB,
// the bound for any file.
//
// The export of the first file as keyhaven-cli export -o does it (open,
// then the plain text written to a file) must peak at 3 times the file.

#include "BenchDocument.h"
#include "HeapCounter.h"

#include "core/base/Prompts.h"
#include "core/seal/SealKey.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"
#include "core/store/FieldCipher.h"
#include "core/store/FileIO.h"
#include "core/store/FileSession.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr std::size_t DEFAULT_ACCOUNTS = 100000;
constexpr std::size_t MAX_ACCOUNTS = 9999999; // account names carry 7 digits

constexpr double HELD_TARGET = 4.0;
constexpr double PEAK_TARGET = 8.0;
constexpr double TIME_TARGET_SECONDS = 0.100;
constexpr double LOAD_TARGET_SECONDS = 0.040;
constexpr double EXPORT_PEAK_PER_FILE_BYTE = 3.0;
constexpr std::size_t DEFAULT_EMPTY_RECORDS = 1000000;
constexpr std::size_t MAX_EMPTY_RECORDS = 80000000; // about 1 GB of file
constexpr double EMPTY_PEAK_PER_FILE_BYTE = 8.0;
constexpr std::size_t EMPTY_PEAK_SLACK = std::size_t(64) << 20;

struct SSetup {
    std::size_t nAccounts = DEFAULT_ACCOUNTS;
    std::size_t nEmptyRecords = DEFAULT_EMPTY_RECORDS;
    std::size_t nGroups = 0;
    std::string strFolder;
    std::string strPath;        // the generated file
    std::string strSavePath;    // where the save benchmarks write
    std::string strKhvPath;     // the same records, sealed
    std::string strKhvSavePath; // where the sealed saves write
    std::string strEmptyPath;   // the file of empty records
    std::size_t nFileBytes = 0;
};

// The load of the file of empty records.
struct SEmptyMemory {
    std::size_t nFileBytes = 0;
    std::size_t nPeakBytes = 0;
    bool bRead = false;
    std::size_t Target() const {
        return static_cast<std::size_t>(EMPTY_PEAK_PER_FILE_BYTE * double(nFileBytes)) +
               EMPTY_PEAK_SLACK;
    }
    bool Met() const { return bRead && nPeakBytes <= Target(); }
};

struct SMemory {
    std::size_t nTextBytes = 0;
    std::size_t nHeldBytes = 0;
    std::size_t nPeakBytes = 0;
    double HeldRatio() const { return double(nHeldBytes) / double(nTextBytes); }
    double PeakRatio() const { return double(nPeakBytes) / double(nTextBytes); }
};

// Mean seconds per iteration: elapsed, and on the benchmark's own thread's
// CPU clock, which a machine busy with other work disturbs far less.
struct STimes {
    double dWall = 0;
    double dCpu = 0;
};

// The last run of each benchmark; zero when it did not run.
struct SResults {
    STimes rawRead;
    STimes load;
    STimes save;
    STimes writeAtomic;
    STimes derive;
    STimes loadSealed;
    STimes loadSealedRest; // the sealed load without its own key derivation
    STimes saveSealed;
    STimes saveSealedNewKey;
    STimes unlockPwd;
    STimes unlockKhv;
};

SSetup g_setup;

// Open and export to a file, as the CLI's export does.
struct SExportMemory {
    std::size_t nFileBytes = 1;
    std::size_t nPeakBytes = 0;
    bool bWritten = false;
    double PerFileByte() const { return double(nPeakBytes) / double(nFileBytes); }
    // Judged for the full-size file only: a small one's ratio is that of
    // the pieces' fixed size.
    bool Met() const {
        return bWritten && (g_setup.nAccounts != DEFAULT_ACCOUNTS ||
                            PerFileByte() <= EXPORT_PEAK_PER_FILE_BYTE);
    }
};

SMemory g_memory;
SExportMemory g_exportMemory;
SEmptyMemory g_emptyMemory;
SResults g_results;

using CClock = std::chrono::steady_clock;

double SecondsSince(CClock::time_point start) {
    return std::chrono::duration<double>(CClock::now() - start).count();
}

double ThreadCpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

std::size_t TextBytes(const CCofferDoc& doc) {
    std::size_t nBytes = 0;
    for (const CPasswordInfo& info : doc.Records())
        nBytes += info.Account().size() + info.UserName().size() + info.Password().size() +
                  info.WebSite().size() + info.EMail().size() + info.Comments().size() +
                  info.Group().size();
    return nBytes;
}

// Opening a file as the program does once the KEY is accepted.
bool LoadFile(CCofferDoc& doc, const std::string& strPath) {
    if (doc.ReadArchiveFile(strPath, CCodePage::Default()) != EFileError::none)
        return false;
    doc.DecipherList();
    return true;
}

// Opening a protected file as the program does: header, the KEY (one key
// derivation), the seal, then the records. pKeyTimes, when given, receives
// the time of the KEY step, so the rest can be told apart from it on a
// machine whose load makes the derivation's time vary.
bool LoadSealedFile(CCofferDoc& doc, const std::string& strPath, STimes* pKeyTimes = nullptr) {
    if (doc.ReadDocumentFile(strPath, CCodePage::Default()) != EFileError::none)
        return false;
    const auto start = CClock::now();
    const double dCpuStart = ThreadCpuSeconds();
    const bool bAccepted = doc.AcceptKey(BENCH_KEY);
    if (pKeyTimes) {
        pKeyTimes->dWall += SecondsSince(start);
        pKeyTimes->dCpu += ThreadCpuSeconds() - dCpuStart;
    }
    if (!bAccepted || doc.FinishSealedRead(CCodePage::Default()) != EFileError::none)
        return false;
    doc.DecipherList();
    return true;
}

std::string ReadAll(const std::string& strPath) {
    std::string strBytes;
    ReadWholeFile(strPath, strBytes);
    return strBytes;
}

// Writes the file and checks that it reads back whole and is rewritten byte
// for byte, so that every benchmark measures the file it claims to.
bool PrepareFile() {
    CCofferDoc doc;
    FillBenchDocument(doc, g_setup.nAccounts);
    const std::size_t nTextBytes = TextBytes(doc);
    if (doc.WriteArchiveFile(g_setup.strPath) != EFileError::none) {
        std::fprintf(stderr, "cannot write %s\n", g_setup.strPath.c_str());
        return false;
    }
    CCofferDoc loaded;
    if (!LoadFile(loaded, g_setup.strPath) || !loaded.Key().Accepts(BENCH_KEY) ||
        loaded.CountGroups() != static_cast<int>(g_setup.nGroups) ||
        loaded.CountAccounts() != static_cast<int>(g_setup.nAccounts) ||
        TextBytes(loaded) != nTextBytes) {
        std::fprintf(stderr, "the generated file does not read back as written\n");
        return false;
    }
    if (loaded.WriteArchiveFile(g_setup.strSavePath) != EFileError::none ||
        ReadAll(g_setup.strSavePath) != ReadAll(g_setup.strPath)) {
        std::fprintf(stderr, "saving the loaded file changed its bytes\n");
        return false;
    }
    g_setup.nFileBytes = ReadAll(g_setup.strPath).size();
    // The sealed file holds the same archive: opened, it saves the same bytes.
    loaded.SetKey(BENCH_KEY);
    CCofferDoc sealed;
    if (loaded.WriteArchiveFile(g_setup.strKhvPath) != EFileError::none ||
        !LoadSealedFile(sealed, g_setup.strKhvPath) ||
        sealed.WriteArchiveFile(g_setup.strSavePath) != EFileError::none ||
        ReadAll(g_setup.strSavePath) != ReadAll(g_setup.strPath)) {
        std::fprintf(stderr, "the sealed file does not read back as written\n");
        return false;
    }
    return true;
}

SMemory MeasureLoadMemory() {
    SMemory memory;
    CCofferDoc doc;
    CHeapCounter::Begin();
    LoadFile(doc, g_setup.strPath);
    CHeapCounter::End();
    memory.nHeldBytes = static_cast<std::size_t>(std::max(0LL, CHeapCounter::HeldBytes()));
    memory.nPeakBytes = static_cast<std::size_t>(std::max(0LL, CHeapCounter::PeakBytes()));
    memory.nTextBytes = TextBytes(doc);
    return memory;
}

SExportMemory MeasureExportMemory() {
    SExportMemory memory;
    memory.nFileBytes = g_setup.nFileBytes;
    const std::string strOut = g_setup.strFolder + "/export.txt";
    {
        CCofferDoc doc;
        CHeapCounter::Begin();
        memory.bWritten = LoadFile(doc, g_setup.strPath) &&
                          WriteFileAtomic(
                              strOut,
                              [&doc](const CByteSink& fnSink) {
                                  return WriteExportText(doc.Records(), EXPORT_EOL_LF,
                                                         CCodePage::Default(), fnSink);
                              },
                              EWriteMode::plainText) == EFileError::none;
        CHeapCounter::End();
    }
    memory.nPeakBytes = static_cast<std::size_t>(std::max(0LL, CHeapCounter::PeakBytes()));
    // Every account's six lines and its empty line, every group's banner.
    std::string strText;
    memory.bWritten = memory.bWritten && ReadWholeFile(strOut, strText) == EFileError::none &&
                      strText.size() > g_setup.nFileBytes;
    ::unlink(strOut.c_str());
    return memory;
}

// Writes the file of empty records and measures the heap its load takes at
// its peak; the records are checked to have come back.
SEmptyMemory MeasureEmptyRecords() {
    SEmptyMemory memory;
    {
        CCofferDoc doc;
        doc.SetKey(BENCH_KEY);
        const CChangeBatch batch(doc);
        for (std::size_t i = 0; i < g_setup.nEmptyRecords; ++i)
            doc.InsertAccount(doc.Records().end(), CPasswordInfo());
        if (doc.WriteArchiveFile(g_setup.strEmptyPath) != EFileError::none)
            return memory;
    }
    memory.nFileBytes = ReadAll(g_setup.strEmptyPath).size();
    CCofferDoc doc;
    CHeapCounter::Begin();
    memory.bRead =
        LoadFile(doc, g_setup.strEmptyPath) && doc.Records().size() == g_setup.nEmptyRecords;
    CHeapCounter::End();
    memory.nPeakBytes = static_cast<std::size_t>(std::max(0LL, CHeapCounter::PeakBytes()));
    ::unlink(g_setup.strEmptyPath.c_str());
    return memory;
}

// Times step (which returns false on failure) in every iteration, after an
// untimed prepare, and reports the means as counters and in times.
template <class FPrepare, class FStep>
void TimeSteps(benchmark::State& state, STimes& times, FPrepare prepare, FStep step) {
    STimes total;
    for (auto _ : state) {
        prepare();
        const auto start = CClock::now();
        const double dCpuStart = ThreadCpuSeconds();
        if (!step()) {
            state.SkipWithError("the file could not be read or written");
            return;
        }
        const double dCpu = ThreadCpuSeconds() - dCpuStart;
        const double dWall = SecondsSince(start);
        state.SetIterationTime(dWall);
        total.dWall += dWall;
        total.dCpu += dCpu;
    }
    const double dIterations = double(state.iterations());
    times = {total.dWall / dIterations, total.dCpu / dIterations};
    state.counters["cpu_ms"] = times.dCpu * 1e3;
    if (&times != &g_results.rawRead && g_results.rawRead.dWall > 0)
        state.counters["vs_raw_read"] = times.dWall / g_results.rawRead.dWall;
}

void BM_ReadWholeFile(benchmark::State& state) {
    TimeSteps(
        state, g_results.rawRead, [] {},
        [] {
            std::string strBytes;
            const bool bOk = ReadWholeFile(g_setup.strPath, strBytes) == EFileError::none;
            benchmark::DoNotOptimize(strBytes.data());
            return bOk;
        });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_setup.nFileBytes));
}

void BM_Load(benchmark::State& state) {
    CCofferDoc doc;
    // Emptying the previous load is not part of this one.
    TimeSteps(
        state, g_results.load, [&doc] { doc.DeleteContents(); },
        [&doc] { return LoadFile(doc, g_setup.strPath); });
    state.counters["held_per_text"] = g_memory.HeldRatio();
    state.counters["peak_per_text"] = g_memory.PeakRatio();
}

// Times saves of doc to strPath; prepare runs untimed before each.
template <class FPrepare>
void TimeSaves(benchmark::State& state, STimes& times, CCofferDoc& doc, const std::string& strPath,
               FPrepare prepare) {
    TimeSteps(state, times, prepare,
              [&doc, &strPath] { return doc.WriteArchiveFile(strPath) == EFileError::none; });
}

// The whole save: encipher, serialise, write a temporary file, flush it to
// disk and rename it over the old one.
void BM_Save(benchmark::State& state) {
    CCofferDoc doc;
    LoadFile(doc, g_setup.strPath);
    TimeSaves(state, g_results.save, doc, g_setup.strSavePath, [] {});
}

// The disk's part of the save: temporary file, fsync, rename.
void BM_WriteFileAtomic(benchmark::State& state) {
    const std::string strBytes = ReadAll(g_setup.strPath);
    TimeSteps(
        state, g_results.writeAtomic, [] {},
        [&strBytes] { return WriteFileAtomic(g_setup.strSavePath, strBytes) == EFileError::none; });
}

// The Argon2id run that every opening of a protected file pays, with the
// program's default parameters.
void BM_KeyDerivation(benchmark::State& state) {
    const CSealSalt salt = CSealKey::NewSalt();
    TimeSteps(
        state, g_results.derive, [] {},
        [&salt] {
            CSealKey key;
            return key.Derive(BENCH_KEY, SSealParams(), salt);
        });
}

void BM_LoadSealed(benchmark::State& state) {
    CCofferDoc doc;
    STimes keyTimes;
    TimeSteps(
        state, g_results.loadSealed, [&doc] { doc.DeleteContents(); },
        [&doc, &keyTimes] { return LoadSealedFile(doc, g_setup.strKhvPath, &keyTimes); });
    const double dIterations = double(state.iterations());
    g_results.loadSealedRest = {g_results.loadSealed.dWall - keyTimes.dWall / dIterations,
                                g_results.loadSealed.dCpu - keyTimes.dCpu / dIterations};
    state.counters["without_kdf_ms"] = g_results.loadSealedRest.dWall * 1e3;
}

// A save of an opened protected file: its derived key is kept, so the save
// seals under it with a fresh nonce.
void BM_SaveSealed(benchmark::State& state) {
    CCofferDoc doc;
    LoadSealedFile(doc, g_setup.strKhvPath);
    TimeSaves(state, g_results.saveSealed, doc, g_setup.strKhvSavePath, [] {});
}

// The first sealed save under a KEY (Save As ".khv", Change KEY): a new salt
// and a key derivation before the save.
void BM_SaveSealedNewKey(benchmark::State& state) {
    CCofferDoc doc;
    LoadFile(doc, g_setup.strPath);
    TimeSaves(state, g_results.saveSealedNewKey, doc, g_setup.strKhvSavePath,
              [&doc] { doc.SetKey(BENCH_KEY); });
}

// The user at the lock's KEY dialog: types the benchmark's KEY at once and
// answers nothing else.
class CTypingPrompts final : public CPrompts {
public:
    EMsgAnswer MessageBox(const std::string&, EMsgIcon, EMsgButtons, const std::string&) override {
        return EMsgAnswer::cancel;
    }
    bool PromptOpenFile(const SFilePrompt&, std::string&) override { return false; }
    bool PromptSaveFile(const SFilePrompt&, std::string&) override { return false; }
    bool ChooseFolder(const std::string&, const std::string&, const std::string&,
                      std::string&) override {
        return false;
    }
    bool RunCreateKey(std::string&, std::string&) override { return false; }
    bool RunCheckKey(const std::string&, const std::string&) override { return false; }
    bool RunCheckKeyWith(const std::string&, const CKeyAcceptor& fnAccept) override {
        return fnAccept(BENCH_KEY).m_bAccepted;
    }
    bool RunChangeKey(std::string&, std::string&) override { return false; }
    bool RunPrintDialog(CPrintDevice&) override { return false; }
    bool RunFileProperty(SFileProperties&) override { return false; }
    bool RunOptions(SOptionsData&) override { return false; }
};

// Unlocking: the lock let go of the opened file, and the way back reads it
// again under the KEY (a ".khv" derives its key again).
void TimeUnlock(benchmark::State& state, STimes& times, const std::string& strPath) {
    CTypingPrompts prompts;
    CCofferDoc doc;
    CFileSession session(doc);
    session.SetPrompts(&prompts);
    if (!session.OpenDocumentFile(strPath) || !session.IsOpen()) {
        state.SkipWithError("the file could not be opened");
        return;
    }
    TimeSteps(
        state, times, [&session] { session.UnloadForLock(); },
        [&doc, &session] {
            return session.ReloadAfterLock() &&
                   doc.CountAccounts() == static_cast<int>(g_setup.nAccounts);
        });
}

void BM_UnlockPwd(benchmark::State& state) {
    TimeUnlock(state, g_results.unlockPwd, g_setup.strPath);
}

void BM_UnlockKhv(benchmark::State& state) {
    TimeUnlock(state, g_results.unlockKhv, g_setup.strKhvPath);
}

BENCHMARK(BM_ReadWholeFile)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFileAtomic)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyDerivation)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSealed)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSealed)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSealedNewKey)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnlockPwd)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnlockKhv)->UseManualTime()->Unit(benchmark::kMillisecond);

bool MakeFolder() {
    const char* pszTemp = std::getenv("TMPDIR");
    std::string strTemplate =
        std::string(pszTemp && *pszTemp ? pszTemp : "/tmp") + "/keyhaven-bench.XXXXXX";
    if (!::mkdtemp(strTemplate.data()))
        return false;
    g_setup.strFolder = strTemplate;
    g_setup.strPath = strTemplate + "/bench.pwd";
    g_setup.strSavePath = strTemplate + "/saved.pwd";
    g_setup.strKhvPath = strTemplate + "/bench.khv";
    g_setup.strKhvSavePath = strTemplate + "/saved.khv";
    g_setup.strEmptyPath = strTemplate + "/empty-records.pwd";
    return true;
}

// dTarget: the time allowed, 0 for none.
void PrintTime(const char* pszWhat, const STimes& times, double dTarget) {
    if (times.dWall <= 0)
        return;
    const STimes& raw = g_results.rawRead;
    std::printf("%-38s %8.2f ms (%5.1fx raw read)  cpu %7.2f ms (%5.1fx)", pszWhat,
                times.dWall * 1e3, times.dWall / raw.dWall, times.dCpu * 1e3,
                times.dCpu / raw.dCpu);
    // The targets are set for the full-size file.
    if (dTarget > 0 && g_setup.nAccounts == DEFAULT_ACCOUNTS)
        std::printf("  target %.0f ms: %s", dTarget * 1e3,
                    times.dWall <= dTarget ? "met" : "MISSED");
    std::printf("\n");
}

bool PrintSummary() {
    const bool bHeldMet = g_memory.HeldRatio() <= HELD_TARGET;
    const bool bPeakMet = g_memory.PeakRatio() <= PEAK_TARGET;
    std::printf("\n%zu accounts in %zu groups, file of %zu bytes, texts of %zu bytes\n",
                g_setup.nAccounts, g_setup.nGroups, g_setup.nFileBytes, g_memory.nTextBytes);
    if (g_results.rawRead.dWall > 0) {
        const SResults& r = g_results;
        PrintTime("raw read (ReadWholeFile)", r.rawRead, 0);
        PrintTime("load (ReadArchiveFile + DecipherList)", r.load, LOAD_TARGET_SECONDS);
        PrintTime("save (WriteArchiveFile, with fsync)", r.save, TIME_TARGET_SECONDS);
        PrintTime("  of which the atomic write alone", r.writeAtomic, 0);
        if (r.save.dWall > 0 && r.writeAtomic.dWall > 0)
            PrintTime("  so encipher + serialise take",
                      {r.save.dWall - r.writeAtomic.dWall, r.save.dCpu - r.writeAtomic.dCpu}, 0);
        const SSealParams params;
        std::printf("protected file (.khv), Argon2id %u passes over %u MiB:\n", params.m_nPasses,
                    params.m_nMemoryKiB / 1024);
        // The derivation's time varies with the machine's load from run to
        // run; what the format adds is judged beside it.
        PrintTime("key derivation (Argon2id)", r.derive, 0);
        PrintTime("load .khv (KEY, unseal, read)", r.loadSealed, 0);
        PrintTime("  of which all but the derivation", r.loadSealedRest, TIME_TARGET_SECONDS);
        PrintTime("save .khv (seal, with fsync)", r.saveSealed, TIME_TARGET_SECONDS);
        PrintTime("save .khv under a new KEY (KDF + save)", r.saveSealedNewKey, 0);
        PrintTime("unlock .pwd (read again under the KEY)", r.unlockPwd, 0);
        PrintTime("unlock .khv (KDF, unseal, read again)", r.unlockKhv, 0);
    }
    std::printf("memory held by the loaded document: %zu bytes = %.2fx its texts (target %.0fx: "
                "%s)\n",
                g_memory.nHeldBytes, g_memory.HeldRatio(), HELD_TARGET,
                bHeldMet ? "met" : "MISSED");
    std::printf("peak while loading: %zu bytes = %.2fx its texts (target %.0fx: %s)\n",
                g_memory.nPeakBytes, g_memory.PeakRatio(), PEAK_TARGET,
                bPeakMet ? "met" : "MISSED");
    const SEmptyMemory& empty = g_emptyMemory;
    std::printf("%zu empty records, file of %zu bytes: peak while loading %zu bytes = %.1f "
                "bytes a record (target 8x the file + 64 MB = %zu bytes: %s)\n",
                g_setup.nEmptyRecords, empty.nFileBytes, empty.nPeakBytes,
                double(empty.nPeakBytes) / double(g_setup.nEmptyRecords), empty.Target(),
                empty.Met()   ? "met"
                : empty.bRead ? "MISSED"
                              : "NOT READ");
    std::printf("export to a file (open, then the text a piece at a time): peak %zu bytes = "
                "%.2fx the file (target %.0fx: %s)\n",
                g_exportMemory.nPeakBytes, g_exportMemory.PerFileByte(), EXPORT_PEAK_PER_FILE_BYTE,
                g_exportMemory.Met() ? "met" : "MISSED");
    return bHeldMet && bPeakMet && empty.Met() && g_exportMemory.Met();
}

} // namespace

int main(int argc, char** argv) {
    if (!TakeCountFlag(argc, argv, "--accounts=", MAX_ACCOUNTS, g_setup.nAccounts)) {
        std::fprintf(stderr, "--accounts takes a number from 1 to %zu\n", MAX_ACCOUNTS);
        return 2;
    }
    if (!TakeCountFlag(argc, argv, "--empty-records=", MAX_EMPTY_RECORDS, g_setup.nEmptyRecords)) {
        std::fprintf(stderr, "--empty-records takes a number from 1 to %zu\n", MAX_EMPTY_RECORDS);
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    g_setup.nGroups = BenchGroupCount(g_setup.nAccounts);
    if (!MakeFolder()) {
        std::perror("mkdtemp");
        return 1;
    }
    bool bOk = PrepareFile();
    if (bOk) {
        g_memory = MeasureLoadMemory();
        g_emptyMemory = MeasureEmptyRecords();
        g_exportMemory = MeasureExportMemory();
        benchmark::RunSpecifiedBenchmarks();
        bOk = PrintSummary();
    }
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(g_setup.strFolder, error);
    return bOk ? 0 : 1;
}
