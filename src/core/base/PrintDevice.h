// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A printer as the line printer sees it: a page of device units with its
// resolution, a print job of pages, and lines of text placed by their top
// left corner. The desktop's printers stand behind it; tests use a recorder.
class CPrintDevice {
public:
    virtual ~CPrintDevice() = default;

    // Dots per inch across and down the page.
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // The printable area in device units; coordinates start at its top left.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    // What the job prints to, for messages (a printer or an output file).
    virtual std::string TargetName() const = 0;

    // Chooses a fixed-pitch font whose lines fit nLineHeight device units.
    virtual void SelectFixedPitchFont(int nLineHeight) = 0;
    // Opens the job under a document name; false when the printer refuses.
    virtual bool StartDoc(const std::string& strDocName) = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void EndDoc() = 0;
    // Draws one line of UTF-8 text whose top left corner is at (x, y).
    virtual void TextOut(int x, int y, const std::string& strText) = 0;
};
