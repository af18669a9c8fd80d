#pragma once

// The program's fixed texts, kept in one place so that messages, dialogs and
// tests share them. Texts are exactly as users have always seen them, spelling
// included. Add new texts here, grouped by subsystem.

// --- password files ---
inline constexpr const char* IDS_UNEXPECTED_FORMAT = "Unexpected file format.";
inline constexpr const char* IDS_FILE_NOT_FOUND = "%1\nFile not found.";
inline constexpr const char* IDS_READ_DENIED = "Unable to read from %1, it is opened by someone else.";
inline constexpr const char* IDS_WRITE_DENIED =
    "Unable to write to %1, it is read-only or opened by someone else.";
inline constexpr const char* IDS_DISK_FULL = "Destination disk drive is full.";
inline constexpr const char* IDS_READ_FAILED = "An unexpected error occurred while reading %1.";
inline constexpr const char* IDS_WRITE_FAILED = "An unexpected error occurred while writing %1.";

// --- store rules ---
inline constexpr const char* IDS_ACCOUNT_EMPTY = "Account can not be empty!";
inline constexpr const char* IDS_ACCOUNT_SAME = "Account name should not be same!";
inline constexpr const char* IDS_GROUP_EMPTY = "Group name should not be empty.";
inline constexpr const char* IDS_GROUP_SAME = "Group name should not be same.";
inline constexpr const char* IDS_LAST_GROUP = "At least one(1) group should be contained.";
