// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop's D-Bus tray: a StatusNotifierWatcher on the session bus with
// a host registered, which Qt then uses instead of the X11 tray. Its hosts
// report a left click as one activation, never as a double click.
class CStatusNotifierHost {
public:
    // Asked once, as Qt asks when it chooses the tray; later answers stay
    // the first, since the program's icon stays in the tray Qt chose.
    static bool IsPresent();
};
