// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowSystem.h"

#include <QGuiApplication>

CWindowSystem::CProbe& CWindowSystem::Probe() {
    static CProbe fnProbe;
    return fnProbe;
}

void CWindowSystem::SetWaylandProbe(CProbe fnProbe) {
    Probe() = std::move(fnProbe);
}

bool CWindowSystem::IsWayland() {
    if (const CProbe& fnProbe = Probe())
        return fnProbe();
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
