// SPDX-License-Identifier: GPL-3.0-or-later
// Export, Print and Properties as the main window's commands: their enable
// rules, and each one run from its menu item with the questions answered
// through the scripted prompts.

#include "core/base/CommandIds.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/interchange/ExportCommand.h"
#include "core/store/FileIO.h"
#include "gui/shell/FrameFixture.h"
#include "platform/QtPrintDevice.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <sys/stat.h>

namespace {

bool Enabled(CMainFrame& frame, int nId) {
    return frame.Commands().Update(nId).bEnabled;
}

std::string ReadAll(const std::string& strPath) {
    QFile file(QString::fromStdString(strPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

// Opens a new keyed file of the fixture in its document.
std::string OpenFile(CFrameFixture& fx, const std::string& strName) {
    const std::string strPath = fx.WriteKeyedFile(strName, "key");
    fx.m_prompts.TypeCheckKey("key");
    fx.m_pDoc->Session().OpenDocumentFile(strPath);
    fx.m_prompts.ClearRecord();
    return strPath;
}

} // namespace

class FileViewCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void enableRules();
    void exportFromTheMenu_data();
    void exportFromTheMenu();
    void exportCancelledOrRefused();
    void printIntoAPdf();
    void propertiesReadOnlyRoundTrip();
    void propertiesOfAFileThatIsGone();
    void theConvertBarOffersToSealEachPwdOnce();
};

void FileViewCommandsTest::enableRules() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    // Without a KEY there is nothing to export or print.
    QVERIFY(!Enabled(frame, ID_FILE_EXPORT));
    QVERIFY(!Enabled(frame, ID_FILE_PRINT));
    QVERIFY(!Enabled(frame, ID_FILE_PROPERTY));
    // The file item's menu always offers Properties.
    QVERIFY(Enabled(frame, ID_FILE_PROPERTY_CONTEXT));

    fx.GiveKey();
    frame.UpdateCommandUI();
    QVERIFY(frame.Action(ID_FILE_EXPORT)->isEnabled());
    QVERIFY(frame.Action(ID_FILE_PRINT)->isEnabled());
    // Properties wait for a file on disk.
    QVERIFY(!frame.Action(ID_FILE_PROPERTY)->isEnabled());
    OpenFile(fx, "Work.pwd");
    frame.UpdateCommandUI();
    QVERIFY(frame.Action(ID_FILE_PROPERTY)->isEnabled());
    QVERIFY(fx.m_vecFailures.empty());
}

void FileViewCommandsTest::exportFromTheMenu_data() {
    QTest::addColumn<QString>("strName");
    QTest::addColumn<QString>("strWritten");
    QTest::addColumn<bool>("bStatusBar");
    QTest::newRow("text") << "export.txt"
                          << "============= My Passwords =============\n\nAccount\t\tBank\n"
                             "User Name\t\nPassword\ts3cret\nWeb Site\t\nE-Mail\t\t\nComments\t\n\n"
                          << true;
    QTest::newRow("csv") << "export.csv"
                         << "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\","
                            "\"E-mail\"\n\"Root/My Passwords\",\"Bank\",\"\",\"s3cret\",\"\",\"\","
                            "\"\"\n"
                         << false;
}

void FileViewCommandsTest::exportFromTheMenu() {
    QFETCH(QString, strName);
    QFETCH(QString, strWritten);
    QFETCH(bool, bStatusBar);
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    frame.Settings().Change(
        [&](SShellSettings& values) { values.m_bShowStatusBar = bStatusBar ? 1 : 0; });
    OpenFile(fx, "Work.pwd");
    CPasswordInfo account;
    account.SetAccount("Bank");
    account.SetPassword("s3cret");
    fx.m_pDoc->AddAccount(DEFAULT_GROUP_NAME, account);
    fx.m_pDoc->SetModifiedFlag(false);
    const std::string strOut = fx.m_dir.filePath(strName).toStdString();
    fx.m_prompts.AnswerSaveFile(strOut);
    fx.m_prompts.AnswerMessage(EMsgAnswer::yes);
    frame.UpdateCommandUI();
    frame.Action(ID_FILE_EXPORT)->trigger();
    // The save prompt offers the formats; the extension of the answer names
    // the one written.
    QCOMPARE(fx.m_prompts.Calls().front().m_file.m_strFilter,
             std::string("Text files (*.txt);;KeePass database (*.kdbx);;CSV (*.csv)"));
    QCOMPARE(ReadAll(strOut), strWritten.toStdString());
    struct stat st {};
    QCOMPARE(::stat(strOut.c_str(), &st), 0);
    QCOMPARE(int(st.st_mode & 07777), 0600);
    QVERIFY(!fx.m_pDoc->IsModified());
    QVERIFY(!frame.Action(ID_FILE_SAVE)->isEnabled());
    // Plain text: said before it is written. Where it went is said after,
    // in the status bar or, with the bar hidden, in a message.
    const std::string strWhere = "Exported to " + strOut;
    std::vector<std::string> astrMessages{FormatText(EXPORT_PLAIN_WARNING, strOut)};
    if (!bStatusBar)
        astrMessages.push_back(strWhere);
    QCOMPARE(fx.m_prompts.MessageTexts(), astrMessages);
    QCOMPARE(frame.statusBar()->currentMessage().toStdString(),
             bStatusBar ? strWhere : std::string());
    QCOMPARE(fx.m_prompts.Messages().front().m_eButtons, EMsgButtons::yesNoDefaultNo);
    QVERIFY(fx.m_vecFailures.empty());
}

void FileViewCommandsTest::exportCancelledOrRefused() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    fx.GiveKey();
    fx.m_prompts.CancelSaveFile();
    QVERIFY(frame.RunCommand(ID_FILE_EXPORT));
    QVERIFY(fx.m_prompts.Messages().empty());
    QCOMPARE(QDir(fx.m_dir.path()).entryList(QDir::Files).size(), 0);

    const std::string strOut =
        fx.m_dir.filePath(QStringLiteral("missing/export.txt")).toStdString();
    fx.m_prompts.AnswerSaveFile(strOut);
    fx.m_prompts.AnswerMessage(EMsgAnswer::yes);
    QVERIFY(frame.RunCommand(ID_FILE_EXPORT));
    QCOMPARE(fx.m_prompts.MessageTexts(),
             (std::vector<std::string>{FormatText(EXPORT_PLAIN_WARNING, strOut),
                                       FormatText(IDS_WRITE_FAILED, strOut)}));
    QCOMPARE(fx.m_prompts.Messages().back().m_eIcon, EMsgIcon::exclamation);
    QVERIFY(!FileExists(strOut));
    QVERIFY(frame.statusBar()->currentMessage().isEmpty());
    QVERIFY(fx.m_vecFailures.empty());
}

void FileViewCommandsTest::printIntoAPdf() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    fx.GiveKey();
    CPasswordInfo account;
    account.SetAccount("Bank");
    account.SetPassword("s3cret");
    fx.m_pDoc->AddAccount(DEFAULT_GROUP_NAME, account);
    const QString strPdf = fx.m_dir.filePath(QStringLiteral("print.pdf"));
    fx.m_prompts.AnswerPrintDialog([&](CPrintDevice& device) {
        auto* pQt = dynamic_cast<CQtPrintDevice*>(&device);
        QVERIFY(pQt);
        pQt->Printer().setOutputFormat(QPrinter::PdfFormat);
        pQt->Printer().setOutputFileName(strPdf);
    });
    QVERIFY(frame.RunCommand(ID_FILE_PRINT));
    QVERIFY(fx.m_prompts.Messages().empty());
    QVERIFY(QFile::exists(strPdf));
    QVERIFY(!fx.m_pDoc->IsModified());

    const QString strTool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (strTool.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess process;
    process.start(strTool, {QStringLiteral("-layout"), strPdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    const QString strText = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(strText.contains(QStringLiteral("============= My Passwords =============")),
             qPrintable(strText));
    // The reader guesses blanks from distances; in a fixed-pitch font the
    // values still start in one column.
    const QRegularExpression reAccount(QStringLiteral("^Account +Bank$"),
                                       QRegularExpression::MultilineOption);
    const QRegularExpression rePassword(QStringLiteral("^Password +s3cret$"),
                                        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch accountLine = reAccount.match(strText);
    const QRegularExpressionMatch passwordLine = rePassword.match(strText);
    QVERIFY2(accountLine.hasMatch() && passwordLine.hasMatch(), qPrintable(strText));
    QCOMPARE(accountLine.captured().indexOf(QStringLiteral("Bank")),
             passwordLine.captured().indexOf(QStringLiteral("s3cret")));
    QCOMPARE(strText.count(QChar('\f')), 1); // one page
    QVERIFY(fx.m_vecFailures.empty());
}

void FileViewCommandsTest::propertiesReadOnlyRoundTrip() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    const std::string strPath = OpenFile(fx, "Work.pwd");
    fx.m_prompts.AnswerFileProperty(true);
    QVERIFY(frame.RunCommand(ID_FILE_PROPERTY));
    QCOMPARE(fx.m_prompts.ShownFileProperties().m_strFileName, std::string("Work.pwd"));
    QCOMPARE(fx.m_prompts.ShownFileProperties().m_strContains, std::string("1 Group\t0 Accounts"));
    QVERIFY(IsReadOnlyFile(strPath));

    // The next Save asks the read-only question.
    fx.m_pDoc->SetModifiedFlag(true);
    fx.m_prompts.AnswerMessage(EMsgAnswer::cancel);
    QVERIFY(frame.RunCommand(ID_FILE_SAVE));
    QCOMPARE(fx.m_prompts.MessageTexts(), std::vector<std::string>{IDS_SAVE_READONLY});

    // The context menu's command is the same dialog.
    fx.m_prompts.AnswerFileProperty(false);
    QVERIFY(frame.RunCommand(ID_FILE_PROPERTY_CONTEXT));
    QVERIFY(fx.m_prompts.ShownFileProperties().m_bReadOnly);
    QVERIFY(!IsReadOnlyFile(strPath));
    QVERIFY(fx.m_vecFailures.empty());
}

void FileViewCommandsTest::propertiesOfAFileThatIsGone() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    const std::string strPath = OpenFile(fx, "Work.pwd");
    QVERIFY(QFile::remove(QString::fromStdString(strPath)));
    QVERIFY(frame.RunCommand(ID_FILE_PROPERTY));
    QCOMPARE(fx.m_prompts.MessageTexts(),
             std::vector<std::string>{FormatText(IDS_FILE_NOT_FOUND, strPath)});
    QVERIFY(fx.m_vecFailures.empty());
}

void FileViewCommandsTest::theConvertBarOffersToSealEachPwdOnce() {
    CFrameFixture fx;
    CMainFrame& frame = fx.Frame();
    QToolBar* pBar = frame.ConvertBar();
    OpenFile(fx, "Work.pwd");
    frame.OfferConversion();
    QVERIFY(!pBar->isHidden());
    pBar->findChild<QToolButton*>(QStringLiteral("ConvertLater"))->click();
    // The same file again, in this run or a later one: once is enough.
    QCOMPARE(fx.m_pDoc->Session().OnFileClose(), 1);
    frame.OfferConversion();
    OpenFile(fx, "Work.pwd");
    frame.OfferConversion();
    QVERIFY(pBar->isHidden());

    const std::string strPath = OpenFile(fx, "Home.pwd");
    frame.OfferConversion();
    QVERIFY(!pBar->isHidden());
    const std::string strSealed = strPath.substr(0, strPath.size() - 4) + ".khv";
    fx.m_prompts.AnswerSaveFile(strSealed);
    fx.m_prompts.TypeCreateKey("new", "new");
    fx.m_prompts.AnswerMessage(EMsgAnswer::no);
    pBar->findChild<QToolButton*>(QStringLiteral("ConvertSave"))->click();
    QCOMPARE(fx.m_prompts.Calls().front().m_file.m_strInitialName, strSealed);
    QCOMPARE(fx.m_pDoc->Session().GetPathName(), strSealed);
    QVERIFY(pBar->isHidden());
    QVERIFY(fx.m_vecFailures.empty());
}

QTEST_MAIN(FileViewCommandsTest)
#include "FileViewCommandsTest.moc"
