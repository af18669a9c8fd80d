// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FileProperties.h"

#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/base/Translation.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr const char* MONTH_NAMES[] = {
    KH_TEXT("Keyhaven", "January"),   KH_TEXT("Keyhaven", "February"),
    KH_TEXT("Keyhaven", "March"),     KH_TEXT("Keyhaven", "April"),
    KH_TEXT("Keyhaven", "May"),       KH_TEXT("Keyhaven", "June"),
    KH_TEXT("Keyhaven", "July"),      KH_TEXT("Keyhaven", "August"),
    KH_TEXT("Keyhaven", "September"), KH_TEXT("Keyhaven", "October"),
    KH_TEXT("Keyhaven", "November"),  KH_TEXT("Keyhaven", "December")};

EFileError StatusErrorOf(int nErrno) {
    switch (nErrno) {
    case ENOENT:
    case ENOTDIR:
        return EFileError::notFound;
    case EACCES:
        return EFileError::readDenied;
    default:
        return EFileError::readFailed;
    }
}

std::string FormatStatxTime(const struct statx_timestamp& ts) {
    return FormatFileTime(static_cast<std::time_t>(ts.tv_sec));
}

} // namespace

std::string FormatFileTime(std::time_t tTime) {
    std::tm tmLocal{};
    if (!::localtime_r(&tTime, &tmLocal))
        return {};
    char szText[64];
    // The month's name in the language shown, the numbers as they are.
    std::snprintf(szText, sizeof szText, "%s %02d, %04d %02d:%02d:%02d",
                  TranslateText(MONTH_NAMES[tmLocal.tm_mon]), tmLocal.tm_mday,
                  tmLocal.tm_year + 1900, tmLocal.tm_hour, tmLocal.tm_min, tmLocal.tm_sec);
    return szText;
}

std::string ContainsText(int nGroups, int nAccounts) {
    // Two counts side by side, not one sentence: the tab sets them apart.
    return CountText(IDS_GROUPS_FORMAT, nGroups) + "\t" + CountText(IDS_ACCOUNTS_FORMAT, nAccounts);
}

EFileError ReadFileProperties(const std::string& strPath, SFileProperties& props) {
    struct statx stx {};
    if (::statx(AT_FDCWD, strPath.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0)
        return StatusErrorOf(errno);
    props.m_strLocation = FolderOf(strPath);
    props.m_strSize = CountText(KH_COUNT("Keyhaven", "%n Bytes", "%n Byte"),
                                static_cast<long long>(stx.stx_size));
    props.m_strCreated = (stx.stx_mask & STATX_BTIME) ? FormatStatxTime(stx.stx_btime) : "";
    props.m_strModified = FormatStatxTime(stx.stx_mtime);
    props.m_strAccessed = FormatStatxTime(stx.stx_atime);
    props.m_bReadOnly = (stx.stx_mode & S_IWUSR) == 0;
    props.m_bHidden = FileNameOf(strPath).starts_with('.');
    props.m_bSealed = !IsReadableWithoutKey(strPath);
    props.m_strProtection =
        TranslateText(props.m_bSealed ? IDS_PROPERTY_SEALED : IDS_PROPERTY_READABLE_WITHOUT_KEY);
    return EFileError::none;
}

EFileError SetReadOnlyAttribute(const std::string& strPath, bool bReadOnly) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0)
        return StatusErrorOf(errno);
    mode_t nMode = st.st_mode & 07777;
    nMode = bReadOnly ? (nMode & ~mode_t(S_IWUSR)) : (nMode | S_IWUSR);
    if (::chmod(strPath.c_str(), nMode) != 0)
        return errno == ENOENT ? EFileError::notFound : EFileError::writeDenied;
    return EFileError::none;
}
