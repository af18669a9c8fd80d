// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FolderCheck.h"

#include "core/base/FolderSystem.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"

#include <string_view>

namespace {

constexpr std::string_view FORBIDDEN_CHARS = "\"*/:<>?\\|";

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

std::string WithPath(const char* pszFormat, const std::string& strPath) {
    std::string strText = TranslateText(pszFormat);
    const std::size_t nAt = strText.find("%s");
    if (nAt != std::string::npos)
        strText.replace(nAt, 2, strPath);
    return strText;
}

int CheckRoot(bool bCreate, CFolderSystem& folders) {
    if (!bCreate)
        return FOLDER_VALID;
    return folders.IsFolder("/") ? FOLDER_VALID : FOLDER_NOT_CREATED;
}

} // namespace

bool IsValidFolderName(const std::string& strName) {
    if (strName.empty() || strName == "." || strName == "..")
        return false;
    if (IsBlank(strName.front()) || IsBlank(strName.back()) || strName.back() == '.')
        return false;
    return strName.find_first_of(FORBIDDEN_CHARS) == std::string::npos;
}

int CheckFolderPath(const std::string& strPath, bool bCreate, CFolderSystem& folders) {
    if (strPath.empty() || strPath.front() != '/')
        return FOLDER_INVALID;
    if (strPath.size() == 1)
        return CheckRoot(bCreate, folders);
    // The whole text is walked, however long: a path the file system cannot
    // hold fails at its creation, not at an arbitrary cut.
    std::size_t nStart = 1;
    for (;;) {
        const std::size_t nEnd = strPath.find('/', nStart);
        const bool bLast = nEnd == std::string::npos;
        const std::size_t nStop = bLast ? strPath.size() : nEnd;
        if (!IsValidFolderName(strPath.substr(nStart, nStop - nStart)))
            return FOLDER_INVALID;
        if (bCreate) {
            const std::string strLevel = strPath.substr(0, nStop);
            folders.MakeFolder(strLevel);
            if (!folders.IsFolder(strLevel))
                return FOLDER_NOT_CREATED;
        }
        if (bLast)
            return FOLDER_VALID;
        if (nEnd + 1 == strPath.size())
            return FOLDER_INVALID; // a trailing "/"
        nStart = nEnd + 1;
    }
}

int EnsureFolder(const std::string& strPath, CPrompts& prompts, CFolderSystem& folders) {
    int nResult = CheckFolderPath(strPath, false, folders);
    if (nResult == FOLDER_VALID) {
        if (folders.IsFolder(strPath))
            return FOLDER_VALID;
        if (prompts.MessageBox(WithPath(IDS_FOLDER_CREATE_QUESTION, strPath), EMsgIcon::question,
                               EMsgButtons::yesNo) != EMsgAnswer::yes)
            return FOLDER_DECLINED;
        nResult = CheckFolderPath(strPath, true, folders);
        if (nResult == FOLDER_VALID)
            return FOLDER_VALID;
    }
    const char* pszFormat = nResult == FOLDER_INVALID ? IDS_FOLDER_INVALID : IDS_FOLDER_NOT_CREATED;
    prompts.MessageBox(WithPath(pszFormat, strPath), EMsgIcon::exclamation);
    return nResult;
}
