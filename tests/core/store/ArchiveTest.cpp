// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "support/SampleDocument.h"

#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"
#include "core/store/FieldCipher.h"
#include "core/store/FileSession.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string KEY = "correct horse";

std::string FieldKeyOf(const std::string& strKey) {
    return MakeFieldKey(MakeKeyCheckValue(strKey));
}

// A keyed document with two groups and three accounts.
void FillSample(CCofferDoc& doc) {
    doc.OnNewDocument();
    doc.SetKey(KEY);
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("mail"));
    doc.AddGroup("Work");
    doc.AddAccount("Work", Account("vpn"));
    doc.AddAccount("Work", Account("wiki"));
}

std::string Serialized(CCofferDoc& doc) {
    doc.EncipherList();
    CArchive ar;
    doc.Serialize(ar);
    return ar.Buffer();
}

// Reads bytes the way a file is opened: header and records, then the KEY's
// field key deciphers them.
bool Load(CCofferDoc& doc, const std::string& strBytes) {
    doc.DeleteContents();
    CArchive ar(strBytes, CCodePage::Default());
    if (!doc.Serialize(ar))
        return false;
    doc.DecipherList();
    return true;
}

std::string Header(const std::string& strKeyValue = "", std::uint16_t nCount = 0) {
    return CByteBuilder().Text(strKeyValue).U32(39).Text("").Text("").Text("").U16(nCount).Bytes();
}

TEST(ArchiveLayout, FileWithNoRecordsEndsWithTwoZeroBytes) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.DeleteGroup(doc.FindGroup(DEFAULT_GROUP_NAME));
    EXPECT_EQ(Serialized(doc), Header());
}

TEST(ArchiveLayout, ClassNameIsWrittenOnceThenReferenced) {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("a"));
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("b"));
    const std::string strX = MakeFieldKey(""); // no KEY: the empty check value
    const std::string strBytes = Serialized(doc);
    const std::string strTag = CByteBuilder().FirstTag().Bytes();
    ASSERT_EQ(strBytes.substr(0, Header().size() - 2), Header().substr(0, Header().size() - 2));
    EXPECT_EQ(strBytes.substr(Header().size() - 2, 2), std::string("\x03\x00", 2));
    EXPECT_EQ(strBytes.find(strTag), Header().size());
    EXPECT_EQ(strBytes.find("CPasswordInfo", Header().size() + strTag.size()), std::string::npos);
    std::size_t nRefs = 0;
    for (std::size_t p = strBytes.find("\x01\x80"); p != std::string::npos;
         p = strBytes.find("\x01\x80", p + 1))
        ++nRefs;
    EXPECT_GE(nRefs, 2u);
    // The group record: six empty texts, 1, then the enciphered name.
    const std::string strGroupBody =
        CByteBuilder().Body("", 1, CCofferDoc::XorField(DEFAULT_GROUP_NAME, strX)).Bytes();
    EXPECT_EQ(strBytes.substr(Header().size() + strTag.size(), strGroupBody.size()), strGroupBody);
}

TEST(ArchiveLayout, LengthPrefixForms) {
    const auto prefixOf = [](std::size_t n) {
        CArchive ar;
        ar.WriteText(std::string(n, 'x'));
        return ar.Buffer().substr(0, ar.Buffer().size() - n);
    };
    EXPECT_EQ(prefixOf(0), std::string(1, '\0'));
    EXPECT_EQ(prefixOf(254), "\xFE");
    EXPECT_EQ(prefixOf(255), std::string("\xFF\xFF\x00", 3));
    EXPECT_EQ(prefixOf(0xFFFD), std::string("\xFF\xFD\xFF", 3));
    EXPECT_EQ(prefixOf(0xFFFE), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));
    EXPECT_EQ(prefixOf(70000), std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7));
}

TEST(ArchiveRoundTrip, EveryLengthFormReadsBack) {
    for (std::size_t n : {0u, 1u, 254u, 255u, 0xFFFDu, 0xFFFEu, 0xFFFFu, 70000u}) {
        CArchive out;
        std::string strText(n, 'a');
        for (std::size_t i = 0; i < n; ++i)
            strText[i] = static_cast<char>(i * 7);
        out.WriteText(strText);
        out.WriteUInt16(0xBEEF);
        CArchive in(out.Buffer(), CCodePage::Default());
        std::string strRead;
        std::uint16_t nAfter = 0;
        ASSERT_TRUE(in.ReadText(strRead)) << n;
        ASSERT_TRUE(in.ReadUInt16(nAfter));
        EXPECT_EQ(strRead, strText);
        EXPECT_EQ(nAfter, 0xBEEF);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(ArchiveRoundTrip, DocumentSurvivesWriteAndRead) {
    CCofferDoc doc;
    FillSample(doc);
    ChangeGeneratorHeader(doc, [](SGeneratorHeader& header) {
        header.m_strLength = "12";
        header.m_nGenerate = 0x2B;
    });
    const std::string strBytes = Serialized(doc);
    CCofferDoc loaded;
    ASSERT_TRUE(Load(loaded, strBytes));
    EXPECT_EQ(loaded.Key().CheckValue(), doc.Key().CheckValue());
    EXPECT_EQ(loaded.GeneratorHeader().m_nGenerate, 0x2B);
    EXPECT_EQ(loaded.GeneratorHeader().m_strLength, "12");
    EXPECT_EQ(loaded.GeneratorHeader().m_strBegin, "");
    EXPECT_EQ(ExportText(loaded.Records()), ExportText(doc.Records()));
    EXPECT_TRUE(loaded.StagedCounts().Total() == 0);
    // And writing it again gives the same bytes.
    EXPECT_EQ(Serialized(loaded), strBytes);
}

TEST(ArchiveRoundTrip, EncipheredZeroBytesKeepTheirLength) {
    CCofferDoc doc;
    FillSample(doc);
    const std::string strX = FieldKeyOf(KEY);
    const std::string strPassword = strX.substr(0, 3) + "tail"; // enciphers to 00 00 00 ...
    doc.AddAccount("Work", Account("zero", strPassword));
    const std::string strBytes = Serialized(doc);
    EXPECT_NE(strBytes.find(std::string("\x07\x00\x00\x00", 4)), std::string::npos);
    CCofferDoc loaded;
    ASSERT_TRUE(Load(loaded, strBytes));
    bool bFound = false;
    for (const CPasswordInfo& info : loaded.Records())
        bFound |= info.Account() == "zero" && info.Password() == strPassword;
    EXPECT_TRUE(bFound);
}

TEST(ArchiveRoundTrip, NewFileHeaderTextsStayEmpty) {
    CCofferDoc doc;
    FillSample(doc);
    std::string strBytes = Serialized(doc);
    for (int i = 0; i < 3; ++i) {
        CCofferDoc again;
        ASSERT_TRUE(Load(again, strBytes));
        EXPECT_EQ(again.GeneratorHeader().m_strLength, "");
        EXPECT_EQ(again.GeneratorHeader().m_strBegin, "");
        EXPECT_EQ(again.GeneratorHeader().m_strEnd, "");
        strBytes = Serialized(again);
    }
}

TEST(ArchiveForeignFiles, WideTextsAreConvertedToTheCodePage) {
    // Another writer stored the enciphered texts as UTF-16.
    const std::string strKeyValue = MakeKeyCheckValue(KEY);
    const std::string strX = MakeFieldKey(strKeyValue);
    const auto wide = [&](const std::string& strPlain) {
        std::u16string strWide;
        for (char c : CCofferDoc::XorField(strPlain, strX))
            strWide += static_cast<char16_t>(
                CCodePage::Default().ToUnicode(static_cast<unsigned char>(c)));
        return strWide;
    };
    CByteBuilder b;
    b.WideText(u"").U32(39).Text("6").Text("5").Text("8").U16(2);
    b.FirstTag();
    for (int i = 0; i < 6; ++i)
        b.WideText(u"");
    b.U32(1).WideText(wide("Caf\xE9 \x80"));
    b.LaterTag()
        .WideText(wide("acc\x9F"))
        .WideText(wide("me"))
        .Text(CCofferDoc::XorField("pw", strX));
    for (int i = 0; i < 3; ++i)
        b.Text("");
    b.U32(0).Text("");
    // The wide header's KEY value is empty; give the document the KEY after reading.
    CCofferDoc doc;
    CArchive ar(b.Bytes(), CCodePage::Default());
    ASSERT_TRUE(doc.Serialize(ar));
    doc.SetKey(KEY);
    doc.DecipherList();
    ASSERT_EQ(doc.Records().size(), 2u);
    EXPECT_EQ(doc.Records().front().Group(), "Caf\xE9 \x80");
    EXPECT_EQ(doc.Records().back().Account(), "acc\x9F");
    EXPECT_EQ(doc.Records().back().UserName(), "me");
    EXPECT_EQ(doc.Records().back().Password(), "pw");
}

TEST(ArchiveForeignFiles, WideTextOutsideTheCodePageIsRefused) {
    const std::string strBytes =
        CByteBuilder().WideText(u"\u4E2D").U32(39).Text("").Text("").Text("").U16(0).Bytes();
    CCofferDoc doc;
    CArchive ar(strBytes, CCodePage::Default());
    EXPECT_FALSE(doc.Serialize(ar));
}

TEST(ArchiveForeignFiles, ThirtyTwoBitCountWith65536Records) {
    const std::string strKeyValue = MakeKeyCheckValue(KEY);
    const std::string strX = MakeFieldKey(strKeyValue);
    CByteBuilder b;
    b.Text(strKeyValue).U32(39).Text("6").Text("5").Text("8").U16(0xFFFF).U32(65536);
    b.FirstTag().Body("", 7, CCofferDoc::XorField("Big", strX)); // any nonzero marks a group
    for (int i = 1; i < 65536; ++i)
        b.LaterTag().Body(CCofferDoc::XorField("acc" + std::to_string(i), strX), 0, "");
    CTempFolder folder;
    const std::string strPath = folder.File("big.pwd");
    WriteBytes(strPath, b.Bytes());
    CCofferDoc doc;
    ASSERT_EQ(doc.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::none);
    ASSERT_TRUE(doc.Key().Accepts(KEY));
    doc.DecipherList();
    EXPECT_EQ(doc.Records().size(), 65536u);
    EXPECT_EQ(doc.CountGroups(), 1);
    EXPECT_EQ(doc.FileName(), "big.pwd");
    const std::string strExport = ExportText(doc.Records());
    EXPECT_EQ(strExport.substr(0, 24), "============= Big ======");
    EXPECT_NE(strExport.find("Account\t\tacc65535\n"), std::string::npos);
    // Written back, the count keeps its 32-bit form and the group its flag.
    doc.EncipherList();
    CArchive out;
    doc.Serialize(out);
    EXPECT_EQ(out.Buffer().substr(0, 200).find(std::string("\xFF\xFF\x00\x00\x01\x00", 6)),
              b.Bytes().substr(0, 200).find(std::string("\xFF\xFF\x00\x00\x01\x00", 6)));
}

TEST(ArchiveMalformed, EveryTruncationIsRefusedCleanly) {
    CCofferDoc doc;
    FillSample(doc);
    const std::string strBytes = Serialized(doc);
    for (std::size_t n = 1; n < strBytes.size(); ++n) {
        CCofferDoc cut;
        CArchive ar(std::string_view(strBytes).substr(0, n), CCodePage::Default());
        EXPECT_FALSE(cut.Serialize(ar)) << "cut at " << n;
    }
}

TEST(ArchiveMalformed, BadTagsAndClassesAreRefused) {
    // Each file declares two records, holds two, and has zero bytes after
    // them (which the reader ignores), so no read runs out: each is refused
    // by the one check it breaks, and would be read if that check were gone.
    const std::string strHeader = Header("", 2);
    const std::string strBody = CByteBuilder().Body("", 1, "g").Bytes();
    const std::string strSecond = CByteBuilder().LaterTag().Bytes() + strBody;
    const auto refused = [&](const CByteBuilder& first, const std::string& strRest) {
        CCofferDoc doc;
        const std::string strBytes = strHeader + first.Bytes() + strRest + std::string(256, '\0');
        CArchive ar(strBytes, CCodePage::Default());
        return !doc.Serialize(ar);
    };
    const auto classTag = [](std::uint16_t nTag, std::uint16_t nSchema, const char* pszName) {
        return CByteBuilder().U16(nTag).U16(nSchema).U16(13).Raw(pszName);
    };
    EXPECT_FALSE(refused(CByteBuilder().FirstTag(), strBody + strSecond));
    EXPECT_FALSE(refused(classTag(0xFFFF, 0, "CPasswordInfo"), strBody + strSecond));
    // Another class name, another schema.
    EXPECT_TRUE(refused(classTag(0xFFFF, 0, "CPasswordInfX"), strBody + strSecond));
    EXPECT_TRUE(refused(classTag(0xFFFF, 1, "CPasswordInfo"), strBody + strSecond));
    // The first record refers to a class instead of naming it, with or
    // without the name after the reference.
    EXPECT_TRUE(refused(classTag(0x8001, 0, "CPasswordInfo"), strBody + strSecond));
    EXPECT_TRUE(refused(CByteBuilder().LaterTag(), strBody + strSecond));
    // A later record refers to a class never named, or names it again.
    EXPECT_TRUE(
        refused(CByteBuilder().FirstTag(), strBody + CByteBuilder().U16(0x8002).Bytes() + strBody));
    EXPECT_TRUE(
        refused(CByteBuilder().FirstTag(), strBody + CByteBuilder().FirstTag().Bytes() + strBody));
}

TEST(ArchiveMalformed, LengthsBeyondTheBytesAllocateNothing) {
    // A 4 GiB text and a 4-billion record count in a file of a few bytes.
    const auto refused = [](const std::string& strBytes) {
        CCofferDoc doc;
        CArchive ar(strBytes, CCodePage::Default());
        return !doc.Serialize(ar) && std::size_t(doc.StagedCounts().Total()) < 2;
    };
    EXPECT_TRUE(refused(CByteBuilder().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Raw("abc").Bytes()));
    EXPECT_TRUE(
        refused(CByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).Raw("ab").Bytes()));
    EXPECT_TRUE(refused(CByteBuilder()
                            .Text("")
                            .U32(39)
                            .Text("")
                            .Text("")
                            .Text("")
                            .U16(0xFFFF)
                            .U32(0xFFFFFFFF)
                            .Bytes()));
}

TEST(ArchiveMalformed, AfterOneFailedReadEveryReadFails) {
    // Eight bytes: a 32-bit read at offset 6 fails, and so does every read
    // after it, even one the remaining bytes could satisfy.
    const std::string strBytes = "\x03"
                                 "abc"
                                 "\x01\x02\x03\x04";
    CArchive ar(strBytes, CCodePage::Default());
    std::string strText;
    std::uint16_t nWord = 0;
    std::uint32_t nDword = 0;
    ASSERT_TRUE(ar.ReadText(strText));
    ASSERT_TRUE(ar.ReadUInt16(nWord));
    EXPECT_FALSE(ar.ReadUInt32(nDword));
    EXPECT_TRUE(ar.Failed());
    EXPECT_EQ(ar.Remaining(), 2u);
    std::string strOut;
    EXPECT_FALSE(ar.ReadBytes(1, strOut));
    EXPECT_FALSE(ar.ReadUInt16(nWord));
    EXPECT_FALSE(ar.ReadText(strText));
    EXPECT_EQ(ar.Remaining(), 2u);
}

TEST(ArchiveMalformed, EveryCutInsideAWideTextIsRefused) {
    // The last text of the file is a 16-bit one: a file cut anywhere in it
    // must not be read as a shorter text padded with zeros.
    CByteBuilder b;
    b.Text("").U32(39).Text("").Text("").Text("").U16(1).FirstTag();
    for (int i = 0; i < 6; ++i)
        b.Text("");
    b.U32(1).WideText(u"Group name");
    const std::string& strBytes = b.Bytes();
    {
        CCofferDoc whole;
        CArchive ar(strBytes, CCodePage::Default());
        ASSERT_TRUE(whole.Serialize(ar));
        EXPECT_EQ(whole.StagedRecords().front().Group(), "Group name");
    }
    const std::size_t nTextStart = strBytes.size() - 4 - 2 * 10;
    for (std::size_t n = nTextStart; n < strBytes.size(); ++n) {
        CCofferDoc cut;
        CArchive ar(std::string_view(strBytes).substr(0, n), CCodePage::Default());
        EXPECT_FALSE(cut.Serialize(ar)) << "cut at " << n;
    }
}

TEST(ArchiveMalformed, AWideMarkInsideAWideTextIsALength) {
    // After the wide mark only a length may follow: a second mark is the
    // 16-bit length 0xFFFE, not another mark.
    const std::string strMarks = CByteBuilder().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFE).Bytes();
    std::string strUnits;
    for (int i = 0; i < 0xFFFE; ++i)
        strUnits += CByteBuilder().U16(static_cast<std::uint16_t>('a' + i % 26)).Bytes();
    const std::string strBytes = strMarks + strUnits;
    CArchive ar(strBytes, CCodePage::Default());
    std::string strText;
    ASSERT_TRUE(ar.ReadText(strText));
    ASSERT_EQ(strText.size(), 0xFFFEu);
    EXPECT_EQ(strText.substr(0, 4), "abcd");
    EXPECT_EQ(ar.Remaining(), 0u);

    // With too few units after it, the text is refused.
    const std::string strShort = strMarks + strUnits.substr(0, 200);
    CArchive arShort(strShort, CCodePage::Default());
    EXPECT_FALSE(arShort.ReadText(strText));
}

TEST(ArchiveRoundTrip, AFileInTheWritersOwnFormIsWrittenBackByteForByte) {
    // Including a group mark other than 1, which another writer may use.
    const std::string strKeyValue = MakeKeyCheckValue(KEY);
    const std::string strX = MakeFieldKey(strKeyValue);
    const std::string strBytes = CByteBuilder()
                                     .Text(strKeyValue)
                                     .U32(39)
                                     .Text("6")
                                     .Text("5")
                                     .Text("8")
                                     .U16(2)
                                     .FirstTag()
                                     .Body("", 7, CCofferDoc::XorField("Group", strX))
                                     .LaterTag()
                                     .Body(CCofferDoc::XorField("account", strX), 0, "")
                                     .Bytes();
    CCofferDoc doc;
    ASSERT_TRUE(Load(doc, strBytes));
    ASSERT_EQ(doc.Records().size(), 2u);
    EXPECT_EQ(doc.Records().front().Group(), "Group");
    EXPECT_EQ(doc.Records().back().Account(), "account");
    EXPECT_EQ(Serialized(doc), strBytes);
}

TEST(ArchiveRoundTrip, GeneratorValueKeepsAllThirtyTwoBits) {
    for (std::int32_t nGenerate : {-1, -39, 0x01000000, 0x7FFFFFFF, INT32_MIN}) {
        CCofferDoc doc;
        FillSample(doc);
        ChangeGeneratorHeader(doc,
                              [&](SGeneratorHeader& header) { header.m_nGenerate = nGenerate; });
        const std::string strBytes = Serialized(doc);
        // The value follows the KEY check value, little-endian.
        const std::size_t nAt = 1 + doc.Key().CheckValue().size();
        const auto nWord = static_cast<std::uint32_t>(nGenerate);
        EXPECT_EQ(strBytes.substr(nAt, 4), CByteBuilder().U32(nWord).Bytes()) << nGenerate;
        CCofferDoc loaded;
        ASSERT_TRUE(Load(loaded, strBytes));
        EXPECT_EQ(loaded.GeneratorHeader().m_nGenerate, nGenerate);
    }
}

TEST(ArchiveRoundTrip, RecordCountTakesThe32BitFormFrom65535On) {
    // The 16-bit count 0xFFFF is the mark of the 32-bit count, so 65,534 is
    // the last count written in 16 bits; 65,535 and 65,536 take the long form.
    for (std::uint32_t nRecords : {65534u, 65535u, 65536u}) {
        CCofferDoc doc;
        doc.SetKey(KEY);
        doc.SetGeneratorHeader({DEFAULT_GENERATE, "", "", ""});
        doc.AddGroup("G");
        const CChangeBatch batch(doc);
        for (std::uint32_t i = 1; i < nRecords; ++i)
            doc.InsertAccount(std::prev(doc.Records().end()), AccountRecord("a"));
        const std::string strBytes = Serialized(doc);
        const std::size_t nAt = Header(doc.Key().CheckValue()).size() - 2;
        const std::string strCount =
            nRecords < 0xFFFF ? CByteBuilder().U16(static_cast<std::uint16_t>(nRecords)).Bytes()
                              : CByteBuilder().U16(0xFFFF).U32(nRecords).Bytes();
        EXPECT_EQ(strBytes.substr(nAt, strCount.size()), strCount) << nRecords;
        EXPECT_EQ(strBytes.substr(nAt + strCount.size(), 2), "\xFF\xFF") << nRecords;
        CCofferDoc loaded;
        ASSERT_TRUE(Load(loaded, strBytes)) << nRecords;
        EXPECT_EQ(loaded.Records().size(), nRecords);
        EXPECT_EQ(loaded.Records().back().Account(), "a");
    }
}

TEST(ArchiveFiles, PathsSplitAfterTheLastSlash) {
    // The folder keeps its final slash: a save's temporary file goes into
    // the file's own folder, not beside it.
    EXPECT_EQ(FolderOf("/home/a/Work.pwd"), "/home/a/");
    EXPECT_EQ(FileNameOf("/home/a/Work.pwd"), "Work.pwd");
    EXPECT_EQ(FolderOf("/Work.pwd"), "/");
    EXPECT_EQ(FolderOf("Work.pwd"), "");
    EXPECT_EQ(FileNameOf("Work.pwd"), "Work.pwd");
    EXPECT_EQ(FileNameOf("/home/a/"), "");
}

TEST(ArchiveFiles, ZeroLengthFileIsAFileWithoutKey) {
    CTempFolder folder;
    const std::string strPath = folder.File("empty.pwd");
    WriteBytes(strPath, "");
    CCofferDoc doc;
    FillSample(doc);
    EXPECT_EQ(doc.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::none);
    EXPECT_FALSE(doc.HasKey());
    EXPECT_TRUE(doc.Records().empty());
    EXPECT_TRUE(doc.StagedCounts().Total() == 0);
    EXPECT_EQ(doc.GeneratorHeader().m_strLength, "6"); // the defaults of an emptied document
}

TEST(ArchiveFiles, MalformedFileLeavesTheDocumentEmpty) {
    CTempFolder folder;
    const std::string strPath = folder.File("bad.pwd");
    WriteBytes(strPath, "\x05"
                        "abc");
    CCofferDoc doc;
    FillSample(doc);
    EXPECT_EQ(doc.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::badFormat);
    EXPECT_EQ(FileErrorMessage(EFileError::badFormat, strPath), "Unexpected file format.");
    EXPECT_TRUE(doc.Records().empty());
    EXPECT_TRUE(doc.StagedCounts().Total() == 0);
    EXPECT_FALSE(doc.HasKey());
    EXPECT_EQ(doc.ReadArchiveFile(folder.File("missing.pwd"), CCodePage::Default()),
              EFileError::notFound);

    // Cut in its last record, after a header and records that read well:
    // nothing of what was read stays, not even the header or the file name.
    CCofferDoc sample;
    FillSample(sample);
    ChangeGeneratorHeader(sample, [](SGeneratorHeader& header) { header.m_nGenerate = 7; });
    const std::string strBytes = Serialized(sample);
    WriteBytes(strPath, strBytes.substr(0, strBytes.size() - 3));
    EXPECT_EQ(doc.ReadArchiveFile(strPath, CCodePage::Default()), EFileError::badFormat);
    EXPECT_TRUE(doc.StagedCounts().Total() == 0);
    EXPECT_FALSE(doc.HasKey());
    EXPECT_EQ(doc.GeneratorHeader().m_nGenerate, DEFAULT_GENERATE);
    EXPECT_EQ(doc.GeneratorHeader().m_strLength, "6");
    EXPECT_TRUE(doc.FileName().empty());
    EXPECT_FALSE(CFileSession(doc).IsPropertiesEnabled());
}

TEST(ArchiveFiles, APipeNamedLikeAPasswordFileIsRefusedWithoutWaiting) {
    CTempFolder folder;
    const std::string strFifo = folder.File("pipe.pwd");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    // No writer ever opens the pipe: a read that waited for one would hang,
    // so it runs in a child that an alarm ends.
    EXPECT_EXIT(
        {
            ::alarm(5);
            CCofferDoc doc;
            const EFileError eError = doc.ReadArchiveFile(strFifo, CCodePage::Default());
            std::_Exit(eError == EFileError::readFailed && doc.Records().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(ArchiveFiles, WritesAreAtomicAndPrivate) {
    CTempFolder folder;
    const std::string strPath = folder.File("new.pwd");
    CCofferDoc doc;
    FillSample(doc);
    ASSERT_EQ(doc.WriteArchiveFile(strPath), EFileError::none);
    EXPECT_TRUE(doc.IsSaved());
    struct stat st {};
    ASSERT_EQ(::stat(strPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // A replaced file keeps its mode.
    ::chmod(strPath.c_str(), 0640);
    ASSERT_EQ(doc.WriteArchiveFile(strPath), EFileError::none);
    ASSERT_EQ(::stat(strPath.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    const std::string strBefore = ReadBytes(strPath);

    // A read-only file is refused and left whole.
    ::chmod(strPath.c_str(), 0440);
    doc.AddGroup("More");
    EXPECT_EQ(doc.WriteArchiveFile(strPath), EFileError::writeDenied);
    EXPECT_FALSE(doc.IsSaved());
    EXPECT_EQ(ReadBytes(strPath), strBefore);

    // A link is followed: the file behind it is replaced, the link stays.
    ::chmod(strPath.c_str(), 0600);
    const std::string strLink = folder.File("link.pwd");
    ASSERT_EQ(::symlink(strPath.c_str(), strLink.c_str()), 0);
    ASSERT_EQ(doc.WriteArchiveFile(strLink), EFileError::none);
    struct stat stLink {};
    ASSERT_EQ(::lstat(strLink.c_str(), &stLink), 0);
    EXPECT_TRUE(S_ISLNK(stLink.st_mode));
    EXPECT_NE(ReadBytes(strPath), strBefore);

    // A pipe is not a file to replace.
    const std::string strFifo = folder.File("fifo.pwd");
    ASSERT_EQ(::mkfifo(strFifo.c_str(), 0600), 0);
    EXPECT_EQ(doc.WriteArchiveFile(strFifo), EFileError::writeFailed);
    struct stat stFifo {};
    ASSERT_EQ(::lstat(strFifo.c_str(), &stFifo), 0);
    EXPECT_TRUE(S_ISFIFO(stFifo.st_mode));

    // A folder in the way, or no folder at all: nothing is written.
    EXPECT_NE(doc.WriteArchiveFile(folder.Path()), EFileError::none);
    EXPECT_NE(doc.WriteArchiveFile(folder.File("no/such/folder.pwd")), EFileError::none);
    EXPECT_TRUE(doc.StagedCounts().Total() == 0);
}

} // namespace

TEST(DocumentKey, AKeyHeldAsideComesBackAsItWas) {
    CCofferDoc doc;
    doc.OnNewDocument();
    EXPECT_FALSE(doc.KnowsKey());
    doc.SetKey("old");
    const std::string strOldCheck = doc.Key().CheckValue();
    EXPECT_TRUE(doc.KnowsKey());
    CCofferDoc::SHeldKey held = doc.ReplaceKey("new");
    EXPECT_TRUE(doc.Key().Accepts("new"));
    EXPECT_FALSE(doc.Key().Accepts("old"));
    EXPECT_TRUE(held.m_key.Accepts("old"));
    doc.RestoreKey(std::move(held));
    EXPECT_EQ(doc.Key().CheckValue(), strOldCheck);
    EXPECT_TRUE(doc.Key().Accepts("old"));
    EXPECT_TRUE(doc.KnowsKey());
}
