// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/StartupFile.h"

#include "core/base/Profile.h"
#include "core/base/SettingsSchema.h"
#include "core/base/StringTable.h"

namespace {

CStartupFileChoice ChooseRecorded(const CProfile& profile, ETextSetting eKey, const char* pszNone,
                                  const char* pszMissing,
                                  const std::function<bool(const std::string&)>& fnExists) {
    CStartupFileChoice choice;
    const std::string strPath = profile.Get(eKey);
    if (strPath == PATH_NONE)
        choice.m_pszMessage = pszNone;
    else if (!fnExists(strPath))
        choice.m_pszMessage = pszMissing;
    else
        choice.m_strPath = strPath;
    return choice;
}

// Whether any file was ever opened with these settings: the recent list
// keeps every file opened (unless the user keeps it empty).
bool HasOpenedAnyFile(const CProfile& profile) {
    for (int i = 0; i < RECENT_FILE_COUNT; ++i)
        if (!profile.Get(RecentFileSetting(i)).empty())
            return true;
    return false;
}

} // namespace

CStartupFileChoice ChooseStartupFile(const CProfile& profile,
                                     const std::function<bool(const std::string&)>& fnExists) {
    const std::string strCommandLine = profile.Get(ETextSetting::pathCommandLine);
    if (!strCommandLine.empty())
        return CStartupFileChoice{strCommandLine, nullptr};

    const unsigned nOptions = profile.Get(EIntSetting::documentOptions);
    switch (nOptions >> 3) {
    case START_FILE_LAST:
        // A first start has no last file to miss: the empty window says what
        // to do instead of a message.
        return ChooseRecorded(profile, ETextSetting::pathLast,
                              HasOpenedAnyFile(profile) ? IDS_NO_LAST_FILE : nullptr,
                              IDS_LAST_FILE_NOT_FOUND, fnExists);
    case START_FILE_FIXED:
        return ChooseRecorded(profile, ETextSetting::pathStart, IDS_NO_START_FILE,
                              IDS_START_FILE_NOT_FOUND, fnExists);
    default:
        return {};
    }
}
