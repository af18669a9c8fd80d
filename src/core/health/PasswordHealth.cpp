// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/health/PasswordHealth.h"

#include "core/base/CancelToken.h"
#include "core/health/PwnedList.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace {

// The report's order: the worse finding first, then within it as described
// in the header.
int Severity(const SHealthLine& line) {
    if (line.bEmpty)
        return 0;
    if (line.nPwned > 0)
        return 1;
    if (line.nReuseCount > 1)
        return 2;
    return 3;
}

void MarkReuse(std::vector<SHealthLine>& lines,
               const std::unordered_map<std::string_view, std::vector<std::size_t>>& byPassword) {
    for (const auto& [strPassword, indices] : byPassword) {
        if (strPassword.empty() || indices.size() < 2)
            continue;
        for (const std::size_t i : indices) {
            lines[i].nReuseCount = static_cast<int>(indices.size());
        }
    }
}

// The shared passwords' sets get their numbers in report order, and the
// accounts of one set stand together, the set of the weakest password first.
void OrderAndNumber(std::vector<SHealthLine>& lines,
                    const std::unordered_map<const CPasswordInfo*, std::string_view>& passwordOf) {
    std::unordered_map<std::string_view, double> setBits;
    for (const SHealthLine& line : lines) {
        if (line.nReuseCount > 1)
            setBits.emplace(passwordOf.at(line.pAccount), line.dBits);
    }
    auto key = [&](const SHealthLine& line) {
        const bool bShared = Severity(line) == 2;
        const std::string_view strSet = bShared ? passwordOf.at(line.pAccount) : std::string_view();
        return std::make_tuple(Severity(line), line.nPwned == 0 ? 0 : ~line.nPwned,
                               bShared ? setBits.at(strSet) : line.dBits, strSet, line.dBits);
    };
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const SHealthLine& a, const SHealthLine& b) { return key(a) < key(b); });
    std::unordered_map<std::string_view, int> numbers;
    for (SHealthLine& line : lines) {
        if (line.nReuseCount > 1) {
            const auto [it, bNew] =
                numbers.emplace(passwordOf.at(line.pAccount), static_cast<int>(numbers.size()) + 1);
            line.nReuseSet = it->second;
        }
    }
}

// The accounts a check looks at: those after the first group.
std::size_t CountAccounts(const std::list<CPasswordInfo>& listInfo) {
    std::size_t nAccounts = 0;
    bool bInGroup = false;
    for (const CPasswordInfo& info : listInfo) {
        bInGroup = bInGroup || info.IsGroup();
        nAccounts += bInGroup && !info.IsGroup() ? 1 : 0;
    }
    return nAccounts;
}

// An estimate costs tens of microseconds: the token is told and asked
// every so many accounts, often enough for a bar that moves smoothly.
constexpr int PROGRESS_STEP = 256;

} // namespace

std::string SHealthLine::Findings() const {
    std::vector<std::string> astrParts;
    if (bEmpty)
        astrParts.emplace_back("empty");
    if (bWeak) {
        char szPart[64];
        std::snprintf(szPart, sizeof szPart, "weak (%.0f bits, %s)", dBits,
                      StrengthWord(eStrength));
        astrParts.emplace_back(szPart);
    }
    if (nReuseCount > 1)
        astrParts.push_back("used by " + std::to_string(nReuseCount) + " accounts (set " +
                            std::to_string(nReuseSet) + ")");
    if (nPwned > 0)
        astrParts.push_back("seen " + std::to_string(nPwned) + " times in breaches");
    std::string strText;
    for (const std::string& strPart : astrParts)
        strText += (strText.empty() ? "" : "; ") + strPart;
    return strText;
}

SHealthReport AuditPasswords(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                             EStrength eThreshold, const CPwnedList* pPwned,
                             const CCancelToken* pToken) {
    SHealthReport report;
    const std::size_t nTotal = pToken ? CountAccounts(listInfo) : 0;
    std::vector<SHealthLine> all;
    std::unordered_map<std::string_view, std::vector<std::size_t>> byPassword;
    std::unordered_map<const CPasswordInfo*, std::string_view> passwordOf;
    const CPasswordInfo* pGroup = nullptr;
    for (const CPasswordInfo& info : listInfo) {
        if (info.IsGroup()) {
            pGroup = &info;
            continue;
        }
        if (!pGroup)
            continue; // accounts before the first group are not shown anywhere
        if (pToken && report.nAccounts % PROGRESS_STEP == 0) {
            if (pToken->IsCancelled())
                return {{}, report.nAccounts, {}, true};
            pToken->SetProgress(static_cast<std::size_t>(report.nAccounts), nTotal);
        }
        ++report.nAccounts;
        SHealthLine line;
        line.pGroup = pGroup;
        line.pAccount = &info;
        const std::string_view strPassword = info.TextView(CPasswordInfo::password);
        line.bEmpty = strPassword.empty();
        if (!line.bEmpty) {
            std::string strUtf8 = codePage.ToUtf8(strPassword);
            line.dBits = EstimateBits(strUtf8);
            line.eStrength = StrengthOf(line.dBits);
            line.bWeak = line.eStrength < eThreshold;
            if (pPwned && report.strPwnedError.empty()) {
                const SPwnedAnswer answer = pPwned->Count(strUtf8);
                line.nPwned = answer.nCount;
                if (answer.eFault == SPwnedAnswer::EFault::damaged)
                    report.strPwnedError = "The breach list has a damaged line; not every "
                                           "password was checked against it.";
                else if (answer.eFault == SPwnedAnswer::EFault::unordered)
                    report.strPwnedError =
                        "The breach list is not in hash order (a hash comes twice, or after a "
                        "larger one), so a search can miss a listed password; not every password "
                        "was checked against it. Download the list ordered by hash again.";
            }
            CSecretBuffer::Wipe(strUtf8);
        }
        byPassword[strPassword].push_back(all.size());
        passwordOf.emplace(&info, strPassword);
        all.push_back(line);
    }
    if (pToken)
        pToken->SetProgress(nTotal, nTotal);
    MarkReuse(all, byPassword);
    for (SHealthLine& line : all) {
        if (line.HasFinding())
            report.lines.push_back(line);
    }
    OrderAndNumber(report.lines, passwordOf);
    return report;
}
