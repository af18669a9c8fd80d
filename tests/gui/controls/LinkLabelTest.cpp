// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/LinkLabel.h"
#include "core/link/LinkCommand.h"
#include "support/ScriptedPrompts.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

int CountColour(const QImage& image, const QColor& clr) {
    int nCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nCount += image.pixelColor(x, y).rgb() == clr.rgb() ? 1 : 0;
    return nCount;
}

const QColor BLUE(0, 0, 255);
const QChar ELLIPSIS(0x2026);

} // namespace

class LinkLabelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_pWindow;
    CScriptedPrompts m_prompts;
    std::vector<std::string> m_vLaunched;
    int m_nLaunchResult = LINK_OPENED;

    // A link on the window, wired to record launches and report through the
    // scripted prompts.
    CLinkLabel* MakeLink(const QString& strText, const std::string& strTarget = {}) {
        auto* pLink = new CLinkLabel(strText, m_pWindow.get());
        pLink->SetLinkTarget(strTarget);
        pLink->SetPrompts(&m_prompts);
        pLink->SetLauncher([this](const std::string& strOpened) {
            m_vLaunched.push_back(strOpened);
            return m_nLaunchResult;
        });
        return pLink;
    }

private slots:
    void init() {
        m_pWindow = std::make_unique<QWidget>();
        m_pWindow->resize(400, 200);
        m_pWindow->show();
        m_vLaunched.clear();
        m_nLaunchResult = LINK_OPENED;
        m_prompts.ClearRecord();
        m_prompts.m_fnFail = [](const std::string& strWhy) { QFAIL(strWhy.c_str()); };
    }
    void cleanup() { m_pWindow.reset(); }

    void paintsBlueUnderlinedText() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("www.example.com"));
        pLink->show();
        QVERIFY(pLink->PaintFont().underline());
        QVERIFY(CountColour(pLink->grab().toImage(), BLUE) > 0);
        // Text and ampersands are drawn as they are.
        pLink->setText(QStringLiteral("A&B <b>x</b>"));
        QCOMPARE(pLink->DisplayLines(), QStringList{QStringLiteral("A&B <b>x</b>")});
    }

    void repaintsWhenItsTextIsSet() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("x"));
        pLink->SetAutoSize(false);
        pLink->setGeometry(10, 10, 300, 30);
        pLink->show();
        const int nBefore = CountColour(pLink->grab().toImage(), BLUE);
        pLink->setText(QStringLiteral("a much longer text than before"));
        QVERIFY(CountColour(pLink->grab().toImage(), BLUE) > nBefore);
    }

    void aTooLongLineEndsWithAnEllipsis() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("short\nhttp://a.very.long.example.com/path"));
        pLink->SetAutoSize(false);
        pLink->setGeometry(10, 10, 80, 40);
        pLink->show();
        const QStringList listLines = pLink->DisplayLines();
        QCOMPARE(listLines.size(), 2);
        QCOMPARE(listLines[0], QStringLiteral("short"));
        QVERIFY(listLines[1].endsWith(ELLIPSIS));
        QVERIFY(listLines[1].startsWith(QStringLiteral("http")));
        QVERIFY(QFontMetrics(pLink->PaintFont()).horizontalAdvance(listLines[1]) <= 80);
    }

    void aDisabledLinkWithEmptyTextIsBlank() {
        auto* pStatic = new CUnderlineStatic(m_pWindow.get());
        pStatic->setGeometry(10, 10, 100, 20);
        pStatic->setEnabled(false);
        pStatic->show();
        const QImage image = pStatic->grab().toImage();
        QCOMPARE(CountColour(image, BLUE), 0);
        QCOMPARE(CountColour(image, pStatic->palette().color(QPalette::Button)),
                 image.width() * image.height());
        // Disabled, a text keeps its colour.
        pStatic->setText(QStringLiteral("text"));
        QVERIFY(CountColour(pStatic->grab().toImage(), BLUE) > 0);
    }

    void emptyTextShowsTheTargetAndAnEmptyTargetTakesTheText() {
        CLinkLabel* pShowsTarget = MakeLink(QString(), "mailto:someone@example.com");
        CLinkLabel* pTakesText = MakeLink(QStringLiteral("www.example.com"));
        pShowsTarget->show();
        pTakesText->show();
        QCOMPARE(pShowsTarget->text(), QStringLiteral("mailto:someone@example.com"));
        QCOMPARE(pTakesText->GetLinkTarget(), std::string("www.example.com"));
        QCOMPARE(pTakesText->toolTip(), QStringLiteral("www.example.com"));
    }

    void keyboardReachesAndOpensTheLink() {
        auto* pBefore = new QLineEdit(m_pWindow.get());
        CLinkLabel* pLink = MakeLink(QStringLiteral("Site"), "http://first.example/");
        pLink->move(0, 40);
        pBefore->show();
        pLink->show();
        m_pWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
        pBefore->setFocus();
        QTest::keyClick(pBefore, Qt::Key_Tab);
        QVERIFY(pLink->hasFocus());
        QTest::keyClick(pLink, Qt::Key_Space);
        QTest::keyClick(pLink, Qt::Key_Return);
        QTest::keyClick(pLink, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_vLaunched.size(), 3u);
        // Other keys and a chord open nothing.
        QTest::keyClick(pLink, Qt::Key_A);
        QTest::keyClick(pLink, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(m_vLaunched.size(), 3u);
        // The focus shows: the focused link is not drawn as the unfocused one.
        const QImage imageFocused = pLink->grab().toImage();
        pBefore->setFocus();
        QVERIFY(pLink->grab().toImage() != imageFocused);
    }

    void cursorAndTooltipFollowTheTarget() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("Site"), "http://first.example/");
        pLink->show();
        QCOMPARE(pLink->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(pLink->toolTip(), QStringLiteral("http://first.example/"));
        pLink->SetLinkTarget("http://caf\xE9.example/");
        QCOMPARE(pLink->toolTip(), QString::fromUtf8("http://caf\xC3\xA9.example/"));
        QCOMPARE(pLink->text(), QStringLiteral("Site"));
    }

    void autoSizeKeepsTheEdgeOfItsAlignment() {
        CLinkLabel* pLeft = MakeLink(QStringLiteral("left link"));
        pLeft->setGeometry(10, 10, 300, 40);
        CLinkLabel* pRight = MakeLink(QStringLiteral("right link"));
        pRight->setAlignment(Qt::AlignRight | Qt::AlignTop);
        pRight->setGeometry(10, 60, 300, 40);
        CLinkLabel* pCentre = MakeLink(QStringLiteral("centred link"));
        pCentre->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        pCentre->setGeometry(10, 110, 300, 60);
        for (CLinkLabel* pLink : {pLeft, pRight, pCentre})
            pLink->show();

        const QSize sizeLeft = pLeft->TextSize();
        QCOMPARE(pLeft->geometry(), QRect(QPoint(10, 10), sizeLeft));
        const QSize sizeRight = pRight->TextSize();
        QCOMPARE(pRight->geometry(),
                 QRect(310 - sizeRight.width(), 60, sizeRight.width(), sizeRight.height()));
        const QSize sizeCentre = pCentre->TextSize();
        QCOMPARE(pCentre->geometry(),
                 QRect(10 + (300 - sizeCentre.width()) / 2, 110 + (60 - sizeCentre.height()) / 2,
                       sizeCentre.width(), sizeCentre.height()));
        QCOMPARE(pLeft->sizeHint(), sizeLeft);
    }

    void withoutAutoSizeTheGeometryStays() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("text"));
        pLink->SetAutoSize(false);
        pLink->setGeometry(10, 10, 250, 30);
        pLink->show();
        pLink->SetLinkTarget("http://other.example/");
        QCOMPARE(pLink->geometry(), QRect(10, 10, 250, 30));
        pLink->SetAutoSize(true);
        QCOMPARE(pLink->size(), pLink->TextSize());
    }

    void aClickOpensTheTarget() {
        CLinkLabel* pLink =
            MakeLink(QStringLiteral("someone@example.com"), "mailto:someone@example.com");
        pLink->show();
        QTest::mouseClick(pLink, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(m_vLaunched, std::vector<std::string>{"mailto:someone@example.com"});
        QVERIFY(m_prompts.Messages().empty());
    }

    void onlyALeftClickInsideOpens() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("link"), "http://a/");
        pLink->show();
        QTest::mouseClick(pLink, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mousePress(pLink, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mouseRelease(pLink, Qt::LeftButton, Qt::NoModifier, QPoint(500, 3));
        QVERIFY(m_vLaunched.empty());
    }

    void aFailedLaunchIsReportedFromTheTable() {
        CLinkLabel* pLink = MakeLink(QStringLiteral("link"), "http://a/");
        pLink->show();
        m_nLaunchResult = 26;
        QTest::mouseClick(pLink, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        m_nLaunchResult = 4;
        QTest::mouseClick(pLink, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        m_nLaunchResult = LINK_FAILURE_MAX;
        pLink->Activate();
        const std::vector<SPromptMessage>& vMessages = m_prompts.Messages();
        QCOMPARE(vMessages.size(), std::size_t(3));
        QCOMPARE(vMessages[0].m_strText,
                 std::string("Unable to open hyperlink:\n\nA sharing violation occurred. "));
        QCOMPARE(vMessages[1].m_strText,
                 std::string("Unable to open hyperlink:\n\nUnknown Error (4) occurred."));
        QCOMPARE(vMessages[2].m_strText, std::string("Unable to open hyperlink:\n\n") +
                                             "The specified dynamic-link library was not found.");
        for (const SPromptMessage& message : vMessages) {
            QCOMPARE(message.m_eIcon, EMsgIcon::exclamation);
            QCOMPARE(message.m_eButtons, EMsgButtons::ok);
            QCOMPARE(message.m_strCaption, std::string("Keyhaven"));
        }
    }
};

QTEST_MAIN(LinkLabelTest)
#include "LinkLabelTest.moc"
