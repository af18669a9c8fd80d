// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchDocument.h"

#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t USER_NAME_LENGTH = 16;
constexpr std::size_t PASSWORD_LENGTH = 16;
constexpr std::size_t WEB_SITE_LENGTH = 30;
constexpr std::size_t EMAIL_LENGTH = 24;
constexpr std::size_t COMMENTS_LENGTH = 60;

// Printable, deterministic filler: a text starting with strStart, padded to
// nLength with characters of a fixed pseudo-random sequence.
std::string Filler(std::uint64_t& nState, std::size_t nLength, std::string strStart = {}) {
    static constexpr char ALPHABET[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_.+!*";
    strStart.resize(std::min(strStart.size(), nLength));
    while (strStart.size() < nLength) {
        nState ^= nState << 13;
        nState ^= nState >> 7;
        nState ^= nState << 17;
        strStart += ALPHABET[nState % (sizeof(ALPHABET) - 1)];
    }
    return strStart;
}

std::string Numbered(const char* pszFormat, std::size_t n) {
    char sz[32];
    std::snprintf(sz, sizeof sz, pszFormat, n);
    return sz;
}

} // namespace

std::size_t BenchGroupCount(std::size_t nAccounts) {
    return (nAccounts + BENCH_ACCOUNTS_PER_GROUP - 1) / BENCH_ACCOUNTS_PER_GROUP;
}

void FillBenchDocument(CCofferDoc& doc, std::size_t nAccounts) {
    doc.OnNewDocument();
    doc.DeleteGroup(doc.FindGroup(DEFAULT_GROUP_NAME));
    doc.SetKey(BENCH_KEY);
    // One notice for the whole fill, and no owner looked up per account.
    const CChangeBatch batch(doc);
    std::uint64_t nState = 0x9E3779B97F4A7C15ull;
    std::size_t nAccount = 0;
    const std::size_t nGroups = BenchGroupCount(nAccounts);
    for (std::size_t g = 0; g < nGroups; ++g) {
        doc.AddGroup(Numbered("Group %04zu", g + 1));
        for (std::size_t i = 0; i < BENCH_ACCOUNTS_PER_GROUP && nAccount < nAccounts; ++i) {
            ++nAccount;
            CPasswordInfo info;
            info.SetAccount(Numbered("acct-%07zu", nAccount));
            info.SetUserName(Filler(nState, USER_NAME_LENGTH, "user."));
            info.SetPassword(Filler(nState, PASSWORD_LENGTH));
            info.SetWebSite(Filler(nState, WEB_SITE_LENGTH, "https://www."));
            info.SetEMail(Filler(nState, EMAIL_LENGTH - std::strlen("@example.org")) +
                          "@example.org");
            info.SetComments(Filler(nState, COMMENTS_LENGTH, "Note: "));
            doc.InsertAccount(std::prev(doc.Records().end()), std::move(info));
        }
    }
}

// Takes pszFlag=N out of the arguments into nValue; false when it is
// malformed or outside 1..nMax.
bool TakeCountFlag(int& argc, char** argv, const char* pszFlag, std::size_t nMax,
                   std::size_t& nValue) {
    int nKept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], pszFlag, std::strlen(pszFlag)) != 0) {
            argv[nKept++] = argv[i];
            continue;
        }
        const char* pszValue = argv[i] + std::strlen(pszFlag);
        char* pszEnd = nullptr;
        const unsigned long long n = std::strtoull(pszValue, &pszEnd, 10);
        if (*pszValue == '\0' || *pszEnd != '\0' || n == 0 || n > nMax)
            return false;
        nValue = static_cast<std::size_t>(n);
    }
    argc = nKept;
    return true;
}
