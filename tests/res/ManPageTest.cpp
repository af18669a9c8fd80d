// SPDX-License-Identifier: GPL-3.0-or-later
// Manual pages written from a program's --help: the usage becomes the
// SYNOPSIS, the table of commands a list of terms, wrapped text is filled
// again while tables keep their lines, and nothing is said twice.

#include "tools/ManPage.h"

#include <gtest/gtest.h>

namespace {

// A help in the shape of keyhaven-cli's.
constexpr const char* TOOL_HELP = R"(tool - keep things (.a, .b)

Both kinds of file are read:
  .a    the plain kind of file, which anyone who finds a copy of it on a disk
        can read
  .b    the sealed kind

Usage:
  tool list FILE
  tool put FILE NAME [--force] [--mode fast|slow]
               [-o OUT]
  tool --help | --version

Commands:
  list FILE      Print every name in FILE, one a line, in the order in which
                 they were stored, then the count.
                 Nothing else is printed.
  put FILE NAME [--force] [--mode fast|slow] [-o OUT]
                 Store NAME.
                 --mode M   how:
                              fast  at once
                              slow  with care
  rename OLD NEW Give the name NEW to the thing called OLD, keeping its place
                 and its "KEY for:  x" prompt.
  seek FILE WORD [--case]
                 Print what holds WORD.
  --help, -h     Show this text.

Options take their value as the next word:
  tool put a.a x --mode slow

Exit status (all commands):
  0  done
  1  the file could not be read, or it was written by a newer version of
     the tool
)";

std::string Section(const std::string& strRoff, const std::string& strTitle) {
    const std::size_t nStart = strRoff.find(".SH " + strTitle + "\n");
    if (nStart == std::string::npos)
        return "";
    const std::size_t nEnd = strRoff.find("\n.SH ", nStart + 1);
    return strRoff.substr(nStart,
                          nEnd == std::string::npos ? std::string::npos : nEnd + 1 - nStart);
}

std::string ToolPage() {
    CManPage page("tool", "May 2026");
    page.SetHelp(TOOL_HELP);
    page.SetVersion("tool 1.2.3\nCopyright (C) 2026 Someone\nNO WARRANTY.\n");
    page.SetExtraSections(
        "[SEE ALSO]\n.BR other (1)\n\n[DESCRIPTION]\nTool keeps things.\n\n[FILES]\n.I ~/.tool\n");
    return page.Roff();
}

} // namespace

TEST(ManPage, TheUsageIsTheSynopsisAndEachCommandATerm) {
    const std::string strRoff = ToolPage();
    EXPECT_NE(strRoff.find(".TH TOOL 1 \"May 2026\" \"tool 1.2.3\" \"User Commands\"\n"),
              std::string::npos);
    EXPECT_EQ(Section(strRoff, "NAME"), ".SH NAME\ntool \\- keep things (.a, .b)\n");
    // A usage line continued below is one line; commands and options are
    // typed as shown (bold), FILE and NAME are replaced (italics).
    EXPECT_EQ(Section(strRoff, "SYNOPSIS"),
              ".SH SYNOPSIS\n.ad l\n"
              "\\fBtool\\fR \\fBlist\\fR \\fIFILE\\fR\n.br\n"
              "\\fBtool\\fR \\fBput\\fR \\fIFILE\\fR \\fINAME\\fR [\\fB\\-\\-force\\fR] "
              "[\\fB\\-\\-mode\\fR \\fBfast\\fR|\\fBslow\\fR] [\\fB\\-o\\fR \\fIOUT\\fR]\n.br\n"
              "\\fBtool\\fR \\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR\n.ad b\n");
    const std::string strCommands = Section(strRoff, "COMMANDS");
    // A term with its text beside it, one whose text starts below it, and
    // an option: each its own entry.
    EXPECT_NE(strCommands.find(".TP\n\\fBlist\\fR \\fIFILE\\fR\nPrint every name"),
              std::string::npos);
    EXPECT_NE(strCommands.find(".TP\n\\fBput\\fR \\fIFILE\\fR \\fINAME\\fR [\\fB\\-\\-force\\fR]"),
              std::string::npos);
    EXPECT_NE(strCommands.find("\nStore NAME.\n"), std::string::npos);
    EXPECT_NE(strCommands.find(".TP\n\\fB\\-\\-help\\fR, \\fB\\-h\\fR\nShow this text.\n"),
              std::string::npos);
    // A term as wide as its column, one blank before its text; a usage that
    // only seems to reach the text's column; blanks inside quotes.
    EXPECT_NE(strCommands.find(".TP\n\\fBrename\\fR \\fIOLD\\fR \\fINEW\\fR\nGive the name NEW to "
                               "the thing called OLD, keeping its place\nand its \"KEY for:  x\" "
                               "prompt.\n"),
              std::string::npos)
        << strCommands;
    EXPECT_NE(strCommands.find(".TP\n\\fBseek\\fR \\fIFILE\\fR \\fIWORD\\fR [\\fB\\-\\-case\\fR]\n"
                               "Print what holds WORD.\n"),
              std::string::npos)
        << strCommands;
    EXPECT_EQ(strCommands.find(".TP\n\\fB\\-\\-mode"), std::string::npos) << strCommands;
}

TEST(ManPage, WrappedTextFlowsAndTablesKeepTheirLines) {
    const std::string strCommands = Section(ToolPage(), "COMMANDS");
    // Wrapped by the help's width: one flowing paragraph; a line its author
    // ended keeps its end.
    EXPECT_NE(
        strCommands.find("Print every name in FILE, one a line, in the order in which\n"
                         "they were stored, then the count.\n.br\nNothing else is printed.\n"),
        std::string::npos)
        << strCommands;
    // A table inside an explanation keeps its columns, relative to the text.
    EXPECT_NE(strCommands.find(".nf\n\\-\\-mode M   how:\n"
                               "             fast  at once\n"
                               "             slow  with care\n.fi\n"),
              std::string::npos)
        << strCommands;
    // A paragraph of the help after the table, with its example set in.
    EXPECT_NE(strCommands.find(".PP\nOptions take their value as the next word:\n.RS\n.PP\n"
                               "tool put a.a x \\-\\-mode slow\n.RE\n"),
              std::string::npos)
        << strCommands;
    const std::string strExit = Section(ToolPage(), "\"EXIT STATUS\"");
    EXPECT_EQ(strExit, ".SH \"EXIT STATUS\"\n.PP\nExit status (all commands):\n"
                       ".TP\n\\fB0\\fR\ndone\n"
                       ".TP\n\\fB1\\fR\nthe file could not be read, or it was written by a "
                       "newer version of\nthe tool\n");
}

TEST(ManPage, SectionsComeInTheManualsOrderAndNothingTwice) {
    const std::string strRoff = ToolPage();
    // The description: the hand-written text first, then the help's own
    // paragraphs before the usage.
    EXPECT_EQ(Section(strRoff, "DESCRIPTION"),
              ".SH DESCRIPTION\nTool keeps things.\n.PP\nBoth kinds of file are read:\n.RS\n"
              ".TP\n\\fB.a\\fR\nthe plain kind of file, which anyone who finds a copy of it on a "
              "disk\ncan read\n"
              ".TP\n\\fB.b\\fR\nthe sealed kind\n.RE\n");
    std::vector<std::size_t> vPlaces;
    for (const char* pszTitle : {"NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "\"EXIT STATUS\"",
                                 "FILES", "COPYRIGHT", "\"SEE ALSO\""})
        vPlaces.push_back(strRoff.find(std::string(".SH ") + pszTitle + "\n"));
    for (std::size_t i = 0; i < vPlaces.size(); ++i) {
        ASSERT_NE(vPlaces[i], std::string::npos) << i;
        EXPECT_GT(vPlaces[i], i > 0 ? vPlaces[i - 1] : 0) << i;
    }
    EXPECT_EQ(Section(strRoff, "COPYRIGHT"),
              ".SH COPYRIGHT\nCopyright (C) 2026 Someone\n.br\nNO WARRANTY.\n");

    // A help that starts with its usage and a summary: the summary is the
    // name line only, and the options are a section of their own.
    CManPage page("app", "May 2026");
    page.SetHelp("Usage: app [-w] [FILE]\nA thing for the desktop.\n\n"
                 "  FILE  the file to open\n  -w    start hidden\n");
    page.SetVersion("App 1.0\n");
    page.SetExtraSections("[DESCRIPTION]\nApp shows things.\n");
    const std::string strApp = page.Roff();
    EXPECT_EQ(Section(strApp, "NAME"), ".SH NAME\napp \\- a thing for the desktop\n");
    EXPECT_EQ(Section(strApp, "SYNOPSIS"),
              ".SH SYNOPSIS\n.ad l\n\\fBapp\\fR [\\fB\\-w\\fR] [\\fIFILE\\fR]\n.ad b\n");
    EXPECT_EQ(strApp.find("thing for the desktop", strApp.find(".SH SYNOPSIS")), std::string::npos)
        << strApp;
    EXPECT_EQ(
        Section(strApp, "OPTIONS"),
        ".SH OPTIONS\n.TP\n\\fIFILE\\fR\nthe file to open\n.TP\n\\fB\\-w\\fR\nstart hidden\n");
    EXPECT_EQ(Section(strApp, "COPYRIGHT"), "");
}

TEST(ManPage, RoffsOwnCharactersAreEscaped) {
    CManPage page("tool", "May 2026");
    page.SetHelp("tool - do it\n\nUsage:\n  tool run\n\nNotes:\n"
                 "  .hidden files are skipped; a back\\slash stays; caf\xC3\xA9 and "
                 "\xE2\x80\x9Cquotes\xE2\x80\x9D\n");
    const std::string strNotes = Section(page.Roff(), "NOTES");
    EXPECT_EQ(strNotes, ".SH NOTES\n.PP\n\\&.hidden files are skipped; a back\\eslash stays; "
                        "caf\\[u00E9] and \\[u201C]quotes\\[u201D]\n");
}
