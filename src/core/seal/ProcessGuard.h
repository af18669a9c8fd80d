// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps the process's memory, which holds KEYs and deciphered passwords, out
// of reach: no core file on a crash, and no other process of the user may
// attach to it or read its memory. Called first thing by both programs.
// True when both steps took effect.
bool ForbidMemoryDumps();

// The C library's allocator leaves a freed block as it was, and the desktop
// toolkit keeps every text it shows (a password in a field, on the
// clipboard) in such blocks: after the program let go of a file, its texts
// would still be in memory. Called first thing, this starts the program
// again in place (same process) with the allocator told to fill every freed
// block and to keep no per-thread cache of blocks it would not fill. The
// restarted program takes the environment back as it was, so the programs
// it starts are not affected. Returns only in the restarted program, or
// when the restart could not be made.
void RestartWithWipingAllocator(char** argv);
