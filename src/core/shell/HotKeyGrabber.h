// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HotKeyMap.h"

// Where a global hot key is registered: the X server in the program, a
// recording fake in tests.
class CHotKeyGrabber {
public:
    virtual ~CHotKeyGrabber() = default;
    // Takes the combination from every other program; false when it is
    // taken already or the desktop offers no global keys.
    virtual bool Grab(const SHotKeyGrab& grab) = 0;
    // Gives a combination taken by Grab back.
    virtual void Release(const SHotKeyGrab& grab) = 0;
};
