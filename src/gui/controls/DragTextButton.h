// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controls/HoverButton.h"

#include <QPoint>
#include <QTimer>

#include <string>

class CCodePage;
class QDrag;
class QMimeData;

// A hover button that carries one text (a user name or a password, as the
// file's bytes). A click puts the text on the clipboard; pressing and moving
// the pointer drags it out as plain text that any program accepting text can
// take. The button never loses its text, whatever the drop target reports.
//
// The owner sets the text with SetDragText whenever the account shown
// changes, and disables the button while the text is empty or no account is
// shown. Clicks still reach the owner through clicked(); the copy has already
// happened by then, so owners do not copy again.
class CDragTextButton : public CHoverButton {
    Q_OBJECT

public:
    explicit CDragTextButton(QWidget* pParent = nullptr);

    void SetDragText(const std::string& strText);
    // A button that hands out a password marks what it copies as a secret,
    // which clipboard histories leave out (and the program may clear).
    void SetSecret(bool bSecret) { m_bSecret = bSecret; }
    // The code page of the text (the default one until set).
    void SetCodePage(const CCodePage& codePage) { m_pCodePage = &codePage; }
    const std::string& GetDragText() const { return m_strDragText; }

    // The data a drag offers: the text as text/plain (an empty text offers an
    // empty one). The caller owns the object.
    QMimeData* CreateDragData() const;

    bool IsDragPending() const { return m_bDragPending; }

signals:
    // The text was put on the clipboard by a click.
    void TextCopied();
    // A drag ended (dropped, refused or cancelled).
    void DragFinished(Qt::DropAction eAction);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

    // Runs the drag loop allowing eAllowed (copy by default); returns what the
    // target did. Tests replace it,
    // since a drag loop returns at once where there is no display server.
    virtual Qt::DropAction ExecDrag(QDrag* pDrag, Qt::DropActions eAllowed);

private:
    void CopyToClipboard();
    void StartDrag();
    void CancelPendingDrag();

    std::string m_strDragText;
    bool m_bSecret = false;
    const CCodePage* m_pCodePage;
    QPoint m_ptPress{-1, -1};
    // A move left the press point while pressed: the drag starts once the
    // pointer leaves the start distance or the start time has passed.
    bool m_bDragPending = false;
    // A drag ran during the current press: the rest of the press is no click.
    bool m_bDragged = false;
    QTimer m_timerDragStart;
};
