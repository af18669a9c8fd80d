// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Translation.h"

#include <QLocale>
#include <QString>

class QCoreApplication;

// The context every text of the program is translated in.
inline constexpr const char* TRANSLATION_CONTEXT = "Keyhaven";
// Where the program's own translations are built in: keyhaven_<language>.qm.
inline constexpr const char* BUILTIN_TRANSLATIONS = ":/i18n";

// The text to show for a marked source text (KH_TEXT), in the language
// loaded; the source itself when there is no translation.
QString TrText(const char* pszSource);

// What LoadTranslations found for a language.
struct STranslationsLoaded {
    bool m_bOwn = false; // keyhaven_<language>.qm
    bool m_bQt = false;  // Qt's own texts (qtbase_<language>.qm)
};

// Installs the translations of the locale's languages (the first one found
// of its UI languages, so LANGUAGE=fr:de works): the program's own from
// strOwnFolder, Qt's own from Qt's translations folder; and hands the
// program's translation to core (SetTextTranslator), so the texts core
// formats come out in the same language. English needs nothing loaded.
// Call it before the first window is made.
STranslationsLoaded
LoadTranslations(QCoreApplication& app, const QLocale& locale,
                 const QString& strOwnFolder = QString::fromUtf8(BUILTIN_TRANSLATIONS));

// The core translation hook: the UTF-8 translation of a source text, kept
// for the life of the program so core may hold the pointer.
const char* TranslateForCore(const char* pszSource);
