// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HotKeyMap.h"

#include <string>

// The global hot key as the desktop portal's GlobalShortcuts interface takes
// it, for desktops that give programs no global key grab of their own.

// The id of the program's one shortcut in its portal session.
inline constexpr char PORTAL_SHORTCUT_ID[] = "restore";

// A combination in the portal's trigger syntax: the modifiers "CTRL", "ALT"
// and "SHIFT" and the key's keysym name, joined by "+" ("CTRL+ALT+k",
// "SHIFT+F5"); empty for an invalid grab or a keysym without a name here.
std::string PortalTrigger(const SHotKeyGrab& grab);

// The object path where the portal answers a request made with this handle
// token by the connection with this unique bus name (":1.42" answers under
// "/org/freedesktop/portal/desktop/request/1_42/TOKEN").
std::string PortalRequestPath(const std::string& strUniqueName, const std::string& strToken);
