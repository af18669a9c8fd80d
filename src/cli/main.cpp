#include "cli/CliCommand.h"
#include "cli/KeyReader.h"
#include "core/seal/ProcessGuard.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // KEYs and deciphered passwords pass through this process's memory.
    (void)ForbidMemoryDumps();
    const std::vector<std::string> astrArgs(argv + (argc > 0 ? 1 : 0), argv + argc);
    CKeyReader keyReader;
    return CCliCommand(std::cout, std::cerr, keyReader).Run(astrArgs);
}
