#pragma once

// The full text of "keyhaven-cli --help".
const char* CliHelpText();
// The short usage shown when no command is given.
const char* CliUsageText();
