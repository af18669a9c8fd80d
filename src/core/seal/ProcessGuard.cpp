// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/ProcessGuard.h"

#include <sys/prctl.h>
#include <sys/resource.h>

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
