// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/StringTable.h"
#include "core/store/FileIO.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class CCliArgs;
class CCliFailure;
class CCliFile;
struct SKdbxChange;
class CCodePage;
class CCofferDoc;
class CImporter;
class CKdbxFile;
struct SKdbxCredentials;
struct SKdbxReadOptions;
class CKeyReader;
class CKdbxFile;
struct SKdbxFound;

// One run of keyhaven-cli: parses the command line, does the command, and
// returns the exit status. Results go to the output stream, messages to the
// error stream, and KEYs come from the KEY reader.
class CCliCommand {
public:
    // bOutTerminal: standard output is a terminal, where control characters
    // in names and fields are shown escaped; anywhere else (a pipe, a file)
    // the output is exact, so that scripts get the names and values as
    // stored. Messages on the error stream are always escaped: they are read
    // by people, also later from a log.
    CCliCommand(std::ostream& out, std::ostream& err, CKeyReader& keyReader,
                bool bOutTerminal = false);

    // astrArgs are the arguments after the program name.
    int Run(const std::vector<std::string>& astrArgs);

private:
    // Reports a failure on standard error; the exit status.
    int Fail(const CCliFailure& failure);
    using CArgs = std::vector<std::string>;

    void Dispatch(const std::string& strCommand, const CArgs& astrArgs);
    void RunInfo(const CArgs& astrArgs);
    void RunList(const CArgs& astrArgs);
    void RunShow(const CArgs& astrArgs);
    void RunFind(const CArgs& astrArgs);
    void RunExport(const CArgs& astrArgs);
    void RunCreate(const CArgs& astrArgs);
    void RunPasswd(const CArgs& astrArgs);
    void RunGenerate(const CArgs& astrArgs);
    void RunConvert(const CArgs& astrArgs);
    void RunImport(const CArgs& astrArgs);
    // The text of an export to standard output, or to OUT when given.
    void WriteExport(const std::string* pOut, const CByteProducer& fnProduce);
    // bNewFile: OUT is made, never replaced (convert).
    void ExportKdbx(const CCliArgs& args, const std::string& strPath, const std::string& strOut,
                    bool bNewFile = false);
    void ConvertFromKdbx(const CCliArgs& args, const std::string& strIn, const std::string& strOut);
    void ImportKdbx(const CCliArgs& args, const std::string& strPath, const std::string& strSource);
    void RunTotp(const CArgs& astrArgs);
    // Reads the KeePass database FILE with the options of RunTotp
    // (--key-file, --no-password, --allow-slow-kdf) and its password from
    // standard input; a failure ends the run.
    void OpenKdbx(const CCliArgs& args, const std::string& strPath, CKdbxFile& database);
    // Whether FILE is a KeePass database; for any other FILE the options
    // that only a database takes (and pszKdbxFlag) are a usage failure.
    bool OpensAsKdbx(const CCliArgs& args, const char* pszKdbxFlag = nullptr) const;
    // The entry of the arguments GROUP and ACCOUNT; a usage failure when the
    // database has no such group or entry.
    SKdbxFound FindEntryOf(const CKdbxFile& database, const CCliArgs& args) const;
    // ls, show, find and export of a KeePass database.
    void InfoKdbx(const CCliArgs& args);
    void ListKdbx(const CCliArgs& args);
    void ShowKdbx(const CCliArgs& args);
    void FindKdbx(const CCliArgs& args);
    void ExportFromKdbx(const CCliArgs& args, bool bCsv, bool bKdbx);
    // A KeePass database's bytes, read whole, its key derivation checked
    // before anything is typed (pszVerb says what --allow-slow-kdf allows).
    std::string ReadKdbxSource(const CCliArgs& args, const std::string& strSource,
                               const char* pszVerb, SKdbxReadOptions& options);
    // The database's password, read like a KEY unless --no-password.
    void ReadKdbxPassword(SKdbxCredentials& credentials, const std::string& strSource);
    // Reads the database at strPath with the credentials of the command line
    // (its password from standard input), failures ending the run; the
    // credentials are returned for a write, pBytes gets the file's bytes.
    SKdbxCredentials ReadKdbxFile(const CCliArgs& args, const std::string& strPath,
                                  const char* pszVerb, CKdbxFile& database,
                                  std::string* pBytes = nullptr);
    // passwd on a KeePass database: a new password over the same key file
    // and key derivation, written back as KDBX 4.
    void PasswdKdbx(const CCliArgs& args, const std::string& strPath);
    // Reads the database at strPath as ReadKdbxFile does, locked, for a
    // change written back by WriteKdbxBack.
    void ReadKdbxForChange(const CCliArgs& args, const std::string& strPath, SKdbxChange& change);
    // Writes the database back over strPath as read (its stamp), under the
    // credentials; a failure ends the run.
    void WriteKdbxBack(const std::string& strPath, const SKdbxChange& change);
    // create of a KeePass database: a new empty one, never over a file.
    void CreateKdbx(const CCliArgs& args, const std::string& strPath);
    // import into a KeePass database FILE, from a CSV file or (with the
    // --source-... options) another database.
    void ImportIntoKdbx(const CCliArgs& args, const std::string& strPath,
                        const std::string& strSource, bool bKdbxSource);
    // A new database password into credentials: asked twice on a terminal;
    // refused when empty without a key file.
    void ReadNewPassword(const std::string& strFileName, SKdbxCredentials& credentials);
    // Writes FILE once the importer has added anything, with the change
    // check, and prints the summary.
    void FinishImport(const std::string& strPath, CCliFile& file, const CImporter& importer);
    // The key file of --key-file, read whole, and whether a password is
    // asked (not with --no-password, which needs a key file).
    // pszKeyFile and pszNoPassword name the options of another database.
    SKdbxCredentials KdbxCredentialsOf(const CCliArgs& args, const char* pszKeyFile = "--key-file",
                                       const char* pszNoPassword = "--no-password") const;
    void RunAudit(const CArgs& astrArgs);
    // find --all-fields: the accounts the filter over every field keeps.
    void WriteFieldMatches(CCofferDoc& doc, const std::string& strFileLabel,
                           const std::string& strText);

    // How a command opens its file.
    enum class EOpen {
        keyed,          // the KEY checked, the records deciphered
        keyedAndLocked, // the same, holding the file's lock until the command ends
        header          // a ".pwd" read without its KEY (a sealed file still asks)
    };
    // Opens the file through the file session; a failure ends the run, a
    // wrong KEY with pszWrongKey, a file without a KEY (unless only its
    // header is read) with the advice to open it in the program.
    std::unique_ptr<CCliFile> OpenFile(const std::string& strPath, EOpen eOpen = EOpen::keyed,
                                       const char* pszWrongKey = IDS_KEY_INVALID);
    // A file with nothing open yet, its KEYs read from standard input.
    std::unique_ptr<CCliFile> NewCliFile();
    // Makes the file at strPath through the session's save prompt: a new
    // file is never put over an existing one, and nothing stays behind when
    // the write fails. The exit statuses are those of a write.
    void ExpectNewFile(CCliFile& file, const std::string& strPath);

    // The next line of standard input, or the text typed after strPrompt
    // on a terminal, as given; strWhat ("KEY", "password") names it in
    // messages.
    std::string ReadSecretLine(const std::string& strPrompt, const std::string& strWhat);
    // The next KEY, converted to the code page.
    std::string ReadKey(const std::string& strPrompt);
    // A new KEY: asked twice on a terminal; refused when empty.
    std::string ReadNewKey(const std::string& strFileName, const char* pszEmptyMessage);

    // A UTF-8 text from the user in the code page; refused (usage) when it
    // holds a character the page cannot hold. strWhat names it in messages;
    // the character at fault is named unless the text is a secret.
    std::string ToCodePage(const std::string& strUtf8, const std::string& strWhat,
                           bool bSecret = false) const;
    // Standard output; on a terminal with its control characters escaped
    // (line breaks and TABs kept).
    void Write(const std::string& strText);
    // The same for a text made a piece at a time.
    void WriteProduced(const CByteProducer& fnProduce);
    // A message line on the error stream, escaped.
    void WriteMessage(const std::string& strText);
    // A name or value that stands on one line of a listing: on a terminal its
    // line breaks and TABs are escaped too, so it cannot fake a line or a
    // column; exact anywhere else.
    std::string Label(const std::string& strUtf8) const;

    // The exit status of a command that ran to its end: audit tells with it
    // whether it found anything.
    int m_nDoneStatus = 0;
    bool m_bOutTerminal;
    std::ostream& m_out;
    std::ostream& m_err;
    CKeyReader& m_keyReader;
    const CCodePage& m_codePage;
};
