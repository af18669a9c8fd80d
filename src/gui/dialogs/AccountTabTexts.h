// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

// Texts of the account dialog's tabs, which only a database's account shows:
// what the entry holds beyond the six texts.

inline constexpr const char* IDS_TAB_ACCOUNT = KH_TEXT("Keyhaven", "Account");
// The first tab's name on the accessibility bus, which the account name's
// edit has already.
inline constexpr const char* IDS_TAB_ACCOUNT_NAME = KH_TEXT("Keyhaven", "Account texts");
inline constexpr const char* IDS_TAB_FIELDS = KH_TEXT("Keyhaven", "Fields");
inline constexpr const char* IDS_TAB_OTP = KH_TEXT("Keyhaven", "One-Time Password");
inline constexpr const char* IDS_TAB_PROPERTIES = KH_TEXT("Keyhaven", "Properties");
inline constexpr const char* IDS_TAB_ATTACHMENTS = KH_TEXT("Keyhaven", "Attachments");
inline constexpr const char* IDS_TAB_HISTORY = KH_TEXT("Keyhaven", "History");

// Fields.
inline constexpr const char* IDS_FIELDS_TABLE = KH_TEXT("Keyhaven", "Custom fields");
inline constexpr const char* IDS_FIELD_NAME_COLUMN = KH_TEXT("Keyhaven", "Name");
inline constexpr const char* IDS_FIELD_VALUE_COLUMN = KH_TEXT("Keyhaven", "Value");
inline constexpr const char* IDS_FIELD_PROTECTED_COLUMN = KH_TEXT("Keyhaven", "Protected");
inline constexpr const char* IDS_ADD_FIELD = KH_TEXT("Keyhaven", "&Add Field");
inline constexpr const char* IDS_ADD_FIELD_NAME = KH_TEXT("Keyhaven", "Add field");
inline constexpr const char* IDS_REMOVE_FIELD = KH_TEXT("Keyhaven", "&Remove Field");
inline constexpr const char* IDS_REMOVE_FIELD_NAME = KH_TEXT("Keyhaven", "Remove field");
inline constexpr const char* IDS_FIELD_NAME_EMPTY = KH_TEXT("Keyhaven", "A field needs a name.");
inline constexpr const char* IDS_FIELD_NAME_TWICE =
    KH_TEXT("Keyhaven", "Two fields are named \"%1\": each field needs a name of its own.");
inline constexpr const char* IDS_FIELD_NAME_RESERVED =
    KH_TEXT("Keyhaven", "\"%1\" names what the account itself holds: give the field another name.");

// One-time password.
inline constexpr const char* IDS_OTP_URI_LABEL = KH_TEXT("Keyhaven", "otpauth &URI:");
inline constexpr const char* IDS_OTP_URI_NAME = KH_TEXT("Keyhaven", "One-time password URI");
inline constexpr const char* IDS_OTP_SECRET_LABEL = KH_TEXT("Keyhaven", "Base32 &secret:");
inline constexpr const char* IDS_OTP_SECRET_NAME = KH_TEXT("Keyhaven", "Base32 secret");
inline constexpr const char* IDS_OTP_USE_SECRET = KH_TEXT("Keyhaven", "Use Secre&t");
inline constexpr const char* IDS_OTP_USE_SECRET_NAME = KH_TEXT("Keyhaven", "Use secret");
inline constexpr const char* IDS_OTP_SECRET_HINT =
    KH_TEXT("Keyhaven", "A secret alone makes codes of 6 digits every 30 seconds with SHA-1.");
inline constexpr const char* IDS_OTP_STATUS_NAME = KH_TEXT("Keyhaven", "One-time password status");
inline constexpr const char* IDS_OTP_NONE = KH_TEXT("Keyhaven", "No one-time password.");
inline constexpr const char* IDS_OTP_REFUSED =
    KH_TEXT("Keyhaven", "The one-time password URI cannot be used: %1");
inline constexpr const char* IDS_OTP_BAD_SECRET =
    KH_TEXT("Keyhaven", "The secret is not Base32: only the letters A to Z and the digits 2 to 7 "
                        "may stand in it.");

// Tags and expiry.
inline constexpr const char* IDS_TAGS_LABEL = KH_TEXT("Keyhaven", "&Tags:");
inline constexpr const char* IDS_TAGS_NAME = KH_TEXT("Keyhaven", "Tags");
inline constexpr const char* IDS_TAGS_HINT =
    KH_TEXT("Keyhaven", "Separate tags with \";\" or \",\".");
inline constexpr const char* IDS_EXPIRES = KH_TEXT("Keyhaven", "&Expires");
inline constexpr const char* IDS_EXPIRES_NAME = KH_TEXT("Keyhaven", "Expires");
inline constexpr const char* IDS_EXPIRY_NAME = KH_TEXT("Keyhaven", "Expiry time");

// Attachments.
inline constexpr const char* IDS_ATTACHMENTS_LIST = KH_TEXT("Keyhaven", "Attached files");
inline constexpr const char* IDS_ATTACHMENT_SIZE_COLUMN = KH_TEXT("Keyhaven", "Size");
inline constexpr SCountText IDS_ATTACHMENT_SIZE = KH_COUNT("Keyhaven", "%n bytes", "%n byte");
inline constexpr const char* IDS_ADD_ATTACHMENT = KH_TEXT("Keyhaven", "&Add...");
inline constexpr const char* IDS_ADD_ATTACHMENT_NAME = KH_TEXT("Keyhaven", "Add attachment");
inline constexpr const char* IDS_SAVE_ATTACHMENT = KH_TEXT("Keyhaven", "&Save As...");
inline constexpr const char* IDS_SAVE_ATTACHMENT_NAME = KH_TEXT("Keyhaven", "Save attachment as");
inline constexpr const char* IDS_REMOVE_ATTACHMENT = KH_TEXT("Keyhaven", "&Remove");
inline constexpr const char* IDS_REMOVE_ATTACHMENT_NAME = KH_TEXT("Keyhaven", "Remove attachment");
inline constexpr const char* IDS_ADD_ATTACHMENT_TITLE = KH_TEXT("Keyhaven", "Attach a File");
inline constexpr const char* IDS_SAVE_ATTACHMENT_TITLE = KH_TEXT("Keyhaven", "Save Attachment As");
inline constexpr const char* IDS_ATTACHMENT_TOO_LARGE =
    KH_TEXT("Keyhaven", "%1 is larger than %2 MB, the most a file attached to an account may be.");
inline constexpr const char* IDS_REPLACE_ATTACHMENT =
    KH_TEXT("Keyhaven", "The account has an attachment named \"%1\" already.\n\nReplace it?");

// History.
inline constexpr const char* IDS_HISTORY_LIST = KH_TEXT("Keyhaven", "Earlier versions");
inline constexpr const char* IDS_HISTORY_MODIFIED_COLUMN = KH_TEXT("Keyhaven", "Modified");
inline constexpr const char* IDS_HISTORY_ACCOUNT_COLUMN = KH_TEXT("Keyhaven", "Account");
inline constexpr const char* IDS_HISTORY_EMPTY =
    KH_TEXT("Keyhaven", "The account has no earlier versions.");
inline constexpr const char* IDS_RESTORE_VERSION = KH_TEXT("Keyhaven", "&Restore");
inline constexpr const char* IDS_RESTORE_VERSION_NAME = KH_TEXT("Keyhaven", "Restore version");
