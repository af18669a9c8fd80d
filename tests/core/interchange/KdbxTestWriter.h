// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxKeys.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Writes KeePass databases around a given XML document, for what the
// program's own writer (WriteKdbx) never makes: documents crafted for the
// reader, KDBX 3.1 with ChaCha20, key derivations too costly to run, header
// fields given twice. Values marked Protected="True" are given in plain text
// and masked here; in KDBX 3.1 Meta gets the header's hash. Seeds and IVs
// are fixed, so the same options give the same bytes.
struct SKdbxTestOptions {
    int nMajor = 4;
    EKdbxCipher eCipher = EKdbxCipher::aes256;
    SKdbxKdfParams kdf{EKdbxKdf::aes, CKdbxBytes(32, 7), 1};
    bool bCompress = true;
    EKdbxInnerStream eInner = EKdbxInnerStream::chacha20;
    SKdbxCredentials credentials{true, "pw", false, {}};
    // False: the derivation is not run (one that takes minutes or gigabytes)
    // and the file gets a key that no password gives.
    bool bDerive = true;
    // Header fields written again after the first ones, as (id, data).
    std::vector<std::pair<std::uint8_t, CKdbxBytes>> extraFields;
    // Changes the payload once compressed, before it is enciphered: damage
    // that only inflating it finds.
    std::function<void(CKdbxBytes&)> fnCompressed;
};

CKdbxBytes MakeTestKdbx(const std::string& strXml, const SKdbxTestOptions& options);

// A small document with one group below the root and a protected password.
std::string TestKdbxXml(const std::string& strPassword = "secret");
