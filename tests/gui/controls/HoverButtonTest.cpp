// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/HoverButton.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

constexpr int ICON_RED = 9001;   // a 20 x 12 red picture
constexpr int ICON_GREEN = 9002; // a 20 x 12 green picture

// Pixels compared by their RGB value, whatever the colour's representation.
QRgb At(const QImage& image, int nX, int nY) {
    return image.pixelColor(nX, nY).rgb();
}

bool HasColour(const QImage& image, const QColor& clr) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == clr.rgb())
                return true;
    return false;
}

} // namespace

class HoverButtonTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_pWindow;
    CHoverButton* m_pButton = nullptr;

    QColor Light() const { return m_pButton->palette().color(QPalette::Light); }
    QColor Shadow() const { return m_pButton->palette().color(QPalette::Dark); }
    QColor Face() const { return m_pButton->palette().color(QPalette::Button); }
    QImage Picture() const { return m_pButton->grab().toImage(); }
    QPoint Outside() const { return m_pButton->geometry().bottomRight() + QPoint(20, 20); }

    void SendMove(QWidget* pTarget, QPoint ptPos, Qt::MouseButtons buttons) {
        QMouseEvent event(QEvent::MouseMove, ptPos, pTarget->mapToGlobal(ptPos), Qt::NoButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(pTarget, &event);
    }

private slots:
    void init() {
        m_pWindow = std::make_unique<QWidget>();
        m_pWindow->resize(300, 200);
        m_pButton = new CHoverButton(m_pWindow.get());
        m_pButton->setGeometry(40, 40, 60, 40);
        // The window appears away from the pointer, wherever the last test
        // left it.
        QCursor::setPos(QPoint(2000, 2000));
        m_pWindow->show();
        m_pWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
        QTest::mouseMove(m_pWindow.get(), Outside());
        QVERIFY(!m_pButton->IsMouseOver());
    }
    void cleanup() { m_pWindow.reset(); }

    void hoverHighlightsWhileActiveAndEndsOnLeave() {
        QVERIFY(!m_pButton->IsMouseOver());
        QTest::mouseMove(m_pButton, QPoint(30, 20));
        QVERIFY(m_pButton->IsMouseOver());
        // Raised: highlight on top and left, shadow on bottom and right.
        QImage image = Picture();
        QCOMPARE(At(image, 5, 0), Light().rgb());
        QCOMPARE(At(image, 0, 5), Light().rgb());
        QCOMPARE(At(image, 5, 39), Shadow().rgb());
        QCOMPARE(At(image, 59, 5), Shadow().rgb());

        QTest::mouseMove(m_pWindow.get(), Outside());
        QVERIFY(!m_pButton->IsMouseOver());
        image = Picture();
        QCOMPARE(At(image, 5, 0), Face().rgb());
        QCOMPARE(At(image, 59, 5), Face().rgb());
    }

    void noHighlightWhileTheProgramIsInactive() {
        // Another window of the desktop takes the activation: no widget of
        // this program is active any more.
        QWindow other;
        other.resize(50, 50);
        other.show();
        other.requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(QApplication::activeWindow(), nullptr);
        SendMove(m_pButton, QPoint(30, 20), Qt::NoButton);
        QVERIFY(!m_pButton->IsMouseOver());
        QCOMPARE(At(Picture(), 5, 0), Face().rgb());
    }

    void aPressStartedElsewhereDoesNotHighlight() {
        SendMove(m_pButton, QPoint(30, 20), Qt::LeftButton);
        QVERIFY(!m_pButton->IsMouseOver());
        SendMove(m_pButton, QPoint(31, 20), Qt::NoButton);
        QVERIFY(m_pButton->IsMouseOver());
    }

    void pressedDrawsSunkenAndReleasedOutsideEndsTheHighlight() {
        QSignalSpy spyClicked(m_pButton, &QAbstractButton::clicked);
        QTest::mouseMove(m_pButton, QPoint(30, 20));
        QTest::mousePress(m_pButton, Qt::LeftButton, Qt::NoModifier, QPoint(30, 20));
        QVERIFY(m_pButton->isDown());
        QImage image = Picture();
        QCOMPARE(At(image, 5, 0), Shadow().rgb());
        QCOMPARE(At(image, 0, 5), Shadow().rgb());
        QCOMPARE(At(image, 5, 39), Light().rgb());
        QCOMPARE(At(image, 59, 5), Light().rgb());

        // Moving out with the button held ends the highlight.
        SendMove(m_pButton, QPoint(90, 20), Qt::LeftButton);
        QVERIFY(!m_pButton->IsMouseOver());
        QTest::mouseRelease(m_pButton, Qt::LeftButton, Qt::NoModifier, QPoint(90, 20));
        QCOMPARE(spyClicked.count(), 0);
    }

    void resetHoverAndFocusLossEndTheHighlight() {
        QTest::mouseMove(m_pButton, QPoint(30, 20));
        QVERIFY(m_pButton->IsMouseOver());
        m_pButton->ResetHover();
        QVERIFY(!m_pButton->IsMouseOver());
        QCOMPARE(At(Picture(), 5, 0), Face().rgb());
        m_pButton->ResetHover();
        QVERIFY(!m_pButton->IsMouseOver());

        // Back over the button after a pop-up menu: highlighted again.
        SendMove(m_pButton, QPoint(31, 21), Qt::NoButton);
        QVERIFY(m_pButton->IsMouseOver());
        m_pButton->setFocus();
        QVERIFY(m_pButton->hasFocus());
        auto* pOther = new QWidget(m_pWindow.get());
        pOther->setFocusPolicy(Qt::StrongFocus);
        pOther->show();
        pOther->setFocus();
        QVERIFY(!m_pButton->hasFocus());
        QVERIFY(!m_pButton->IsMouseOver());
    }

    void iconsInAndOut() {
        m_pButton->SetIcon(ICON_RED, ICON_GREEN);
        QCOMPARE(m_pButton->IconSize(), QSize(20, 12));
        const QPoint ptCentre(30, 20);
        QCOMPARE(At(Picture(), ptCentre.x(), ptCentre.y()), QColor(Qt::green).rgb());
        QTest::mouseMove(m_pButton, ptCentre);
        QCOMPARE(At(Picture(), ptCentre.x(), ptCentre.y()), QColor(Qt::red).rgb());
        QTest::mouseMove(m_pWindow.get(), Outside());
        QCOMPARE(At(Picture(), ptCentre.x(), ptCentre.y()), QColor(Qt::green).rgb());

        // One icon serves both states.
        m_pButton->SetIcon(ICON_RED);
        QCOMPARE(m_pButton->IconOutId(), ICON_RED);
        QCOMPARE(At(Picture(), ptCentre.x(), ptCentre.y()), QColor(Qt::red).rgb());
    }

    void iconIsCentredAloneAndBesideACaption() {
        m_pButton->SetIcon(ICON_RED);
        QImage image = Picture();
        // Alone: 20 x 12 centred in 60 x 40 covers x 20..39, y 14..25.
        QCOMPARE(At(image, 20, 14), QColor(Qt::red).rgb());
        QCOMPARE(At(image, 39, 25), QColor(Qt::red).rgb());
        QVERIFY(At(image, 19, 14) != QColor(Qt::red).rgb());
        QVERIFY(At(image, 40, 25) != QColor(Qt::red).rgb());

        m_pButton->setText(QStringLiteral("OK"));
        image = Picture();
        // With a caption it sits 3 pixels from the left edge.
        QCOMPARE(At(image, 3, 14), QColor(Qt::red).rgb());
        QVERIFY(At(image, 2, 14) != QColor(Qt::red).rgb());
        QCOMPARE(At(image, 22, 25), QColor(Qt::red).rgb());

        // Pressed: one pixel right and down.
        QTest::mousePress(m_pButton, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
        image = Picture();
        QVERIFY(At(image, 3, 14) != QColor(Qt::red).rgb());
        QCOMPARE(At(image, 4, 15), QColor(Qt::red).rgb());
        QTest::mouseRelease(m_pButton, Qt::LeftButton, Qt::NoModifier, QPoint(50, 20));
    }

    void aMissingIconLeavesAWorkingButton() {
        m_pButton->SetIcon(ICON_RED);
        m_pButton->SetIcon(77777);
        QVERIFY(!m_pButton->HasIcon());
        QVERIFY(!HasColour(Picture(), Qt::red));
        QSignalSpy spyClicked(m_pButton, &QAbstractButton::clicked);
        QTest::mouseClick(m_pButton, Qt::LeftButton, Qt::NoModifier, QPoint(30, 20));
        QCOMPARE(spyClicked.count(), 1);
        QVERIFY(m_pButton->sizeHint().isValid());

        m_pButton->SetIconId(0);
        QVERIFY(!m_pButton->HasIcon());
        QCOMPARE(m_pButton->IconId(), 0);
    }

    void disabledLook() {
        m_pButton->SetIcon(ICON_RED);
        m_pButton->setEnabled(false);
        QVERIFY(!HasColour(Picture(), Qt::red));
        QTest::mouseMove(m_pButton, QPoint(30, 20));
        QVERIFY(!m_pButton->IsMouseOver());

        // The engraved caption: highlight and shadow copies, no text colour.
        m_pButton->SetIconId(0);
        m_pButton->resize(160, 60);
        QFont font = m_pButton->font();
        font.setPixelSize(30);
        font.setBold(true);
        m_pButton->setFont(font);
        m_pButton->setText(QStringLiteral("HM"));
        const QColor clrText = m_pButton->palette().color(QPalette::Active, QPalette::ButtonText);
        QImage image = Picture();
        QVERIFY(HasColour(image, Shadow()));
        QVERIFY(!HasColour(image, clrText));
        m_pButton->setEnabled(true);
        image = Picture();
        QVERIFY(HasColour(image, clrText));
    }

    void aDoubleClickCountsAsASecondPress() {
        // The platform's sequence: press, release, double-click, release.
        QSignalSpy spyClicked(m_pButton, &QAbstractButton::clicked);
        const QPoint pt(30, 20);
        QTest::mouseClick(m_pButton, Qt::LeftButton, Qt::NoModifier, pt);
        QMouseEvent eventDouble(QEvent::MouseButtonDblClick, pt, m_pButton->mapToGlobal(pt),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_pButton, &eventDouble);
        QVERIFY(m_pButton->isDown());
        QTest::mouseRelease(m_pButton, Qt::LeftButton, Qt::NoModifier, pt);
        QCOMPARE(spyClicked.count(), 2);
    }

    void sizeHintHoldsIconAndCaption() {
        m_pButton->SetIcon(ICON_RED);
        const QSize sizeIconOnly = m_pButton->sizeHint();
        QVERIFY(sizeIconOnly.width() >= 20 && sizeIconOnly.height() >= 12);
        m_pButton->setText(QStringLiteral("A rather long caption"));
        const QSize sizeCaption = m_pButton->sizeHint();
        QVERIFY(sizeCaption.width() >=
                3 + 20 + m_pButton->fontMetrics().horizontalAdvance(m_pButton->text()));
    }
};

QTEST_MAIN(HoverButtonTest)
#include "HoverButtonTest.moc"
