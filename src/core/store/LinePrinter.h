// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

class CPrintDevice;

// Prints text as lines of fixed-pitch text, top to bottom, half an inch in
// from the left and top edges, and starts a new page when the next line
// would begin below the bottom margin (as wide as the top one).
class CLinePrinter {
public:
    // One line takes this many device units on a printer of the reference
    // resolution; other resolutions scale it, so lines keep their size.
    static constexpr int LINE_HEIGHT_AT_REFERENCE = 68;
    static constexpr int REFERENCE_DPI = 600;

    explicit CLinePrinter(CPrintDevice& device);
    // A job still open is ended, so the printer is never left waiting.
    virtual ~CLinePrinter();
    CLinePrinter(const CLinePrinter&) = delete;
    CLinePrinter& operator=(const CLinePrinter&) = delete;

    // Selects the font and opens the job; false when the printer refuses it.
    bool BeginPrinting(const std::string& strDocName);
    // Prints every piece of the text that a "\n" (or "\r\n") ends; text
    // after the last line end is not printed.
    void PrintText(std::string_view strText);
    void PrintLine(std::string_view strLine);
    void EndPrinting();

    // The line height for a printer of nDpi dots per inch.
    static int ScaledLineHeight(int nDpi);

    int m_nLeft = 0;
    int m_nTop = 0; // also the bottom margin
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;
    int m_nLineHeight = LINE_HEIGHT_AT_REFERENCE;
    int m_nY = 0;
    bool m_bDocStarted = false;
    bool m_bPageStarted = false;
    int m_nPages = 0;

protected:
    // Runs after each page has started.
    virtual void OnNewPage() {}
    virtual void SelectPrinterFont();

    CPrintDevice& m_device;

private:
    void StartPage();
    void EndPage();
};
