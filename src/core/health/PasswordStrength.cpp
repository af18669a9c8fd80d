// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/health/PasswordStrength.h"

#include "core/seal/SecretBuffer.h"

#include <zxcvbn.h>

#include <array>
#include <string>

namespace {

struct SBand {
    double dBelow;
    EStrength eStrength;
    const char* pszWord;
};

constexpr std::array<SBand, 5> BANDS = {{{40, EStrength::poor, "poor"},
                                         {65, EStrength::weak, "weak"},
                                         {100, EStrength::reasonable, "reasonable"},
                                         {128, EStrength::good, "good"},
                                         {0, EStrength::excellent, "excellent"}}};

} // namespace

double EstimateBits(std::string_view strPassword) {
    if (strPassword.empty())
        return 0;
    // The estimator wants a terminated string; the copy is wiped, as every
    // other copy of a password is.
    std::string strCopy(strPassword);
    const double dBits = ZxcvbnMatch(strCopy.c_str(), nullptr, nullptr);
    CSecretBuffer::Wipe(strCopy);
    return dBits;
}

EStrength StrengthOf(double dBits) {
    for (std::size_t i = 0; i + 1 < BANDS.size(); ++i) {
        if (dBits < BANDS[i].dBelow)
            return BANDS[i].eStrength;
    }
    return EStrength::excellent;
}

const char* StrengthWord(EStrength eStrength) {
    return BANDS[static_cast<std::size_t>(eStrength)].pszWord;
}

std::optional<EStrength> StrengthNamed(std::string_view strWord) {
    for (const SBand& band : BANDS) {
        if (strWord == band.pszWord)
            return band.eStrength;
    }
    return std::nullopt;
}
