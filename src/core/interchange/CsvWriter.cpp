// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvWriter.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/ExportText.h"
#include "core/store/PasswordInfo.h"

#include <iterator>

void AppendCsvExportField(std::string& strOut, std::string_view strUtf8, bool bComments,
                          bool bLast) {
    strOut += '"';
    for (std::size_t i = 0; i < strUtf8.size(); ++i) {
        if (strUtf8[i] == '"')
            strOut += '"';
        // The comments keep "\r\n"; the export's line breaks are "\n".
        if (bComments && strUtf8[i] == '\r' && i + 1 < strUtf8.size() && strUtf8[i + 1] == '\n')
            continue;
        strOut += strUtf8[i];
    }
    strOut += bLast ? "\"\n" : "\",";
}

void AppendCsvExportHeader(std::string& strOut) {
    for (std::size_t i = 0; i < std::size(CSV_EXPORT_COLUMNS); ++i)
        AppendCsvExportField(strOut, CSV_EXPORT_COLUMNS[i], false,
                             i + 1 == std::size(CSV_EXPORT_COLUMNS));
}

bool WriteCsvExport(const std::list<CPasswordInfo>& listInfo, const CCodePage& codePage,
                    const CByteSink& fnSink) {
    std::string strPiece;
    AppendCsvExportHeader(strPiece);
    std::string strGroup = CSV_ROOT_GROUP;
    for (const CPasswordInfo& info : listInfo) {
        if (info.IsGroup()) {
            strGroup = std::string(CSV_ROOT_GROUP) + "/" + codePage.ToUtf8(info.Group());
            continue;
        }
        AppendCsvExportField(strPiece, strGroup);
        constexpr CPasswordInfo::EText TEXTS[] = {CPasswordInfo::account,  CPasswordInfo::userName,
                                                  CPasswordInfo::password, CPasswordInfo::webSite,
                                                  CPasswordInfo::comments, CPasswordInfo::eMail};
        for (const CPasswordInfo::EText eText : TEXTS) {
            std::string strUtf8 = codePage.ToUtf8(info.TextView(eText));
            AppendCsvExportField(strPiece, strUtf8, eText == CPasswordInfo::comments,
                                 eText == CPasswordInfo::eMail);
            CSecretBuffer::Wipe(strUtf8);
        }
        if (strPiece.size() >= EXPORT_PIECE_BYTES) {
            const bool bOk = fnSink(strPiece);
            CSecretBuffer::Wipe(strPiece);
            if (!bOk)
                return false;
        }
    }
    const bool bOk = strPiece.empty() || fnSink(strPiece);
    CSecretBuffer::Wipe(strPiece);
    return bOk;
}
