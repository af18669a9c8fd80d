// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/OtpPanel.h"

#include "core/otp/OtpCode.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CofferDoc.h"
#include "gui/controls/DragTextButton.h"
#include "gui/view/ViewTexts.h"
#include "platform/Translations.h"

#include <QLabel>
#include <QLineEdit>

#include <ctime>

COtpPanel::COtpPanel(const CCofferDoc& doc, QWidget* pParent)
    : QObject(pParent), m_doc(doc),
      m_fnNow([] { return static_cast<std::int64_t>(std::time(nullptr)); }) {
    m_pLabel = new QLabel(TrText(IDS_OTP_LABEL), pParent);
    m_pLabel->setProperty("controlId", IDC_OTP_LABEL);
    m_pLabel->setObjectName(QStringLiteral("OtpLabel"));
    m_pLabel->setAccessibleName(m_pLabel->text());
    m_pCodeBox = new QLineEdit(pParent);
    m_pCodeBox->setReadOnly(true);
    m_pCodeBox->setProperty("controlId", IDC_OTP);
    m_pCodeBox->setObjectName(QStringLiteral("Otp"));
    m_pCodeBox->setAccessibleName(m_pLabel->text());
    m_pCopy = new CDragTextButton(pParent);
    m_pCopy->setProperty("controlId", IDC_COPY_OTP);
    m_pCopy->setObjectName(QStringLiteral("CopyOtp"));
    m_pCopy->setAccessibleName(TrText(IDS_COPY_OTP_TIP));
    m_pCopy->setToolTip(TrText(IDS_COPY_OTP_TIP));
    m_pCopy->SetIcon(IDI_PASSWORD);
    m_pCopy->SetSecret(true);
    m_pCopy->setFocusPolicy(Qt::TabFocus);
    m_pCopy->setEnabled(false);
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &COtpPanel::Renew);
}

void COtpPanel::Show(const CPasswordInfo* pRecord) {
    std::optional<COtpSettings> settings;
    if (pRecord && !pRecord->IsGroup() && m_doc.IsDatabase()) {
        const SOtpRead read = OtpFromEntryFields([this, pRecord](std::string_view strName) {
            return m_doc.DatabaseField(*pRecord, strName);
        });
        if (read)
            settings = read.settings;
    }
    ShowSettings(std::move(settings));
}

void COtpPanel::ShowSettings(std::optional<COtpSettings> settings) {
    m_settings = std::move(settings);
    if (m_settings)
        m_tick.start();
    else
        m_tick.stop();
    Renew();
}

void COtpPanel::Renew() {
    CSecretBuffer::Wipe(m_strCode);
    m_strCode.clear();
    QString strShown;
    if (m_settings) {
        const std::int64_t nNow = m_fnNow();
        m_strCode = OtpCode(*m_settings, nNow);
        strShown = QString::fromStdString(GroupOtpCode(m_strCode));
        // A counter-based code stays until the counter moves on.
        if (m_settings->Kind() == EOtpKind::totp)
            strShown = TrText(IDS_OTP_SHOWN)
                           .arg(strShown)
                           .arg(TotpSecondsLeft(nNow, m_settings->Period()));
    }
    m_pCodeBox->setText(strShown);
    m_pCopy->SetCodePage(m_doc.CodePage());
    m_pCopy->SetDragText(m_strCode);
    m_pCopy->setEnabled(!m_strCode.empty());
}
