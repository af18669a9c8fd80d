// SPDX-License-Identifier: GPL-3.0-or-later
// The record's compact storage: seven texts in one block behind accessors.

#include "core/store/PasswordInfo.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"

#include <gtest/gtest.h>

namespace {

using E = CPasswordInfo::EText;

CPasswordInfo Filled() {
    CPasswordInfo info;
    info.SetAccount("Mail");
    info.SetUserName("anna");
    info.SetPassword(std::string("p\0w", 3));
    info.SetWebSite("https://mail.example");
    info.SetEMail("anna@example.org");
    info.SetComments(std::string(70000, 'c')); // beyond 16 bits
    info.SetGroup("Web");
    return info;
}

std::vector<std::string> TextsOf(const CPasswordInfo& info) {
    std::vector<std::string> texts;
    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i)
        texts.push_back(info.Text(static_cast<E>(i)));
    return texts;
}

} // namespace

TEST(PasswordInfo, ARecordIsSmallAndEachTextKeepsItsOwnBytes) {
    // A file of millions of empty records must fit in a few times its size:
    // one pointer and the group mark, not seven strings.
    static_assert(sizeof(CPasswordInfo) <= 16);
    CPasswordInfo info = Filled();
    EXPECT_EQ(info.Password(), std::string("p\0w", 3));
    EXPECT_EQ(info.Comments().size(), 70000u);
    EXPECT_EQ(info.Group(), "Web");

    // Changing one text, also to a longer or empty one, leaves the others.
    info.SetUserName("a much longer user name than before");
    info.SetWebSite("");
    std::vector<std::string> expected = TextsOf(Filled());
    expected[E::userName] = "a much longer user name than before";
    expected[E::webSite] = "";
    EXPECT_EQ(TextsOf(info), expected);
    // A text set from a view into the record itself.
    info.SetEMail(info.TextView(E::account));
    EXPECT_EQ(info.EMail(), "Mail");

    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i)
        info.SetText(static_cast<E>(i), "");
    EXPECT_EQ(TextsOf(info), std::vector<std::string>(CPasswordInfo::TEXT_COUNT));
}

TEST(PasswordInfo, CopiesAreIndependentAndTextsChangeInPlace) {
    const CPasswordInfo original = Filled();
    CPasswordInfo copy = original;
    copy.ForEachText([](char* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            p[i] = static_cast<char>(p[i] ^ 0x20);
    });
    EXPECT_EQ(copy.Account(), "mAIL");
    EXPECT_EQ(original.Account(), "Mail");
    copy = original;
    EXPECT_EQ(TextsOf(copy), TextsOf(original));
    CPasswordInfo empty;
    copy = empty;
    EXPECT_EQ(copy.Comments(), "");
}

TEST(PasswordInfo, StoresAndLoadsInFileOrderWithTheGroupMarkBeforeTheGroupName) {
    CPasswordInfo info = Filled();
    info.m_bGroup = 7;
    CArchive store;
    info.Serialize(store);
    const std::string& bytes = store.Buffer();
    // account 4, user 4, password 3, site 20, e-mail 16, comments 70000 (7-byte
    // prefix), then the mark and "Web".
    const std::size_t nMark = 5 + 5 + 4 + 21 + 17 + 7 + 70000;
    ASSERT_EQ(bytes.size(), nMark + 4 + 4);
    EXPECT_EQ(bytes.substr(nMark, 8), std::string("\x07\0\0\0\x03Web", 8));

    CPasswordInfo loaded;
    CArchive load(bytes, CCodePage::Default());
    ASSERT_TRUE(loaded.Serialize(load));
    EXPECT_EQ(TextsOf(loaded), TextsOf(info));
    EXPECT_EQ(loaded.m_bGroup, 7);
    CArchive shortLoad(std::string_view(bytes).substr(0, nMark + 2), CCodePage::Default());
    EXPECT_FALSE(CPasswordInfo().Serialize(shortLoad));
}
