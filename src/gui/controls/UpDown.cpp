// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/UpDown.h"
#include "platform/Translations.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* MakeArrow(Qt::ArrowType eArrow, const char* pszName, QWidget* pParent) {
    auto* pButton = new QToolButton(pParent);
    pButton->setArrowType(eArrow);
    pButton->setAutoRepeat(true);
    pButton->setFocusPolicy(Qt::NoFocus);
    pButton->setObjectName(QString::fromLatin1(pszName));
    pButton->setAccessibleName(TrText(pszName));
    pButton->setFixedSize(16, 11);
    return pButton;
}

} // namespace

CUpDown::CUpDown(QLineEdit* pBuddy, int nMin, int nMax, QWidget* pParent)
    : QWidget(pParent), m_pBuddy(pBuddy), m_nMin(nMin), m_nMax(nMax) {
    m_pUp = MakeArrow(Qt::UpArrow, KH_TEXT("Keyhaven", "Up"), this);
    m_pDown = MakeArrow(Qt::DownArrow, KH_TEXT("Keyhaven", "Down"), this);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pUp);
    pLayout->addWidget(m_pDown);
    connect(m_pUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CUpDown::Step(int nDelta) {
    bool bNumber = false;
    const int nValue = m_pBuddy->text().toInt(&bNumber);
    // From an empty or foreign text the first step lands on the range's end.
    const int nNext = bNumber ? nValue + nDelta : (nDelta > 0 ? m_nMin : m_nMax);
    m_pBuddy->setText(QString::number(std::clamp(nNext, m_nMin, m_nMax)));
}
