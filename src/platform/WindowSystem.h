// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// What the window system lets the program do with its own windows. On
// Wayland a program cannot place its windows, keep one above the others or
// grab keys from other programs: the compositor decides all of that.
class CWindowSystem {
public:
    using CProbe = std::function<bool()>;

    // Whether Qt talks to a Wayland compositor.
    static bool IsWayland();
    // Tests answer the question themselves; an empty probe asks Qt again.
    static void SetWaylandProbe(CProbe fnProbe);

private:
    static CProbe& Probe();
};
