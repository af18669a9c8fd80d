// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFixture.h"

#include <algorithm>

namespace {

class DocWipe : public DocumentFixture {};

bool AllZero(const char* p, std::size_t n) {
    return std::all_of(p, p + n, [](char c) { return c == 0; });
}

} // namespace

TEST_F(DocWipe, DroppingTheFileWipesTheKeyValueInPlace) {
    CPasswordInfo account;
    account.SetAccount("Bank");
    account.SetPassword("s3cret-password");
    const std::string strPath = MakeFile("wipe.pwd", "the KEY", {account});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "the KEY");
    ASSERT_FALSE(pDoc->m_strKey.empty());
    // The check value gives the field key of every text: after the file is
    // dropped, the buffer that held it holds nothing of it.
    const char* pKey = pDoc->m_strKey.data();
    const std::size_t nCapacity = pDoc->m_strKey.capacity();
    pDoc->DeleteContents();
    EXPECT_TRUE(pDoc->m_strKey.empty());
    EXPECT_TRUE(pDoc->m_listInfo.empty());
    ASSERT_EQ(pDoc->m_strKey.data(), pKey);
    EXPECT_TRUE(AllZero(pKey, nCapacity));
}

TEST_F(DocWipe, ClosedFileStillReopensWithItsKey) {
    // The wipe touches only what is dropped: the file on disk and a second
    // opening are as before.
    CPasswordInfo account;
    account.SetAccount("Mail");
    account.SetPassword("pw-1234");
    const std::string strPath = MakeFile("again.pwd", "K", {account});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "K");
    pDoc->DeleteContents();
    OpenWithKey(*pDoc, strPath, "K");
    const auto it =
        std::find_if(pDoc->m_listInfo.begin(), pDoc->m_listInfo.end(),
                     [](const CPasswordInfo& info) { return info.Account() == "Mail"; });
    ASSERT_NE(it, pDoc->m_listInfo.end());
    EXPECT_EQ(it->Password(), "pw-1234");
}
