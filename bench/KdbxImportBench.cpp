// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a large KeePass database into a document, as keyhaven-cli
// import does before it writes: the file read, the key derived, the
// database deciphered and parsed, every entry added to the document.
//
// bench_kdbx_import [--accounts=N]
//
// The database holds N accounts (default 100,000) of the benchmarks'
// password file, written by Keyhaven's own writer twice: with the default
// key derivation (Argon2id, 3 passes over 128 MiB) and with a cheap one.
// Each import runs in a process of its own, so that its peak resident
// memory and its CPU time (getrusage) are its alone. Targets for the full
// size:
// - time: the import without its key derivation at most one second. That
//   is the import of the cheap file, whose derivation (1 MiB, one pass)
//   takes about a millisecond: subtracting a separately timed 128 MiB
//   derivation from the default file's import would leave mostly the
//   derivation's own jitter on a shared machine. The default file's import
//   and its derivation alone are shown beside it;
// - memory: the peak of the cheap file's import at most 8 times the file
//   plus 64 MB, the bound of every reader. The default file's peak is shown
//   beside it: its key derivation alone takes the 128 MiB that the file
//   asks for, before any entry is read.
// The program exits non-zero when an import fails, reads back other counts
// than written, or the memory target is missed; the time is reported and
// judged in the report, not by the exit status, as on a shared machine it
// varies.

#include "BenchDocument.h"

#include "core/interchange/Importer.h"
#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxWriter.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::size_t DEFAULT_ACCOUNTS = 100000;
constexpr double TIME_TARGET_SECONDS = 1.0;
constexpr double PEAK_PER_FILE_BYTE = 8.0;
constexpr std::size_t PEAK_SLACK = std::size_t(64) << 20;
constexpr const char* PASSWORD = "benchmark password";

using CClock = std::chrono::steady_clock;

double SecondsSince(CClock::time_point start) {
    return std::chrono::duration<double>(CClock::now() - start).count();
}

SKdbxCredentials Credentials() {
    SKdbxCredentials credentials;
    credentials.strPassword = PASSWORD;
    return credentials;
}

// What one import process reports back.
struct SImportRun {
    bool bOk = false;
    double dSeconds = 0;
    double dCpuSeconds = 0;
    int nImported = 0;
    std::size_t nPeakBytes = 0;
};

// The child's part: import the file into a new document and write the time
// and count to strReport.
int RunImport(const std::string& strFile, const std::string& strReport) {
    const auto start = CClock::now();
    std::string strBytes;
    if (ReadWholeFile(strFile, strBytes) != EFileError::none)
        return 1;
    CCofferDoc doc;
    CImporter importer(doc, CCodePage::Default());
    const SKdbxOutcome outcome = ReadKdbxEntries(
        std::span(reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size()),
        Credentials(), [&importer](const SImportEntry& entry) { importer.Add(entry); });
    const double dSeconds = SecondsSince(start);
    if (outcome.eFailure != EKdbxFailure::none) {
        std::fprintf(stderr, "the import failed: %s\n", outcome.strMessage.c_str());
        return 1;
    }
    std::ofstream(strReport) << dSeconds << ' ' << importer.ImportedCount() << '\n';
    return 0;
}

SImportRun ImportInChild(const std::string& strFile, const std::string& strReport) {
    SImportRun run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string strFileArg = "--import=" + strFile;
        const std::string strReportArg = "--report=" + strReport;
        ::execl("/proc/self/exe", "bench_kdbx_import", strFileArg.c_str(), strReportArg.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int nStatus = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &nStatus, 0, &usage) != pid || !WIFEXITED(nStatus) ||
        WEXITSTATUS(nStatus) != 0)
        return run;
    std::ifstream(strReport) >> run.dSeconds >> run.nImported;
    run.nPeakBytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    run.dCpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    run.bOk = run.nImported > 0;
    return run;
}

bool WriteDatabase(const CCofferDoc& doc, const SKdbxWriteOptions& options,
                   const std::string& strPath) {
    std::string strBytes;
    std::string strError;
    const bool bMade = WriteKdbx(
        doc.Records(), CCodePage::Default(), Credentials(), options,
        [&strBytes](std::string_view piece) {
            strBytes.append(piece);
            return true;
        },
        strError);
    if (!bMade) {
        std::fprintf(stderr, "the database cannot be made: %s\n", strError.c_str());
        return false;
    }
    return WriteFileAtomic(strPath, strBytes, EWriteMode::privateFile) == EFileError::none;
}

// The key derivation the default file asks for, timed on its own.
double DefaultKdfSeconds() {
    const SKdbxWriteOptions options;
    SKdbxKdfParams params;
    params.eKdf = options.eKdf;
    params.seed.assign(32, 7);
    params.nRounds = options.nRounds;
    params.nMemory = options.nMemoryBytes;
    params.nParallelism = options.nParallelism;
    CKdbxSecret composite;
    KdbxCompositeKey(Credentials(), composite);
    CKdbxSecret transformed;
    const auto start = CClock::now();
    KdbxTransformKey(composite, params, transformed);
    return SecondsSince(start);
}

std::size_t FileSize(const std::string& strPath) {
    std::string strBytes;
    ReadWholeFile(strPath, strBytes);
    return strBytes.size();
}

} // namespace

int main(int argc, char** argv) {
    std::size_t nAccounts = DEFAULT_ACCOUNTS;
    std::string strImport;
    std::string strReport;
    for (int i = 1; i < argc; ++i) {
        const std::string strArg = argv[i];
        if (strArg.rfind("--accounts=", 0) == 0)
            nAccounts = std::strtoul(strArg.c_str() + 11, nullptr, 10);
        else if (strArg.rfind("--import=", 0) == 0)
            strImport = strArg.substr(9);
        else if (strArg.rfind("--report=", 0) == 0)
            strReport = strArg.substr(9);
        else {
            std::fprintf(stderr, "usage: bench_kdbx_import [--accounts=N]\n");
            return 2;
        }
    }
    if (!strImport.empty())
        return RunImport(strImport, strReport);
    if (nAccounts == 0) {
        std::fprintf(stderr, "--accounts needs a number above 0\n");
        return 2;
    }

    char szFolder[] = "/tmp/bench-kdbx-XXXXXX";
    if (!::mkdtemp(szFolder))
        return 1;
    const std::string strFolder = szFolder;
    const std::string strDefault = strFolder + "/default.kdbx";
    const std::string strCheap = strFolder + "/cheap.kdbx";
    const std::string strReportPath = strFolder + "/report";
    std::error_code ec;
    {
        CCofferDoc doc;
        FillBenchDocument(doc, nAccounts);
        SKdbxWriteOptions cheap;
        cheap.nRounds = 1;
        cheap.nMemoryBytes = std::size_t(1) << 20;
        if (!WriteDatabase(doc, SKdbxWriteOptions(), strDefault) ||
            !WriteDatabase(doc, cheap, strCheap)) {
            std::filesystem::remove_all(strFolder, ec);
            return 1;
        }
    }
    const std::size_t nFileBytes = FileSize(strCheap);
    const SImportRun cheapRun = ImportInChild(strCheap, strReportPath);
    const SImportRun defaultRun = ImportInChild(strDefault, strReportPath);
    const double dKdf = DefaultKdfSeconds();
    std::filesystem::remove_all(strFolder, ec);

    const bool bCounts = cheapRun.bOk && defaultRun.bOk &&
                         cheapRun.nImported == static_cast<int>(nAccounts) &&
                         defaultRun.nImported == static_cast<int>(nAccounts);
    const std::size_t nBound =
        static_cast<std::size_t>(PEAK_PER_FILE_BYTE * double(nFileBytes)) + PEAK_SLACK;
    const bool bFull = nAccounts == DEFAULT_ACCOUNTS;
    std::printf("accounts: %zu (%zu groups), database: %.1f MB\n", nAccounts,
                BenchGroupCount(nAccounts), double(nFileBytes) / 1e6);
    std::printf("import without key derivation: %.3f s (process CPU %.3f s; target %.1f s%s)\n",
                cheapRun.dSeconds, cheapRun.dCpuSeconds, TIME_TARGET_SECONDS,
                !bFull                                     ? ", judged at full size only"
                : cheapRun.dSeconds <= TIME_TARGET_SECONDS ? ", met"
                                                           : ", MISSED");
    std::printf("import with the default key derivation: %.3f s (process CPU %.3f s); the "
                "derivation alone: %.3f s\n",
                defaultRun.dSeconds, defaultRun.dCpuSeconds, dKdf);
    std::printf("peak memory, cheap key derivation: %.1f MB (bound 8 x file + 64 MB = %.1f MB%s)\n",
                double(cheapRun.nPeakBytes) / 1e6, double(nBound) / 1e6,
                cheapRun.nPeakBytes <= nBound ? ", met" : ", MISSED");
    std::printf("peak memory, default key derivation (its Argon2 takes %.1f MB): %.1f MB\n",
                double(SKdbxWriteOptions().nMemoryBytes) / 1e6,
                double(defaultRun.nPeakBytes) / 1e6);
    if (!bCounts) {
        std::fprintf(stderr, "the imports did not bring back %zu accounts\n", nAccounts);
        return 1;
    }
    return cheapRun.nPeakBytes <= nBound ? 0 : 1;
}
