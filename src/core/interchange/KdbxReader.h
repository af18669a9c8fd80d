// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"
#include "core/interchange/KdbxKeys.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

class CCancelToken;

enum class EKdbxFailure {
    none,
    notKdbx,
    unsupported,
    wrongKey,
    wrongKeyFile,
    damaged,
    tooLarge,
    outOfMemory,
    slowKdf,      // a slow key derivation that was not allowed (SKdbxReadOptions)
    kdfTooCostly, // a key derivation beyond what is ever run
    cancelled     // the token was set: nothing read, nothing to report
};

struct SKdbxOutcome {
    EKdbxFailure eFailure = EKdbxFailure::none;
    std::string strMessage; // a clear sentence for the user
};

struct SKdbxReadOptions {
    // A key derivation that KdbxKdfCost judges slow runs only when the user
    // agreed; without it the read stops before deriving (slowKdf).
    bool bAllowSlowKdf = false;
    // Set from elsewhere to stop the read; nothing is handed out then.
    const CCancelToken* pCancel = nullptr;
    // Hands out the custom fields (one-time password settings among them)
    // with their values, for a file that holds them; otherwise they are only
    // counted as left out.
    bool bKeepCustomFields = false;
};

// The most memory reading a database may take before its XML is read: the
// larger of 64 MB and its key derivation's memory, plus 8 times its size.
// As the XML inflates its size is added: the records and texts kept of it
// take about its own size. Everything the read holds is charged to it: the
// file's copies, the derivation, the XML parser's own buffers (no name or
// attribute of a database comes near them), every record and text, and the
// copies of the entries handed out.
std::size_t KdbxMemoryAllowed(std::size_t nFileSize, std::uint64_t nKdfMemory);

// Reads a database's header alone, before any key is asked: the key
// derivation it names, or nothing when the header cannot be read (reading
// the database then tells why).
std::optional<SKdbxKdfParams> ReadKdbxKdf(std::span<const std::uint8_t> file);
// Whether a derivation may run: none, slowKdf for a slow one that was not
// allowed, kdfTooCostly for one that never runs, each with its message.
SKdbxOutcome KdbxKdfOutcome(const SKdbxKdfParams& params, const SKdbxReadOptions& options);
// The cost of a derivation as a message names it: "500000000 AES-KDF
// rounds", "2048 MiB of memory and 3 passes" (and " in 256 lanes" beyond
// the lanes that run).
std::string KdbxKdfCostText(const SKdbxKdfParams& params);

// Reads a KeePass database (KDBX 3.1 or 4.x) and hands each of its entries
// to fnEntry in file order, leaving out the recycle bin and history. The
// whole file is verified and read before the first entry is handed out, so
// a failure hands out nothing. The key derivation and the resolution of
// field references stop early once pCancel is set.
SKdbxOutcome ReadKdbxEntries(std::span<const std::uint8_t> file,
                             const SKdbxCredentials& credentials,
                             const std::function<void(const SImportEntry&)>& fnEntry,
                             const SKdbxReadOptions& options = {});
