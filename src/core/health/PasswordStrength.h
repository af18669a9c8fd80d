// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

// How hard a password is to guess, as a word the user reads.
enum class EStrength { poor, weak, reasonable, good, excellent };

// The estimate of the work a guesser needs, in bits, from the zxcvbn
// estimator: dictionary words, names, keyboard walks, dates, repeats and
// sequences count for what they are, not for their length. The password is
// given in UTF-8 and goes nowhere else.
double EstimateBits(std::string_view strPassword);

// The word for an estimate: below 40 bits poor, below 65 weak, below 100
// reasonable, below 128 good, else excellent.
EStrength StrengthOf(double dBits);
const char* StrengthWord(EStrength eStrength);
// The strength a word names ("weak"), for settings and the command line.
std::optional<EStrength> StrengthNamed(std::string_view strWord);
