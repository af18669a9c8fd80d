// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxKeys.h"
#include "core/store/FileIO.h"

#include <cstdint>
#include <list>
#include <string>

class CCodePage;
class CPasswordInfo;

// How a KeePass database is written. The defaults are what Keyhaven
// exports: KDBX 4.0, Argon2id at least as costly as a ".khv" file's KEY
// (3 passes over 128 MiB), ChaCha20, gzip and a ChaCha20 inner stream. The
// other choices exist so that every form other managers read can be made.
struct SKdbxWriteOptions {
    enum class EVersion { kdbx31, kdbx40 };

    EVersion eVersion = EVersion::kdbx40;
    // 3.1 knows AES-KDF, AES-256 and Twofish, and the Salsa20 inner stream
    // only.
    EKdbxKdf eKdf = EKdbxKdf::argon2id;
    // Argon2's passes, or AES-KDF's rounds.
    std::uint64_t nRounds = 3;
    std::uint64_t nMemoryBytes = std::uint64_t(128) << 20; // Argon2 only
    std::uint32_t nParallelism = 1;                        // Argon2 only
    EKdbxCipher eCipher = EKdbxCipher::chacha20;
    bool bCompress = true;
    EKdbxInnerStream eInnerStream = EKdbxInnerStream::chacha20;
    // The name of the root group every exported group lies under, and of
    // the database.
    std::string strRootName = "Root";
};

// The rounds AES-KDF is given when a caller asks for it without choosing:
// what other managers take as their own default.
inline constexpr std::uint64_t KDBX_DEFAULT_AES_ROUNDS = 600000;

// The key derivation the options choose, with a fresh seed or salt: what a
// new database is made with.
SKdbxKdfParams KdbxFreshKdfParams(const SKdbxWriteOptions& options);

// Writes the accounts of the list as a KeePass database under the given
// password and key file. Groups are nested by splitting their names on
// "/" under one root group; an account's e-mail becomes the custom field
// "E-mail" and its comments the Notes, with "\r\n" as "\n". Texts are
// converted from the code page to UTF-8. The whole file is made before the
// first byte goes to fnSink (so it never sees half a database) and the
// plain texts are wiped once enciphered. False with the reason in strError
// when the options do not go together, a key file cannot be used, a group
// name cannot be stored, the key derivation fails or fnSink does.
bool WriteKdbx(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
               const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
               const CByteSink& fnSink, std::string& strError);
