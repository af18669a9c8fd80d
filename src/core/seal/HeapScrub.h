// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Wipes every byte the allocator granted for a block (malloc_usable_size,
// which may be more than was asked), so nothing that lived there survives
// the block's release. The wipe is one the compiler may not drop.
void ScrubHeapBlock(void* p) noexcept;
// Wipes n bytes in a way the compiler may not drop.
void ScrubBytes(void* p, std::size_t n) noexcept;
