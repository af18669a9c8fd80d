// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/HelpWindow.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* pParent) : QDialog(pParent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(TrText(KH_TEXT("Keyhaven", "Keyhaven Help")));
    setAccessibleName(windowTitle());
    setModal(false);
    m_pBrowser = new QTextBrowser(this);
    m_pBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    m_pBrowser->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Help")));
    m_pBrowser->setOpenExternalLinks(true);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pBrowser);
    m_pBrowser->setSource(IndexPage());
    resize(640, 520);
}

QUrl CHelpWindow::IndexPage() {
    const QString strResource = QStringLiteral(":/help/index.html");
    if (QFile::exists(strResource))
        return QUrl(QStringLiteral("qrc") + strResource);
    const QString strInstalled = QDir(QCoreApplication::applicationDirPath())
                                     .filePath(QStringLiteral("../share/keyhaven/help/index.html"));
    return QUrl::fromLocalFile(QDir::cleanPath(strInstalled));
}
