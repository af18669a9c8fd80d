// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The full text of "keyhaven-cli --help".
const char* CliHelpText();
// The short usage shown when no command is given.
const char* CliUsageText();
// "keyhaven-cli COMMAND --help": the usage line and the command's own part
// of the full text.
std::string CliCommandHelp(const std::string& strUsage);
