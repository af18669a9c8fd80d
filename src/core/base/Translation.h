// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Marks a fixed text of the program for the translation tools, which collect
// every KH_TEXT("Keyhaven", "...") into the translation files. The text
// itself stays the English source text: nothing is translated where it is
// written, only where it is shown (TranslateText, or the windows' own lookup).
#define KH_TEXT(context, text) text

// The context of every text marked with KH_TEXT.
inline constexpr const char* TEXT_CONTEXT = "Keyhaven";

// A text whose translation depends on where it stands: "none" as a strength
// is feminine in French, "none" as a missing link is not. The context names
// the place and travels with the text to the lookup.
struct STextIn {
    const char* pszContext;
    const char* pszSource;
};
#define KH_TEXT_IN(context, text)                                                                  \
    STextIn {                                                                                      \
        context, text                                                                              \
    }

// A text about a number of things: "%n" stands for the number. The English
// text has two forms, for many and for one; a translation has as many as its
// language needs ("1 Konto", "2 Konten"; French counts 0 with 1). The form
// for one also tells the translators which text they translate.
struct SCountText {
    const char* pszContext;
    const char* pszMany;
    const char* pszOne;
};
#define KH_COUNT(context, many, one)                                                               \
    SCountText {                                                                                   \
        context, many, one                                                                         \
    }

// The program's translation: the translated text of a source text in its
// context, nullptr when there is none. pszComment is the form for one of a
// count text (nullptr otherwise) and nCount its number (-1 for no count); a
// count's translation comes back with its "%n" in place. The returned pointer
// must stay valid for the life of the program. Only the window program sets
// one; without it (the command-line program, the tests) every text is English.
using PFN_TRANSLATE_TEXT = const char* (*)(const char* pszContext, const char* pszSource,
                                           const char* pszComment, long long nCount);

// Sets the translation; nullptr restores the English texts.
void SetTextTranslator(PFN_TRANSLATE_TEXT pfnTranslate);

// The text to show for a marked source text.
const char* TranslateText(const char* pszSource);
const char* TranslateText(const STextIn& text);

// The text to show for a number of things, the number written in place of
// "%n" with the language's digit grouping ("2,000", "2.000").
std::string CountText(const SCountText& text, long long nCount);

// The mark the language sets between groups of three digits: English ","
// until the program sets its language's ("." in German, a narrow no-break
// space in French).
void SetDigitGroupMark(std::string strMark);

// A whole number with the language's digit grouping.
std::string FormatCount(long long nNumber);

// The same for a printf format: a translation is used only when it has the
// very same conversions in the same order as the source ("%d", "%s", "%u" ...),
// so a faulty translation can never hand a number where a text is read.
const char* TranslateFormat(const char* pszSource);

// The conversions of a printf format in order, each as written without its
// "%" ("ds" for "%d of %s", "5u" for "%5u"); "%%" is no conversion.
std::string FormatConversions(std::string_view strFormat);
