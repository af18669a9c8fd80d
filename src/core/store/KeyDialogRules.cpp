// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/KeyDialogRules.h"

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"

#include <cstdio>

namespace {

SKeyDlgOutcome Refuse(std::string strMessage, unsigned nEmpty, EKeyField eFocus) {
    SKeyDlgOutcome outcome;
    outcome.m_strMessage = std::move(strMessage);
    outcome.m_nEmpty = nEmpty;
    outcome.m_eFocus = eFocus;
    return outcome;
}

SKeyDlgOutcome Accept(std::string strKeyValue, std::string strKey) {
    SKeyDlgOutcome outcome;
    outcome.m_bClose = true;
    outcome.m_strKeyValue = std::move(strKeyValue);
    outcome.m_strKey = std::move(strKey);
    return outcome;
}

} // namespace

std::string CKeyDialogRules::BadCharacterMessage(char32_t nChar, const char* pszTemplate) {
    std::string strChar;
    // Malformed input and control characters cannot be shown; name them by code.
    if (nChar >= 0x20 && nChar != 0x7F && nChar != 0xFFFD)
        AppendUtf8(nChar, strChar);
    char szCode[16];
    std::snprintf(szCode, sizeof szCode, "%04X", static_cast<unsigned>(nChar));
    return FormatText(pszTemplate, strChar, szCode);
}

bool CKeyDialogRules::ToCodePage(const std::string& strUtf8, const CCodePage& codePage,
                                 std::string& strBytes, std::string& strMessage) {
    char32_t nBad = 0;
    if (codePage.FromUtf8(strUtf8, strBytes, &nBad))
        return true;
    (void)nBad;
    strMessage = IDS_KEY_BAD_CHARACTER;
    return false;
}

SKeyDlgOutcome CKeyDialogRules::CreateKeyOk(const std::string& strNewKey,
                                            const std::string& strConfirmKey,
                                            const CCodePage& codePage) {
    const unsigned nBoth = KEYFIELD_NEW | KEYFIELD_CONFIRM;
    if (strNewKey != strConfirmKey)
        return Refuse(IDS_KEYS_DO_NOT_MATCH, nBoth, KEYFIELD_NEW);
    if (strNewKey.empty())
        return Refuse(IDS_KEY_EMPTY, KEYFIELD_NONE, KEYFIELD_NEW);
    std::string strBytes;
    std::string strMessage;
    if (!ToCodePage(strNewKey, codePage, strBytes, strMessage))
        return Refuse(strMessage, nBoth, KEYFIELD_NEW);
    std::string strValue = MakeKeyCheckValue(strBytes);
    return Accept(std::move(strValue), std::move(strBytes));
}

SKeyDlgOutcome CKeyDialogRules::CheckKeyOk(const std::string& strTypedKey,
                                           const std::string& strKeyValue,
                                           const CCodePage& codePage) {
    std::string strBytes;
    std::string strMessage;
    if (!ToCodePage(strTypedKey, codePage, strBytes, strMessage))
        return Refuse(strMessage, KEYFIELD_TYPED, KEYFIELD_TYPED);
    if (MakeKeyCheckValue(strBytes) == strKeyValue)
        return Accept(strKeyValue, std::move(strBytes));
    return Refuse(IDS_KEY_INVALID, KEYFIELD_TYPED, KEYFIELD_TYPED);
}

SKeyDlgOutcome CKeyDialogRules::CheckKeyOk(const std::string& strTypedKey,
                                           const CKeyAcceptor& fnAccept,
                                           const CCodePage& codePage) {
    std::string strBytes;
    std::string strMessage;
    if (!ToCodePage(strTypedKey, codePage, strBytes, strMessage))
        return Refuse(strMessage, KEYFIELD_TYPED, KEYFIELD_TYPED);
    const SKeyVerdict verdict = fnAccept ? fnAccept(strBytes) : SKeyVerdict(false);
    if (verdict.m_bAccepted)
        return Accept({}, std::move(strBytes));
    CSecretBuffer::Wipe(strBytes);
    // Stopped by the user: what was typed stays, and nothing is said.
    if (verdict.m_bCancelled)
        return Refuse({}, KEYFIELD_NONE, KEYFIELD_TYPED);
    if (!verdict.m_strNotJudged.empty())
        return Refuse(verdict.m_strNotJudged, KEYFIELD_NONE, KEYFIELD_TYPED);
    return Refuse(IDS_KEY_INVALID, KEYFIELD_TYPED, KEYFIELD_TYPED);
}

SKeyDlgOutcome CKeyDialogRules::ChangeKeyOk(const std::string& strOriginalKey,
                                            const std::string& strNewKey,
                                            const std::string& strConfirmKey,
                                            const std::string& strKeyValue,
                                            const CCodePage& codePage) {
    const unsigned nAll = KEYFIELD_ORIGINAL | KEYFIELD_NEW | KEYFIELD_CONFIRM;
    const unsigned nNewPair = KEYFIELD_NEW | KEYFIELD_CONFIRM;
    std::string strOriginal;
    std::string strMessage;
    if (!ToCodePage(strOriginalKey, codePage, strOriginal, strMessage))
        return Refuse(strMessage, nAll, KEYFIELD_ORIGINAL);
    if (MakeKeyCheckValue(strOriginal) != strKeyValue)
        return Refuse(IDS_ORIGINAL_KEY_INVALID, nAll, KEYFIELD_ORIGINAL);
    if (strNewKey != strConfirmKey)
        return Refuse(IDS_KEYS_DO_NOT_MATCH, nNewPair, KEYFIELD_NEW);
    if (strNewKey.empty())
        return Refuse(IDS_NEW_KEY_EMPTY, nNewPair, KEYFIELD_NEW);
    std::string strNew;
    if (!ToCodePage(strNewKey, codePage, strNew, strMessage))
        return Refuse(strMessage, nNewPair, KEYFIELD_NEW);
    std::string strValue = MakeKeyCheckValue(strNew);
    return Accept(std::move(strValue), std::move(strNew));
}
