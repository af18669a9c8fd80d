// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/DragEdit.h"
#include "gui/controls/DragTextEdit.h"
#include "gui/controls/HoverComboBox.h"

#include <QApplication>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QTest>

namespace {

// A point over the left edge of character nIndex of a line edit.
QPoint PointAt(CDragEdit& edit, int nIndex) {
    const int y = edit.height() / 2;
    for (int x = 0; x < edit.width(); ++x) {
        if (edit.cursorPositionAt(QPoint(x, y)) >= nIndex)
            return {x, y};
    }
    return {edit.width() - 1, y};
}

void Mouse(QWidget* pTarget, QEvent::Type eType, const QPoint& pt) {
    const Qt::MouseButton eButton = eType == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(eType, pt, pTarget->mapToGlobal(pt), eButton,
                      eType == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(pTarget, &event);
}

// Plays a drag loop at once: the drag enters pTarget at ptDrop and drops
// there with the modifiers given; returns the action the target took.
std::function<Qt::DropAction(QDrag*)> DropAt(QWidget* pTarget, QPoint ptDrop,
                                             Qt::KeyboardModifiers modifiers,
                                             QString* pDragged = nullptr) {
    return [=](QDrag* pDrag) {
        if (pDragged)
            *pDragged = pDrag->mimeData()->text();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(ptDrop, actions, pDrag->mimeData(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(pTarget, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDropEvent drop(QPointF(ptDrop), actions, pDrag->mimeData(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(pTarget, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    };
}

// Selects the middle word of "one two three" and drags it to character
// nDrop of the same line with the given modifiers.
void DragMiddleWord(CDragEdit& edit, int nDrop, Qt::KeyboardModifiers modifiers) {
    edit.setText(QStringLiteral("one two three"));
    edit.setSelection(4, 3);
    edit.DragDrop().m_fnExecDrag = DropAt(&edit, PointAt(edit, nDrop), modifiers);
    const QPoint ptPress = PointAt(edit, 5);
    Mouse(&edit, QEvent::MouseButtonPress, ptPress);
    Mouse(&edit, QEvent::MouseMove, ptPress + QPoint(0, QApplication::startDragDistance() + 1));
}

struct SLine {
    SLine() {
        edit.resize(400, 30);
        edit.show();
        edit.EnableDragDrop(CDragDropText::DRAG_SOURCE | CDragDropText::DROP_TARGET);
    }
    CDragEdit edit;
};

} // namespace

class CDragEditTest : public QObject {
    Q_OBJECT
private slots:
    void aWordMovesWithinItsLine();
    void ontoItselfNothingAndWithCtrlACopy();
    void pressAndReleasePlacesTheCaret();
    void linesLeaveWithCrLfAndTheMoveRemovesThem();
    void onlyTextIsAccepted();
    void theListRisesAndSinksWithThePointer();
};

void CDragEditTest::aWordMovesWithinItsLine() {
    SLine line;
    QVERIFY(!line.edit.EnableDragDrop(CDragDropText::DROP_TARGET)); // once only
    DragMiddleWord(line.edit, 1, Qt::NoModifier);
    // Both blanks that surrounded the word stay where they were.
    QCOMPARE(line.edit.text(), QStringLiteral("otwone  three"));
    QCOMPARE(line.edit.selectedText(), QStringLiteral("two"));
    QCOMPARE(line.edit.selectionStart(), 1);

    SLine end;
    DragMiddleWord(end.edit, 13, Qt::NoModifier);
    QCOMPARE(end.edit.text(), QStringLiteral("one  threetwo"));
    QCOMPARE(end.edit.selectedText(), QStringLiteral("two"));
}

void CDragEditTest::ontoItselfNothingAndWithCtrlACopy() {
    SLine self;
    DragMiddleWord(self.edit, 6, Qt::NoModifier);
    QCOMPARE(self.edit.text(), QStringLiteral("one two three"));
    SLine copy;
    DragMiddleWord(copy.edit, 0, Qt::ControlModifier);
    QCOMPARE(copy.edit.text(), QStringLiteral("twoone two three"));
    // The original stays; the copy is what is selected.
    QCOMPARE(copy.edit.selectedText(), QStringLiteral("two"));
    QCOMPARE(copy.edit.selectionStart(), 0);
}

void CDragEditTest::pressAndReleasePlacesTheCaret() {
    SLine line;
    line.edit.setText(QStringLiteral("one two three"));
    line.edit.setSelection(4, 3);
    const QPoint ptPress = PointAt(line.edit, 5);
    Mouse(&line.edit, QEvent::MouseButtonPress, ptPress);
    Mouse(&line.edit, QEvent::MouseButtonRelease, ptPress);
    QVERIFY(!line.edit.hasSelectedText());
    QCOMPARE(line.edit.cursorPosition(), 5);
    QCOMPARE(line.edit.text(), QStringLiteral("one two three"));
}

void CDragEditTest::linesLeaveWithCrLfAndTheMoveRemovesThem() {
    CDragTextEdit comments;
    comments.resize(300, 200);
    comments.show();
    comments.EnableDragDrop(CDragDropText::DRAG_SOURCE | CDragDropText::DROP_TARGET);
    comments.setPlainText(QStringLiteral("first\nsecond\nthird"));
    QTextCursor cursor(comments.document());
    cursor.setPosition(0);
    cursor.setPosition(12, QTextCursor::KeepAnchor); // "first\nsecond"
    comments.setTextCursor(cursor);
    // Another program's field takes the drop.
    SLine other;
    QString strDragged;
    comments.DragDrop().m_fnExecDrag =
        DropAt(&other.edit, QPoint(5, 10), Qt::NoModifier, &strDragged);
    const QPoint ptPress =
        comments.cursorRect(QTextCursor(comments.document())).center() + QPoint(8, 0);
    Mouse(comments.viewport(), QEvent::MouseButtonPress, ptPress);
    Mouse(comments.viewport(), QEvent::MouseMove, ptPress + QPoint(0, 30));
    QCOMPARE(strDragged, QStringLiteral("first\r\nsecond"));
    QCOMPARE(comments.toPlainText(), QStringLiteral("\nthird"));
    // The single-line field keeps one line: the break became a blank.
    QCOMPARE(other.edit.text(), QStringLiteral("first second"));
    // Text dropped into the comments shows its "\r\n" as one break, and
    // leaves again with "\r\n".
    comments.FieldInsertSelected(0, QStringLiteral("a\r\nb"));
    QCOMPARE(comments.toPlainText(), QStringLiteral("a\nb\nthird"));
    QCOMPARE(comments.TextWithCrLf(), QStringLiteral("a\r\nb\r\nthird"));
}

void CDragEditTest::onlyTextIsAccepted() {
    SLine line;
    QMimeData image;
    image.setImageData(QImage(2, 2, QImage::Format_RGB32));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &image, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&line.edit, &enter);
    QVERIFY(!enter.isAccepted());
    QMimeData text;
    text.setText(QStringLiteral("x"));
    QDragEnterEvent enterText(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton,
                              Qt::ControlModifier);
    QApplication::sendEvent(&line.edit, &enterText);
    QVERIFY(enterText.isAccepted());
    QCOMPARE(enterText.dropAction(), Qt::CopyAction);
    // A field that only drags refuses drops.
    CDragEdit sourceOnly;
    sourceOnly.EnableDragDrop(CDragDropText::DRAG_SOURCE);
    QVERIFY(!sourceOnly.acceptDrops());
}

void CDragEditTest::theListRisesAndSinksWithThePointer() {
    CHoverComboBox list;
    list.addItems({QStringLiteral("Bank"), QStringLiteral("Mail")});
    list.resize(150, 24);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCursor::setPos(list.mapToGlobal(QPoint(20, 10)));
    QTest::mouseMove(&list, QPoint(20, 10));
    QTRY_COMPARE(list.State(), CHoverComboBox::EState::hovered);
    QCursor::setPos(list.mapToGlobal(QPoint(400, 400)));
    QTRY_COMPARE(list.State(), CHoverComboBox::EState::normal);
    QCursor::setPos(list.mapToGlobal(QPoint(20, 10)));
    QTest::mousePress(&list, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(list.State(), CHoverComboBox::EState::pressed);
    list.hidePopup();
    QTRY_COMPARE(list.State(), CHoverComboBox::EState::hovered);
}

QTEST_MAIN(CDragEditTest)
#include "DragEditTest.moc"
