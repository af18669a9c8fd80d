// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Prompts.h"
#include "core/base/StringTable.h"

#include <string>

class CCodePage;

// The edits of the three KEY dialogs, as bits so a rule can name several.
enum EKeyField : unsigned {
    KEYFIELD_NONE = 0,
    KEYFIELD_NEW = 1,      // Create KEY's KEY edit, Change Key's new edit
    KEYFIELD_CONFIRM = 2,  // the confirm edit of Create KEY and Change Key
    KEYFIELD_ORIGINAL = 4, // Change Key's original edit
    KEYFIELD_TYPED = 8,    // Check Key's edit
};

// What pressing OK does: close the dialog (with the new check value), or keep
// it open with a message, some edits emptied and the focus on one edit.
struct SKeyDlgOutcome {
    bool m_bClose = false;
    // UTF-8, exclamation icon; empty when closing, or when the dialog just
    // stays open (the user stopped the judging).
    std::string m_strMessage;
    unsigned m_nEmpty = KEYFIELD_NONE;
    EKeyField m_eFocus = KEYFIELD_NONE;
    std::string m_strKeyValue; // the new check value when Create or Change closes
    // The accepted KEY itself in code-page bytes (the new one for Create and
    // Change): a sealed file is sealed under it. Wiped by whoever takes it.
    std::string m_strKey;
};

// The OK rules of the KEY dialogs. Typed texts arrive as the user's UTF-8 and
// are converted to the code page before they are enciphered, so a KEY opens
// the same file on every machine. A character that the code page cannot hold
// refuses the entry; it is never replaced, and never named.
class CKeyDialogRules {
public:
    static SKeyDlgOutcome CreateKeyOk(const std::string& strNewKey,
                                      const std::string& strConfirmKey, const CCodePage& codePage);
    static SKeyDlgOutcome CheckKeyOk(const std::string& strTypedKey, const std::string& strKeyValue,
                                     const CCodePage& codePage);
    // Check Key for a sealed file: fnAccept judges the typed KEY.
    static SKeyDlgOutcome CheckKeyOk(const std::string& strTypedKey, const CKeyAcceptor& fnAccept,
                                     const CCodePage& codePage);
    static SKeyDlgOutcome ChangeKeyOk(const std::string& strOriginalKey,
                                      const std::string& strNewKey,
                                      const std::string& strConfirmKey,
                                      const std::string& strKeyValue, const CCodePage& codePage);

    // The refusal message for a character of a text (not a KEY) that the
    // code page has no byte for: %1 of pszTemplate is the character, %2 its
    // code point in hexadecimal.
    static std::string BadCharacterMessage(char32_t nChar, const char* pszTemplate);

private:
    // Converts one typed text; on failure fills strMessage and returns false.
    static bool ToCodePage(const std::string& strUtf8, const CCodePage& codePage,
                           std::string& strBytes, std::string& strMessage);
};
