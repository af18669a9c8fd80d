// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

class CCodePage;
class QMimeData;

// The desktop clipboard as the program uses it: plain text only. Texts are
// the file's bytes and are converted with the code page on their way out.
class CClipboard {
public:
    // Replaces the clipboard's content with the text, stored bytes in the
    // code page.
    static void SetText(const std::string& strText, const CCodePage& codePage);
    // As SetText, for a password: the text carries the hint that clipboard
    // managers honour by keeping it out of their history, and it is removed
    // after the clearing delay unless the clipboard changed in between.
    static void SetPassword(const std::string& strText, const CCodePage& codePage);
    // The clipboard holds text (of this program or of any other).
    static bool HoldsText();
    // Empties the clipboard when it holds text, so that a copied password
    // does not outlive a lock or the program.
    static void EmptyIfText();

    // What became of the last password put on the clipboard.
    enum class EPassword {
        copied,   // just put there; the seconds are the clearing delay (0 = never)
        counting, // still there; the seconds left before it is removed
        cleared,  // removed by the program (the delay ran out, or a lock)
        replaced, // another text took its place before the delay ran out
    };

    // Seconds before a copied password is removed (0 = never), asked at
    // each copy so that a changed setting counts from the next one.
    using CClearDelay = std::function<unsigned()>;
    static void SetClearDelay(CClearDelay fnSeconds);
    // Told of every password put on the clipboard, then once a second of the
    // seconds left, then of its end, so that the user can follow it.
    using CPasswordWatch = std::function<void(EPassword eState, unsigned nSeconds)>;
    static void SetPasswordWatch(CPasswordWatch fnWatch);
    // The data of a password put on the clipboard: text plus the hint.
    static QMimeData* MakePasswordData(const std::string& strText, const CCodePage& codePage);

    // The hint's type and value.
    static constexpr const char* SECRET_HINT_TYPE = "x-kde-passwordManagerHint";
    static constexpr const char* SECRET_HINT_VALUE = "secret";
};
