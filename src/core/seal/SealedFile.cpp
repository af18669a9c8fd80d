// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seal/SealedFile.h"

#include <cstring>
#include <sodium.h>

namespace {

// Like PNG's: a non-ASCII first byte and line ends that show a transfer
// that changed the file as text.
constexpr std::string_view MAGIC("\x89KHV\r\n\x1A\n", 8);
constexpr unsigned char KDF_ARGON2ID13 = 2;
constexpr unsigned char CIPHER_XCHACHA20POLY1305 = 1;
constexpr std::uint32_t ARGON2_LANES = 1;
constexpr std::size_t CHECKSUM_SIZE = 16;
constexpr std::size_t CHECKED_SIZE = CSealedFile::HEADER_SIZE - CHECKSUM_SIZE;

static_assert(SEAL_NONCE_SIZE == crypto_aead_xchacha20poly1305_ietf_NPUBBYTES);
static_assert(SEAL_TAG_SIZE == crypto_aead_xchacha20poly1305_ietf_ABYTES);

void PutLe(std::string& str, std::uint64_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i)
        str += static_cast<char>((nValue >> (8 * i)) & 0xFF);
}

std::uint64_t GetLe(std::string_view bytes, std::size_t nPos, int nBytes) {
    std::uint64_t nValue = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        nValue = (nValue << 8) | static_cast<unsigned char>(bytes[nPos + i]);
    return nValue;
}

template <std::size_t N>
void PutBytes(std::string& str, const std::array<unsigned char, N>& bytes) {
    str.append(reinterpret_cast<const char*>(bytes.data()), N);
}

template <std::size_t N>
void GetBytes(std::string_view bytes, std::size_t nPos, std::array<unsigned char, N>& out) {
    std::memcpy(out.data(), bytes.data() + nPos, N);
}

std::array<unsigned char, CHECKSUM_SIZE> Checksum(std::string_view bytes) {
    std::array<unsigned char, CHECKSUM_SIZE> sum{};
    crypto_generichash(sum.data(), sum.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
                       bytes.size(), nullptr, 0);
    return sum;
}

const unsigned char* Bytes(std::string_view str) {
    return reinterpret_cast<const unsigned char*>(str.data());
}

} // namespace

bool CSealedFile::HasMagic(std::string_view bytes) {
    return bytes.substr(0, MAGIC.size()) == MAGIC;
}

std::string CSealedFile::WriteHeader(const SSealedHeader& header) {
    std::string str(MAGIC);
    PutLe(str, header.m_nVersion, 2);
    PutLe(str, HEADER_SIZE, 2);
    str += static_cast<char>(KDF_ARGON2ID13);
    str += static_cast<char>(CIPHER_XCHACHA20POLY1305);
    PutLe(str, 0, 2);
    PutLe(str, header.m_params.m_nPasses, 4);
    PutLe(str, header.m_params.m_nMemoryKiB, 4);
    PutLe(str, ARGON2_LANES, 4);
    PutBytes(str, header.m_salt);
    PutBytes(str, header.m_nonce);
    PutBytes(str, header.m_verifier);
    PutLe(str, header.m_nSealedSize, 8);
    EnsureSodium();
    PutBytes(str, Checksum(str));
    return str;
}

bool CSealedFile::ParseHeader(std::string_view bytes, SSealedHeader& header) {
    if (bytes.size() < HEADER_SIZE || !HasMagic(bytes) || !EnsureSodium())
        return false;
    // The checksum first: a damaged header is a damaged file, never a wrong
    // KEY, and its numbers are not worth reading.
    const auto sum = Checksum(bytes.substr(0, CHECKED_SIZE));
    if (sodium_memcmp(sum.data(), bytes.data() + CHECKED_SIZE, CHECKSUM_SIZE) != 0)
        return false;
    header.m_nVersion = static_cast<std::uint16_t>(GetLe(bytes, 8, 2));
    if (header.m_nVersion != SEAL_VERSION || GetLe(bytes, 10, 2) != HEADER_SIZE ||
        static_cast<unsigned char>(bytes[12]) != KDF_ARGON2ID13 ||
        static_cast<unsigned char>(bytes[13]) != CIPHER_XCHACHA20POLY1305 ||
        GetLe(bytes, 14, 2) != 0 || GetLe(bytes, 24, 4) != ARGON2_LANES)
        return false;
    header.m_params.m_nPasses = static_cast<std::uint32_t>(GetLe(bytes, 16, 4));
    header.m_params.m_nMemoryKiB = static_cast<std::uint32_t>(GetLe(bytes, 20, 4));
    if (!header.m_params.IsSane())
        return false;
    GetBytes(bytes, 28, header.m_salt);
    GetBytes(bytes, 44, header.m_nonce);
    GetBytes(bytes, 68, header.m_verifier);
    header.m_nSealedSize = GetLe(bytes, 100, 8);
    return header.m_nSealedSize > SEAL_TAG_SIZE &&
           header.m_nSealedSize == bytes.size() - HEADER_SIZE;
}

bool CSealedFile::IsKeyOf(const SSealedHeader& header, const CSealKey& key) {
    return key.IsSet() && key.Params() == header.m_params && key.Salt() == header.m_salt &&
           sodium_memcmp(key.Verifier().data(), header.m_verifier.data(),
                         header.m_verifier.size()) == 0;
}

bool CSealedFile::Unseal(std::string_view bytes, const SSealedHeader& header, const CSealKey& key,
                         std::string& strPlain) {
    strPlain.clear();
    if (!IsKeyOf(header, key) || bytes.size() != HEADER_SIZE + header.m_nSealedSize)
        return false;
    const std::string_view sealed = bytes.substr(HEADER_SIZE);
    strPlain.resize(sealed.size() - SEAL_TAG_SIZE);
    unsigned long long nPlain = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            reinterpret_cast<unsigned char*>(strPlain.data()), &nPlain, nullptr, Bytes(sealed),
            sealed.size(), Bytes(bytes), HEADER_SIZE, header.m_nonce.data(),
            key.CipherKey()) != 0) {
        strPlain.clear();
        return false;
    }
    return true;
}

std::string CSealedFile::Seal(std::string_view plain, const CSealKey& key) {
    if (!key.IsSet())
        return {};
    SSealedHeader header;
    header.m_params = key.Params();
    header.m_salt = key.Salt();
    header.m_verifier = key.Verifier();
    header.m_nSealedSize = plain.size() + SEAL_TAG_SIZE;
    randombytes_buf(header.m_nonce.data(), header.m_nonce.size());
    std::string strFile = WriteHeader(header);
    strFile.resize(HEADER_SIZE + header.m_nSealedSize);
    unsigned long long nSealed = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        reinterpret_cast<unsigned char*>(strFile.data() + HEADER_SIZE), &nSealed, Bytes(plain),
        plain.size(), Bytes(strFile), HEADER_SIZE, nullptr, header.m_nonce.data(), key.CipherKey());
    return strFile;
}
