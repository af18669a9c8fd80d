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

} // namespace
