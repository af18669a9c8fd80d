// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/EllipsisStatic.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Wide enough for a usual folder; longer ones are cut.
constexpr int PREFERRED_CHARS = 40;

} // namespace

CEllipsisStatic::CEllipsisStatic(QWidget* pParent) : QLabel(pParent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QString CEllipsisStatic::DisplayText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize CEllipsisStatic::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int nPreferred = metrics.averageCharWidth() * PREFERRED_CHARS;
    return {qMin(metrics.horizontalAdvance(text()), nPreferred), metrics.height()};
}

QSize CEllipsisStatic::minimumSizeHint() const {
    return {0, fontMetrics().height()};
}

void CEllipsisStatic::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     DisplayText());
}
