// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kdbx/KdbxExport.h"

#include "core/interchange/CsvWriter.h"
#include "core/interchange/ImportEntry.h"
#include "core/kdbx/KdbxTree.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/ExportText.h"

#include <optional>

namespace {

// The texts of an entry under the account's fields: the standard ones and
// the field that an import takes the e-mail from.
struct SEntryTexts {
    std::string_view strTitle, strUserName, strPassword, strUrl, strNotes;
    const SKdbxField* pEMail = nullptr;
};

SEntryTexts TextsOf(const std::vector<SKdbxField>& fields) {
    SEntryTexts texts;
    for (const SKdbxField& field : fields) {
        if (field.strKey == "Title")
            texts.strTitle = field.strValue;
        else if (field.strKey == "UserName")
            texts.strUserName = field.strValue;
        else if (field.strKey == "Password")
            texts.strPassword = field.strValue;
        else if (field.strKey == "URL")
            texts.strUrl = field.strValue;
        else if (field.strKey == "Notes")
            texts.strNotes = field.strValue;
        else if (texts.pEMail == nullptr && IsEMailFieldName(std::string(field.strKey)))
            texts.pEMail = &field;
    }
    return texts;
}

std::string_view Shown(const SKdbxField& field, bool bShowProtected) {
    return field.bProtected && !bShowProtected ? KDBX_PROTECTED_MASK : field.strValue;
}

// Hands the piece over once it is large, and always when bLast.
bool Flush(std::string& strPiece, const CByteSink& fnSink, bool bLast) {
    if (strPiece.empty() || (!bLast && strPiece.size() < EXPORT_PIECE_BYTES))
        return true;
    const bool bOk = fnSink(strPiece);
    CSecretBuffer::Wipe(strPiece);
    return bOk;
}

} // namespace

std::string KdbxEntryText(const CXmlElement& entry, bool bShowProtected, std::string_view strEol) {
    const std::vector<SKdbxField> fields = KdbxEntryFields(entry);
    const SEntryTexts texts = TextsOf(fields);
    const std::string_view strEMail =
        texts.pEMail ? Shown(*texts.pEMail, bShowProtected) : std::string_view();
    const std::pair<const char*, std::string_view> LINES[] = {
        {"Account\t\t", texts.strTitle},   {"User Name\t", texts.strUserName},
        {"Password\t", texts.strPassword}, {"Web Site\t", texts.strUrl},
        {"E-Mail\t\t", strEMail},          {"Comments\t", texts.strNotes},
    };
    std::string strText;
    for (const auto& [pszLabel, strValue] : LINES) {
        strText += pszLabel;
        strText += strValue;
        strText += strEol;
    }
    for (const SKdbxField& field : fields) {
        if (IsKdbxStandardField(field.strKey) || &field == texts.pEMail)
            continue;
        strText += field.strKey;
        strText += ": ";
        strText += Shown(field, bShowProtected);
        strText += strEol;
    }
    strText += strEol;
    return strText;
}

bool WriteKdbxExportText(const CXmlTree& xml, std::string_view strEol, const CByteSink& fnSink) {
    std::string strPiece;
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(xml);
    for (std::size_t nNode = 0; nNode < tree.size(); ++nNode) {
        const SKdbxGroupNode& node = tree[nNode];
        strPiece += "============= ";
        strPiece += KdbxGroupPath(tree, nNode);
        strPiece += " =============";
        strPiece += strEol;
        strPiece += strEol;
        for (const CXmlElement* pEntry : node.entries) {
            std::string strEntry = KdbxEntryText(*pEntry, true, strEol);
            strPiece += strEntry;
            CSecretBuffer::Wipe(strEntry);
            if (!Flush(strPiece, fnSink, false))
                return false;
        }
        if (!Flush(strPiece, fnSink, false))
            return false;
    }
    return Flush(strPiece, fnSink, true);
}

bool WriteKdbxCsvExport(const CXmlTree& xml, const CByteSink& fnSink) {
    std::string strPiece;
    AppendCsvExportHeader(strPiece);
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(xml);
    for (std::size_t nNode = 0; nNode < tree.size(); ++nNode) {
        const SKdbxGroupNode& node = tree[nNode];
        if (node.entries.empty())
            continue;
        const std::string strPath = KdbxGroupPath(tree, nNode);
        const std::string strGroup =
            node.nDepth == 0 ? strPath
                             : std::string(tree.front().pGroup->ChildText("Name")) + "/" + strPath;
        for (const CXmlElement* pEntry : node.entries) {
            const std::vector<SKdbxField> fields = KdbxEntryFields(*pEntry);
            const SEntryTexts texts = TextsOf(fields);
            AppendCsvExportField(strPiece, strGroup);
            AppendCsvExportField(strPiece, texts.strTitle);
            AppendCsvExportField(strPiece, texts.strUserName);
            AppendCsvExportField(strPiece, texts.strPassword);
            AppendCsvExportField(strPiece, texts.strUrl);
            AppendCsvExportField(strPiece, texts.strNotes, true);
            AppendCsvExportField(
                strPiece, texts.pEMail ? texts.pEMail->strValue : std::string_view(), false, true);
            if (!Flush(strPiece, fnSink, false))
                return false;
        }
    }
    return Flush(strPiece, fnSink, true);
}
