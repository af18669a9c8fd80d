// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What an account of a database holds beyond the six texts a password file
// keeps: plain values, so that the account dialog edits them and the
// database takes them back without either knowing the other. Texts are
// UTF-8.

// A field of an entry beside the ones an account shows.
struct SRecordField {
    std::string strName;
    std::string strValue;
    bool bProtected = false; // a value to show masked, and to copy as a secret

    bool operator==(const SRecordField&) const = default;
};

// A file kept in an entry, which only the database's file ever holds.
struct SRecordAttachment {
    std::string strName;
    std::string bytes;

    bool operator==(const SRecordAttachment&) const = default;
};

// The largest file an entry takes in: more is no password's attachment, and
// each version of the entry in its history keeps a reference to it.
inline constexpr std::size_t MAX_RECORD_ATTACHMENT_BYTES = 64 * 1024 * 1024;

struct SRecordExtras {
    // The entry's own fields, in its order: neither the six texts nor the
    // one-time password's settings.
    std::vector<SRecordField> fields;
    // The one-time password's settings as an otpauth:// URI; "" for none.
    std::string strOtp;
    std::vector<std::string> tags;
    // When the account expires (Unix seconds); none for never.
    std::optional<std::int64_t> nExpiry;
    std::vector<SRecordAttachment> attachments;

    bool operator==(const SRecordExtras&) const = default;
};

// An earlier version of an account, as the entry's history keeps it.
struct SRecordVersion {
    std::int64_t nModified = 0; // when it was last changed (Unix seconds)
    std::string strAccount;
    std::string strUserName;
    std::string strPassword;
    std::string strWebSite;
    std::string strEMail;
    std::string strComments; // line breaks as "\r\n"
    SRecordExtras extras;
};
