// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/ClipboardStatus.h"

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "platform/Translations.h"

#include <QStatusBar>

#include <string>

void CClipboardStatus::OnPassword(CClipboard::EPassword eState, unsigned nSeconds) {
    using EPassword = CClipboard::EPassword;
    const auto counted = [nSeconds]() {
        return QString::fromStdString(
            FormatText(IDS_PASSWORD_COPIED_CLEARED, std::to_string(nSeconds)));
    };
    // Each message outlives its next second, so a late tick leaves no gap.
    const int nCountMs = (static_cast<int>(nSeconds) + 1) * 1000;
    switch (eState) {
    case EPassword::copied:
        // The copy was just asked for: its message replaces whatever shows.
        if (nSeconds == 0)
            Show(TrText(IDS_PASSWORD_COPIED), FINAL_MESSAGE_MS);
        else
            Show(counted(), nCountMs);
        break;
    case EPassword::counting:
        if (IsOwnOrEmpty())
            Show(counted(), nCountMs);
        break;
    case EPassword::cleared:
        if (IsOwnOrEmpty())
            Show(TrText(IDS_CLIPBOARD_CLEARED), FINAL_MESSAGE_MS);
        break;
    case EPassword::replaced:
        // The password left with someone else's text: nothing more to count.
        if (!m_strShown.isEmpty() && m_statusBar.currentMessage() == m_strShown)
            m_statusBar.clearMessage();
        m_strShown.clear();
        break;
    }
}

bool CClipboardStatus::IsOwnOrEmpty() const {
    const QString strNow = m_statusBar.currentMessage();
    return strNow.isEmpty() || strNow == m_strShown;
}

void CClipboardStatus::Show(const QString& strText, int nTimeoutMs) {
    m_strShown = strText;
    m_statusBar.showMessage(strText, nTimeoutMs);
}
