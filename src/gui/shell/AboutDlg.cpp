// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/AboutDlg.h"

#include "core/base/CommandIds.h"
#include "core/base/StringTable.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/LinkLabel.h"
#include "platform/Translations.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

CAboutDlg::CAboutDlg(CPrompts* pPrompts, QWidget* pParent) : QDialog(pParent) {
    setObjectName(QStringLiteral("AboutDlg"));
    setProperty("controlId", IDD_ABOUTBOX);
    setWindowTitle(TrText(IDS_ABOUT_CAPTION));
    setAccessibleName(windowTitle());

    auto* pIcon = new QLabel(this);
    pIcon->setObjectName(QStringLiteral("AboutIcon"));
    pIcon->setPixmap(CHoverButton::LoadNumberedIcon(IDR_MAINFRAME).pixmap(32, 32));
    pIcon->setAccessibleName(TrText(IDS_APP_TITLE));

    // The version line keeps its tab between name and version; a label
    // cannot show a tab, so the two parts stand in two columns.
    const QString strLine = TrText(IDS_APP_VERSION_LINE).arg(QStringLiteral(KEYHAVEN_VERSION));
    const qsizetype nTab = strLine.indexOf('\t');
    auto* pName = new QLabel(strLine.left(nTab), this);
    pName->setObjectName(QStringLiteral("AboutName"));
    auto* pVersion = new QLabel(strLine.mid(nTab + 1), this);
    pVersion->setObjectName(QStringLiteral("AboutVersion"));
    QFont font = pName->font();
    font.setBold(true);
    pName->setFont(font);

    m_pWebsite = new CLinkLabel(QString::fromUtf8(IDS_PRODUCT_WEBSITE), this);
    m_pWebsite->setObjectName(QStringLiteral("AboutWebsite"));
    m_pWebsite->setProperty("controlId", IDC_LINK_WEBSITE);
    m_pWebsite->SetLinkTarget(IDS_PRODUCT_WEBSITE);
    m_pWebsite->SetPrompts(pPrompts);
    m_pWebsite->setAccessibleName(QString::fromUtf8(IDS_PRODUCT_WEBSITE));

    m_pSupport = new CLinkLabel(QString::fromUtf8(IDS_SUPPORT_ADDRESS), this);
    m_pSupport->setObjectName(QStringLiteral("AboutSupport"));
    m_pSupport->setProperty("controlId", IDC_LINK_SUPPORT);
    m_pSupport->SetLinkTarget(std::string("mailto:") + IDS_SUPPORT_ADDRESS);
    m_pSupport->SetPrompts(pPrompts);
    m_pSupport->setAccessibleName(QString::fromUtf8(IDS_SUPPORT_ADDRESS));

    // The licence wraps at the width of about fifty characters, so the box
    // keeps its narrow shape in every language.
    auto* pLicence = new QLabel(TrText(IDS_ABOUT_LICENCE), this);
    pLicence->setObjectName(QStringLiteral("AboutLicence"));
    pLicence->setWordWrap(true);
    pLicence->setFixedWidth(pLicence->fontMetrics().averageCharWidth() * 50);
    pLicence->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_pOk = new CHoverButton(TrText(IDS_BUTTON_OK), this);
    m_pOk->setObjectName(QStringLiteral("AboutOk"));
    m_pOk->setProperty("controlId", IDOK);
    m_pOk->setAccessibleName(m_pOk->text());
    m_pOk->SetIconId(IDI_OK);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    // The keyboard starts on OK, so Enter closes the box; the links come next
    // in the tab order, where Enter opens them.
    m_pOk->setFocus(Qt::OtherFocusReason);
    setTabOrder(m_pOk, m_pWebsite);
    setTabOrder(m_pWebsite, m_pSupport);

    auto* pGrid = new QGridLayout(this);
    pGrid->addWidget(pIcon, 0, 0, 3, 1, Qt::AlignTop);
    auto* pTitle = new QHBoxLayout;
    pTitle->addWidget(pName);
    pTitle->addSpacing(24);
    pTitle->addWidget(pVersion);
    pTitle->addStretch();
    pGrid->addLayout(pTitle, 0, 1);
    pGrid->addWidget(m_pWebsite, 1, 1, Qt::AlignLeft);
    pGrid->addWidget(m_pSupport, 2, 1, Qt::AlignLeft);
    pGrid->setRowMinimumHeight(3, 8);
    pGrid->addWidget(pLicence, 4, 1, Qt::AlignLeft);
    // OK has a row of its own below the texts: beside the version line it
    // took that line's width.
    pGrid->setRowMinimumHeight(5, 8);
    pGrid->addWidget(m_pOk, 6, 0, 1, 2, Qt::AlignRight);
    setFixedSize(sizeHint());
}
