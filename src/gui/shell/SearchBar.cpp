// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/SearchBar.h"

#include "core/base/CommandIds.h"
#include "core/shell/CommandMap.h"
#include "platform/Translations.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <type_traits>

namespace {

// A control named by its visible text, or by strLabel when it shows none.
template <class T>
T* Named(T* pWidget, const char* pszName, int nId, const QString& strLabel = QString()) {
    pWidget->setObjectName(QString::fromLatin1(pszName));
    pWidget->setProperty("controlId", nId);
    if constexpr (std::is_base_of_v<QAbstractButton, T>)
        pWidget->setAccessibleName(strLabel.isEmpty() ? pWidget->text() : strLabel);
    else
        pWidget->setAccessibleName(strLabel);
    return pWidget;
}

} // namespace

CSearchBar::CSearchBar(CCommandMap& commands, QWidget* pParent)
    : QToolBar(TrText(KH_TEXT("Keyhaven", "Search Bar")), pParent), m_commands(commands) {
    setObjectName(QStringLiteral("SearchBar"));
    setProperty("controlId", ID_VIEW_SEARCHBAR);
    setMovable(false);

    m_pEdit = Named(new QLineEdit(this), "SearchEdit", IDC_SEARCH_EDIT,
                    TrText(KH_TEXT("Keyhaven", "Search")));
    m_pFindNext = Named(new QPushButton(TrText(KH_TEXT("Keyhaven", "Find Next")), this), "FindNext",
                        IDC_FIND_NEXT);
    m_pFindNext->setDefault(true);
    m_pMatchWord = Named(new QCheckBox(TrText(KH_TEXT("Keyhaven", "Match whole word")), this),
                         "MatchWholeWord", IDC_MATCH_WORD);
    m_pMatchCase = Named(new QCheckBox(TrText(KH_TEXT("Keyhaven", "Match case ")), this),
                         "MatchCase", IDC_MATCH_CASE);
    m_pHide = Named(new QPushButton(TrText(KH_TEXT("Keyhaven", "Hide")), this), "SearchHide",
                    ID_VIEW_SEARCHBAR);

    addWidget(m_pEdit);
    m_pEdit->installEventFilter(this);
    addWidget(m_pFindNext);
    addWidget(m_pMatchWord);
    addWidget(m_pMatchCase);
    addWidget(m_pHide);

    connect(m_pFindNext, &QPushButton::clicked, this,
            [this]() { m_commands.Execute(IDC_FIND_NEXT); });
    connect(m_pHide, &QPushButton::clicked, this,
            [this]() { m_commands.Execute(ID_VIEW_SEARCHBAR); });
}

QString CSearchBar::SearchText() const {
    return m_pEdit->text();
}
bool CSearchBar::IsMatchWholeWord() const {
    return m_pMatchWord->isChecked();
}
bool CSearchBar::IsMatchCase() const {
    return m_pMatchCase->isChecked();
}

void CSearchBar::PrepareToShow() {
    m_pEdit->clear();
    m_pEdit->setFocus(Qt::OtherFocusReason);
}

void CSearchBar::UpdateButtons() {
    m_pFindNext->setEnabled(m_commands.Update(IDC_FIND_NEXT).bEnabled);
    m_pHide->setEnabled(m_commands.Update(ID_VIEW_SEARCHBAR).bEnabled);
}

void CSearchBar::keyPressEvent(QKeyEvent* pEvent) {
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    const int nKey = pEvent->key();
    if (modifiers == Qt::NoModifier && (nKey == Qt::Key_Return || nKey == Qt::Key_Enter)) {
        m_commands.Execute(IDC_FIND_NEXT);
        pEvent->accept();
        return;
    }
    QToolBar::keyPressEvent(pEvent);
}

bool CSearchBar::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == m_pEdit && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Escape && pKey->modifiers() == Qt::NoModifier) {
            m_commands.Execute(ID_VIEW_SEARCHBAR);
            return true;
        }
    }
    return QToolBar::eventFilter(pWatched, pEvent);
}
