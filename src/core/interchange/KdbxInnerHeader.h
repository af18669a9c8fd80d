// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxKeys.h"
#include "core/interchange/KdbxReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// An attachment of the database's binary pool; entries name it by its
// index (<Value Ref="0"/>).
struct SKdbxBinary {
    bool bProtected = false; // kept protected in memory by the managers that read it
    CKdbxSecret data;
};

// The inner header that opens a 4.x payload, before the XML: the protected
// values' stream, its key and the binary pool. It is read as the payload
// inflates; once its end field is read the stream is started, and what
// follows is the XML.
class CKdbxInnerHeader {
public:
    explicit CKdbxInnerHeader(CKdbxInnerStream& stream) : m_stream(stream) {}

    // Keeps the binaries in binaries, each charged to nMemoryLeft before it
    // is held (both must outlive the reading). Without, they are passed over.
    void KeepBinaries(std::vector<SKdbxBinary>& binaries, std::size_t& nMemoryLeft);

    // Takes the header's bytes from the front of chunk, which is left with
    // what follows the header. False once the header has failed.
    bool Take(std::span<const std::uint8_t>& chunk);
    bool IsRead() const { return m_bRead; }
    // damaged, unsupported (a stream that cannot be started) or tooLarge (a
    // kept binary beyond the allowance).
    EKdbxFailure Failure() const { return m_eFailure; }

private:
    bool StartField();
    bool EndField();
    bool Fail(EKdbxFailure eFailure);

    CKdbxInnerStream& m_stream;
    std::vector<SKdbxBinary>* m_pBinaries = nullptr;
    std::size_t* m_pnMemoryLeft = nullptr;
    bool m_bRead = false;
    EKdbxFailure m_eFailure = EKdbxFailure::none;
    CKdbxSecret m_head; // a field's id and size
    std::size_t m_nLeft = 0;
    CKdbxSecret m_data;
    std::optional<std::uint32_t> m_nStreamId;
    CKdbxSecret m_key;
};

// Starts stream as nStream with a fresh key and appends the inner header
// that names them, and the binaries, to plain. False when the stream cannot
// be started.
bool KdbxWriteInnerHeader(CKdbxInnerStream& stream, std::uint32_t nStream,
                          std::span<const SKdbxBinary> binaries, CKdbxSecret& plain);
