// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/ExportText.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"

namespace {

std::string GroupBanner(const CPasswordInfo& info, std::string_view strEol) {
    std::string strText = "============= ";
    strText += info.TextView(CPasswordInfo::group);
    strText += " =============";
    strText += strEol;
    strText += strEol;
    return strText;
}

struct SAccountLine {
    const char* pszExportLabel;
    const char* pszPrintLabel;
    CPasswordInfo::EText eText;
};

constexpr SAccountLine ACCOUNT_LINES[] = {
    {"Account\t\t", "Account       ", CPasswordInfo::account},
    {"User Name\t", "User Name     ", CPasswordInfo::userName},
    {"Password\t", "Password      ", CPasswordInfo::password},
    {"Web Site\t", "Web Site      ", CPasswordInfo::webSite},
    {"E-Mail\t\t", "E-Mail        ", CPasswordInfo::eMail},
    {"Comments\t", "Comments      ", CPasswordInfo::comments},
};

std::string AccountText(const CPasswordInfo& info, bool bPrint, std::string_view strEol) {
    std::string strText;
    for (const SAccountLine& line : ACCOUNT_LINES) {
        strText += bPrint ? line.pszPrintLabel : line.pszExportLabel;
        strText += info.TextView(line.eText);
        strText += strEol;
    }
    strText += strEol;
    return strText;
}

} // namespace

std::string ExportRecordText(const CPasswordInfo& info, std::string_view strEol) {
    return info.IsGroup() ? GroupBanner(info, strEol) : AccountText(info, false, strEol);
}

std::string ExportText(const std::list<CPasswordInfo>& listInfo, std::string_view strEol) {
    std::string strText;
    for (const CPasswordInfo& info : listInfo)
        strText += ExportRecordText(info, strEol);
    return strText;
}

bool WriteExportText(const std::list<CPasswordInfo>& listInfo, std::string_view strEol,
                     const CCodePage& codePage, const CByteSink& fnSink) {
    std::string strPiece;
    std::string strUtf8;
    const auto fnFlush = [&] {
        strUtf8 = codePage.ToUtf8(strPiece);
        CSecretBuffer::Wipe(strPiece);
        const bool bOk = fnSink(strUtf8);
        CSecretBuffer::Wipe(strUtf8);
        return bOk;
    };
    for (const CPasswordInfo& info : listInfo) {
        std::string strRecord = ExportRecordText(info, strEol);
        strPiece += strRecord;
        CSecretBuffer::Wipe(strRecord);
        if (strPiece.size() >= EXPORT_PIECE_BYTES && !fnFlush())
            return false;
    }
    return strPiece.empty() || fnFlush();
}

std::string PrintBlockText(const CPasswordInfo& info) {
    return info.IsGroup() ? GroupBanner(info, "\n") : AccountText(info, true, "\n");
}
