// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"
#include "core/store/FileIO.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class CliTerminal : public ::testing::Test {
protected:
    CTempFolder m_folder;
};

} // namespace

TEST_F(CliTerminal, CreateAsksTwiceWithoutEchoAndTheKeyOpensTheFile) {
    const std::string strPath = m_folder.File("Typed.pwd");
    std::string strEcho;
    SCliResult result =
        RunCliOnTerminal({"create", strPath}, {"s\xC3\xA9same", "s\xC3\xA9same"}, strEcho);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "New KEY for:  Typed.pwd\n\nConfirm KEY for:  Typed.pwd\n\n");
    EXPECT_EQ(strEcho.find("same"), std::string::npos) << strEcho;

    // The typed UTF-8 KEY was turned into the code page, as a pipe's is.
    EXPECT_EQ(RunCli({"ls", strPath}, "s\xC3\xA9same\n").nExit, 0);
    std::string strEchoList;
    result = RunCliOnTerminal({"ls", strPath}, {"s\xC3\xA9same"}, strEchoList);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "KEY for:  Typed.pwd\n\n");
    EXPECT_EQ(result.strOut, "Typed\n  My Passwords\n");
    EXPECT_EQ(strEchoList.find("same"), std::string::npos) << strEchoList;
}

TEST_F(CliTerminal, DifferentNewKeysAreRefused) {
    const std::string strPath = m_folder.File("Differ.pwd");
    std::string strEcho;
    SCliResult result = RunCliOnTerminal({"create", strPath}, {"one", "two"}, strEcho);
    EXPECT_EQ(result.nExit, 1);
    EXPECT_NE(result.strErr.find("New KEYs do not mach!\nPlease enter again!\n"), std::string::npos)
        << result.strErr;
    EXPECT_FALSE(FileExists(strPath));

    result = RunCliOnTerminal({"create", strPath}, {"", ""}, strEcho);
    EXPECT_EQ(result.nExit, 1);
    EXPECT_NE(result.strErr.find("Your KEY is invalid!"), std::string::npos);

    WriteCoreFile(strPath, "old", {GroupRecord("G")});
    const std::string strBefore = ReadBytes(strPath);
    result = RunCliOnTerminal({"passwd", strPath}, {"old", "new", "New"}, strEcho);
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr.substr(0, 20), "KEY for:  Differ.pwd");
    EXPECT_EQ(ReadBytes(strPath), strBefore);

    result = RunCliOnTerminal({"passwd", strPath}, {"old", "new", "new"}, strEcho);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_NE(result.strErr.find("KEY is changed!"), std::string::npos);
    EXPECT_EQ(RunCli({"ls", strPath}, "new\n").nExit, 0);

    // convert into the other format asks the new KEY of OUT twice as well.
    result = RunCliOnTerminal({"convert", strPath, m_folder.File("Differ.khv")},
                              {"new", "sealed", "sealed"}, strEcho);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(result.strErr, "KEY for:  Differ.pwd\n\nNew KEY for:  Differ.khv\n\n"
                             "Confirm KEY for:  Differ.khv\n\n");
    EXPECT_EQ(RunCli({"ls", m_folder.File("Differ.khv")}, "sealed\n").nExit, 0);
}

TEST_F(CliTerminal, PasswdStopsWhenTheFileChangedWhileTheNewKeyWasTyped) {
    const std::string strPath = m_folder.File("Moved.pwd");
    const std::string strOther = m_folder.File("Other.pwd");
    WriteCoreFile(strPath, "old", {GroupRecord("Mine")});
    WriteCoreFile(strOther, "theirs", {GroupRecord("Theirs")});
    const std::string strTheirs = ReadBytes(strOther);
    // Another program renames its own file into place (a new identity), or
    // removes the file, between the original KEY and the new one.
    for (const bool bRemove : {false, true}) {
        WriteCoreFile(strPath, "old", {GroupRecord("Mine")});
        std::string strEcho;
        const SCliResult result = RunCliOnTerminal(
            {"passwd", strPath}, {"old", "new", "new"}, strEcho, [&](std::size_t nAnswer) {
                if (nAnswer != 1)
                    return;
                if (bRemove) {
                    std::remove(strPath.c_str());
                    return;
                }
                WriteBytes(strOther, strTheirs);
                std::rename(strOther.c_str(), strPath.c_str());
            });
        EXPECT_EQ(result.nExit, 4) << result.strErr;
        EXPECT_NE(result.strErr.find("changed by another program"), std::string::npos)
            << result.strErr;
        EXPECT_EQ(FileExists(strPath), !bRemove);
        EXPECT_EQ(ReadBytes(strPath), bRemove ? "" : strTheirs);
    }
}

TEST_F(CliTerminal, EchoStaysOffAfterTheKeyPromptWasStoppedAndContinued) {
    const std::string strPath = m_folder.File("Stopped.pwd");
    WriteCoreFile(strPath, "hush", {GroupRecord("G")});
    std::string strEcho;
    bool bEchoWhileStopped = false;
    const SCliResult result =
        RunCliStoppedAtPrompt({"ls", strPath}, "hush", strEcho, bEchoWhileStopped);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    // The shell gets its echo back while the job is stopped, and the KEY
    // typed after fg is not shown.
    EXPECT_TRUE(bEchoWhileStopped);
    EXPECT_EQ(strEcho.find("hush"), std::string::npos) << strEcho;
}
