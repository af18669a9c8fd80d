// SPDX-License-Identifier: GPL-3.0-or-later
// A copied password's way off the clipboard as the status bar tells it: the
// seconds counted down, then "Clipboard cleared"; nothing more once another
// text took its place; a menu prompt never overwritten by the count.
#include "gui/shell/ClipboardStatus.h"
#include "core/store/CodePage.h"
#include "platform/Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

namespace {

const QString COUNT = QStringLiteral("Password copied; clipboard cleared in %1 s");
const QString CLEARED = QStringLiteral("Clipboard cleared");

enum class EAfterCopy { nothing, otherText, otherPassword, lock };

// A status bar that hears the clipboard's watch.
struct CWatched {
    explicit CWatched(unsigned nDelay) {
        CClipboard::SetClearDelay([nDelay]() { return nDelay; });
        CClipboard::SetPasswordWatch([this](CClipboard::EPassword eState, unsigned nSeconds) {
            m_status.OnPassword(eState, nSeconds);
        });
    }
    ~CWatched() {
        CClipboard::SetPasswordWatch({});
        CClipboard::SetClearDelay({});
    }
    QStatusBar m_bar;
    CClipboardStatus m_status{m_bar};
    QSignalSpy m_spy{&m_bar, &QStatusBar::messageChanged};

    QStringList Messages() const {
        QStringList messages;
        for (const QList<QVariant>& args : m_spy)
            messages << args.value(0).toString();
        return messages;
    }
};

} // namespace

Q_DECLARE_METATYPE(EAfterCopy)

class CClipboardStatusTest : public QObject {
    Q_OBJECT
private slots:
    void countsDownUntilTheEnd_data();
    void countsDownUntilTheEnd();
    void menuPromptCoversTheCount();
};

void CClipboardStatusTest::countsDownUntilTheEnd_data() {
    QTest::addColumn<unsigned>("delay");
    QTest::addColumn<EAfterCopy>("after");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("cleared when the time is up")
        << 3u << EAfterCopy::nothing
        << QStringList{COUNT.arg(3), COUNT.arg(2), COUNT.arg(1), CLEARED} << QString();
    QTest::newRow("another program's text stops the count")
        << 3u << EAfterCopy::otherText << QStringList{COUNT.arg(3), QString()}
        << QStringLiteral("other");
    // The second password counts on its own (told from its copy on); the
    // first one's count ends without a word.
    QTest::newRow("a newer password counts afresh")
        << 2u << EAfterCopy::otherPassword << QStringList{COUNT.arg(2), COUNT.arg(1), CLEARED}
        << QString();
    QTest::newRow("a lock clears at once")
        << 3u << EAfterCopy::lock << QStringList{COUNT.arg(3), CLEARED} << QString();
    QTest::newRow("never cleared")
        << 0u << EAfterCopy::nothing << QStringList{QStringLiteral("Password copied")}
        << QStringLiteral("pw");
}

void CClipboardStatusTest::countsDownUntilTheEnd() {
    QFETCH(unsigned, delay);
    QFETCH(EAfterCopy, after);
    QFETCH(QStringList, messages);
    QFETCH(QString, clipboard);
    CWatched watched(delay);
    CClipboard::SetPassword("pw", CCodePage::Default());
    switch (after) {
    case EAfterCopy::nothing:
        break;
    case EAfterCopy::otherText:
        QTest::qWait(300);
        QApplication::clipboard()->setText(QStringLiteral("other"));
        break;
    case EAfterCopy::otherPassword:
        // Half a second on, so that the first password's time would run out
        // half a second before the second one's.
        QTest::qWait(500);
        // (The bar tells no change when the same text is shown again.)
        watched.m_bar.clearMessage();
        watched.m_spy.clear();
        CClipboard::SetPassword("pw2", CCodePage::Default());
        QTest::qWait(1700);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("pw2"));
        break;
    case EAfterCopy::lock:
        CClipboard::EmptyIfText();
        break;
    }
    QTRY_COMPARE_WITH_TIMEOUT(watched.Messages().size(), messages.size(), 5000);
    // Nothing follows the end.
    QTest::qWait(1300);
    QCOMPARE(watched.Messages(), messages);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
}

void CClipboardStatusTest::menuPromptCoversTheCount() {
    CWatched watched(3);
    CClipboard::SetPassword("pw", CCodePage::Default());
    QCOMPARE(watched.m_bar.currentMessage(), COUNT.arg(3));
    // A highlighted menu item's prompt stays over the next second...
    watched.m_bar.showMessage(QStringLiteral("Open an existing file"));
    QTest::qWait(1300);
    QCOMPARE(watched.m_bar.currentMessage(), QStringLiteral("Open an existing file"));
    // ...and once it went, the count shows again, then the end.
    watched.m_bar.clearMessage();
    QTRY_COMPARE_WITH_TIMEOUT(watched.m_bar.currentMessage(), COUNT.arg(1), 1500);
    QTRY_COMPARE_WITH_TIMEOUT(watched.m_bar.currentMessage(), CLEARED, 1500);
    QVERIFY(QApplication::clipboard()->text().isEmpty());
}

QTEST_MAIN(CClipboardStatusTest)
#include "ClipboardStatusTest.moc"
