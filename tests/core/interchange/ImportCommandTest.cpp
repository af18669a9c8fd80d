// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import's reading of the source and its key file: each within its own
// limit.

#include "core/interchange/ImportCommand.h"
#include "DocumentFixture.h"
#include "core/base/TextUtil.h"
#include "core/interchange/CsvImport.h"
#include "core/interchange/KdbxCredentials.h"
#include "support/ScriptedEditPrompts.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

class FileImport : public DocumentFixture {
protected:
    // A sparse file of nSize bytes that starts with strStart: no disk used.
    std::string SparseFile(const char* pszName, const std::string& strStart, off_t nSize) {
        const std::string strPath = m_folder.File(pszName);
        WriteBytes(strPath, strStart);
        EXPECT_EQ(::truncate(strPath.c_str(), nSize), 0);
        return strPath;
    }

    void Import(const std::string& strPath) {
        auto pDoc = MakeDoc();
        pDoc->OnNewDocument();
        pDoc->SetKey("k");
        CScriptedEditPrompts editPrompts;
        CImportCommand(pDoc->Session(), m_prompts, editPrompts)
            .ImportFile(strPath, [](const SImportShown&) { FAIL() << "nothing was imported"; });
        EXPECT_FALSE(pDoc->IsModified());
    }
};

// The two signature words of a KeePass database.
const std::string KDBX_SIGNATURE = "\x03\xD9\xA2\x9A\x67\xFB\x4B\xB5";

} // namespace

TEST_F(FileImport, EachSourceTypeHasItsOwnSizeLimit) {
    const off_t CSV_LIMIT = static_cast<off_t>(MAX_CSV_BYTES);
    // A CSV file one byte over its limit names that limit, not a password
    // file's.
    const std::string strCsv = SparseFile("big.csv", "url,username,password\n", CSV_LIMIT + 1);
    Import(strCsv);
    EXPECT_EQ(Messages(), std::vector<std::string>{FormatText(IMPORT_CSV_TOO_LARGE, strCsv)});
    EXPECT_EQ(Messages().front(), strCsv + " is larger than 256 MB, the largest CSV file that can "
                                           "be imported; it was not read.");

    // A database as large is read (the CLI reads it too) and asks its key;
    // a key file over its own limit names that limit and the key is asked
    // again.
    m_prompts.ClearRecord();
    const std::string strKdbx = SparseFile("big.dat", KDBX_SIGNATURE, CSV_LIMIT + 1);
    const std::string strKeyFile =
        SparseFile("big.key", "", static_cast<off_t>(MAX_KDBX_KEY_FILE_BYTES) + 1);
    m_prompts.AnswerDatabaseKey({"pw", false, strKeyFile});
    m_prompts.CancelDatabaseKey();
    Import(strKdbx);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{FormatText(KDBX_KEY_FILE_TOO_LARGE, strKeyFile)});
    EXPECT_EQ(m_prompts.UnusedAnswers(), "");

    // Over a gigabyte a database is refused by its own limit.
    m_prompts.ClearRecord();
    const std::string strHuge =
        SparseFile("huge.kdbx", KDBX_SIGNATURE, static_cast<off_t>(MAX_KDBX_IMPORT_BYTES) + 1);
    Import(strHuge);
    EXPECT_EQ(Messages(), std::vector<std::string>{FormatText(IMPORT_KDBX_TOO_LARGE, strHuge)});
    EXPECT_EQ(Messages().front(), strHuge + " is larger than 1 GB, the largest KeePass database "
                                            "that can be imported; it was not read.");
}
