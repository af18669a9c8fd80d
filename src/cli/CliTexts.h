#pragma once

// The KEY messages keyhaven-cli shares with the desktop program's KEY dialogs,
// spelled exactly as users know them.
inline constexpr const char* CLI_KEY_INVALID = "Your KEY is invalid!";
inline constexpr const char* CLI_NEW_KEYS_DIFFER = "New KEYs do not mach!\nPlease enter again!";
inline constexpr const char* CLI_NEW_KEY_INVALID = "New KEY is invalidate!";
inline constexpr const char* CLI_ORIGINAL_KEY_INVALID =
    "Original KEY is invalidate!\nYou can not change Key!";
inline constexpr const char* CLI_READ_ONLY_CHANGE = "File is READ-ONLY, you can't change its KEY.";
inline constexpr const char* CLI_KEY_CHANGED = "KEY is changed!";
// The desktop program offers to create the missing KEY at this point; the
// CLI can only point the user there.
inline constexpr const char* CLI_FILE_WITHOUT_KEY =
    "%1\nThe file hasn't its KEY. Open it in Keyhaven to create one.";

inline constexpr const char* CLI_VERSION_TEXT = "keyhaven-cli " KEYHAVEN_VERSION;
