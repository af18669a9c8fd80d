// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/KdbxCredentials.h"

#include "core/base/TextUtil.h"
#include "core/interchange/KdbxKeys.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"

#include <algorithm>
#include <cstdint>

EFileError ReadKdbxKeyFile(const std::string& strPath, SKdbxCredentials& credentials) {
    std::string strBytes;
    const EFileError eRead = ReadWholeFile(strPath, strBytes, MAX_KDBX_KEY_FILE_BYTES);
    if (eRead == EFileError::none) {
        std::fill(credentials.keyFile.begin(), credentials.keyFile.end(), std::uint8_t(0));
        credentials.keyFile.assign(strBytes.begin(), strBytes.end());
        credentials.bHasKeyFile = true;
    }
    CSecretBuffer::Wipe(strBytes);
    return eRead;
}

std::string KdbxKeyFileErrorMessage(EFileError eError, const std::string& strPath) {
    return eError == EFileError::tooLarge ? FormatText(KDBX_KEY_FILE_TOO_LARGE, strPath)
                                          : FileErrorMessage(eError, strPath);
}

bool IsPasswordTheKey(const SKdbxCredentials& credentials, const CCodePage& codePage,
                      const CKeyAccepted& fnAccepted) {
    if (!credentials.bHasPassword)
        return false;
    std::string strAsKey;
    const bool bSame = codePage.FromUtf8(credentials.strPassword, strAsKey) && fnAccepted(strAsKey);
    CSecretBuffer::Wipe(strAsKey);
    return bSame;
}

void WipeKdbxCredentials(SKdbxCredentials& credentials) {
    CSecretBuffer::Wipe(credentials.strPassword);
    std::fill(credentials.keyFile.begin(), credentials.keyFile.end(), std::uint8_t(0));
    credentials.keyFile.clear();
}
