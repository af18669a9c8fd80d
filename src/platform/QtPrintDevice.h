// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/PrintDevice.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

// A printer of the desktop (or a PDF file) behind the line printer: the
// print dialog sets up Printer(), and the job paints on it with QPainter.
class CQtPrintDevice final : public CPrintDevice {
public:
    explicit CQtPrintDevice(QPrinter::PrinterMode eMode = QPrinter::HighResolution);
    ~CQtPrintDevice() override;
    CQtPrintDevice(const CQtPrintDevice&) = delete;
    CQtPrintDevice& operator=(const CQtPrintDevice&) = delete;

    QPrinter& Printer() { return m_printer; }
    const QFont& Font() const { return m_font; }

    int DpiX() const override;
    int DpiY() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    std::string TargetName() const override;
    void SelectFixedPitchFont(int nLineHeight) override;
    bool StartDoc(const std::string& strDocName) override;
    void StartPage() override;
    void EndPage() override;
    void EndDoc() override;
    void TextOut(int x, int y, const std::string& strText) override;

private:
    QPrinter m_printer;
    QPainter m_painter;
    QFont m_font;
    int m_nAscent = 0;
    bool m_bFirstPage = true;
};
