// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"

#include <QString>

class QStatusBar;

// The status bar's account of a copied password: how many seconds it has
// left on the clipboard, counted down each second, then that it was cleared.
// When another text takes its place the count stops and its message goes.
// A prompt of a highlighted menu item covers the count until it goes; the
// count then shows again at its next second.
class CClipboardStatus {
public:
    explicit CClipboardStatus(QStatusBar& statusBar) : m_statusBar(statusBar) {}

    // What the clipboard tells of its password (CClipboard::SetPasswordWatch).
    void OnPassword(CClipboard::EPassword eState, unsigned nSeconds);

    // How long a final message (copied for good, cleared) stays.
    static constexpr int FINAL_MESSAGE_MS = 5000;

private:
    // The bar shows this object's last message, or nothing at all.
    bool IsOwnOrEmpty() const;
    void Show(const QString& strText, int nTimeoutMs);

    QStatusBar& m_statusBar;
    QString m_strShown;
};
