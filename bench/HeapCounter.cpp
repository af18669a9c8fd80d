// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<bool> g_bCounting{false};
std::atomic<long long> g_nHeld{0};
std::atomic<long long> g_nPeak{0};

void Count(void* p) {
    if (!g_bCounting.load(std::memory_order_relaxed))
        return;
    const auto nSize = static_cast<long long>(malloc_usable_size(p));
    const long long nNow = g_nHeld.fetch_add(nSize, std::memory_order_relaxed) + nSize;
    long long nPeak = g_nPeak.load(std::memory_order_relaxed);
    while (nNow > nPeak && !g_nPeak.compare_exchange_weak(nPeak, nNow, std::memory_order_relaxed)) {
    }
}

void* Allocate(std::size_t nSize) {
    void* p = std::malloc(nSize == 0 ? 1 : nSize);
    if (p)
        Count(p);
    return p;
}

void* AllocateAligned(std::size_t nSize, std::align_val_t nAlign) {
    void* p = nullptr;
    const auto nAlignment = static_cast<std::size_t>(nAlign);
    if (::posix_memalign(&p, nAlignment < sizeof(void*) ? sizeof(void*) : nAlignment,
                         nSize == 0 ? 1 : nSize) != 0)
        return nullptr;
    Count(p);
    return p;
}

void Release(void* p) noexcept {
    if (!p)
        return;
    if (g_bCounting.load(std::memory_order_relaxed))
        g_nHeld.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

} // namespace

void CHeapCounter::Begin() {
    g_nHeld.store(0, std::memory_order_relaxed);
    g_nPeak.store(0, std::memory_order_relaxed);
    g_bCounting.store(true, std::memory_order_relaxed);
}

void CHeapCounter::End() {
    g_bCounting.store(false, std::memory_order_relaxed);
}

long long CHeapCounter::HeldBytes() {
    return g_nHeld.load(std::memory_order_relaxed);
}

long long CHeapCounter::PeakBytes() {
    return g_nPeak.load(std::memory_order_relaxed);
}

void* operator new(std::size_t nSize) {
    if (void* p = Allocate(nSize))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t nSize) {
    if (void* p = Allocate(nSize))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t nSize, const std::nothrow_t&) noexcept {
    return Allocate(nSize);
}

void* operator new[](std::size_t nSize, const std::nothrow_t&) noexcept {
    return Allocate(nSize);
}

void* operator new(std::size_t nSize, std::align_val_t nAlign) {
    if (void* p = AllocateAligned(nSize, nAlign))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t nSize, std::align_val_t nAlign) {
    if (void* p = AllocateAligned(nSize, nAlign))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t nSize, std::align_val_t nAlign, const std::nothrow_t&) noexcept {
    return AllocateAligned(nSize, nAlign);
}

void* operator new[](std::size_t nSize, std::align_val_t nAlign, const std::nothrow_t&) noexcept {
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
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
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
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(p);
}
