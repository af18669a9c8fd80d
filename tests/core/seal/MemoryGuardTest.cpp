// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/HeapScrub.h"
#include "core/seal/ProcessGuard.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/PasswordInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

bool AllZero(const char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (p[i] != 0)
            return false;
    }
    return true;
}

// Allows core files as far as the hard limit lets, forbids them, and exits
// 0 when the process ends up with no core file and not dumpable.
[[noreturn]] void ForbidAfterAllowing() {
    rlimit allowed{};
    getrlimit(RLIMIT_CORE, &allowed);
    allowed.rlim_cur = allowed.rlim_max;
    (void)setrlimit(RLIMIT_CORE, &allowed);
    const bool bWasDumpable = prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 1;
    const bool bDone = ForbidMemoryDumps();
    rlimit now{};
    getrlimit(RLIMIT_CORE, &now);
    const bool bUndumpable = prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0;
    std::_Exit(bWasDumpable && bDone && now.rlim_cur == 0 && now.rlim_max == 0 && bUndumpable ? 0
                                                                                              : 1);
}

} // namespace

TEST(MemoryGuard, CoreDumpsAndAttachingAreOffEvenWhenAllowedBefore) {
    // In a child: the switch cannot be undone, and the test program should
    // stay as it was.
    EXPECT_EXIT(ForbidAfterAllowing(), ::testing::ExitedWithCode(0), "");
}

TEST(MemoryGuard, ScrubWipesTheWholeGrantedBlock) {
    char* p = static_cast<char*>(std::malloc(40));
    ASSERT_NE(p, nullptr);
    const std::size_t nGranted = malloc_usable_size(p);
    ASSERT_GE(nGranted, 40u);
    std::memset(p, 'k', nGranted);
    ScrubHeapBlock(p);
    EXPECT_TRUE(AllZero(p, nGranted));
    std::free(p);

    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    ScrubBytes(buffer + 4, 8);
    EXPECT_EQ(buffer[3], 'x');
    EXPECT_TRUE(AllZero(buffer + 4, 8));
    EXPECT_EQ(buffer[12], 'x');
    ScrubHeapBlock(nullptr); // harmless
}

TEST(MemoryGuard, RecordWipeEmptiesEveryText) {
    // The record's texts share one block, which the wipe clears before it
    // is released (released blocks are scrubbed by the heap as well).
    CPasswordInfo info;
    info.SetPassword(std::string(64, 'p'));
    info.SetUserName(std::string(40, 'u'));
    info.SetGroup(std::string(30, 'g'));
    info.Wipe();
    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i)
        EXPECT_TRUE(info.TextView(static_cast<CPasswordInfo::EText>(i)).empty()) << i;
    // A wiped record takes texts again.
    info.SetAccount("again");
    EXPECT_EQ(info.Account(), "again");
}
