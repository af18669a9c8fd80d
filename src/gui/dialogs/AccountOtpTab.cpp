// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountOtpTab.h"

#include "core/otp/OtpSettings.h"
#include "core/seal/SecretBuffer.h"
#include "gui/controls/DragTextButton.h"
#include "gui/controls/MaskedValueDelegate.h"
#include "gui/dialogs/AccountTabTexts.h"
#include "gui/view/OtpPanel.h"
#include "platform/Translations.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CAccountOtpTab::CAccountOtpTab(const CCofferDoc& doc, QWidget* pParent) : QWidget(pParent) {
    m_pUri = new QLineEdit(this);
    m_pUri->setObjectName(QStringLiteral("OtpUri"));
    m_pUri->setAccessibleName(TrText(IDS_OTP_URI_NAME));
    m_pSecret = new QLineEdit(this);
    m_pSecret->setObjectName(QStringLiteral("OtpSecret"));
    m_pSecret->setAccessibleName(TrText(IDS_OTP_SECRET_NAME));
    m_pUseSecret = new QPushButton(TrText(IDS_OTP_USE_SECRET), this);
    m_pUseSecret->setObjectName(QStringLiteral("OtpUseSecret"));
    m_pUseSecret->setAccessibleName(TrText(IDS_OTP_USE_SECRET_NAME));
    m_pUseSecret->setAutoDefault(false);
    auto* pHint = new QLabel(TrText(IDS_OTP_SECRET_HINT), this);
    pHint->setWordWrap(true);
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("OtpStatus"));
    m_pStatus->setAccessibleName(TrText(IDS_OTP_STATUS_NAME));
    m_pStatus->setWordWrap(true);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pPanel = new COtpPanel(doc, this);
    connect(m_pUri, &QLineEdit::textChanged, this, &CAccountOtpTab::OnUriChanged);
    connect(m_pUseSecret, &QPushButton::clicked, this, &CAccountOtpTab::OnUseSecret);

    auto* pForm = new QFormLayout(this);
    auto* pUriLabel = new QLabel(TrText(IDS_OTP_URI_LABEL), this);
    pUriLabel->setBuddy(m_pUri);
    pForm->addRow(pUriLabel, m_pUri);
    pForm->addRow(QString(), m_pStatus);
    auto* pSecretRow = new QHBoxLayout;
    pSecretRow->addWidget(m_pSecret, 1);
    pSecretRow->addWidget(m_pUseSecret);
    auto* pSecretLabel = new QLabel(TrText(IDS_OTP_SECRET_LABEL), this);
    pSecretLabel->setBuddy(m_pSecret);
    pForm->addRow(pSecretLabel, pSecretRow);
    pForm->addRow(QString(), pHint);
    auto* pCodeRow = new QHBoxLayout;
    pCodeRow->addWidget(m_pPanel->CodeBox(), 1);
    pCodeRow->addWidget(m_pPanel->CopyButton());
    pForm->addRow(m_pPanel->Label(), pCodeRow);
    OnUriChanged();
}

void CAccountOtpTab::Load(const std::string& strUri) {
    m_pUri->setText(QString::fromStdString(strUri));
    OnUriChanged();
}

std::string CAccountOtpTab::Uri() const {
    return m_pUri->text().trimmed().toStdString();
}

std::string CAccountOtpTab::Problem() const {
    std::string strUri = Uri();
    if (strUri.empty())
        return {};
    const SOtpRead read = ReadOtpUri(strUri);
    CSecretBuffer::Wipe(strUri);
    return read.strReason;
}

void CAccountOtpTab::SetClock(std::function<std::int64_t()> fnNow) {
    m_pPanel->SetClock(std::move(fnNow));
    OnUriChanged();
}

void CAccountOtpTab::OnUriChanged() {
    std::string strUri = Uri();
    SOtpRead read = ReadOtpUri(strUri);
    CSecretBuffer::Wipe(strUri);
    if (m_pUri->text().trimmed().isEmpty())
        m_pStatus->setText(TrText(IDS_OTP_NONE));
    else
        m_pStatus->setText(QString::fromStdString(read.strReason));
    m_pPanel->ShowSettings(read ? std::optional<COtpSettings>(std::move(read.settings))
                                : std::nullopt);
}

void CAccountOtpTab::OnUseSecret() {
    const std::optional<COtpSecret> secret = DecodeOtpBase32(m_pSecret->text().toStdString());
    if (!secret || secret->empty()) {
        m_pStatus->setText(TrText(IDS_OTP_BAD_SECRET));
        m_pSecret->setFocus(Qt::OtherFocusReason);
        return;
    }
    COtpSettings settings;
    settings.SetSecret(*secret);
    if (m_fnAccount)
        settings.SetAccount(m_fnAccount());
    std::string strUri = WriteOtpUri(settings);
    m_pUri->setText(QString::fromStdString(strUri));
    CSecretBuffer::Wipe(strUri);
    m_pSecret->clear();
}

void CAccountOtpTab::SetMasked(bool bMasked) {
    SetEditMasked(*m_pUri, bMasked);
    SetEditMasked(*m_pSecret, bMasked);
}
