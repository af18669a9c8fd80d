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
    ASSERT_TRUE(pDoc->HasKey());
    // The check value gives the field key of every text: after the file is
    // dropped, the buffer that held it holds nothing of it.
    const char* pKey = pDoc->Key().CheckValue().data();
    const std::size_t nCapacity = pDoc->Key().CheckValue().capacity();
    pDoc->DeleteContents();
    EXPECT_FALSE(pDoc->HasKey());
    EXPECT_TRUE(pDoc->Records().empty());
    ASSERT_EQ(pDoc->Key().CheckValue().data(), pKey);
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
        std::find_if(pDoc->Records().begin(), pDoc->Records().end(),
                     [](const CPasswordInfo& info) { return info.Account() == "Mail"; });
    ASSERT_NE(it, pDoc->Records().end());
    EXPECT_EQ(it->Password(), "pw-1234");
}
