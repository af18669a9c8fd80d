// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/HoverButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

namespace {

// Stand-ins for the numbered icons most dialogs use, when the set lacks them.
QIcon FallbackIcon(int nIconId) {
    QStyle* pStyle = QApplication::style();
    switch (nIconId) {
    case 222:
        return pStyle->standardIcon(QStyle::SP_DialogOkButton);
    case 279:
        return pStyle->standardIcon(QStyle::SP_DialogCancelButton);
    default:
        return {};
    }
}

QString IconPath(int nIconId) {
    return QStringLiteral(":/icons/%1.svg").arg(nIconId);
}

// The size the picture was drawn at; icons are shown at their natural size.
QSize NaturalSize(int nIconId, const QIcon& icon) {
    const QString strPath = IconPath(nIconId);
    if (QFile::exists(strPath)) {
        QSvgRenderer renderer(strPath);
        if (renderer.isValid() && !renderer.defaultSize().isEmpty())
            return renderer.defaultSize();
    }
    if (icon.isNull())
        return {};
    const int nSmall = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    return icon.actualSize(QSize(nSmall, nSmall));
}

// Space between the icon (at 3 pixels from the left edge) and the caption.
constexpr int ICON_LEFT = 3;
constexpr int CAPTION_GAP = 3;

} // namespace

CHoverButton::CHoverButton(QWidget* pParent) : QPushButton(pParent) {
    Init();
}

CHoverButton::CHoverButton(const QString& strText, QWidget* pParent)
    : QPushButton(strText, pParent) {
    Init();
}

void CHoverButton::Init() {
    m_clrFace = palette().color(QPalette::Button);
    m_clrText = palette().color(QPalette::ButtonText);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
}

QIcon CHoverButton::LoadNumberedIcon(int nIconId) {
    const QString strPath = IconPath(nIconId);
    if (nIconId > 0 && QFile::exists(strPath))
        return QIcon(strPath);
    return {};
}

void CHoverButton::SetIcon(int nIconIn, int nIconOut) {
    auto load = [](int nId) {
        QIcon icon = LoadNumberedIcon(nId);
        return icon.isNull() && nId > 0 ? FallbackIcon(nId) : icon;
    };
    m_nIconIn = nIconIn;
    m_nIconOut = nIconOut != 0 ? nIconOut : nIconIn;
    m_iconIn = load(nIconIn);
    m_iconOut = nIconOut != 0 ? load(nIconOut) : m_iconIn;
    m_sizeIcon = NaturalSize(nIconIn, m_iconIn);
    updateGeometry();
    repaint();
}

void CHoverButton::SetThemeIcon(const QString& strThemeName, int nFallbackId) {
    SetIcon(nFallbackId, 0);
    m_iconIn = QIcon::fromTheme(strThemeName, m_iconIn);
    m_iconOut = m_iconIn;
    repaint();
}

const QIcon& CHoverButton::CurrentIcon() const {
    return m_bMouseOver || isDown() ? m_iconIn : m_iconOut;
}

void CHoverButton::ResetHover() {
    if (!m_bMouseOver)
        return;
    m_bMouseOver = false;
    update();
}

void CHoverButton::TrackHover(const QPoint& ptPos, Qt::MouseButtons buttons) {
    const bool bLeftDown = buttons.testFlag(Qt::LeftButton);
    if (bLeftDown && !m_bMouseOver)
        return;
    if (!m_bIsFlat || !isEnabled())
        return;
    const bool bInside = rect().contains(ptPos);
    if (bInside) {
        if (!m_bMouseOver && QApplication::activeWindow() != nullptr && parentWidget() != nullptr) {
            m_bMouseOver = true;
            update();
        }
        return;
    }
    ResetHover();
}

void CHoverButton::mouseMoveEvent(QMouseEvent* pEvent) {
    QPushButton::mouseMoveEvent(pEvent);
    TrackHover(pEvent->position().toPoint(), pEvent->buttons());
}

void CHoverButton::enterEvent(QEnterEvent* pEvent) {
    QPushButton::enterEvent(pEvent);
    TrackHover(pEvent->position().toPoint(), QApplication::mouseButtons());
}

void CHoverButton::leaveEvent(QEvent* pEvent) {
    QPushButton::leaveEvent(pEvent);
    ResetHover();
}

void CHoverButton::focusOutEvent(QFocusEvent* pEvent) {
    QPushButton::focusOutEvent(pEvent);
    if (m_bIsFlat)
        ResetHover();
}

void CHoverButton::DrawBorder(QPainter& painter, bool bPressed) const {
    if (!m_bIsFlat || !m_bDrawBorder || (!bPressed && !m_bMouseOver))
        return;
    const QColor clrLight = palette().color(QPalette::Light);
    const QColor clrShadow = palette().color(QPalette::Dark);
    const QColor& clrTopLeft = bPressed ? clrShadow : clrLight;
    const QColor& clrBottomRight = bPressed ? clrLight : clrShadow;
    const QRect r = rect();
    painter.setPen(clrTopLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(clrBottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void CHoverButton::DrawCaption(QPainter& painter, const QRect& rectText) const {
    const int nFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!isEnabled()) {
        // The engraved look: a highlight copy one pixel down-right, the
        // shadow copy in place.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(rectText.translated(1, 1), nFlags, text());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(rectText, nFlags, text());
        return;
    }
    painter.setPen(m_clrText);
    painter.drawText(rectText, nFlags, text());
}

void CHoverButton::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    const bool bPressed = isDown();
    painter.fillRect(rect(), m_clrFace);
    DrawBorder(painter, bPressed);

    const QPoint ptShift = bPressed ? QPoint(1, 1) : QPoint(0, 0);
    const bool bCaption = m_bShowCaption && !text().isEmpty();
    const QIcon& icon = CurrentIcon();
    int nTextLeft = 0;
    if (!icon.isNull() && !m_sizeIcon.isEmpty()) {
        const int nY = (height() - m_sizeIcon.height()) / 2;
        const int nX = bCaption ? ICON_LEFT : (width() - m_sizeIcon.width()) / 2;
        const QRect rectIcon(QPoint(nX, nY) + ptShift, m_sizeIcon);
        icon.paint(&painter, rectIcon, Qt::AlignCenter,
                   isEnabled() ? QIcon::Normal : QIcon::Disabled);
        nTextLeft = ICON_LEFT + m_sizeIcon.width() + CAPTION_GAP;
    }
    if (bCaption) {
        QRect rectText = rect().adjusted(nTextLeft, 0, 0, 0);
        DrawCaption(painter, rectText.translated(ptShift));
    }
    if (hasFocus()) {
        // The keyboard user sees which button Space would press.
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        option.backgroundColor = m_clrFace;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QSize CHoverButton::sizeHint() const {
    const bool bCaption = m_bShowCaption && !text().isEmpty();
    const QSize sizeText = bCaption ? fontMetrics().size(Qt::TextShowMnemonic, text()) : QSize();
    int nWidth = 0;
    if (!m_sizeIcon.isEmpty())
        nWidth = bCaption ? ICON_LEFT + m_sizeIcon.width() + CAPTION_GAP : m_sizeIcon.width() + 8;
    nWidth += bCaption ? sizeText.width() + 12 : 0;
    const int nHeight = std::max(m_sizeIcon.height(), sizeText.height()) + 8;
    if (bCaption)
        return QSize(std::max(nWidth, QPushButton::sizeHint().width()),
                     std::max(nHeight, QPushButton::sizeHint().height()));
    return QSize(std::max(nWidth, nHeight), nHeight).expandedTo(QSize(16, 16));
}

QSize CHoverButton::minimumSizeHint() const {
    return sizeHint();
}
