// SPDX-License-Identifier: GPL-3.0-or-later
// This program is linked with the programs' heap, as the two programs are:
// what it frees, whoever frees it, must be gone from the freed block.
#include "core/seal/HeapScrub.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <string>

namespace {

// Reaching the heap out of the compiler's sight: the look at a freed block
// afterwards is the point, so no call may be folded away.
void* (*volatile g_fnMalloc)(std::size_t) = std::malloc;
void (*volatile g_fnFree)(void*) = std::free;
void* (*volatile g_fnRealloc)(void*, std::size_t) = std::realloc;
void* (*volatile g_fnReallocarray)(void*, std::size_t, std::size_t) = ::reallocarray;

constexpr char MARK = 'S';

// How many bytes of [nFrom, nTo) of a released block still hold the mark.
// The allocator writes its own links at a freed block's start and the next
// block's size at its end, so callers look between the two.
std::size_t MarksLeft(const void* p, std::size_t nFrom, std::size_t nTo) {
    const auto* pBytes = static_cast<const volatile char*>(p);
    std::size_t nLeft = 0;
    for (std::size_t i = nFrom; i < nTo; ++i)
        nLeft += pBytes[i] == MARK ? 1 : 0;
    return nLeft;
}

// A marked block with a live block after it, so that freeing it does not
// give it back to the system (which would leave nothing to look at).
struct SMarkedBlock {
    explicit SMarkedBlock(std::size_t nSize)
        : m_nSize(nSize), m_p(g_fnMalloc(nSize)), m_pFence(g_fnMalloc(64)) {
        std::memset(m_p, MARK, nSize);
    }
    ~SMarkedBlock() { g_fnFree(m_pFence); }
    SMarkedBlock(const SMarkedBlock&) = delete;
    SMarkedBlock& operator=(const SMarkedBlock&) = delete;

    std::size_t m_nSize;
    void* m_p;
    void* m_pFence;
};

class ScrubbingHeap : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override {
        if (KEYHAVEN_SANITIZED_HEAP)
            GTEST_SKIP() << "the sanitizer's heap stands in for the C library's";
        // Big blocks come from the main heap too, and it is never trimmed.
        ASSERT_EQ(::mallopt(M_MMAP_THRESHOLD, 64 << 20), 1);
        ASSERT_EQ(::mallopt(M_TRIM_THRESHOLD, 256 << 20), 1);
    }
};

} // namespace

TEST_P(ScrubbingHeap, FreeWipesTheBlock) {
    SMarkedBlock block(GetParam());
    g_fnFree(block.m_p);
    EXPECT_EQ(MarksLeft(block.m_p, 32, block.m_nSize - 16), 0u);
}

TEST_P(ScrubbingHeap, ReallocThatMovesWipesTheOldBlock) {
    SMarkedBlock block(GetParam());
    auto* pGrown = static_cast<char*>(g_fnRealloc(block.m_p, block.m_nSize * 4 + 4096));
    ASSERT_NE(pGrown, nullptr);
    EXPECT_EQ(MarksLeft(pGrown, 0, block.m_nSize), block.m_nSize) << "the contents moved";
    if (pGrown != block.m_p) {
        EXPECT_EQ(MarksLeft(block.m_p, 32, block.m_nSize - 16), 0u);
    }
    g_fnFree(pGrown);
}

TEST_P(ScrubbingHeap, ReallocThatShrinksWipesWhatItGivesBack) {
    SMarkedBlock block(GetParam());
    const std::size_t nKept = 24;
    auto* pShrunk = static_cast<char*>(g_fnRealloc(block.m_p, nKept));
    ASSERT_NE(pShrunk, nullptr);
    EXPECT_EQ(MarksLeft(pShrunk, 0, nKept), nKept);
    EXPECT_EQ(MarksLeft(block.m_p, 64, block.m_nSize - 16), 0u);
    g_fnFree(pShrunk);
}

TEST_P(ScrubbingHeap, ReallocToNothingFreesAndWipes) {
    SMarkedBlock block(GetParam());
    EXPECT_EQ(g_fnRealloc(block.m_p, 0), nullptr);
    EXPECT_EQ(MarksLeft(block.m_p, 32, block.m_nSize - 16), 0u);
}

// A small block in a per-thread cache, a bin's block, and one past the
// largest cached size.
INSTANTIATE_TEST_SUITE_P(Sizes, ScrubbingHeap, ::testing::Values(100, 1000, 5000, 200000));

TEST(ScrubbingHeapLibraries, TheCxxLibrarysDeleteAndTheCLibrarysCopiesAreWiped) {
    if (KEYHAVEN_SANITIZED_HEAP)
        GTEST_SKIP() << "the sanitizer's heap stands in for the C library's";
    // A string's destructor ends in the C++ library's operator delete, which
    // calls free from inside that library.
    void* pFence = g_fnMalloc(64);
    const void* pText = nullptr;
    {
        const std::string strSecret(300, MARK);
        pText = strSecret.data();
    }
    EXPECT_EQ(MarksLeft(pText, 32, 300 - 16), 0u);
    // strdup's block is the C library's own malloc.
    const std::string strMarks(500, MARK);
    char* pCopy = ::strdup(strMarks.c_str());
    ASSERT_NE(pCopy, nullptr);
    g_fnFree(pCopy);
    EXPECT_EQ(MarksLeft(pCopy, 32, 500 - 16), 0u);
    g_fnFree(pFence);
}

TEST(ScrubbingHeapLibraries, ThePerThreadCacheStays) {
    if (KEYHAVEN_SANITIZED_HEAP)
        GTEST_SKIP() << "the sanitizer's heap stands in for the C library's";
    // The cache hands the last freed block of a size back first.
    void* p = g_fnMalloc(48);
    g_fnFree(p);
    void* pAgain = g_fnMalloc(48);
    EXPECT_EQ(pAgain, p);
    g_fnFree(pAgain);
}

TEST(ScrubbingHeapLibraries, ReallocarrayRefusesAnOverflowingSizeAndKeepsTheBlock) {
    if (KEYHAVEN_SANITIZED_HEAP)
        GTEST_SKIP() << "the sanitizer's heap reports an overflowing size as an error";
    auto* p = static_cast<char*>(g_fnMalloc(16));
    std::memset(p, MARK, 16);
    errno = 0;
    void* pNone = g_fnReallocarray(p, SIZE_MAX / 2, 4);
    EXPECT_EQ(pNone, nullptr);
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_EQ(MarksLeft(p, 0, 16), 16u);
    auto* pGrown = static_cast<char*>(g_fnReallocarray(p, 100, 8));
    ASSERT_NE(pGrown, nullptr);
    EXPECT_EQ(MarksLeft(pGrown, 0, 16), 16u);
    g_fnFree(pGrown);
}
