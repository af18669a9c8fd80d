// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/LinkCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Args = std::vector<std::string>;

TEST(CutAtArgumentMark, QuotedArgumentMarkKeepsEverythingBeforeItsQuote) {
    const std::string strCommand = "\"/opt/Web Browser/browser\" -nohome \"%1\" -extra";
    EXPECT_EQ(CutAtArgumentMark(strCommand), "\"/opt/Web Browser/browser\" -nohome ");
    EXPECT_EQ(BrowserCommandLine(strCommand, "http://example.com/"),
              "\"/opt/Web Browser/browser\" -nohome  http://example.com/");
}

TEST(CutAtArgumentMark, WithoutArgumentMarkTheTargetIsAppended) {
    EXPECT_EQ(CutAtArgumentMark("browser -new-tab"), "browser -new-tab");
    EXPECT_EQ(BrowserCommandLine("browser -new-tab", "www.example.com"),
              "browser -new-tab www.example.com");
    EXPECT_EQ(BrowserCommandLine("", "x"), " x");
}

TEST(CutAtArgumentMark, BareArgumentMarkWhenNoneIsQuoted) {
    EXPECT_EQ(CutAtArgumentMark("browser %1 -x"), "browser ");
    EXPECT_EQ(CutAtArgumentMark("browser -x%1"), "browser -x");
    EXPECT_EQ(CutAtArgumentMark("%1"), "");
}

TEST(CutAtArgumentMark, AQuotedArgumentMarkWinsOverAnEarlierBareOne) {
    EXPECT_EQ(CutAtArgumentMark("browser %1 \"%1\" tail"), "browser %1 ");
}

TEST(CutAtArgumentMark, EveryArgumentMarkOfTheDesktopAndBrowserConventions) {
    for (const char* pszCode : {"%1", "%s", "%u", "%U", "%f", "%F"}) {
        SCOPED_TRACE(pszCode);
        EXPECT_EQ(CutAtArgumentMark(std::string("web --a ") + pszCode + " --b"), "web --a ");
        EXPECT_EQ(CutAtArgumentMark(std::string("web --a \"") + pszCode + "\" --b"), "web --a ");
        EXPECT_EQ(CutAtArgumentMark(std::string("web --a '") + pszCode + "' --b"), "web --a ");
    }
}

TEST(CutAtArgumentMark, OtherPercentSequencesAreNotArgumentMarks) {
    // %i is the icon field code, %% an escaped percent sign, a lone % text.
    EXPECT_EQ(CutAtArgumentMark("web %i --x %u"), "web %i --x ");
    EXPECT_EQ(CutAtArgumentMark("web --fmt=%%s %s"), "web --fmt=%%s ");
    EXPECT_EQ(CutAtArgumentMark("web 100%"), "web 100%");
    EXPECT_EQ(CutAtArgumentMark("web \"%u' x"), "web \"");
    EXPECT_EQ(CutAtArgumentMark("web \"%x\""), "web \"%x\"");
}

TEST(SplitCommandLine, BlanksTabsAndQuotes) {
    EXPECT_EQ(SplitCommandLine("  a\tb   c  "), (Args{"a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("\"/opt/My Browser/b\" -x"), (Args{"/opt/My Browser/b", "-x"}));
    EXPECT_EQ(SplitCommandLine("'single \"quoted\"' next"), (Args{"single \"quoted\"", "next"}));
    EXPECT_EQ(SplitCommandLine("pre\"fix mid\"post"), (Args{"prefix midpost"}));
    EXPECT_EQ(SplitCommandLine("a \"\" b"), (Args{"a", "", "b"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});
}

TEST(SplitCommandLine, Escapes) {
    EXPECT_EQ(SplitCommandLine("a\\ b"), (Args{"a b"}));
    EXPECT_EQ(SplitCommandLine("\"q\\\"uote \\\\ \\$HOME \\x\""), (Args{"q\"uote \\ $HOME \\x"}));
    EXPECT_EQ(SplitCommandLine("'no \\escape'"), (Args{"no \\escape"}));
}

TEST(SplitCommandLine, PercentSignsAndFieldCodes) {
    EXPECT_EQ(SplitCommandLine("web --rate=50%% %i %c %k x"), (Args{"web", "--rate=50%", "x"}));
    EXPECT_EQ(SplitCommandLine("web %%i"), (Args{"web", "%i"}));
    EXPECT_EQ(SplitCommandLine("web --icon=%i"), (Args{"web", "--icon=%i"}));
}

TEST(SplitCommandLine, UnbalancedQuotesGiveNothing) {
    EXPECT_FALSE(SplitCommandLine("\"/opt/b -x").has_value());
    EXPECT_FALSE(SplitCommandLine("b 'x").has_value());
}

TEST(BrowserArguments, TheTargetIsOneArgumentWhateverItHolds) {
    const std::string strTarget = "http://x/?a=1 \"--evil\" 'b'";
    EXPECT_EQ(BrowserArguments("web %u", strTarget), (Args{"web", strTarget}));
    EXPECT_EQ(BrowserArguments("web", "$(rm -rf ~)"), (Args{"web", "$(rm -rf ~)"}));
}

TEST(BrowserArguments, DesktopEntryAndWindowsStyleLines) {
    EXPECT_EQ(BrowserArguments("firefox-esr %u", "www.example.com"),
              (Args{"firefox-esr", "www.example.com"}));
    EXPECT_EQ(BrowserArguments("/usr/bin/chromium --new-window %U --incognito", "a"),
              (Args{"/usr/bin/chromium", "--new-window", "a"}));
    EXPECT_EQ(BrowserArguments("\"/opt/My Browser/b\" -nohome \"%1\" -extra", "t"),
              (Args{"/opt/My Browser/b", "-nohome", "t"}));
    EXPECT_EQ(BrowserArguments("env GDK_BACKEND=x11 web %i %u", "t"),
              (Args{"env", "GDK_BACKEND=x11", "web", "t"}));
}

TEST(BrowserArguments, NoProgramNoArguments) {
    EXPECT_TRUE(BrowserArguments("%u", "t").empty());
    EXPECT_TRUE(BrowserArguments("   ", "t").empty());
    EXPECT_TRUE(BrowserArguments("\"\" %u", "t").empty());
    EXPECT_TRUE(BrowserArguments("\"/opt/b %u", "t").empty());
}

TEST(SplitBrowserVariable, ColonSeparatedCommandsInOrder) {
    EXPECT_EQ(SplitBrowserVariable("first %s:second:third --x"),
              (Args{"first %s", "second", "third --x"}));
    EXPECT_EQ(SplitBrowserVariable("::only::"), (Args{"only"}));
    EXPECT_EQ(SplitBrowserVariable(" : \t"), Args{});
    EXPECT_EQ(SplitBrowserVariable(""), Args{});
}

TEST(LinkError, EveryCodeOfTheTable) {
    const std::vector<std::pair<int, std::string>> vTable{
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE "
             "transactions\nwere being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    for (const auto& [nCode, strText] : vTable) {
        SCOPED_TRACE(nCode);
        EXPECT_EQ(LinkErrorText(nCode), strText);
        EXPECT_EQ(LinkErrorMessage(nCode), "Unable to open hyperlink:\n\n" + strText);
    }
}

TEST(LinkError, CodesOutsideTheTableAreUnknown) {
    EXPECT_EQ(LinkErrorMessage(4), "Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(LinkErrorText(1), "Unknown Error (1) occurred.");
    EXPECT_EQ(LinkErrorText(-7), "Unknown Error (-7) occurred.");
    EXPECT_EQ(LinkErrorText(2147483647), "Unknown Error (2147483647) occurred.");
}

TEST(LinkError, ResultCodesOfTheLauncher) {
    EXPECT_GT(LINK_OPENED, LINK_FAILURE_MAX);
    EXPECT_LE(LINK_ERR_NOASSOC, LINK_FAILURE_MAX);
    EXPECT_EQ(LinkErrorText(LINK_ERR_NOASSOC), LinkErrorText(31));
    EXPECT_EQ(LinkErrorText(LINK_ERR_FILE_NOT_FOUND), "The specified file was not found.");
}
