// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translations.h"

#include "core/base/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>

QString TrText(const char* pszSource) {
    return QCoreApplication::translate(TRANSLATION_CONTEXT, pszSource);
}

const char* TranslateForCore(const char* pszSource) {
    // Each text shown is kept once, in a node-based set: a stored text never
    // moves when the set grows, so every pointer handed out stays valid, also
    // after another translation is loaded. Busy work may format on a worker
    // thread, hence the lock.
    static std::mutex mutex;
    static std::unordered_set<std::string> setShown;
    std::string strShown = TrText(pszSource).toStdString();
    std::lock_guard<std::mutex> lock(mutex);
    return setShown.insert(std::move(strShown)).first->c_str();
}

STranslationsLoaded LoadTranslations(QCoreApplication& app, const QLocale& locale,
                                     const QString& strOwnFolder) {
    STranslationsLoaded loaded;
    // The translators live as long as the program; the application owns them.
    auto* pOwn = new QTranslator(&app);
    if (pOwn->load(locale, QStringLiteral("keyhaven"), QStringLiteral("_"), strOwnFolder)) {
        QCoreApplication::installTranslator(pOwn);
        loaded.m_bOwn = true;
    } else {
        delete pOwn;
    }
    auto* pQt = new QTranslator(&app);
    if (pQt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(pQt);
        loaded.m_bQt = true;
    } else {
        delete pQt;
    }
    if (loaded.m_bOwn)
        SetTextTranslator(&TranslateForCore);
    return loaded;
}
