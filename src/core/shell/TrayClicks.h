// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// A left click on the tray icon runs the icon's default item, once per
// gesture. The X11 tray reports every press of a double click and then the
// double click itself; a D-Bus tray host sends a double click as two
// activations. A click that comes within the double-click time of the one
// before it (or of the end of the work that one started) belongs to the same
// gesture and does nothing: otherwise the window a first click brought back
// would be locked again by the second, whose default by then is "Lock".
class CTrayClicks {
public:
    // Milliseconds on a monotonic clock.
    using CClock = std::function<std::uint64_t()>;

    CTrayClicks(CClock fnNow, unsigned nDoubleClickMs);

    // A click arrived: whether it runs the default item.
    bool Acts();
    // The work a click started has ended (a KEY question can take long): the
    // clicks of the same gesture are counted from here.
    void Done();

private:
    CClock m_fnNow;
    std::uint64_t m_nDoubleClickMs;
    std::uint64_t m_nLast = 0;
    bool m_bAny = false;
};
