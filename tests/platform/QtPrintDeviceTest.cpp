// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrintDevice.h"
#include "core/store/LinePrinter.h"

#include <QFile>
#include <QFontMetrics>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <vector>

// The line printer on Qt's PDF printer: the pages the job makes, the font
// that fits the line height at any resolution, and the text read back out
// of the PDF.
class QtPrintDeviceTest : public QObject {
    Q_OBJECT

private:
    static void ToPdf(CQtPrintDevice& device, const QString& strPath) {
        device.Printer().setOutputFormat(QPrinter::PdfFormat);
        device.Printer().setOutputFileName(strPath);
        device.Printer().setPageSize(QPageSize(QPageSize::A4));
        device.Printer().setPageMargins(QMarginsF(0, 0, 0, 0));
    }

    static int PdfPageCount(const QString& strPath) {
        QFile file(strPath);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        static const QRegularExpression rePage(QStringLiteral("/Type\\s*/Page[^s]"));
        return int(QString::fromLatin1(file.readAll()).count(rePage));
    }

    // The pages of a PDF as pdftotext reads them, or nothing without it.
    static QStringList PdfText(const QString& strPath) {
        const QString strTool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (strTool.isEmpty())
            return {};
        QProcess process;
        process.start(strTool, {QStringLiteral("-layout"), strPath, QStringLiteral("-")});
        process.waitForFinished(30000);
        QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    // Prints the lines into a new PDF at strPath; the pages it took.
    static int PrintLines(const QString& strPath, const std::vector<std::string>& vecLines) {
        CQtPrintDevice device;
        ToPdf(device, strPath);
        CLinePrinter printer(device);
        if (!printer.BeginPrinting("Keyhaven"))
            return -1;
        for (const std::string& strLine : vecLines)
            printer.PrintLine(strLine);
        printer.EndPrinting();
        return printer.m_nPages;
    }

    QTemporaryDir m_dir;

private slots:
    void fontFitsTheLineAtEveryResolution();
    void pagesOfAPdf();
    void linesReadBackFromThePdf();
    void anUnwritableFileRefusesTheJob();
    void aNewOutputFileIsTheOwnersAlone();
};

void QtPrintDeviceTest::fontFitsTheLineAtEveryResolution() {
    for (const QPrinter::PrinterMode eMode :
         {QPrinter::HighResolution, QPrinter::ScreenResolution}) {
        CQtPrintDevice device(eMode);
        ToPdf(device, m_dir.filePath(QStringLiteral("font.pdf")));
        const int nLineHeight = CLinePrinter::ScaledLineHeight(device.DpiY());
        device.SelectFixedPitchFont(nLineHeight);
        const QFontMetrics metrics(device.Font(), &device.Printer());
        QVERIFY2(metrics.height() <= nLineHeight,
                 qPrintable(QStringLiteral("%1 > %2").arg(metrics.height()).arg(nLineHeight)));
        // Not needlessly small either: most of the line is text.
        QVERIFY(metrics.height() * 10 >= nLineHeight * 7);
        QVERIFY(QFontInfo(device.Font()).fixedPitch());
    }
    CQtPrintDevice device;
    QCOMPARE(device.DpiY(), 1200);
}

void QtPrintDeviceTest::pagesOfAPdf() {
    const QString strPath = m_dir.filePath(QStringLiteral("pages.pdf"));
    CQtPrintDevice device;
    ToPdf(device, strPath);
    CLinePrinter printer(device);
    QVERIFY(printer.BeginPrinting("Keyhaven"));
    // A4 without margins at 1200 dpi: 14033 units high, lines start at 600
    // up to 13433, 136 apart: 95 lines a page.
    QCOMPARE(printer.m_nPageHeight, 14033);
    const int nPerPage = (printer.m_nPageHeight - 2 * printer.m_nTop) / printer.m_nLineHeight + 1;
    QCOMPARE(nPerPage, 95);
    for (int i = 0; i < 2 * nPerPage + 1; ++i)
        printer.PrintLine("x");
    QCOMPARE(printer.m_nY, printer.m_nTop + printer.m_nLineHeight);
    printer.EndPrinting();
    QCOMPARE(printer.m_nPages, 3);
    QCOMPARE(PdfPageCount(strPath), 3);
    QCOMPARE(device.Printer().docName(), QStringLiteral("Keyhaven"));
}

void QtPrintDeviceTest::linesReadBackFromThePdf() {
    const QString strPath = m_dir.filePath(QStringLiteral("text.pdf"));
    std::vector<std::string> vecLines;
    for (int i = 0; i < 100; ++i)
        vecLines.push_back("Password      line-" + std::to_string(i) + " caf\xC3\xA9");
    QCOMPARE(PrintLines(strPath, vecLines), 2);
    const QStringList pages = PdfText(strPath);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(pages.size(), 2);
    for (int i = 0; i < 100; ++i) {
        const QString strLine = QStringLiteral("line-%1 café").arg(i);
        QVERIFY2(pages[i < 95 ? 0 : 1].contains(strLine), qPrintable(strLine));
    }
    // Each line stands alone: none overlaps its neighbour.
    QCOMPARE(pages[1].count(QStringLiteral("Password")), 5);
    QVERIFY(!pages[0].contains(QStringLiteral("line-95")));
}

void QtPrintDeviceTest::anUnwritableFileRefusesTheJob() {
    CQtPrintDevice device;
    const QString strPath = m_dir.filePath(QStringLiteral("no-such-folder/out.pdf"));
    ToPdf(device, strPath);
    QCOMPARE(QString::fromStdString(device.TargetName()), strPath);
    CLinePrinter printer(device);
    QVERIFY(!printer.BeginPrinting("Keyhaven"));
    QVERIFY(!QFile::exists(strPath));
}

void QtPrintDeviceTest::aNewOutputFileIsTheOwnersAlone() {
    const std::vector<std::string> vecLines{"Password      secret"};
    const QString strNew = m_dir.filePath(QStringLiteral("new.pdf"));
    QCOMPARE(PrintLines(strNew, vecLines), 1);
    QCOMPARE(QFile::permissions(strNew) & 0x7777,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    QVERIFY(QFile(strNew).size() > 0);

    // A file that exists keeps the mode its owner gave it.
    const QString strShared = m_dir.filePath(QStringLiteral("shared.pdf"));
    QFile shared(strShared);
    QVERIFY(shared.open(QIODevice::WriteOnly));
    shared.close();
    const QFile::Permissions shared644 = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                         QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(strShared, shared644));
    QCOMPARE(PrintLines(strShared, vecLines), 1);
    QCOMPARE(QFile::permissions(strShared) & 0x7777, shared644);
    QVERIFY(QFile(strShared).size() > 0);
}

QTEST_MAIN(QtPrintDeviceTest)
#include "QtPrintDeviceTest.moc"
