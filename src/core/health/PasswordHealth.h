// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/health/PasswordStrength.h"

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

class CCancelToken;
class CCodePage;
class CPasswordInfo;
class CPwnedList;

// What is wrong with one account's password.
struct SHealthLine {
    const CPasswordInfo* pGroup = nullptr;
    const CPasswordInfo* pAccount = nullptr;
    bool bEmpty = false;
    double dBits = 0;
    EStrength eStrength = EStrength::poor;
    bool bWeak = false;
    // The accounts that share this password, this one among them; one
    // number per shared password, counted from 1 in the report's order.
    int nReuseSet = 0;
    int nReuseCount = 0;
    // How often the password was seen in breaches, when a list was given.
    std::uint64_t nPwned = 0;

    bool HasFinding() const { return bEmpty || bWeak || nReuseCount > 1 || nPwned > 0; }
    // "weak (34 bits, poor); used by 3 accounts; seen 1234 times in breaches"
    std::string Findings() const;
};

struct SHealthReport {
    // Only accounts with a finding, worst first: empty passwords, those
    // seen in breaches (most often first), those used by several accounts
    // (each shared password's accounts together, the weakest set first),
    // then weak ones, weakest first.
    std::vector<SHealthLine> lines;
    int nAccounts = 0;
    // Set when the breach list could not be read to the end.
    std::string strPwnedError;
    // Set when the token stopped the check: the report is then empty.
    bool bCancelled = false;
};

// Checks every account of the list. Texts are converted from the code page
// to UTF-8 for the estimator and the breach list; the converted passwords
// are wiped after use. A token hears how many accounts were checked, and
// stops the check between two accounts.
SHealthReport AuditPasswords(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                             EStrength eThreshold, const CPwnedList* pPwned = nullptr,
                             const CCancelToken* pToken = nullptr);
