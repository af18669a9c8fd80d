// SPDX-License-Identifier: GPL-3.0-or-later
// The three KEY dialogs as widgets: their controls, ids, names and captions,
// masked edits, icon buttons, and the OK rules with every message going
// through the scripted prompts.

#include "core/base/StringTable.h"
#include "core/store/FieldCipher.h"
#include "gui/controls/HoverButton.h"
#include "gui/controls/StrengthMeter.h"
#include "gui/dialogs/ChangeKeyDlg.h"
#include "gui/dialogs/CheckKeyDlg.h"
#include "gui/dialogs/CreateKeyDlg.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

// Over 100 bits by the estimator: no question before it is taken.
constexpr const char* STRONG_KEY = "tundra Velvet orbit 48 quince Lantern";

class KeyDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void createKeyControls();
    void createKeyRules();
    void createKeyRefusesCharactersTheCodePageLacks();
    void checkKeyControls();
    void checkKeyRulesAndEnter();
    void changeKeyControls();
    void changeKeyRules();
    void weakNewKeyAsksFirst_data();
    void weakNewKeyAsksFirst();
    void cancelClosesWithoutMessage();
    void clearWipesTheTypedKeyInPlace();

private:
    template <class T> T* Find(QWidget& dialog, const char* pszName) {
        T* pWidget = dialog.findChild<T*>(QString::fromLatin1(pszName));
        if (!pWidget)
            qFatal("no control %s", pszName);
        return pWidget;
    }
    void Type(QWidget& dialog, const char* pszEdit, const QString& strText) {
        QLineEdit* pEdit = Find<QLineEdit>(dialog, pszEdit);
        pEdit->clear();
        // Key events carry Latin-1 only; other characters arrive as input text.
        bool bLatin1 = true;
        for (QChar ch : strText)
            bLatin1 = bLatin1 && ch.unicode() < 0x80;
        if (bLatin1)
            QTest::keyClicks(pEdit, strText);
        else
            pEdit->insert(strText);
    }
    void PressOk(QWidget& dialog) {
        QTest::mouseClick(Find<CHoverButton>(dialog, "okButton"), Qt::LeftButton);
    }
    void CheckEdit(QWidget& dialog, const char* pszName, int nId, const QString& strAccessible) {
        QLineEdit* pEdit = Find<QLineEdit>(dialog, pszName);
        QCOMPARE(pEdit->property("controlId").toInt(), nId);
        QCOMPARE(pEdit->echoMode(), QLineEdit::Password);
        QCOMPARE(pEdit->accessibleName(), strAccessible);
    }
    void CheckButtons(QWidget& dialog) {
        auto* pOk = Find<CHoverButton>(dialog, "okButton");
        auto* pCancel = Find<CHoverButton>(dialog, "cancelButton");
        QCOMPARE(pOk->property("controlId").toInt(), 1);
        QCOMPARE(pCancel->property("controlId").toInt(), 2);
        QCOMPARE(pOk->IconId(), 222);
        QCOMPARE(pCancel->IconId(), 279);
        // The numbered pictures exist, so the buttons show them.
        QVERIFY(!CHoverButton::LoadNumberedIcon(222).isNull());
        QVERIFY(!CHoverButton::LoadNumberedIcon(279).isNull());
        QCOMPARE(pOk->accessibleName(), QStringLiteral("OK"));
        QCOMPARE(pCancel->accessibleName(), QStringLiteral("Cancel"));
        QVERIFY(pOk->isDefault());
    }
    bool HasLabel(QWidget& dialog, const QString& strText) {
        for (QLabel* pLabel : dialog.findChildren<QLabel*>())
            if (pLabel->text() == strText)
                return true;
        return false;
    }
    QStringList Messages() const {
        QStringList list;
        for (const std::string& strText : m_pPrompts->MessageTexts())
            list << QString::fromStdString(strText);
        return list;
    }

    std::unique_ptr<CScriptedPrompts> m_pPrompts;
};

void KeyDialogsTest::init() {
    m_pPrompts = std::make_unique<CScriptedPrompts>();
    m_pPrompts->m_fnFail = [](const std::string& strWhy) {
        QTest::qFail(strWhy.c_str(), __FILE__, __LINE__);
    };
}

void KeyDialogsTest::cleanup() {
    QCOMPARE(m_pPrompts->UnusedAnswers(), std::string());
}

void KeyDialogsTest::createKeyControls() {
    CCreateKeyDlg dialog(*m_pPrompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Create KEY"));
    QCOMPARE(dialog.property("controlId").toInt(), 216);
    QVERIFY(HasLabel(dialog, QStringLiteral("Create KEY for new file")));
    QVERIFY(HasLabel(dialog, QStringLiteral("Confirm KEY")));
    CheckEdit(dialog, "newKeyEdit", 1036, QStringLiteral("Create KEY for new file"));
    CheckEdit(dialog, "confirmKeyEdit", 1068, QStringLiteral("Confirm KEY"));
    CheckButtons(dialog);
    // Typed characters are never shown.
    QLineEdit* pEdit = Find<QLineEdit>(dialog, "newKeyEdit");
    QTest::keyClicks(pEdit, QStringLiteral("abc"));
    QCOMPARE(pEdit->displayText(), QStringLiteral("***"));
}

void KeyDialogsTest::createKeyRules() {
    CCreateKeyDlg dialog(*m_pPrompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    PressOk(dialog);
    QCOMPARE(Messages(), QStringList{QString::fromUtf8(IDS_KEY_EMPTY)});
    QCOMPARE(m_pPrompts->Messages().back().m_eIcon, EMsgIcon::exclamation);
    QCOMPARE(dialog.focusWidget(), Find<QLineEdit>(dialog, "newKeyEdit"));
    QVERIFY(dialog.isVisible());

    Type(dialog, "newKeyEdit", QStringLiteral("one"));
    Type(dialog, "confirmKeyEdit", QStringLiteral("two"));
    PressOk(dialog);
    QCOMPARE(Messages().last(), QString::fromUtf8(IDS_KEYS_DO_NOT_MATCH));
    QVERIFY(Find<QLineEdit>(dialog, "newKeyEdit")->text().isEmpty());
    QVERIFY(Find<QLineEdit>(dialog, "confirmKeyEdit")->text().isEmpty());
    QCOMPARE(dialog.focusWidget(), Find<QLineEdit>(dialog, "newKeyEdit"));

    Type(dialog, "newKeyEdit", QString::fromLatin1(STRONG_KEY));
    Type(dialog, "confirmKeyEdit", QString::fromLatin1(STRONG_KEY));
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.m_strKeyValue, MakeKeyCheckValue(STRONG_KEY));
    QCOMPARE(Messages().size(), 2);

    dialog.Clear();
    QVERIFY(dialog.m_strKeyValue.empty());
    QVERIFY(Find<QLineEdit>(dialog, "newKeyEdit")->text().isEmpty());
}

void KeyDialogsTest::createKeyRefusesCharactersTheCodePageLacks() {
    CCreateKeyDlg dialog(*m_pPrompts);
    dialog.show();
    const QString strKey = QStringLiteral("caf") + QChar(0x00E9) + QChar(0x03A9);
    Type(dialog, "newKeyEdit", strKey);
    Type(dialog, "confirmKeyEdit", strKey);
    PressOk(dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(Messages().last(), QString::fromUtf8(IDS_KEY_BAD_CHARACTER));

    // The same text without the Greek letter is held by the code page: the
    // check value is that of its single-byte form.
    Type(dialog, "newKeyEdit", strKey.left(4));
    Type(dialog, "confirmKeyEdit", strKey.left(4));
    m_pPrompts->AnswerMessage(EMsgAnswer::yes); // easy to guess, taken all the same
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strKeyValue, MakeKeyCheckValue("caf\xe9"));
}

void KeyDialogsTest::checkKeyControls() {
    CCheckKeyDlg dialog(*m_pPrompts);
    dialog.SetPrompt(QStringLiteral("KEY for:  Work.pwd"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Check Key"));
    QCOMPARE(dialog.property("controlId").toInt(), 217);
    QLabel* pPrompt = Find<QLabel>(dialog, "promptLabel");
    QCOMPARE(pPrompt->property("controlId").toInt(), 1073);
    QCOMPARE(pPrompt->text(), QStringLiteral("KEY for:  Work.pwd"));
    CheckEdit(dialog, "typedKeyEdit", 1090, QStringLiteral("KEY for:  Work.pwd"));
    CheckButtons(dialog);

    // A name too long for the dialog is cut with an ellipsis, in the width
    // the label has; the tool tip and the accessible name keep all of it.
    const QString strLong =
        QStringLiteral("KEY for:  ") + QString(200, QLatin1Char('w')) + QStringLiteral("-end.pwd");
    dialog.SetPrompt(strLong);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(pPrompt->text().startsWith(QStringLiteral("KEY for:  www")));
    QVERIFY(pPrompt->text().endsWith(QChar(0x2026)));
    QVERIFY(pPrompt->fontMetrics().horizontalAdvance(pPrompt->text()) <= pPrompt->width());
    QCOMPARE(pPrompt->toolTip(), strLong);
    QCOMPARE(pPrompt->accessibleName(), strLong);
    QCOMPARE(dialog.Prompt(), strLong);
}

void KeyDialogsTest::checkKeyRulesAndEnter() {
    CCheckKeyDlg dialog(*m_pPrompts);
    dialog.m_strKeyValue = MakeKeyCheckValue("right");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* pEdit = Find<QLineEdit>(dialog, "typedKeyEdit");
    for (const char* pszWrong : {"wrong", "Right", "rig"}) {
        Type(dialog, "typedKeyEdit", QString::fromLatin1(pszWrong));
        PressOk(dialog);
        QVERIFY(pEdit->text().isEmpty());
        QCOMPARE(dialog.focusWidget(), pEdit);
        QVERIFY(dialog.isVisible());
    }
    QCOMPARE(Messages(), QStringList(3, QString::fromUtf8(IDS_KEY_INVALID)));
    // Enter in the edit presses the default button.
    QTest::keyClicks(pEdit, QStringLiteral("right"));
    QTest::keyClick(pEdit, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Messages().size(), 3);
}

void KeyDialogsTest::changeKeyControls() {
    CChangeKeyDlg dialog(*m_pPrompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Change Key"));
    QCOMPARE(dialog.property("controlId").toInt(), 221);
    for (const char* pszLabel : {"Original KEY", "New KEY", "Confirm Key"})
        QVERIFY2(HasLabel(dialog, QString::fromLatin1(pszLabel)), pszLabel);
    CheckEdit(dialog, "originalKeyEdit", 1036, QStringLiteral("Original KEY"));
    CheckEdit(dialog, "newKeyEdit", 1075, QStringLiteral("New KEY"));
    CheckEdit(dialog, "confirmKeyEdit", 1076, QStringLiteral("Confirm Key"));
    CheckButtons(dialog);
    QVERIFY(!dialog.IconLabel()->pixmap().isNull());
}

void KeyDialogsTest::changeKeyRules() {
    CChangeKeyDlg dialog(*m_pPrompts);
    dialog.m_strKeyValue = MakeKeyCheckValue("old");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* pOriginal = Find<QLineEdit>(dialog, "originalKeyEdit");
    QLineEdit* pNew = Find<QLineEdit>(dialog, "newKeyEdit");
    QLineEdit* pConfirm = Find<QLineEdit>(dialog, "confirmKeyEdit");

    Type(dialog, "originalKeyEdit", QStringLiteral("bad"));
    Type(dialog, "newKeyEdit", QStringLiteral("n"));
    Type(dialog, "confirmKeyEdit", QStringLiteral("n"));
    PressOk(dialog);
    QCOMPARE(Messages().last(), QString::fromUtf8(IDS_ORIGINAL_KEY_INVALID));
    QVERIFY(pOriginal->text().isEmpty() && pNew->text().isEmpty() && pConfirm->text().isEmpty());
    QCOMPARE(dialog.focusWidget(), pOriginal);

    Type(dialog, "originalKeyEdit", QStringLiteral("old"));
    Type(dialog, "newKeyEdit", QStringLiteral("n"));
    Type(dialog, "confirmKeyEdit", QStringLiteral("m"));
    PressOk(dialog);
    QCOMPARE(Messages().last(), QString::fromUtf8(IDS_KEYS_DO_NOT_MATCH));
    QCOMPARE(pOriginal->text(), QStringLiteral("old"));
    QVERIFY(pNew->text().isEmpty() && pConfirm->text().isEmpty());
    QCOMPARE(dialog.focusWidget(), pNew);

    PressOk(dialog);
    QCOMPARE(Messages().last(), QString::fromUtf8(IDS_NEW_KEY_EMPTY));

    Type(dialog, "newKeyEdit", QString::fromLatin1(STRONG_KEY));
    Type(dialog, "confirmKeyEdit", QString::fromLatin1(STRONG_KEY));
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strKeyValue, MakeKeyCheckValue(STRONG_KEY));
    QCOMPARE(Messages().size(), 3);
}

void KeyDialogsTest::weakNewKeyAsksFirst_data() {
    QTest::addColumn<bool>("bChange");
    QTest::newRow("Create KEY") << false;
    QTest::newRow("Change Key") << true;
}

// Both dialogs that make a KEY say what it is, show its strength as it is
// typed, and take one below "reasonable" only after a question whose
// default keeps the dialog open.
void KeyDialogsTest::weakNewKeyAsksFirst() {
    QFETCH(bool, bChange);
    std::unique_ptr<CKeyDialog> pDialog;
    if (bChange)
        pDialog = std::make_unique<CChangeKeyDlg>(*m_pPrompts);
    else
        pDialog = std::make_unique<CCreateKeyDlg>(*m_pPrompts);
    CKeyDialog& dialog = *pDialog;
    dialog.m_strKeyValue = MakeKeyCheckValue("old");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(HasLabel(dialog, QString::fromUtf8(IDS_KEY_EXPLAINED)));
    QVERIFY(dialog.Meter() != nullptr);
    auto TypeKeys = [&](const char* pszNew) {
        if (bChange)
            Type(dialog, "originalKeyEdit", QStringLiteral("old"));
        Type(dialog, "newKeyEdit", QString::fromLatin1(pszNew));
        Type(dialog, "confirmKeyEdit", QString::fromLatin1(pszNew));
    };

    TypeKeys("abc");
    QVERIFY(dialog.Meter()->Strength() < EStrength::reasonable);
    m_pPrompts->AnswerMessage(EMsgAnswer::no);
    PressOk(dialog);
    QVERIFY(dialog.isVisible());
    QCOMPARE(Messages(), QStringList{QString::fromUtf8(IDS_WEAK_KEY_QUESTION)});
    QCOMPARE(m_pPrompts->Messages().back().m_eButtons, EMsgButtons::yesNoDefaultNo);
    QCOMPARE(dialog.focusWidget(), Find<QLineEdit>(dialog, "newKeyEdit"));
    QVERIFY(dialog.m_strKey.empty());

    m_pPrompts->AnswerMessage(EMsgAnswer::yes);
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.m_strKeyValue, MakeKeyCheckValue("abc"));
    QCOMPARE(Messages().size(), 2);

    // A strong KEY goes through without a question.
    dialog.Clear();
    dialog.setResult(QDialog::Rejected);
    dialog.m_strKeyValue = MakeKeyCheckValue("old");
    dialog.show();
    TypeKeys(STRONG_KEY);
    QVERIFY(dialog.Meter()->Strength() >= EStrength::reasonable);
    PressOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Messages().size(), 2);
}

void KeyDialogsTest::cancelClosesWithoutMessage() {
    CChangeKeyDlg dialog(*m_pPrompts);
    const std::string strValue = MakeKeyCheckValue("old");
    dialog.m_strKeyValue = strValue;
    dialog.show();
    Type(dialog, "originalKeyEdit", QStringLiteral("bad"));
    QTest::mouseClick(Find<CHoverButton>(dialog, "cancelButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(Messages().isEmpty());
    QCOMPARE(dialog.m_strKeyValue, strValue);
}

void KeyDialogsTest::clearWipesTheTypedKeyInPlace() {
    CChangeKeyDlg dialog(*m_pPrompts);
    Type(dialog, "newKeyEdit", QStringLiteral("new secret"));
    QLineEdit* pEdit = Find<QLineEdit>(dialog, "newKeyEdit");
    // A copy shares the edit's buffer: after the wipe it shows what is left
    // where the edit kept the KEY.
    const QString strShared = pEdit->text();
    QCOMPARE(strShared, QStringLiteral("new secret"));
    dialog.m_strKey = "typed key bytes, long enough for the heap";
    const char* pKey = dialog.m_strKey.data();
    const std::size_t nKey = dialog.m_strKey.size();
    dialog.Clear();
    QVERIFY(pEdit->text().isEmpty());
    QCOMPARE(strShared, QString(10, QChar(0)));
    QVERIFY(dialog.m_strKey.empty());
    QCOMPARE(dialog.m_strKey.data(), pKey);
    QVERIFY(std::all_of(pKey, pKey + nKey, [](char c) { return c == 0; }));
}

QTEST_MAIN(KeyDialogsTest)
#include "KeyDialogsTest.moc"
