// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/ProcessGuard.h"

#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Set in the restarted program: "-" when there were no tunables before,
// "=" followed by them otherwise.
constexpr const char* RESTART_MARK = "KEYHAVEN_WIPING_ALLOCATOR";
constexpr const char* TUNABLES = "GLIBC_TUNABLES";
// No per-thread cache (its blocks are never filled), and every freed block
// filled with this byte.
constexpr const char* WIPING_TUNABLES = "glibc.malloc.tcache_count=0:glibc.malloc.perturb=165";

void RestoreTunables(const std::string& strWas) {
    if (strWas == "-")
        ::unsetenv(TUNABLES);
    else
        ::setenv(TUNABLES, strWas.c_str() + 1, 1);
    ::unsetenv(RESTART_MARK);
}

} // namespace

void RestartWithWipingAllocator(char** argv) {
    if (const char* pszWas = std::getenv(RESTART_MARK)) {
        RestoreTunables(pszWas);
        return;
    }
    const char* pszTunables = std::getenv(TUNABLES);
    const std::string strWas = pszTunables ? std::string("=") + pszTunables : std::string("-");
    std::string strNew = WIPING_TUNABLES;
    if (pszTunables && *pszTunables)
        strNew = std::string(pszTunables) + ":" + strNew;
    ::setenv(RESTART_MARK, strWas.c_str(), 1);
    ::setenv(TUNABLES, strNew.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Not restarted: the program goes on with the allocator as it is.
    RestoreTunables(strWas);
}

bool ForbidMemoryDumps() {
    // Not dumpable: no core file, and ptrace and /proc/PID/mem are closed to
    // processes of the same user.
    const bool bUndumpable = ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
    // A zero limit also covers a core pattern that pipes to a handler, which
    // the dumpable flag alone does not stop on every kernel.
    const rlimit limit{0, 0};
    const bool bNoCore = ::setrlimit(RLIMIT_CORE, &limit) == 0;
    return bUndumpable && bNoCore;
}
