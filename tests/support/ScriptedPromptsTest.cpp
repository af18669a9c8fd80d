// SPDX-License-Identifier: GPL-3.0-or-later
// The scripted prompts every test relies on: answers are played back in
// order, KEY dialogs run their own rules, and a missing answer is a loud
// failure rather than a hang or a guess.

#include "support/ScriptedPrompts.h"
#include "core/base/OptionsData.h"
#include "core/base/StringTable.h"
#include "core/store/FieldCipher.h"

#include <gtest/gtest.h>

namespace {

class ScriptedPromptsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_prompts.m_fnFail = [this](const std::string& strWhy) { m_vecFailures.push_back(strWhy); };
    }

    CScriptedPrompts m_prompts;
    std::vector<std::string> m_vecFailures;
};

} // namespace

TEST_F(ScriptedPromptsTest, PlainMessagesNeedNoAnswerAndAreRecorded) {
    EXPECT_EQ(m_prompts.MessageBox("Done.", EMsgIcon::information), EMsgAnswer::ok);
    EXPECT_EQ(m_prompts.MessageBox("Bad.", EMsgIcon::stop, EMsgButtons::ok, "Other"),
              EMsgAnswer::ok);
    ASSERT_EQ(m_prompts.Messages().size(), 2u);
    EXPECT_EQ(m_prompts.Messages()[0].m_strCaption, "Keyhaven");
    EXPECT_EQ(m_prompts.Messages()[1].m_eIcon, EMsgIcon::stop);
    EXPECT_EQ(m_prompts.Messages()[1].m_strCaption, "Other");
    EXPECT_TRUE(m_vecFailures.empty());
}

TEST_F(ScriptedPromptsTest, QuestionsTakeTheirAnswersInOrder) {
    m_prompts.AnswerMessage(EMsgAnswer::no);
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    EXPECT_EQ(m_prompts.MessageBox("Q1", EMsgIcon::question, EMsgButtons::yesNoCancel),
              EMsgAnswer::no);
    EXPECT_EQ(m_prompts.MessageBox("Q2", EMsgIcon::question, EMsgButtons::yesNo), EMsgAnswer::yes);
    EXPECT_EQ(m_prompts.Messages()[0].m_eAnswer, EMsgAnswer::no);
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    EXPECT_TRUE(m_vecFailures.empty());
}

TEST_F(ScriptedPromptsTest, AQuestionWithoutAnswerFailsAndIsCancelled) {
    EXPECT_EQ(m_prompts.MessageBox("Save?", EMsgIcon::question, EMsgButtons::yesNoCancel),
              EMsgAnswer::cancel);
    ASSERT_EQ(m_vecFailures.size(), 1u);
    EXPECT_NE(m_vecFailures[0].find("Save?"), std::string::npos);

    std::string strPath = "untouched";
    EXPECT_FALSE(m_prompts.PromptSaveFile({}, strPath));
    EXPECT_EQ(strPath, "untouched");
    std::string strValue;
    std::string strKey;
    EXPECT_FALSE(m_prompts.RunCreateKey(strValue, strKey));
    EXPECT_EQ(m_vecFailures.size(), 3u);
}

TEST_F(ScriptedPromptsTest, AnAnswerOfTheWrongKindFailsAndStaysQueued) {
    m_prompts.AnswerOpenFile("/x.pwd");
    EXPECT_EQ(m_prompts.MessageBox("Q", EMsgIcon::question, EMsgButtons::yesNo), EMsgAnswer::no);
    ASSERT_EQ(m_vecFailures.size(), 1u);
    EXPECT_NE(m_vecFailures[0].find("open file prompt"), std::string::npos);
    EXPECT_EQ(m_prompts.UnusedAnswers(), "open file prompt: \"/x.pwd\"\n");
}

TEST_F(ScriptedPromptsTest, AnAnswerTheBoxDoesNotOfferFails) {
    m_prompts.AnswerMessage(EMsgAnswer::cancel);
    EXPECT_EQ(m_prompts.MessageBox("Q", EMsgIcon::question, EMsgButtons::yesNo), EMsgAnswer::no);
    EXPECT_EQ(m_vecFailures.size(), 1u);
}

TEST_F(ScriptedPromptsTest, FilePromptsAndTheFolderChooserReturnTheirAnswers) {
    m_prompts.AnswerSaveFile("/a.pwd");
    m_prompts.CancelOpenFile();
    m_prompts.AnswerFolder("/backup");
    SFilePrompt prompt;
    prompt.m_strTitle = "Save As";
    std::string strPath;
    EXPECT_TRUE(m_prompts.PromptSaveFile(prompt, strPath));
    EXPECT_EQ(strPath, "/a.pwd");
    EXPECT_FALSE(m_prompts.PromptOpenFile(prompt, strPath));
    std::string strFolder;
    EXPECT_TRUE(m_prompts.ChooseFolder("Backup", "Pick one", "/old", strFolder));
    EXPECT_EQ(strFolder, "/backup");
    ASSERT_EQ(m_prompts.Calls().size(), 3u);
    EXPECT_EQ(m_prompts.Calls()[2].m_file.m_strInitialName, "/old");
    EXPECT_EQ(m_prompts.Calls()[2].m_file.m_strFilter, "Pick one");
    EXPECT_TRUE(m_vecFailures.empty());
}

TEST_F(ScriptedPromptsTest, CheckKeyStaysOpenThroughWrongKeys) {
    for (const char* pszKey : {"a", "b", "c", "right"})
        m_prompts.TypeCheckKey(pszKey);
    EXPECT_TRUE(m_prompts.RunCheckKey("KEY for:  x.pwd", MakeKeyCheckValue("right")));
    EXPECT_EQ(m_prompts.MessageTexts(), std::vector<std::string>(3, IDS_KEY_INVALID));
    EXPECT_EQ(m_prompts.Messages()[0].m_eIcon, EMsgIcon::exclamation);
    EXPECT_EQ(m_prompts.Calls()[0].m_strDetail, "KEY for:  x.pwd");
}

TEST_F(ScriptedPromptsTest, CheckKeyWithAnAcceptorHandsItEachTypedKeyInTheCodePage) {
    for (const char* pszKey : {"a", "caf\xC3\xA9"})
        m_prompts.TypeCheckKey(pszKey);
    std::vector<std::string> vecSeen;
    EXPECT_TRUE(m_prompts.RunCheckKeyWith("KEY for:  x.khv", [&](const std::string& strKey) {
        vecSeen.push_back(strKey);
        return strKey == "caf\xE9";
    }));
    EXPECT_EQ(vecSeen, (std::vector<std::string>{"a", "caf\xE9"}));
    EXPECT_EQ(m_prompts.MessageTexts(), std::vector<std::string>{IDS_KEY_INVALID});
}

TEST_F(ScriptedPromptsTest, AKeyDialogLeftOpenWithoutTypingFails) {
    m_prompts.TypeCheckKey("wrong");
    EXPECT_FALSE(m_prompts.RunCheckKey("KEY for:  x.pwd", MakeKeyCheckValue("right")));
    EXPECT_EQ(m_vecFailures.size(), 1u);
}

TEST_F(ScriptedPromptsTest, CreateAndChangeReturnNewCheckValuesOrLeaveThemOnCancel) {
    m_prompts.TypeCreateKey("n", "m");
    m_prompts.TypeCreateKey("n", "n");
    std::string strValue;
    std::string strKey;
    EXPECT_TRUE(m_prompts.RunCreateKey(strValue, strKey));
    EXPECT_EQ(strValue, MakeKeyCheckValue("n"));
    EXPECT_EQ(strKey, "n");

    m_prompts.TypeChangeKey("x", "y", "y");
    m_prompts.CancelChangeKey();
    EXPECT_FALSE(m_prompts.RunChangeKey(strValue, strKey));
    EXPECT_EQ(strValue, MakeKeyCheckValue("n"));
    m_prompts.TypeChangeKey("n", "y\xC3\xA9", "y\xC3\xA9");
    EXPECT_TRUE(m_prompts.RunChangeKey(strValue, strKey));
    EXPECT_EQ(strValue, MakeKeyCheckValue("y\xE9"));
    // The new KEY itself, in the code page, for sealing.
    EXPECT_EQ(strKey, "y\xE9");
    EXPECT_EQ(m_prompts.MessageTexts(),
              (std::vector<std::string>{IDS_KEYS_DO_NOT_MATCH, IDS_ORIGINAL_KEY_INVALID}));
    EXPECT_TRUE(m_vecFailures.empty());
}

TEST_F(ScriptedPromptsTest, PrintAndPropertyDialogsPlayTheirAnswers) {
    SFileProperties props;
    props.m_strFileName = "Work.pwd";
    m_prompts.AnswerFileProperty(true);
    m_prompts.CancelFileProperty();
    EXPECT_TRUE(m_prompts.RunFileProperty(props));
    EXPECT_TRUE(props.m_bReadOnly);
    props.m_bHidden = true;
    EXPECT_FALSE(m_prompts.RunFileProperty(props));
    // Cancel leaves the properties alone; the dialog saw them as filled.
    EXPECT_TRUE(props.m_bReadOnly);
    EXPECT_TRUE(m_prompts.ShownFileProperties().m_bHidden);
    EXPECT_EQ(m_prompts.Calls().back().m_eKind, EPromptKind::fileProperty);
    EXPECT_EQ(m_prompts.Calls().back().m_strDetail, "Work.pwd");
    // A dialog without an answer is a failure, and cancelled.
    EXPECT_TRUE(m_vecFailures.empty());
    props.m_bReadOnly = false;
    EXPECT_FALSE(m_prompts.RunFileProperty(props));
    EXPECT_FALSE(props.m_bReadOnly);
    ASSERT_EQ(m_vecFailures.size(), 1u);
    EXPECT_NE(m_vecFailures[0].find("File Property dialog"), std::string::npos);
}

TEST(ScriptedPromptsDefault, AnUnansweredQuestionAbortsTheTest) {
    EXPECT_DEATH(
        {
            CScriptedPrompts prompts;
            prompts.MessageBox("Really?", EMsgIcon::question, EMsgButtons::yesNo);
        },
        "Unscripted prompt: message box \"Really\\?\"");
}

TEST_F(ScriptedPromptsTest, OptionsDialogPlaysTheUserAndRecordsThePage) {
    m_prompts.AnswerOptions([](SOptionsData& data) { data.m_nExit2Min = 2; });
    m_prompts.AnswerOptions([](SOptionsData& data) { data.m_nExit2Min = 1; }, false);
    SOptionsData data;
    data.m_nStartPage = OPTIONS_PAGE_GENERATOR;
    EXPECT_TRUE(m_prompts.RunOptions(data));
    EXPECT_EQ(data.m_nExit2Min, 2);
    EXPECT_EQ(m_prompts.OptionsStartPage(), OPTIONS_PAGE_GENERATOR);
    EXPECT_FALSE(m_prompts.RunOptions(data));
    EXPECT_EQ(data.m_nExit2Min, 1);
    EXPECT_TRUE(m_vecFailures.empty());
    // A dialog nobody scripted is a failure and counts as cancelled.
    EXPECT_FALSE(m_prompts.RunOptions(data));
    EXPECT_EQ(m_vecFailures.size(), 1u);
}
