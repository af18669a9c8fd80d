// SPDX-License-Identifier: GPL-3.0-or-later
// A KeePass database as the program's own file: opened, changed and saved in
// place through the file session, everything it does not show kept.
#include "DocumentFixture.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/interchange/KdbxWriter.h"
#include "core/kdbx/KdbxDatabase.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxTree.h"
#include "core/store/AccountDlgData.h"
#include "core/store/CodePage.h"
#include "interchange/KdbxTestWriter.h"

namespace {

constexpr std::int64_t T0 = 1700000000;
const char* const PASSWORD = "Пароль 🔑";

SKdbxCredentials Credentials(const std::string& strPassword) {
    SKdbxCredentials credentials;
    credentials.strPassword = strPassword;
    return credentials;
}

CKdbxFile ReadDatabase(const std::string& strPath, const SKdbxCredentials& credentials) {
    const std::string strBytes = ReadBytes(strPath);
    CKdbxFile database;
    EXPECT_EQ(database
                  .Read({reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size()},
                        credentials)
                  .eFailure,
              EKdbxFailure::none);
    return database;
}
CKdbxFile ReadDatabase(const std::string& strPath, const std::string& strPassword) {
    return ReadDatabase(strPath, Credentials(strPassword));
}

class DocDatabase : public DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        // The least Argon2id cost, as for the sealed files of these tests.
        m_format.SetNewDatabaseCost(std::uint64_t(1) << 20, 1);
        m_prompts.m_pCodePage = &CCodePage::Utf8();
    }

    std::unique_ptr<CSessionDoc> MakeDatabaseDoc() {
        auto pDoc = MakeDoc();
        pDoc->SetDatabaseFormat(&m_format);
        return pDoc;
    }

    // A database another manager made: a nested group, a custom field, a
    // history item, meta data of its own and an entry it keeps in the bin.
    std::string MakeDatabase(const std::string& strName,
                             const SKdbxCredentials& credentials = Credentials(PASSWORD)) {
        CKdbxFile database = NewKdbxDatabase("Vault", T0);
        CKdbxVariantMap kdf = database.KdfParameters();
        kdf.SetUInt64("M", std::uint64_t(1) << 20);
        kdf.SetUInt64("I", 1);
        database.SetKdfParameters(kdf);
        CXmlTree& xml = database.Xml();
        CXmlElement& mail =
            AddKdbxEntry(xml, KdbxGroupAt(xml, "Работа/Почта", T0),
                         {{"Title", "Почта"}, {"Password", "старый"}, {"PIN", "1234"}}, T0);
        EditKdbxEntry(database, mail, {{"UserName", "иван"}}, T0);
        AddKdbxEntry(xml, KdbxGroupAt(xml, "Home", T0), {{"Title", "Bank"}}, T0);
        xml.Root().Child("Meta")->SetChildText(xml, "SomeOtherProgram", "its own");
        CKdbxBytes bytes;
        EXPECT_EQ(database.Write(credentials, bytes).eFailure, EKdbxFailure::none);
        const std::string strPath = m_folder.File(strName);
        WriteBytes(strPath, std::string(bytes.begin(), bytes.end()));
        return strPath;
    }

    // The database's key dialog answered with a password (none for nullptr)
    // and a key file.
    void AnswerKey(const char* pszPassword, const std::string& strKeyFile = {}) {
        m_prompts.AnswerDatabaseKey({pszPassword ? pszPassword : "", !pszPassword, strKeyFile});
    }
    void OpenDatabase(CSessionDoc& doc, const std::string& strPath, const char* pszPassword,
                      const std::string& strKeyFile = {}) {
        AnswerKey(pszPassword, strKeyFile);
        EXPECT_TRUE(doc.Session().OpenDocumentFile(strPath));
        EXPECT_TRUE(doc.Session().IsOpen());
    }
    // The key file the last key dialog proposed.
    std::string ProposedKeyFile() const {
        for (auto it = m_prompts.Calls().rbegin(); it != m_prompts.Calls().rend(); ++it)
            if (it->m_eKind == EPromptKind::databaseKey)
                return it->m_file.m_strInitialName;
        return "(no key dialog)";
    }

    CKdbxDatabaseFormat m_format;
};

const CPasswordInfo* AccountNamed(const CCofferDoc& doc, const std::string& strName) {
    for (const CPasswordInfo& record : doc.Records())
        if (!record.IsGroup() && record.Account() == strName)
            return &record;
    return nullptr;
}

} // namespace

TEST_F(DocDatabase, OpensChangesAndSavesInPlaceKeepingWhatItDoesNotShow) {
    const std::string strPath = MakeDatabase("Vault.kdbx");
    auto pDoc = MakeDatabaseDoc();
    AnswerKey("wrong");
    OpenDatabase(*pDoc, strPath, PASSWORD);
    EXPECT_TRUE(pDoc->IsDatabase());
    EXPECT_TRUE(pDoc->CodePage().IsUtf8());
    EXPECT_EQ(DumpRecords(*pDoc).find("Работа/Почта") != std::string::npos, true);
    const CPasswordInfo* pMail = AccountNamed(*pDoc, "Почта");
    ASSERT_TRUE(pMail);
    EXPECT_EQ(pMail->UserName(), "иван");

    CPasswordInfo texts = *pMail;
    texts.SetPassword("новый");
    pDoc->ReplaceAccount(pMail, "Работа/Почта", texts);
    CPasswordInfo added;
    added.SetAccount("Łódź 🚲");
    added.SetEMail("a@example.org");
    ASSERT_TRUE(pDoc->AddAccount("Home", added));
    pDoc->Session().OnContentChanged();
    EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_TRUE(pDoc->IsSaved());
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");

    const CKdbxFile saved = ReadDatabase(strPath, PASSWORD);
    EXPECT_EQ(saved.Xml().Root().Child("Meta")->ChildText("SomeOtherProgram"), "its own");
    const CXmlElement* pEntry = FindKdbxEntry(saved.Xml(), "Работа/Почта", "Почта").pEntry;
    ASSERT_TRUE(pEntry);
    EXPECT_EQ(KdbxEntryField(*pEntry, "Password"), "новый");
    EXPECT_EQ(KdbxEntryField(*pEntry, "PIN"), "1234");
    EXPECT_EQ(pEntry->Child("History")->Children().size(), 2u);
    const CXmlElement* pNew = FindKdbxEntry(saved.Xml(), "Home", "Łódź 🚲").pEntry;
    ASSERT_TRUE(pNew);
    EXPECT_EQ(KdbxEntryField(*pNew, "E-mail"), "a@example.org");

    // Locked and unlocked, it is read again under the same password.
    ASSERT_TRUE(pDoc->Session().UnloadForLock());
    EXPECT_EQ(pDoc->Records().size(), 0u);
    AnswerKey(PASSWORD);
    EXPECT_TRUE(pDoc->Session().ReloadAfterLock());
    EXPECT_TRUE(AccountNamed(*pDoc, "Łódź 🚲"));
}

TEST_F(DocDatabase, WhatAnAccountHoldsBeyondItsTextsIsSavedWithItAndItsHistoryShown) {
    const std::string strPath = MakeDatabase("Vault.kdbx");
    auto pDoc = MakeDatabaseDoc();
    OpenDatabase(*pDoc, strPath, PASSWORD);
    const CPasswordInfo* pMail = AccountNamed(*pDoc, "Почта");
    ASSERT_TRUE(pMail);
    SAccountDlgData dlg;
    FillDatabaseDlgData(dlg, *pDoc, pMail);
    ASSERT_TRUE(dlg.m_extras);
    EXPECT_EQ(dlg.m_extras->fields, (std::vector<SRecordField>{{"PIN", "1234", false}}));
    ASSERT_EQ(dlg.m_history.size(), 1u);
    EXPECT_EQ(dlg.m_history[0].strUserName, "");
    EXPECT_FALSE(pDoc->SetDatabaseExtras(pMail, *dlg.m_extras)); // nothing differs

    dlg.m_extras->fields[0].strValue = "4321";
    dlg.m_extras->tags = {"банк"};
    KeepDatabaseExtras(*pDoc, pMail, dlg);
    // The panel shows what was set before it is saved.
    EXPECT_EQ(pDoc->DatabaseCustomFields(*pMail)[0].strValue, "4321");
    CPasswordInfo added;
    added.SetAccount("New");
    const CPasswordInfo* pNew = pDoc->AddAccount("Home", added);
    SRecordExtras newExtras;
    newExtras.strOtp = "otpauth://totp/x?secret=JBSWY3DPEHPK3PXP";
    EXPECT_TRUE(pDoc->SetDatabaseExtras(pNew, newExtras));
    EXPECT_EQ(pDoc->DatabaseField(*pNew, "otp"), newExtras.strOtp);
    pDoc->Session().OnContentChanged();
    ASSERT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);

    const CKdbxFile saved = ReadDatabase(strPath, PASSWORD);
    const CXmlElement* pEntry = FindKdbxEntry(saved.Xml(), "Работа/Почта", "Почта").pEntry;
    ASSERT_TRUE(pEntry);
    EXPECT_EQ(KdbxEntryField(*pEntry, "PIN"), "4321");
    EXPECT_EQ(pEntry->ChildText("Tags"), "банк");
    EXPECT_EQ(pEntry->Child("History")->Children().size(), 2u);
    const CXmlElement* pNewEntry = FindKdbxEntry(saved.Xml(), "Home", "New").pEntry;
    ASSERT_TRUE(pNewEntry);
    EXPECT_EQ(KdbxEntryField(*pNewEntry, "otp"), newExtras.strOtp);
    // Read back, the account shows its versions, the newest last.
    const std::vector<SRecordVersion> history =
        pDoc->DatabaseHistory(*AccountNamed(*pDoc, "Почта"));
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1].extras.fields[0].strValue, "1234");
}

TEST_F(DocDatabase, APasswordFileSavedAsADatabaseBecomesOneUnderANewKey) {
    const std::string strPwd = MakeFile("Old.pwd", "k", {[] {
                                            CPasswordInfo account;
                                            account.SetAccount("Caf\xe9"); // the code page's é
                                            account.SetPassword("secret");
                                            return account;
                                        }()});
    auto pDoc = MakeDatabaseDoc();
    m_prompts.m_pCodePage = &CCodePage::Default();
    OpenWithKey(*pDoc, strPwd, "k");
    const std::string strKdbx = m_folder.File("New.kdbx");
    m_prompts.AnswerSaveFile(strKdbx);
    m_prompts.TypeCreateKey("Nouveau", "Nouveau");
    m_prompts.AnswerMessage(EMsgAnswer::no); // keep the old .pwd
    ASSERT_TRUE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    EXPECT_TRUE(pDoc->IsDatabase());
    EXPECT_TRUE(AccountNamed(*pDoc, "Café"));
    // The views show the records afresh, in their new code page.
    EXPECT_NE(std::find(Notices().begin(), Notices().end(), "recordsChanged"), Notices().end());

    const CKdbxFile saved = ReadDatabase(strKdbx, "Nouveau");
    const CXmlElement* pEntry = FindKdbxEntry(saved.Xml(), DEFAULT_GROUP_NAME, "Café").pEntry;
    ASSERT_TRUE(pEntry);
    EXPECT_EQ(KdbxEntryField(*pEntry, "Password"), "secret");
    EXPECT_EQ(KdbxGroupTree(saved.Xml())[0].pGroup->ChildText("Name"), "New");
}

TEST_F(DocDatabase, SavedAsAPasswordFileItNamesWhatIsLostAndAsksFirst) {
    const std::string strPath = MakeDatabase("Vault.kdbx");
    auto pDoc = MakeDatabaseDoc();
    OpenDatabase(*pDoc, strPath, PASSWORD);
    const std::string strKhv = m_folder.File("Vault.khv");
    // The answers after the name, as the questions come.
    const auto saveAs = [&](const std::function<void()>& fnAnswers) {
        m_prompts.ClearRecord();
        m_prompts.AnswerSaveFile(strKhv);
        fnAnswers();
        return pDoc->Session().OnFileSaveAs();
    };

    // No (the default) saves nothing.
    EXPECT_FALSE(saveAs([&] { m_prompts.AnswerMessage(EMsgAnswer::no); }));
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    const SPromptMessage& question = m_prompts.Messages()[0];
    EXPECT_EQ(question.m_eButtons, EMsgButtons::yesNoDefaultNo);
    for (const char* pszLost : {"Почта", "PIN", "Nested groups", "History"})
        EXPECT_NE(question.m_strText.find(pszLost), std::string::npos) << pszLost;
    EXPECT_FALSE(FileExists(strKhv));
    EXPECT_TRUE(pDoc->IsDatabase());

    // Yes, then no new KEY: the database's records come back.
    EXPECT_FALSE(saveAs([&] {
        m_prompts.AnswerMessage(EMsgAnswer::yes);
        m_prompts.CancelCreateKey();
    }));
    EXPECT_TRUE(pDoc->IsDatabase());
    EXPECT_TRUE(AccountNamed(*pDoc, "Почта"));

    // Yes and a KEY: the file keeps what the code page holds.
    m_prompts.m_pCodePage = &CCodePage::Default();
    ASSERT_TRUE(saveAs([&] {
        m_prompts.AnswerMessage(EMsgAnswer::yes);
        m_prompts.TypeCreateKey("k2", "k2");
    }));
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    EXPECT_FALSE(pDoc->IsDatabase());
    EXPECT_FALSE(pDoc->CodePage().IsUtf8());
    EXPECT_TRUE(AccountNamed(*pDoc, "Bank"));
    EXPECT_FALSE(AccountNamed(*pDoc, "Почта"));
    auto pReader = MakeDoc();
    OpenWithKey(*pReader, strKhv, "k2");
    EXPECT_EQ(DumpRecords(*pReader), DumpRecords(*pDoc));
}

TEST_F(DocDatabase, AKdbx31IsSavedAsKdbx4OnlyOnceTheUserAgreed) {
    CPasswordInfo group;
    group.m_bGroup = 1;
    group.SetGroup("Old");
    CPasswordInfo account;
    account.SetAccount("entry");
    SKdbxWriteOptions write;
    write.eVersion = SKdbxWriteOptions::EVersion::kdbx31;
    write.eKdf = EKdbxKdf::aes;
    write.nRounds = 10;
    write.eCipher = EKdbxCipher::aes256;
    write.eInnerStream = EKdbxInnerStream::salsa20;
    std::string strBytes;
    std::string strError;
    ASSERT_TRUE(WriteKdbx(
        {group, account}, CCodePage::Default(), Credentials(PASSWORD), write,
        [&strBytes](std::string_view piece) {
            strBytes.append(piece);
            return true;
        },
        strError))
        << strError;
    const std::string strPath = m_folder.File("Old.kdbx");
    WriteBytes(strPath, strBytes);
    auto pDoc = MakeDatabaseDoc();
    OpenDatabase(*pDoc, strPath, PASSWORD);
    EXPECT_TRUE(pDoc->IsDatabaseOfOlderFormat());
    pDoc->Session().OnContentChanged();

    // No: the file stays 3.1 and the change in memory. Locking saves nothing.
    m_prompts.AnswerMessage(EMsgAnswer::no);
    pDoc->Session().OnFileSave();
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    EXPECT_TRUE(pDoc->IsModified());
    SFileOptions options = pDoc->Session().FileOptions();
    options.m_bAutoSave = true;
    pDoc->Session().SetFileOptions(options);
    EXPECT_FALSE(pDoc->Session().UnloadForLock());

    m_prompts.AnswerMessage(EMsgAnswer::yes);
    pDoc->Session().OnFileSave();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(ReadDatabase(strPath, PASSWORD).MajorVersion(), 4);
    EXPECT_FALSE(pDoc->IsDatabaseOfOlderFormat());
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
}

TEST_F(DocDatabase, ADamagedDatabaseSaysWhyAndStaysClosed) {
    const std::string strPath = MakeDatabase("Vault.kdbx");
    std::string strBytes = ReadBytes(strPath);
    strBytes.resize(strBytes.size() - 40);
    WriteBytes(strPath, strBytes);
    auto pDoc = MakeDatabaseDoc();
    AnswerKey(PASSWORD);
    pDoc->Session().OpenDocumentFile(strPath);
    EXPECT_FALSE(pDoc->Session().IsOpen());
    EXPECT_TRUE(pDoc->Records().empty());
    ASSERT_FALSE(Messages().empty());
    EXPECT_NE(Messages().back().find("damaged"), std::string::npos) << Messages().back();
}

TEST_F(DocDatabase, AKeyFileOpensLocksAndSavesItsDatabaseAndIsProposedAgain) {
    const std::string strKeyFile = m_folder.File("vault.keyx");
    WriteBytes(strKeyFile, "the bytes of a key file");
    const std::vector<std::uint8_t> keyBytes = {'t', 'h', 'e', ' ', 'b', 'y', 't', 'e',
                                                's', ' ', 'o', 'f', ' ', 'a', ' ', 'k',
                                                'e', 'y', ' ', 'f', 'i', 'l', 'e'};
    const struct {
        const char* pszPassword; // nullptr: no password at all
    } CASES[] = {{PASSWORD}, {nullptr}};
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.pszPassword ? "password and key file" : "key file alone");
        const SKdbxCredentials credentials{c.pszPassword != nullptr,
                                           c.pszPassword ? c.pszPassword : "", true, keyBytes};
        const std::string strPath = MakeDatabase("Keyed.kdbx", credentials);
        auto pDoc = MakeDatabaseDoc();

        // Without its key file the key is wrong, and the dialog comes back.
        AnswerKey(c.pszPassword ? c.pszPassword : "");
        m_prompts.CancelDatabaseKey();
        pDoc->Session().OpenDocumentFile(strPath);
        EXPECT_FALSE(pDoc->Session().IsOpen());
        ASSERT_FALSE(Messages().empty());
        EXPECT_NE(Messages().back().find("wrong"), std::string::npos) << Messages().back();

        OpenDatabase(*pDoc, strPath, c.pszPassword, strKeyFile);
        CPasswordInfo added;
        added.SetAccount("Added");
        ASSERT_TRUE(pDoc->AddAccount("Home", added));
        pDoc->Session().OnContentChanged();
        EXPECT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
        EXPECT_TRUE(
            FindKdbxEntry(ReadDatabase(strPath, credentials).Xml(), "Home", "Added").pEntry);

        // Locked, the key file's bytes go with the KEY; the unlock and the
        // next opening propose the key file.
        ASSERT_TRUE(pDoc->Session().UnloadForLock());
        EXPECT_FALSE(pDoc->DatabaseKey().IsSet());
        AnswerKey(c.pszPassword, strKeyFile);
        EXPECT_TRUE(pDoc->Session().ReloadAfterLock());
        EXPECT_EQ(ProposedKeyFile(), strKeyFile);
        EXPECT_TRUE(AccountNamed(*pDoc, "Added"));
        auto pOther = MakeDatabaseDoc();
        OpenDatabase(*pOther, strPath, c.pszPassword, strKeyFile);
        EXPECT_EQ(ProposedKeyFile(), strKeyFile);
        pOther.reset();

        // Change KEY proposes it too, and may remove it: then the password
        // alone opens the database, and no key file is proposed any more.
        AnswerKey(c.pszPassword, strKeyFile);
        m_prompts.AnswerDatabaseKey({"new", false, ""});
        EXPECT_TRUE(pDoc->Session().OnChangeKey());
        EXPECT_EQ(ProposedKeyFile(), strKeyFile);
        EXPECT_TRUE(FindKdbxEntry(ReadDatabase(strPath, "new").Xml(), "Home", "Added").pEntry);
        OpenDatabase(*MakeDatabaseDoc(), strPath, "new");
        EXPECT_EQ(ProposedKeyFile(), "");
        // ... and set one again.
        AnswerKey("new");
        m_prompts.AnswerDatabaseKey({"", true, strKeyFile});
        EXPECT_TRUE(pDoc->Session().OnChangeKey());
        EXPECT_TRUE(ReadDatabase(strPath, SKdbxCredentials{false, "", true, keyBytes})
                        .Xml()
                        .Root()
                        .Child("Root"));
        m_prompts.ClearRecord();
    }
}

TEST(DatabaseKey, IsTheSameOnlyWithTheSamePasswordAndKeyFileBytes) {
    // A password (nullptr: none at all) and key file bytes (nullptr: none).
    struct SKey {
        const char* pszPassword;
        const char* pszKeyFile;
    };
    const auto Make = [](const SKey& key) {
        CDatabaseKey made;
        if (key.pszPassword)
            made.SetPassword(key.pszPassword);
        if (key.pszKeyFile)
            made.SetKeyFile(key.pszKeyFile);
        return made;
    };
    const struct {
        SKey first;
        SKey second;
        bool bSame;
    } CASES[] = {
        {{"pw", nullptr}, {"pw", nullptr}, true},
        {{"pw", "bytes"}, {"pw", "bytes"}, true},
        {{nullptr, "bytes"}, {nullptr, "bytes"}, true},
        {{"pw", nullptr}, {"pW", nullptr}, false},
        {{"pw", nullptr}, {"pw ", nullptr}, false},
        {{"pw", nullptr}, {"pw", "bytes"}, false},
        {{"pw", "bytes"}, {"pw", "byteS"}, false},
        {{"pw", "bytes"}, {"pw", "bytes and more"}, false},
        {{"pw", "bytes"}, {nullptr, "bytes"}, false},
        // An empty password is a key of its own, unlike none at all.
        {{"", "bytes"}, {nullptr, "bytes"}, false},
        {{"", nullptr}, {nullptr, nullptr}, false},
        {{"pw", ""}, {"pw", nullptr}, false},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(std::string(c.first.pszPassword ? c.first.pszPassword : "(none)") + " / " +
                     (c.second.pszPassword ? c.second.pszPassword : "(none)"));
        const CDatabaseKey first = Make(c.first);
        const CDatabaseKey second = Make(c.second);
        EXPECT_EQ(first.IsSameKey(second), c.bSame);
        EXPECT_EQ(second.IsSameKey(first), c.bSame);
    }
}

TEST_F(DocDatabase, ChangeKeyTakesANewKeyOnlyAfterTheCurrentOne) {
    const std::string strKeyFile = m_folder.File("vault.keyx");
    WriteBytes(strKeyFile, "the bytes of a key file");
    const std::string strOtherKeyFile = m_folder.File("other.keyx");
    WriteBytes(strOtherKeyFile, "the bytes of another key file");
    const std::string strKeyBytes = "the bytes of a key file";
    const std::vector<std::uint8_t> keyBytes(strKeyBytes.begin(), strKeyBytes.end());
    const struct {
        const char* pszName;
        const char* pszPassword; // nullptr: the key file alone
        SDatabaseKey wrong[2];
    } CASES[] = {
        {"a password", PASSWORD, {{"wrong", false, ""}, {PASSWORD, false, strKeyFile}}},
        {"a key file alone", nullptr, {{"", true, strOtherKeyFile}, {"", false, strKeyFile}}},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.pszName);
        const bool bKeyFile = c.pszPassword == nullptr;
        const std::string strRightKeyFile = bKeyFile ? strKeyFile : std::string();
        const SKdbxCredentials credentials{!bKeyFile, bKeyFile ? "" : c.pszPassword, bKeyFile,
                                           bKeyFile ? keyBytes : std::vector<std::uint8_t>()};
        const std::string strPath = MakeDatabase("Change.kdbx", credentials);
        auto pDoc = MakeDatabaseDoc();
        OpenDatabase(*pDoc, strPath, c.pszPassword, strRightKeyFile);
        const std::string strBefore = ReadBytes(strPath);
        const CDatabaseKey keyBefore = pDoc->DatabaseKey().Copy();
        const auto KeyKinds = [this] {
            std::vector<EDatabaseKeyKind> vecKinds;
            for (const SPromptCall& call : m_prompts.Calls())
                if (call.m_eKind == EPromptKind::databaseKey)
                    vecKinds.push_back(call.m_eDatabaseKey);
            return vecKinds;
        };
        const auto Unchanged = [&] {
            EXPECT_EQ(ReadBytes(strPath), strBefore);
            EXPECT_TRUE(pDoc->DatabaseKey().IsSameKey(keyBefore));
            EXPECT_FALSE(pDoc->IsModified());
        };
        const EDatabaseKeyKind CURRENT = EDatabaseKeyKind::current;
        const EDatabaseKeyKind CHANGE = EDatabaseKeyKind::change;

        // Cancel at the current key: nothing else is asked.
        m_prompts.ClearRecord();
        m_prompts.CancelDatabaseKey();
        EXPECT_FALSE(pDoc->Session().OnChangeKey());
        EXPECT_EQ(Messages(), std::vector<std::string>{IDS_KEY_NOT_CHANGED});
        EXPECT_EQ(KeyKinds(), std::vector<EDatabaseKeyKind>{CURRENT});
        EXPECT_EQ(ProposedKeyFile(), strRightKeyFile);
        Unchanged();

        // A wrong key is refused and asked again; the right one leads to the
        // new key, whose Cancel changes nothing either.
        m_prompts.ClearRecord();
        m_prompts.AnswerDatabaseKey(c.wrong[0]);
        m_prompts.AnswerDatabaseKey(c.wrong[1]);
        AnswerKey(c.pszPassword, strRightKeyFile);
        m_prompts.CancelDatabaseKey();
        EXPECT_FALSE(pDoc->Session().OnChangeKey());
        EXPECT_EQ(Messages(), (std::vector<std::string>{IDS_KEY_INVALID, IDS_KEY_INVALID,
                                                        IDS_KEY_NOT_CHANGED}));
        EXPECT_EQ(KeyKinds(), (std::vector<EDatabaseKeyKind>{CURRENT, CURRENT, CURRENT, CHANGE}));
        Unchanged();

        // The right key, then the new one, which reaches the file.
        m_prompts.ClearRecord();
        AnswerKey(c.pszPassword, strRightKeyFile);
        m_prompts.AnswerDatabaseKey({"new", false, ""});
        EXPECT_TRUE(pDoc->Session().OnChangeKey());
        EXPECT_EQ(Messages(), std::vector<std::string>{IDS_KEY_CHANGED});
        EXPECT_EQ(KeyKinds(), (std::vector<EDatabaseKeyKind>{CURRENT, CHANGE}));
        EXPECT_TRUE(ReadDatabase(strPath, "new").Xml().Root().Child("Root"));
        EXPECT_TRUE(pDoc->DatabaseKey().IsSameKey(CDatabaseKey::OfPassword("new")));
        m_prompts.ClearRecord();
    }
}

TEST_F(DocDatabase, AChangedDatabaseKeptAtTheLockUnlocksOnlyWithItsWholeKey) {
    const std::string strKeyFile = m_folder.File("vault.keyx");
    WriteBytes(strKeyFile, "the bytes of a key file");
    const std::string strOtherKeyFile = m_folder.File("other.keyx");
    WriteBytes(strOtherKeyFile, "the bytes of another key file");
    const std::string strKeyBytes = "the bytes of a key file";
    const SKdbxCredentials credentials{
        true, PASSWORD, true, std::vector<std::uint8_t>(strKeyBytes.begin(), strKeyBytes.end())};
    const std::string strPath = MakeDatabase("Kept.kdbx", credentials);
    auto pDoc = MakeDatabaseDoc();
    OpenDatabase(*pDoc, strPath, PASSWORD, strKeyFile);
    CPasswordInfo added;
    added.SetAccount("Added");
    ASSERT_TRUE(pDoc->AddAccount("Home", added));
    pDoc->Session().OnContentChanged();
    // Without auto-save the changes stay in memory over the lock.
    EXPECT_FALSE(pDoc->Session().UnloadForLock());
    EXPECT_FALSE(pDoc->Session().IsUnloaded());

    // The password alone, or with another key file, is not the key; Cancel
    // stays locked.
    m_prompts.ClearRecord();
    AnswerKey(PASSWORD);
    AnswerKey(PASSWORD, strOtherKeyFile);
    m_prompts.CancelDatabaseKey();
    EXPECT_FALSE(pDoc->Session().CheckKeyToUnlock());
    EXPECT_EQ(Messages(), (std::vector<std::string>{IDS_KEY_INVALID, IDS_KEY_INVALID}));
    // The key file it was opened with is proposed first; a refused key
    // comes back as it was typed.
    std::vector<std::string> vecProposed;
    for (const SPromptCall& call : m_prompts.Calls()) {
        if (call.m_eKind != EPromptKind::databaseKey)
            continue;
        EXPECT_EQ(call.m_eDatabaseKey, EDatabaseKeyKind::unlock);
        vecProposed.push_back(call.m_file.m_strInitialName);
    }
    EXPECT_EQ(vecProposed, (std::vector<std::string>{strKeyFile, "", strOtherKeyFile}));

    AnswerKey("wrong", strKeyFile);
    AnswerKey(PASSWORD, strKeyFile);
    EXPECT_TRUE(pDoc->Session().CheckKeyToUnlock());
    EXPECT_TRUE(AccountNamed(*pDoc, "Added"));
    EXPECT_TRUE(pDoc->IsModified());
    m_prompts.ClearRecord();
}

TEST_F(DocDatabase, ASlowKeyDerivationRunsOnlyOnceTheUserAgreed) {
    SKdbxTestOptions slow;
    slow.kdf = {EKdbxKdf::aes, CKdbxBytes(32, 7), KDBX_SLOW_AES_ROUNDS + 1};
    slow.bDerive = false;
    const CKdbxBytes bytes = MakeTestKdbx(TestKdbxXml(), slow);
    const std::string strBytes(bytes.begin(), bytes.end());
    const std::string strPath = m_folder.File("Slow.kdbx");
    WriteBytes(strPath, strBytes);

    // The format refuses it without consent; with it, the derivation runs
    // (and stops at the token).
    const CDatabaseKey key = CDatabaseKey::OfPassword("pw");
    CCancelToken stopped;
    stopped.Cancel();
    const CDatabaseFormat::SOpened refused = m_format.Open(strBytes, key, false, stopped);
    EXPECT_EQ(refused.eOpen, CDatabaseFormat::EOpen::refused);
    EXPECT_FALSE(refused.strMessage.empty());
    EXPECT_EQ(m_format.Open(strBytes, key, true, stopped).eOpen, CDatabaseFormat::EOpen::cancelled);

    // No (the default) closes it before its key is asked.
    auto pDoc = MakeDatabaseDoc();
    m_prompts.AnswerMessage(EMsgAnswer::no);
    pDoc->Session().OpenDocumentFile(strPath);
    EXPECT_FALSE(pDoc->Session().IsOpen());
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0].m_eButtons, EMsgButtons::yesNoDefaultNo);
    EXPECT_NE(Messages()[0].find("AES-KDF"), std::string::npos) << Messages()[0];
    EXPECT_EQ(ProposedKeyFile(), "(no key dialog)");

    // Yes: the key, then the derivation in the busy box, which Cancel stops.
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    AnswerKey("pw");
    m_prompts.CancelBusy();
    m_prompts.CancelDatabaseKey();
    pDoc->Session().OpenDocumentFile(strPath);
    EXPECT_FALSE(pDoc->Session().IsOpen());
    ASSERT_FALSE(m_prompts.m_vecBusyKinds.empty());
    EXPECT_EQ(m_prompts.m_vecBusyKinds.back(), EBusyKind::cancellable);
}
