// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/HoverComboBox.h"

#include "gui/controls/AccessibleComboBox.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimerEvent>

namespace {

// A one-pixel frame: cTopLeft on the top and left edges, cBottomRight on
// the bottom and right ones.
void Frame(QPainter& painter, const QRect& rect, const QColor& cTopLeft,
           const QColor& cBottomRight) {
    painter.setPen(cTopLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(cBottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

CHoverComboBox::CHoverComboBox(QWidget* pParent) : QComboBox(pParent) {
    setMouseTracking(true);
    setEditable(false);
    CAccessibleComboBox::Install();
}

void CHoverComboBox::SetState(EState eState) {
    if (m_eState == eState)
        return;
    m_eState = eState;
    update();
}

void CHoverComboBox::mouseMoveEvent(QMouseEvent* pEvent) {
    m_timer.start(HOVER_PERIOD_MS, this);
    QComboBox::mouseMoveEvent(pEvent);
}

void CHoverComboBox::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_bButtonDown = true;
        TrackPointer();
    }
    QComboBox::mousePressEvent(pEvent);
}

void CHoverComboBox::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_bButtonDown = false;
        update();
    }
    QComboBox::mouseReleaseEvent(pEvent);
}

void CHoverComboBox::hidePopup() {
    // The release that ends a press on the list goes to its pop-up.
    m_bButtonDown = false;
    QComboBox::hidePopup();
    m_timer.start(HOVER_PERIOD_MS, this);
    TrackPointer();
}

void CHoverComboBox::timerEvent(QTimerEvent* pEvent) {
    if (pEvent->timerId() != m_timer.timerId()) {
        QComboBox::timerEvent(pEvent);
        return;
    }
    TrackPointer();
}

void CHoverComboBox::TrackPointer() {
    if (m_bButtonDown) {
        m_timer.stop();
        SetState(EState::pressed);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        m_timer.stop();
        SetState(EState::normal);
        return;
    }
    SetState(EState::hovered);
}

void CHoverComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.frame = false;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    DrawState(painter);
}

void CHoverComboBox::DrawState(QPainter& painter) const {
    const QColor cFace = palette().color(QPalette::Button);
    const QColor cShadow = palette().color(QPalette::Dark);
    const QColor cLight = palette().color(QPalette::Light);
    QRect rectOuter = rect().adjusted(0, 0, -1, -1);
    if (m_eState == EState::normal)
        Frame(painter, rectOuter, cFace, cFace);
    else
        Frame(painter, rectOuter, cShadow, cLight);
    const QRect rectInner = rectOuter.adjusted(1, 1, -1, -1);
    const QColor cInner = isEnabled() ? cFace : cLight;
    Frame(painter, rectInner, cInner, cInner);

    // The drop-down button: the rightmost strip, as wide as a scroll bar.
    const int nButton = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    QRect rectButton = rectInner.adjusted(1, 1, -1, -1);
    rectButton.setLeft(rectButton.right() - nButton + 1);
    Frame(painter, rectButton, cFace, cFace);
    Frame(painter, rectButton.adjusted(1, 1, -1, -1), cFace, cFace);
    if (!isEnabled())
        return;
    QRect rectEdge = rectButton.adjusted(0, -1, 0, 1);
    switch (m_eState) {
    case EState::normal:
        Frame(painter, rectEdge, cLight, cLight);
        Frame(painter, rectEdge.adjusted(-1, 0, 0, 0), cLight, cLight);
        break;
    case EState::hovered:
        Frame(painter, rectEdge, cLight, cShadow);
        break;
    case EState::pressed:
        Frame(painter, rectEdge.translated(1, 1), cShadow, cLight);
        break;
    }
}
