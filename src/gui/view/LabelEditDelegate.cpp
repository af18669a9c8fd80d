// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/LabelEditDelegate.h"

#include "core/store/PasswordInfo.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/view/TreeFilter.h"
#include "platform/Translations.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTextLayout>

QWidget* CLabelEditDelegate::createEditor(QWidget* pParent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    QWidget* pEditor = QStyledItemDelegate::createEditor(pParent, option, index);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pEditor)) {
        pEdit->setMaxLength(MAX_LABEL_LENGTH);
        pEdit->setObjectName(QStringLiteral("LabelEdit"));
        pEdit->setAccessibleName(TrText(KH_TEXT("Keyhaven", "Label")));
    }
    return pEditor;
}

void CLabelEditDelegate::setModelData(QWidget* pEditor, QAbstractItemModel*,
                                      const QModelIndex& index) const {
    if (auto* pEdit = qobject_cast<QLineEdit*>(pEditor))
        emit LabelEdited(index, pEdit->text());
}

bool CLabelEditDelegate::IsEditorKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return (event.modifiers() & Qt::ControlModifier) != 0;
    }
}

bool CLabelEditDelegate::eventFilter(QObject* pObject, QEvent* pEvent) {
    // Accepting the override sends the key to the editor, not to a shortcut
    // such as Delete (delete the item) or Ctrl+C (copy the password).
    if (pEvent->type() == QEvent::ShortcutOverride &&
        IsEditorKey(*static_cast<QKeyEvent*>(pEvent))) {
        pEvent->accept();
        return true;
    }
    return QStyledItemDelegate::eventFilter(pObject, pEvent);
}

void CLabelEditDelegate::initStyleOption(QStyleOptionViewItem* pOption,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(pOption, index);
    const auto* pView = qobject_cast<const QAbstractItemView*>(parent());
    if (!pView || index != pView->currentIndex())
        return;
    switch (CRecordTreeModel::Level(index)) {
    case 1:
        pOption->icon = CRecordTreeModel::Image(CRecordTreeModel::IMAGE_GROUP_OPEN);
        break;
    case 2:
        pOption->icon = CRecordTreeModel::Image(CRecordTreeModel::IMAGE_ACCOUNT_SELECTED);
        break;
    default:
        break;
    }
}

void CLabelEditDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const auto* pModel = qobject_cast<const CRecordTreeModel*>(index.model());
    const CPasswordInfo* pRecord = m_pRule && pModel && CRecordTreeModel::Level(index) == 2
                                       ? pModel->RecordOf(index)
                                       : nullptr;
    const std::vector<std::pair<int, int>> spans =
        pRecord ? CTreeFilter::ShownSpans(*m_pRule, pRecord->TextView(CPasswordInfo::account),
                                          *m_pCodePage)
                : std::vector<std::pair<int, int>>();
    if (spans.empty()) {
        QStyledItemDelegate::paint(pPainter, option, index);
        return;
    }
    // The row as usual without its text, then the text with the found
    // words marked.
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* pWidget = opt.widget;
    QStyle* pStyle = pWidget ? pWidget->style() : QApplication::style();
    const QRect rcText =
        pStyle->subElementRect(QStyle::SE_ItemViewItemText, &opt, pWidget).adjusted(2, 0, -2, 0);
    const QString strText = opt.text;
    opt.text.clear();
    pStyle->drawControl(QStyle::CE_ItemViewItem, &opt, pPainter, pWidget);

    QList<QTextLayout::FormatRange> formats;
    for (const auto& [nStart, nLength] : spans) {
        QTextLayout::FormatRange range;
        range.start = nStart;
        range.length = nLength;
        range.format.setBackground(QColor(255, 214, 0));
        range.format.setForeground(Qt::black);
        formats.append(range);
    }
    QTextLayout layout(strText, opt.font);
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const bool bSelected = (opt.state & QStyle::State_Selected) != 0;
    pPainter->save();
    pPainter->setClipRect(rcText);
    pPainter->setPen(opt.palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text));
    const qreal y = rcText.top() + (rcText.height() - line.height()) / 2;
    layout.draw(pPainter, QPointF(rcText.left(), y));
    pPainter->restore();
}
