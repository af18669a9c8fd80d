// SPDX-License-Identifier: GPL-3.0-or-later
// Linking this file gives the whole program a heap that wipes every block
// before the C library takes it back. The KEY, the field key and the
// deciphered texts pass through many temporary buffers (conversions, the
// toolkit's texts for the screen, the archive's buffers); wiping at the one
// place they all end is the only way not to miss one.
//
// The program's own free and realloc stand in front of the C library's: a
// program's definitions come first when the shared libraries' calls are
// bound, so the toolkit's and the C++ library's frees (operator delete ends
// in free) reach them too. The C library's allocator itself is unchanged,
// its per-thread caches included. Only the two programs link it; libraries
// and tests keep the standard allocator.

#include "core/seal/HeapScrub.h"

#include <cerrno>
#include <cstring>
#include <malloc.h>

#if !KEYHAVEN_SANITIZED_HEAP

extern "C" {
// The C library's own entry points, which its public names alias.
void* __libc_malloc(std::size_t nSize);
void __libc_free(void* p);
void* __libc_realloc(void* p, std::size_t nSize);

void free(void* p) noexcept {
    if (!p)
        return;
    ScrubHeapBlock(p);
    __libc_free(p);
}

// The C library's realloc releases a moved block itself, unwiped, so a block
// that grows is moved here: a new one, the contents copied, the old one
// wiped and freed. A block that shrinks stays where it is; what it gives back
// is wiped first.
void* realloc(void* p, std::size_t nSize) noexcept {
    if (!p)
        return __libc_malloc(nSize);
    if (nSize == 0) {
        free(p);
        return nullptr;
    }
    const std::size_t nHave = ::malloc_usable_size(p);
    if (nSize <= nHave) {
        ScrubBytes(static_cast<char*>(p) + nSize, nHave - nSize);
        return __libc_realloc(p, nSize);
    }
    void* pNew = __libc_malloc(nSize);
    if (!pNew)
        return nullptr; // the old block stays as it was, as the standard says
    std::memcpy(pNew, p, nHave);
    free(p);
    return pNew;
}

// The C library's reallocarray calls its realloc directly, past the one above.
void* reallocarray(void* p, std::size_t nCount, std::size_t nSize) noexcept {
    std::size_t nBytes = 0;
    if (__builtin_mul_overflow(nCount, nSize, &nBytes)) {
        errno = ENOMEM;
        return nullptr;
    }
    return realloc(p, nBytes);
}
}

#endif
