// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxInfo.h"

#include "core/kdbx/KdbxFile.h"
#include "core/kdbx/KdbxTree.h"

#include <cstdint>
#include <optional>

namespace {

const char* CipherName(EKdbxCipher eCipher) {
    switch (eCipher) {
    case EKdbxCipher::aes256:
        return "AES-256";
    case EKdbxCipher::chacha20:
        return "ChaCha20";
    case EKdbxCipher::twofish:
        return "Twofish";
    }
    return "unknown";
}

// Whole MiB or KiB when the count is one, else bytes: Argon2 takes KiB.
std::string MemoryText(std::uint64_t nBytes) {
    constexpr std::uint64_t KIB = 1024;
    constexpr std::uint64_t MIB = KIB * KIB;
    if (nBytes != 0 && nBytes % MIB == 0)
        return std::to_string(nBytes / MIB) + " MiB";
    if (nBytes != 0 && nBytes % KIB == 0)
        return std::to_string(nBytes / KIB) + " KiB";
    return std::to_string(nBytes) + " bytes";
}

void AddKdf(const CKdbxVariantMap& map, std::vector<std::pair<std::string, std::string>>& facts) {
    const std::optional<SKdbxKdfParams> kdf = KdbxKdfFromVariantMap(map);
    if (!kdf) {
        facts.emplace_back("key derivation", "unknown");
        return;
    }
    if (kdf->eKdf == EKdbxKdf::aes) {
        facts.emplace_back("key derivation", "AES-KDF");
        facts.emplace_back("rounds", std::to_string(kdf->nRounds));
        return;
    }
    facts.emplace_back("key derivation", kdf->eKdf == EKdbxKdf::argon2d ? "Argon2d" : "Argon2id");
    facts.emplace_back("memory", MemoryText(kdf->nMemory));
    facts.emplace_back("iterations", std::to_string(kdf->nRounds));
    facts.emplace_back("parallelism", std::to_string(kdf->nParallelism));
}

std::size_t CountChildren(const CXmlElement& element, std::string_view strName) {
    std::size_t nCount = 0;
    for (const CXmlElement& child : element.Children())
        nCount += child.Name() == strName ? 1 : 0;
    return nCount;
}

} // namespace

std::vector<std::pair<std::string, std::string>> KdbxInfoFacts(const CKdbxFile& database) {
    std::vector<std::pair<std::string, std::string>> facts;
    facts.emplace_back("format", "KDBX " + std::to_string(database.MajorVersion()) + "." +
                                     std::to_string(database.MinorVersion()));
    facts.emplace_back("cipher", CipherName(database.Cipher()));
    facts.emplace_back("compression", database.IsCompressed() ? "gzip" : "none");
    AddKdf(database.KdfParameters(), facts);

    const CXmlElement* pMeta = database.Xml().Root().Child("Meta");
    facts.emplace_back("name", pMeta ? std::string(pMeta->ChildText("DatabaseName")) : "");
    facts.emplace_back("generator", pMeta ? std::string(pMeta->ChildText("Generator")) : "");

    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(database.Xml());
    std::size_t nAccounts = 0;
    std::size_t nHistory = 0;
    std::size_t nAttachments = 0;
    for (const SKdbxGroupNode& node : tree) {
        nAccounts += node.entries.size();
        for (const CXmlElement* pEntry : node.entries) {
            nAttachments += CountChildren(*pEntry, "Binary");
            if (const CXmlElement* pHistory = pEntry->Child("History"))
                nHistory += CountChildren(*pHistory, "Entry");
        }
    }
    facts.emplace_back("groups", std::to_string(tree.empty() ? 0 : tree.size() - 1));
    facts.emplace_back("accounts", std::to_string(nAccounts));
    facts.emplace_back("history items", std::to_string(nHistory));
    facts.emplace_back("attachments", std::to_string(nAttachments));
    return facts;
}
