// SPDX-License-Identifier: GPL-3.0-or-later
// The OK rules of the three KEY dialogs: which message, which edits are
// emptied, where the focus goes, and the code-page conversion of typed KEYs.

#include "core/store/KeyDialogRules.h"
#include "core/base/StringTable.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

namespace {

const CCodePage& Cp() {
    return CCodePage::Default();
}

void ExpectRefused(const SKeyDlgOutcome& outcome, const std::string& strMessage, unsigned nEmpty,
                   EKeyField eFocus) {
    EXPECT_FALSE(outcome.m_bClose);
    EXPECT_EQ(outcome.m_strMessage, strMessage);
    EXPECT_EQ(outcome.m_nEmpty, nEmpty);
    EXPECT_EQ(outcome.m_eFocus, eFocus);
    EXPECT_TRUE(outcome.m_strKeyValue.empty());
}

} // namespace

TEST(CreateKeyRule, DifferentTextsEmptyBothAndFocusTheKeyEdit) {
    ExpectRefused(CKeyDialogRules::CreateKeyOk("abc", "abd", Cp()), IDS_KEYS_DO_NOT_MATCH,
                  KEYFIELD_NEW | KEYFIELD_CONFIRM, KEYFIELD_NEW);
    ExpectRefused(CKeyDialogRules::CreateKeyOk("", "x", Cp()), IDS_KEYS_DO_NOT_MATCH,
                  KEYFIELD_NEW | KEYFIELD_CONFIRM, KEYFIELD_NEW);
}

TEST(CreateKeyRule, EmptyKeyIsInvalidAndEmptiesNothing) {
    ExpectRefused(CKeyDialogRules::CreateKeyOk("", "", Cp()), IDS_KEY_EMPTY, KEYFIELD_NONE,
                  KEYFIELD_NEW);
}

TEST(CreateKeyRule, MatchingKeyClosesWithItsCheckValue) {
    const SKeyDlgOutcome outcome = CKeyDialogRules::CreateKeyOk("secret", "secret", Cp());
    EXPECT_TRUE(outcome.m_bClose);
    EXPECT_EQ(outcome.m_strKeyValue, MakeKeyCheckValue("secret"));
}

TEST(CreateKeyRule, TypedTextIsEncipheredInTheCodePage) {
    // "é" is one byte (0xE9) in the code page, two in UTF-8.
    const SKeyDlgOutcome outcome = CKeyDialogRules::CreateKeyOk("caf\xc3\xa9", "caf\xc3\xa9", Cp());
    ASSERT_TRUE(outcome.m_bClose);
    EXPECT_EQ(outcome.m_strKeyValue, MakeKeyCheckValue("caf\xe9"));
    EXPECT_NE(outcome.m_strKeyValue, MakeKeyCheckValue("caf\xc3\xa9"));
}

TEST(CreateKeyRule, ACharacterTheCodePageLacksIsRefusedWithoutNamingIt) {
    // U+03A9 GREEK CAPITAL LETTER OMEGA has no byte in Windows-1252; nothing
    // in the message may tell an onlooker that the KEY holds it.
    const std::string strOmega = "\xce\xa9";
    ExpectRefused(CKeyDialogRules::CreateKeyOk("a" + strOmega, "a" + strOmega, Cp()),
                  "The KEY holds a character that the file's code page cannot hold.\nPlease use "
                  "another one.",
                  KEYFIELD_NEW | KEYFIELD_CONFIRM, KEYFIELD_NEW);
    // Malformed input, in texts that are no KEY, can only be named by code.
    EXPECT_EQ(CKeyDialogRules::BadCharacterMessage(0xFFFD, IDS_TEXT_BAD_CHARACTER),
              "The file's texts can not contain the character \"\" (U+FFFD).\nPlease use "
              "another one.");
}

TEST(CheckKeyRule, OnlyTheMatchingKeyCloses) {
    const std::string strValue = MakeKeyCheckValue("right");
    EXPECT_TRUE(CKeyDialogRules::CheckKeyOk("right", strValue, Cp()).m_bClose);
    // Blanks inside the last block give the same check value.
    EXPECT_TRUE(CKeyDialogRules::CheckKeyOk("right ", strValue, Cp()).m_bClose);
    for (const char* pszWrong : {"Right", "righ", "", "right!"})
        ExpectRefused(CKeyDialogRules::CheckKeyOk(pszWrong, strValue, Cp()), IDS_KEY_INVALID,
                      KEYFIELD_TYPED, KEYFIELD_TYPED);
}

TEST(CheckKeyRule, TheTypedKeyIsComparedInTheCodePage) {
    // Typed as UTF-8, stored as the code page's bytes: "s\xE9same".
    const std::string strValue = MakeKeyCheckValue("s\xE9same");
    EXPECT_TRUE(CKeyDialogRules::CheckKeyOk("s\xC3\xA9same", strValue, Cp()).m_bClose);
    ExpectRefused(
        CKeyDialogRules::CheckKeyOk("s\xC3\xA9same", MakeKeyCheckValue("s\xC3\xA9same"), Cp()),
        IDS_KEY_INVALID, KEYFIELD_TYPED, KEYFIELD_TYPED);
}

TEST(CheckKeyRule, AnUnconvertibleKeyIsRefusedNotReplaced) {
    // A replaced character would have matched a KEY made of "?".
    const std::string strValue = MakeKeyCheckValue("?");
    const SKeyDlgOutcome outcome = CKeyDialogRules::CheckKeyOk("\xe2\x82\xbd", strValue, Cp());
    EXPECT_FALSE(outcome.m_bClose);
    EXPECT_EQ(outcome.m_strMessage, IDS_KEY_BAD_CHARACTER);
    EXPECT_EQ(outcome.m_nEmpty, KEYFIELD_TYPED);
}

TEST(CheckKeyRule, AKeyThatWasNotJudgedIsNoWrongKey) {
    const auto Judge = [](const std::string& strKey) -> SKeyVerdict {
        if (strKey == "heavy")
            return SKeyVerdict::NotJudged("There is not enough memory to open W.khv.");
        return strKey == "right";
    };
    // The reason is shown and the typed KEY stays, to be tried again.
    ExpectRefused(CKeyDialogRules::CheckKeyOk("heavy", Judge, Cp()),
                  "There is not enough memory to open W.khv.", KEYFIELD_NONE, KEYFIELD_TYPED);
    ExpectRefused(CKeyDialogRules::CheckKeyOk("wrong", Judge, Cp()), IDS_KEY_INVALID,
                  KEYFIELD_TYPED, KEYFIELD_TYPED);
    EXPECT_TRUE(CKeyDialogRules::CheckKeyOk("right", Judge, Cp()).m_bClose);
}

TEST(ChangeKeyRule, WrongOriginalEmptiesAllThree) {
    const std::string strValue = MakeKeyCheckValue("old");
    ExpectRefused(CKeyDialogRules::ChangeKeyOk("bad", "new", "new", strValue, Cp()),
                  IDS_ORIGINAL_KEY_INVALID, KEYFIELD_ORIGINAL | KEYFIELD_NEW | KEYFIELD_CONFIRM,
                  KEYFIELD_ORIGINAL);
}

TEST(ChangeKeyRule, MismatchedOrEmptyNewKeysKeepTheOriginal) {
    const std::string strValue = MakeKeyCheckValue("old");
    ExpectRefused(CKeyDialogRules::ChangeKeyOk("old", "a", "b", strValue, Cp()),
                  IDS_KEYS_DO_NOT_MATCH, KEYFIELD_NEW | KEYFIELD_CONFIRM, KEYFIELD_NEW);
    ExpectRefused(CKeyDialogRules::ChangeKeyOk("old", "", "", strValue, Cp()), IDS_NEW_KEY_EMPTY,
                  KEYFIELD_NEW | KEYFIELD_CONFIRM, KEYFIELD_NEW);
}

TEST(ChangeKeyRule, RightOriginalAndMatchingNewKeysClose) {
    const std::string strValue = MakeKeyCheckValue("old");
    SKeyDlgOutcome outcome = CKeyDialogRules::ChangeKeyOk("old", "new", "new", strValue, Cp());
    EXPECT_TRUE(outcome.m_bClose);
    EXPECT_EQ(outcome.m_strKeyValue, MakeKeyCheckValue("new"));
    // The same KEY again is a valid change.
    outcome = CKeyDialogRules::ChangeKeyOk("old", "old", "old", strValue, Cp());
    EXPECT_TRUE(outcome.m_bClose);
    EXPECT_EQ(outcome.m_strKeyValue, strValue);
}
