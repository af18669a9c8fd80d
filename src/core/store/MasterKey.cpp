// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/MasterKey.h"

#include "core/store/FieldCipher.h"

#include <utility>

CMasterKey::~CMasterKey() {
    Clear();
}

CMasterKey::CMasterKey(CMasterKey&& other) noexcept {
    swap(other);
}

CMasterKey& CMasterKey::operator=(CMasterKey&& other) noexcept {
    if (this != &other) {
        Clear();
        swap(other);
    }
    return *this;
}

void CMasterKey::swap(CMasterKey& other) noexcept {
    m_strCheckValue.swap(other.m_strCheckValue);
    std::swap(m_secret, other.m_secret);
}

void CMasterKey::Set(const std::string& strKey) {
    std::string strValue = MakeKeyCheckValue(strKey);
    CSecretBuffer::Wipe(m_strCheckValue);
    m_strCheckValue.swap(strValue);
    m_secret = CSecretBuffer(strKey);
}

void CMasterKey::Clear() {
    CSecretBuffer::Wipe(m_strCheckValue);
    m_secret.Clear();
}

bool CMasterKey::Accepts(const std::string& strTyped) const {
    if (!IsSet())
        return false;
    std::string strValue = MakeKeyCheckValue(strTyped);
    const bool bAccepted = strValue == m_strCheckValue;
    CSecretBuffer::Wipe(strValue);
    return bAccepted;
}

void CMasterKey::KeepSecret(const std::string& strKey) {
    m_secret = CSecretBuffer(strKey);
}

bool CMasterKey::SecretMatches() const {
    if (!HasSecret())
        return false;
    std::string strKey(Secret());
    const bool bMatches = Accepts(strKey);
    CSecretBuffer::Wipe(strKey);
    return bMatches;
}
