// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/LinkLabel.h"

#include "core/link/LinkCommand.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "platform/DesktopLinkOpener.h"
#include "platform/QtPrompts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// A link as assistive tools see it: the role of a link, named by its label
// (or its text), described by its target, and opened by its press action.
class CLinkAccessible : public QAccessibleWidget {
public:
    explicit CLinkAccessible(CLinkLabel* pLink) : QAccessibleWidget(pLink, QAccessible::Link) {}

    QString text(QAccessible::Text eText) const override {
        const auto* pLink = static_cast<const CLinkLabel*>(widget());
        if (eText == QAccessible::Name && pLink->accessibleName().isEmpty())
            return pLink->text();
        if (eText == QAccessible::Description && pLink->accessibleDescription().isEmpty())
            return pLink->toolTip();
        return QAccessibleWidget::text(eText);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& strAction) override {
        if (strAction == pressAction())
            static_cast<CLinkLabel*>(widget())->Activate();
    }
};

QAccessibleInterface* LinkAccessibleFactory(const QString& strClass, QObject* pObject) {
    if (strClass == QLatin1String("CLinkLabel") && pObject && pObject->isWidgetType())
        return new CLinkAccessible(static_cast<CLinkLabel*>(pObject));
    return nullptr;
}

} // namespace

CLinkLabel::CLinkLabel(QWidget* pParent) : CUnderlineStatic(pParent) {
    Init();
}

CLinkLabel::CLinkLabel(const QString& strText, QWidget* pParent)
    : CUnderlineStatic(strText, pParent) {
    Init();
}

void CLinkLabel::Init() {
    static const bool bAccessibleInstalled =
        (QAccessible::installFactory(&LinkAccessibleFactory), true);
    (void)bAccessibleInstalled;
    setCursor(Qt::PointingHandCursor);
    // A keyboard user reaches a link with Tab and opens it with Space or
    // Enter, as a button.
    setFocusPolicy(Qt::StrongFocus);
    m_pCodePage = &CCodePage::Default();
    m_fnOpenLink = [this](const std::string& strTarget) {
        return OpenLink(strTarget, *m_pCodePage);
    };
}

QString CLinkLabel::TargetText() const {
    return QString::fromStdString(m_pCodePage->ToUtf8(m_strLinkTarget));
}

bool CLinkLabel::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::Polish && !m_bAttached)
        Attach();
    return CUnderlineStatic::event(pEvent);
}

void CLinkLabel::Attach() {
    m_bAttached = true;
    if (m_strLinkTarget.empty()) {
        std::string strTarget;
        // A text the code page cannot hold cannot be a stored target either.
        if (m_pCodePage->FromUtf8(text().toStdString(), strTarget))
            m_strLinkTarget = strTarget;
    }
    if (text().isEmpty())
        setText(TargetText());
    QFont fontLink = font();
    fontLink.setUnderline(true);
    setFont(fontLink);
    if (m_bAutoSize)
        RefitSize();
    setToolTip(TargetText());
}

void CLinkLabel::SetLinkTarget(const std::string& strTarget) {
    // The target may be an account's web site or address: an assignment
    // would keep the old one behind the new one's end.
    CSecretBuffer::Wipe(m_strLinkTarget);
    m_strLinkTarget = strTarget;
    if (!m_bAttached)
        return;
    if (m_bAutoSize)
        RefitSize();
    setToolTip(TargetText());
}

void CLinkLabel::SetLinkText(const QString& strText) {
    setText(strText);
    // A label that takes the focus keeps its text in a document of its own,
    // brought up to date only when the label is next laid out, which a
    // hidden (locked) window never is. Asking for a selection does it now.
    setSelection(0, 0);
}

void CLinkLabel::SetAutoSize(bool bAutoSize) {
    m_bAutoSize = bAutoSize;
    updateGeometry();
    if (m_bAttached && m_bAutoSize)
        RefitSize();
}

QSize CLinkLabel::TextSize() const {
    QFont fontLink = font();
    fontLink.setUnderline(true);
    return QFontMetrics(fontLink).size(0, text());
}

void CLinkLabel::RefitSize() {
    const QSize sizeText = TextSize();
    const QRect rectOld = geometry();
    int nLeft = rectOld.left();
    if (alignment().testFlag(Qt::AlignHCenter))
        nLeft += (rectOld.width() - sizeText.width()) / 2;
    else if (alignment().testFlag(Qt::AlignRight))
        nLeft += rectOld.width() - sizeText.width();
    int nTop = rectOld.top();
    if (alignment().testFlag(Qt::AlignVCenter))
        nTop += (rectOld.height() - sizeText.height()) / 2;
    setGeometry(nLeft, nTop, sizeText.width(), sizeText.height());
    updateGeometry();
}

QSize CLinkLabel::sizeHint() const {
    return m_bAutoSize ? TextSize() : CUnderlineStatic::sizeHint();
}

QSize CLinkLabel::minimumSizeHint() const {
    // A link that does not size itself may shrink: its text ends with "...".
    return m_bAutoSize ? TextSize() : QSize(0, CUnderlineStatic::minimumSizeHint().height());
}

QColor CLinkLabel::TextBackground() const {
    return QColor(Qt::white);
}

void CLinkLabel::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        m_bPressed = true;
        pEvent->accept();
        return;
    }
    CUnderlineStatic::mousePressEvent(pEvent);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton && m_bPressed) {
        m_bPressed = false;
        pEvent->accept();
        if (rect().contains(pEvent->position().toPoint()))
            Activate();
        return;
    }
    CUnderlineStatic::mouseReleaseEvent(pEvent);
}

void CLinkLabel::keyPressEvent(QKeyEvent* pEvent) {
    switch (pEvent->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (pEvent->modifiers() == Qt::NoModifier || pEvent->modifiers() == Qt::KeypadModifier) {
            pEvent->accept();
            Activate();
            return;
        }
        break;
    default:
        break;
    }
    CUnderlineStatic::keyPressEvent(pEvent);
}

void CLinkLabel::paintEvent(QPaintEvent* pEvent) {
    CUnderlineStatic::paintEvent(pEvent);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = TextBackground();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void CLinkLabel::Activate() {
    const int nResult =
        m_fnOpenLink ? m_fnOpenLink(m_strLinkTarget) : OpenLink(m_strLinkTarget, *m_pCodePage);
    if (nResult > LINK_FAILURE_MAX)
        return;
    QApplication::beep();
    ReportLinkError(nResult);
}

void CLinkLabel::ReportLinkError(int nResult) {
    const std::string strMessage = LinkErrorMessage(nResult);
    if (m_pPrompts != nullptr) {
        m_pPrompts->MessageBox(strMessage, EMsgIcon::exclamation, EMsgButtons::ok);
        return;
    }
    CQtPrompts::ShowMessage(window(), strMessage, EMsgIcon::exclamation, EMsgButtons::ok);
}
