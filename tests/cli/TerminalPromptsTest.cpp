// SPDX-License-Identifier: GPL-3.0-or-later
// The terminal answers the file session: one KEY read per check, failures
// end the command with the step's exit status, questions are declined.

#include "cli/TerminalPrompts.h"
#include "cli/CliFailure.h"
#include "core/store/MasterKey.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct STerminal {
    std::vector<std::string> vecPrompts;
    std::vector<std::string> vecInformed;
    std::vector<std::string> vecTyped;
    CTerminalPrompts prompts{
        [this](const std::string& strPrompt) {
            vecPrompts.push_back(strPrompt);
            std::string strKey = vecTyped.front();
            vecTyped.erase(vecTyped.begin());
            return strKey;
        },
        [this](const std::string& strText) { vecInformed.push_back(strText); }};
};

// The failure a call ends with; exit -1 when it returned.
CCliFailure FailureOf(const std::function<void()>& fnCall) {
    try {
        fnCall();
    } catch (const CCliFailure& failure) {
        return failure;
    }
    return CCliFailure(-1, "");
}

} // namespace

TEST(TerminalPrompts, QuestionsAreDeclinedInformationIsShownFailuresEndTheStep) {
    STerminal terminal;
    const struct {
        EMsgButtons eButtons;
        EMsgAnswer eAnswer;
    } QUESTIONS[] = {{EMsgButtons::yesNo, EMsgAnswer::no},
                     {EMsgButtons::yesNoDefaultNo, EMsgAnswer::no},
                     {EMsgButtons::yesNoCancel, EMsgAnswer::cancel},
                     {EMsgButtons::okCancel, EMsgAnswer::cancel}};
    for (const auto& question : QUESTIONS)
        EXPECT_EQ(terminal.prompts.MessageBox("Replace?", EMsgIcon::question, question.eButtons),
                  question.eAnswer);
    EXPECT_EQ(terminal.prompts.MessageBox("KEY is changed!", EMsgIcon::information),
              EMsgAnswer::ok);
    EXPECT_EQ(terminal.vecInformed, std::vector<std::string>{"KEY is changed!"});

    for (const int nExit : {CLI_EXIT_READ, CLI_EXIT_WRITE}) {
        terminal.prompts.SetFailureExit(nExit);
        const CCliFailure failure =
            FailureOf([&] { terminal.prompts.MessageBox("Disk full.", EMsgIcon::exclamation); });
        EXPECT_EQ(failure.m_nExit, nExit);
        EXPECT_EQ(failure.m_strMessage, "Disk full.");
    }
    // A message the command gave its own ending ends it so, whatever the step.
    terminal.prompts.SetFailureFor("Same KEY.", CLI_EXIT_KEY, "keyhaven-cli: Same KEY.");
    const CCliFailure own =
        FailureOf([&] { terminal.prompts.MessageBox("Same KEY.", EMsgIcon::exclamation); });
    EXPECT_EQ(own.m_nExit, CLI_EXIT_KEY);
    EXPECT_EQ(own.m_strMessage, "keyhaven-cli: Same KEY.");

    // A save is answered only with the name the command was given.
    std::string strPath;
    EXPECT_FALSE(terminal.prompts.PromptSaveFile(SFilePrompt(), strPath));
    terminal.prompts.SetSaveAnswer("/tmp/Out.khv");
    EXPECT_TRUE(terminal.prompts.PromptSaveFile(SFilePrompt(), strPath));
    EXPECT_EQ(strPath, "/tmp/Out.khv");
}

TEST(TerminalPrompts, OneKeyIsReadAndJudged) {
    CMasterKey stored;
    stored.Set("right");
    const struct {
        const char* pszTyped;
        SKeyVerdict verdict;
        int nExit; // -1: accepted
        const char* pszMessage;
    } CASES[] = {
        {"right", true, -1, ""},
        {"wrong", false, CLI_EXIT_KEY, "Original KEY is invalid."},
        {"any", SKeyVerdict::NotJudged("No memory for Heavy.khv."), CLI_EXIT_READ,
         "No memory for Heavy.khv."},
    };
    for (const auto& test : CASES) {
        SCOPED_TRACE(test.pszTyped);
        STerminal terminal;
        terminal.prompts.SetWrongKeyMessage("Original KEY is invalid.");
        terminal.vecTyped = {test.pszTyped, "right"};
        std::string strJudged;
        const CCliFailure failure = FailureOf([&] {
            EXPECT_TRUE(
                terminal.prompts.RunCheckKeyWith("KEY for:  A.pwd", [&](const std::string& strKey) {
                    strJudged = strKey;
                    return test.verdict;
                }));
        });
        EXPECT_EQ(failure.m_nExit, test.nExit);
        EXPECT_EQ(failure.m_strMessage, test.pszMessage);
        EXPECT_EQ(strJudged, test.pszTyped);
        EXPECT_EQ(terminal.vecPrompts, std::vector<std::string>{"KEY for:  A.pwd"});
        // The plain check compares check values.
        terminal.vecTyped = {test.pszTyped};
        const bool bRight = test.nExit == -1;
        EXPECT_EQ(
            FailureOf([&] { terminal.prompts.RunCheckKey("KEY", stored.CheckValue()); }).m_nExit,
            bRight ? -1 : CLI_EXIT_KEY);
    }
}

TEST(TerminalPrompts, ANewKeyComesOnlyFromItsReader) {
    STerminal terminal;
    std::string strKeyValue;
    std::string strKey;
    EXPECT_FALSE(terminal.prompts.RunChangeKey(strKeyValue, strKey));
    terminal.prompts.SetNewKeyReading([] { return std::string("fresh"); });
    ASSERT_TRUE(terminal.prompts.RunChangeKey(strKeyValue, strKey));
    CMasterKey fresh;
    fresh.Set("fresh");
    EXPECT_EQ(strKey, "fresh");
    EXPECT_EQ(strKeyValue, fresh.CheckValue());
}
