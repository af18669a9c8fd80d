// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>
#include <QSize>

// The flat icon push button of the program's dialogs and of the Password Bar:
// an icon (and the caption, if any) on a flat face, with a thin raised border
// while the pointer is over the button and a sunken one while it is pressed.
// The highlight is drawn only while one of the program's windows is active.
// Icons are numbered pictures from the resource ":/icons/<number>.svg".
class CHoverButton : public QPushButton {
    Q_OBJECT

public:
    explicit CHoverButton(QWidget* pParent = nullptr);
    explicit CHoverButton(const QString& strText, QWidget* pParent = nullptr);

    // Shows icon nIconIn while hovered or pressed and nIconOut otherwise
    // (nIconOut 0: the same icon). Replaces the icons held before; a number
    // without a picture leaves the button without that icon.
    void SetIcon(int nIconIn, int nIconOut = 0);
    // One icon for both states; 0 removes the icon.
    void SetIconId(int nIconId) { SetIcon(nIconId); }
    int IconId() const { return m_nIconIn; }
    int IconOutId() const { return m_nIconOut; }

    // Ends the highlight. Owners call it before opening a pop-up menu from
    // the button, since the menu takes the pointer away without a leave.
    void ResetHover();

    bool IsMouseOver() const { return m_bMouseOver; }
    // True when the button holds an icon for its normal state.
    bool HasIcon() const { return !m_iconOut.isNull(); }
    QSize IconSize() const { return m_sizeIcon; }
    // The icon that the current state draws (the hovered/pressed or the
    // normal one).
    const QIcon& CurrentIcon() const;

    // The numbered icon, or an empty icon when the resource is missing.
    static QIcon LoadNumberedIcon(int nIconId);
    // The desktop theme's icon of that name, drawn at the size of the
    // numbered icon, which stands in where the theme has none.
    void SetThemeIcon(const QString& strThemeName, int nFallbackId);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void enterEvent(QEnterEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

    // The highlight rules for a pointer at ptPos (button coordinates) with
    // the given mouse buttons held.
    void TrackHover(const QPoint& ptPos, Qt::MouseButtons buttons);

private:
    void Init();
    void DrawBorder(class QPainter& painter, bool bPressed) const;
    void DrawCaption(class QPainter& painter, const QRect& rectText) const;

    int m_nIconIn = 0;
    int m_nIconOut = 0;
    QIcon m_iconIn;
    QIcon m_iconOut;
    QSize m_sizeIcon;
    bool m_bIsFlat = true;
    bool m_bDrawBorder = true;
    bool m_bMouseOver = false;
    bool m_bShowCaption = true;
    QColor m_clrFace;
    QColor m_clrText;
};
