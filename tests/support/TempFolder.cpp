// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

CTempFolder::CTempFolder() {
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "keyhaven-test-XXXXXX").string();
    if (!::mkdtemp(strTemplate.data()))
        throw std::runtime_error("mkdtemp failed");
    m_strPath = strTemplate;
}

CTempFolder::~CTempFolder() {
    std::error_code error;
    // Read-only test files and folders must not keep the folder alive.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_strPath, error))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::permissions(m_strPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_strPath, error);
}
