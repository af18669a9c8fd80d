// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Asks the window manager to leave a shown window out of its task bar and
// pager (the X11 window state hint). A window that has its own way back,
// such as a strip that lives in the tray, needs no task bar button. Does
// nothing without an X server.
void SkipTaskbar(const QWidget& window);
