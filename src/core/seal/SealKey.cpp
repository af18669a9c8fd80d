// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/SealKey.h"

#include <sodium.h>

namespace {

// Subkeys of the Argon2id result; the context names this use of it.
constexpr const char SUBKEY_CONTEXT[crypto_kdf_CONTEXTBYTES + 1] = "KHVSEAL1";
constexpr std::uint64_t SUBKEY_CIPHER = 1;
constexpr std::uint64_t SUBKEY_VERIFIER = 2;

static_assert(SEAL_SALT_SIZE == crypto_pwhash_argon2id_SALTBYTES);
static_assert(SEAL_KEY_SIZE == crypto_aead_xchacha20poly1305_ietf_KEYBYTES);
static_assert(SEAL_KEY_SIZE == crypto_kdf_KEYBYTES);

} // namespace

bool EnsureSodium() {
    static const bool bReady = sodium_init() >= 0;
    return bReady;
}

bool SSealParams::IsSane() const {
    return m_nPasses >= SEAL_MIN_PASSES && m_nPasses <= SEAL_MAX_PASSES &&
           m_nMemoryKiB >= SEAL_MIN_MEMORY_KIB && m_nMemoryKiB <= SEAL_MAX_MEMORY_KIB;
}

bool SSealParams::IsUnusuallyCostly() const {
    return Cost() > SEAL_COST_FACTOR * SSealParams{}.Cost();
}

CSealKey::CSealKey() : m_secret(SEAL_KEY_SIZE) {}

CSealSalt CSealKey::NewSalt() {
    CSealSalt salt{};
    if (EnsureSodium())
        randombytes_buf(salt.data(), salt.size());
    return salt;
}

bool CSealKey::Derive(std::string_view key, const SSealParams& params, const CSealSalt& salt) {
    Clear();
    m_bLackedMemory = false;
    if (!params.IsSane() || !EnsureSodium())
        return false;
    CSecretBuffer master(crypto_kdf_KEYBYTES);
    // With sane parameters the one way for Argon2id to fail is its memory.
    if (crypto_pwhash(master.Data(), master.Size(), key.data(), key.size(), salt.data(),
                      params.m_nPasses, std::size_t(params.m_nMemoryKiB) * 1024,
                      crypto_pwhash_ALG_ARGON2ID13) != 0) {
        m_bLackedMemory = true;
        return false;
    }
    crypto_kdf_derive_from_key(m_secret.Data(), SEAL_KEY_SIZE, SUBKEY_CIPHER, SUBKEY_CONTEXT,
                               master.Data());
    crypto_kdf_derive_from_key(m_verifier.data(), m_verifier.size(), SUBKEY_VERIFIER,
                               SUBKEY_CONTEXT, master.Data());
    m_params = params;
    m_salt = salt;
    m_bSet = true;
    return true;
}

void CSealKey::Clear() {
    sodium_memzero(m_secret.Data(), m_secret.Size());
    sodium_memzero(m_verifier.data(), m_verifier.size());
    m_bSet = false;
}
