// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWindow;

// Keeps the toolkit's idea of where a top-level window is right from its
// first showing. A reparenting window manager (IceWM) places a new window
// inside its frame without the notice the X rules ask for, so the toolkit
// keeps the place it asked for, off by the title bar, until the window is
// moved: the accessibility bus then reports wrong places and dropped text
// lands beside the pointer. When a window is first exposed after being shown,
// its real place is read from the X server and, when it differs, sent to the
// window as the notice the manager should have sent. Without an X server
// (offscreen, Wayland) it does nothing.
class CMappedWindowPlace : public QObject {
    Q_OBJECT
public:
    explicit CMappedWindowPlace(QObject* pParent = nullptr);

    // Makes the toolkit take pWindow's real place on the screen; returns
    // whether it was off.
    static bool SyncWithServer(QWindow* pWindow);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
};
