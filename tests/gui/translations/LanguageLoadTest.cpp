// SPDX-License-Identifier: GPL-3.0-or-later
// The program in German: run with LANG=de_DE.UTF-8, it finds its own German
// translation built in and Qt's, and a translated text reaches both the
// windows and the texts core formats.
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "platform/Translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <utility>
#include <vector>

namespace {

struct SFinished {
    QString strContext;
    QString strSource;
    QString strTranslation;
};

// The finished translations of a translation file; count texts, whose forms
// the every-language test checks, are left out.
std::vector<SFinished> FinishedTranslations(const QString& strPath) {
    std::vector<SFinished> found;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return found;
    QXmlStreamReader xml(&file);
    QString strContext;
    QString strSource;
    bool bCount = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            strContext = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            bCount = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (xml.name() == QLatin1String("source")) {
            strSource = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && !bCount) {
            const bool bFinished = xml.attributes().value(QLatin1String("type")).isEmpty();
            const QString strText = xml.readElementText();
            if (bFinished && !strText.isEmpty())
                found.push_back({strContext, strSource, strText});
        }
    }
    return found;
}

} // namespace

class CLanguageLoadTest : public QObject {
    Q_OBJECT
private slots:
    void englishLoadsNothing();
    void germanIsBuiltIn();
    void aTranslatedTextReachesWindowsAndCore();
};

void CLanguageLoadTest::englishLoadsNothing() {
    const STranslationsLoaded loaded =
        LoadTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
    QVERIFY(!loaded.m_bOwn);
    QCOMPARE(TrText(IDS_OPTIONS_CAPTION), QStringLiteral("Options"));
    QCOMPARE(FormatText(IDS_ASK_TO_SAVE, "Home.pwd"), std::string("Save changes to Home.pwd?"));
}

void CLanguageLoadTest::germanIsBuiltIn() {
    // The test runs with LANG=de_DE.UTF-8, as a German desktop starts it.
    QCOMPARE(QLocale::system().language(), QLocale::German);
    const STranslationsLoaded loaded =
        LoadTranslations(*QCoreApplication::instance(), QLocale::system());
    QVERIFY2(loaded.m_bOwn, "keyhaven_de.qm is not built into the program");
    QVERIFY2(loaded.m_bQt, "Qt's own German texts (qt6-translations-l10n) were not found");
    QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"));
    // Every text the German file translates comes out translated.
    const std::vector<SFinished> finished = FinishedTranslations(QStringLiteral(KEYHAVEN_TS_DE));
    QVERIFY(finished.size() > 300);
    for (const SFinished& text : finished) {
        const QByteArray context = text.strContext.toUtf8();
        const QByteArray source = text.strSource.toUtf8();
        QCOMPARE(TrText(STextIn{context.constData(), source.constData()}), text.strTranslation);
    }
}

void CLanguageLoadTest::aTranslatedTextReachesWindowsAndCore() {
    // A copy of the German file with two texts translated for this test.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile source(QStringLiteral(KEYHAVEN_TS_DE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QString strTs = QString::fromUtf8(source.readAll());
    for (const auto& [strFrom, strTo] :
         {std::pair{QStringLiteral("Options"), QStringLiteral("[de] Options")},
          std::pair{QStringLiteral("Save changes to %1?"), QStringLiteral("[de] %1 save?")}}) {
        const QString strMessage = QStringLiteral("<source>%1</source>\n        <translation");
        const qsizetype nAt = strTs.indexOf(strMessage.arg(strFrom));
        QVERIFY2(nAt >= 0, qPrintable(strFrom));
        const qsizetype nFrom = strTs.indexOf(QLatin1String("<translation"), nAt);
        const qsizetype nTo = strTs.indexOf(QLatin1String("</translation>"), nFrom);
        strTs.replace(nFrom, nTo - nFrom,
                      QStringLiteral("<translation>%1").arg(strTo.toHtmlEscaped()));
    }
    QFile copy(dir.filePath(QStringLiteral("keyhaven_de.ts")));
    QVERIFY(copy.open(QIODevice::WriteOnly));
    copy.write(strTs.toUtf8());
    copy.close();
    QProcess release;
    release.start(QStringLiteral(KEYHAVEN_LRELEASE),
                  {QStringLiteral("-silent"), copy.fileName(), QStringLiteral("-qm"),
                   dir.filePath(QStringLiteral("keyhaven_de.qm"))});
    QVERIFY(release.waitForFinished(60000));
    QCOMPARE(release.exitCode(), 0);

    const STranslationsLoaded loaded =
        LoadTranslations(*QCoreApplication::instance(), QLocale::system(), dir.path());
    QVERIFY(loaded.m_bOwn);
    QCOMPARE(TrText(IDS_OPTIONS_CAPTION), QStringLiteral("[de] Options"));
    QCOMPARE(FormatText(IDS_ASK_TO_SAVE, "Home.pwd"), std::string("[de] Home.pwd save?"));
    // A text no file translates stays as it is.
    QCOMPARE(TrText("Not a text of the program"), QStringLiteral("Not a text of the program"));
}

QTEST_MAIN(CLanguageLoadTest)
#include "LanguageLoadTest.moc"
