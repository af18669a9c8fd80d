#pragma once

#include <string>

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
    virtual std::string GetProfileString(const std::string& strSection,
                                         const std::string& strValue,
                                         const std::string& strDefault) const = 0;
    virtual void WriteProfileInt(const std::string& strSection, const std::string& strValue,
                                 unsigned nValue) = 0;
    virtual void WriteProfileString(const std::string& strSection, const std::string& strValue,
                                    const std::string& strText) = 0;
};
