// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/SettingKeys.h"
#include "core/base/TextUtil.h"

#include <string>
#include <string_view>

// The per-user settings store as the program's parts see it: named sections
// of named integer and text values. Section names are compared without
// regard to case ("Window size" and "Window Size" are one section). Every
// read supplies its default, returned when the value is missing or has the
// other type. Failed writes are ignored and leave the old value.
class CProfile {
public:
    virtual ~CProfile() = default;
    virtual unsigned GetProfileInt(const std::string& strSection, const std::string& strValue,
                                   unsigned nDefault) const = 0;
    virtual std::string GetProfileString(const std::string& strSection, const std::string& strValue,
                                         const std::string& strDefault) const = 0;
    virtual void WriteProfileInt(const std::string& strSection, const std::string& strValue,
                                 unsigned nValue) = 0;
    virtual void WriteProfileString(const std::string& strSection, const std::string& strValue,
                                    const std::string& strText) = 0;
    // The recent-file list is rewritten whole: its section is emptied first,
    // so entries that were dropped do not come back at the next start.
    virtual void DeleteProfileValue(const std::string& strSection, const std::string& strValue) = 0;
    virtual void DeleteProfileSection(const std::string& strSection) = 0;

    // The settings by key, with the names and defaults of the settings
    // table: what the program's parts use.
    unsigned Get(EIntSetting eKey) const;
    std::string Get(ETextSetting eKey) const;
    void Set(EIntSetting eKey, unsigned nValue);
    void Set(ETextSetting eKey, const std::string& strText);
};

// Section and value names match when they are equal apart from the case of
// ASCII letters, as the registry compared them. Every name the program uses
// is ASCII, and folding only ASCII keeps the rule independent of the code page.
inline bool ProfileNamesEqual(std::string_view a, std::string_view b) {
    return EqualsNoCaseAscii(a, b);
}
