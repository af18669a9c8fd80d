// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DragTextButton.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "platform/Clipboard.h"

#include <QApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

CDragTextButton::CDragTextButton(QWidget* pParent)
    : CHoverButton(pParent), m_pCodePage(&CCodePage::Default()) {
    setCursor(Qt::OpenHandCursor);
    m_timerDragStart.setSingleShot(true);
    connect(&m_timerDragStart, &QTimer::timeout, this, [this] {
        if (m_bDragPending && isDown())
            StartDrag();
    });
    connect(this, &QAbstractButton::clicked, this, &CDragTextButton::CopyToClipboard);
}

void CDragTextButton::SetDragText(const std::string& strText) {
    // An assignment keeps the old buffer, and in it whatever the new text
    // does not cover.
    CSecretBuffer::Wipe(m_strDragText);
    m_strDragText = strText;
}

QMimeData* CDragTextButton::CreateDragData() const {
    auto* pData = new QMimeData;
    pData->setText(QString::fromStdString(m_pCodePage->ToUtf8(m_strDragText)));
    return pData;
}

void CDragTextButton::CopyToClipboard() {
    if (m_strDragText.empty())
        return;
    if (m_bSecret)
        CClipboard::SetPassword(m_strDragText, *m_pCodePage);
    else
        CClipboard::SetText(m_strDragText, *m_pCodePage);
    emit TextCopied();
}

void CDragTextButton::keyPressEvent(QKeyEvent* pEvent) {
    // Outside a dialog a push button ignores Enter; this one copies on it as
    // on Space, so the keyboard reaches what a click does.
    const int nKey = pEvent->key();
    if ((nKey == Qt::Key_Return || nKey == Qt::Key_Enter) &&
        (pEvent->modifiers() == Qt::NoModifier || pEvent->modifiers() == Qt::KeypadModifier)) {
        pEvent->accept();
        click();
        return;
    }
    CHoverButton::keyPressEvent(pEvent);
}

void CDragTextButton::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_ptPress = pEvent->position().toPoint();
        m_bDragged = false;
        CancelPendingDrag();
    }
    CHoverButton::mousePressEvent(pEvent);
}

void CDragTextButton::mouseMoveEvent(QMouseEvent* pEvent) {
    // The pressed state is read before the default handling, which clears it
    // once the pointer is outside the button.
    const QPoint ptPos = pEvent->position().toPoint();
    if (m_bDragged) {
        TrackHover(ptPos, pEvent->buttons());
        return;
    }
    if (ptPos != m_ptPress && isDown() && pEvent->buttons().testFlag(Qt::LeftButton)) {
        if ((ptPos - m_ptPress).manhattanLength() >= QApplication::startDragDistance()) {
            StartDrag();
            return;
        }
        if (!m_bDragPending) {
            m_bDragPending = true;
            m_timerDragStart.start(QApplication::startDragTime());
        }
    }
    CHoverButton::mouseMoveEvent(pEvent);
}

void CDragTextButton::mouseReleaseEvent(QMouseEvent* pEvent) {
    CancelPendingDrag();
    if (m_bDragged)
        setDown(false);
    CHoverButton::mouseReleaseEvent(pEvent);
}

void CDragTextButton::CancelPendingDrag() {
    m_bDragPending = false;
    m_timerDragStart.stop();
}

void CDragTextButton::StartDrag() {
    CancelPendingDrag();
    m_bDragged = true;
    auto* pDrag = new QDrag(this);
    pDrag->setMimeData(CreateDragData());
    // A target may take the text as a move; the text stays here all the same.
    const Qt::DropAction eAction = ExecDrag(pDrag, Qt::CopyAction | Qt::MoveAction);
    // The drag loop took the button release: the press ends here, without a
    // click, and the text stays whatever the target did with it.
    setDown(false);
    ResetHover();
    emit DragFinished(eAction);
}

Qt::DropAction CDragTextButton::ExecDrag(QDrag* pDrag, Qt::DropActions eAllowed) {
    return pDrag->exec(eAllowed, Qt::CopyAction);
}
