// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommand.h"
#include "cli/KeyReader.h"
#include "core/seal/ProcessGuard.h"

#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    // KEYs and deciphered passwords pass through this process's memory.
    (void)ForbidMemoryDumps();
    // A write past the file size limit then fails with EFBIG and is reported
    // like a full disk, instead of killing the program mid-save.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> astrArgs(argv + (argc > 0 ? 1 : 0), argv + argc);
    CKeyReader keyReader;
    return CCliCommand(std::cout, std::cerr, keyReader, ::isatty(STDOUT_FILENO) == 1).Run(astrArgs);
}
