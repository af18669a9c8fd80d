// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/interchange/CsvWriter.h"

#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CPasswordInfo Record(const char* pszGroup, const char* pszAccount = "",
                     const char* pszComments = "") {
    CPasswordInfo info;
    if (*pszGroup) {
        info.m_bGroup = 1;
        info.SetGroup(pszGroup);
        return info;
    }
    info.SetAccount(pszAccount);
    info.SetUserName("u,\"1\"");
    info.SetPassword("p\xE9");
    info.SetWebSite("w\r\n");
    info.SetEMail("e@x");
    info.SetComments(pszComments);
    return info;
}

std::string Written(const std::list<CPasswordInfo>& listInfo) {
    std::string strOut;
    EXPECT_TRUE(WriteCsvExport(listInfo, CCodePage::Default(), [&](std::string_view piece) {
        // A piece is closed by the row that takes it past 64 KB.
        EXPECT_LT(piece.size(), 65U * 1024U);
        strOut += piece;
        return true;
    }));
    return strOut;
}

} // namespace

TEST(CsvWriter, QuotesEveryFieldAndGoesOutInPieces) {
    const std::list<CPasswordInfo> records = {Record("", "Loose"), Record("Bank/Cards"),
                                              Record("", "Vi\"sa", "a\r\nb"), Record("Empty")};
    const std::string strCsv = Written(records);
    EXPECT_EQ(strCsv, "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"E-mail\"\n"
                      "\"Root\",\"Loose\",\"u,\"\"1\"\"\",\"p\xC3\xA9\",\"w\r\n\",\"\",\"e@x\"\n"
                      "\"Root/Bank/Cards\",\"Vi\"\"sa\",\"u,\"\"1\"\"\",\"p\xC3\xA9\",\"w\r\n\","
                      "\"a\nb\",\"e@x\"\n");
    // Many rows go out in pieces, never as one text.
    std::list<CPasswordInfo> many(5000, Record("", std::string(40, 'x').c_str()));
    EXPECT_GT(Written(many).size(), 64U * 1024U);
}
