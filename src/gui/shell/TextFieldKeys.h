// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QKeyEvent;
class QObject;

// The keys a focused text field keeps from the window's shortcuts. Before a
// key runs a shortcut, Qt offers it to the focused widget, which claims the
// keys it acts on: a line edit claims Ctrl+A, but a read-only comments box
// claims nothing, and no field claims Ctrl+B, so the window's Add Account or
// Copy User Name would run from inside a field. In a line edit, and in a
// text box that can be read with the keyboard, the keys that select, copy
// and move by words and lines belong to the field, and so do the window's
// copy keys: copying there means the field's own text. The keys that change
// the text (cut, paste, undo, redo, deleting words and lines) belong to it
// while it can be changed.
class CTextFieldKeys {
public:
    // Whether pReceiver is such a field and the key one of its own.
    static bool IsFieldKey(const QObject* pReceiver, const QKeyEvent& event);
    // For an application event filter: claims a ShortcutOverride event for
    // the field it is offered to; true when it did.
    static bool ClaimOverride(QObject* pReceiver, QKeyEvent& event);
};
