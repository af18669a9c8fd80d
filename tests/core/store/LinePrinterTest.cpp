// SPDX-License-Identifier: GPL-3.0-or-later
// The line printer's page layout over a recording printer: line height and
// margins from the resolution, page breaks at the bottom margin, the job's
// calls in order.

#include "core/store/LinePrinter.h"
#include "RecordingPrintDevice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A letter page at 600 dpi: 8.5 x 11 inches less a quarter inch all round.
constexpr int PAGE_WIDTH_600 = 4800;
constexpr int PAGE_HEIGHT_600 = 6300;

std::string Lines(int nCount) {
    std::string strText;
    for (int i = 0; i < nCount; ++i)
        strText += "line " + std::to_string(i) + "\n";
    return strText;
}

} // namespace

TEST(LinePrinter, LineHeightScalesWithResolution) {
    EXPECT_EQ(CLinePrinter::ScaledLineHeight(600), 68);
    EXPECT_EQ(CLinePrinter::ScaledLineHeight(1200), 136);
    EXPECT_EQ(CLinePrinter::ScaledLineHeight(300), 34);
    EXPECT_EQ(CLinePrinter::ScaledLineHeight(72), 8);  // 8.16 rounds down
    EXPECT_EQ(CLinePrinter::ScaledLineHeight(96), 11); // 10.88 rounds up
    EXPECT_EQ(CLinePrinter::ScaledLineHeight(1), 1);   // a line always moves down
}

TEST(LinePrinter, BeginSetsMarginsFontAndJobName) {
    CRecordingDevice device(1200, 9600, 12600);
    CLinePrinter printer(device);
    ASSERT_TRUE(printer.BeginPrinting("Keyhaven"));
    EXPECT_EQ(printer.m_nLineHeight, 136);
    EXPECT_EQ(printer.m_nTop, 600);
    EXPECT_EQ(printer.m_nLeft, 600);
    EXPECT_EQ(printer.m_nPageHeight, 12600);
    EXPECT_EQ(printer.m_nPageWidth, 9600);
    EXPECT_EQ(printer.m_nY, 600);
    EXPECT_EQ(device.m_vecCalls, (std::vector<std::string>{"font 136", "startDoc Keyhaven"}));
    // No page is started before there is a line to print.
    EXPECT_EQ(printer.m_nPages, 0);
}

TEST(LinePrinter, PagesBreakAtTheBottomMargin) {
    CRecordingDevice device(600, PAGE_WIDTH_600, PAGE_HEIGHT_600);
    CLinePrinter printer(device);
    ASSERT_TRUE(printer.BeginPrinting("Keyhaven"));
    // Lines start at 300, 368, ...; a line may start at 6000 at most.
    const int nPerPage = (PAGE_HEIGHT_600 - 300 - 300) / 68 + 1;
    ASSERT_EQ(nPerPage, 84);
    printer.PrintText(Lines(2 * nPerPage + 5));
    printer.EndPrinting();

    ASSERT_EQ(device.m_vecDrawn.size(), std::size_t(2 * nPerPage + 5));
    EXPECT_EQ(printer.m_nPages, 3);
    for (std::size_t i = 0; i < device.m_vecDrawn.size(); ++i) {
        const SDrawn& drawn = device.m_vecDrawn[i];
        const int nOnPage = int(i) % nPerPage;
        EXPECT_EQ(drawn.nPage, int(i) / nPerPage + 1) << i;
        EXPECT_EQ(drawn.y, 300 + 68 * nOnPage) << i;
        EXPECT_EQ(drawn.x, 300) << i;
        EXPECT_LE(drawn.y, PAGE_HEIGHT_600 - 300) << i;
        EXPECT_EQ(drawn.strText, "line " + std::to_string(i));
    }
    // The last line of a full page is the last that starts above the margin.
    EXPECT_GT(device.m_vecDrawn[nPerPage - 1].y + 68, PAGE_HEIGHT_600 - 300);
    // Each page is ended before the next starts, and the job last.
    std::vector<std::string> vecPages(device.m_vecCalls.begin() + 2, device.m_vecCalls.end());
    EXPECT_EQ(vecPages, (std::vector<std::string>{"startPage", "endPage", "startPage", "endPage",
                                                  "startPage", "endPage", "endDoc"}));
}

TEST(LinePrinter, LinesKeepTheirPlaceOnAPrinterOfAnotherResolution) {
    // The same paper at 1200 dpi holds the same number of lines per page.
    CRecordingDevice device(1200, 2 * PAGE_WIDTH_600, 2 * PAGE_HEIGHT_600);
    CLinePrinter printer(device);
    ASSERT_TRUE(printer.BeginPrinting("Keyhaven"));
    printer.PrintText(Lines(85));
    printer.EndPrinting();
    EXPECT_EQ(printer.m_nPages, 2);
    EXPECT_EQ(device.m_vecDrawn[83].nPage, 1);
    EXPECT_EQ(device.m_vecDrawn[83].y, 600 + 136 * 83);
    EXPECT_EQ(device.m_vecDrawn[84].nPage, 2);
    EXPECT_EQ(device.m_vecDrawn[84].y, 600);
}

TEST(LinePrinter, TextIsCutAtItsLineEnds) {
    CRecordingDevice device(600, PAGE_WIDTH_600, PAGE_HEIGHT_600);
    CLinePrinter printer(device);
    ASSERT_TRUE(printer.BeginPrinting("Keyhaven"));
    // Empty lines take their room; text after the last line end is dropped.
    printer.PrintText("first\r\n\nthird\nnot printed");
    printer.PrintText("no line end");
    printer.PrintText("");
    ASSERT_EQ(device.m_vecDrawn.size(), 3u);
    EXPECT_EQ(device.m_vecDrawn[0].strText, "first");
    EXPECT_EQ(device.m_vecDrawn[1].strText, "");
    EXPECT_EQ(device.m_vecDrawn[1].y, 368);
    EXPECT_EQ(device.m_vecDrawn[2].strText, "third");
    EXPECT_EQ(printer.m_nY, 300 + 3 * 68);
}

TEST(LinePrinter, APageTooShortForTwoLinesPrintsOneLineEach) {
    // The second line would start at 368, below 650 - 300.
    CRecordingDevice device(600, PAGE_WIDTH_600, 650);
    CLinePrinter printer(device);
    ASSERT_TRUE(printer.BeginPrinting("Keyhaven"));
    printer.PrintText(Lines(3));
    printer.EndPrinting();
    EXPECT_EQ(printer.m_nPages, 3);
    for (const SDrawn& drawn : device.m_vecDrawn)
        EXPECT_EQ(drawn.y, 300);
}

TEST(LinePrinter, ARefusedJobPrintsNothingAndEndsNothing) {
    CRecordingDevice device(600, PAGE_WIDTH_600, PAGE_HEIGHT_600);
    device.m_bAcceptJob = false;
    {
        CLinePrinter printer(device);
        EXPECT_FALSE(printer.BeginPrinting("Keyhaven"));
        printer.PrintText("a line\n");
        printer.EndPrinting();
        EXPECT_EQ(printer.m_nPages, 0);
    }
    EXPECT_TRUE(device.m_vecDrawn.empty());
    EXPECT_EQ(device.m_vecCalls, (std::vector<std::string>{"font 68", "startDoc Keyhaven"}));
}

TEST(LinePrinter, AJobLeftOpenIsEndedWithThePrinter) {
    CRecordingDevice device(600, PAGE_WIDTH_600, PAGE_HEIGHT_600);
    {
        CLinePrinter printer(device);
        ASSERT_TRUE(printer.BeginPrinting("Keyhaven"));
        printer.PrintText("a line\n");
    }
    EXPECT_EQ(device.m_vecCalls.back(), "endDoc");
    EXPECT_EQ(device.m_vecCalls[device.m_vecCalls.size() - 2], "endPage");
}
