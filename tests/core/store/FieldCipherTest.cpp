// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Word(const std::string& strText) {
    return CFieldCipher::TextToWord(strText.data(), strText.size());
}

TEST(TextToWord, DecimalDigitsOfSignedBytes) {
    EXPECT_EQ(Word("abcd"), 979899100u);
    EXPECT_EQ(Word("zzzz"), 1863037834u); // 122122122122 wraps in 32 bits
    // A high first byte gives a negative number.
    EXPECT_EQ(static_cast<std::int32_t>(Word("\x80"
                                             "abc")),
              -128979899);
    // A high byte later puts a '-' in the digits and the number ends there.
    EXPECT_EQ(Word("a\x80"
                   "bc"),
              97u);
    EXPECT_EQ(Word("ab\xFF"
                   "c"),
              9798u);
}

TEST(FieldCipher, BlockOutputIsTwoDecimalNumbers) {
    CFieldCipher cipher;
    cipher.SetKeyString(KEY_CHECK_KEY_STRING);
    const std::string strBlock = cipher.EncipherBlock("password");
    EXPECT_EQ(strBlock, cipher.m_strLeft + cipher.m_strRight);
    EXPECT_GE(strBlock.size(), 2u);
    EXPECT_LE(strBlock.size(), 22u);
    // Shorter blocks are padded with blanks; longer ones are cut.
    EXPECT_EQ(cipher.EncipherBlock("abc"), cipher.EncipherBlock("abc     "));
    EXPECT_EQ(cipher.EncipherBlock("abcdefgh"), cipher.EncipherBlock("abcdefghij"));
}

TEST(FieldCipher, StringAlwaysEndsWithATailBlock) {
    CFieldCipher cipher;
    cipher.SetKeyString(KEY_CHECK_KEY_STRING);
    const std::string strEight = cipher.EncipherBlock("12345678");
    const std::string strBlanks = cipher.EncipherBlock("        ");
    EXPECT_EQ(cipher.EncipherString("12345678"), strEight + strBlanks);
    EXPECT_EQ(cipher.EncipherString(""), strBlanks);
    EXPECT_EQ(cipher.EncipherString("123456789"), strEight + cipher.EncipherBlock("9"));
}

TEST(FieldCipher, TrailingBlanksInTheLastBlockGiveTheSameCheckValue) {
    EXPECT_EQ(MakeKeyCheckValue("secret"), MakeKeyCheckValue("secret "));
    EXPECT_EQ(MakeKeyCheckValue("12345678"), MakeKeyCheckValue("12345678 "));
    EXPECT_NE(MakeKeyCheckValue("secret"), MakeKeyCheckValue("Secret"));
}

TEST(FieldCipher, KeyStringWordsReadFourDigitsEach) {
    // Leading zeros are allowed: "0042..." gives k0 = 42. Two ciphers whose
    // key strings differ only in a leading zero of a group agree.
    CFieldCipher a;
    CFieldCipher b;
    a.SetKeyString("0042000000000000");
    b.SetKeyString("42  000000000000");
    EXPECT_EQ(a.EncipherBlock("abcdefgh"), b.EncipherBlock("abcdefgh"));
}

// Known answers, worked out once and checked against a separate reading of
// the block function (32 rounds, shifts 4 and 5, the golden-ratio step). The
// demo file and every file ever written depend on these exact digits.
TEST(FieldCipherKnownAnswers, EncipherBlock) {
    CFieldCipher check;
    check.SetKeyString(KEY_CHECK_KEY_STRING);
    EXPECT_EQ(check.EncipherBlock("password"), "25828478140694477");
    EXPECT_EQ(check.m_strLeft, "25828478");
    EXPECT_EQ(check.m_strRight, "140694477");
    EXPECT_EQ(check.EncipherBlock(""), "1219676399600443192");
    // Bytes above 0x7F read as negative numbers.
    EXPECT_EQ(check.EncipherBlock("\x80\x81\x82\x83\xFE\xFF\x01\x7F"), "19985882811536013876");

    CFieldCipher field;
    field.SetKeyString(FIELD_KEY_STRING);
    EXPECT_EQ(field.EncipherBlock("password"), "17503417461401595034");
}

TEST(FieldCipherKnownAnswers, KeyCheckValueAndFieldKey) {
    const struct {
        std::string strKey;
        const char* pszCheck;
        const char* pszField;
    } CASES[] = {
        {"", "1219676399600443192", "152508986826416271"},
        {"a", "703454413519077906", "120188576851908793"},
        {"demo", "265757315527475429", "4349753391828479138"},
        {"12345678", "1676481888131291371219676399600443192", "3393030861011885648"},
        {"correct horse battery staple",
         "156542303111982582131492499776321387071906307364191893506418776857851984070827",
         "1983772322706185665"},
        {std::string("s\xE9same\x80\xFF", 8), "202889481318589258571219676399600443192",
         "555470633731728548"},
    };
    for (const auto& c : CASES) {
        EXPECT_EQ(MakeKeyCheckValue(c.strKey), c.pszCheck) << c.strKey;
        EXPECT_EQ(MakeFieldKey(c.pszCheck), c.pszField) << c.strKey;
    }
}

} // namespace
