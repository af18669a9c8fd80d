// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Counts the heap bytes taken through operator new, as the allocator really
// grants them (malloc_usable_size), between Begin and End: the bytes still
// held and the highest count reached. Outside that window nothing is
// counted, so timings elsewhere pay almost nothing. Linking HeapCounter.cpp
// replaces the global operator new and delete of the whole program.
class CHeapCounter {
public:
    static void Begin();
    static void End();
    // Bytes taken and not given back since Begin (negative when more was
    // freed than taken).
    static long long HeldBytes();
    static long long PeakBytes();
};
