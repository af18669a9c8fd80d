// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeePassOracle.h"

#include "core/store/CodePage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

std::string Quoted(const std::string& strText) {
    std::string strOut = "'";
    for (const char c : strText)
        strOut += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return strOut + "'";
}

std::string ReadAll(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Unescaped(const std::string& strText) {
    static const std::array<std::pair<const char*, const char*>, 7> ENTITIES = {{
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&apos;", "'"},
        {"&#13;", "\r"},
        {"&#xd;", "\r"},
        {"&amp;", "&"},
    }};
    std::string strOut;
    for (std::size_t i = 0; i < strText.size();) {
        bool bEntity = false;
        for (const auto& [pszFrom, pszTo] : ENTITIES) {
            const std::string_view strFrom(pszFrom);
            if (strText.compare(i, strFrom.size(), strFrom) == 0) {
                strOut += pszTo;
                i += strFrom.size();
                bEntity = true;
                break;
            }
        }
        if (!bEntity)
            strOut += strText[i++];
    }
    return strOut;
}

std::string Visible(std::string strText) {
    std::string strOut;
    for (const char c : strText) {
        if (c == '\n')
            strOut += "\\n";
        else if (c == '\r')
            strOut += "\\r";
        else
            strOut += c;
    }
    return strOut;
}

} // namespace

bool HasKeePassCli() {
    return RunKeePassCli({"--version"}, {}).nExit == 0;
}

SKeePassCliResult RunKeePassCli(const std::vector<std::string>& astrArgs,
                                const std::string& strInput) {
    char szFolder[] = "/tmp/keepass-oracle-XXXXXX";
    SKeePassCliResult result;
    if (!::mkdtemp(szFolder))
        return result;
    const std::string strFolder = szFolder;
    std::ofstream(strFolder + "/in", std::ios::binary) << strInput;
    std::string strCommand = "keepassxc-cli";
    for (const std::string& strArg : astrArgs)
        strCommand += " " + Quoted(strArg);
    strCommand += " <" + Quoted(strFolder + "/in") + " >" + Quoted(strFolder + "/out") + " 2>" +
                  Quoted(strFolder + "/err");
    const int nStatus = std::system(strCommand.c_str());
    result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    result.strOut = ReadAll(strFolder + "/out");
    result.strErr = ReadAll(strFolder + "/err");
    std::error_code ec;
    std::filesystem::remove_all(strFolder, ec);
    return result;
}

SKeePassCliResult KeePassCliExportXml(const std::string& strDatabase,
                                      const std::optional<std::string>& strPassword,
                                      const std::string& strKeyFile) {
    std::vector<std::string> astrArgs = {"export", "--format", "xml", "--quiet"};
    if (!strKeyFile.empty())
        astrArgs.insert(astrArgs.end(), {"--key-file", strKeyFile});
    if (!strPassword)
        astrArgs.emplace_back("--no-password");
    astrArgs.push_back(strDatabase);
    return RunKeePassCli(astrArgs, strPassword ? *strPassword + '\n' : std::string());
}

std::string KdbxXmlOutline(const std::string& strXml) {
    std::string strOut;
    std::vector<std::string> stack;
    std::vector<std::string> astrFields;
    std::string strKey;
    auto depth = [&stack] {
        return static_cast<std::size_t>(std::count(stack.begin(), stack.end(), "Group"));
    };
    auto inside = [&stack](const char* pszName) {
        return std::find(stack.begin(), stack.end(), pszName) != stack.end();
    };
    for (std::size_t i = strXml.find('<'); i != std::string::npos; i = strXml.find('<', i)) {
        const std::size_t nEnd = strXml.find('>', i);
        if (nEnd == std::string::npos)
            break;
        const std::string strTag = strXml.substr(i + 1, nEnd - i - 1);
        i = nEnd + 1;
        if (strTag.empty() || strTag[0] == '?' || strTag[0] == '!')
            continue;
        if (strTag[0] == '/') {
            if (strTag == "/Entry" && !inside("History")) {
                std::sort(astrFields.begin(), astrFields.end());
                for (const std::string& strField : astrFields)
                    strOut += std::string(depth() * 2, ' ') + strField + "\n";
                astrFields.clear();
            }
            if (!stack.empty())
                stack.pop_back();
            continue;
        }
        const bool bEmpty = strTag.back() == '/';
        const std::string strName = strTag.substr(0, strTag.find_first_of(" /"));
        const std::string strText =
            bEmpty ? std::string() : Unescaped(strXml.substr(i, strXml.find('<', i) - i));
        const std::string strParent = stack.empty() ? std::string() : stack.back();
        if (strName == "Name" && strParent == "Group")
            strOut += std::string((depth() - 1) * 2, ' ') + "G " + strText + "\n";
        else if (strName == "Entry" && !inside("History"))
            strOut += std::string(depth() * 2, ' ') + "E\n";
        else if (strName == "Key" && strParent == "String")
            strKey = strText;
        else if (strName == "Value" && strParent == "String" && !inside("History"))
            astrFields.push_back(" " + strKey + "=" + Visible(strText));
        if (!bEmpty)
            stack.push_back(strName);
    }
    return strOut;
}

std::string WrittenKdbx(const std::list<CPasswordInfo>& records,
                        const SKdbxCredentials& credentials, const SKdbxWriteOptions& options,
                        std::string& strError) {
    std::string strFile;
    const bool bMade = WriteKdbx(
        records, CCodePage::Default(), credentials, options,
        [&strFile](std::string_view piece) {
            strFile.append(piece);
            return true;
        },
        strError);
    return bMade ? strFile : std::string();
}
