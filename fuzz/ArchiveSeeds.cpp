// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a seed corpus of password files into a folder: files made by the
// program's own writer, and files assembled byte by byte the way another
// writer of the format may make them (16-bit texts, long length prefixes,
// the 32-bit record count), plus a few damaged ones. Each file is read back
// through the reader before the program reports success, so a seed that no
// longer means what its name says fails the run instead of weakening it.
//
// Usage: make_archive_seeds FOLDER
//        make_archive_seeds --check   (writes to a private folder, then removes it)

#include "core/seal/SealedFile.h"
#include "core/store/Archive.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/FieldCipher.h"
#include "core/store/FileIO.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <stdlib.h>

namespace {

constexpr const char* SEED_KEY = "correct horse";

// The cost of the sealed seeds, which are sealed under SEED_KEY; the fuzz
// target opens sealed input with the same KEY.
const SSealParams FUZZ_SEAL_PARAMS{SEAL_MIN_PASSES, SEAL_MIN_MEMORY_KIB};

struct SSeed {
    std::string strName;
    std::string strBytes;
    // Null for a file the reader must refuse; otherwise what the loaded
    // (deciphered) document must hold. Returns a complaint or "".
    std::function<std::string(const CCofferDoc&)> check;
};

CPasswordInfo Account(std::string strAccount, std::string strPassword = "pw",
                      std::string strComments = {}) {
    CPasswordInfo info;
    info.SetAccount(std::move(strAccount));
    info.SetUserName("user");
    info.SetPassword(std::move(strPassword));
    info.SetWebSite("https://example.org/");
    info.SetEMail("user@example.org");
    info.SetComments(std::move(strComments));
    return info;
}

std::string Written(CCofferDoc& doc) {
    doc.EncipherList();
    CArchive ar;
    doc.Serialize(ar);
    return ar.TakeBuffer();
}

void KeyDoc(CCofferDoc& doc) {
    doc.OnNewDocument();
    doc.SetKey(SEED_KEY);
}

// --- checks of the loaded document ---

std::string ExpectCounts(const CCofferDoc& doc, int nGroups, int nAccounts) {
    if (doc.CountGroups() != nGroups || doc.CountAccounts() != nAccounts)
        return "holds " + std::to_string(doc.CountGroups()) + " groups and " +
               std::to_string(doc.CountAccounts()) + " accounts";
    return {};
}

const CPasswordInfo* NthRecord(const CCofferDoc& doc, std::size_t n) {
    if (n >= doc.Records().size())
        return nullptr;
    auto it = doc.Records().begin();
    std::advance(it, n);
    return &*it;
}

// --- assembling bytes by hand ---

void WriteLengthPrefix(CArchive& ar, std::size_t n) {
    if (n < 0xFF) {
        ar.WriteBytes(std::string(1, static_cast<char>(n)));
    } else if (n < 0xFFFE) {
        ar.WriteBytes("\xFF");
        ar.WriteUInt16(static_cast<std::uint16_t>(n));
    } else {
        ar.WriteBytes("\xFF");
        ar.WriteUInt16(0xFFFF);
        ar.WriteUInt32(static_cast<std::uint32_t>(n));
    }
}

// The 16-bit form: the mark, a prefix counting characters, then UTF-16LE.
// Each stored byte becomes the character the code page gives it, so the
// reader's conversion must return the very same bytes.
void WriteWideText(CArchive& ar, const std::string& strBytes) {
    ar.WriteBytes("\xFF");
    ar.WriteUInt16(0xFFFE);
    WriteLengthPrefix(ar, strBytes.size());
    for (const char c : strBytes)
        ar.WriteUInt16(static_cast<std::uint16_t>(
            CCodePage::Default().ToUnicode(static_cast<unsigned char>(c))));
}

// A short text behind the 3-byte or the 7-byte prefix that the writer keeps
// for long texts.
void WriteLongPrefixText(CArchive& ar, const std::string& strText, bool b32) {
    ar.WriteBytes("\xFF");
    if (b32) {
        ar.WriteUInt16(0xFFFF);
        ar.WriteUInt32(static_cast<std::uint32_t>(strText.size()));
    } else {
        ar.WriteUInt16(static_cast<std::uint16_t>(strText.size()));
    }
    ar.WriteBytes(strText);
}

void WriteHeader(CArchive& ar, const std::string& strKey) {
    ar.WriteText(strKey);
    ar.WriteInt32(DEFAULT_GENERATE);
    ar.WriteText("");
    ar.WriteText("");
    ar.WriteText("");
}

void WriteFirstTag(CArchive& ar, std::uint16_t nSchema = 0,
                   const std::string& strClass = PASSWORD_CLASS_NAME) {
    ar.WriteUInt16(0xFFFF);
    ar.WriteUInt16(nSchema);
    ar.WriteUInt16(static_cast<std::uint16_t>(strClass.size()));
    ar.WriteBytes(strClass);
}

CPasswordInfo Enciphered(const CPasswordInfo& plain, const std::string& strX) {
    CPasswordInfo info = plain;
    for (int i = 0; i < CPasswordInfo::TEXT_COUNT; ++i) {
        const auto eText = static_cast<CPasswordInfo::EText>(i);
        info.SetText(eText, CCofferDoc::XorField(info.Text(eText), strX));
    }
    return info;
}

CPasswordInfo Group(const std::string& strName, std::int32_t nGroup = 1) {
    CPasswordInfo info;
    info.m_bGroup = nGroup;
    info.SetGroup(strName);
    return info;
}

// --- the seeds ---

SSeed EmptyList() {
    CCofferDoc doc;
    KeyDoc(doc);
    doc.DeleteGroup(doc.FindGroup(DEFAULT_GROUP_NAME));
    return {"empty-list", Written(doc), [](const CCofferDoc& d) { return ExpectCounts(d, 0, 0); }};
}

SSeed NewFile() {
    CCofferDoc doc;
    KeyDoc(doc);
    return {"new-file", Written(doc), [](const CCofferDoc& d) {
                const SGeneratorHeader& header = d.GeneratorHeader();
                if (!header.m_strLength.empty() || !header.m_strBegin.empty() ||
                    !header.m_strEnd.empty())
                    return std::string("generator texts of a new file are not empty");
                return ExpectCounts(d, 1, 0);
            }};
}

SSeed GroupsWithAccounts() {
    CCofferDoc doc;
    KeyDoc(doc);
    SGeneratorHeader header;
    header.m_strLength = "12";
    header.m_strBegin = "8";
    header.m_strEnd = "16";
    header.m_nGenerate = 0x3F;
    doc.SetGeneratorHeader(header);
    doc.AddGroup("Work");
    doc.AddGroup("Empty group");
    doc.AddGroup("Bank");
    doc.AddAccount("My Passwords", Account("mail", "s3cret", "two\r\nlines"));
    doc.AddAccount("Work", Account("intranet"));
    doc.AddAccount("Work", Account("INTRANET", "caps differ"));
    doc.AddAccount("Bank", Account("savings", "\xE9t\xE9 \x80"));
    doc.AddAccount("Bank", Account("cards"));
    return {"groups-accounts", Written(doc), [](const CCofferDoc& d) {
                if (d.GeneratorHeader().m_strLength != "12" ||
                    d.GeneratorHeader().m_nGenerate != 0x3F)
                    return std::string("generator header changed");
                return ExpectCounts(d, 4, 5);
            }};
}

SSeed PrefixBoundaries() {
    CCofferDoc doc;
    KeyDoc(doc);
    CPasswordInfo info = Account(std::string(254, 'a'));
    info.SetUserName(std::string(255, 'b'));
    info.SetComments(std::string(256, 'c'));
    doc.AddAccount(DEFAULT_GROUP_NAME, info);
    return {"text-254-255-256", Written(doc), [](const CCofferDoc& d) {
                const CPasswordInfo* p = NthRecord(d, 1);
                if (!p || p->Account().size() != 254 || p->UserName().size() != 255 ||
                    p->Comments().size() != 256)
                    return std::string("texts around the 1-byte prefix lost their length");
                return std::string();
            }};
}

SSeed LongText(const std::string& strName, std::size_t nLength) {
    CCofferDoc doc;
    KeyDoc(doc);
    std::string strComments(nLength, ' ');
    for (std::size_t i = 0; i < nLength; ++i)
        strComments[i] = static_cast<char>('A' + i % 26);
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("long", "pw", strComments));
    return {strName, Written(doc), [nLength](const CCofferDoc& d) {
                const CPasswordInfo* p = NthRecord(d, 1);
                if (!p || p->Comments().size() != nLength || p->Comments()[25] != 'Z')
                    return std::string("the long comment did not come back");
                return std::string();
            }};
}

SSeed ZeroBytes() {
    CCofferDoc doc;
    KeyDoc(doc);
    const std::string strX = MakeFieldKey(doc.Key().CheckValue());
    // This password enciphers to zero bytes only; the comment holds zero
    // bytes in clear.
    doc.AddAccount(DEFAULT_GROUP_NAME,
                   Account("zeros", strX + strX.substr(0, 3), std::string("a\0b\0\0c", 6)));
    const std::string strPassword = strX + strX.substr(0, 3);
    return {"zero-bytes", Written(doc), [strPassword](const CCofferDoc& d) {
                const CPasswordInfo* p = NthRecord(d, 1);
                if (!p || p->Password() != strPassword ||
                    p->Comments() != std::string("a\0b\0\0c", 6))
                    return std::string("texts with zero bytes were cut");
                return std::string();
            }};
}

SSeed WideTexts() {
    const std::string strKey = MakeKeyCheckValue(SEED_KEY);
    const std::string strX = MakeFieldKey(strKey);
    const std::string strLongName(300, 'w');
    CArchive ar;
    WriteWideText(ar, strKey);
    ar.WriteInt32(DEFAULT_GENERATE);
    WriteWideText(ar, "6");
    WriteWideText(ar, "");
    WriteWideText(ar, "8");
    ar.WriteUInt16(2);
    WriteFirstTag(ar);
    const CPasswordInfo group = Enciphered(Group("Caf\xE9"), strX);
    for (int i = 0; i < 6; ++i)
        WriteWideText(ar, "");
    ar.WriteInt32(1);
    WriteWideText(ar, group.Group());
    ar.WriteUInt16(0x8001);
    const CPasswordInfo account = Enciphered(Account(strLongName, "\x80\x81\x9F\xFF"), strX);
    for (const std::string& strText : {account.Account(), account.UserName(), account.Password(),
                                       account.WebSite(), account.EMail(), account.Comments()})
        WriteWideText(ar, strText);
    ar.WriteInt32(0);
    WriteWideText(ar, "");
    return {"utf16-texts", ar.TakeBuffer(), [strLongName](const CCofferDoc& d) {
                const CPasswordInfo* pGroup = NthRecord(d, 0);
                const CPasswordInfo* p = NthRecord(d, 1);
                if (!d.Key().Accepts(SEED_KEY) || d.GeneratorHeader().m_strLength != "6" ||
                    !pGroup || pGroup->Group() != "Caf\xE9" || !p || p->Account() != strLongName ||
                    p->Password() != "\x80\x81\x9F\xFF")
                    return std::string("16-bit texts did not read back as their bytes");
                return std::string();
            }};
}

SSeed LongPrefixes() {
    const std::string strKey = MakeKeyCheckValue(SEED_KEY);
    const std::string strX = MakeFieldKey(strKey);
    CArchive ar;
    WriteHeader(ar, strKey);
    // A count below 0xFFFF in the 32-bit form.
    ar.WriteUInt16(0xFFFF);
    ar.WriteUInt32(2);
    WriteFirstTag(ar);
    const CPasswordInfo group = Enciphered(Group("Long prefixes", 7), strX);
    for (int i = 0; i < 6; ++i)
        ar.WriteText("");
    ar.WriteInt32(group.m_bGroup);
    WriteLongPrefixText(ar, group.Group(), true);
    ar.WriteUInt16(0x8001);
    const CPasswordInfo account = Enciphered(Account("short"), strX);
    WriteLongPrefixText(ar, account.Account(), false);
    WriteLongPrefixText(ar, account.UserName(), true);
    for (const std::string& strText :
         {account.Password(), account.WebSite(), account.EMail(), account.Comments()})
        ar.WriteText(strText);
    ar.WriteInt32(0);
    ar.WriteText("");
    return {"long-prefixes", ar.TakeBuffer(), [](const CCofferDoc& d) {
                const CPasswordInfo* pGroup = NthRecord(d, 0);
                const CPasswordInfo* p = NthRecord(d, 1);
                if (!pGroup || !pGroup->IsGroup() || pGroup->Group() != "Long prefixes" || !p ||
                    p->Account() != "short" || p->UserName() != "user")
                    return std::string("texts behind long prefixes did not read back");
                return ExpectCounts(d, 1, 1);
            }};
}

SSeed NoKey() {
    CCofferDoc doc;
    doc.OnNewDocument();
    doc.AddAccount(DEFAULT_GROUP_NAME, Account("keyless"));
    return {"no-key", Written(doc), [](const CCofferDoc& d) {
                if (d.HasKey())
                    return std::string("a file without KEY gained one");
                return ExpectCounts(d, 1, 1);
            }};
}

// A count that needs the 32-bit form, followed by far fewer records.
SSeed CountBeyondRecords() {
    CArchive ar;
    WriteHeader(ar, MakeKeyCheckValue(SEED_KEY));
    ar.WriteUInt16(0xFFFF);
    ar.WriteUInt32(0x10000);
    WriteFirstTag(ar);
    CPasswordInfo().Serialize(ar);
    ar.WriteUInt16(0x8001);
    CPasswordInfo().Serialize(ar);
    return {"count-32bit-few-records", ar.TakeBuffer(), nullptr};
}

SSeed BadFirstTag(const std::string& strName, std::uint16_t nSchema, const std::string& strClass) {
    CArchive ar;
    WriteHeader(ar, MakeKeyCheckValue(SEED_KEY));
    ar.WriteUInt16(1);
    WriteFirstTag(ar, nSchema, strClass);
    Group("G").Serialize(ar);
    return {strName, ar.TakeBuffer(), nullptr};
}

SSeed BadLaterTag() {
    CArchive ar;
    WriteHeader(ar, MakeKeyCheckValue(SEED_KEY));
    ar.WriteUInt16(2);
    WriteFirstTag(ar);
    Group("G").Serialize(ar);
    ar.WriteUInt16(0x8002);
    CPasswordInfo().Serialize(ar);
    return {"bad-later-tag", ar.TakeBuffer(), nullptr};
}

SSeed Truncated() {
    SSeed seed = GroupsWithAccounts();
    seed.strName = "truncated";
    seed.strBytes.resize(seed.strBytes.size() * 2 / 3);
    seed.check = nullptr;
    return seed;
}

SSeed WideTextOutsideCodePage() {
    CArchive ar;
    ar.WriteBytes("\xFF");
    ar.WriteUInt16(0xFFFE);
    ar.WriteBytes("\x01");
    ar.WriteUInt16(0x4E2D); // a CJK character no single-byte page holds
    ar.WriteInt32(DEFAULT_GENERATE);
    for (int i = 0; i < 3; ++i)
        ar.WriteText("");
    ar.WriteUInt16(0);
    return {"utf16-outside-code-page", ar.TakeBuffer(), nullptr};
}

std::vector<SSeed> AllSeeds() {
    return {EmptyList(),
            NewFile(),
            GroupsWithAccounts(),
            PrefixBoundaries(),
            LongText("text-65533", 0xFFFD),
            LongText("text-70000", 70000),
            ZeroBytes(),
            WideTexts(),
            LongPrefixes(),
            NoKey(),
            CountBeyondRecords(),
            BadFirstTag("bad-class-name", 0, "CPasswordInfX"),
            BadFirstTag("bad-schema", 1, PASSWORD_CLASS_NAME),
            BadLaterTag(),
            Truncated(),
            WideTextOutsideCodePage()};
}

// Reads the file as the program does (a sealed one opened with the fuzz
// KEY) and compares the outcome with the seed's promise.
std::string Verify(const SSeed& seed, const std::string& strPath) {
    CCofferDoc doc;
    EFileError eError = doc.ReadDocumentFile(strPath, CCodePage::Default());
    if (eError == EFileError::none && doc.IsSealPending())
        eError = doc.AcceptKey(SEED_KEY) ? doc.FinishSealedRead(CCodePage::Default())
                                         : EFileError::badFormat;
    if (!seed.check)
        return eError == EFileError::badFormat ? std::string() : "was not refused as malformed";
    if (eError != EFileError::none)
        return "was refused: " + FileErrorMessage(eError, strPath);
    doc.DecipherList();
    return seed.check(doc);
}

// Whether a seed's archive carries the check value of SEED_KEY.
bool CarriesSeedKey(const std::string& strBytes) {
    CCofferDoc doc;
    CArchive ar(strBytes, CCodePage::Default());
    return doc.Serialize(ar) && doc.Key().Accepts(SEED_KEY);
}

// Every seed again as a protected file: sealed under SEED_KEY at the least
// cost, so the fuzzer's mutations reach the sealed reader quickly. The
// refused seeds stay refused inside a seal, and so are archives that carry
// the check value of another KEY than the one that sealed them; one sealed
// file with a changed byte must be refused whatever it holds.
std::vector<SSeed> SealedSeeds(const std::vector<SSeed>& plain) {
    CSealKey key;
    std::vector<SSeed> sealed;
    if (!key.Derive(SEED_KEY, FUZZ_SEAL_PARAMS, CSealKey::NewSalt()))
        return sealed;
    for (const SSeed& seed : plain)
        sealed.push_back({seed.strName + "-sealed", CSealedFile::Seal(seed.strBytes, key),
                          CarriesSeedKey(seed.strBytes) ? seed.check : nullptr});
    if (!sealed.empty()) {
        SSeed changed = sealed.front();
        changed.strName = "sealed-changed";
        changed.strBytes[changed.strBytes.size() / 2 + CSealedFile::HEADER_SIZE / 2] ^= 0x10;
        changed.check = nullptr;
        sealed.push_back(changed);
    }
    return sealed;
}

int WriteAndVerify(const std::string& strFolder) {
    int nFailures = 0;
    std::vector<SSeed> seeds = AllSeeds();
    std::vector<SSeed> sealed = SealedSeeds(seeds);
    if (sealed.empty()) {
        std::fprintf(stderr, "the sealed seeds cannot be made\n");
        return 1;
    }
    std::vector<std::string> vecPaths;
    for (const SSeed& seed : seeds)
        vecPaths.push_back(strFolder + "/" + seed.strName + ".pwd");
    for (const SSeed& seed : sealed)
        vecPaths.push_back(strFolder + "/" + seed.strName + ".khv");
    seeds.insert(seeds.end(), sealed.begin(), sealed.end());
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const SSeed& seed = seeds[i];
        const std::string& strPath = vecPaths[i];
        const EFileError eError = WriteFileAtomic(strPath, seed.strBytes);
        if (eError != EFileError::none) {
            std::fprintf(stderr, "%s\n", FileErrorMessage(eError, strPath).c_str());
            return 1;
        }
        const std::string strComplaint = Verify(seed, strPath);
        if (!strComplaint.empty()) {
            std::fprintf(stderr, "seed %s: %s\n", seed.strName.c_str(), strComplaint.c_str());
            ++nFailures;
        }
    }
    if (nFailures == 0)
        std::printf("%zu seeds written and read back as expected\n", seeds.size());
    return nFailures == 0 ? 0 : 1;
}

int CheckInPrivateFolder() {
    const char* pszTemp = std::getenv("TMPDIR");
    std::string strTemplate =
        std::string(pszTemp && *pszTemp ? pszTemp : "/tmp") + "/keyhaven-seeds.XXXXXX";
    if (!::mkdtemp(strTemplate.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const int nResult = WriteAndVerify(strTemplate);
    std::error_code error;
    std::filesystem::remove_all(strTemplate, error);
    return nResult;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER | --check\n", argv[0]);
        return 2;
    }
    const std::string strArgument = argv[1];
    if (strArgument == "--check")
        return CheckInPrivateFolder();
    return WriteAndVerify(strArgument);
}
