// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrintDevice.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A printout holds every password in plain text: a new output file is made
// for its owner alone before the printer writes into it. False when the
// file existed already (it keeps its mode) or could not be made.
bool CreatePrivateFile(const QString& strPath) {
    const QByteArray path = QFile::encodeName(strPath);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

CQtPrintDevice::CQtPrintDevice(QPrinter::PrinterMode eMode) : m_printer(eMode) {
    // Named before the print dialog shows, so that printing into a file
    // proposes "Keyhaven.pdf".
    m_printer.setDocName(QStringLiteral("Keyhaven"));
}

CQtPrintDevice::~CQtPrintDevice() {
    if (m_painter.isActive())
        m_painter.end();
}

int CQtPrintDevice::DpiX() const {
    return m_printer.logicalDpiX();
}

int CQtPrintDevice::DpiY() const {
    return m_printer.logicalDpiY();
}

int CQtPrintDevice::PageWidth() const {
    return m_printer.width();
}

int CQtPrintDevice::PageHeight() const {
    return m_printer.height();
}

std::string CQtPrintDevice::TargetName() const {
    const QString strFile = m_printer.outputFileName();
    return (strFile.isEmpty() ? m_printer.printerName() : strFile).toStdString();
}

void CQtPrintDevice::SelectFixedPitchFont(int nLineHeight) {
    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_font.setStyleHint(QFont::Monospace);
    m_font.setFixedPitch(true);
    // The largest size whose lines fit the line height, so that lines never
    // overlap whatever the printer's resolution.
    int nPixels = nLineHeight > 1 ? nLineHeight : 1;
    for (;;) {
        m_font.setPixelSize(nPixels);
        const QFontMetrics metrics(m_font, &m_printer);
        if (metrics.height() <= nLineHeight || nPixels == 1) {
            m_nAscent = metrics.ascent();
            break;
        }
        --nPixels;
    }
}

bool CQtPrintDevice::StartDoc(const std::string& strDocName) {
    m_printer.setDocName(QString::fromStdString(strDocName));
    const QString strFile = m_printer.outputFileName();
    const bool bCreated = !strFile.isEmpty() && CreatePrivateFile(strFile);
    if (!m_painter.begin(&m_printer)) {
        if (bCreated)
            QFile::remove(strFile);
        return false;
    }
    m_painter.setFont(m_font);
    m_bFirstPage = true;
    return true;
}

void CQtPrintDevice::StartPage() {
    // Beginning to paint opens the first page; each later one is asked for.
    if (m_bFirstPage)
        m_bFirstPage = false;
    else
        m_printer.newPage();
}

void CQtPrintDevice::EndPage() {
    // A page ends when the next one starts or the job ends.
}

void CQtPrintDevice::EndDoc() {
    if (m_painter.isActive())
        m_painter.end();
}

void CQtPrintDevice::TextOut(int x, int y, const std::string& strText) {
    // Qt places text by its baseline; the line's top is at y.
    m_painter.drawText(x, y + m_nAscent, QString::fromStdString(strText));
}
