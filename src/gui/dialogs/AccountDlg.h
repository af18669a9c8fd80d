// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"
#include "core/tree/GroupChoice.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

class CCofferDoc;
class CDragEdit;
class CDragTextEdit;
class CHoverButton;
class CHoverComboBox;
class CPrompts;
class CStrengthMeter;
class QLineEdit;
class QPushButton;
class CAccountAttachmentsTab;
class CAccountFieldsTab;
class CAccountHistoryTab;
class CAccountOtpTab;
class CAccountPropertiesTab;
class QTabWidget;

// The dialog in which an account is added or changed: its group, its name
// and its five other texts, with buttons that paste, generate a password,
// browse for a file and test the hyperlink. It checks the name against the
// other accounts of the chosen group and hands the texts back; it never
// changes the document itself. A database's account shows these controls on
// the first of its tabs; the others edit what the entry holds beyond them
// (fields, one-time password, tags and expiry, attachments) and restore an
// earlier version.
class CAccountDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of the dialog.
    enum {
        IDC_GROUP = 1096,
        IDC_ACCOUNT = 1014,
        IDC_USERNAME = 1004,
        IDC_PASSWORD = 1002,
        IDC_WEBSITE = 1003,
        IDC_EMAIL = 1001,
        IDC_COMMENTS = 1005,
        IDC_PASTE_USERNAME = 1047,
        IDC_GENERATE = 1048,
        IDC_GENERATOR_SETTINGS = 1136,
        IDC_PASTE_WEBSITE = 1049,
        IDC_BROWSE = 1199,
        IDC_TEST_LINK = 1207,
        IDC_PASTE_EMAIL = 1050,
        IDC_SHOW_PASSWORD = 1301,
    };
    static constexpr int MAX_ACCOUNT_LENGTH = 255;

    CAccountDlg(const CCofferDoc& doc, CPrompts& prompts, QWidget* pParent = nullptr);
    ~CAccountDlg() override;

    // Takes what the caller sets and fills the controls; run before showing.
    void Load(const SAccountDlgData& input);
    // After OK: the texts typed and the group chosen.
    const SAccountDlgData& Result() const { return m_data; }
    bool IsEditMode() const { return m_bEditMode; }

    // OK: closes only when the texts pass the dialog's checks.
    void accept() override;
    // Escape, Cancel and the window's close button: a dialog that holds
    // changes closes only once the user agrees to lose them.
    void reject() override;
    // Whether any text, the group, or what a database's account holds
    // beyond its texts differs from what the dialog opened with.
    bool IsChanged() const;

    void OnPaste(QLineEdit* pTarget);
    void OnGeneratePassword();
    void OnGeneratorSettings();
    void OnBrowse();
    void OnTestHyperlink();

    CHoverComboBox* GroupList() const { return m_pGroup; }
    CDragEdit* AccountEdit() const { return m_pAccount; }
    CDragEdit* UserNameEdit() const { return m_pUserName; }
    CDragEdit* PasswordEdit() const { return m_pPassword; }
    CDragEdit* WebSiteEdit() const { return m_pWebSite; }
    CDragEdit* EMailEdit() const { return m_pEMail; }
    CDragTextEdit* CommentsEdit() const { return m_pComments; }
    CHoverButton* Button(int nId) const;
    // Shows the password as text or masks it again.
    QPushButton* ShowPasswordButton() const { return m_pShowPassword; }
    CStrengthMeter* StrengthMeter() const { return m_pStrength; }
    // The tabs of a database's account, the texts' controls on the first;
    // none for a password file's account.
    QTabWidget* Tabs() const { return m_pTabs; }
    CAccountFieldsTab* FieldsTab() const { return m_pFieldsTab; }
    CAccountOtpTab* OtpTab() const { return m_pOtpTab; }
    CAccountPropertiesTab* PropertiesTab() const { return m_pPropertiesTab; }
    CAccountAttachmentsTab* AttachmentsTab() const { return m_pAttachmentsTab; }
    CAccountHistoryTab* HistoryTab() const { return m_pHistoryTab; }

    // Opens a link target (stored bytes); tests replace it.
    std::function<int(const std::string&)> m_fnOpenLink;

private:
    void CreateControls();
    void ShowPassword(bool bShown);
    CDragEdit* MakeEdit(int nId, const char* pszName, const char* pszLabel);
    CHoverButton* MakeIconButton(int nId, const char* pszName, const char* pszTip, int nIcon);
    void FillGroups();
    void OnGroupChosen(int nIndex);
    QString ToQt(const std::string& strStored) const;
    // The texts of the edits, but the password and the comments.
    QStringList ShownTexts() const;
    // The edit's text in the file's code page; a character the page cannot
    // hold is reported, the edit gets the focus and false is returned.
    bool FromEdit(QWidget* pEdit, const QString& strText, std::string& strStored);
    bool ReadComments(std::string& strComments);
    void Refuse(const std::string& strMessage, QWidget* pFocus);
    // Brings the tab that holds the control to the front.
    void ShowTabOf(const QWidget* pControl);
    void CreateTabs(const SRecordExtras& extras, const std::vector<SRecordVersion>& history);
    void LoadExtras(const SRecordExtras& extras);
    // What the tabs hold now.
    SRecordExtras ShownExtras() const;
    // The extras for the result; false (and the tab shown) when they cannot
    // be kept.
    bool ReadExtras(SRecordExtras& extras);
    // Fills the controls with an earlier version's texts and extras.
    void Restore(const SRecordVersion& version);

    const CCofferDoc& m_doc;
    CPrompts& m_prompts;
    SAccountDlgData m_data;
    std::unique_ptr<CGroupChoice> m_pChoice;
    std::string m_strOrigGroup;
    std::string m_strOrigAccount;
    // The comments as first shown: unchanged, they keep their stored bytes.
    QString m_strShownComments;
    // The other texts as first shown; the password is compared with the
    // stored bytes the dialog holds anyway rather than copied once more.
    QStringList m_listShownTexts;
    bool m_bEditMode = false;
    // The extras as the tabs first showed them.
    SRecordExtras m_shownExtras;

    // The texts' controls, alone in the dialog or the first of its tabs.
    QWidget* m_pAccountPage = nullptr;
    QTabWidget* m_pTabs = nullptr;
    CAccountFieldsTab* m_pFieldsTab = nullptr;
    CAccountOtpTab* m_pOtpTab = nullptr;
    CAccountPropertiesTab* m_pPropertiesTab = nullptr;
    CAccountAttachmentsTab* m_pAttachmentsTab = nullptr;
    CAccountHistoryTab* m_pHistoryTab = nullptr;
    CHoverComboBox* m_pGroup = nullptr;
    CDragEdit* m_pAccount = nullptr;
    CDragEdit* m_pUserName = nullptr;
    CDragEdit* m_pPassword = nullptr;
    QPushButton* m_pShowPassword = nullptr;
    CStrengthMeter* m_pStrength = nullptr;
    CDragEdit* m_pWebSite = nullptr;
    CDragEdit* m_pEMail = nullptr;
    CDragTextEdit* m_pComments = nullptr;
    CHoverButton* m_pSettings = nullptr;
};
