// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/Translation.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/link/LinkCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A translation of a few texts, as the program's would be.
std::map<std::string, std::string>& Table() {
    static std::map<std::string, std::string> table;
    return table;
}

const char* LookUp(const char* pszSource) {
    const auto it = Table().find(pszSource);
    return it == Table().end() ? pszSource : it->second.c_str();
}

class TranslationTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetTextTranslator(nullptr);
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
    Table()[IDS_LINK_UNABLE] = "U: ";
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
        Table()[IDS_GROUPS_FORMAT] = c.pszTranslation;
        EXPECT_STREQ(TranslateFormat(IDS_GROUPS_FORMAT),
                     c.bUsed ? c.pszTranslation : IDS_GROUPS_FORMAT)
            << c.pszTranslation;
    }
}

TEST_F(TranslationTest, FormatConversionsListsEachConversionAsWritten) {
    EXPECT_EQ(FormatConversions("%d of %s"), "ds");
    EXPECT_EQ(FormatConversions("%5u s, %-3.1f%%"), "5u-3.1f");
    EXPECT_EQ(FormatConversions("100%%"), "");
    EXPECT_EQ(FormatConversions("50%"), "?");
}
