// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopLinkOpener.h"
#include "core/link/LinkCommand.h"
#include "core/store/CodePage.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include <cstdlib>

namespace {

// Takes the addresses the desktop service hands out for one scheme.
class CUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> m_listUrls;
public slots:
    void Open(const QUrl& url) { m_listUrls << url; }
};

// The real desktop steps, reachable from the test.
class COpenerUnderTest : public CDesktopLinkOpener {
public:
    using CDesktopLinkOpener::BrowserVariable;
    using CDesktopLinkOpener::OpenWithDesktop;
    using CDesktopLinkOpener::StartProgram;
};

} // namespace

class DesktopLinkOpenerTest : public QObject {
    Q_OBJECT

private slots:
    void addressesGoToTheDesktopServiceReadAsAnAddressBarWould() {
        CUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
        QCOMPARE(OpenLink("www.example.com", CCodePage::Default()), LINK_OPENED);
        QCOMPARE(OpenLink("mailto:someone@example.com", CCodePage::Default()), LINK_OPENED);
        QCOMPARE(OpenLink("http://caf\xE9.example/a b", CCodePage::Default()), LINK_OPENED);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(catcher.m_listUrls.size(), 3);
        QCOMPARE(catcher.m_listUrls[0], QUrl(QStringLiteral("http://www.example.com")));
        QCOMPARE(catcher.m_listUrls[1], QUrl(QStringLiteral("mailto:someone@example.com")));
        QCOMPARE(catcher.m_listUrls[2], QUrl(QString::fromUtf8("http://caf\xC3\xA9.example/a b")));
    }

    void anEmptyTargetIsNotOpened() {
        COpenerUnderTest opener;
        QVERIFY(!opener.OpenWithDesktop(""));
        QVERIFY(OpenLink("", CCodePage::Default()) <= LINK_FAILURE_MAX);
    }

    void startsProgramsDetachedAndReportsMissingOnes() {
        COpenerUnderTest opener;
        QVERIFY(opener.StartProgram({"true", "http://example.com"}));
        QVERIFY(!opener.StartProgram({"/nonexistent/keyhaven-browser", "x"}));
        QVERIFY(!opener.StartProgram({}));
    }

    void browserVariable() {
        COpenerUnderTest opener;
        ::setenv("BROWSER", "web %s:other", 1);
        QCOMPARE(opener.BrowserVariable(), std::optional<std::string>("web %s:other"));
        ::setenv("BROWSER", "", 1);
        QVERIFY(!opener.BrowserVariable().has_value());
        ::unsetenv("BROWSER");
        QVERIFY(!opener.BrowserVariable().has_value());
    }
};

QTEST_MAIN(DesktopLinkOpenerTest)
#include "DesktopLinkOpenerTest.moc"
