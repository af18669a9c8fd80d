// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps the process's memory, which holds KEYs and deciphered passwords, out
// of reach: no core file on a crash, and no other process of the user may
// attach to it or read its memory. Called first thing by both programs.
// True when both steps took effect.
bool ForbidMemoryDumps();
