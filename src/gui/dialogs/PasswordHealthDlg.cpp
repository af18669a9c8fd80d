// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/PasswordHealthDlg.h"

#include "core/base/CancelToken.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/PasswordInfo.h"
#include "platform/Translations.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <list>
#include <memory>
#include <unordered_map>

namespace {

QString StrengthText(EStrength eStrength) {
    return TrText(IDS_STRENGTH_WORDS[static_cast<int>(eStrength)]);
}

constexpr int STRENGTH_COUNT = static_cast<int>(std::size(IDS_STRENGTH_WORDS));

// A check on another thread. Cancel or a lock may leave it running after
// the dialog gave up on it, so it owns the records it reads; the records
// wipe their texts as they go.
struct SHealthCheck {
    SHealthCheck(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                 EStrength eThreshold)
        : m_listCopy(listInfo), m_pCodePage(&codePage), m_eThreshold(eThreshold) {}

    // The report, its lines pointing into the records it was copied from:
    // the document did not change while its busy box was up.
    SHealthReport ReportOn(const std::list<CPasswordInfo>& listInfo) {
        std::unordered_map<const CPasswordInfo*, const CPasswordInfo*> original;
        auto it = listInfo.begin();
        for (const CPasswordInfo& copy : m_listCopy)
            original.emplace(&copy, &*it++);
        for (SHealthLine& line : m_report.lines) {
            line.pGroup = original.at(line.pGroup);
            line.pAccount = original.at(line.pAccount);
        }
        return std::move(m_report);
    }

    const std::list<CPasswordInfo> m_listCopy;
    const CCodePage* m_pCodePage;
    const EStrength m_eThreshold;
    SHealthReport m_report;
};

} // namespace

CPasswordHealthDlg::CPasswordHealthDlg(const CCofferDoc& doc, SHealthDlgData& health,
                                       CPrompts& prompts, QWidget* pParent)
    : QDialog(pParent), m_doc(doc), m_data(health), m_prompts(prompts),
      m_eThreshold(StrengthNamed(health.m_strThreshold).value_or(EStrength::reasonable)) {
    setObjectName(QStringLiteral("PasswordHealthDlg"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(TrText(IDS_HEALTH_CAPTION));

    m_pThreshold = new QComboBox(this);
    m_pThreshold->setObjectName(QStringLiteral("HealthThreshold"));
    m_pThreshold->setProperty("controlId", static_cast<int>(IDC_HEALTH_THRESHOLD));
    QString strLabel = TrText(IDS_HEALTH_THRESHOLD);
    m_pThreshold->setAccessibleName(strLabel.remove(QLatin1Char('&')));
    for (int i = 0; i < STRENGTH_COUNT; ++i)
        m_pThreshold->addItem(StrengthText(static_cast<EStrength>(i)));
    m_pThreshold->setCurrentIndex(static_cast<int>(m_eThreshold));
    connect(m_pThreshold, &QComboBox::currentIndexChanged, this,
            &CPasswordHealthDlg::OnThresholdChosen);
    auto* pLabel = new QLabel(TrText(IDS_HEALTH_THRESHOLD), this);
    pLabel->setBuddy(m_pThreshold);

    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("HealthList"));
    m_pList->setProperty("controlId", static_cast<int>(IDC_HEALTH_LIST));
    m_pList->setAccessibleName(TrText(IDS_HEALTH_LIST));
    m_pList->setColumnCount(columnCount);
    m_pList->setHeaderLabels({TrText(IDS_HEALTH_COLUMN_ACCOUNT), TrText(IDS_HEALTH_COLUMN_FINDING),
                              TrText(IDS_HEALTH_COLUMN_STRENGTH)});
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->header()->setStretchLastSection(false);
    m_pList->header()->setSectionResizeMode(columnAccount, QHeaderView::ResizeToContents);
    m_pList->header()->setSectionResizeMode(columnFinding, QHeaderView::Stretch);
    m_pList->header()->setSectionResizeMode(columnStrength, QHeaderView::ResizeToContents);
    // Double click and Enter both activate a line.
    connect(m_pList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* pItem) { OpenLine(m_pList->indexOfTopLevelItem(pItem)); });

    m_pSummary = new QLabel(this);
    m_pSummary->setObjectName(QStringLiteral("HealthSummary"));
    m_pSummary->setProperty("controlId", static_cast<int>(IDC_HEALTH_SUMMARY));

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter belongs to the list, not to a default button.
    for (QAbstractButton* pButton : pButtons->buttons()) {
        if (auto* pPush = qobject_cast<QPushButton*>(pButton)) {
            pPush->setAutoDefault(false);
            pPush->setDefault(false);
        }
    }

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(pLabel);
    pTop->addWidget(m_pThreshold);
    pTop->addStretch();
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addWidget(m_pList, 1);
    pLayout->addWidget(m_pSummary);
    pLayout->addWidget(pButtons);
    resize(640, 400);
    Recompute();
}

QStringList CPasswordHealthDlg::LineTexts(const SHealthLine& line, const CCofferDoc& doc) {
    const CCodePage& codePage = doc.CodePage();
    const QString strPath =
        TrText(IDS_HEALTH_ACCOUNT_PATH)
            .arg(QString::fromStdString(codePage.ToUtf8(line.pGroup->Group())),
                 QString::fromStdString(codePage.ToUtf8(line.pAccount->Account())));
    QStringList astrFindings;
    if (line.bEmpty)
        astrFindings << TrText(IDS_HEALTH_EMPTY);
    if (line.bWeak)
        astrFindings << TrText(IDS_HEALTH_WEAK);
    if (line.nReuseCount > 1)
        astrFindings << TrCount(IDS_HEALTH_REUSED, line.nReuseCount).arg(line.nReuseSet);
    const QString strStrength = line.bEmpty ? TrText(IDS_HEALTH_NO_STRENGTH)
                                            : TrText(IDS_HEALTH_STRENGTH)
                                                  .arg(StrengthText(line.eStrength))
                                                  .arg(std::lround(line.dBits));
    return {strPath, astrFindings.join(TrText(IDS_HEALTH_SEPARATOR)), strStrength};
}

SHealthReport CPasswordHealthDlg::Check() const {
    if (m_doc.Records().size() < BUSY_RECORDS)
        return AuditPasswords(m_doc.Records(), m_doc.CodePage(), m_eThreshold);
    auto pCheck = std::make_shared<SHealthCheck>(m_doc.Records(), m_doc.CodePage(), m_eThreshold);
    const EBusyEnd eEnd = m_prompts.RunBusy(
        IDS_HEALTH_CHECKING,
        [pCheck](const CCancelToken& token) {
            pCheck->m_report = AuditPasswords(pCheck->m_listCopy, *pCheck->m_pCodePage,
                                              pCheck->m_eThreshold, nullptr, &token);
        },
        EBusyKind::stoppedByLock);
    if (eEnd != EBusyEnd::done || pCheck->m_report.bCancelled) {
        SHealthReport report;
        report.bCancelled = true;
        return report;
    }
    return pCheck->ReportOn(m_doc.Records());
}

void CPasswordHealthDlg::Recompute() {
    m_report = Check();
    const int nCurrent = m_pList->currentIndex().row();
    m_pList->clear();
    QList<QTreeWidgetItem*> items;
    for (const SHealthLine& line : m_report.lines)
        items << new QTreeWidgetItem(LineTexts(line, m_doc));
    m_pList->addTopLevelItems(items);
    if (!items.isEmpty())
        m_pList->setCurrentItem(
            items.value(std::max(0, std::min(nCurrent, int(items.size()) - 1))));
    m_pSummary->setText(m_report.bCancelled ? TrText(IDS_HEALTH_CANCELLED)
                        : m_report.lines.empty()
                            ? TrText(IDS_HEALTH_ALL_GOOD)
                            : TrCount(IDS_HEALTH_SUMMARY, m_report.nAccounts)
                                  .arg(QString::fromStdString(
                                      FormatCount(static_cast<long long>(m_report.lines.size())))));
}

void CPasswordHealthDlg::OnThresholdChosen(int nIndex) {
    if (nIndex < 0 || nIndex >= STRENGTH_COUNT)
        return;
    m_eThreshold = static_cast<EStrength>(nIndex);
    m_data.m_strThreshold = StrengthWord(m_eThreshold);
    Recompute();
}

void CPasswordHealthDlg::OpenLine(int nRow) {
    if (nRow < 0 || nRow >= static_cast<int>(m_report.lines.size()) || !m_data.m_fnEditAccount)
        return;
    // The report's records stay valid until the edit: the list is built
    // again from the document right after it.
    m_data.m_fnEditAccount(m_report.lines[static_cast<std::size_t>(nRow)].pAccount);
    Recompute();
}
