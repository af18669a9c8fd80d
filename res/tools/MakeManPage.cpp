// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a program's manual page from its own --help and --version, with
// the sections written by hand that its help does not hold (FILES, SEE
// ALSO...), so that the page never drifts from what the program says.
//
//   keyhaven-make-man PROGRAM SECTIONS DATE OUT.1

#include "tools/ManPage.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool Output(const std::string& strProgram, const char* pszOption, std::string& strText) {
    std::string strCommand = "'";
    for (const char c : strProgram)
        strCommand += c == '\'' ? std::string("'\\''") : std::string(1, c);
    strCommand += std::string("' ") + pszOption;
    FILE* pPipe = ::popen(strCommand.c_str(), "r");
    if (pPipe == nullptr)
        return false;
    char szBuffer[4096];
    std::size_t nRead = 0;
    while ((nRead = std::fread(szBuffer, 1, sizeof szBuffer, pPipe)) > 0)
        strText.append(szBuffer, nRead);
    return ::pclose(pPipe) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: keyhaven-make-man PROGRAM SECTIONS DATE OUT.1\n";
        return 2;
    }
    const std::string strProgram = argv[1];
    std::string strHelp;
    std::string strVersion;
    if (!Output(strProgram, "--help", strHelp) || !Output(strProgram, "--version", strVersion)) {
        std::cerr << "keyhaven-make-man: " << strProgram << " --help or --version failed\n";
        return 1;
    }
    std::ifstream sections(argv[2]);
    std::ostringstream extra;
    extra << sections.rdbuf();
    if (!sections) {
        std::cerr << "keyhaven-make-man: cannot read " << argv[2] << "\n";
        return 1;
    }
    CManPage page(strProgram.substr(strProgram.find_last_of('/') + 1), argv[3]);
    page.SetHelp(strHelp);
    page.SetVersion(strVersion);
    page.SetExtraSections(extra.str());
    std::ofstream out(argv[4], std::ios::binary);
    out << page.Roff();
    out.close();
    if (!out) {
        std::cerr << "keyhaven-make-man: cannot write " << argv[4] << "\n";
        return 1;
    }
    return 0;
}
