#include "controls/HoverButton.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QStyle>

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

} // namespace

CHoverButton::CHoverButton(QWidget* pParent) : QPushButton(pParent) {}

CHoverButton::CHoverButton(const QString& strText, QWidget* pParent)
    : QPushButton(strText, pParent) {}

QIcon CHoverButton::LoadNumberedIcon(int nIconId) {
    const QString strPath = QStringLiteral(":/icons/%1.svg").arg(nIconId);
    if (nIconId > 0 && QFile::exists(strPath))
        return QIcon(strPath);
    return {};
}

void CHoverButton::SetIconId(int nIconId) {
    m_nIconId = nIconId;
    QIcon icon = LoadNumberedIcon(nIconId);
    if (icon.isNull() && nIconId > 0)
        icon = FallbackIcon(nIconId);
    setIcon(icon);
}
