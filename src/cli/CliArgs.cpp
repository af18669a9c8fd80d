// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArgs.h"

#include "cli/CliFailure.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

constexpr const char* HELP_HINT = "Try \"keyhaven-cli --help\" for more information.";

bool Contains(const std::vector<std::string>& astrList, const std::string& strItem) {
    return std::find(astrList.begin(), astrList.end(), strItem) != astrList.end();
}

enum class ENumber { whole, notWhole, outOfRange };

// strtoll alone accepts leading blanks and trailing garbage; a command line
// number must be nothing but the number. One too long for 64 bits is a
// number all the same, only out of range.
ENumber ParseWhole(const std::string& strText, long long& nValue) {
    if (strText.empty())
        return ENumber::notWhole;
    const std::size_t nFirstDigit = (strText[0] == '-' || strText[0] == '+') ? 1 : 0;
    if (nFirstDigit == strText.size())
        return ENumber::notWhole;
    for (std::size_t i = nFirstDigit; i < strText.size(); ++i) {
        if (strText[i] < '0' || strText[i] > '9')
            return ENumber::notWhole;
    }
    errno = 0;
    nValue = std::strtoll(strText.c_str(), nullptr, 10);
    return errno == ERANGE ? ENumber::outOfRange : ENumber::whole;
}

} // namespace

void FailCliUsage(const std::string& strProblem) {
    throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: " + strProblem + "\n" + HELP_HINT);
}

CCliArgs::CCliArgs(std::string strUsage, std::vector<std::string> astrValueOptions,
                   std::vector<std::string> astrFlagOptions)
    : m_strUsage(std::move(strUsage)), m_astrValueOptions(std::move(astrValueOptions)),
      m_astrFlagOptions(std::move(astrFlagOptions)) {}

void CCliArgs::FailUsage(const std::string& strProblem) const {
    throw CCliFailure(CLI_EXIT_USAGE,
                      "keyhaven-cli: " + strProblem + "\nUsage: " + m_strUsage + "\n" + HELP_HINT);
}

bool CCliArgs::IsValueOption(const std::string& strName) const {
    return Contains(m_astrValueOptions, strName);
}

bool CCliArgs::IsFlagOption(const std::string& strName) const {
    return Contains(m_astrFlagOptions, strName);
}

// Usage errors name the place of an argument, never its text: a KEY typed
// as an argument by mistake must not reach the screen or a log. Places count
// from the command, which is argument 1.
std::string CCliArgs::PlaceText(std::size_t nIndex) {
    return "argument " + std::to_string(nIndex + 2);
}

// "--help" anywhere among the options asks for the usage, even on a command
// line that would otherwise be refused; after "--" or as the value of an
// option it is an ordinary word.
bool CCliArgs::AsksForHelp(const std::vector<std::string>& astrArgs) const {
    for (std::size_t i = 0; i < astrArgs.size(); ++i) {
        const std::string& strArg = astrArgs[i];
        if (strArg == "--")
            return false;
        if (strArg == "--help" || strArg == "-h")
            return true;
        if (IsValueOption(strArg))
            ++i;
    }
    return false;
}

void CCliArgs::Parse(const std::vector<std::string>& astrArgs, std::size_t nPositionals) {
    if (AsksForHelp(astrArgs))
        throw CCliHelpRequest(m_strUsage);
    bool bOptionsEnded = false;
    for (std::size_t i = 0; i < astrArgs.size(); ++i) {
        const std::string& strArg = astrArgs[i];
        // A lone "-" is an ordinary argument, as is everything after "--".
        if (bOptionsEnded || strArg.size() < 2 || strArg[0] != '-') {
            m_astrPositionals.push_back(strArg);
            m_anPositionalPlaces.push_back(i);
            continue;
        }
        if (strArg == "--") {
            bOptionsEnded = true;
            continue;
        }
        const std::size_t nEquals = strArg.find('=');
        const std::string strName = strArg.substr(0, nEquals);
        if (IsFlagOption(strName) && nEquals == std::string::npos) {
            m_astrFlags.push_back(strName);
        } else if (IsValueOption(strName) && nEquals != std::string::npos) {
            m_mapValues[strName] = strArg.substr(nEquals + 1);
        } else if (IsValueOption(strName)) {
            if (i + 1 == astrArgs.size())
                FailUsage("option " + strName + " needs a value");
            m_mapValues[strName] = astrArgs[++i];
        } else {
            FailUsage("unknown option (" + PlaceText(i) + ")");
        }
    }
    if (m_astrPositionals.size() < nPositionals)
        FailUsage("missing arguments");
    if (m_astrPositionals.size() > nPositionals)
        FailUsage("too many arguments (" + PlaceText(m_anPositionalPlaces[nPositionals]) +
                  " is extra)");
}

const std::string* CCliArgs::Value(const std::string& strName) const {
    const auto it = m_mapValues.find(strName);
    return it == m_mapValues.end() ? nullptr : &it->second;
}

bool CCliArgs::HasFlag(const std::string& strName) const {
    return Contains(m_astrFlags, strName);
}

std::int64_t CCliArgs::Int64Value(const std::string& strName, std::int64_t nDefault) const {
    const std::string* pText = Value(strName);
    if (!pText)
        return nDefault;
    long long nValue = 0;
    switch (ParseWhole(*pText, nValue)) {
    case ENumber::whole:
        break;
    case ENumber::notWhole:
        FailUsage(strName + " needs a whole number");
    case ENumber::outOfRange:
        FailUsage(strName + " is out of range");
    }
    return nValue;
}

int CCliArgs::IntValue(const std::string& strName, int nDefault) const {
    const std::int64_t nValue = Int64Value(strName, nDefault);
    if (nValue < INT_MIN || nValue > INT_MAX)
        FailUsage(strName + " is out of range");
    return static_cast<int>(nValue);
}
