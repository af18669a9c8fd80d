// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The arguments of one command after its name: positional arguments and
// options. Options take their value from the next argument or after "=";
// "--" ends the options, so names beginning with "-" can still be given.
class CCliArgs {
public:
    // strUsage is the command's usage line, repeated in every usage message.
    CCliArgs(std::string strUsage, std::vector<std::string> astrValueOptions,
             std::vector<std::string> astrFlagOptions = {});

    // Throws a help request when the options hold "--help" or "-h", and a
    // usage failure on an unknown option, a missing value, or a
    // number of positional arguments other than nPositionals.
    void Parse(const std::vector<std::string>& astrArgs, std::size_t nPositionals);

    const std::string& Positional(std::size_t nIndex) const { return m_astrPositionals[nIndex]; }
    // Null when the option was not given; the last occurrence counts.
    const std::string* Value(const std::string& strName) const;
    bool HasFlag(const std::string& strName) const;

    // Whole decimal numbers with an optional sign; anything else, or a number
    // outside the type's range, is a usage failure naming the option.
    int IntValue(const std::string& strName, int nDefault) const;
    std::int64_t Int64Value(const std::string& strName, std::int64_t nDefault) const;

    // The usage failure of this command with a line saying what is wrong.
    [[noreturn]] void FailUsage(const std::string& strProblem) const;

private:
    bool AsksForHelp(const std::vector<std::string>& astrArgs) const;
    bool IsValueOption(const std::string& strName) const;
    bool IsFlagOption(const std::string& strName) const;
    static std::string PlaceText(std::size_t nIndex);

    std::string m_strUsage;
    std::vector<std::string> m_astrValueOptions;
    std::vector<std::string> m_astrFlagOptions;
    std::vector<std::string> m_astrPositionals;
    std::vector<std::size_t> m_anPositionalPlaces; // index in the arguments
    std::map<std::string, std::string> m_mapValues;
    std::vector<std::string> m_astrFlags;
};

// The usage failure for a problem outside any one command.
[[noreturn]] void FailCliUsage(const std::string& strProblem);
