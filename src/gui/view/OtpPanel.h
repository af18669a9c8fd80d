// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/otp/OtpSettings.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

class CCofferDoc;
class CDragTextButton;
class CPasswordInfo;
class QLabel;
class QLineEdit;
class QWidget;

// The one-time code of the account shown, for the accounts of a database
// that keeps one-time password settings: the current code in two halves
// with the seconds it has left, renewed every second, and a button that
// copies or drags it. The row shows nothing and its button is off for an
// account without settings.
class COtpPanel : public QObject {
    Q_OBJECT

public:
    // The row's controls are made as children of pParent, which lays them
    // out.
    COtpPanel(const CCofferDoc& doc, QWidget* pParent);

    // The account shown, or none.
    void Show(const CPasswordInfo* pRecord);
    // Codes of settings not yet in the document (an account being edited),
    // or none.
    void ShowSettings(std::optional<COtpSettings> settings);
    // The code shown now, without its blank; empty for none.
    const std::string& Code() const { return m_strCode; }
    // The time the codes are made for: the system clock, or a test's.
    void SetClock(std::function<std::int64_t()> fnNow) { m_fnNow = std::move(fnNow); }

    QLabel* Label() const { return m_pLabel; }
    QLineEdit* CodeBox() const { return m_pCodeBox; }
    CDragTextButton* CopyButton() const { return m_pCopy; }

private:
    void Renew();

    const CCofferDoc& m_doc;
    QLabel* m_pLabel = nullptr;
    QLineEdit* m_pCodeBox = nullptr;
    CDragTextButton* m_pCopy = nullptr;
    QTimer m_tick;
    std::optional<COtpSettings> m_settings;
    std::string m_strCode;
    std::function<std::int64_t()> m_fnNow;
};
