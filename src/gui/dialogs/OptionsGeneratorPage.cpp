// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/OptionsGeneratorPage.h"

#include "core/base/OptionsData.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/generator/PasswordGenerator.h"
#include "core/store/CodePage.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/StrengthMeter.h"
#include "gui/controls/UpDown.h"
#include "platform/Clipboard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <string>

namespace {

constexpr int IDI_GENERATE = 336;
constexpr int IDI_COPY = 404;
constexpr int IDI_CLEAR = 405;
constexpr int SPIN_MIN = 1;
constexpr int SPIN_MAX = 99;
constexpr int RANGE_DIGITS = 2;

struct SClassBox {
    int m_nId;
    const char* m_pszName;
    const char* m_pszText;
    int m_nFlag;
};

constexpr SClassBox CLASS_BOXES[5] = {
    {1008, "Uppercase", IDS_GEN_UPPER, PWGEN_UPPER},
    {1024, "Lowercase", IDS_GEN_LOWER, PWGEN_LOWER},
    {1025, "Numbers", IDS_GEN_DIGITS, PWGEN_DIGITS},
    {1026, "Special", IDS_GEN_SPECIAL, PWGEN_SPECIAL},
    {1066, "Space", IDS_GEN_SPACE, PWGEN_SPACE},
};

// The fixed length takes no more digits than the generator's longest
// password needs, so a typed length can never ask for an unbounded one.
int LengthDigits() {
    return int(std::to_string(MAX_PASSWORD_LENGTH).size());
}

int Number(const QLineEdit* pEdit) {
    return CPasswordGenerator::TextToNumber(pEdit->text().toStdString());
}

} // namespace

COptionsGeneratorPage::COptionsGeneratorPage(SOptionsData& options, CPrompts& prompts,
                                             QWidget* pParent)
    : COptionsPage(options, prompts, IDS_PAGE_GENERATOR, pParent) {
    m_pResult = MakeEdit(1190, "GeneratedPassword", IDS_GEN_RESULT);
    auto* pGenerate = MakeIconButton(1192, "Generate", IDS_GENERATE_PASSWORD_TIP, IDI_GENERATE);
    auto* pCopy = MakeIconButton(1191, "Copy", IDS_GEN_COPY_TIP, IDI_COPY);
    auto* pClear = MakeIconButton(1193, "Clear", IDS_GEN_CLEAR_TIP, IDI_CLEAR);
    auto* pResultRow = new QHBoxLayout;
    pResultRow->addWidget(m_pResult, 1);
    pResultRow->addWidget(pGenerate);
    pResultRow->addWidget(pCopy);
    pResultRow->addWidget(pClear);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(MakeLettersGroup(options.m_generator.m_nFlags));
    pLayout->addWidget(MakeLengthGroup());
    pLayout->addLayout(pResultRow);
    m_pStrength = new CStrengthMeter(this);
    m_pStrength->Follow(m_pResult);
    pLayout->addWidget(m_pStrength);
    pLayout->addStretch();

    connect(pGenerate, &QPushButton::clicked, this, &COptionsGeneratorPage::OnGenerate);
    connect(pCopy, &QPushButton::clicked, this, &COptionsGeneratorPage::OnCopy);
    connect(pClear, &QPushButton::clicked, this, &COptionsGeneratorPage::OnClear);
    SetRangeMode((options.m_generator.m_nFlags & PWGEN_RANGE) != 0);
}

QWidget* COptionsGeneratorPage::MakeLettersGroup(int nFlags) {
    auto* pGroup = new QGroupBox(Text(IDS_GEN_LETTERS), this);
    auto* pGrid = new QGridLayout(pGroup);
    for (int i = 0; i < 5; ++i) {
        const SClassBox& box = CLASS_BOXES[i];
        m_pClass[i] =
            MakeCheck(box.m_nId, box.m_pszName, box.m_pszText, (nFlags & box.m_nFlag) != 0);
        pGrid->addWidget(m_pClass[i], i / 3, i % 3);
    }
    return pGroup;
}

QLineEdit* COptionsGeneratorPage::MakeLengthEdit(int nId, const char* pszName,
                                                 const std::string& strText, int nMaxDigits) {
    QLineEdit* pEdit = MakeEdit(nId, pszName, pszName);
    pEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(nMaxDigits)), pEdit));
    pEdit->setMaxLength(nMaxDigits);
    pEdit->setText(QString::fromLatin1(strText));
    pEdit->setMaximumWidth(pEdit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6 + 12);
    return pEdit;
}

QWidget* COptionsGeneratorPage::MakeLengthGroup() {
    const SGeneratorSettings& gen = m_data.m_generator;
    auto* pGroup = new QGroupBox(Text(IDS_GEN_LENGTH), this);
    m_pRange = MakeRadio(1027, "Range", IDS_GEN_RANGE);
    m_pSpecify = MakeRadio(1032, "Specify", IDS_GEN_SPECIFY);
    m_pBegin = MakeLengthEdit(1028, KH_TEXT("Keyhaven", "Begin"), gen.m_strBegin, RANGE_DIGITS);
    m_pEnd = MakeLengthEdit(1029, KH_TEXT("Keyhaven", "End"), gen.m_strEnd, RANGE_DIGITS);
    m_pLength = MakeLengthEdit(1033, "Length", gen.m_strLength, LengthDigits());
    m_pBeginSpin = new CUpDown(m_pBegin, SPIN_MIN, SPIN_MAX, pGroup);
    m_pEndSpin = new CUpDown(m_pEnd, SPIN_MIN, SPIN_MAX, pGroup);
    m_pLengthSpin = new CUpDown(m_pLength, SPIN_MIN, SPIN_MAX, pGroup);

    auto* pGrid = new QGridLayout(pGroup);
    pGrid->addWidget(m_pRange, 0, 0);
    pGrid->addWidget(m_pBegin, 0, 1);
    pGrid->addWidget(m_pBeginSpin, 0, 2);
    pGrid->addWidget(new QLabel(Text(IDS_GEN_TO), pGroup), 0, 3);
    pGrid->addWidget(m_pEnd, 0, 4);
    pGrid->addWidget(m_pEndSpin, 0, 5);
    pGrid->addWidget(m_pSpecify, 1, 0);
    pGrid->addWidget(m_pLength, 1, 1);
    pGrid->addWidget(m_pLengthSpin, 1, 2);
    pGrid->setColumnStretch(6, 1);

    connect(m_pRange, &QRadioButton::clicked, this, [this] { SetRangeMode(true); });
    connect(m_pSpecify, &QRadioButton::clicked, this, [this] { SetRangeMode(false); });
    return pGroup;
}

void COptionsGeneratorPage::SetRangeMode(bool bRange) {
    m_pRange->setChecked(bRange);
    m_pSpecify->setChecked(!bRange);
    for (QWidget* pRangeControl :
         {static_cast<QWidget*>(m_pBegin), static_cast<QWidget*>(m_pEnd),
          static_cast<QWidget*>(m_pBeginSpin), static_cast<QWidget*>(m_pEndSpin)})
        pRangeControl->setEnabled(bRange);
    m_pLength->setEnabled(!bRange);
    m_pLengthSpin->setEnabled(!bRange);
}

int COptionsGeneratorPage::FlagsFromControls() const {
    int nFlags = m_pRange->isChecked() ? PWGEN_RANGE : 0;
    for (int i = 0; i < 5; ++i) {
        if (m_pClass[i]->isChecked())
            nFlags |= CLASS_BOXES[i].m_nFlag;
    }
    return nFlags;
}

void COptionsGeneratorPage::OnGenerate() {
    // The preview uses the lengths as typed; only the check refuses them.
    const std::string strPassword = CPasswordGenerator().GeneratePassword(
        FlagsFromControls(), Number(m_pBegin), Number(m_pEnd), Number(m_pLength));
    m_pResult->setText(QString::fromLatin1(strPassword));
}

void COptionsGeneratorPage::OnCopy() {
    if (m_pResult->text().isEmpty())
        return;
    // The password is printable ASCII, the same in every code page.
    CClipboard::SetText(m_pResult->text().toStdString(), CCodePage::Default());
}

void COptionsGeneratorPage::OnClear() {
    m_pResult->clear();
}

bool COptionsGeneratorPage::ValidatePage() {
    if (Number(m_pBegin) < 1 || Number(m_pEnd) < 1 || Number(m_pLength) < 1) {
        m_prompts.MessageBox(IDS_LENGTH_AT_LEAST_ONE, EMsgIcon::exclamation);
        return false;
    }
    SGeneratorSettings& gen = m_data.m_generator;
    gen.m_nFlags = FlagsFromControls();
    gen.m_strBegin = m_pBegin->text().toStdString();
    gen.m_strEnd = m_pEnd->text().toStdString();
    gen.m_strLength = m_pLength->text().toStdString();
    return true;
}
