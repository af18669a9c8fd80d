#include "core/store/FileStamp.h"

#include "core/store/FileIO.h"

#include <cstdlib>
#include <sodium.h>
#include <sys/stat.h>

namespace {

std::string RealPathOf(const std::string& strPath) {
    char* pszReal = ::realpath(strPath.c_str(), nullptr);
    if (!pszReal)
        return strPath;
    std::string strReal = pszReal;
    std::free(pszReal);
    return strReal;
}

std::int64_t ModifiedNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

} // namespace

CFileStamp::CFileStamp(const std::string& strPath, std::string_view bytes)
    : m_strPath(strPath), m_hash(HashOf(bytes)) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0)
        return;
    m_bKnown = true;
    m_strRealPath = RealPathOf(strPath);
    m_nDevice = st.st_dev;
    m_nInode = st.st_ino;
    m_nSize = st.st_size;
    m_nModifiedNs = ModifiedNs(st);
}

CFileStamp::CHash CFileStamp::HashOf(std::string_view bytes) {
    CHash hash{};
    // BLAKE2b: fast enough for a gigabyte, and no accidental collisions.
    crypto_generichash(hash.data(), hash.size(),
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), nullptr,
                       0);
    return hash;
}

bool CFileStamp::SameIdentity(const struct stat& st) const {
    return st.st_dev == m_nDevice && st.st_ino == m_nInode && st.st_size == m_nSize &&
           ModifiedNs(st) == m_nModifiedNs;
}

bool CFileStamp::IsFor(const std::string& strPath) const {
    return m_bKnown && RealPathOf(strPath) == m_strRealPath;
}

bool CFileStamp::HasChangedOnDisk() const {
    struct stat st {};
    if (!m_bKnown || ::stat(m_strPath.c_str(), &st) != 0)
        return false;
    if (SameIdentity(st))
        return false;
    if (st.st_size != m_nSize)
        return true;
    std::string strBytes;
    // A file that can no longer be read cannot be compared: it is taken as
    // changed, so the user decides.
    if (ReadWholeFile(m_strPath, strBytes) != EFileError::none)
        return true;
    return HashOf(strBytes) != m_hash;
}
