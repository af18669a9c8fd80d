#include "platform/Clipboard.h"

#include "core/store/CodePage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void CClipboard::SetText(const std::string& strText, const CCodePage& codePage) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(codePage.ToUtf8(strText)));
}

bool CClipboard::HoldsText() {
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    return pData != nullptr && pData->hasText();
}

void CClipboard::EmptyIfText() {
    if (HoldsText())
        QGuiApplication::clipboard()->clear();
}
