// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/StrengthMeter.h"

#include "core/base/StringTable.h"
#include "core/seal/HeapScrub.h"
#include "platform/Translations.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace {

// Red and orange for the words that ask for a better password, yellow for
// the one that is enough, green only for the two above it.
constexpr std::array<QRgb, 5> STRENGTH_COLOURS = {0xd32f2f, 0xef6c00, 0xe0c01a, 0x7cb342, 0x2e7d32};

} // namespace

QColor CStrengthMeter::ColourOf(EStrength eStrength) {
    return QColor(STRENGTH_COLOURS[static_cast<std::size_t>(eStrength)]);
}

CStrengthMeter::CStrengthMeter(QWidget* pParent) : QWidget(pParent) {
    setObjectName(QStringLiteral("StrengthMeter"));
    m_pBar = new QProgressBar(this);
    m_pBar->setObjectName(QStringLiteral("StrengthBar"));
    m_pBar->setAccessibleName(TrText(IDS_STRENGTH_NAME));
    m_pBar->setRange(0, FULL_BITS);
    m_pBar->setTextVisible(false);
    m_pBar->setMaximumHeight(m_pBar->fontMetrics().height() / 2 + 2);
    m_pLabel = new QLabel(this);
    m_pLabel->setObjectName(QStringLiteral("StrengthText"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(2);
    pLayout->addWidget(m_pBar);
    pLayout->addWidget(m_pLabel);
    SetPassword(QString());
}

void CStrengthMeter::Follow(const QLineEdit* pEdit) {
    // The signal's text shares the edit's buffer: no copy of it is made.
    connect(pEdit, &QLineEdit::textChanged, this, &CStrengthMeter::SetPassword);
    SetPassword(pEdit->text());
}

void CStrengthMeter::SetPassword(const QString& strPassword) {
    if (strPassword.isEmpty()) {
        m_eStrength.reset();
        m_dBits = 0;
        m_pBar->setValue(0);
        m_pLabel->setText(TrText(IDS_STRENGTH_NONE));
        m_pBar->setAccessibleDescription(m_pLabel->text());
        return;
    }
    QByteArray utf8 = strPassword.toUtf8();
    m_dBits =
        EstimateBits(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    ScrubBytes(utf8.data(), static_cast<std::size_t>(utf8.size()));
    m_eStrength = StrengthOf(m_dBits);
    // Styles draw a bar's filled part in the highlight colour.
    QPalette palette = m_pBar->palette();
    palette.setColor(QPalette::Highlight, ColourOf(*m_eStrength));
    m_pBar->setPalette(palette);
    m_pBar->setValue(std::clamp(static_cast<int>(std::lround(m_dBits)), 1, FULL_BITS));
    m_pLabel->setText(TrText(IDS_STRENGTH_FORMAT)
                          .arg(TrText(IDS_STRENGTH_WORDS[static_cast<int>(*m_eStrength)]))
                          .arg(std::lround(m_dBits)));
    m_pBar->setAccessibleDescription(m_pLabel->text());
}
