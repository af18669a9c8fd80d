// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/layout/ETSLayoutFormView.h"

#include <QChildEvent>
#include <QGroupBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {

const char* const CONTROL_ID = "controlId";

// A child widget as the layout engine sees it.
class CWidgetControl : public CLayoutControl {
public:
    explicit CWidgetControl(QWidget* pWidget) : m_pWidget(pWidget) {}

    int GetId() const override { return m_pWidget ? m_pWidget->property(CONTROL_ID).toInt() : 0; }
    bool IsVisible() const override { return m_pWidget && !m_pWidget->isHidden(); }
    // A widget nobody has sized yet has the size it asks for; after that,
    // the size it was given.
    CLayoutSize GetCurrentSize() const override {
        if (!m_pWidget)
            return {};
        QSize size = m_pWidget->size();
        if (!m_pWidget->testAttribute(Qt::WA_Resized) && m_pWidget->sizeHint().isValid())
            size = m_pWidget->sizeHint();
        return {size.width(), size.height()};
    }
    void MoveTo(const CLayoutRect& rc) override {
        if (m_pWidget)
            m_pWidget->setGeometry(rc.left, rc.top, rc.Width(), rc.Height());
    }

private:
    QPointer<QWidget> m_pWidget;
};

} // namespace

class ETSLayoutFormView::CManager : public CLayoutFormManager {
public:
    explicit CManager(ETSLayoutFormView& view) : m_view(view) {}

    std::shared_ptr<CLayoutControl> Wrap(QWidget* pWidget) const {
        if (!pWidget)
            return nullptr;
        return std::make_shared<CWidgetControl>(pWidget);
    }

protected:
    CLayoutRect GetLayoutRect() const override { return {0, 0, m_view.width(), m_view.height()}; }
    std::shared_ptr<CLayoutControl> FindControl(int nId) const override {
        return Wrap(m_view.FindControl(nId));
    }
    void InvalidateWindow() override { m_view.update(); }

private:
    ETSLayoutFormView& m_view;
};

ETSLayoutFormView::ETSLayoutFormView(QWidget* pParent)
    : QWidget(pParent), m_pManager(std::make_unique<CManager>(*this)) {}

ETSLayoutFormView::~ETSLayoutFormView() {
    for (QObject* pChild : children())
        pChild->removeEventFilter(this);
}

CLayoutNodePtr ETSLayoutFormView::CreateItem(int nId, unsigned nMode, int nWidth, int nHeight,
                                             int nMinWidth, int nMinHeight) {
    return m_pManager->CreateItem(nId, nMode, nWidth, nHeight, nMinWidth, nMinHeight);
}

CLayoutNodePtr ETSLayoutFormView::CreateItem(QWidget* pWidget, unsigned nMode, int nWidth,
                                             int nHeight, int nMinWidth, int nMinHeight) {
    return m_pManager->CreateItem(m_pManager->Wrap(pWidget), nMode, nWidth, nHeight, nMinWidth,
                                  nMinHeight);
}

CLayoutPanePtr ETSLayoutFormView::CreatePane(int nOrientation, unsigned nMode, int nSpacing,
                                             int nMargin, int nSecondary) {
    return m_pManager->CreatePane(nOrientation, nMode, nSpacing, nMargin, nSecondary);
}

CLayoutPanePtr ETSLayoutFormView::CreateRootPane(int nOrientation, int nMargin) {
    return m_pManager->CreateRootPane(nOrientation, nMargin);
}

void ETSLayoutFormView::SetRootPane(CLayoutPanePtr pPane) {
    m_pManager->SetRootPane(std::move(pPane));
    UpdateLayout();
}

CLayoutPanePtr ETSLayoutFormView::GetRootPane() const {
    return m_pManager->GetRootPane();
}

void ETSLayoutFormView::UpdateLayout() {
    // Limits first: a view below its new minimum grows, and that resize
    // lays it out again anyway.
    ApplySizeLimits();
    m_pManager->UpdateLayout();
}

QWidget* ETSLayoutFormView::FindControl(int nId) const {
    const auto widgets = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* pWidget : widgets) {
        bool bOk = false;
        if (pWidget->property(CONTROL_ID).toInt(&bOk) == nId && bOk)
            return pWidget;
    }
    return nullptr;
}

QRegion ETSLayoutFormView::EraseRegion() const {
    QRegion region(rect());
    const auto widgets = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* pChild : widgets) {
        if (pChild->isWindow() || pChild->isHidden() || qobject_cast<QGroupBox*>(pChild))
            continue;
        if (auto* pTabs = qobject_cast<QTabWidget*>(pChild)) {
            const QTabBar* pBar = pTabs->tabBar();
            if (!pBar->isHidden())
                region -= QRect(pBar->mapTo(this, QPoint(0, 0)), pBar->size());
            continue;
        }
        region -= pChild->geometry();
    }
    return region;
}

void ETSLayoutFormView::GetMinMaxInfo(CLayoutMinMaxInfo& info,
                                      const CLayoutSize& sizeOverhead) const {
    m_pManager->GetMinMaxInfo(info, sizeOverhead);
}

QSize ETSLayoutFormView::minimumSizeHint() const {
    if (!m_pManager->GetRootPane())
        return QWidget::minimumSizeHint();
    CLayoutMinMaxInfo info;
    GetMinMaxInfo(info, {0, 0});
    return {info.ptMinTrackSize.cx, info.ptMinTrackSize.cy};
}

void ETSLayoutFormView::ApplySizeLimits() {
    CLayoutMinMaxInfo info{
        {0, 0}, {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX}, {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX}};
    GetMinMaxInfo(info, {0, 0});
    setMinimumSize(info.ptMinTrackSize.cx, info.ptMinTrackSize.cy);
    setMaximumSize(info.ptMaxTrackSize.cx, info.ptMaxTrackSize.cy);
}

void ETSLayoutFormView::resizeEvent(QResizeEvent* pEvent) {
    QWidget::resizeEvent(pEvent);
    if (width() + height() > 0)
        m_pManager->UpdateLayout();
}

void ETSLayoutFormView::paintEvent(QPaintEvent* pEvent) {
    QPainter painter(this);
    painter.setClipRegion(EraseRegion() & pEvent->region());
    painter.fillRect(rect(), palette().brush(backgroundRole()));
}

void ETSLayoutFormView::childEvent(QChildEvent* pEvent) {
    QWidget::childEvent(pEvent);
    if (pEvent->added())
        pEvent->child()->installEventFilter(this);
    else if (pEvent->removed())
        pEvent->child()->removeEventFilter(this);
}

bool ETSLayoutFormView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    const QEvent::Type type = pEvent->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && pWatched->parent() == this &&
        pWatched->isWidgetType())
        m_pManager->UpdateLayout();
    return QWidget::eventFilter(pWatched, pEvent);
}
