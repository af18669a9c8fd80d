// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SampleDocument.h"

#include "core/store/Archive.h"
#include "core/store/CofferDoc.h"

#include <iterator>

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

namespace {

void FillRecords(CCofferDoc& doc, const std::vector<CPasswordInfo>& records) {
    for (const CPasswordInfo& record : records) {
        if (record.IsGroup())
            doc.AddGroup(record.Group());
        else
            doc.InsertAccount(doc.Records().empty() ? doc.Records().end()
                                                    : std::prev(doc.Records().end()),
                              record);
    }
}

} // namespace

void MakeKeyedDoc(CCofferDoc& doc, const std::string& strKey,
                  const std::vector<CPasswordInfo>& records, const std::string& strFileName) {
    doc.DeleteContents();
    if (strFileName.empty()) {
        if (!strKey.empty())
            doc.SetKey(strKey);
        FillRecords(doc, records);
        return;
    }
    // Written by one document and read by the other, as a file is.
    CCofferDoc writer;
    if (!strKey.empty())
        writer.SetKey(strKey);
    writer.SetGeneratorHeader(doc.GeneratorHeader());
    FillRecords(writer, records);
    writer.EncipherList();
    CArchive out(strFileName);
    writer.Serialize(out);
    CArchive in(out.Buffer(), doc.CodePage(), strFileName);
    doc.Serialize(in);
    if (!strKey.empty())
        doc.AcceptKey(strKey);
    doc.DecipherList();
}
