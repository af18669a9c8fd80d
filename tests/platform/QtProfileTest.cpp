// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtProfile.h"
#include "core/base/SettingsSchema.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

// The user's settings file in a private XDG_CONFIG_HOME: the file itself
// holds what another start of the program (or a person with an editor)
// expects. The rules every store keeps are in the profile contract's tests.
class QtProfileTest : public QObject {
    Q_OBJECT

private:
    using Sections = QMap<QString, QMap<QString, QString>>;

    QString SettingsFile() const { return m_configDir.path() + "/Tallowmere/Keyhaven.ini"; }

    QByteArray FileBytes() const {
        QFile file(SettingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The file as sections of raw "key=value" lines, names as written.
    Sections ParseFile() const {
        Sections sections;
        QString strSection;
        for (const QByteArray& line : FileBytes().split('\n')) {
            const QString strLine = QString::fromUtf8(line).trimmed();
            if (strLine.isEmpty())
                continue;
            if (strLine.startsWith('[') && strLine.endsWith(']')) {
                strSection = strLine.mid(1, strLine.size() - 2);
                sections[strSection];
                continue;
            }
            const auto nEqual = strLine.indexOf('=');
            sections[strSection][strLine.left(nEqual)] = strLine.mid(nEqual + 1);
        }
        return sections;
    }

    void WriteFile(const QByteArray& bytes) {
        QDir().mkpath(m_configDir.path() + "/Tallowmere");
        QFile file(SettingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir m_configDir;

private slots:
    void initTestCase() {
        QVERIFY(m_configDir.isValid());
        // Before the first QSettings: the user scope's folder is taken from
        // the environment once.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configDir.path()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_configDir.path() + "/system"));
    }

    void cleanup() { QFile::remove(SettingsFile()); }

    void usesTheUsersConfigFolder() {
        CQtProfile profile;
        QCOMPARE(profile.FileName(), SettingsFile());
        profile.WriteProfileInt(PROFILE_SETTINGS, VAL_WINSTART, 1);
        QVERIFY(profile.Sync());
        QVERIFY(QFile::exists(SettingsFile()));
    }

    void theFileIsTheUsersAlone() {
        // It names the user's password files: 0600 from the first write on,
        // and an older, looser file is tightened.
        const mode_t nOldMask = ::umask(022);
        for (bool bExisting : {false, true}) {
            if (bExisting) {
                QFile file(SettingsFile());
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("[Settings]\nWinStart=0\n");
                file.close();
                QVERIFY(::chmod(QFile::encodeName(SettingsFile()).constData(), 0644) == 0);
            }
            CQtProfile profile;
            profile.WriteProfileString("Recent File List", "File1", "/home/a/Work.pwd");
            QVERIFY(profile.Sync());
            struct stat st {};
            QVERIFY(::stat(QFile::encodeName(SettingsFile()).constData(), &st) == 0);
            QCOMPARE(st.st_mode & 07777, mode_t(0600));
            cleanup();
        }
        ::umask(nOldMask);
    }

    void otherUsersFilesDoNotSlipIn() {
        // An organisation-wide file beside the user's and a system-wide one.
        const QByteArray bytes = "[Settings]\nWinStart=1\nBegin=9\n";
        QDir().mkpath(m_configDir.path() + "/system/Tallowmere");
        for (const QString& strPath : {m_configDir.path() + "/Tallowmere.ini",
                                       m_configDir.path() + "/system/Tallowmere/Keyhaven.ini"}) {
            QFile file(strPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const CQtProfile profile;
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_WINSTART, 0), 0u);
        QCOMPARE(profile.GetProfileString(PROFILE_SETTINGS, VAL_BEGIN, "5"), std::string("5"));
        QFile::remove(m_configDir.path() + "/Tallowmere.ini");
        QFile::remove(m_configDir.path() + "/system/Tallowmere/Keyhaven.ini");
    }

    void windowSizeSpellingsAreOneSectionInTheFile() {
        {
            CQtProfile profile;
            profile.WriteProfileInt(PROFILE_WINDOW_SIZE, VAL_TOOL, 0);
            profile.WriteProfileString(PROFILE_WINDOW_SIZE, VAL_RECT, "-008 0100 0711 0543");
            profile.WriteProfileInt(PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, 1);
        }
        const Sections sections = ParseFile();
        QCOMPARE(sections.size(), 1);
        // A blank in a group or key name is escaped in the file.
        QVERIFY(sections.contains("Window%20size"));
        const auto values = sections.value("Window%20size");
        QCOMPARE(values.value("IsMaxed"), QString("1"));
        QCOMPARE(values.value("Rect"), QString("-008 0100 0711 0543"));
        QCOMPARE(values.value("tool"), QString("0"));
    }

    void keysWithBlanksAreEscapedInTheFile() {
        {
            CQtProfile profile;
            profile.WriteProfileString("Recent File List", "Window size", "a b");
            profile.WriteProfileInt("Settings", "Hot Key Flag", 6);
        }
        const Sections sections = ParseFile();
        QVERIFY(sections.contains("Recent%20File%20List"));
        QCOMPARE(sections.value("Recent%20File%20List").value("Window%20size"), QString("a b"));
        QCOMPARE(sections.value("Settings").value("Hot%20Key%20Flag"), QString("6"));
    }

    void existingNamesKeepTheirSpelling() {
        WriteFile(
            "[settings]\nwinstart=1\nGenerate=63\n\n[window%20SIZE]\nrect=0001 0002 0003 0004\n");
        {
            CQtProfile profile;
            QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_WINSTART, 0), 1u);
            QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_GENERATE, 39), 63u);
            QCOMPARE(profile.GetProfileString(PROFILE_WINDOW_SIZE, VAL_RECT, ""),
                     std::string("0001 0002 0003 0004"));
            profile.WriteProfileInt(PROFILE_SETTINGS, VAL_WINSTART, 0);
            profile.WriteProfileInt(PROFILE_WINDOW_SIZE_MAXED, VAL_ISMAXED, 1);
            profile.WriteProfileInt(PROFILE_SETTINGS, VAL_STARTBAR, 1);
        }
        const Sections sections = ParseFile();
        QCOMPARE(sections.keys(), (QStringList{"settings", "window%20SIZE"}));
        QCOMPARE(sections.value("settings").value("winstart"), QString("0"));
        QVERIFY(!sections.value("settings").contains("WinStart"));
        // A new value in an existing section takes the caller's spelling.
        QCOMPARE(sections.value("settings").value("StartBar"), QString("1"));
        QCOMPARE(sections.value("window%20SIZE").value("IsMaxed"), QString("1"));
    }

    void integersThatAreNotDecimalReadAsTheDefault() {
        WriteFile("[Settings]\nBegin=5\nEnd=eight\nLength=-6\ntree=4294967296\nbarx=4294967295\n"
                  "bary=0x10\nHotKey=\nAutoMin=12 34\nAutoExit=@ByteArray(77)\n");
        const CQtProfile profile;
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_BEGIN, 99), 5u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_END, 99), 99u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_LENGTH, 99), 99u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_TREE, 160), 160u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_BARX, 400), 4294967295u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_BARY, 0), 0u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_HOTKEY, 7), 7u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_AUTOMIN, 8), 8u);
        QCOMPARE(profile.GetProfileInt(PROFILE_SETTINGS, VAL_AUTOEXIT, 9), 9u);
    }

    // What a fresh user's file holds after every owner has written its
    // values once: the table's defaults, in the sections and spellings an
    // editor shows.
    void freshUsersFileHoldsTheDefaults() {
        {
            CQtProfile profile;
            for (const SProfileEntry& entry : ProfileTable()) {
                if (entry.m_eWrite == EProfileWrite::never ||
                    entry.m_eWrite == EProfileWrite::conditional)
                    continue;
                if (entry.m_eType == EProfileType::integer)
                    profile.WriteProfileInt(entry.m_pszSection, entry.m_pszValue,
                                            profile.GetProfileInt(entry.m_pszSection,
                                                                  entry.m_pszValue,
                                                                  entry.m_nDefault));
                else
                    profile.WriteProfileString(entry.m_pszSection, entry.m_pszValue,
                                               profile.GetProfileString(entry.m_pszSection,
                                                                        entry.m_pszValue,
                                                                        entry.m_pszDefault));
            }
        }
        Sections expected;
        expected["Settings"] = {
            {"WinStart", "0"},
            {"StartBar", "0"},
            {"Generate", "47"},
            {"Begin", "16"},
            {"End", "20"},
            {"Length", "16"},
            {"AutoMin", "0"},
            {"AutoExit", "0"},
            {"1", "0"},
            {"2", "11"},
            {"3", "1"},
            {"tree", "160"},
            {"barx", "400"},
            {"bary", "0"},
            {"Exit2Min", "0"},
            {"Min2Lock", "0"},
            {"DeleteConfirmA", "1"},
            {"DeleteConfirmG", "1"},
            {"HideTray", "0"},
            {"HotKey", "0"},
            {"HotKeyFlag", "0"},
            {"LockOnScreenLock", "1"},
            {"ClipboardClear", "30"},
            {"HealthThreshold", "reasonable"},
        };
        expected["Window%20size"] = {{"tool", "1"},
                                     {"status", "1"},
                                     {"search", "0"},
                                     {"top", "0"},
                                     {"Rect", "0218 0100 0711 0543"},
                                     {"IsMaxed", "0"}};
        expected["Start"] = {{"Auto", "0"}};
        expected["Path"] = {{"3", ""}, {"4", ""}};
        const Sections actual = ParseFile();
        QCOMPARE(actual.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(actual.value(it.key()), it.value());
    }
};

QTEST_GUILESS_MAIN(QtProfileTest)
#include "QtProfileTest.moc"
