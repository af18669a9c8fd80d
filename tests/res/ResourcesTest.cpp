// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures and help pages compiled into the program: every picture the
// windows ask for exists and draws at menu and dialog sizes, and the help is
// one connected set of pages that covers every option.

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

namespace {

QImage Render(const QString& strPath, int nSize) {
    QSvgRenderer renderer(strPath);
    QImage image(nSize, nSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

int OpaquePixels(const QImage& image) {
    int nCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nCount += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return nCount;
}

QString ReadResource(const QString& strPath) {
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList HelpPages() {
    QStringList pages;
    QDirIterator it(":/help", {"*.html"}, QDir::Files);
    while (it.hasNext())
        pages << it.next().section('/', -1);
    pages.sort();
    return pages;
}

// Relative links of a page: "page.html" or "page.html#anchor" or "#anchor".
QStringList LinksOf(const QString& strHtml) {
    QStringList links;
    static const QRegularExpression reHref(QStringLiteral("href=\"([^\"]+)\""));
    auto it = reHref.globalMatch(strHtml);
    while (it.hasNext())
        links << it.next().captured(1);
    return links;
}

bool HasAnchor(const QString& strHtml, const QString& strAnchor) {
    return strHtml.contains(QStringLiteral("name=\"%1\"").arg(strAnchor)) ||
           strHtml.contains(QStringLiteral("id=\"%1\"").arg(strAnchor));
}

QString PlainTextOf(const QString& strPage) {
    QTextDocument doc;
    doc.setHtml(ReadResource(":/help/" + strPage));
    return doc.toPlainText();
}

} // namespace

class CResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void NumberedPicturesDrawAtSmallSizes_data();
    void NumberedPicturesDrawAtSmallSizes();
    void EveryPictureIsASquareGridDrawing();
    void TrayStatesLookDifferent();
    void PinStatesLookDifferent();
    void HelpLinksLeadToExistingPagesAndAnchors();
    void EveryHelpPageIsReachableFromTheContents();
    void HelpPagesRenderInTheHelpWindow();
    void HelpCoversEveryOption();
};

void CResourcesTest::NumberedPicturesDrawAtSmallSizes_data() {
    QTest::addColumn<QString>("strName");
    const QStringList names = {
        // program, tray, dialogs
        "128",
        "240",
        "358",
        "222",
        "279",
        "425",
        "129",
        "322",
        // generator page
        "336",
        "404",
        "405",
        // Password Bar
        "345",
        "348",
        "349",
        "350",
        "351",
        "352",
        "354",
        "355",
        "356",
        "357",
        // caption pin, Others page pictures
        "408",
        "409",
        "443",
        "444",
        "445",
        // the tree's five images and the account dialog's buttons
        "tree-group-closed",
        "tree-group-open",
        "tree-account",
        "tree-account-selected",
        "tree-file",
        "paste",
        "settings",
        "test-link",
        "search",
        // toolbar and menus
        "cmd-57600",
        "cmd-57601",
        "cmd-57602",
        "cmd-57603",
        "cmd-57604",
        "cmd-32954",
        "cmd-32947",
        "cmd-32782",
        "cmd-57665",
        "cmd-32785",
        "cmd-32955",
        "cmd-32956",
        "cmd-32957",
        "cmd-32929",
        "cmd-32906",
        "cmd-32772",
        "cmd-32780",
        "cmd-32895",
        "cmd-32916",
        "cmd-32898",
        "cmd-32799",
        "cmd-32856",
        "cmd-32857",
        "cmd-57664",
        // tray menu, Password Bar menu, tree context menus
        "cmd-32779",
        "cmd-32909",
        "cmd-32959",
        "cmd-32773",
        "cmd-32911",
        "cmd-32921",
        "cmd-32933",
        "cmd-32914",
        "cmd-32977",
        "cmd-32907",
        "cmd-32962",
        "cmd-32961",
        "cmd-32971",
        "cmd-32969",
        "cmd-32963",
        "cmd-32968",
        "cmd-32970",
        "cmd-32964",
        "cmd-32965",
    };
    for (const QString& strName : names)
        QTest::newRow(qPrintable(strName)) << strName;
}

void CResourcesTest::NumberedPicturesDrawAtSmallSizes() {
    QFETCH(QString, strName);
    const QString strPath = QStringLiteral(":/icons/%1.svg").arg(strName);
    QVERIFY2(QFile::exists(strPath), qPrintable(strPath));
    QSvgRenderer renderer(strPath);
    QVERIFY(renderer.isValid());
    for (int nSize : {16, 32}) {
        const QImage image = Render(strPath, nSize);
        // Even the thinnest picture (a minimise bar) covers a few percent.
        QVERIFY2(OpaquePixels(image) * 100 >= nSize * nSize * 5,
                 qPrintable(QStringLiteral("%1 is nearly empty at %2 px").arg(strName).arg(nSize)));
    }
}

void CResourcesTest::EveryPictureIsASquareGridDrawing() {
    // All pictures are drawn on one 16-pixel grid, which keeps their strokes
    // on whole pixels at 16, 32 and 48 pixels.
    int nCount = 0;
    QDirIterator it(":/icons", QDir::Files);
    while (it.hasNext()) {
        const QString strPath = it.next();
        QSvgRenderer renderer(strPath);
        QVERIFY2(renderer.isValid(), qPrintable(strPath));
        QCOMPARE(renderer.viewBoxF(), QRectF(0, 0, 16, 16));
        QVERIFY2(OpaquePixels(Render(strPath, 16)) > 0, qPrintable(strPath));
        ++nCount;
    }
    QVERIFY(nCount >= 60);
}

void CResourcesTest::TrayStatesLookDifferent() {
    // The locked state must be told apart at a glance in a 16-pixel tray.
    const QImage normal = Render(":/icons/240.svg", 16);
    const QImage locked = Render(":/icons/358.svg", 16);
    int nDifferent = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb a = normal.pixel(x, y), b = locked.pixel(x, y);
            const int nDelta =
                qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            nDifferent += nDelta > 96 ? 1 : 0;
        }
    QVERIFY2(nDifferent > 16 * 16 / 4, qPrintable(QString::number(nDifferent)));
}

void CResourcesTest::PinStatesLookDifferent() {
    QVERIFY(Render(":/icons/408.svg", 16) != Render(":/icons/409.svg", 16));
}

void CResourcesTest::HelpLinksLeadToExistingPagesAndAnchors() {
    const QStringList pages = HelpPages();
    QVERIFY(pages.size() >= 10);
    for (const QString& strPage : pages) {
        const QString strHtml = ReadResource(":/help/" + strPage);
        QVERIFY2(!strHtml.isEmpty(), qPrintable(strPage));
        QVERIFY2(!strHtml.contains("<script", Qt::CaseInsensitive), qPrintable(strPage));
        for (const QString& strLink : LinksOf(strHtml)) {
            if (strLink.startsWith("http") || strLink.startsWith("mailto:"))
                continue;
            const QString strTarget = strLink.section('#', 0, 0);
            const QString strAnchor = strLink.section('#', 1);
            const QString strTargetPage = strTarget.isEmpty() ? strPage : strTarget;
            const QString strTargetHtml = ReadResource(":/help/" + strTargetPage);
            QVERIFY2(!strTargetHtml.isEmpty(),
                     qPrintable(strPage + " links to a missing " + strTargetPage));
            if (!strAnchor.isEmpty())
                QVERIFY2(HasAnchor(strTargetHtml, strAnchor),
                         qPrintable(strPage + " links to a missing anchor " + strLink));
        }
    }
}

void CResourcesTest::EveryHelpPageIsReachableFromTheContents() {
    QSet<QString> setSeen{"index.html"};
    QStringList queue{"index.html"};
    while (!queue.isEmpty()) {
        const QString strPage = queue.takeFirst();
        for (const QString& strLink : LinksOf(ReadResource(":/help/" + strPage))) {
            const QString strTarget = strLink.section('#', 0, 0);
            if (strTarget.endsWith(".html") && !setSeen.contains(strTarget)) {
                setSeen.insert(strTarget);
                queue << strTarget;
            }
        }
    }
    for (const QString& strPage : HelpPages())
        QVERIFY2(setSeen.contains(strPage), qPrintable(strPage + " cannot be reached"));
}

void CResourcesTest::HelpPagesRenderInTheHelpWindow() {
    QTextBrowser browser;
    for (const QString& strPage : HelpPages()) {
        browser.setSource(QUrl("qrc:/help/" + strPage));
        const QString strTitle = browser.documentTitle();
        QVERIFY2(!strTitle.isEmpty(), qPrintable(strPage));
        // The page's heading repeats its title, so the window caption and the
        // page agree.
        QVERIFY2(browser.toPlainText().contains(strTitle), qPrintable(strPage));
        QVERIFY2(browser.toPlainText().size() > 400, qPrintable(strPage + " is too thin"));
    }
    // The style sheet is found through the page's relative link: the heading
    // takes its colour from it.
    browser.setSource(QUrl("qrc:/help/index.html"));
    bool bHeadingFound = false;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() != browser.documentTitle())
            continue;
        bHeadingFound = true;
        QCOMPARE(block.charFormat().foreground().color(), QColor("#1d4f8f"));
        QTextBlock::iterator itFragment = block.begin();
        QVERIFY(!itFragment.atEnd());
        QCOMPARE(itFragment.fragment().charFormat().foreground().color(), QColor("#1d4f8f"));
    }
    QVERIFY(bHeadingFound);
}

void CResourcesTest::HelpCoversEveryOption() {
    const QString strOptions = PlainTextOf("options.html");
    const QStringList texts = {
        "Set Password Bar as default interface",
        "Run automatically when I log in",
        "Don't open file at starting",
        "Open last file at starting",
        "Always start with this file",
        "Auto save file",
        "Backup file before saving",
        "Add opened file name to recent file list",
        "Clear recent file list when exiting",
        "Mask passwords when shown",
        "Auto lock",
        "Auto exit",
        "Customize",
        "Lock when the screen locks",
        "Clear the clipboard after",
        "Hide system tray icon",
        "Show confirm dialog before deleting account",
        "Minimize",
        "Lock",
        "Exit",
    };
    for (const QString& strText : texts)
        QVERIFY2(strOptions.contains(strText), qPrintable(strText));
    const QString strGenerator = PlainTextOf("generator.html");
    for (const char* pszBox :
         {"Uppercase", "Lowcase", "Numbers", "Special", "Space", "Range", "Specify"})
        QVERIFY2(strGenerator.contains(QLatin1String(pszBox)), pszBox);
}

QTEST_MAIN(CResourcesTest)
#include "ResourcesTest.moc"
