// SPDX-License-Identifier: GPL-3.0-or-later
// The File Property dialog as a widget: its caption, captions and values by
// control id, the attribute boxes, the folder cut with an ellipsis, and what
// OK and Cancel hand back.

#include "gui/dialogs/FilePropertyDlg.h"
#include "core/base/CommandIds.h"
#include "gui/controls/EllipsisStatic.h"
#include "gui/controls/HoverButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

namespace {

SFileProperties SampleProperties() {
    SFileProperties props;
    props.m_strFileName = "Work.pwd";
    props.m_strContains = "2 Groups\t5 Accounts";
    props.m_strLocation = "/home/user/";
    props.m_strSize = "1234 Bytes";
    props.m_strCreated = "";
    props.m_strModified = "March 05, 2024 14:07:09";
    props.m_strAccessed = "March 06, 2024 08:00:00";
    props.m_bReadOnly = false;
    props.m_bHidden = true;
    return props;
}

} // namespace

class FilePropertyDlgTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAndValues();
    void attributeBoxes();
    void theProtectionShowsItsPadlock();
    void aLongFolderEndsInAnEllipsis();
    void okHandsBackTheReadOnlyBox();
    void cancelHandsBackNothing();
};

void FilePropertyDlgTest::captionsAndValues() {
    CFilePropertyDlg dialog(SampleProperties());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("File Propety"));
    QCOMPARE(dialog.property("controlId").toInt(), 211);
    const struct {
        int nId;
        const char* pszValue;
        const char* pszCaption;
    } expected[] = {
        {1036, "Work.pwd", nullptr},
        {1074, "2 Groups\t5 Accounts", "Contains:"},
        {1053, "/home/user/", "Loaction:"},
        {1054, "1234 Bytes", "Size:"},
        {1055, "", "Created:"},
        {1056, "March 05, 2024 14:07:09", "Modified:"},
        {1057, "March 06, 2024 08:00:00", "Accessed:"},
    };
    QStringList captions;
    for (QLabel* pLabel : dialog.findChildren<QLabel*>())
        captions << pLabel->text();
    for (const auto& row : expected) {
        QLabel* pValue = dialog.TextControl(row.nId);
        QVERIFY2(pValue, qPrintable(QString::number(row.nId)));
        QCOMPARE(pValue->property("controlId").toInt(), row.nId);
        QCOMPARE(pValue->text(), QString::fromUtf8(row.pszValue));
        QCOMPARE(pValue->textFormat(), Qt::PlainText);
        if (row.pszCaption) {
            QVERIFY2(captions.contains(QString::fromUtf8(row.pszCaption)), row.pszCaption);
            QCOMPARE(pValue->accessibleDescription(), QString::fromUtf8(row.pszCaption));
        }
    }
    QVERIFY(captions.contains(QStringLiteral("Attributes:")));
    QCOMPARE(dialog.OkButton()->property("controlId").toInt(), IDOK);
    QCOMPARE(dialog.OkButton()->IconId(), 222);
    QCOMPARE(dialog.CancelButton()->IconId(), 279);
}

void FilePropertyDlgTest::theProtectionShowsItsPadlock() {
    for (const bool bSealed : {false, true}) {
        SFileProperties props = SampleProperties();
        props.m_bSealed = bSealed;
        CFilePropertyDlg dialog(props);
        auto* pLock = dialog.findChild<QLabel*>(QStringLiteral("ProtectionIcon"));
        QVERIFY(pLock);
        QCOMPARE(pLock->accessibleName(),
                 bSealed ? QStringLiteral("Closed padlock") : QStringLiteral("Open padlock"));
        const QImage shown = pLock->pixmap().toImage();
        const QImage expected =
            CHoverButton::LoadNumberedIcon(bSealed ? 460 : 461).pixmap(16, 16).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(shown, expected);
    }
}

void FilePropertyDlgTest::attributeBoxes() {
    CFilePropertyDlg dialog(SampleProperties());
    QCOMPARE(dialog.ReadOnlyBox()->text(), QStringLiteral("&Read-only"));
    QCOMPARE(dialog.ReadOnlyBox()->property("controlId").toInt(), 1008);
    QVERIFY(dialog.ReadOnlyBox()->isEnabled());
    QVERIFY(!dialog.ReadOnlyBox()->isChecked());
    QCOMPARE(dialog.HiddenBox()->text(), QStringLiteral("&Hidden"));
    QCOMPARE(dialog.HiddenBox()->property("controlId").toInt(), 1069);
    QVERIFY(dialog.HiddenBox()->isChecked());
    QVERIFY(!dialog.HiddenBox()->isEnabled());
    QCOMPARE(dialog.ArchiveBox()->text(), QStringLiteral("&Archive"));
    QCOMPARE(dialog.ArchiveBox()->property("controlId").toInt(), 1070);
    QVERIFY(!dialog.ArchiveBox()->isChecked());
    QVERIFY(!dialog.ArchiveBox()->isEnabled());
    QCOMPARE(dialog.ReadOnlyBox()->accessibleName(), QStringLiteral("Read-only"));

    SFileProperties props = SampleProperties();
    props.m_bReadOnly = true;
    props.m_bHidden = false;
    CFilePropertyDlg ticked(props);
    QVERIFY(ticked.ReadOnlyBox()->isChecked());
    QVERIFY(!ticked.HiddenBox()->isChecked());
}

void FilePropertyDlgTest::aLongFolderEndsInAnEllipsis() {
    SFileProperties props = SampleProperties();
    props.m_strLocation = "/home/user/" + std::string(40, 'd') + "/" + std::string(60, 'e') + "/";
    CFilePropertyDlg dialog(props);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* pLocation = qobject_cast<CEllipsisStatic*>(dialog.TextControl(1053));
    QVERIFY(pLocation);
    // The whole path stays the control's text; the end gives way on screen.
    QCOMPARE(pLocation->text(), QString::fromStdString(props.m_strLocation));
    const QString strShown = pLocation->DisplayText();
    QVERIFY2(strShown.endsWith(QChar(0x2026)), qPrintable(strShown));
    QVERIFY(strShown.startsWith(QStringLiteral("/home/user/ddd")));
    QVERIFY(pLocation->fontMetrics().horizontalAdvance(strShown) <= pLocation->width());
    // The dialog did not grow to the path's width.
    QVERIFY(dialog.width() < pLocation->fontMetrics().horizontalAdvance(pLocation->text()));
    // A short folder is shown whole.
    CFilePropertyDlg shortDialog(SampleProperties());
    shortDialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shortDialog));
    QCOMPARE(qobject_cast<CEllipsisStatic*>(shortDialog.TextControl(1053))->DisplayText(),
             QStringLiteral("/home/user/"));
}

void FilePropertyDlgTest::okHandsBackTheReadOnlyBox() {
    CFilePropertyDlg dialog(SampleProperties());
    dialog.show();
    QTest::mouseClick(dialog.ReadOnlyBox(), Qt::LeftButton);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const SFileProperties result = dialog.Result();
    QVERIFY(result.m_bReadOnly);
    QCOMPARE(result.m_strContains, std::string("2 Groups\t5 Accounts"));
    QVERIFY(result.m_bHidden);
}

void FilePropertyDlgTest::cancelHandsBackNothing() {
    CFilePropertyDlg dialog(SampleProperties());
    dialog.show();
    QTest::mouseClick(dialog.ReadOnlyBox(), Qt::LeftButton);
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(FilePropertyDlgTest)
#include "FilePropertyDlgTest.moc"
