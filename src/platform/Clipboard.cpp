// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clipboard.h"

#include "core/store/CodePage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <chrono>

#include <utility>

namespace {

CClipboard::CClearDelay& ClearDelay() {
    static CClipboard::CClearDelay fnSeconds;
    return fnSeconds;
}

CClipboard::CPasswordCopied& PasswordCopied() {
    static CClipboard::CPasswordCopied fnCopied;
    return fnCopied;
}

// Counts the program's own changes of the clipboard, so a clearing that was
// set up for one text never removes a later one.
unsigned g_nGeneration = 0;

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
    QClipboard* pClipboard = QGuiApplication::clipboard();
    QMimeData* pData = MakePasswordData(strText, codePage);
    pClipboard->setMimeData(pData);
    const unsigned nSeconds = ClearDelay() ? ClearDelay()() : 0;
    if (PasswordCopied())
        PasswordCopied()(nSeconds);
    if (nSeconds == 0)
        return;
    // The data the clipboard returns is ours exactly while no one (this
    // program or another) has put something else there.
    QTimer::singleShot(std::chrono::seconds(nSeconds), pClipboard,
                       [pClipboard, pData, nGeneration]() {
                           const QMimeData* pNow = pClipboard->mimeData();
                           if (nGeneration == g_nGeneration && pNow == pData &&
                               pNow->hasFormat(QString::fromLatin1(SECRET_HINT_TYPE)))
                               pClipboard->clear();
                       });
}

bool CClipboard::HoldsText() {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    return pData != nullptr && pData->hasText();
}

void CClipboard::EmptyIfText() {
    if (HoldsText())
        QGuiApplication::clipboard()->clear();
}

void CClipboard::SetClearDelay(CClearDelay fnSeconds) {
    ClearDelay() = std::move(fnSeconds);
}

void CClipboard::SetPasswordCopied(CPasswordCopied fnCopied) {
    PasswordCopied() = std::move(fnCopied);
}
