// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Marks a fixed text of the program for the translation tools, which collect
// every KH_TEXT("Keyhaven", "...") into the translation files. The text
// itself stays the English source text: nothing is translated where it is
// written, only where it is shown (TranslateText, or the windows' own lookup).
#define KH_TEXT(context, text) text

// The program's translation: given an English source text, the text to show
// instead, or the source itself when there is none. The returned pointer must
// stay valid for the life of the program. Only the window program sets one;
// without it (the command-line program, the tests) every text is English.
using PFN_TRANSLATE_TEXT = const char* (*)(const char* pszSource);

// Sets the translation; nullptr restores the English texts.
void SetTextTranslator(PFN_TRANSLATE_TEXT pfnTranslate);

// The text to show for a marked source text.
const char* TranslateText(const char* pszSource);

// The same for a printf format: a translation is used only when it has the
// very same conversions in the same order as the source ("%d", "%s", "%u" ...),
// so a faulty translation can never hand a number where a text is read.
const char* TranslateFormat(const char* pszSource);

// The conversions of a printf format in order, each as written without its
// "%" ("ds" for "%d of %s", "5u" for "%5u"); "%%" is no conversion.
std::string FormatConversions(std::string_view strFormat);
