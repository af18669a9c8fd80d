#pragma once

// The desktop program offers to create the missing KEY at this point; the
// CLI can only point the user there.
inline constexpr const char* CLI_FILE_WITHOUT_KEY =
    "%1\nThe file hasn't its KEY. Open it in Keyhaven to create one.";

inline constexpr const char* CLI_VERSION_TEXT = "keyhaven-cli " KEYHAVEN_VERSION;
