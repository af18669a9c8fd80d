// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/seal/SecretBuffer.h"

#include <string>
#include <string_view>

// The KEY of the open file: the check value a ".pwd" stores (the field key
// derives from it, and a typed KEY is judged by it) and the KEY itself, kept
// to seal later saves. Both are wiped when cleared and when the object goes;
// a moved-from key holds nothing.
class CMasterKey {
public:
    CMasterKey() = default;
    ~CMasterKey();
    CMasterKey(const CMasterKey&) = delete;
    CMasterKey& operator=(const CMasterKey&) = delete;
    CMasterKey(CMasterKey&& other) noexcept;
    CMasterKey& operator=(CMasterKey&& other) noexcept;
    void swap(CMasterKey& other) noexcept;

    // A KEY the user chose (code-page bytes): its check value and the secret
    // together, so the two can never disagree.
    void Set(const std::string& strKey);
    void Clear();
    // Whether the file has a KEY: a check value read or set.
    bool IsSet() const { return !m_strCheckValue.empty(); }
    // Whether a typed KEY (code-page bytes) is this one.
    bool Accepts(const std::string& strTyped) const;
    const std::string& CheckValue() const { return m_strCheckValue; }

    // The KEY itself, which a read file knows only once it was typed.
    bool HasSecret() const { return !m_secret.Empty(); }
    std::string_view Secret() const { return m_secret.View(); }
    // Keeps a typed KEY of the file read; its check value is the file's.
    void KeepSecret(const std::string& strKey);
    // Whether the secret kept is the KEY of the check value: only such a
    // KEY may seal a file, or one file would open with two KEYs.
    bool SecretMatches() const;

private:
    // The archive reading loads the check value as the file stores it.
    friend class CCofferDoc;
    std::string& CheckValueToLoad() { return m_strCheckValue; }

    std::string m_strCheckValue;
    CSecretBuffer m_secret;
};
