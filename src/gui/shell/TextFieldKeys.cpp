// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/TextFieldKeys.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <iterator>

namespace {

// The keys that read or select a field's text.
constexpr QKeySequence::StandardKey READING_KEYS[] = {
    QKeySequence::SelectAll,
    QKeySequence::Deselect,
    QKeySequence::Copy,
    QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousWord,
    QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfDocument,
    QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousWord,
    QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,
    QKeySequence::SelectStartOfDocument,
    QKeySequence::SelectEndOfDocument,
};

// The keys that change it: a read-only field leaves them to the window
// (Ctrl+K, which deletes to the line's end, reaches the filter from there).
constexpr QKeySequence::StandardKey CHANGING_KEYS[] = {
    QKeySequence::Cut,
    QKeySequence::Paste,
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
};

// Copy User Name's key, Ctrl+C's sibling: in a field it copies nothing of
// the account either.
constexpr QKeyCombination WINDOW_COPY_KEYS[] = {Qt::CTRL | Qt::Key_B};

enum class EField { none, readOnly, editable };

template <class T> EField TextBoxKind(const T* pText) {
    const Qt::TextInteractionFlags flags = pText->textInteractionFlags();
    if (flags & Qt::TextEditable)
        return EField::editable;
    return (flags & Qt::TextSelectableByKeyboard) ? EField::readOnly : EField::none;
}

EField FieldKind(const QObject* pObject) {
    if (const auto* pLine = qobject_cast<const QLineEdit*>(pObject))
        return pLine->isReadOnly() ? EField::readOnly : EField::editable;
    if (const auto* pText = qobject_cast<const QTextEdit*>(pObject))
        return TextBoxKind(pText);
    if (const auto* pPlain = qobject_cast<const QPlainTextEdit*>(pObject))
        return TextBoxKind(pPlain);
    return EField::none;
}

template <std::size_t N>
bool MatchesAny(const QKeyEvent& event, const QKeySequence::StandardKey (&keys)[N]) {
    return std::any_of(std::begin(keys), std::end(keys),
                       [&event](QKeySequence::StandardKey eKey) { return event.matches(eKey); });
}

} // namespace

bool CTextFieldKeys::IsFieldKey(const QObject* pReceiver, const QKeyEvent& event) {
    const EField eKind = FieldKind(pReceiver);
    if (eKind == EField::none)
        return false;
    if (MatchesAny(event, READING_KEYS) ||
        (eKind == EField::editable && MatchesAny(event, CHANGING_KEYS)))
        return true;
    const QKeyCombination key(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    return std::find(std::begin(WINDOW_COPY_KEYS), std::end(WINDOW_COPY_KEYS), key) !=
           std::end(WINDOW_COPY_KEYS);
}

bool CTextFieldKeys::ClaimOverride(QObject* pReceiver, QKeyEvent& event) {
    if (event.type() != QEvent::ShortcutOverride || !IsFieldKey(pReceiver, event))
        return false;
    event.accept();
    return true;
}
