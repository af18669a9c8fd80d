#pragma once

#include <string>

class CCodePage;

// The desktop clipboard as the program uses it: plain text only. Texts are
// the file's bytes and are converted with the code page on their way out.
class CClipboard {
public:
    // Replaces the clipboard's content with the text, stored bytes in the
    // code page.
    static void SetText(const std::string& strText, const CCodePage& codePage);
    // The clipboard holds text (of this program or of any other).
    static bool HoldsText();
    // Empties the clipboard when it holds text, so that a copied password
    // does not outlive a lock or the program.
    static void EmptyIfText();
};
