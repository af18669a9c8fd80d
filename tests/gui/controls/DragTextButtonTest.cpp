// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DragTextButton.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Records each drag instead of running the drag loop, and answers with the
// action a drop target would report.
class CRecordingDragButton : public CDragTextButton {
public:
    using CDragTextButton::CDragTextButton;

    int m_nDrags = 0;
    QStringList m_listFormats;
    QString m_strText;
    Qt::DropActions m_eSupported;
    Qt::DropAction m_eAnswer = Qt::CopyAction;
    bool m_bDownDuringDrag = false;

protected:
    Qt::DropAction ExecDrag(QDrag* pDrag, Qt::DropActions eAllowed) override {
        ++m_nDrags;
        m_listFormats = pDrag->mimeData()->formats();
        m_strText = pDrag->mimeData()->text();
        m_eSupported = eAllowed;
        m_bDownDuringDrag = isDown();
        return m_eAnswer;
    }
};

const QString CLIPBOARD_BEFORE = QStringLiteral("clipboard before");

} // namespace

class DragTextButtonTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_pWindow;
    CRecordingDragButton* m_pButton = nullptr;
    const QPoint m_ptPress{20, 15};

    QString Clipboard() const { return QApplication::clipboard()->text(); }

    void Press() { QTest::mousePress(m_pButton, Qt::LeftButton, Qt::NoModifier, m_ptPress); }
    void Release(QPoint pt) { QTest::mouseRelease(m_pButton, Qt::LeftButton, Qt::NoModifier, pt); }
    // A move with the left button held (Qt Test's moves carry no buttons).
    void DragTo(QPoint pt) {
        QMouseEvent event(QEvent::MouseMove, pt, m_pButton->mapToGlobal(pt), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_pButton, &event);
    }

private slots:
    void init() {
        QApplication::setStartDragDistance(10);
        QApplication::setStartDragTime(5000);
        m_pWindow = std::make_unique<QWidget>();
        m_pWindow->resize(300, 200);
        m_pButton = new CRecordingDragButton(m_pWindow.get());
        m_pButton->setGeometry(40, 40, 80, 30);
        m_pButton->SetDragText("s3cret pass");
        m_pWindow->show();
        m_pWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
        QApplication::clipboard()->setText(CLIPBOARD_BEFORE);
    }
    void cleanup() { m_pWindow.reset(); }

    void aClickCopiesTheTextAndStartsNoDrag() {
        QSignalSpy spyCopied(m_pButton, &CDragTextButton::TextCopied);
        QSignalSpy spyClicked(m_pButton, &QAbstractButton::clicked);
        Press();
        Release(m_ptPress);
        QCOMPARE(m_pButton->m_nDrags, 0);
        QCOMPARE(spyClicked.count(), 1);
        QCOMPARE(spyCopied.count(), 1);
        QCOMPARE(Clipboard(), QStringLiteral("s3cret pass"));
        QCOMPARE(m_pButton->GetDragText(), std::string("s3cret pass"));
    }

    void anEmptyTextCopiesNothing() {
        m_pButton->SetDragText("");
        QTest::mouseClick(m_pButton, Qt::LeftButton, Qt::NoModifier, m_ptPress);
        QCOMPARE(Clipboard(), CLIPBOARD_BEFORE);
    }

    void aMoveOutOfTheStartDistanceDragsTheText() {
        QSignalSpy spyClicked(m_pButton, &QAbstractButton::clicked);
        QSignalSpy spyFinished(m_pButton, &CDragTextButton::DragFinished);
        Press();
        DragTo(m_ptPress + QPoint(10, 0));
        QCOMPARE(m_pButton->m_nDrags, 1);
        QVERIFY(m_pButton->m_bDownDuringDrag);
        QCOMPARE(m_pButton->m_listFormats, QStringList{QStringLiteral("text/plain")});
        QCOMPARE(m_pButton->m_strText, QStringLiteral("s3cret pass"));
        QVERIFY(m_pButton->m_eSupported.testFlag(Qt::CopyAction));
        QCOMPARE(spyFinished.count(), 1);
        // The drag took the press: no click, no copy, no highlight.
        QVERIFY(!m_pButton->isDown());
        QVERIFY(!m_pButton->IsMouseOver());
        DragTo(m_ptPress);
        Release(m_ptPress);
        QCOMPARE(spyClicked.count(), 0);
        QCOMPARE(m_pButton->m_nDrags, 1);
        QCOMPARE(Clipboard(), CLIPBOARD_BEFORE);
    }

    void theSourceKeepsItsTextWhenTheTargetMovesIt() {
        m_pButton->m_eAnswer = Qt::MoveAction;
        Press();
        DragTo(m_ptPress + QPoint(0, -12));
        QCOMPARE(m_pButton->m_nDrags, 1);
        QCOMPARE(m_pButton->GetDragText(), std::string("s3cret pass"));
        Release(m_ptPress);
        // And the next drag offers the same text.
        Press();
        DragTo(m_ptPress + QPoint(-12, 0));
        QCOMPARE(m_pButton->m_nDrags, 2);
        QCOMPARE(m_pButton->m_strText, QStringLiteral("s3cret pass"));
        Release(m_ptPress);
    }

    void aMoveOutOfTheButtonDragsEvenThoughItIsNoLongerDown() {
        Press();
        DragTo(QPoint(200, 15));
        QCOMPARE(m_pButton->m_nDrags, 1);
        Release(QPoint(200, 15));
    }

    void aMoveAtThePressPointStartsNoDrag() {
        Press();
        DragTo(m_ptPress);
        QCOMPARE(m_pButton->m_nDrags, 0);
        QVERIFY(!m_pButton->IsDragPending());
        Release(m_ptPress);
        QCOMPARE(Clipboard(), QStringLiteral("s3cret pass"));
    }

    void aSmallMoveAndAQuickReleaseIsStillAClick() {
        Press();
        DragTo(m_ptPress + QPoint(2, 1));
        QCOMPARE(m_pButton->m_nDrags, 0);
        QVERIFY(m_pButton->IsDragPending());
        Release(m_ptPress + QPoint(2, 1));
        QVERIFY(!m_pButton->IsDragPending());
        QCOMPARE(m_pButton->m_nDrags, 0);
        QCOMPARE(Clipboard(), QStringLiteral("s3cret pass"));
    }

    void aSmallMoveHeldPastTheStartTimeDrags() {
        QApplication::setStartDragTime(30);
        Press();
        DragTo(m_ptPress + QPoint(1, 0));
        QCOMPARE(m_pButton->m_nDrags, 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_pButton->m_nDrags, 1, 2000);
        Release(m_ptPress + QPoint(1, 0));
        QCOMPARE(Clipboard(), CLIPBOARD_BEFORE);
    }

    void withoutAPressMovesNeverDrag() {
        QTest::mouseMove(m_pButton, m_ptPress);
        QTest::mouseMove(m_pButton, m_ptPress + QPoint(30, 5));
        QCOMPARE(m_pButton->m_nDrags, 0);
    }

    void textsAreConvertedWithTheCodePage() {
        m_pButton->SetDragText("caf\xE9 \x80");
        std::unique_ptr<QMimeData> pData(m_pButton->CreateDragData());
        QCOMPARE(pData->text(), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
        QTest::mouseClick(m_pButton, Qt::LeftButton, Qt::NoModifier, m_ptPress);
        QCOMPARE(Clipboard(), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
    }

    void anEmptyTextDragsAnEmptyText() {
        m_pButton->SetDragText("");
        Press();
        DragTo(m_ptPress + QPoint(15, 0));
        QCOMPARE(m_pButton->m_nDrags, 1);
        QCOMPARE(m_pButton->m_listFormats, QStringList{QStringLiteral("text/plain")});
        QCOMPARE(m_pButton->m_strText, QString());
        Release(m_ptPress);
    }

    void aDisabledButtonNeitherCopiesNorDrags() {
        m_pButton->setEnabled(false);
        QTest::mouseClick(m_pButton, Qt::LeftButton, Qt::NoModifier, m_ptPress);
        Press();
        DragTo(m_ptPress + QPoint(15, 0));
        Release(m_ptPress);
        QCOMPARE(m_pButton->m_nDrags, 0);
        QCOMPARE(Clipboard(), CLIPBOARD_BEFORE);
        // The text stays for when the button is enabled again.
        QCOMPARE(m_pButton->GetDragText(), std::string("s3cret pass"));
    }

    void showsTheDragCursor() { QCOMPARE(m_pButton->cursor().shape(), Qt::OpenHandCursor); }
};

QTEST_MAIN(DragTextButtonTest)
#include "DragTextButtonTest.moc"
