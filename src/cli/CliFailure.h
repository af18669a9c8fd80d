// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Exit statuses of keyhaven-cli.
inline constexpr int CLI_EXIT_DONE = 0;
inline constexpr int CLI_EXIT_KEY = 1;   // wrong KEY, or a file without KEY
inline constexpr int CLI_EXIT_FOUND = 1; // audit found a weak, reused or breached password
inline constexpr int CLI_EXIT_LOSS = 1;  // convert would lose part of a KeePass database
inline constexpr int CLI_EXIT_USAGE = 2; // bad command line, missing KEY line, unknown names
inline constexpr int CLI_EXIT_READ = 3;  // the file cannot be read or is not a password file
inline constexpr int CLI_EXIT_WRITE = 4; // a file cannot be written

// A command that cannot go on: the message for standard error and the exit
// status. Thrown inside the CLI only; the core never throws.
class CCliFailure {
public:
    CCliFailure(int nExit, std::string strMessage)
        : m_nExit(nExit), m_strMessage(std::move(strMessage)) {}

    int m_nExit;
    std::string m_strMessage;
};

// "COMMAND --help": the command's usage goes to standard output instead of
// the command running. Thrown by the argument parser, caught by the run.
class CCliHelpRequest {
public:
    explicit CCliHelpRequest(std::string strUsage) : m_strUsage(std::move(strUsage)) {}

    std::string m_strUsage; // the usage line, "keyhaven-cli NAME ..."
};
