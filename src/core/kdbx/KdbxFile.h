// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/interchange/KdbxCipher.h"
#include "core/interchange/KdbxInnerHeader.h"
#include "core/interchange/KdbxKeys.h"
#include "core/interchange/KdbxReader.h"
#include "core/kdbx/XmlTree.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A KeePass database kept whole: the outer header's settings, the binary
// pool and the XML tree, so that saving it again keeps everything no one
// changed. Reads KDBX 3.1 and 4.x; writes KDBX 4.
class CKdbxFile {
public:
    // Reads the database. 3.1's binaries (Meta's Binaries) move to the pool
    // and the entries' references with them, its HeaderHash is checked
    // (damaged when it differs) and dropped, and its ISO times become 4.x's
    // counts of seconds. On failure the file is left as it was.
    SKdbxOutcome Read(std::span<const std::uint8_t> file, const SKdbxCredentials& credentials,
                      const SKdbxReadOptions& options = {});

    // Writes the database as KDBX 4 with a fresh master seed, IV, key
    // derivation seed and inner stream key (ChaCha20), the cipher,
    // compression and key derivation's other parameters as they are, the
    // public custom data as read, the pool, and every protected text masked
    // again.
    SKdbxOutcome Write(const SKdbxCredentials& credentials, CKdbxBytes& file) const;

    // The format version read (4.x is written as read; 3.1 as 4.0).
    std::uint16_t MajorVersion() const { return m_nMajor; }
    std::uint16_t MinorVersion() const { return m_nMinor; }

    EKdbxCipher Cipher() const { return m_eCipher; }
    void SetCipher(EKdbxCipher eCipher) { m_eCipher = eCipher; }
    bool IsCompressed() const { return m_bCompressed; }
    void SetCompressed(bool bCompressed) { m_bCompressed = bCompressed; }
    // The key derivation's parameters as the header stores them (4.x's
    // map, unknown entries included; 3.1's AES-KDF made into one).
    const CKdbxVariantMap& KdfParameters() const { return m_kdfParameters; }
    void SetKdfParameters(const CKdbxVariantMap& map) { m_kdfParameters = map; }
    // The header's public custom data as read (a variant map's bytes).
    const std::optional<CKdbxBytes>& PublicCustomData() const { return m_publicCustomData; }

    std::vector<SKdbxBinary>& Binaries() { return m_binaries; }
    const std::vector<SKdbxBinary>& Binaries() const { return m_binaries; }
    CXmlTree& Xml() { return m_xml; }
    const CXmlTree& Xml() const { return m_xml; }

private:
    std::uint16_t m_nMajor = 4;
    std::uint16_t m_nMinor = 0;
    EKdbxCipher m_eCipher = EKdbxCipher::aes256;
    bool m_bCompressed = true;
    CKdbxVariantMap m_kdfParameters;
    std::optional<CKdbxBytes> m_publicCustomData;
    std::vector<SKdbxBinary> m_binaries;
    CXmlTree m_xml;
};
