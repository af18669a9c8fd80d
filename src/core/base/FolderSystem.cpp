// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FolderSystem.h"

#include <filesystem>
#include <system_error>

bool CDiskFolderSystem::IsFolder(const std::string& strPath) const {
    std::error_code error;
    return std::filesystem::is_directory(strPath, error);
}

void CDiskFolderSystem::MakeFolder(const std::string& strPath) {
    // A failure shows in the IsFolder that follows.
    std::error_code error;
    std::filesystem::create_directory(strPath, error);
}
