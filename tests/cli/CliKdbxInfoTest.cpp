// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliFiles.h"
#include "CliRunner.h"

#include "core/interchange/KdbxTestWriter.h"
#include "core/interchange/KdbxWriter.h"
#include "support/FileBytes.h"
#include "support/KeePassOracle.h"

#include <gtest/gtest.h>

namespace {

std::string Entry(const std::string& strTitle, const std::string& strMore = {}) {
    return "<Entry><UUID>Dd3d3d3d3d3d3d3d3d3d3Q==</UUID><String><Key>Title</Key><Value>" +
           strTitle + "</Value></String>" + strMore + "</Entry>";
}

std::string Group(const std::string& strUuid, const std::string& strName,
                  const std::string& strInside) {
    return "<Group><UUID>" + strUuid + "</UUID><Name>" + strName + "</Name>" + strInside +
           "</Group>";
}

const std::string ATTACHMENT = "<Binary><Key>a.txt</Key><Value Ref=\"0\"/></Binary>";

// A 3.1 document with attachments and history items inside and outside the
// recycle bin: only those of the accounts a listing shows count.
const std::string BIN_XML =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<KeePassFile><Meta><Generator>Other "
    "manager</Generator><DatabaseName>Family vault</DatabaseName>"
    "<RecycleBinEnabled>True</RecycleBinEnabled>"
    "<RecycleBinUUID>BAQEBAQEBAQEBAQEBAQEBA==</RecycleBinUUID>"
    "<Binaries><Binary ID=\"0\">aGVsbG8=</Binary></Binaries></Meta><Root>" +
    Group("AQEBAQEBAQEBAQEBAQEBAQ==", "Root",
          Entry("Top",
                ATTACHMENT + ATTACHMENT + "<History>" + Entry("a") + Entry("b") + "</History>") +
              Group("AgICAgICAgICAgICAgICAg==", "Sub",
                    Entry("Low", "<History>" + Entry("c", ATTACHMENT) + "</History>")) +
              Group("BAQEBAQEBAQEBAQEBAQEBA==", "Recycle Bin",
                    Entry("Gone", ATTACHMENT + "<History>" + Entry("d") + "</History>"))) +
    "</Root></KeePassFile>\n";

class CliKdbxInfo : public ::testing::Test {
protected:
    std::string Written(const char* pszName, const SKdbxWriteOptions& options) const {
        SKdbxCredentials credentials;
        credentials.strPassword = "pw";
        std::string strError;
        const std::string strBytes =
            WrittenKdbx({GroupRecord("Mail"), AccountRecord("Post", "u", "p"),
                         GroupRecord("Bank/Cards"), AccountRecord("Visa")},
                        credentials, options, strError);
        EXPECT_FALSE(strBytes.empty()) << strError;
        const std::string strPath = m_folder.File(pszName);
        WriteBytes(strPath, strBytes);
        return strPath;
    }

    CTempFolder m_folder;
};

} // namespace

TEST_F(CliKdbxInfo, ShowsTheHeaderMetaAndCounts) {
    SKdbxWriteOptions argon;
    argon.nRounds = 2;
    argon.nMemoryBytes = 1 << 20;
    argon.nParallelism = 2;
    argon.strRootName = "Home";
    SKdbxWriteOptions aes;
    aes.eVersion = SKdbxWriteOptions::EVersion::kdbx31;
    aes.eKdf = EKdbxKdf::aes;
    aes.nRounds = 1000;
    aes.eCipher = EKdbxCipher::aes256;
    aes.bCompress = false;
    aes.eInnerStream = EKdbxInnerStream::salsa20;
    SKdbxTestOptions bin;
    bin.nMajor = 3;
    bin.eCipher = EKdbxCipher::twofish;
    bin.kdf = {EKdbxKdf::aes, CKdbxBytes(32, 7), 7};
    bin.eInner = EKdbxInnerStream::salsa20;
    const CKdbxBytes binBytes = MakeTestKdbx(BIN_XML, bin);
    const std::string strBin = m_folder.File("Bin.kdbx");
    WriteBytes(strBin, std::string(binBytes.begin(), binBytes.end()));
    const std::string strKeyFile = m_folder.File("key.bin");
    WriteBytes(strKeyFile, "a key file of any bytes");
    bin.credentials = {false, "", true, {}};
    const std::string strKey = ReadBytes(strKeyFile);
    bin.credentials.keyFile.assign(strKey.begin(), strKey.end());
    const CKdbxBytes keyedBytes = MakeTestKdbx(BIN_XML, bin);
    const std::string strKeyed = m_folder.File("Keyed.kdbx");
    WriteBytes(strKeyed, std::string(keyedBytes.begin(), keyedBytes.end()));
    const std::string strBinOut =
        "format: KDBX 3.1\ncipher: Twofish\ncompression: gzip\nkey derivation: AES-KDF\n"
        "rounds: 7\nname: Family vault\ngenerator: Other manager\ngroups: 1\naccounts: 2\n"
        "history items: 3\nattachments: 2\n";

    const std::string strPwd = m_folder.File("Home.pwd");
    WriteCoreFile(strPwd, "k", {GroupRecord("Mail")});
    const std::string strCounts = "groups: 3\naccounts: 2\nhistory items: 0\nattachments: 0\n";
    const struct {
        const char* pszName;
        std::vector<std::string> astrArgs; // after the command
        const char* pszInput;
        int nExit;
        std::string strOut; // standard output, or a part of the message
    } CASES[] = {
        {"4.x with Argon2id",
         {Written("Argon.kdbx", argon)},
         "pw\n",
         0,
         "format: KDBX 4.0\ncipher: ChaCha20\ncompression: gzip\nkey derivation: Argon2id\n"
         "memory: 1 MiB\niterations: 2\nparallelism: 2\nname: Home\ngenerator: Keyhaven\n" +
             strCounts},
        {"3.1 with AES-KDF",
         {Written("Aes.kdbx", aes)},
         "pw\n",
         0,
         "format: KDBX 3.1\ncipher: AES-256\ncompression: none\nkey derivation: AES-KDF\n"
         "rounds: 1000\nname: Root\ngenerator: Keyhaven\n" +
             strCounts},
        {"3.1 with a recycle bin", {strBin}, "pw\n", 0, strBinOut},
        {"a key file alone",
         {strKeyed, "--key-file", strKeyFile, "--no-password"},
         "",
         0,
         strBinOut},
        {"a wrong password", {strBin}, "PW\n", 1, "Bin.kdbx: "},
        {"a wrong key file",
         {strKeyed, "--key-file", strBin, "--no-password"},
         "",
         1,
         "Keyed.kdbx: "},
        {"database options on a .pwd file",
         {strPwd, "--no-password"},
         "",
         2,
         "apply to a .kdbx FILE only"},
    };
    for (const auto& test : CASES) {
        SCOPED_TRACE(test.pszName);
        std::vector<std::string> astrArgs = {"info"};
        astrArgs.insert(astrArgs.end(), test.astrArgs.begin(), test.astrArgs.end());
        ExpectCliResult(RunCli(astrArgs, test.pszInput), test.nExit, test.strOut);
    }
}
