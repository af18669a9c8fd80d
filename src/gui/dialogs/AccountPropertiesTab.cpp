// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/AccountPropertiesTab.h"

#include "gui/dialogs/AccountTabTexts.h"
#include "platform/Translations.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>

CAccountPropertiesTab::CAccountPropertiesTab(QWidget* pParent) : QWidget(pParent) {
    m_pTags = new QLineEdit(this);
    m_pTags->setObjectName(QStringLiteral("Tags"));
    m_pTags->setAccessibleName(TrText(IDS_TAGS_NAME));
    m_pTags->setToolTip(TrText(IDS_TAGS_HINT));
    m_pExpires = new QCheckBox(TrText(IDS_EXPIRES), this);
    m_pExpires->setObjectName(QStringLiteral("Expires"));
    m_pExpires->setAccessibleName(TrText(IDS_EXPIRES_NAME));
    m_pExpiry = new QDateTimeEdit(this);
    m_pExpiry->setObjectName(QStringLiteral("Expiry"));
    m_pExpiry->setAccessibleName(TrText(IDS_EXPIRY_NAME));
    // Local time, seconds shown, so that a time read and written back is the
    // same time.
    m_pExpiry->setTimeSpec(Qt::LocalTime);
    m_pExpiry->setCalendarPopup(true);
    m_pExpiry->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_pExpiry->setEnabled(false);
    connect(m_pExpires, &QCheckBox::toggled, m_pExpiry, &QWidget::setEnabled);

    auto* pForm = new QFormLayout(this);
    auto* pTagsLabel = new QLabel(TrText(IDS_TAGS_LABEL), this);
    pTagsLabel->setBuddy(m_pTags);
    pForm->addRow(pTagsLabel, m_pTags);
    pForm->addRow(QString(), new QLabel(TrText(IDS_TAGS_HINT), this));
    pForm->addRow(m_pExpires, m_pExpiry);
}

void CAccountPropertiesTab::Load(const std::vector<std::string>& tags,
                                 std::optional<std::int64_t> nExpiry) {
    QStringList listTags;
    for (const std::string& strTag : tags)
        listTags << QString::fromStdString(strTag);
    m_pTags->setText(listTags.join(QStringLiteral("; ")));
    m_nLoaded = nExpiry;
    // Never expiring shows a month from now, a likely time to choose.
    m_pExpiry->setDateTime(nExpiry ? QDateTime::fromSecsSinceEpoch(*nExpiry)
                                   : QDateTime::currentDateTime().addMonths(1));
    m_shown = m_pExpiry->dateTime();
    m_pExpires->setChecked(nExpiry.has_value());
    m_pExpiry->setEnabled(nExpiry.has_value());
}

std::vector<std::string> CAccountPropertiesTab::ParseTags(const QString& strText) {
    std::vector<std::string> tags;
    for (const QString& strPart : strText.split(QRegularExpression(QStringLiteral("[;,]")))) {
        const std::string strTag = strPart.trimmed().toStdString();
        if (!strTag.empty() && std::find(tags.begin(), tags.end(), strTag) == tags.end())
            tags.push_back(strTag);
    }
    return tags;
}

std::vector<std::string> CAccountPropertiesTab::Tags() const {
    return ParseTags(m_pTags->text());
}

std::optional<std::int64_t> CAccountPropertiesTab::Expiry() const {
    if (!m_pExpires->isChecked())
        return std::nullopt;
    if (m_nLoaded && m_pExpiry->dateTime() == m_shown)
        return m_nLoaded;
    return m_pExpiry->dateTime().toSecsSinceEpoch();
}
