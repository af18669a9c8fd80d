// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;

// The account dialog's tab of an entry's tags and expiry: the tags in one
// line, separated by ";" or ",", and when the account expires, in local
// time, or never.
class CAccountPropertiesTab : public QWidget {
    Q_OBJECT
public:
    explicit CAccountPropertiesTab(QWidget* pParent = nullptr);

    void Load(const std::vector<std::string>& tags, std::optional<std::int64_t> nExpiry);
    // The tags typed: blanks around each dropped, then empty ones and
    // repeated ones, in the order typed.
    std::vector<std::string> Tags() const;
    // Unix seconds, or none for never.
    std::optional<std::int64_t> Expiry() const;

    static std::vector<std::string> ParseTags(const QString& strText);

    QLineEdit* TagsEdit() const { return m_pTags; }
    QCheckBox* ExpiresCheck() const { return m_pExpires; }
    QDateTimeEdit* ExpiryEdit() const { return m_pExpiry; }

private:
    QLineEdit* m_pTags = nullptr;
    QCheckBox* m_pExpires = nullptr;
    QDateTimeEdit* m_pExpiry = nullptr;
    // The expiry loaded and the time shown for it: a time the edit cannot
    // show exactly is handed back as it came while it stays untouched.
    std::optional<std::int64_t> m_nLoaded;
    QDateTime m_shown;
};
