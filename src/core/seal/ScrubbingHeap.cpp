// SPDX-License-Identifier: GPL-3.0-or-later
// Linking this file replaces the global operator new and delete of the whole
// program: every block that C++ code gives back is wiped before the
// allocator sees it again. The KEY, the field key and the deciphered texts
// pass through many temporary strings (conversions, copies for the screen,
// the archive's buffers); wiping at the one place they all end is the only
// way not to miss one. Only the two programs link it; libraries and tests
// keep the standard allocator.

#include "core/seal/HeapScrub.h"

#include <cstdlib>
#include <new>

namespace {

void* Allocate(std::size_t nSize) {
    for (;;) {
        if (void* p = std::malloc(nSize == 0 ? 1 : nSize))
            return p;
        std::new_handler fnHandler = std::get_new_handler();
        if (!fnHandler)
            throw std::bad_alloc();
        fnHandler();
    }
}

void* AllocateAligned(std::size_t nSize, std::align_val_t nAlign) {
    const auto nAlignment = static_cast<std::size_t>(nAlign);
    for (;;) {
        void* p = nullptr;
        if (::posix_memalign(&p, nAlignment < sizeof(void*) ? sizeof(void*) : nAlignment,
                             nSize == 0 ? 1 : nSize) == 0)
            return p;
        std::new_handler fnHandler = std::get_new_handler();
        if (!fnHandler)
            throw std::bad_alloc();
        fnHandler();
    }
}

void Release(void* p) noexcept {
    if (!p)
        return;
    ScrubHeapBlock(p);
    std::free(p);
}

} // namespace

void* operator new(std::size_t nSize) {
    return Allocate(nSize);
}
void* operator new[](std::size_t nSize) {
    return Allocate(nSize);
}
void* operator new(std::size_t nSize, const std::nothrow_t&) noexcept {
    try {
        return Allocate(nSize);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t nSize, const std::nothrow_t&) noexcept {
    try {
        return Allocate(nSize);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t nSize, std::align_val_t nAlign) {
    return AllocateAligned(nSize, nAlign);
}
void* operator new[](std::size_t nSize, std::align_val_t nAlign) {
    return AllocateAligned(nSize, nAlign);
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
