// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clipboard.h"

#include "core/store/CodePage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace {

CClipboard::CClearDelay& ClearDelay() {
    static CClipboard::CClearDelay fnSeconds;
    return fnSeconds;
}

CClipboard::CPasswordWatch& PasswordWatch() {
    static CClipboard::CPasswordWatch fnWatch;
    return fnWatch;
}

void Tell(CClipboard::EPassword eState, unsigned nSeconds) {
    if (PasswordWatch())
        PasswordWatch()(eState, nSeconds);
}

// Counts the program's own changes of the clipboard, so a clearing that was
// set up for one text never removes a later one.
unsigned g_nGeneration = 0;

// The password whose clearing is counted down, and the seconds left.
struct SPending {
    const QMimeData* pData = nullptr;
    unsigned nGeneration = 0;
    unsigned nLeft = 0;
};
SPending g_pending;

// The data the clipboard returns is ours exactly while no one (this program
// or another) has put something else there.
bool HoldsPending() {
    const QMimeData* pNow = QGuiApplication::clipboard()->mimeData();
    return g_pending.pData != nullptr && g_pending.nGeneration == g_nGeneration &&
           pNow == g_pending.pData &&
           pNow->hasFormat(QString::fromLatin1(CClipboard::SECRET_HINT_TYPE));
}

void OnSecond();

// Ticks once a second while a password waits for its clearing; it lives
// with the application's clipboard.
QTimer& Ticker() {
    static QPointer<QTimer> pTimer;
    if (!pTimer) {
        pTimer = new QTimer(QGuiApplication::clipboard());
        pTimer->setInterval(1000);
        QObject::connect(pTimer, &QTimer::timeout, pTimer, &OnSecond);
    }
    return *pTimer;
}

void StopCountdown() {
    g_pending = {};
    Ticker().stop();
}

void OnSecond() {
    if (!HoldsPending()) {
        StopCountdown();
        Tell(CClipboard::EPassword::replaced, 0);
        return;
    }
    if (--g_pending.nLeft > 0) {
        Tell(CClipboard::EPassword::counting, g_pending.nLeft);
        return;
    }
    StopCountdown();
    QGuiApplication::clipboard()->clear();
    Tell(CClipboard::EPassword::cleared, 0);
}

} // namespace

void CClipboard::SetText(const std::string& strText, const CCodePage& codePage) {
    ++g_nGeneration;
    QGuiApplication::clipboard()->setText(QString::fromStdString(codePage.ToUtf8(strText)));
}

QMimeData* CClipboard::MakePasswordData(const std::string& strText, const CCodePage& codePage) {
    auto* pData = new QMimeData;
    pData->setText(QString::fromStdString(codePage.ToUtf8(strText)));
    pData->setData(QString::fromLatin1(SECRET_HINT_TYPE), QByteArray(SECRET_HINT_VALUE));
    return pData;
}

void CClipboard::SetPassword(const std::string& strText, const CCodePage& codePage) {
    const unsigned nGeneration = ++g_nGeneration;
    QMimeData* pData = MakePasswordData(strText, codePage);
    QGuiApplication::clipboard()->setMimeData(pData);
    // An earlier password's count ends without a word: the new one is told.
    StopCountdown();
    const unsigned nSeconds = ClearDelay() ? ClearDelay()() : 0;
    Tell(EPassword::copied, nSeconds);
    if (nSeconds == 0)
        return;
    g_pending = {pData, nGeneration, nSeconds};
    Ticker().start();
}

bool CClipboard::HoldsText() {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    return pData != nullptr && pData->hasText();
}

void CClipboard::EmptyIfText() {
    const bool bPending = g_pending.pData != nullptr;
    const bool bHeld = HoldsPending();
    if (HoldsText())
        QGuiApplication::clipboard()->clear();
    if (bPending) {
        StopCountdown();
        Tell(bHeld ? EPassword::cleared : EPassword::replaced, 0);
    }
}

void CClipboard::SetClearDelay(CClearDelay fnSeconds) {
    ClearDelay() = std::move(fnSeconds);
}

void CClipboard::SetPasswordWatch(CPasswordWatch fnWatch) {
    PasswordWatch() = std::move(fnWatch);
}
