// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SampleDocument.h"

#include "core/store/CofferDoc.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string_view> Split(std::string_view strText, std::string_view strSeparator) {
    std::vector<std::string_view> parts;
    for (std::size_t nStart = 0;;) {
        const std::size_t nEnd = strText.find(strSeparator, nStart);
        parts.push_back(strText.substr(nStart, nEnd - nStart));
        if (nEnd == std::string_view::npos)
            return parts;
        nStart = nEnd + strSeparator.size();
    }
}

} // namespace

void BuildSampleDocument(CCofferDoc& doc, std::string_view strOutline) {
    bool bFirst = true;
    for (const std::string_view strGroupPart : Split(strOutline, " / ")) {
        const std::size_t nColon = strGroupPart.find(": ");
        const std::string strGroup(strGroupPart.substr(0, nColon));
        if (bFirst)
            doc.RenameGroup(doc.FindGroup(DEFAULT_GROUP_NAME), strGroup);
        else
            doc.AddGroup(strGroup);
        bFirst = false;
        if (nColon == std::string_view::npos)
            continue;
        for (const std::string_view strAccount : Split(strGroupPart.substr(nColon + 2), ", ")) {
            const std::size_t nEquals = strAccount.find('=');
            const std::string strName(strAccount.substr(0, nEquals));
            CPasswordInfo texts;
            texts.SetAccount(strName);
            texts.SetUserName("user-" + strName);
            texts.SetPassword(nEquals == std::string_view::npos ? std::string_view("pw")
                                                                : strAccount.substr(nEquals + 1));
            texts.SetComments("about " + strName);
            doc.AddAccount(strGroup, texts);
        }
    }
}
