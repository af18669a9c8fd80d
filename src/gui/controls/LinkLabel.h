// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/controls/UnderlineStatic.h"

#include <functional>
#include <string>

class CCodePage;
class CPrompts;

// A link: an underlined blue text that shows its target as a tooltip, points
// with a hand, and opens the target when clicked. A failed launch is reported
// with the link error message through the prompt seam.
//
// The target is a stored text (the file's bytes): a web address, "mailto:"
// and an address, or anything the desktop can open. When the control is first
// shown (or polished), an empty target is taken from the text, and an empty
// text shows the target.
class CLinkLabel : public CUnderlineStatic {
    Q_OBJECT

public:
    using FnOpenLink = std::function<int(const std::string&)>;

    explicit CLinkLabel(QWidget* pParent = nullptr);
    explicit CLinkLabel(const QString& strText, QWidget* pParent = nullptr);

    // Stores the target; once attached, refits the size (when auto-sizing)
    // and shows the new target as the tooltip.
    void SetLinkTarget(const std::string& strTarget);
    const std::string& GetLinkTarget() const { return m_strLinkTarget; }
    // Shows a new text at once, also in a hidden window: the old one (an
    // account's web site or address) is gone when this returns.
    void SetLinkText(const QString& strText);
    // The code page of the target and text (the default one until set).
    void SetCodePage(const CCodePage& codePage) { m_pCodePage = &codePage; }

    // Auto-sizing (on by default) fits the control to its text, keeping the
    // left, right or centre per the horizontal alignment, and the top or the
    // vertical centre (Qt::AlignVCenter).
    void SetAutoSize(bool bAutoSize);
    bool GetAutoSize() const { return m_bAutoSize; }

    // The launcher a click uses (OpenLink unless replaced).
    void SetLauncher(FnOpenLink fnOpenLink) { m_fnOpenLink = std::move(fnOpenLink); }
    // Where failures are reported; without one a message box of the desktop
    // program's own prompts is shown over the link's window.
    void SetPrompts(CPrompts* pPrompts) { m_pPrompts = pPrompts; }

    // Opens the target as a click does and reports a failure.
    void Activate();
    void ReportLinkError(int nResult);

    bool IsAttached() const { return m_bAttached; }
    // The text's size in the link font: what auto-sizing fits the control to.
    QSize TextSize() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    QColor TextBackground() const override;

private:
    void Init();
    void Attach();
    void RefitSize();
    QString TargetText() const;

    std::string m_strLinkTarget;
    const CCodePage* m_pCodePage = nullptr;
    bool m_bAutoSize = true;
    bool m_bAttached = false;
    bool m_bPressed = false;
    FnOpenLink m_fnOpenLink;
    CPrompts* m_pPrompts = nullptr;
};
