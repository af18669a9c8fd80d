// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/HotKeyGrabber.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>
#include <vector>

struct xcb_connection_t;

// The global hot key on an X server: the combination is grabbed on the root
// window, once plain and once with each of CapsLock, NumLock and both held,
// so it fires whatever the lock keys. A combination that another program
// holds already makes the X server refuse the grab, which counts as a
// failed registration. Where no X server is used (Wayland, offscreen) every
// grab fails, and the log says so once.
class CGlobalHotKey : public QObject, public QAbstractNativeEventFilter, public CHotKeyGrabber {
    Q_OBJECT
public:
    explicit CGlobalHotKey(QObject* pParent = nullptr);
    ~CGlobalHotKey() override;

    // Whether the program talks to an X server, where keys can be grabbed.
    static bool IsAvailable() { return Connection() != nullptr; }

    bool Grab(const SHotKeyGrab& grab) override;
    void Release(const SHotKeyGrab& grab) override;
    bool nativeEventFilter(const QByteArray& eventType, void* pMessage, qintptr* pResult) override;

signals:
    // The combination was pressed (delivered after the X event is handled).
    void Activated();

private:
    struct SGrabbed {
        SHotKeyGrab grab;
        std::vector<std::uint8_t> keyCodes;
    };

    static xcb_connection_t* Connection();
    std::vector<std::uint8_t> KeyCodesOf(std::uint32_t nKeySym) const;
    void Ungrab(const std::vector<std::uint8_t>& keyCodes, std::uint16_t nModifiers) const;

    std::vector<SGrabbed> m_grabbed;
    bool m_bFilterInstalled = false;
};
