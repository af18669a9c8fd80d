// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Translations.h"

#include "core/base/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <atomic>
#include <mutex>
#include <string>
#include <unordered_set>
#include <utility>

namespace {
// The program's own translation loaded last; QTranslator::translate leaves a
// count's "%n" in place, so core writes the number as the language groups it.
std::atomic<QTranslator*> g_pOwn{nullptr};
} // namespace

QString TrText(const char* pszSource) {
    return QCoreApplication::translate(TRANSLATION_CONTEXT, pszSource);
}

QString TrText(const STextIn& text) {
    return QCoreApplication::translate(text.pszContext, text.pszSource);
}

QString TrCount(const SCountText& text, long long nCount) {
    return QString::fromStdString(CountText(text, nCount));
}

const char* TranslateForCore(const char* pszContext, const char* pszSource, const char* pszComment,
                             long long nCount) {
    const QTranslator* pOwn = g_pOwn;
    if (pOwn == nullptr)
        return nullptr;
    const QString strShown =
        pOwn->translate(pszContext, pszSource, pszComment, static_cast<int>(nCount));
    if (strShown.isEmpty())
        return nullptr;
    // Each text shown is kept once, in a node-based set: a stored text never
    // moves when the set grows, so every pointer handed out stays valid, also
    // after another translation is loaded. Busy work may format on a worker
    // thread, hence the lock.
    static std::mutex mutex;
    static std::unordered_set<std::string> setShown;
    std::string strUtf8 = strShown.toStdString();
    std::lock_guard<std::mutex> lock(mutex);
    return setShown.insert(std::move(strUtf8)).first->c_str();
}

STranslationsLoaded LoadTranslations(QCoreApplication& app, const QLocale& locale,
                                     const QString& strOwnFolder) {
    STranslationsLoaded loaded;
    // The translators live as long as the program; the application owns them.
    auto* pOwn = new QTranslator(&app);
    if (pOwn->load(locale, QStringLiteral("keyhaven"), QStringLiteral("_"), strOwnFolder)) {
        QCoreApplication::installTranslator(pOwn);
        g_pOwn = pOwn;
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
    // A language without a translation of its own speaks English, also in
    // core, whatever was loaded before.
    if (!loaded.m_bOwn)
        g_pOwn = nullptr;
    SetTextTranslator(loaded.m_bOwn ? &TranslateForCore : nullptr);
    SetDigitGroupMark(locale.groupSeparator().toStdString());
    return loaded;
}
