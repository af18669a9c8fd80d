// SPDX-License-Identifier: GPL-3.0-or-later
// The document's own values in the real settings file: a fresh user's file
// after one start and exit of the document, and the values read back.

#include "core/store/CofferDoc.h"
#include "platform/QtProfile.h"
#include "platform/XdgFolders.h"

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
        CCofferDoc doc(&profile, DefaultBackupFolder());
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
        CCofferDoc doc(&profile, DefaultBackupFolder());
        doc.m_bBackup = false;
        doc.m_bAutoSave = true;
        doc.m_nStartFile = 2;
        doc.m_strStartFile = "/home/me/Work.pwd";
        doc.OnRecentAddHere();
    }
    CQtProfile profile(SettingsFile());
    CCofferDoc doc(&profile, DefaultBackupFolder());
    QVERIFY(!doc.m_bBackup);
    QVERIFY(!doc.m_bAddToRecent);
    QVERIFY(doc.m_bAutoSave);
    QCOMPARE(doc.m_nStartFile, 2);
    QCOMPARE(doc.m_strStartFile, std::string("/home/me/Work.pwd"));
    QCOMPARE(doc.m_strBackupPath, BackupFolder().toStdString());
    QCOMPARE(profile.GetProfileInt("Settings", "2", 0), 4u + 16u);
}

QTEST_MAIN(DocumentSettingsTest)
#include "DocumentSettingsTest.moc"
