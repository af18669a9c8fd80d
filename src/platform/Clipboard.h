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

    // Seconds before a copied password is removed (0 = never), asked at
    // each copy so that a changed setting counts from the next one.
    using CClearDelay = std::function<unsigned()>;
    static void SetClearDelay(CClearDelay fnSeconds);
    // Told of every password put on the clipboard, with the seconds before
    // it is removed (0 = never), so that the user learns it.
    using CPasswordCopied = std::function<void(unsigned nSeconds)>;
    static void SetPasswordCopied(CPasswordCopied fnCopied);
    // The data of a password put on the clipboard: text plus the hint.
    static QMimeData* MakePasswordData(const std::string& strText, const CCodePage& codePage);

    // The hint's type and value.
    static constexpr const char* SECRET_HINT_TYPE = "x-kde-passwordManagerHint";
    static constexpr const char* SECRET_HINT_VALUE = "secret";
};
