// SPDX-License-Identifier: GPL-3.0-or-later
// The format on its own, without a document: what it writes it reads back,
// and the size it predicts is the size it writes.

#include "core/store/PwdFormat.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

namespace {

CPwdFormat::CInfoList Records(std::size_t nAccounts) {
    CPwdFormat::CInfoList list;
    CPasswordInfo& group = list.emplace_back();
    group.m_bGroup = 1;
    group.SetGroup("Mail");
    for (std::size_t i = 0; i < nAccounts; ++i) {
        CPasswordInfo& account = list.emplace_back();
        account.SetAccount("account " + std::to_string(i));
        account.SetPassword(std::string(i % 300, 'p')); // every length prefix form
    }
    return list;
}

SPwdHeader Header() {
    SPwdHeader header;
    header.m_strKeyCheck = MakeKeyCheckValue("secret");
    header.m_generator.m_nGenerate = -2;
    header.m_generator.m_strLength = "12";
    return header;
}

} // namespace

// The 16-bit record count ends at 65,534; the archived and the plain list
// share one count and one class name.
TEST(PwdFormat, PredictedSizeIsTheWrittenSizeOnBothSidesOfTheWideCount) {
    for (const std::size_t nRecords :
         {std::size_t(0), std::size_t(1), std::size_t(3), std::size_t(65534), std::size_t(65535)}) {
        const SPwdHeader header = Header();
        const CPwdFormat::CInfoList archived = nRecords == 0 ? CPwdFormat::CInfoList() : Records(0);
        // The count holds every record but the class name only once.
        const CPwdFormat::CInfoList plain =
            nRecords < 2 ? CPwdFormat::CInfoList() : Records(nRecords - 2);
        CArchive ar;
        CPwdFormat::Write(ar, header, archived, plain);
        EXPECT_EQ(CPwdFormat::StoredSize(header, archived, plain), ar.Buffer().size())
            << nRecords << " records";
    }
}

TEST(PwdFormat, PlainRecordsAreStoredEncipheredAndArchivedOnesAsTheyAre) {
    const SPwdHeader header = Header();
    CPwdFormat::CInfoList archived = Records(1);
    const CPwdFormat::CInfoList plain = Records(2);
    CArchive ar;
    CPwdFormat::Write(ar, header, archived, plain);

    CArchive in(ar.Buffer(), CCodePage::Default());
    SPwdHeader read;
    CPwdFormat::CInfoList records;
    ASSERT_TRUE(CPwdFormat::Read(in, read, records));
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(read.m_strKeyCheck, header.m_strKeyCheck);
    EXPECT_EQ(read.m_generator.m_nGenerate, -2);
    EXPECT_EQ(read.m_generator.m_strLength, "12");
    EXPECT_EQ(read.m_generator.m_strBegin, "5");
    ASSERT_EQ(records.size(), archived.size() + plain.size());

    const std::string strX = MakeFieldKey(header.m_strKeyCheck);
    auto it = records.begin();
    for (const CPasswordInfo& info : archived)
        EXPECT_EQ((it++)->Account(), info.Account());
    for (const CPasswordInfo& info : plain) {
        // Stored enciphered: the group's name, or the account's.
        EXPECT_NE(it->Group() + it->Account(), info.Group() + info.Account());
        CPwdFormat::XorRecord(*it, strX);
        EXPECT_EQ(it->Group(), info.Group());
        EXPECT_EQ(it->Account(), info.Account());
        EXPECT_EQ(it->Password(), info.Password());
        EXPECT_EQ(it->m_bGroup, info.m_bGroup);
        ++it;
    }
}
