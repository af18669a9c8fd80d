// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/FilePropertyDlg.h"

#include "core/base/StringTable.h"
#include "gui/controls/EllipsisStatic.h"
#include "gui/controls/HoverButton.h"
#include "gui/dialogs/IconButtonRow.h"
#include "platform/Translations.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// One line of text: its caption (none beside the icon), control id, object
// name and value. A new line is one more row; a section ends in a rule.
struct STextRow {
    const char* pszCaption;
    int nId;
    const char* pszName;
    std::string SFileProperties::*pValue;
    bool bRuleAfter;
};

const STextRow TEXT_ROWS[] = {
    {nullptr, CFilePropertyDlg::IDC_NAME, "FileName", &SFileProperties::m_strFileName, true},
    {IDS_PROPERTY_CONTAINS, CFilePropertyDlg::IDC_CONTAINS, "Contains",
     &SFileProperties::m_strContains, false},
    {IDS_PROPERTY_LOCATION, CFilePropertyDlg::IDC_LOCATION, "Location",
     &SFileProperties::m_strLocation, false},
    {IDS_PROPERTY_SIZE, CFilePropertyDlg::IDC_SIZE, "Size", &SFileProperties::m_strSize, true},
    {IDS_PROPERTY_CREATED, CFilePropertyDlg::IDC_CREATED, "Created", &SFileProperties::m_strCreated,
     false},
    {IDS_PROPERTY_MODIFIED, CFilePropertyDlg::IDC_MODIFIED, "Modified",
     &SFileProperties::m_strModified, false},
    {IDS_PROPERTY_ACCESSED, CFilePropertyDlg::IDC_ACCESSED, "Accessed",
     &SFileProperties::m_strAccessed, true},
    {IDS_PROPERTY_PROTECTION, CFilePropertyDlg::IDC_PROTECTION, "Protection",
     &SFileProperties::m_strProtection, true},
};

QString Utf8(const char* pszText) {
    return TrText(pszText);
}

// The black rule between sections.
QFrame* MakeRule(QWidget* pParent) {
    auto* pRule = new QFrame(pParent);
    pRule->setFrameShape(QFrame::HLine);
    pRule->setFrameShadow(QFrame::Plain);
    pRule->setLineWidth(1);
    QPalette palette = pRule->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    pRule->setPalette(palette);
    return pRule;
}

// The value keeps its TAB ("2 Groups<TAB>5 Accounts") as a wide gap.
QLabel* MakeValue(int nId, QWidget* pParent) {
    QLabel* pValue =
        nId == CFilePropertyDlg::IDC_LOCATION ? new CEllipsisStatic(pParent) : new QLabel(pParent);
    pValue->setTextFormat(Qt::PlainText);
    return pValue;
}

} // namespace

CFilePropertyDlg::CFilePropertyDlg(const SFileProperties& props, QWidget* pParent)
    : QDialog(pParent), m_props(props) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(Utf8(IDS_FILE_PROPERTY_CAPTION));
    setObjectName(QStringLiteral("FilePropertyDlg"));
    setProperty("controlId", IDD);
    setAccessibleName(windowTitle());

    auto* pGrid = new QGridLayout;
    pGrid->setColumnMinimumWidth(1, 260);
    pGrid->setColumnStretch(1, 1);
    int nRow = 0;
    for (const STextRow& row : TEXT_ROWS) {
        QLabel* pValue = MakeValue(row.nId, this);
        const QString strValue = QString::fromStdString(props.*row.pValue);
        pValue->setText(strValue);
        pValue->setProperty("controlId", row.nId);
        pValue->setObjectName(QString::fromLatin1(row.pszName));
        QWidget* pLeft = nullptr;
        if (row.pszCaption) {
            auto* pCaption = new QLabel(Utf8(row.pszCaption), this);
            pCaption->setTextFormat(Qt::PlainText);
            pLeft = pCaption;
            pValue->setAccessibleDescription(pCaption->text());
        } else {
            auto* pIcon = new QLabel(this);
            pIcon->setPixmap(CHoverButton::LoadNumberedIcon(IDI_FILE).pixmap(32, 32));
            pLeft = pIcon;
        }
        pGrid->addWidget(pLeft, nRow, 0);
        if (row.nId == IDC_PROTECTION) {
            // A padlock, open for a format that anyone can read.
            auto* pLock = new QLabel(this);
            pLock->setObjectName(QStringLiteral("ProtectionIcon"));
            pLock->setPixmap(CHoverButton::LoadNumberedIcon(props.m_bSealed ? IDI_PADLOCK_CLOSED
                                                                            : IDI_PADLOCK_OPEN)
                                 .pixmap(16, 16));
            pLock->setAccessibleName(Utf8(props.m_bSealed ? IDS_PADLOCK_CLOSED : IDS_PADLOCK_OPEN));
            auto* pRow = new QHBoxLayout;
            pRow->addWidget(pLock);
            pRow->addWidget(pValue, 1);
            pGrid->addLayout(pRow, nRow, 1);
        } else {
            pGrid->addWidget(pValue, nRow, 1);
        }
        m_mapTexts[row.nId] = pValue;
        ++nRow;
        if (row.bRuleAfter)
            pGrid->addWidget(MakeRule(this), nRow++, 0, 1, 2);
    }

    auto* pAttributes = new QHBoxLayout;
    m_pReadOnly = MakeCheckBox(IDS_PROPERTY_READONLY, IDC_READONLY, "ReadOnly");
    m_pReadOnly->setChecked(props.m_bReadOnly);
    m_pHidden = MakeCheckBox(IDS_PROPERTY_HIDDEN, IDC_HIDDEN, "Hidden");
    m_pHidden->setChecked(props.m_bHidden);
    m_pHidden->setEnabled(false);
    m_pArchive = MakeCheckBox(IDS_PROPERTY_ARCHIVE, IDC_ARCHIVE, "Archive");
    m_pArchive->setEnabled(false);
    for (QCheckBox* pBox : {m_pReadOnly, m_pHidden, m_pArchive})
        pAttributes->addWidget(pBox);
    pAttributes->addStretch(1);
    pGrid->addWidget(new QLabel(Utf8(IDS_PROPERTY_ATTRIBUTES), this), nRow, 0);
    pGrid->addLayout(pAttributes, nRow, 1);

    const SIconButtonRow buttons = MakeIconButtonRow(*this);
    m_pOkButton = buttons.m_pOk;
    m_pCancelButton = buttons.m_pCancel;
    auto* pMain = new QVBoxLayout(this);
    pMain->addLayout(pGrid);
    pMain->addSpacing(8);
    pMain->addLayout(buttons.m_pLayout);
    pMain->setSizeConstraint(QLayout::SetFixedSize);
}

QCheckBox* CFilePropertyDlg::MakeCheckBox(const char* pszText, int nId, const char* pszName) {
    auto* pBox = new QCheckBox(Utf8(pszText), this);
    pBox->setProperty("controlId", nId);
    pBox->setObjectName(QString::fromLatin1(pszName));
    pBox->setAccessibleName(pBox->text().remove(QLatin1Char('&')));
    return pBox;
}

QLabel* CFilePropertyDlg::TextControl(int nId) const {
    const auto it = m_mapTexts.find(nId);
    return it == m_mapTexts.end() ? nullptr : it->second;
}

SFileProperties CFilePropertyDlg::Result() const {
    SFileProperties props = m_props;
    props.m_bReadOnly = m_pReadOnly->isChecked();
    return props;
}
