// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The address sanitizer brings a heap of its own that poisons freed blocks:
// there is no C library heap to wipe in front of.
#if defined(__SANITIZE_ADDRESS__)
#define KEYHAVEN_SANITIZED_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEYHAVEN_SANITIZED_HEAP 1
#endif
#endif
#ifndef KEYHAVEN_SANITIZED_HEAP
#define KEYHAVEN_SANITIZED_HEAP 0
#endif

// Wipes every byte the allocator granted for a block (malloc_usable_size,
// which may be more than was asked), so nothing that lived there survives
// the block's release. The wipe is one the compiler may not drop.
void ScrubHeapBlock(void* p) noexcept;
// Wipes n bytes in a way the compiler may not drop.
void ScrubBytes(void* p, std::size_t n) noexcept;
