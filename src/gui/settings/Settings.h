// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/shell/ShellSettings.h"

#include <QObject>

// The program's settings while it runs, one object handed to the frame, the
// view and the Password Bar. They read the values when they need them; a
// change goes through Change(), which tells every part once, however many
// values it touched.
class CSettings : public QObject {
    Q_OBJECT

public:
    explicit CSettings(const SShellSettings& values, QObject* pParent = nullptr)
        : QObject(pParent), m_values(values) {}

    const SShellSettings& Values() const { return m_values; }

    // fnEdit changes a copy of the values; Changed follows once when any of
    // them differs afterwards.
    template <class Fn> void Change(Fn fnEdit) {
        SShellSettings values = m_values;
        fnEdit(values);
        if (values == m_values)
            return;
        m_values = std::move(values);
        emit Changed();
    }

signals:
    void Changed();

private:
    SShellSettings m_values;
};
