// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/health/PasswordStrength.h"

#include <QColor>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QProgressBar;

// A bar and a line of text under a password edit that say how hard the
// password is to guess ("Strength: reasonable (52 bits)"). The estimate runs
// here, as the password changes; the password is converted only for the
// estimate, and the converted bytes are wiped at once.
class CStrengthMeter : public QWidget {
    Q_OBJECT
public:
    explicit CStrengthMeter(QWidget* pParent = nullptr);

    // Follows the edit's text from now on, starting with the text it holds.
    void Follow(const QLineEdit* pEdit);
    void SetPassword(const QString& strPassword);

    // The last estimate; none for an empty password.
    std::optional<EStrength> Strength() const { return m_eStrength; }
    double Bits() const { return m_dBits; }
    QProgressBar* Bar() const { return m_pBar; }
    QLabel* Label() const { return m_pLabel; }

    // The bar's full length, in bits: stronger passwords fill it.
    static constexpr int FULL_BITS = 128;
    // The bar's colour for a strength: the same estimate that picks the word
    // picks the colour, so a "weak" password never shows a green bar.
    static QColor ColourOf(EStrength eStrength);

private:
    QProgressBar* m_pBar = nullptr;
    QLabel* m_pLabel = nullptr;
    std::optional<EStrength> m_eStrength;
    double m_dBits = 0;
};
