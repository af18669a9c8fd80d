// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Translation.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/link/LinkCommand.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>

namespace {

// A translation of a few texts, as the program's would be.
std::map<std::string, std::string>& Table() {
    static std::map<std::string, std::string> table;
    return table;
}

// Texts of another context than the program's are keyed "context|source".
const char* LookUp(const char* pszContext, const char* pszSource, const char* pszComment,
                   long long nCount) {
    std::string strKey = pszSource;
    if (std::string_view(pszContext) != TEXT_CONTEXT)
        strKey = std::string(pszContext) + "|" + strKey;
    // A count's forms, keyed "source#one" and "source#many", as a language with
    // two forms (German) chooses them; its "%n" stays for the caller.
    if (nCount >= 0) {
        EXPECT_NE(pszComment, nullptr) << pszSource;
        strKey += nCount == 1 ? "#one" : "#many";
    }
    const auto it = Table().find(strKey);
    return it == Table().end() ? nullptr : it->second.c_str();
}

class TranslationTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetTextTranslator(nullptr);
        SetDigitGroupMark(",");
        Table().clear();
    }
};

} // namespace

TEST_F(TranslationTest, FormatTextTranslatesTheTemplateNotTheValues) {
    Table()[IDS_ASK_TO_SAVE] = "<%1> sichern?";
    // A value that happens to be a translated source text stays as it is.
    Table()["Home.pwd"] = "wrong";
    SetTextTranslator(&LookUp);
    EXPECT_EQ(FormatText(IDS_ASK_TO_SAVE, "Home.pwd"), "<Home.pwd> sichern?");
    EXPECT_STREQ(TranslateText(IDS_KEY_INVALID), IDS_KEY_INVALID);
    SetTextTranslator(nullptr);
    EXPECT_EQ(FormatText(IDS_ASK_TO_SAVE, "Home.pwd"), "Save changes to Home.pwd?");
}

TEST_F(TranslationTest, TextsCoreJoinsItselfAreTranslated) {
    Table()[IDS_LINK_UNABLE] = "U: %1";
    Table()[IDS_LINK_FILE_NOT_FOUND] = "F";
    Table()[IDS_LINK_UNKNOWN] = "E(%d)";
    SetTextTranslator(&LookUp);
    EXPECT_EQ(LinkErrorMessage(2), "U: F");
    EXPECT_EQ(LinkErrorMessage(99), "U: E(99)");
}

TEST_F(TranslationTest, AFormatIsTranslatedOnlyWithTheSameConversions) {
    struct SCase {
        const char* pszTranslation;
        bool bUsed;
    };
    const SCase cases[] = {
        {"%d Gruppen", true},    {"Gruppen: %d", true},  {"%d %% Gruppen", true},
        {"%s Gruppen", false},   {"Gruppen", false},     {"%d %d Gruppen", false},
        {"%d Gruppen %", false}, {"%ld Gruppen", false}, {"%n Gruppen", false},
    };
    SetTextTranslator(&LookUp);
    for (const SCase& c : cases) {
        Table()[IDS_LINK_UNKNOWN] = c.pszTranslation;
        EXPECT_STREQ(TranslateFormat(IDS_LINK_UNKNOWN),
                     c.bUsed ? c.pszTranslation : IDS_LINK_UNKNOWN)
            << c.pszTranslation;
    }
}

TEST_F(TranslationTest, ACountTextTakesTheFormForItsNumber) {
    constexpr SCountText files = KH_COUNT("Keyhaven", "%n files in %1", "%n file in %1");
    struct SCase {
        long long nCount;
        const char* pszEnglish;
        const char* pszGerman;
    };
    const SCase cases[] = {
        {0, "0 files in %1", "0 Dateien in %1"},
        {1, "1 file in %1", "1 Datei in %1"},
        {2, "2 files in %1", "2 Dateien in %1"},
        {1234567, "1,234,567 files in %1", "1.234.567 Dateien in %1"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CountText(files, c.nCount), c.pszEnglish) << c.nCount;
    Table()["%n files in %1#one"] = "%n Datei in %1";
    Table()["%n files in %1#many"] = "%n Dateien in %1";
    SetTextTranslator(&LookUp);
    SetDigitGroupMark(".");
    for (const SCase& c : cases)
        EXPECT_EQ(CountText(files, c.nCount), c.pszGerman) << c.nCount;
    // The number goes in before the values: a name holding "%n" stays.
    EXPECT_EQ(FormatCountText(files, 3, "%n.pwd"), "3 Dateien in %n.pwd");
    // A language without a translation of the text falls back to English.
    EXPECT_EQ(CountText(KH_COUNT("Keyhaven", "%n rows", "%n row"), 1), "1 row");
}

TEST_F(TranslationTest, AWordIsLookedUpInItsOwnContext) {
    Table()["none"] = "keiner";
    Table()["Strength|none"] = "keine";
    SetTextTranslator(&LookUp);
    EXPECT_STREQ(TranslateText("none"), "keiner");
    EXPECT_STREQ(TranslateText(KH_TEXT_IN("Strength", "none")), "keine");
    EXPECT_STREQ(TranslateText(KH_TEXT_IN("Link", "none")), "none");
}

TEST_F(TranslationTest, NumbersTakeTheLanguagesGrouping) {
    struct SCase {
        long long nNumber;
        const char* pszEnglish;
        const char* pszFrench;
    };
    const SCase cases[] = {
        {0, "0", "0"},
        {999, "999", "999"},
        {1000, "1,000", "1\u202f000"},
        {-1234567, "-1,234,567", "-1\u202f234\u202f567"},
        {std::numeric_limits<long long>::min(), "-9,223,372,036,854,775,808",
         "-9\u202f223\u202f372\u202f036\u202f854\u202f775\u202f808"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(FormatCount(c.nNumber), c.pszEnglish) << c.nNumber;
    SetDigitGroupMark("\u202f");
    for (const SCase& c : cases)
        EXPECT_EQ(FormatCount(c.nNumber), c.pszFrench) << c.nNumber;
}

TEST_F(TranslationTest, FormatConversionsListsEachConversionAsWritten) {
    EXPECT_EQ(FormatConversions("%d of %s"), "ds");
    EXPECT_EQ(FormatConversions("%5u s, %-3.1f%%"), "5u-3.1f");
    EXPECT_EQ(FormatConversions("100%%"), "");
    EXPECT_EQ(FormatConversions("50%"), "?");
}
