// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsTitleBand.h"
#include "platform/Translations.h"

#include <QPainter>

namespace {

constexpr int SHADOW = 2;
constexpr int TEXT_INDENT = 4;
const QColor SHADOW_COLOUR(128, 128, 128);
const QColor BAND_COLOUR(224, 218, 210);

} // namespace

COptionsTitleBand::COptionsTitleBand(QWidget* pParent) : QWidget(pParent) {
    setObjectName(QStringLiteral("PageTitle"));
    setAccessibleName(TrText(KH_TEXT("Keyhaven", "Page title")));
    QFont font = this->font();
    font.setBold(true);
    setFont(font);
}

void COptionsTitleBand::SetTitle(const QString& strTitle) {
    m_strTitle = strTitle;
    setAccessibleDescription(strTitle);
    update();
}

QSize COptionsTitleBand::sizeHint() const {
    return {200, fontMetrics().height() + 2 * SHADOW + 4};
}

void COptionsTitleBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect rectShadow = rect().adjusted(SHADOW, SHADOW, 0, 0);
    const QRect rectBand = rectShadow.translated(-SHADOW, -SHADOW);
    painter.fillRect(rectShadow, SHADOW_COLOUR);
    painter.fillRect(rectBand, BAND_COLOUR);
    painter.setPen(Qt::black);
    painter.drawText(rectBand.adjusted(TEXT_INDENT, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     m_strTitle);
}
