// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import into an open file: the accounts merged into the groups of
// the same name, a name clash asked as a drop asks it, the import as one
// change saved at once with automatic saving, and a source that is refused.

#include "gui/view/ViewFixture.h"
#include "support/SampleDocument.h"

#include "core/base/CommandIds.h"
#include "core/base/DocObserver.h"
#include "core/base/TextUtil.h"
#include "core/interchange/ImportCommand.h"
#include "core/store/CodePage.h"
#include "core/store/FileIO.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using Labels = std::vector<std::string>;
Q_DECLARE_METATYPE(Labels)

namespace {

// Counts the times the document became modified: one change, one notice.
// Counts the document's changes to modified, as the program hears of them.
class CModifiedCount final : public QObject {
public:
    explicit CModifiedCount(CDocNotifier& notifier) {
        connect(&notifier, &CDocNotifier::ModifiedChanged, this,
                [this](bool bModified) { m_nModified += bModified ? 1 : 0; });
    }
    int m_nModified = 0;
};

constexpr const char* CSV_SOURCE =
    "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n"
    "\"Root/Mail\",\"Post\",\"me\",\"new-post\",\"\",\"\"\n"
    "\"Root/Mail\",\"Letter\",\"me\",\"letter\",\"\",\"\"\n"
    "\"Root/Banking/Cards\",\"Visa\",\"me\",\"visa\",\"\",\"\"\n";

// Every record of the list: "G:name" or "account=password".
Labels Records(const CCofferDoc& doc) {
    Labels names;
    for (const CPasswordInfo& info : doc.Records())
        names.push_back(info.IsGroup() ? "G:" + info.Group()
                                       : info.Account() + "=" + info.Password());
    return names;
}

std::string ReadBytes(const std::string& strPath) {
    QFile file(QString::fromStdString(strPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

void WriteBytes(const std::string& strPath, const std::string& strBytes) {
    QFile file(QString::fromStdString(strPath));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(strBytes.data(), static_cast<qint64>(strBytes.size()));
}

std::string WriteSource(CViewFixture& fx, const char* pszName, const std::string& strText) {
    const std::string strPath = fx.m_dir.filePath(QString::fromLatin1(pszName)).toStdString();
    WriteBytes(strPath, strText);
    return strPath;
}

// A saved file with automatic saving: "My Passwords", then "Mail" holding
// "Post" (password "pw"), shown in the view.
std::string OpenAutoSavedFile(CViewFixture& fx) {
    const std::string strPath = fx.WriteKeyedFile("home.pwd", "secret");
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bAutoSave = true; });
    ChangeFileOptions(fx.m_pDoc->Session(),
                      [&](SFileOptions& options) { options.m_bBackup = false; });
    fx.Frame();
    fx.m_prompts.TypeCheckKey("secret");
    if (!fx.m_pDoc->Session().OpenDocumentFile(strPath))
        return {};
    fx.Group("Mail");
    fx.Account("Mail", "Post");
    fx.m_pDoc->Session().DoFileSave();
    fx.Show();
    fx.m_prompts.ClearRecord();
    return strPath;
}

// A KDBX 3.1 database with its AES-KDF rounds (header field 6) set: before
// version 4 nothing proves the header until the key is known.
std::string WithRounds(std::string strFile, std::uint64_t nRounds) {
    std::size_t nPos = 12;
    while (nPos + 3 <= strFile.size() && static_cast<unsigned char>(strFile[nPos]) != 6)
        nPos += 3 + (static_cast<unsigned char>(strFile[nPos + 1]) |
                     static_cast<unsigned char>(strFile[nPos + 2]) << 8);
    for (int i = 0; i < 8 && nPos + 3 + 8 <= strFile.size(); ++i)
        strFile[nPos + 3 + static_cast<std::size_t>(i)] = static_cast<char>(nRounds >> (8 * i));
    return strFile;
}

// The records of the file on disk, deciphered.
Labels RecordsOnDisk(const std::string& strPath) {
    CSessionDoc reread;
    if (reread.ReadArchiveFile(strPath, CCodePage::Default()) != EFileError::none)
        return {"<unreadable>"};
    reread.DecipherList();
    return Records(reread);
}

} // namespace

class CViewImportTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuOffersImportWhileAFileIsOpen();
    void clashesAreAskedAsADropAsks_data();
    void clashesAreAskedAsADropAsks();
    void aRefusedSourceChangesNothing();
    void aKeePassDatabaseAsksItsKeyAgainWhenWrong();
    void aSlowKeyDerivationIsAskedAboutFirst();
    void aDamagedKeyFileIsAskedForAgain();
    void theSummaryShowsAlsoWhenNothingWasImported_data();
    void theSummaryShowsAlsoWhenNothingWasImported();
    void aCancelledOrLockedImportKeepsNothingAndSaysSo_data();
    void aCancelledOrLockedImportKeepsNothingAndSaysSo();
};

void CViewImportTest::theMenuOffersImportWhileAFileIsOpen() {
    CViewFixture fx;
    fx.Show();
    CMainFrame& frame = *fx.m_pFrame;
    QVERIFY(!frame.Commands().Update(ID_FILE_IMPORT).bEnabled);
    fx.NewKeyedDocument("A");
    QVERIFY(frame.Commands().Update(ID_FILE_IMPORT).bEnabled);
    frame.HideToTray(true);
    QVERIFY(frame.IsLocked());
    QVERIFY(!frame.Commands().Update(ID_FILE_IMPORT).bEnabled);

    // Beside Export in the File menu, its mnemonic the only one of its letter.
    const QList<QAction*> items = frame.menuBar()->actions().front()->menu()->actions();
    const int nImport = static_cast<int>(items.indexOf(frame.Action(ID_FILE_IMPORT)));
    QVERIFY(nImport >= 0);
    QCOMPARE(items.value(nImport + 1), frame.Action(ID_FILE_EXPORT));
    QCOMPARE(frame.Action(ID_FILE_IMPORT)->text(), QStringLiteral("&Import..."));
    for (QAction* pItem : items) {
        const QString strText = pItem->menu() ? pItem->menu()->title() : pItem->text();
        const qsizetype nAmp = strText.indexOf(QLatin1Char('&'));
        if (pItem != frame.Action(ID_FILE_IMPORT) && nAmp >= 0)
            QVERIFY2(strText.at(nAmp + 1).toLower() != QLatin1Char('i'), qPrintable(strText));
    }
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewImportTest::clashesAreAskedAsADropAsks_data() {
    QTest::addColumn<int>("nAnswer");
    QTest::addColumn<Labels>("records");
    QTest::addColumn<QString>("strCurrent");
    QTest::addColumn<QString>("strSummary");

    const Labels unchanged = {"G:My Passwords", "G:Mail", "Post=pw"};
    QTest::newRow("yes replaces") << int(EReplaceAnswer::yes)
                                  << Labels{"G:My Passwords", "G:Mail",          "Post=new-post",
                                            "Letter=letter",  "G:Banking/Cards", "Visa=visa"}
                                  << "Mail/Post"
                                  << "Imported 3 accounts in 2 groups; left out: nothing.";
    QTest::newRow("no keeps the group's account")
        << int(EReplaceAnswer::no) << Labels{"G:My Passwords", "G:Mail",          "Post=pw",
                                             "Letter=letter",  "G:Banking/Cards", "Visa=visa"}
        << "Mail/Letter"
        << "Imported 2 accounts in 2 groups; left out: 1 entry whose account the group already "
           "held and kept.";
    QTest::newRow("cancel stops before anything")
        << int(EReplaceAnswer::cancel) << unchanged << "Mail/Post"
        << "";
}

void CViewImportTest::clashesAreAskedAsADropAsks() {
    QFETCH(int, nAnswer);
    QFETCH(Labels, records);
    QFETCH(QString, strCurrent);
    QFETCH(QString, strSummary);

    CViewFixture fx;
    const std::string strPath = OpenAutoSavedFile(fx);
    QVERIFY(!strPath.empty());
    const std::string strBefore = ReadBytes(strPath);
    CModifiedCount modified(fx.m_notifier);
    const std::string strSource = WriteSource(fx, "export.csv", CSV_SOURCE);
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_editPrompts.AnswerReplace(static_cast<EReplaceAnswer>(nAnswer));
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));

    const SPromptCall& call = fx.m_prompts.Calls().front();
    QCOMPARE(call.m_eKind, EPromptKind::openFile);
    QCOMPARE(call.m_file.m_strTitle, std::string("Select a file to import"));
    QCOMPARE(call.m_file.m_strFilter, std::string(IMPORT_FILTERS));
    QCOMPARE(fx.m_editPrompts.m_vecReplaceAsked, Labels{"Post"});
    QCOMPARE(Records(*fx.m_pDoc), records);
    QCOMPARE(QString::fromStdString(fx.CurrentPath()), strCurrent);
    // The tree shows the list, every group that received accounts open.
    QCOMPARE(fx.TreeLabels().size(), records.size());
    const CRecordTreeModel& model = fx.m_pView->Model();
    const QModelIndex file = model.FileIndex();
    for (int i = 0; i < model.rowCount(file); ++i) {
        const QModelIndex group = model.index(i, 0, file);
        if (model.RecordOf(group)->Group() != "My Passwords")
            QVERIFY(fx.m_pView->Tree()->isExpanded(group) || strSummary.isEmpty());
    }
    if (strSummary.isEmpty()) {
        QVERIFY(fx.m_prompts.Messages().empty());
        QCOMPARE(modified.m_nModified, 0);
        QCOMPARE(ReadBytes(strPath), strBefore);
    } else {
        QCOMPARE(fx.m_prompts.MessageTexts(), Labels{strSummary.toStdString()});
        QCOMPARE(fx.m_prompts.Messages().front().m_eIcon, EMsgIcon::information);
        // One change, written at once.
        QCOMPARE(modified.m_nModified, 1);
        QVERIFY(!fx.m_pDoc->IsModified());
        QCOMPARE(RecordsOnDisk(strPath), records);
    }
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewImportTest::aRefusedSourceChangesNothing() {
    CViewFixture fx;
    fx.NewKeyedDocument("Mail");
    fx.Account("Mail", "Post");
    fx.Show();
    const Labels before = Records(*fx.m_pDoc);
    const std::string strSource = WriteSource(fx, "sheet.csv", "name,value\nPost,pw\n");
    fx.m_prompts.AnswerOpenFile(strSource);
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));

    const Labels texts = fx.m_prompts.MessageTexts();
    QCOMPARE(texts.size(), size_t(1));
    QVERIFY2(texts[0].rfind(strSource + " cannot be imported. ", 0) == 0, texts[0].c_str());
    QVERIFY(texts[0].find("The headers understood are:") != std::string::npos);
    QCOMPARE(fx.m_prompts.Messages().front().m_eIcon, EMsgIcon::exclamation);
    QCOMPARE(Records(*fx.m_pDoc), before);
    QVERIFY(!fx.m_pDoc->IsModified());

    // A source that cannot be read is the file's own message.
    fx.m_prompts.ClearRecord();
    const std::string strMissing = strSource + ".gone";
    fx.m_prompts.AnswerOpenFile(strMissing);
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    QCOMPARE(fx.m_prompts.MessageTexts(),
             Labels{FileErrorMessage(EFileError::notFound, strMissing)});
    QCOMPARE(Records(*fx.m_pDoc), before);
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewImportTest::aKeePassDatabaseAsksItsKeyAgainWhenWrong() {
    // Made by keepassxc-cli under the password "pw" and an XML key file.
    const std::string strFixtures = KEYHAVEN_KDBX_FIXTURES;
    const std::string strKeyFile = strFixtures + "/xml2.keyx";
    CViewFixture fx;
    fx.NewKeyedDocument("Mail");
    fx.Show();
    // Whatever its name says, the file's first bytes make it a database.
    const std::string strSource =
        WriteSource(fx, "passwords.dat", ReadBytes(strFixtures + "/v3-xmlkey.kdbx"));
    const Labels before = Records(*fx.m_pDoc);

    // A wrong password, then a key file that is not there, then the right key.
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_prompts.AnswerDatabaseKey({"wrong", false, strKeyFile});
    fx.m_prompts.AnswerDatabaseKey({"pw", false, strKeyFile + ".gone"});
    fx.m_prompts.AnswerDatabaseKey({"pw", false, strKeyFile});
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    Labels texts = fx.m_prompts.MessageTexts();
    QCOMPARE(texts.size(), size_t(3));
    QCOMPARE(texts[0], strSource + "\nThe password or key file is wrong.");
    QCOMPARE(texts[1], FileErrorMessage(EFileError::notFound, strKeyFile + ".gone"));
    QVERIFY2(texts[2].rfind("Imported 4 accounts in 4 groups; left out: ", 0) == 0,
             texts[2].c_str());
    QCOMPARE(fx.m_prompts.m_vecBusyTexts, Labels(2, "Opening passwords.dat ..."));
    Labels records = Records(*fx.m_pDoc);
    QCOMPARE(records.size(), before.size() + 8);
    QCOMPARE(records[before.size()], std::string("G:Root"));
    QCOMPARE(records[before.size() + 1], std::string("Mail=p@ss w0rd"));
    QCOMPARE(fx.CurrentPath(), std::string("Root/Mail"));
    QVERIFY(fx.m_pDoc->IsModified());

    // A damaged database is reported once and changes nothing.
    fx.m_pDoc->SetModifiedFlag(false);
    fx.m_prompts.ClearRecord();
    std::string strCut = ReadBytes(strSource);
    strCut.resize(strCut.size() - 40);
    WriteBytes(strSource, strCut);
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_prompts.AnswerDatabaseKey({"pw", false, strKeyFile});
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    texts = fx.m_prompts.MessageTexts();
    QCOMPARE(texts.size(), size_t(1));
    QVERIFY2(texts[0].rfind(strSource + "\n", 0) == 0, texts[0].c_str());
    QCOMPARE(Records(*fx.m_pDoc), records);
    QVERIFY(!fx.m_pDoc->IsModified());
    QCOMPARE(fx.m_prompts.UnusedAnswers(), std::string());
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewImportTest::aSlowKeyDerivationIsAskedAboutFirst() {
    const std::string strFixture = std::string(KEYHAVEN_KDBX_FIXTURES) + "/v3-password.kdbx";
    CViewFixture fx;
    fx.NewKeyedDocument("Mail");
    fx.Show();
    const Labels before = Records(*fx.m_pDoc);
    const std::string strSource =
        WriteSource(fx, "slow.kdbx", WithRounds(ReadBytes(strFixture), 500000000));
    const std::string strQuestion =
        strSource +
        " asks for 500,000,000 rounds of AES-KDF to turn its password into its key, more than four "
        "times what KeePassXC makes a new database take. That may take minutes and slow the "
        "whole computer down.\n\nGo on anyway?";

    // No: nothing more is asked and nothing derived.
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_prompts.AnswerMessage(EMsgAnswer::no);
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    QCOMPARE(fx.m_prompts.MessageTexts(), Labels{strQuestion});
    QCOMPARE(fx.m_prompts.Messages().front().m_eButtons, EMsgButtons::yesNoDefaultNo);
    QCOMPARE(fx.m_prompts.Messages().front().m_eIcon, EMsgIcon::question);
    QCOMPARE(fx.m_prompts.Calls().back().m_eKind, EPromptKind::message);
    QVERIFY(fx.m_prompts.m_vecBusyTexts.empty());

    // Yes: the password is asked next (and here cancelled).
    fx.m_prompts.ClearRecord();
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_prompts.AnswerMessage(EMsgAnswer::yes);
    fx.m_prompts.CancelDatabaseKey();
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    QCOMPARE(fx.m_prompts.MessageTexts(), Labels{strQuestion});
    QCOMPARE(fx.m_prompts.Calls().back().m_eKind, EPromptKind::databaseKey);
    QVERIFY(fx.m_prompts.m_vecBusyTexts.empty());

    // One that would never end is refused without a question.
    fx.m_prompts.ClearRecord();
    WriteBytes(strSource, WithRounds(ReadBytes(strFixture), ~std::uint64_t(0)));
    fx.m_prompts.AnswerOpenFile(strSource);
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    QCOMPARE(fx.m_prompts.MessageTexts(),
             Labels{strSource + "\nThe KeePass database asks for 18446744073709551615 AES-KDF "
                                "rounds to turn its password into its key, more than can be "
                                "given to it (at most 100000000000 rounds)."});
    QCOMPARE(fx.m_prompts.Messages().front().m_eIcon, EMsgIcon::exclamation);
    QCOMPARE(Records(*fx.m_pDoc), before);
    QVERIFY(!fx.m_pDoc->IsModified());
}

void CViewImportTest::aDamagedKeyFileIsAskedForAgain() {
    const std::string strFixtures = KEYHAVEN_KDBX_FIXTURES;
    CViewFixture fx;
    fx.NewKeyedDocument("Mail");
    fx.Show();
    const std::string strSource =
        WriteSource(fx, "keyed.kdbx", ReadBytes(strFixtures + "/v3-xmlkey.kdbx"));
    // An XML key file of version 2.0 whose data is no hex.
    const std::string strDamaged = WriteSource(
        fx, "damaged.keyx",
        "<KeyFile><Meta><Version>2.0</Version></Meta><Key><Data>zz</Data></Key></KeyFile>");
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_prompts.AnswerDatabaseKey({"pw", false, strDamaged});
    fx.m_prompts.AnswerDatabaseKey({"pw", false, strFixtures + "/xml2.keyx"});
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    const Labels texts = fx.m_prompts.MessageTexts();
    QCOMPARE(texts.size(), size_t(2));
    QCOMPARE(texts[0], strSource + "\nThe key file is damaged: it is a KeePass key file whose "
                                   "contents cannot be read.");
    QVERIFY2(texts[1].rfind("Imported 4 accounts in 4 groups; left out: ", 0) == 0,
             texts[1].c_str());
    QCOMPARE(fx.m_prompts.UnusedAnswers(), std::string());
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewImportTest::theSummaryShowsAlsoWhenNothingWasImported_data() {
    QTest::addColumn<QString>("strCsv");
    QTest::addColumn<QString>("strSummary");
    const QString strHeader =
        QStringLiteral("\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\"\n");
    QTest::newRow("an empty export")
        << strHeader << "Imported 0 accounts in 0 groups; left out: nothing.";
    QTest::newRow("every entry kept out")
        << strHeader + "\"Root/Mail\",\"Post\",\"me\",\"new-post\",\"\",\"\"\n"
        << "Imported 0 accounts in 0 groups; left out: 1 entry whose account the group already "
           "held and kept.";
}

void CViewImportTest::theSummaryShowsAlsoWhenNothingWasImported() {
    QFETCH(QString, strCsv);
    QFETCH(QString, strSummary);
    CViewFixture fx;
    const std::string strPath = OpenAutoSavedFile(fx);
    QVERIFY(!strPath.empty());
    const std::string strBefore = ReadBytes(strPath);
    fx.m_prompts.AnswerOpenFile(WriteSource(fx, "export.csv", strCsv.toStdString()));
    fx.m_editPrompts.AnswerReplace(EReplaceAnswer::no);
    QVERIFY(fx.m_pFrame->RunCommand(ID_FILE_IMPORT));
    QCOMPARE(fx.m_prompts.MessageTexts(), Labels{strSummary.toStdString()});
    QCOMPARE(fx.m_prompts.Messages().front().m_eIcon, EMsgIcon::information);
    QVERIFY(!fx.m_pDoc->IsModified());
    QCOMPARE(ReadBytes(strPath), strBefore);
    QVERIFY(fx.m_vecFailures.empty());
}

void CViewImportTest::aCancelledOrLockedImportKeepsNothingAndSaysSo_data() {
    QTest::addColumn<bool>("bLock");
    QTest::addColumn<QString>("strMessage");
    QTest::newRow("Cancel") << false
                            << "The import of trips.kdbx was cancelled; nothing was imported.";
    QTest::newRow("the desktop's lock")
        << true
        << "Keyhaven locked while trips.kdbx was being read: the import was cancelled and "
           "nothing was imported.";
}

void CViewImportTest::aCancelledOrLockedImportKeepsNothingAndSaysSo() {
    QFETCH(bool, bLock);
    QFETCH(QString, strMessage);
    CViewFixture fx;
    const std::string strPath = OpenAutoSavedFile(fx);
    QVERIFY(!strPath.empty());
    const std::string strBefore = ReadBytes(strPath);
    const Labels before = Records(*fx.m_pDoc);
    CMainFrame& frame = *fx.m_pFrame;
    const std::string strSource = WriteSource(
        fx, "trips.kdbx", ReadBytes(std::string(KEYHAVEN_KDBX_FIXTURES) + "/v3-password.kdbx"));
    fx.m_prompts.AnswerOpenFile(strSource);
    fx.m_prompts.AnswerDatabaseKey({"pw", false, ""});
    if (bLock)
        fx.m_prompts.DuringBusy([&frame]() { frame.OnDesktopLock(); });
    else
        fx.m_prompts.CancelBusy();
    QVERIFY(frame.RunCommand(ID_FILE_IMPORT));
    QVERIFY(fx.m_prompts.m_vecBusyKinds == std::vector<EBusyKind>{EBusyKind::stoppedByLock});
    QCOMPARE(fx.m_prompts.MessageTexts(), Labels{strMessage.toStdString()});
    QCOMPARE(fx.m_prompts.Messages().front().m_eIcon, EMsgIcon::information);
    QCOMPARE(frame.IsLocked(), bLock);
    QCOMPARE(fx.m_pDoc->Session().IsUnloaded(), bLock);
    if (bLock) {
        // Nothing came in behind the lock: the file read again is the one
        // that was locked.
        fx.m_prompts.TypeCheckKey("secret");
        frame.RunCommand(ID_TRAY_MAINWINDOW);
        QVERIFY(!frame.IsLocked());
    }
    QCOMPARE(Records(*fx.m_pDoc), before);
    QVERIFY(!fx.m_pDoc->IsModified());
    QCOMPARE(ReadBytes(strPath), strBefore);
    QCOMPARE(fx.m_prompts.UnusedAnswers(), std::string());
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(CViewImportTest)
#include "ViewImportTest.moc"
