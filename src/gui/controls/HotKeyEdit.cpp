// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controls/HotKeyEdit.h"

#include "core/shell/HotKeyCodes.h"
#include "platform/Translations.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace {

constexpr const char* NO_KEY_TEXT = KH_TEXT("Keyhaven", "None");

} // namespace

CHotKeyEdit::CHotKeyEdit(QWidget* pParent) : QLineEdit(pParent) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    ShowHotKey();
}

void CHotKeyEdit::SetHotKey(unsigned wVirtualKey, unsigned wFlags) {
    const bool bKnown = QtKeyFromVirtualKey(wVirtualKey) != 0;
    m_wVirtualKey = bKnown ? wVirtualKey : 0;
    m_wFlags = bKnown ? wFlags : 0;
    ShowHotKey();
}

void CHotKeyEdit::ShowHotKey() {
    const int nQtKey = QtKeyFromVirtualKey(m_wVirtualKey);
    if (nQtKey == 0) {
        setText(TrText(NO_KEY_TEXT));
        return;
    }
    const QKeyCombination combination(
        Qt::KeyboardModifiers::fromInt(int(QtModifiersFromHotKeyFlags(m_wFlags))), Qt::Key(nQtKey));
    setText(QKeySequence(combination).toString(QKeySequence::NativeText));
}

bool CHotKeyEdit::event(QEvent* pEvent) {
    if (pEvent->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(pEvent));
        return true;
    }
    if (pEvent->type() == QEvent::ShortcutOverride) {
        pEvent->accept();
        return true;
    }
    return QLineEdit::event(pEvent);
}

void CHotKeyEdit::keyPressEvent(QKeyEvent* pEvent) {
    const auto nModifiers = std::uint32_t(pEvent->modifiers().toInt());
    const int nKey = pEvent->key();
    const bool bPlain =
        (nModifiers & (QT_SHIFT_MODIFIER | QT_CONTROL_MODIFIER | QT_ALT_MODIFIER)) == 0;
    if (bPlain && (nKey == Qt::Key_Backspace || nKey == Qt::Key_Delete)) {
        SetHotKey(0, 0);
        emit HotKeyChanged();
        return;
    }
    const SHotKey hotKey = HotKeyFromQt(nKey, nModifiers);
    if (hotKey.m_wVirtualKey == 0 || IsRefusedModifiers(hotKey.m_wFlags))
        return;
    m_wVirtualKey = hotKey.m_wVirtualKey;
    m_wFlags = hotKey.m_wFlags;
    ShowHotKey();
    emit HotKeyChanged();
}
