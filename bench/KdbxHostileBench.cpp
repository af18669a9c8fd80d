// SPDX-License-Identifier: GPL-3.0-or-later
// The KeePass databases that try the reader's bounds, written for
// bench/kdbx-hostile.sh, which imports each with keyhaven-cli under
// /usr/bin/time and judges its time and peak memory.
//
// bench_kdbx_hostile DIR [--entries=N]
// bench_kdbx_hostile --seeds DIR
//
// Every database opens with the password "pw". The key derivations that
// must never run are not run here either: those files get a key that no
// password gives. Beside them, big.xml holds N entries (default 100,000) in
// 100 groups as KeePass XML, for keepassxc-cli import to make a database of
// the kind a real manager writes.
//
// With --seeds it writes the small ones instead, as the KeePass reader's
// fuzzer takes them (fuzz/seeds/fuzz_kdbx_reader/hostile-*.bin): a first
// byte 0 for a whole database opened with "pw", 1 for an XML document.

#include "core/interchange/KdbxTestWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const std::string& strPath, const CKdbxBytes& bytes) {
    std::ofstream out(strPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The test document with strInsert put in front of its user name's text.
std::string WithText(const std::string& strInsert) {
    std::string strXml = TestKdbxXml();
    strXml.insert(strXml.find("bob"), strInsert);
    return strXml;
}

// A document with one group of nEntries entries, each as short as an entry
// can be written.
std::string EntryFlood(std::size_t nEntries) {
    std::string strXml = TestKdbxXml();
    std::string strEntries;
    strEntries.reserve(nEntries * 8);
    for (std::size_t i = 0; i < nEntries; ++i)
        strEntries += "<Entry/>";
    strXml.insert(strXml.find("</Group></Group>"), strEntries);
    return strXml;
}

// N entries as keepassxc-cli import reads them: title, user name, a random
// password, web site and notes in 100 groups.
bool WriteBigXml(const std::string& strPath, std::size_t nEntries) {
    std::ofstream out(strPath, std::ios::binary);
    std::uint64_t nState = 0x9E3779B97F4A7C15u;
    const auto Next = [&nState]() {
        nState ^= nState << 13;
        nState ^= nState >> 7;
        nState ^= nState << 17;
        return nState;
    };
    const auto Uuid = [&]() {
        static const char BASE64[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string str;
        for (int i = 0; i < 21; ++i)
            str += BASE64[Next() % 64];
        return str + "Q==";
    };
    const std::string strTimes =
        "<Times><LastModificationTime>2024-01-02T03:04:05Z</LastModificationTime>"
        "<CreationTime>2024-01-02T03:04:05Z</CreationTime><Expires>False</Expires></Times>";
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<KeePassFile><Meta><Generator>bench"
           "</Generator></Meta><Root><Group><UUID>"
        << Uuid() << "</UUID><Name>Root</Name>";
    constexpr std::size_t GROUPS = 100;
    for (std::size_t g = 0; g < GROUPS; ++g) {
        out << "<Group><UUID>" << Uuid() << "</UUID><Name>Group " << g << "</Name>" << strTimes;
        for (std::size_t i = g; i < nEntries; i += GROUPS) {
            std::string strPassword;
            for (int c = 0; c < 20; ++c)
                strPassword +=
                    "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789!#%*+-="[Next() % 64];
            out << "<Entry><UUID>" << Uuid() << "</UUID>" << strTimes
                << "<String><Key>Title</Key><Value>Account " << i << " at site" << i
                << "</Value></String><String><Key>UserName</Key><Value>user" << i
                << "@example.org</Value></String><String><Key>Password</Key><Value>" << strPassword
                << "</Value></String><String><Key>URL</Key><Value>https://www.site" << i
                << ".example.com/login</Value></String><String><Key>Notes</Key><Value>Note "
                << "for account " << i << "</Value></String></Entry>";
        }
        out << "</Group>";
    }
    out << "</Group></Root></KeePassFile>\n";
    return static_cast<bool>(out);
}

bool WriteSeed(const std::string& strPath, std::uint8_t nMode, const CKdbxBytes& bytes) {
    CKdbxBytes seed{nMode};
    seed.insert(seed.end(), bytes.begin(), bytes.end());
    return WriteFile(strPath, seed);
}

int WriteSeeds(const std::string& strDir) {
    const auto Options = [](int nMajor, SKdbxKdfParams kdf) {
        SKdbxTestOptions options;
        options.nMajor = nMajor;
        options.kdf = std::move(kdf);
        options.bDerive = false;
        return options;
    };
    const CKdbxBytes seed(32, 7);
    SKdbxTestOptions twice;
    twice.extraFields = {{3, {1, 0, 0, 0}}};
    const struct {
        const char* pszName;
        std::string strXml;
        SKdbxTestOptions options;
    } DATABASES[] = {
        {"hostile-aes-2p64.bin", TestKdbxXml(),
         Options(3, {EKdbxKdf::aes, seed, ~std::uint64_t(0)})},
        {"hostile-aes-slow.bin", TestKdbxXml(), Options(4, {EKdbxKdf::aes, seed, 500'000'000})},
        {"hostile-argon2-4gib.bin", TestKdbxXml(),
         Options(4, {EKdbxKdf::argon2id, seed, 1, std::uint64_t(4) << 30, 1})},
        {"hostile-argon2-passes.bin", TestKdbxXml(),
         Options(4, {EKdbxKdf::argon2d, seed, 0xFFFFFFFF, std::uint64_t(64) << 20, 2})},
        {"hostile-argon2-lanes.bin", TestKdbxXml(),
         Options(4, {EKdbxKdf::argon2id, seed, 1, 129 * 8 * 1024, 129})},
        {"hostile-field-twice.bin", TestKdbxXml(), twice},
        // Below the fuzzer's limit of 1 MiB for one allocation.
        {"hostile-token.bin", WithText("<x a=\"" + std::string(200 << 10, 'a') + "\"/>"),
         SKdbxTestOptions()},
    };
    for (const auto& database : DATABASES) {
        if (!WriteSeed(strDir + "/" + database.pszName, 0,
                       MakeTestKdbx(database.strXml, database.options)))
            return 1;
    }
    const struct {
        const char* pszName;
        std::string strXml;
    } DOCUMENTS[] = {
        {"hostile-document-attribute.bin",
         WithText("<x a=\"" + std::string(100 << 10, 'a') + "\"/>")},
        {"hostile-document-entries.bin", EntryFlood(10000)},
    };
    for (const auto& document : DOCUMENTS) {
        if (!WriteSeed(strDir + "/" + document.pszName, 1,
                       CKdbxBytes(document.strXml.begin(), document.strXml.end())))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--seeds")
        return WriteSeeds(argv[2]);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: bench_kdbx_hostile DIR [--entries=N] | --seeds DIR\n");
        return 2;
    }
    const std::string strDir = argv[1];
    std::size_t nEntries = 100000;
    if (argc == 3 && std::string(argv[2]).rfind("--entries=", 0) == 0)
        nEntries = std::strtoul(argv[2] + 10, nullptr, 10);

    struct SHostile {
        const char* pszName;
        std::string strXml;
        SKdbxTestOptions options;
    };
    SKdbxTestOptions aes3;
    aes3.nMajor = 3;
    aes3.kdf = {EKdbxKdf::aes, CKdbxBytes(32, 7), ~std::uint64_t(0)};
    aes3.bDerive = false;
    SKdbxTestOptions slowAes = aes3;
    slowAes.nMajor = 4;
    slowAes.kdf.nRounds = 500'000'000;
    SKdbxTestOptions memory;
    memory.kdf = {EKdbxKdf::argon2id, CKdbxBytes(32, 1), 1, std::uint64_t(4) << 30, 1};
    memory.bDerive = false;
    SKdbxTestOptions passes;
    passes.kdf = {EKdbxKdf::argon2d, CKdbxBytes(32, 1), 0xFFFFFFFF, std::uint64_t(64) << 20, 2};
    passes.bDerive = false;
    const SKdbxTestOptions cheap;

    // 63 MB of one letter inflate from about 61 KB.
    const std::size_t nBomb = std::size_t(63) << 20;
    const SHostile HOSTILE[] = {
        {"aes-2p64.kdbx", TestKdbxXml(), aes3},
        {"aes-slow.kdbx", TestKdbxXml(), slowAes},
        {"argon2-4gib.kdbx", TestKdbxXml(), memory},
        {"argon2-passes.kdbx", TestKdbxXml(), passes},
        // One attribute value, which the XML parser holds whole.
        {"token-bomb.kdbx", WithText("<x a=\"" + std::string(nBomb, 'a') + "\"/>"), cheap},
        // One user name, which is kept.
        {"text-bomb.kdbx", WithText(std::string(nBomb, 'b')), cheap},
        // 8 million entries of 8 bytes each.
        {"entry-flood.kdbx", EntryFlood(nBomb / 8), cheap},
    };
    for (const SHostile& hostile : HOSTILE) {
        if (!WriteFile(strDir + "/" + hostile.pszName,
                       MakeTestKdbx(hostile.strXml, hostile.options))) {
            std::fprintf(stderr, "%s cannot be written\n", hostile.pszName);
            return 1;
        }
    }
    if (nEntries > 0 && !WriteBigXml(strDir + "/big.xml", nEntries)) {
        std::fprintf(stderr, "big.xml cannot be written\n");
        return 1;
    }
    return 0;
}
