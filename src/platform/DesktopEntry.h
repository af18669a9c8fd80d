// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the desktop keeps its settings and application entries (the XDG base
// directories), and how the default web browser is found in them.
class CDesktopEntry {
public:
    std::filesystem::path m_pathConfigHome;
    std::vector<std::filesystem::path> m_vConfigDirs;
    std::filesystem::path m_pathDataHome;
    std::vector<std::filesystem::path> m_vDataDirs;

    // From XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME, XDG_DATA_DIRS and
    // HOME, with the standard defaults for unset or empty variables.
    static CDesktopEntry FromEnvironment();

    // The desktop entry ids ("firefox.desktop") named as default handlers of
    // http addresses, in the order of the mimeapps.list files and their lines.
    std::vector<std::string> DefaultBrowserIds() const;

    // The Exec line of the first of those entries that is installed.
    std::optional<std::string> DefaultBrowserExec() const;

    // The Exec line of the entry with that id, from the first data folder
    // that holds it.
    std::optional<std::string> FindExec(std::string_view strDesktopId) const;

    // The Exec value of the "[Desktop Entry]" group of an entry's text, with
    // the key file's escapes (\s \n \t \r \\) resolved.
    static std::optional<std::string> ReadExec(std::string_view strFileText);

    // The entries of the x-scheme-handler/http line in the "[Default
    // Applications]" group of a mimeapps.list text.
    static std::vector<std::string> ReadDefaultBrowsers(std::string_view strFileText);
};
