// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <functional>
#include <string>
#include <vector>

// What one run of keyhaven-cli produced.
struct SCliResult {
    std::string strOut;
    std::string strErr;
    int nExit = -1; // the exit status, or 128 + signal when a signal ended it
};

// Resource limits for one run (0: the test's own): the address space in
// bytes, and the largest file it may write.
struct SCliLimits {
    unsigned long long nAddressSpace = 0;
    unsigned long long nFileSize = 0;
};

// Runs the built keyhaven-cli as its own process with the given standard
// input (a pipe, so KEYs are read as lines) and captures both outputs.
SCliResult RunCli(const std::vector<std::string>& astrArgs, const std::string& strInput = {},
                  const SCliLimits& limits = {});

// RunCli with a terminal as standard output (which passes every byte as
// written); standard error stays a pipe.
SCliResult RunCliToTerminal(const std::vector<std::string>& astrArgs,
                            const std::string& strInput = {});

// Runs keyhaven-cli with a terminal as standard input and a pipe as standard
// error. Each answer is typed (followed by "\n") once the prompt with that
// index has appeared on standard error. strEcho receives what the terminal
// echoed back.
// fnBeforeAnswer, when given, runs just before the answer with that index is
// typed.
SCliResult RunCliOnTerminal(const std::vector<std::string>& astrArgs,
                            const std::vector<std::string>& astrAnswers, std::string& strEcho,
                            const std::function<void(std::size_t)>& fnBeforeAnswer = {});

// Runs keyhaven-cli on a terminal as a shell's job: at the first prompt the
// user presses Ctrl-Z, the shell continues the stopped job after a moment
// (fg), and then strAnswer is typed once the terminal no longer echoes, or
// after a few seconds. bEchoWhileStopped tells whether the terminal was
// given back to the shell with echo on.
SCliResult RunCliStoppedAtPrompt(const std::vector<std::string>& astrArgs,
                                 const std::string& strAnswer, std::string& strEcho,
                                 bool& bEchoWhileStopped);

// The result a case of a table expects: with nExit 0 strExpected is the whole
// standard output, otherwise a part of the message on standard error.
void ExpectCliResult(const SCliResult& result, int nExit, const std::string& strExpected);
