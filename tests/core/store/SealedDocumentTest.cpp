// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFixture.h"
#include "core/base/StringTable.h"
#include "core/base/TextUtil.h"
#include "core/seal/SealedFile.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/FieldCipher.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using DocSealed = DocumentFixture;

namespace {

std::string SaltOf(const std::string& strFile) {
    SSealedHeader header;
    EXPECT_TRUE(CSealedFile::ParseHeader(strFile, header));
    return {header.m_salt.begin(), header.m_salt.end()};
}

// What anyone holding the file can learn without its KEY: the archive's
// header, then every field deciphered with the key that follows from the
// stored check value. Empty when the bytes are not a password file.
std::string ReadWithoutKey(const std::string& strBytes) {
    CSessionDoc doc;
    CArchive ar(strBytes, CCodePage::Default());
    if (!doc.Serialize(ar))
        return {};
    doc.DecipherList();
    std::string strOut;
    for (const CPasswordInfo& info : doc.Records())
        strOut += info.Account() + "=" + info.Password() + ";";
    return strOut;
}

} // namespace

TEST_F(DocSealed, AKhvCannotBeReadWithoutItsKeyWhereAPwdCan) {
    const std::string strPwd = MakeFile("Plain.pwd", "k", {Account("bank", "hunter2")});
    // The weakness this format answers: a ".pwd" gives up its passwords.
    EXPECT_EQ(ReadWithoutKey(ReadBytes(strPwd)), "=;bank=hunter2;");
    EXPECT_TRUE(IsReadableWithoutKey(strPwd));

    const std::string strKhv = MakeFile("Sealed.khv", "k", {Account("bank", "hunter2")});
    const std::string strBytes = ReadBytes(strKhv);
    EXPECT_TRUE(CSealedFile::HasMagic(strBytes));
    EXPECT_EQ(ReadWithoutKey(strBytes), "");
    // Nothing of the records shows, plain or field-enciphered.
    const std::string strX = MakeFieldKey(MakeKeyCheckValue("k"));
    for (const std::string& strText :
         {std::string("hunter2"), std::string("bank"), CCofferDoc::XorField("hunter2", strX),
          MakeKeyCheckValue("k")})
        EXPECT_EQ(strBytes.find(strText), std::string::npos) << strText;
    EXPECT_FALSE(IsReadableWithoutKey(strKhv));
}

TEST_F(DocSealed, ReopensWithTheKeyAfterWrongKeysWithTheSameRecords) {
    const std::string strPath = MakeFile(
        "Work.khv", "right", {Account("bank", "p1"), Account("mail", std::string(300, 'x'))});
    auto pDoc = MakeDoc();
    for (const char* pszKey : {"wrong", "", "righ"})
        m_prompts.TypeCheckKey(pszKey);
    m_prompts.TypeCheckKey("right");
    ASSERT_TRUE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_TRUE(pDoc->Session().IsOpen());
    EXPECT_EQ(Messages(), std::vector<std::string>(3, IDS_KEY_INVALID));
    EXPECT_EQ(m_prompts.Calls().front().m_strDetail, "KEY for:  Work.khv");
    EXPECT_EQ(pDoc->CountAccounts(), 2);
    EXPECT_EQ(pDoc->FileName(), "Work.khv");
    EXPECT_EQ(pDoc->Key().CheckValue(), MakeKeyCheckValue("right"));
    EXPECT_EQ(m_recent[0], strPath);
    // The lock judges KEYs by the check value, which the sealed file carries.
    EXPECT_TRUE(pDoc->Key().Accepts("right"));
    // Every KEY typed but the empty one was derived in the busy wait.
    EXPECT_EQ(m_prompts.m_vecBusyTexts,
              std::vector<std::string>(3, "Checking the KEY of Work.khv ..."));
}

TEST_F(DocSealed, AHeaderAskingForAnUnusualCostIsDerivedOnlyAfterYes) {
    const std::string strPath = MakeFile("Costly.khv", "k", {Account("a", "p")});
    const std::string strBytes = ReadBytes(strPath);
    SSealedHeader header;
    ASSERT_TRUE(CSealedFile::ParseHeader(strBytes, header));
    header.m_params = {SEAL_MAX_PASSES, 131072};
    WriteBytes(strPath,
               CSealedFile::WriteHeader(header) + strBytes.substr(CSealedFile::HEADER_SIZE));
    const std::string strQuestion =
        " asks for 128 MiB of memory and 16 passes to turn its KEY into its key, more "
        "than four times what Keyhaven uses. That may take minutes and slow the whole computer "
        "down.\n\nGo on anyway?";
    for (const EMsgAnswer eAnswer : {EMsgAnswer::no, EMsgAnswer::yes}) {
        auto pDoc = MakeDoc();
        m_prompts.ClearRecord();
        m_prompts.AnswerMessage(eAnswer);
        if (eAnswer == EMsgAnswer::yes)
            m_prompts.CancelCheckKey();
        EXPECT_TRUE(pDoc->Session().OpenDocumentFile(strPath));
        EXPECT_FALSE(pDoc->Session().IsOpen());
        ASSERT_FALSE(m_prompts.Messages().empty());
        EXPECT_EQ(m_prompts.Messages()[0].m_strText, strPath + strQuestion);
        EXPECT_EQ(m_prompts.Messages()[0].m_eButtons, EMsgButtons::yesNoDefaultNo);
        EXPECT_EQ(m_prompts.Calls().back().m_eKind,
                  eAnswer == EMsgAnswer::yes ? EPromptKind::checkKey : EPromptKind::message);
        EXPECT_TRUE(m_prompts.m_vecBusyTexts.empty());
    }
}

TEST_F(DocSealed, ACancelledKeyLeavesAnEmptyClosedDocument) {
    const std::string strPath = MakeFile("Work.khv", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    m_prompts.CancelCheckKey();
    EXPECT_TRUE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_FALSE(pDoc->Session().IsOpen());
    EXPECT_TRUE(pDoc->Records().empty());
    EXPECT_FALSE(pDoc->HasKey());
    EXPECT_EQ(pDoc->Session().GetPathName(), " ");
    EXPECT_FALSE(pDoc->Key().HasSecret());
}

TEST_F(DocSealed, ATamperedBodyIsRefusedAfterTheKeyAndNothingIsRead) {
    const std::string strPath = MakeFile("T.khv", "k", {Account("a", "p")});
    std::string strBytes = ReadBytes(strPath);
    strBytes[strBytes.size() - 20] ^= 0x01;
    WriteBytes(strPath, strBytes);
    auto pDoc = MakeDoc();
    m_prompts.TypeCheckKey("k");
    EXPECT_FALSE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_UNEXPECTED_FORMAT});
    EXPECT_TRUE(Shown(IDS_UNEXPECTED_FORMAT, EMsgIcon::exclamation));
    EXPECT_FALSE(pDoc->Session().IsOpen());
    EXPECT_TRUE(pDoc->Records().empty());
    EXPECT_TRUE(pDoc->StagedCounts().Total() == 0);
    EXPECT_FALSE(pDoc->HasKey());
    EXPECT_EQ(pDoc->Session().GetPathName(), " ");
}

TEST_F(DocSealed, ADamagedHeaderIsRefusedWithoutAskingForTheKey) {
    const std::string strPath = MakeFile("H.khv", "k", {Account("a", "p")});
    const std::string strGood = ReadBytes(strPath);
    for (const std::string& strBad :
         {strGood.substr(0, 60), strGood.substr(0, CSealedFile::HEADER_SIZE),
          std::string(strGood).replace(16, 1, "\x7f"), std::string("plain text"),
          strGood + "tail"}) {
        WriteBytes(strPath, strBad);
        auto pDoc = MakeDoc();
        m_prompts.ClearRecord();
        EXPECT_FALSE(pDoc->Session().OpenDocumentFile(strPath));
        EXPECT_EQ(Messages(), std::vector<std::string>{IDS_UNEXPECTED_FORMAT});
        for (const SPromptCall& call : m_prompts.Calls())
            EXPECT_NE(call.m_eKind, EPromptKind::checkKey);
    }
    // A ".pwd" renamed to ".khv" is no sealed file either.
    const std::string strPwd = MakeFile("P.pwd", "k");
    WriteBytes(strPath, ReadBytes(strPwd));
    auto pDoc = MakeDoc();
    m_prompts.ClearRecord();
    EXPECT_FALSE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_UNEXPECTED_FORMAT});
}

TEST_F(DocSealed, PwdToKhvTakesANewKeyAndOffersToRemoveTheOldFiles) {
    CPasswordInfo odd = Account("odd", std::string("\x00\xff\x80zero", 7));
    const std::string strPwd = MakeFile("Trip.pwd", "k", {Account("a", "1"), odd});
    const std::string strKhv = m_folder.File("Trip.khv");
    const std::string strBackup = BackupFolder() + "/Trip.pwd.bak";
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "k");
    // The old KEY is refused with the reason, then a new one is taken.
    m_prompts.ClearRecord();
    m_prompts.AnswerSaveFile(strKhv);
    m_prompts.TypeCreateKey("k", "k");
    m_prompts.TypeCreateKey("fresh", "fresh");
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    ASSERT_TRUE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(pDoc->Session().GetPathName(), strKhv);
    EXPECT_EQ(Messages(), (std::vector<std::string>{IDS_KEY_MUST_DIFFER,
                                                    FormatText(IDS_ASK_REMOVE_OLD_PWD, "Trip.khv",
                                                               strPwd + "\n" + strBackup)}));
    EXPECT_EQ(m_prompts.Messages()[1].m_eButtons, EMsgButtons::yesNoDefaultNo);
    EXPECT_FALSE(FileExists(strPwd));
    EXPECT_FALSE(FileExists(strBackup));

    auto pSealed = MakeDoc();
    m_prompts.ClearRecord();
    m_prompts.TypeCheckKey("k");
    OpenWithKey(*pSealed, strKhv, "fresh");
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_KEY_INVALID});
    EXPECT_EQ(DumpRecords(*pSealed), DumpRecords(*pDoc));
}

TEST_F(DocSealed, KhvToPwdAsksFirstThenTakesANewKey) {
    const std::string strKhv = MakeFile("Home.khv", "k", {Account("a", "1")});
    const std::string strPwd = m_folder.File("Home.pwd");
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strKhv, "k");
    // No (the default) keeps the seal: nothing is written, no KEY is asked.
    m_prompts.AnswerSaveFile(strPwd);
    m_prompts.AnswerMessage(EMsgAnswer::no);
    EXPECT_FALSE(pDoc->Session().OnFileSaveAs());
    EXPECT_TRUE(Shown(FormatText(IDS_ASK_SAVE_AS_PWD, "Home.pwd"), EMsgIcon::exclamation,
                      EMsgButtons::yesNoDefaultNo));
    EXPECT_FALSE(FileExists(strPwd));

    m_prompts.AnswerSaveFile(strPwd);
    m_prompts.AnswerMessage(EMsgAnswer::yes);
    m_prompts.TypeCreateKey("k", "k");
    m_prompts.TypeCreateKey("other", "other");
    ASSERT_TRUE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(Messages().back(), IDS_KEY_MUST_DIFFER);
    auto pPlain = MakeDoc();
    OpenWithKey(*pPlain, strPwd, "other");
    EXPECT_EQ(DumpRecords(*pPlain), DumpRecords(*pDoc));
}

TEST_F(DocSealed, AFailedSaveInTheOtherFormatKeepsTheOldKey) {
    const std::string strPwd = MakeFile("Keep.pwd", "k", {Account("a", "1")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPwd, "k");
    m_prompts.AnswerSaveFile(m_folder.File("missing/Keep.khv"));
    m_prompts.TypeCreateKey("fresh", "fresh");
    EXPECT_FALSE(pDoc->Session().OnFileSaveAs());
    EXPECT_EQ(pDoc->Key().CheckValue(), MakeKeyCheckValue("k"));
    EXPECT_EQ(pDoc->Session().GetPathName(), strPwd);
}

TEST_F(DocSealed, SavesAndBackupsOfASealedFileStaySealed) {
    const std::string strPath = MakeFile("S.khv", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "k");
    const std::string strBefore = ReadBytes(strPath);
    pDoc->AddAccount(DEFAULT_GROUP_NAME, Account("new", "secret2"));
    pDoc->Session().OnContentChanged();
    ASSERT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_TRUE(pDoc->IsSaved());
    const std::string strAfter = ReadBytes(strPath);
    EXPECT_TRUE(CSealedFile::HasMagic(strAfter));
    EXPECT_EQ(strAfter.find("secret2"), std::string::npos);
    // The backup is the previous file as it was, sealed.
    EXPECT_EQ(ReadBytes(BackupFolder() + "/S.khv.bak"), strBefore);

    auto pReopened = MakeDoc();
    OpenWithKey(*pReopened, strPath, "k");
    EXPECT_EQ(DumpRecords(*pReopened), DumpRecords(*pDoc));
}

TEST_F(DocSealed, ChangeKeySealsAnewWithAFreshSaltAndOnlyTheNewKeyOpens) {
    const std::string strPath = MakeFile("C.khv", "old", {Account("a", "p")});
    const std::string strOldSalt = SaltOf(ReadBytes(strPath));
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "old");
    const std::string strRecords = DumpRecords(*pDoc);
    m_prompts.TypeChangeKey("old", "new", "new");
    pDoc->Session().OnChangeKey();
    EXPECT_TRUE(Shown(IDS_KEY_CHANGED, EMsgIcon::information));
    EXPECT_NE(SaltOf(ReadBytes(strPath)), strOldSalt);

    auto pReopened = MakeDoc();
    m_prompts.ClearRecord();
    m_prompts.TypeCheckKey("old");
    m_prompts.TypeCheckKey("new");
    ASSERT_TRUE(pReopened->Session().OpenDocumentFile(strPath));
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_KEY_INVALID});
    EXPECT_EQ(DumpRecords(*pReopened), strRecords);
}

TEST_F(DocSealed, AFailedChangeKeyKeepsTheOldSealing) {
    const std::string strPath = MakeFile("F.khv", "old", {Account("a", "p")});
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "old");
    const std::string strBytes = ReadBytes(strPath);
    // The file vanishes and its replacement name is refused: the new KEY
    // reached no file.
    ::rename(strPath.c_str(), (strPath + ".away").c_str());
    m_prompts.TypeChangeKey("old", "new", "new");
    m_prompts.CancelSaveFile();
    pDoc->Session().OnChangeKey();
    EXPECT_TRUE(Shown(IDS_KEY_NOT_CHANGED, EMsgIcon::information));
    EXPECT_EQ(pDoc->Key().CheckValue(), MakeKeyCheckValue("old"));
    // The next save still seals under the old KEY, with the old salt.
    ::rename((strPath + ".away").c_str(), strPath.c_str());
    pDoc->Session().OnContentChanged();
    ASSERT_EQ(pDoc->Session().OnFileSave(), SAVE_DONE);
    EXPECT_EQ(SaltOf(ReadBytes(strPath)), SaltOf(strBytes));
    auto pReopened = MakeDoc();
    OpenWithKey(*pReopened, strPath, "old");
}

TEST_F(DocSealed, ACancelledDerivationSaysNothingAndLeavesTheFileAsItWas) {
    const std::string strPath = MakeFile("W.khv", "old", {Account("a", "p")});
    const std::string strBytes = ReadBytes(strPath);
    // Cancel while a typed KEY is derived keeps the Check Key dialog, with
    // nothing said; the next KEY typed opens the file.
    auto pDoc = MakeDoc();
    m_prompts.TypeCheckKey("old");
    m_prompts.CancelBusy();
    m_prompts.TypeCheckKey("old");
    ASSERT_TRUE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_TRUE(pDoc->Session().IsOpen());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_prompts.m_vecBusyKinds, std::vector<EBusyKind>(2, EBusyKind::cancellable));
    // Cancel while the new KEY's key is derived: no failure to report, the
    // KEY not changed, the file as it was.
    m_prompts.ClearRecord();
    m_prompts.TypeChangeKey("old", "new", "new");
    m_prompts.CancelBusy();
    pDoc->Session().OnChangeKey();
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_KEY_NOT_CHANGED});
    EXPECT_EQ(ReadBytes(strPath), strBytes);
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");
    auto pReopened = MakeDoc();
    OpenWithKey(*pReopened, strPath, "old");
}

TEST_F(DocSealed, AStartAtLogonStillAsksTheKeyOfASealedFile) {
    const std::string strPath = MakeFile("L.khv", "k", {Account("a", "p")});
    auto pDoc = MakeDoc();
    pDoc->Session().SetSkipKeyCheck(true);
    m_prompts.TypeCheckKey("k");
    ASSERT_TRUE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_TRUE(pDoc->Session().IsOpen());
    EXPECT_FALSE(pDoc->Session().IsSkippingKeyCheck());
    EXPECT_EQ(m_prompts.Calls().front().m_eKind, EPromptKind::checkKey);
}

TEST_F(DocSealed, ASealedRecordSideNeedsTheKeyItself) {
    // A ".pwd" read without its KEY typed knows only the check value.
    CSessionDoc writer;
    writer.OnNewDocument();
    writer.SetKey("k");
    const std::string strPwd = m_folder.File("R.pwd");
    ASSERT_EQ(writer.WriteArchiveFile(strPwd), EFileError::none);
    CSessionDoc doc;
    doc.SetSealParams({SEAL_MIN_PASSES, SEAL_MIN_MEMORY_KIB});
    ASSERT_EQ(doc.ReadArchiveFile(strPwd, CCodePage::Default()), EFileError::none);
    doc.DecipherList();
    const std::string strPath = m_folder.File("R.khv");
    EXPECT_EQ(doc.WriteArchiveFile(strPath), EFileError::keyUnknown);
    EXPECT_FALSE(FileExists(strPath));
    ASSERT_TRUE(doc.AcceptKey("k"));
    EXPECT_EQ(doc.WriteArchiveFile(strPath), EFileError::none);

    CSessionDoc reader;
    ASSERT_EQ(reader.ReadDocumentFile(strPath, CCodePage::Default()), EFileError::none);
    EXPECT_TRUE(reader.IsSealPending());
    EXPECT_FALSE(reader.HasKey());
    EXPECT_FALSE(reader.AcceptKey("K"));
    ASSERT_TRUE(reader.AcceptKey("k"));
    ASSERT_EQ(reader.FinishSealedRead(CCodePage::Default()), EFileError::none);
    reader.DecipherList();
    EXPECT_EQ(DumpRecords(reader), DumpRecords(doc));
}

TEST_F(DocSealed, ASealedFileWhoseArchiveDisagreesWithItsKeyIsRefused) {
    // Sealed under "k" but carrying the check value of "other": the lock
    // would then accept a KEY that never opened the file.
    CSessionDoc doc;
    doc.OnNewDocument();
    doc.SetKey("other");
    const std::string strPwd = m_folder.File("X.pwd");
    ASSERT_EQ(doc.WriteArchiveFile(strPwd), EFileError::none);
    CSealKey key;
    ASSERT_TRUE(key.Derive("k", {SEAL_MIN_PASSES, SEAL_MIN_MEMORY_KIB}, CSealKey::NewSalt()));
    const std::string strKhv = m_folder.File("X.khv");
    WriteBytes(strKhv, CSealedFile::Seal(ReadBytes(strPwd), key));

    auto pDoc = MakeDoc();
    m_prompts.TypeCheckKey("k");
    EXPECT_FALSE(pDoc->Session().OpenDocumentFile(strKhv));
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_UNEXPECTED_FORMAT});
    EXPECT_TRUE(pDoc->Records().empty());
}

TEST_F(DocSealed, NewThenSaveAsKhvSealsUnderTheCreatedKey) {
    const std::string strPath = MakeFile("Fresh.khv", "created");
    EXPECT_TRUE(CSealedFile::HasMagic(ReadBytes(strPath)));
    auto pDoc = MakeDoc();
    OpenWithKey(*pDoc, strPath, "created");
    EXPECT_EQ(pDoc->CountGroups(), 1);
    EXPECT_EQ(pDoc->Records().front().Group(), DEFAULT_GROUP_NAME);
}

TEST_F(DocSealed, AnEmptyKhvGetsAKeyAndIsSealedUnderIt) {
    const std::string strPath = m_folder.File("Empty.khv");
    WriteBytes(strPath, "");
    auto pDoc = MakeDoc();
    m_prompts.TypeCreateKey("made", "made");
    EXPECT_TRUE(pDoc->Session().OpenDocumentFile(strPath));
    EXPECT_TRUE(pDoc->Session().IsOpen());
    EXPECT_EQ(Messages(), std::vector<std::string>{IDS_NOKEY_CREATE});
    EXPECT_TRUE(CSealedFile::HasMagic(ReadBytes(strPath)));
    auto pReopened = MakeDoc();
    OpenWithKey(*pReopened, strPath, "made");
    EXPECT_EQ(pReopened->Records().front().Group(), DEFAULT_GROUP_NAME);
}

TEST_F(DocSealed, KeyDerivationWithoutItsMemoryIsSaidAndNoWrongKey) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory exceeds any address-space limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer's shadow memory exceeds any address-space limit";
#endif
#endif
    // A header asking for the largest memory cost allowed; the process gets
    // less than that, in a child so the limit stays there.
    const std::string strPath = MakeFile("Big.khv", "k", {Account("a", "p")});
    std::string strBytes = ReadBytes(strPath);
    SSealedHeader header;
    ASSERT_TRUE(CSealedFile::ParseHeader(strBytes, header));
    header.m_params.m_nMemoryKiB = SEAL_MAX_MEMORY_KIB;
    WriteBytes(strPath,
               CSealedFile::WriteHeader(header) + strBytes.substr(CSealedFile::HEADER_SIZE));
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlimit limit{rlim_t(768) << 20, rlim_t(768) << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        auto pDoc = MakeDoc();
        m_prompts.TypeCheckKey("k");
        m_prompts.CancelCheckKey();
        pDoc->Session().OpenDocumentFile(strPath);
        // Said once, with the typed KEY kept for another try: no wrong KEY.
        const bool bSaid =
            Messages() == std::vector<std::string>{"There is not enough memory to open Big.khv."};
        ::_exit(bSaid && !pDoc->Session().IsOpen() ? 0 : 1);
    }
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0) << nStatus;
}
