// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TextUtil.h"
#include "core/store/FileIO.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatText, FillsEachMarkOnceFromTheTemplate) {
    EXPECT_EQ(FormatText("Save changes to %1?", "Work.pwd"), "Save changes to Work.pwd?");
    EXPECT_EQ(FormatText("no mark", "x"), "no mark");
    // Marks in any order; only the first of each is filled.
    EXPECT_EQ(FormatText("%2 then %1 and %1", "one", "two"), "two then one and %1");
    // A value that holds a mark is inserted as it is.
    EXPECT_EQ(FormatText("%1 (code %2)", "%2.pwd", "0041"), "%2.pwd (code 0041)");
}

TEST(AsciiText, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(EqualsNoCaseAscii("Window Size", "window size"));
    EXPECT_FALSE(EqualsNoCaseAscii("Window", "Windows"));
    // Bytes above 127 are not letters here: code-page case is another rule.
    EXPECT_FALSE(EqualsNoCaseAscii("\xC9", "\xE9"));
    EXPECT_TRUE(EndsWithNoCaseAscii("/home/a/WORK.PWD", ".pwd"));
    EXPECT_FALSE(EndsWithNoCaseAscii("pwd", ".pwd"));
}

TEST(FileLabel, DropsThePasswordFileExtensionInAnyCase) {
    EXPECT_EQ(FileLabel("Work.pwd"), "Work");
    EXPECT_EQ(FileLabel("Home.PWD"), "Home");
    EXPECT_EQ(FileLabel(".pwd"), "");
    // Names without the extension stay whole.
    EXPECT_EQ(FileLabel("notes.txt"), "notes.txt");
    EXPECT_EQ(FileLabel("pwd"), "pwd");
    EXPECT_TRUE(HasPwdExtension("/a/b.Pwd"));
    EXPECT_FALSE(HasPwdExtension("/a/b.pwdx"));
}

TEST(CommentsLineEnds, StoredPairsShowAsBreaksAndComeBackAsPairs) {
    EXPECT_EQ(CommentsForDisplay("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(CommentsForStore("a\nb\n"), "a\r\nb\r\n");
    // A lone "\n" coming in becomes a pair; a pair stays one pair.
    EXPECT_EQ(CommentsForStore("\na\r\nb"), "\r\na\r\nb");
    // A lone "\r" is no line break of ours: it is left alone both ways.
    EXPECT_EQ(CommentsForDisplay("a\rb\r"), "a\rb\r");
    EXPECT_EQ(CommentsForStore("a\rb\r"), "a\rb\r");
    // "\r\r\n" shows the lone "\r" before one break.
    EXPECT_EQ(CommentsForDisplay("x\r\r\ny"), "x\r\ny");
}

TEST(FileLabel, TheProtectedExtensionIsADocumentExtensionToo) {
    EXPECT_EQ(FileLabel("Work.khv"), "Work");
    EXPECT_EQ(FileLabel("Work.KHV"), "Work");
    EXPECT_EQ(FileLabel("Work.khv.pwd"), "Work.khv");
    EXPECT_TRUE(HasDocumentExtension("/a/b.Khv"));
    EXPECT_TRUE(HasDocumentExtension("/a/b.pwd"));
    EXPECT_FALSE(HasDocumentExtension("/a/b.khv.bak"));
    // Only the classic format gives its contents away without the KEY.
    EXPECT_TRUE(IsReadableWithoutKey("/a/Work.PWD"));
    EXPECT_FALSE(IsReadableWithoutKey("/a/Work.khv"));
    EXPECT_FALSE(IsReadableWithoutKey("/a/notes.txt"));
}

} // namespace
