// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/store/LinePrinter.h"

#include "core/base/PrintDevice.h"

CLinePrinter::CLinePrinter(CPrintDevice& device) : m_device(device) {}

CLinePrinter::~CLinePrinter() {
    if (m_bDocStarted)
        EndPrinting();
}

int CLinePrinter::ScaledLineHeight(int nDpi) {
    // Rounded to the nearest unit, and never 0: a line always moves down.
    const int nHeight = (LINE_HEIGHT_AT_REFERENCE * nDpi + REFERENCE_DPI / 2) / REFERENCE_DPI;
    return nHeight > 0 ? nHeight : 1;
}

void CLinePrinter::SelectPrinterFont() {
    m_device.SelectFixedPitchFont(m_nLineHeight);
}

bool CLinePrinter::BeginPrinting(const std::string& strDocName) {
    // The font follows the line height, so the height comes first.
    m_nLineHeight = ScaledLineHeight(m_device.DpiY());
    SelectPrinterFont();
    if (!m_device.StartDoc(strDocName))
        return false;
    m_bDocStarted = true;
    m_bPageStarted = false;
    m_nPages = 0;
    m_nTop = m_device.DpiY() / 2;
    m_nLeft = m_device.DpiX() / 2;
    m_nPageHeight = m_device.PageHeight();
    m_nPageWidth = m_device.PageWidth();
    m_nY = m_nTop;
    return true;
}

void CLinePrinter::PrintText(std::string_view strText) {
    std::size_t nStart = 0;
    for (std::size_t nEnd = strText.find('\n'); nEnd != std::string_view::npos;
         nEnd = strText.find('\n', nStart)) {
        std::string_view strLine = strText.substr(nStart, nEnd - nStart);
        // Comments typed on another system end their lines with "\r\n".
        if (strLine.ends_with('\r'))
            strLine.remove_suffix(1);
        PrintLine(strLine);
        nStart = nEnd + 1;
    }
}

void CLinePrinter::PrintLine(std::string_view strLine) {
    if (!m_bDocStarted)
        return;
    if (!m_bPageStarted) {
        StartPage();
    } else if (m_nY > m_nPageHeight - m_nTop) {
        EndPage();
        StartPage();
    }
    m_device.TextOut(m_nLeft, m_nY, std::string(strLine));
    m_nY += m_nLineHeight;
}

void CLinePrinter::EndPrinting() {
    if (!m_bDocStarted)
        return;
    if (m_bPageStarted)
        EndPage();
    m_device.EndDoc();
    m_bDocStarted = false;
}

void CLinePrinter::StartPage() {
    m_device.StartPage();
    ++m_nPages;
    m_nY = m_nTop;
    m_bPageStarted = true;
    OnNewPage();
}

void CLinePrinter::EndPage() {
    m_device.EndPage();
    m_bPageStarted = false;
}
