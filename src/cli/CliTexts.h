// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Version.h"

// The desktop program offers to create the missing KEY at this point; the
// CLI can only point the user there.
inline constexpr const char* CLI_FILE_WITHOUT_KEY =
    "%1\nThe file hasn't its KEY. Open it in Keyhaven to create one.";

// convert to ".pwd": what the user gives up.
inline constexpr const char* CLI_PWD_WARNING =
    "keyhaven-cli: warning: %1 is a .pwd file; anyone who has it can read its contents "
    "and recover its KEY. Keep .khv for files that leave this machine.";

inline constexpr const char* CLI_VERSION_TEXT = "keyhaven-cli " KEYHAVEN_VERSION;

// A read-modify-write command found the file changed (or gone) when it came
// to write it: writing its own copy would undo the other program's change.
inline constexpr const char* CLI_CHANGED_ON_DISK =
    "keyhaven-cli: %1 has been changed by another program since it was read; nothing was "
    "written.";

// A file whose records need more memory than the machine gives.
inline constexpr const char* CLI_OUT_OF_MEMORY =
    "keyhaven-cli: there is not enough memory to read the file.";

// export --format kdbx: the new database password.
inline constexpr const char* CLI_PASSWORDS_DIFFER =
    "keyhaven-cli: the passwords do not match; nothing was written.";
inline constexpr const char* CLI_KDBX_PASSWORD_EMPTY =
    "keyhaven-cli: the database password is empty; give one, or a key file with --key-file.";
// A ".pwd" holds a value from which its KEY can be worked out, so a database
// under the same secret would be open to anyone who has the ".pwd".
inline constexpr const char* CLI_KDBX_PASSWORD_IS_KEY =
    "keyhaven-cli: the database password must differ from the KEY: the KEY of a .pwd file "
    "can be recovered from any copy of that file, so it would open the database too.";
