// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class CCofferDoc;
class COtpPanel;
class QLabel;
class QLineEdit;
class QPushButton;

// The account dialog's tab of the one-time password: its otpauth URI, or a
// Base32 secret alone that becomes a time-based URI with the usual
// settings, the code the URI makes now with the seconds it has left, and
// why a URI makes none.
class CAccountOtpTab : public QWidget {
    Q_OBJECT
public:
    CAccountOtpTab(const CCofferDoc& doc, QWidget* pParent = nullptr);

    void Load(const std::string& strUri);
    // The URI as typed, without blanks around it; "" for none.
    std::string Uri() const;
    // Why the URI makes no codes; "" for a good URI or none.
    std::string Problem() const;
    // The URI and the secret hold the secret: masked while passwords are.
    void SetMasked(bool bMasked);
    // The time the codes are made for: the system clock, or a test's.
    void SetClock(std::function<std::int64_t()> fnNow);
    // The account named in a URI made from a secret (UTF-8).
    std::function<std::string()> m_fnAccount;

    QLineEdit* UriEdit() const { return m_pUri; }
    QLineEdit* SecretEdit() const { return m_pSecret; }
    QPushButton* UseSecretButton() const { return m_pUseSecret; }
    QLabel* StatusLabel() const { return m_pStatus; }
    COtpPanel* Panel() const { return m_pPanel; }

private:
    void OnUriChanged();
    void OnUseSecret();

    QLineEdit* m_pUri = nullptr;
    QLineEdit* m_pSecret = nullptr;
    QPushButton* m_pUseSecret = nullptr;
    QLabel* m_pStatus = nullptr;
    COtpPanel* m_pPanel = nullptr;
};
