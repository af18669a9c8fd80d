// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/HeapScrub.h"

#include <malloc.h>
#include <string.h>

void ScrubBytes(void* p, std::size_t n) noexcept {
    if (p && n)
        ::explicit_bzero(p, n);
}

void ScrubHeapBlock(void* p) noexcept {
    if (p)
        ::explicit_bzero(p, ::malloc_usable_size(p));
}
