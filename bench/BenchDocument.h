// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

class CCofferDoc;

// The benchmarks' password file: nAccounts accounts in groups of 100, with
// field lengths account 12, user name 16, password 16, web site 30, e-mail
// 24 and comments 60 bytes; deterministic contents, unique names. Records are
// put straight into the list: the store operations look groups up by
// walking the list, which is meant for one edit at a time.
inline constexpr std::size_t BENCH_ACCOUNTS_PER_GROUP = 100;
inline constexpr const char* BENCH_KEY = "benchmark KEY";

void FillBenchDocument(CCofferDoc& doc, std::size_t nAccounts);
std::size_t BenchGroupCount(std::size_t nAccounts);

// Takes pszFlag=N out of the arguments into nValue; false when it is
// malformed or outside 1..nMax.
bool TakeCountFlag(int& argc, char** argv, const char* pszFlag, std::size_t nMax,
                   std::size_t& nValue);
