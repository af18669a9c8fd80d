// SPDX-License-Identifier: GPL-3.0-or-later
// The document's own values in the real settings file: a fresh user's file
// after one start and exit of the document, and the values read back.

#include "core/store/CofferDoc.h"
#include "platform/QtProfile.h"
#include "platform/XdgFolders.h"
#include "support/SampleDocument.h"
#include "support/SessionDoc.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class DocumentSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void aFreshUserGetsExactlyTheDocumentsDefaults();
    void changedOptionsComeBackAtTheNextStart();

private:
    QString SettingsFile() const { return m_dir.path() + "/Tallowmere/Keyhaven.ini"; }
    QString BackupFolder() const { return m_dir.path() + "/data/Keyhaven/backup"; }

    QTemporaryDir m_dir;
};

void DocumentSettingsTest::init() {
    QVERIFY(m_dir.isValid());
    QFile::remove(SettingsFile());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + "/data"));
}

void DocumentSettingsTest::aFreshUserGetsExactlyTheDocumentsDefaults() {
    {
        CQtProfile profile(SettingsFile());
        CSessionDoc doc(&profile, DefaultBackupFolder());
        QVERIFY(QFileInfo(BackupFolder()).isDir());
    }
    QSettings file(SettingsFile(), QSettings::IniFormat);
    QCOMPARE(file.allKeys(), (QStringList{"Path/3", "Path/4", "Settings/2"}));
    QCOMPARE(file.value("Settings/2").toString(), QStringLiteral("11"));
    QCOMPARE(file.value("Path/3").toString(), BackupFolder());
    QCOMPARE(file.value("Path/4").toString(), QString());
}

void DocumentSettingsTest::changedOptionsComeBackAtTheNextStart() {
    {
        CQtProfile profile(SettingsFile());
        CSessionDoc doc(&profile, DefaultBackupFolder());
        ChangeFileOptions(doc.Session(), [&](SFileOptions& options) { options.m_bBackup = false; });
        ChangeFileOptions(doc.Session(),
                          [&](SFileOptions& options) { options.m_bAutoSave = true; });
        ChangeFileOptions(doc.Session(), [&](SFileOptions& options) { options.m_nStartFile = 2; });
        ChangeFileOptions(doc.Session(), [&](SFileOptions& options) {
            options.m_strStartFile = "/home/me/Work.pwd";
        });
        doc.Session().OnRecentAddHere();
    }
    CQtProfile profile(SettingsFile());
    CSessionDoc doc(&profile, DefaultBackupFolder());
    QVERIFY(!doc.Session().FileOptions().m_bBackup);
    QVERIFY(!doc.Session().FileOptions().m_bAddToRecent);
    QVERIFY(doc.Session().FileOptions().m_bAutoSave);
    QCOMPARE(doc.Session().FileOptions().m_nStartFile, 2);
    QCOMPARE(doc.Session().FileOptions().m_strStartFile, std::string("/home/me/Work.pwd"));
    QCOMPARE(doc.Session().FileOptions().m_strBackupPath, BackupFolder().toStdString());
    QCOMPARE(profile.GetProfileInt("Settings", "2", 0), 4u + 16u);
}

QTEST_MAIN(DocumentSettingsTest)
#include "DocumentSettingsTest.moc"
