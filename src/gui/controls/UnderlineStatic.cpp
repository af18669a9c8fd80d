// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/UnderlineStatic.h"

#include <QFontMetrics>
#include <QPainter>

CUnderlineStatic::CUnderlineStatic(QWidget* pParent) : QLabel(pParent) {
    Init();
}

CUnderlineStatic::CUnderlineStatic(const QString& strText, QWidget* pParent)
    : QLabel(strText, pParent) {
    Init();
}

void CUnderlineStatic::Init() {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
}

QFont CUnderlineStatic::PaintFont() const {
    QFont font = parentWidget() != nullptr ? parentWidget()->font() : this->font();
    font.setUnderline(true);
    return font;
}

QStringList CUnderlineStatic::DisplayLines() const {
    QStringList listLines;
    if (text().isEmpty())
        return listLines;
    const QFontMetrics metrics(PaintFont());
    for (QString strLine : text().split(QLatin1Char('\n'))) {
        if (strLine.endsWith(QLatin1Char('\r')))
            strLine.chop(1);
        listLines << metrics.elidedText(strLine, Qt::ElideRight, width());
    }
    return listLines;
}

void CUnderlineStatic::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QStringList listLines = DisplayLines();
    if (listLines.isEmpty())
        return;
    const QFont font = PaintFont();
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(LinkColour());
    const QColor clrBack = TextBackground();
    int nTop = 0;
    for (const QString& strLine : listLines) {
        const QRect rectLine(0, nTop, width(), metrics.height());
        if (clrBack.isValid())
            painter.fillRect(QRect(0, nTop, metrics.horizontalAdvance(strLine), metrics.height()),
                             clrBack);
        painter.drawText(rectLine, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, strLine);
        nTop += metrics.lineSpacing();
    }
}
