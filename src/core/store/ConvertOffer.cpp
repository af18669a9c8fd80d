// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/ConvertOffer.h"

#include "core/base/Profile.h"
#include "core/base/SettingKeys.h"
#include "core/store/FileIO.h"

#include <algorithm>
#include <vector>

namespace {

// One path a line: a line end cannot be part of a path the user picks.
std::vector<std::string> SplitLines(const std::string& strText) {
    std::vector<std::string> vecLines;
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        const std::size_t nEnd = std::min(strText.find('\n', nStart), strText.size());
        if (nEnd > nStart)
            vecLines.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return vecLines;
}

} // namespace

bool CConvertOffer::TakeOffer(const std::string& strPath) {
    if (!HasPwdExtension(strPath) || strPath.find('\n') != std::string::npos)
        return false;
    std::vector<std::string> vecFiles = SplitLines(m_profile.Get(ETextSetting::convertOffered));
    if (std::find(vecFiles.begin(), vecFiles.end(), strPath) != vecFiles.end())
        return false;
    vecFiles.push_back(strPath);
    if (vecFiles.size() > MAX_FILES)
        vecFiles.erase(vecFiles.begin(), vecFiles.end() - MAX_FILES);
    std::string strText;
    for (const std::string& strFile : vecFiles)
        strText += strFile + '\n';
    m_profile.Set(ETextSetting::convertOffered, strText);
    return true;
}
