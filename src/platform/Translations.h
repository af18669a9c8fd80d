// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include <QLocale>
#include <QString>

class QCoreApplication;

// The context of every text marked with KH_TEXT.
inline constexpr const char* TRANSLATION_CONTEXT = TEXT_CONTEXT;
// Where the program's own translations are built in: keyhaven_<language>.qm.
inline constexpr const char* BUILTIN_TRANSLATIONS = ":/i18n";

// The text to show for a marked source text (KH_TEXT), in the language
// loaded; the source itself when there is no translation.
QString TrText(const char* pszSource);
QString TrText(const STextIn& text);

// The text to show for a number of things (KH_COUNT), in the language
// loaded, the number grouped as the language groups digits.
QString TrCount(const SCountText& text, long long nCount);

// What LoadTranslations found for a language.
struct STranslationsLoaded {
    bool m_bOwn = false; // keyhaven_<language>.qm
    bool m_bQt = false;  // Qt's own texts (qtbase_<language>.qm)
};

// Installs the translations of the locale's languages (the first one found
// of its UI languages, so LANGUAGE=fr:de works): the program's own from
// strOwnFolder, Qt's own from Qt's translations folder; and hands the
// program's translation and the locale's digit grouping to core
// (SetTextTranslator, SetDigitGroupMark), so the texts core formats come out in
// the same language. English needs nothing loaded.
// Call it before the first window is made.
STranslationsLoaded
LoadTranslations(QCoreApplication& app, const QLocale& locale,
                 const QString& strOwnFolder = QString::fromUtf8(BUILTIN_TRANSLATIONS));

// The core translation hook: the UTF-8 translation of a source text in its
// context (for a count text, the form for nCount with "%n" kept), kept for
// the life of the program so core may hold the pointer; nullptr when the
// language loaded has none.
const char* TranslateForCore(const char* pszContext, const char* pszSource, const char* pszComment,
                             long long nCount);
