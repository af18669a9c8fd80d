// SPDX-License-Identifier: GPL-3.0-or-later
// Imports shaped to be slow: field references that multiply, groups nested
// deep and titles that begin alike, each imported as keyhaven-cli import
// does (a KeePass database read and handed to the importer; a CSV file
// checked whole and then read into it).
//
// bench_import_shapes [--limit=SECONDS] [--case=NAME]
// bench_import_shapes --write=FOLDER   (the sources, for import-shapes.sh)
// bench_import_shapes --seeds=FOLDER   (the fuzzer's crafted seeds)
//
// The sources are those the tests make (tests/core/interchange/
// CraftedImports.h), at full size:
// - refs-8, refs-30: ten entries, each field of each naming the next entry
//   8 or 30 times (a database of about a kilobyte);
// - nested-100000: 100,000 groups each inside the one before, one entry in
//   each;
// - titles-90000: 90,000 entries in one group whose titles are 300 names
//   that share their first 251 characters, as a database and as CSV;
// - nested-csv-5000: the CSV export of 5,000 nested groups (25 MB: a
//   deeper one would not fit the CSV limit, as each row holds its path).
// Each import runs in a process of its own, stopped after --limit seconds
// (default 600). Target: about a second each. The program exits non-zero
// when an import fails or imports another count than its source holds; the
// times are judged in the report, as on a shared machine they vary.

#include "CraftedImports.h"
#include "KdbxTestWriter.h"

#include "core/interchange/CsvImport.h"
#include "core/interchange/Importer.h"
#include "core/interchange/KdbxReader.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FileIO.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using CClock = std::chrono::steady_clock;

struct SCase {
    const char* pszName;
    const char* pszExtension; // ".kdbx" or ".csv"
    std::size_t nEntries;
    std::function<std::string()> fnSource; // XML inside the database, or the CSV text
};

const std::vector<SCase>& Cases() {
    static const std::vector<SCase> CASES = {
        {"refs-8", ".kdbx", 10, [] { return ReferenceFanXml(10, 8, ""); }},
        {"refs-30", ".kdbx", 10, [] { return ReferenceFanXml(10, 30, ""); }},
        {"nested-100000", ".kdbx", 100000, [] { return NestedGroupsXml(100000); }},
        {"titles-90000", ".kdbx", 90000, [] { return SharedStartTitlesXml(90000, 300, 251); }},
        {"titles-90000", ".csv", 90000, [] { return SharedStartTitlesCsv(90000, 300, 251); }},
        {"nested-csv-5000", ".csv", 5000, [] { return NestedGroupsCsv(5000); }},
    };
    return CASES;
}

std::string SourceBytes(const SCase& c) {
    const std::string strSource = c.fnSource();
    if (std::strcmp(c.pszExtension, ".csv") == 0)
        return strSource;
    const CKdbxBytes file = MakeTestKdbx(strSource, SKdbxTestOptions());
    return std::string(file.begin(), file.end());
}

// The child's part: one import, its time, count and outcome to strReport.
int RunImport(const std::string& strFile, const std::string& strReport) {
    const auto start = CClock::now();
    std::string strBytes;
    if (ReadWholeFile(strFile, strBytes) != EFileError::none)
        return 1;
    CCofferDoc doc;
    CImporter importer(doc, CCodePage::Default());
    std::string strOutcome;
    if (strFile.ends_with(".kdbx")) {
        const SKdbxOutcome outcome = ReadKdbxEntries(
            std::span(reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size()),
            SKdbxTestOptions().credentials,
            [&importer](const SImportEntry& entry) { importer.Add(entry); });
        strOutcome =
            outcome.eFailure == EKdbxFailure::none ? importer.Summary() : outcome.strMessage;
    } else {
        std::string strError;
        const auto fnAdd = [&importer](const SImportEntry& entry) { importer.Add(entry); };
        if (ReadCsvEntries(
                strBytes, [](const SImportEntry&) {}, strError))
            ReadCsvEntries(strBytes, fnAdd, strError);
        strOutcome = strError.empty() ? importer.Summary() : strError;
    }
    importer.Finish();
    const double dSeconds = std::chrono::duration<double>(CClock::now() - start).count();
    std::ofstream(strReport) << dSeconds << ' ' << importer.ImportedCount() << '\n'
                             << strOutcome.substr(0, 100) << '\n';
    return 0;
}

struct SRun {
    bool bDone = false;
    double dSeconds = 0;
    double dCpuSeconds = 0;
    std::size_t nImported = 0;
    std::size_t nPeakBytes = 0;
    std::string strOutcome;
};

SRun ImportInChild(const std::string& strFile, const std::string& strReport, unsigned nLimit) {
    SRun run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(nLimit);
        const std::string strFileArg = "--import=" + strFile;
        const std::string strReportArg = "--report=" + strReport;
        ::execl("/proc/self/exe", "bench_import_shapes", strFileArg.c_str(), strReportArg.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int nStatus = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &nStatus, 0, &usage) != pid)
        return run;
    run.dCpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    run.nPeakBytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0)
        return run;
    std::ifstream in(strReport);
    in >> run.dSeconds >> run.nImported;
    in.ignore(1);
    std::getline(in, run.strOutcome);
    run.bDone = true;
    return run;
}

bool WriteFile(const std::string& strPath, const std::string& strBytes) {
    return WriteFileAtomic(strPath, strBytes, EWriteMode::privateFile) == EFileError::none;
}

// The seeds: a whole database starts with an even byte, the XML inside one
// with an odd byte. Each is small enough for the fuzzer's input limit and
// its XML allowance.
int WriteSeeds(const std::string& strFolder) {
    const struct {
        const char* pszName;
        bool bDatabase;
        std::string strXml;
    } SEEDS[] = {
        {"crafted-reference-fan.bin", true, ReferenceFanXml(10, 8, "")},
        {"crafted-reference-ring.bin", false, ReferenceRingXml(3)},
        {"crafted-deep-references.bin", false, ReferenceFanXml(12, 8)},
        {"crafted-nested-groups.bin", false, NestedGroupsXml(100)},
        {"crafted-shared-start-titles.bin", false, SharedStartTitlesXml(60, 3, 251)},
        {"crafted-recycle-bin-off.bin", false, RecycleBinXml("False")},
    };
    for (const auto& seed : SEEDS) {
        std::string strBytes(1, seed.bDatabase ? '\0' : '\1');
        if (seed.bDatabase) {
            const CKdbxBytes file = MakeTestKdbx(seed.strXml, SKdbxTestOptions());
            strBytes.append(file.begin(), file.end());
        } else {
            strBytes += seed.strXml;
        }
        if (!WriteFile(strFolder + "/" + seed.pszName, strBytes)) {
            std::fprintf(stderr, "%s cannot be written\n", seed.pszName);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    unsigned nLimit = 600;
    std::string strImport, strReport, strWrite, strSeeds, strOnly;
    for (int i = 1; i < argc; ++i) {
        const std::string strArg = argv[i];
        const auto Value = [&strArg](const char* pszOption) {
            return strArg.rfind(pszOption, 0) == 0 ? strArg.substr(std::strlen(pszOption))
                                                   : std::string();
        };
        if (!Value("--limit=").empty())
            nLimit = static_cast<unsigned>(std::strtoul(Value("--limit=").c_str(), nullptr, 10));
        else if (!Value("--import=").empty())
            strImport = Value("--import=");
        else if (!Value("--report=").empty())
            strReport = Value("--report=");
        else if (!Value("--write=").empty())
            strWrite = Value("--write=");
        else if (!Value("--seeds=").empty())
            strSeeds = Value("--seeds=");
        else if (!Value("--case=").empty())
            strOnly = Value("--case=");
        else {
            std::fprintf(stderr, "usage: bench_import_shapes [--limit=SECONDS] [--case=NAME] | "
                                 "--write=FOLDER | --seeds=FOLDER\n");
            return 2;
        }
    }
    if (!strImport.empty())
        return RunImport(strImport, strReport);
    if (!strSeeds.empty())
        return WriteSeeds(strSeeds);
    if (!strWrite.empty()) {
        for (const SCase& c : Cases()) {
            if (!WriteFile(strWrite + "/" + c.pszName + c.pszExtension, SourceBytes(c)))
                return 1;
            std::printf("%s%s %zu\n", c.pszName, c.pszExtension, c.nEntries);
        }
        return 0;
    }

    char szFolder[] = "/tmp/bench-shapes-XXXXXX";
    if (!::mkdtemp(szFolder))
        return 1;
    const std::string strFolder = szFolder;
    bool bAllImported = true;
    for (const SCase& c : Cases()) {
        if (!strOnly.empty() && strOnly != c.pszName)
            continue;
        const std::string strFile = strFolder + "/" + c.pszName + c.pszExtension;
        const std::string strBytes = SourceBytes(c);
        if (!WriteFile(strFile, strBytes))
            return 1;
        const SRun run = ImportInChild(strFile, strFolder + "/report", nLimit);
        std::printf("%-16s %-5s %8.1f KB  ", c.pszName, c.pszExtension + 1,
                    double(strBytes.size()) / 1e3);
        if (!run.bDone) {
            std::printf("stopped after %u s (process CPU %.1f s)\n", nLimit, run.dCpuSeconds);
            bAllImported = false;
            continue;
        }
        std::printf("%7.3f s (CPU %.3f s, peak %.0f MB), %zu of %zu imported: %s\n", run.dSeconds,
                    run.dCpuSeconds, double(run.nPeakBytes) / 1e6, run.nImported, c.nEntries,
                    run.strOutcome.c_str());
        bAllImported = bAllImported && run.nImported == c.nEntries;
        ::unlink(strFile.c_str());
    }
    std::error_code error;
    std::filesystem::remove_all(strFolder, error);
    return bAllImported ? 0 : 1;
}
