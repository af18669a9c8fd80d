// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CofferApp.h"
#include "core/seal/ProcessGuard.h"
#include "core/shell/CommandLineInfo.h"
#include "platform/QtPrompts.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Before anything holds a KEY: no core file, no other process reading in.
    (void)ForbidMemoryDumps();
    // A save past the file size limit then fails with EFBIG and is reported
    // like a full disk, instead of killing the program with its document.
    std::signal(SIGXFSZ, SIG_IGN);
    // --help and --version answer without a display.
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CCommandLineInfo info = CCommandLineInfo::Parse(args);
    if (info.m_bHelp || info.m_bVersion) {
        const std::string strText = info.m_bHelp ? UsageText() : VersionText();
        std::fputs(strText.c_str(), stdout);
        return 0;
    }

    CCofferApp app(argc, argv);
    if (!app.InitInstance())
        return 0;
    const int nResult = app.Run();
    // Work given up on its way (a cancelled key derivation) may still run:
    // the end neither waits for it nor tears down what it may still use.
    if (CQtPrompts::IsAbandonedWorkRunning())
        app.EndAtOnce(nResult);
    app.ExitInstance();
    return nResult;
}
