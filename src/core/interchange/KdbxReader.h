// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/ImportEntry.h"
#include "core/interchange/KdbxKeys.h"

#include <cstdint>
#include <functional>
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
    cancelled // the token was set: nothing read, nothing to report
};

struct SKdbxOutcome {
    EKdbxFailure eFailure = EKdbxFailure::none;
    std::string strMessage; // a clear sentence for the user
};

// The most memory reading a database may take: 8 times its size plus 64 MB,
// the bound every file the program opens keeps to.
std::size_t KdbxMemoryAllowed(std::size_t nFileSize);

// Reads a KeePass database (KDBX 3.1 or 4.x) and hands each of its entries
// to fnEntry in file order, leaving out the recycle bin and history. The
// whole file is verified and read before the first entry is handed out, so
// a failure hands out nothing. The key derivation and the resolution of
// field references stop early once pCancel is set.
SKdbxOutcome ReadKdbxEntries(std::span<const std::uint8_t> file,
                             const SKdbxCredentials& credentials,
                             const std::function<void(const SImportEntry&)>& fnEntry,
                             const CCancelToken* pCancel = nullptr);
