// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommand.h"
#include "core/base/TextUtil.h"

#include "cli/CliArgs.h"
#include "cli/CliFailure.h"
#include "cli/CliFile.h"
#include "cli/CliHelp.h"
#include "cli/CliTexts.h"
#include "cli/ControlEscaper.h"
#include "cli/KeyReader.h"
#include "cli/TreeListing.h"
#include "core/base/Prompts.h"
#include "core/base/StringTable.h"
#include "core/generator/PasswordGenerator.h"
#include "core/health/PasswordHealth.h"
#include "core/health/PwnedList.h"
#include "core/interchange/CsvImport.h"
#include "core/interchange/CsvWriter.h"
#include "core/interchange/ImportCommand.h"
#include "core/interchange/Importer.h"
#include "core/interchange/KdbxCredentials.h"
#include "core/interchange/KdbxReader.h"
#include "core/interchange/KdbxWriter.h"
#include "core/kdbx/KdbxEdit.h"
#include "core/kdbx/KdbxEntries.h"
#include "core/kdbx/KdbxExport.h"
#include "core/kdbx/KdbxFile.h"
#include "core/kdbx/KdbxImport.h"
#include "core/kdbx/KdbxImporter.h"
#include "core/kdbx/KdbxInfo.h"
#include "core/kdbx/KdbxLoss.h"
#include "core/kdbx/KdbxTree.h"
#include "core/otp/OtpCode.h"
#include "core/otp/OtpSettings.h"
#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/CofferDoc.h"
#include "core/store/ExportText.h"
#include "core/store/FieldCipher.h"
#include "core/store/FileIO.h"
#include "core/store/FileLock.h"
#include "core/store/FileStamp.h"
#include "core/tree/FieldFilter.h"
#include "core/tree/SortedLabelTree.h"
#include "core/tree/TreeSearch.h"
#include "core/unicode/FoldedMatcher.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <new>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string CodePointText(char32_t nChar) {
    char szText[16];
    std::snprintf(szText, sizeof szText, "U+%04X", static_cast<unsigned>(nChar));
    return szText;
}

// A regular OUT is replaced in one step. A device, a pipe or a terminal
// (/dev/stdout, a FIFO) is written in place: replacing it with a regular file
// would break it for everyone.
EFileError WriteExportFile(const std::string& strPath, const CByteProducer& fnProduce) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0 || S_ISREG(st.st_mode))
        return WriteFileAtomic(strPath, fnProduce, EWriteMode::plainText);
    const EFileError eTarget = PlainTextTargetError(strPath);
    if (eTarget != EFileError::none)
        return eTarget;
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return WriteErrorOf(errno);
    int nErrno = 0;
    fnProduce([&](std::string_view piece) {
        std::size_t nDone = 0;
        while (nDone < piece.size()) {
            const ssize_t n = ::write(fd, piece.data() + nDone, piece.size() - nDone);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                nErrno = n < 0 ? errno : EIO;
                return false;
            }
            nDone += static_cast<std::size_t>(n);
        }
        return true;
    });
    if (::close(fd) != 0 && nErrno == 0)
        nErrno = errno;
    return nErrno == 0 ? EFileError::none : WriteErrorOf(nErrno);
}

// A name without an extension makes the protected format, as File > New
// does; a leading full stop names a hidden file, not an extension.
std::string WithKhvByDefault(const std::string& strPath) {
    const std::string strName = FileNameOf(strPath);
    const auto nDot = strName.rfind('.');
    return nDot == std::string::npos || nDot == 0 ? strPath + KHV_EXTENSION : strPath;
}

// Whether the name ends in the extension (".csv", lower case), in any case.
bool HasExtension(const std::string& strPath, std::string_view strWanted) {
    const std::string strName = FileNameOf(strPath);
    if (strName.size() <= strWanted.size())
        return false;
    std::string strExtension = strName.substr(strName.size() - strWanted.size());
    for (char& c : strExtension)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return strExtension == strWanted;
}

// The exit status of a KeePass database that cannot be read: the key is
// wrong (as a wrong KEY), or the file is (as a file that is no password
// file).
int KdbxFailureExit(EKdbxFailure eFailure) {
    return eFailure == EKdbxFailure::wrongKey || eFailure == EKdbxFailure::wrongKeyFile
               ? CLI_EXIT_KEY
               : CLI_EXIT_READ;
}

constexpr const char* KDBX_OPEN_OPTIONS = "[--key-file PATH] [--no-password] [--allow-slow-kdf]";

// The label of a KeePass database: its name without the extension, as a
// password file's label is.
std::string KdbxLabel(const std::string& strPath) {
    const std::string strName = FileNameOf(strPath);
    return strName.substr(0, strName.size() - std::string_view(".kdbx").size());
}

// Whether a title holds TEXT as find compares UTF-8 labels: with match case
// byte for byte, otherwise ignoring case and accents; a whole word between
// characters that are no letters of any script.
class CKdbxTitleMatcher {
public:
    CKdbxTitleMatcher(const std::string& strText, const SFindOptions& options)
        : m_strText(strText), m_options(options), m_folded(strText) {}

    bool Matches(std::string_view strTitle) const {
        if (m_strText.empty())
            return false;
        if (m_options.m_bMatchCase)
            return LabelContains(strTitle, m_strText, m_options, CCodePage::Utf8());
        return m_options.m_bWholeWord ? m_folded.ContainsWord(strTitle)
                                      : m_folded.Contains(strTitle);
    }

private:
    std::string m_strText;
    SFindOptions m_options;
    CFoldedMatcher m_folded;
};

// find --all-fields over an entry: each word of TEXT (split at blanks) is in
// one of its texts, ignoring case and accents. Neither the password nor a
// protected field is searched, as no password is.
class CKdbxFieldMatcher {
public:
    explicit CKdbxFieldMatcher(std::string_view strText) {
        while (!strText.empty()) {
            const std::size_t nWord = strText.find_first_not_of(" \t\r\n");
            if (nWord == std::string_view::npos)
                break;
            strText.remove_prefix(nWord);
            const std::size_t nEnd = std::min(strText.find_first_of(" \t\r\n"), strText.size());
            m_words.emplace_back(strText.substr(0, nEnd));
            strText.remove_prefix(nEnd);
        }
    }

    bool Matches(const CXmlElement& entry) const {
        const std::vector<SKdbxField> fields = KdbxEntryFields(entry);
        return std::all_of(m_words.begin(), m_words.end(), [&](const CFoldedMatcher& word) {
            return std::any_of(fields.begin(), fields.end(), [&](const SKdbxField& field) {
                return !field.bProtected && field.strKey != "Password" &&
                       word.Contains(field.strValue);
            });
        });
    }

private:
    std::vector<CFoldedMatcher> m_words;
};

// The text of a CSV SOURCE, checked whole before any KEY is asked: a file
// that cannot be imported costs no typing and changes nothing.
std::string ReadCsvSource(const std::string& strSource) {
    std::string strText;
    const EFileError eRead = ReadWholeFile(strSource, strText, MAX_CSV_BYTES);
    if (eRead != EFileError::none)
        throw CCliFailure(CLI_EXIT_READ, ImportReadErrorMessage(eRead, strSource, false));
    std::string strError;
    if (!ReadCsvEntries(
            strText, [](const SImportEntry&) {}, strError)) {
        CSecretBuffer::Wipe(strText);
        throw CCliFailure(CLI_EXIT_READ,
                          "keyhaven-cli: " + strSource + " cannot be imported. " + strError);
    }
    return strText;
}

// The bytes of a file made whole, as a producer.
CByteProducer BytesProducer(const CKdbxBytes& bytes) {
    return [&bytes](const CByteSink& fnSink) {
        return fnSink(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    };
}

// A name taken for a new file and locked: opened exclusively, so that a
// file that appeared since the check is never replaced, and removed again
// unless the write kept it.
class CNewFileClaim {
public:
    CNewFileClaim() = default;
    ~CNewFileClaim() {
        if (!m_strPath.empty())
            ::unlink(m_strPath.c_str());
    }
    CNewFileClaim(const CNewFileClaim&) = delete;
    CNewFileClaim& operator=(const CNewFileClaim&) = delete;

    // 0, or the errno of the open (EEXIST when the name is taken).
    int Claim(const std::string& strPath) {
        const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return errno;
        m_strPath = strPath;
        m_lock.Adopt(fd);
        return 0;
    }
    void Keep() { m_strPath.clear(); }

private:
    CFileLock m_lock;
    std::string m_strPath;
};

} // namespace

// A database read to be written back: its lock held from the read to the
// write, its credentials (wiped at the end) and the stamp of the bytes read.
struct SKdbxChange {
    CFileLock lock;
    CKdbxFile database;
    SKdbxCredentials credentials;
    std::optional<CFileStamp> stamp;
    ~SKdbxChange() { WipeKdbxCredentials(credentials); }
};

CCliCommand::CCliCommand(std::ostream& out, std::ostream& err, CKeyReader& keyReader,
                         bool bOutTerminal)
    : m_bOutTerminal(bOutTerminal), m_out(out), m_err(err), m_keyReader(keyReader),
      m_codePage(CCodePage::Default()) {}

int CCliCommand::Run(const std::vector<std::string>& astrArgs) {
    try {
        if (astrArgs.empty())
            throw CCliFailure(CLI_EXIT_USAGE, std::string("keyhaven-cli: no command given\n") +
                                                  CliUsageText() +
                                                  "Try \"keyhaven-cli --help\" for more.");
        Dispatch(astrArgs.front(), CArgs(astrArgs.begin() + 1, astrArgs.end()));
        m_out.flush();
        if (!m_out)
            throw CCliFailure(CLI_EXIT_WRITE, "keyhaven-cli: unable to write to standard output.");
        return m_nDoneStatus;
    } catch (const CCliHelpRequest& request) {
        Write(CliCommandHelp(request.m_strUsage));
        m_out.flush();
        return m_out ? CLI_EXIT_DONE
                     : Fail(CCliFailure(CLI_EXIT_WRITE,
                                        "keyhaven-cli: unable to write to standard output."));
    } catch (const CCliFailure& failure) {
        return Fail(failure);
    } catch (const std::bad_alloc&) {
        // A hostile file can ask for more than the machine has anywhere the
        // records are listed; the user learns it instead of seeing an abort.
        return Fail(CCliFailure(CLI_EXIT_READ, CLI_OUT_OF_MEMORY));
    }
}

int CCliCommand::Fail(const CCliFailure& failure) {
    m_out.flush();
    WriteMessage(failure.m_strMessage);
    m_err.flush();
    return failure.m_nExit;
}

void CCliCommand::Dispatch(const std::string& strCommand, const CArgs& astrArgs) {
    using CRunner = void (CCliCommand::*)(const CArgs&);
    static const struct {
        const char* pszName;
        CRunner pRun;
    } COMMANDS[] = {
        {"info", &CCliCommand::RunInfo},         {"ls", &CCliCommand::RunList},
        {"show", &CCliCommand::RunShow},         {"export", &CCliCommand::RunExport},
        {"create", &CCliCommand::RunCreate},     {"passwd", &CCliCommand::RunPasswd},
        {"generate", &CCliCommand::RunGenerate}, {"convert", &CCliCommand::RunConvert},
        {"find", &CCliCommand::RunFind},         {"import", &CCliCommand::RunImport},
        {"audit", &CCliCommand::RunAudit},       {"totp", &CCliCommand::RunTotp},
    };
    for (const auto& command : COMMANDS) {
        if (strCommand == command.pszName) {
            (this->*command.pRun)(astrArgs);
            return;
        }
    }
    const bool bHelp = strCommand == "--help" || strCommand == "-h";
    if (bHelp || strCommand == "--version" || strCommand == "-v") {
        if (!astrArgs.empty())
            FailCliUsage(strCommand + " takes no arguments");
        Write(bHelp ? CliHelpText() : std::string(CLI_VERSION_TEXT) + "\n" KEYHAVEN_LICENCE_NOTICE);
        return;
    }
    // Not repeated: a KEY typed in the command's place must not be shown.
    FailCliUsage("argument 1 is no command");
}

void CCliCommand::RunInfo(const CArgs& astrArgs) {
    CCliArgs args(std::string("keyhaven-cli info FILE ") + KDBX_OPEN_OPTIONS, {"--key-file"},
                  {"--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 1);
    if (OpensAsKdbx(args)) {
        InfoKdbx(args);
        return;
    }
    const auto pFile = OpenFile(args.Positional(0), EOpen::header);
    const CCofferDoc& doc = pFile->Doc();
    const SRecordCounts counts = pFile->Session().IsOpen()
                                     ? SRecordCounts{doc.CountGroups(), doc.CountAccounts()}
                                     : doc.StagedCounts();
    const SGeneratorHeader& header = doc.GeneratorHeader();
    Write(std::string("key: ") + (doc.HasKey() ? "present" : "absent") + "\n" +
          "generate: " + std::to_string(header.m_nGenerate) + "\n" +
          "length: " + Label(m_codePage.ToUtf8(header.m_strLength)) + "\n" +
          "begin: " + Label(m_codePage.ToUtf8(header.m_strBegin)) + "\n" +
          "end: " + Label(m_codePage.ToUtf8(header.m_strEnd)) + "\n" +
          "groups: " + std::to_string(counts.m_nGroups) + "\n" +
          "accounts: " + std::to_string(counts.m_nAccounts) + "\n");
}

void CCliCommand::RunList(const CArgs& astrArgs) {
    CCliArgs args(std::string("keyhaven-cli ls FILE ") + KDBX_OPEN_OPTIONS, {"--key-file"},
                  {"--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 1);
    if (OpensAsKdbx(args)) {
        ListKdbx(args);
        return;
    }
    const auto pFile = OpenFile(args.Positional(0));
    CCofferDoc& doc = pFile->Doc();
    std::string strText = Label(FileLabel(FileNameOf(args.Positional(0)))) + "\n";
    const CTreeListing listing(doc.Records(), m_codePage);
    for (const CTreeListing::SBranch& branch : listing.Branches()) {
        if (branch.pGroup)
            strText += "  " + Label(m_codePage.ToUtf8(branch.pGroup->Group())) + "\n";
        for (const CPasswordInfo* pAccount : branch.accounts)
            strText += "    " + Label(m_codePage.ToUtf8(pAccount->Account())) + "\n";
    }
    Write(strText);
}

void CCliCommand::RunFind(const CArgs& astrArgs) {
    CCliArgs args(
        std::string("keyhaven-cli find FILE TEXT [--match-case] [--whole-word] "
                    "[--all-fields] ") +
            KDBX_OPEN_OPTIONS,
        {"--key-file"},
        {"--match-case", "--whole-word", "--all-fields", "--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 2);
    if (OpensAsKdbx(args)) {
        FindKdbx(args);
        return;
    }
    const std::string strText = ToCodePage(args.Positional(1), "TEXT");
    const SFindOptions options{args.HasFlag("--match-case"), args.HasFlag("--whole-word")};
    const bool bAllFields = args.HasFlag("--all-fields");
    if (bAllFields && (options.m_bMatchCase || options.m_bWholeWord))
        args.FailUsage("--all-fields takes neither --match-case nor --whole-word");
    const auto pFile = OpenFile(args.Positional(0));
    CCofferDoc& doc = pFile->Doc();
    if (bAllFields) {
        WriteFieldMatches(doc, FileLabel(FileNameOf(args.Positional(0))), strText);
        return;
    }
    // The file item carries the name as the program's tree shows it, which
    // Find Next searches too.
    const std::vector<STreeGroup> tree = SortedTree(doc.Records(), m_codePage);
    const CSortedLabelTree labels(tree, FileLabel(FileNameOf(args.Positional(0))));
    std::string strOut;
    for (const STreePos& pos : FindAll(labels, strText, options, m_codePage)) {
        const std::vector<std::string_view> path = labels.LabelPath(pos);
        strOut += Label(std::string(path.front())); // a file name, not in the code page
        for (std::size_t i = 1; i < path.size(); ++i)
            strOut += '\t' + Label(m_codePage.ToUtf8(path[i]));
        strOut += '\n';
    }
    Write(strOut);
}

void CCliCommand::WriteFieldMatches(CCofferDoc& doc, const std::string& strFileLabel,
                                    const std::string& strText) {
    const CFieldFilter filter(strText, m_codePage);
    std::string strOut;
    for (const STreeGroup& group : SortedTree(doc.Records(), m_codePage)) {
        for (const CPasswordInfo* pAccount : group.m_accounts) {
            if (filter.Matches(*pAccount))
                strOut += Label(strFileLabel) + '\t' +
                          Label(m_codePage.ToUtf8(group.m_pGroup->Group())) + '\t' +
                          Label(m_codePage.ToUtf8(pAccount->Account())) + '\n';
        }
    }
    Write(strOut);
}

void CCliCommand::RunAudit(const CArgs& astrArgs) {
    CCliArgs args("keyhaven-cli audit FILE [--hibp LIST] [--threshold WORD]",
                  {"--hibp", "--threshold"});
    args.Parse(astrArgs, 1);
    EStrength eThreshold = EStrength::reasonable;
    if (const std::string* pWord = args.Value("--threshold")) {
        const std::optional<EStrength> eNamed = StrengthNamed(*pWord);
        if (!eNamed)
            args.FailUsage("--threshold must be poor, weak, reasonable, good or excellent");
        eThreshold = *eNamed;
    }
    // The list is checked before the KEY is typed: a wrong path costs no typing.
    CPwnedList pwned;
    const std::string* pList = args.Value("--hibp");
    std::string strError;
    if (pList && !pwned.Open(*pList, strError))
        throw CCliFailure(CLI_EXIT_READ, "keyhaven-cli: " + strError);
    const auto pFile = OpenFile(args.Positional(0));
    CCofferDoc& doc = pFile->Doc();
    const SHealthReport report =
        AuditPasswords(doc.Records(), m_codePage, eThreshold, pList ? &pwned : nullptr);
    if (!report.strPwnedError.empty())
        throw CCliFailure(CLI_EXIT_READ, "keyhaven-cli: " + *pList + ": " + report.strPwnedError);
    std::string strOut;
    for (const SHealthLine& line : report.lines)
        strOut += Label(m_codePage.ToUtf8(line.pGroup->Group())) + '\t' +
                  Label(m_codePage.ToUtf8(line.pAccount->Account())) + '\t' + line.Findings() +
                  '\n';
    Write(strOut);
    m_nDoneStatus = report.lines.empty() ? CLI_EXIT_DONE : CLI_EXIT_FOUND;
}

void CCliCommand::RunShow(const CArgs& astrArgs) {
    CCliArgs args(std::string("keyhaven-cli show FILE GROUP ACCOUNT [--show-protected] ") +
                      KDBX_OPEN_OPTIONS,
                  {"--key-file"}, {"--show-protected", "--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 3);
    if (OpensAsKdbx(args, "--show-protected")) {
        ShowKdbx(args);
        return;
    }
    const std::string strGroup = ToCodePage(args.Positional(1), "GROUP");
    const std::string strAccount = ToCodePage(args.Positional(2), "ACCOUNT");
    const auto pFile = OpenFile(args.Positional(0));
    CCofferDoc& doc = pFile->Doc();
    const CPasswordInfo* pAccount = nullptr;
    switch (CTreeListing(doc.Records(), m_codePage).FindAccount(strGroup, strAccount, pAccount)) {
    case CTreeListing::EFind::found:
        Write(m_codePage.ToUtf8(ExportRecordText(*pAccount, EXPORT_EOL_LF)));
        return;
    case CTreeListing::EFind::noGroup:
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: there is no group \"" +
                                              args.Positional(1) + "\" in " + args.Positional(0));
    case CTreeListing::EFind::noAccount:
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: there is no account \"" +
                                              args.Positional(2) + "\" in the group \"" +
                                              args.Positional(1) + "\"");
    }
}

void CCliCommand::RunExport(const CArgs& astrArgs) {
    CCliArgs args("keyhaven-cli export FILE [--format text|csv|kdbx] [-o OUT] [--crlf] "
                  "[--key-file PATH] [--no-password] [--allow-slow-kdf]",
                  {"-o", "--format", "--key-file"},
                  {"--crlf", "--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 1);
    const std::string& strPath = args.Positional(0);
    const std::string* pOut = args.Value("-o");
    const std::string* pFormat = args.Value("--format");
    const bool bCsv = pFormat && *pFormat == "csv";
    const bool bKdbx = pFormat && *pFormat == "kdbx";
    if (pFormat && !bCsv && !bKdbx && *pFormat != "text")
        args.FailUsage("--format must be text, csv or kdbx");
    if ((bCsv || bKdbx) && args.HasFlag("--crlf"))
        args.FailUsage("--crlf applies to the text format only");
    if (HasExtension(strPath, ".kdbx")) {
        ExportFromKdbx(args, bCsv, bKdbx);
        return;
    }
    if (args.HasFlag("--allow-slow-kdf"))
        args.FailUsage("--allow-slow-kdf applies to a .kdbx FILE only");
    if (!bKdbx && (args.Value("--key-file") || args.HasFlag("--no-password")))
        args.FailUsage("--key-file and --no-password apply to the kdbx format only");
    if (bKdbx && !pOut)
        args.FailUsage("--format kdbx needs -o OUT");
    // Exporting over the password file would destroy it for a plain copy.
    if (pOut && IsSameFile(*pOut, strPath))
        args.FailUsage("OUT is the password file itself");
    if (bKdbx) {
        ExportKdbx(args, strPath, *pOut);
        return;
    }
    const auto pFile = OpenFile(strPath);
    CCofferDoc& doc = pFile->Doc();
    // Written a piece at a time: the whole text would cost as much memory
    // again as the records themselves.
    const std::string_view strEol = args.HasFlag("--crlf") ? EXPORT_EOL_CRLF : EXPORT_EOL_LF;
    const CByteProducer fnProduce = [&](const CByteSink& fnSink) {
        return bCsv ? WriteCsvExport(doc.Records(), m_codePage, fnSink)
                    : WriteExportText(doc.Records(), strEol, m_codePage, fnSink);
    };
    WriteExport(pOut, fnProduce);
}

void CCliCommand::WriteExport(const std::string* pOut, const CByteProducer& fnProduce) {
    if (!pOut) {
        WriteProduced(fnProduce);
        return;
    }
    const EFileError eError = WriteExportFile(*pOut, fnProduce);
    if (eError != EFileError::none)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eError, *pOut));
}

void CCliCommand::ExportKdbx(const CCliArgs& args, const std::string& strPath,
                             const std::string& strOut, bool bNewFile) {
    // Everything that can fail without the user is checked before the KEY
    // and the new password are typed.
    const EFileError eTarget = PlainTextTargetError(strOut);
    if (eTarget != EFileError::none)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eTarget, strOut));
    SKdbxCredentials credentials = KdbxCredentialsOf(args);
    const auto pFile = OpenFile(strPath);
    CCofferDoc& doc = pFile->Doc();
    if (credentials.bHasPassword) {
        ReadNewPassword(FileNameOf(strOut), credentials);
        if (!HasKhvExtension(strPath) &&
            IsPasswordTheKey(credentials, m_codePage, [&doc](const std::string& strTyped) {
                return doc.Key().Accepts(strTyped);
            }))
            throw CCliFailure(CLI_EXIT_KEY, CLI_KDBX_PASSWORD_IS_KEY);
    }
    std::string strBytes;
    std::string strError;
    SKdbxWriteOptions options;
    const bool bMade = WriteKdbx(
        doc.Records(), m_codePage, credentials, options,
        [&strBytes](std::string_view piece) {
            strBytes.append(piece);
            return true;
        },
        strError);
    WipeKdbxCredentials(credentials);
    if (!bMade)
        throw CCliFailure(CLI_EXIT_WRITE,
                          "keyhaven-cli: " + strOut + " cannot be written. " + strError);
    // A file that appeared while the KEY and the password were typed stays.
    if (bNewFile && FileExists(strOut))
        throw CCliFailure(CLI_EXIT_WRITE,
                          strOut + " already exists; convert never replaces a file.");
    // Made once, so that a second pass of the writer hands out the same
    // bytes.
    const EFileError eError =
        WriteExportFile(strOut, [&strBytes](const CByteSink& fnSink) { return fnSink(strBytes); });
    if (eError != EFileError::none)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eError, strOut));
}

SKdbxCredentials CCliCommand::KdbxCredentialsOf(const CCliArgs& args, const char* pszKeyFile,
                                                const char* pszNoPassword) const {
    SKdbxCredentials credentials;
    credentials.bHasPassword = !args.HasFlag(pszNoPassword);
    const std::string* pKeyFile = args.Value(pszKeyFile);
    if (!pKeyFile) {
        if (!credentials.bHasPassword)
            args.FailUsage(std::string(pszNoPassword) + " needs " + pszKeyFile);
        return credentials;
    }
    const EFileError eRead = ReadKdbxKeyFile(*pKeyFile, credentials);
    if (eRead == EFileError::tooLarge)
        throw CCliFailure(CLI_EXIT_READ,
                          "keyhaven-cli: " + KdbxKeyFileErrorMessage(eRead, *pKeyFile));
    if (eRead != EFileError::none)
        throw CCliFailure(CLI_EXIT_READ, KdbxKeyFileErrorMessage(eRead, *pKeyFile));
    return credentials;
}

void CCliCommand::RunCreate(const CArgs& astrArgs) {
    CCliArgs args("keyhaven-cli create FILE [--key-file PATH]", {"--key-file"});
    args.Parse(astrArgs, 1);
    if (HasExtension(args.Positional(0), ".kdbx")) {
        CreateKdbx(args, args.Positional(0));
        return;
    }
    if (args.Value("--key-file"))
        args.FailUsage("--key-file applies to a .kdbx FILE only");
    const std::string strPath = WithKhvByDefault(args.Positional(0));
    // Refused before any KEY is read; the session's save refuses again a
    // file that appears in the meantime.
    if (FileExists(strPath))
        throw CCliFailure(CLI_EXIT_WRITE,
                          strPath + " already exists; create never replaces a file.");
    const auto pFile = NewCliFile();
    pFile->Prompts().SetNewKeyReading(
        [this, &strPath] { return ReadNewKey(FileNameOf(strPath), IDS_KEY_INVALID); });
    ExpectNewFile(*pFile, strPath);
    pFile->Session().OnFileNew();
    if (!pFile->Session().IsOpen())
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::writeFailed, strPath));
}

void CCliCommand::RunPasswd(const CArgs& astrArgs) {
    CCliArgs args(
        "keyhaven-cli passwd FILE [--key-file PATH] [--no-password] [--allow-slow-kdf] [--upgrade]",
        {"--key-file"}, {"--no-password", "--allow-slow-kdf", "--upgrade"});
    args.Parse(astrArgs, 1);
    const std::string& strPath = args.Positional(0);
    if (IsReadOnlyFile(strPath) && FileExists(strPath))
        throw CCliFailure(CLI_EXIT_WRITE, IDS_CHANGEKEY_READONLY);
    if (OpensAsKdbx(args, "--upgrade")) {
        PasswdKdbx(args, strPath);
        return;
    }
    // The lock is held from the read to the write: a second passwd waits for
    // this one instead of writing a KEY over it.
    const auto pFile = OpenFile(strPath, EOpen::keyedAndLocked, IDS_ORIGINAL_KEY_INVALID);
    CTerminalPrompts& prompts = pFile->Prompts();
    prompts.SetNewKeyReading(
        [this, &strPath] { return ReadNewKey(FileNameOf(strPath), IDS_NEW_KEY_INVALID); });
    prompts.SetFailureExit(CLI_EXIT_WRITE);
    // A sealed file gets a fresh salt and nonce under the new KEY; the
    // session writes it only over the file it read.
    if (!pFile->Session().OnChangeKey())
        throw CCliFailure(CLI_EXIT_WRITE, IDS_KEY_NOT_CHANGED);
}

void CCliCommand::RunGenerate(const CArgs& astrArgs) {
    CCliArgs args(
        "keyhaven-cli generate [--flags N] [--begin N] [--end N] [--length N] [--seed SECONDS]",
        {"--flags", "--begin", "--end", "--length", "--seed"});
    args.Parse(astrArgs, 0);
    const int nFlags = args.IntValue("--flags", DEFAULT_GENERATE);
    const int nBegin = args.IntValue("--begin", 5);
    const int nEnd = args.IntValue("--end", 8);
    const int nLength = args.IntValue("--length", 6);
    if (args.Value("--seed") == nullptr) {
        Write(CPasswordGenerator().GeneratePassword(nFlags, nBegin, nEnd, nLength) + "\n");
        return;
    }
    const auto nSeed = static_cast<std::time_t>(args.Int64Value("--seed", 0));
    const CPasswordGenerator generator([nSeed] { return nSeed; });
    Write(generator.GeneratePassword(nFlags, nBegin, nEnd, nLength) + "\n");
}

void CCliCommand::RunConvert(const CArgs& astrArgs) {
    CCliArgs args("keyhaven-cli convert IN OUT [--lossy] " + std::string(KDBX_OPEN_OPTIONS),
                  {"--key-file"}, {"--lossy", "--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 2);
    const std::string& strIn = args.Positional(0);
    const std::string& strOut = args.Positional(1);
    const bool bInKdbx = HasExtension(strIn, ".kdbx");
    const bool bOutKdbx = HasExtension(strOut, ".kdbx");
    if (bInKdbx && bOutKdbx)
        args.FailUsage("IN and OUT are both KeePass databases; passwd changes a database's "
                       "password");
    // The extension chooses the format written, so it must name one.
    if (!bOutKdbx && !HasDocumentExtension(strOut))
        args.FailUsage("OUT must end in .pwd, .khv or .kdbx");
    if (!bInKdbx && args.HasFlag("--lossy"))
        args.FailUsage("--lossy applies to a .kdbx IN only");
    if (!bInKdbx && args.HasFlag("--allow-slow-kdf"))
        args.FailUsage("--allow-slow-kdf applies to a .kdbx IN only");
    if (!bInKdbx && !bOutKdbx && (args.Value("--key-file") || args.HasFlag("--no-password")))
        args.FailUsage("--key-file and --no-password apply to a .kdbx IN or OUT only");
    // Another user's file, or a link planted for the records, is refused
    // before anything else is said about it.
    const EFileError eTarget = PlainTextTargetError(strOut);
    if (eTarget != EFileError::none)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eTarget, strOut));
    if (FileExists(strOut))
        throw CCliFailure(CLI_EXIT_WRITE,
                          strOut + " already exists; convert never replaces a file.");
    if (bOutKdbx) {
        ExportKdbx(args, strIn, strOut, true);
        return;
    }
    if (bInKdbx) {
        ConvertFromKdbx(args, strIn, strOut);
        return;
    }
    const auto pFile = OpenFile(strIn);
    // A KEY never passes between the formats: the check value of a ".pwd"
    // gives its KEY away, so it would open the sealed file as well. The
    // session asks OUT's KEY and refuses IN's.
    pFile->Prompts().SetNewKeyReading(
        [this, &strOut] { return ReadNewKey(FileNameOf(strOut), IDS_NEW_KEY_INVALID); });
    pFile->Prompts().SetFailureFor(IDS_KEY_MUST_DIFFER, CLI_EXIT_KEY,
                                   std::string("keyhaven-cli: ") + IDS_KEY_MUST_DIFFER);
    ExpectNewFile(*pFile, strOut);
    if (!pFile->Session().OnFileSaveAs())
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::writeFailed, strOut));
    if (IsReadableWithoutKey(strOut))
        WriteMessage(FormatText(CLI_PWD_WARNING, strOut));
}

void CCliCommand::ConvertFromKdbx(const CCliArgs& args, const std::string& strIn,
                                  const std::string& strOut) {
    CKdbxFile database;
    SKdbxCredentials credentials = ReadKdbxFile(args, strIn, "convert", database);
    struct SWipe {
        SKdbxCredentials& credentials;
        ~SWipe() { WipeKdbxCredentials(credentials); }
    } wipe{credentials};
    // Judged before OUT's KEY is typed: a database that would lose part of
    // itself costs no typing and makes no file, unless the user agreed.
    std::string strLoss = KdbxLossText(KdbxLossOf(database, m_codePage), m_codePage);
    if (!strLoss.empty()) {
        strLoss.pop_back();
        if (!args.HasFlag("--lossy"))
            throw CCliFailure(CLI_EXIT_LOSS, "keyhaven-cli: " + strOut +
                                                 " cannot keep everything " + strIn +
                                                 " holds; nothing was written.\n" + strLoss +
                                                 "\nGive --lossy to convert it anyway.");
        WriteMessage("keyhaven-cli: warning: " + strOut + " does not keep everything " + strIn +
                     " holds.\n" + strLoss);
    }
    const auto pFile = NewCliFile();
    CCofferDoc& doc = pFile->Doc();
    pFile->Session().NewDocument();
    // The file holds the database's groups alone, without the empty group
    // a new file starts with.
    doc.DropRecords();
    std::string strKey = ReadNewKey(FileNameOf(strOut), IDS_NEW_KEY_INVALID);
    // The check value of a ".pwd" gives its KEY away, and with it the
    // database's password when the two are one.
    const bool bSameAsPassword =
        !HasKhvExtension(strOut) &&
        IsPasswordTheKey(credentials, m_codePage,
                         [&strKey](const std::string& strTyped) { return strTyped == strKey; });
    if (bSameAsPassword) {
        CSecretBuffer::Wipe(strKey);
        throw CCliFailure(CLI_EXIT_KEY, CLI_KDBX_PASSWORD_IS_KEY);
    }
    doc.SetKey(strKey);
    CSecretBuffer::Wipe(strKey);
    CImporter importer(doc, m_codePage);
    ForEachKdbxImportEntry(database.Xml(),
                           [&importer](const SImportEntry& entry) { importer.Add(entry); });
    importer.Finish();
    ExpectNewFile(*pFile, strOut);
    if (!pFile->Session().OnFileSaveAs())
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::writeFailed, strOut));
    if (IsReadableWithoutKey(strOut))
        WriteMessage(FormatText(CLI_PWD_WARNING, strOut));
}

void CCliCommand::RunImport(const CArgs& astrArgs) {
    CCliArgs args("keyhaven-cli import FILE SOURCE [--key-file PATH] [--no-password] "
                  "[--source-key-file PATH] [--source-no-password] [--allow-slow-kdf]",
                  {"--key-file", "--source-key-file"},
                  {"--no-password", "--source-no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 2);
    const std::string& strPath = args.Positional(0);
    const std::string& strSource = args.Positional(1);
    // The extension names the format.
    const bool bKdbx = HasExtension(strSource, ".kdbx");
    if (!bKdbx && !HasExtension(strSource, ".csv"))
        args.FailUsage("SOURCE must end in .csv or .kdbx");
    // --key-file and --no-password belong to the database they open: FILE
    // when it is one, else SOURCE.
    const bool bIntoKdbx = HasExtension(strPath, ".kdbx");
    if (!(bIntoKdbx && bKdbx) &&
        (args.Value("--source-key-file") || args.HasFlag("--source-no-password")))
        args.FailUsage("--source-key-file and --source-no-password apply to a .kdbx SOURCE "
                       "imported into a .kdbx FILE only");
    if (bIntoKdbx) {
        ImportIntoKdbx(args, strPath, strSource, bKdbx);
        return;
    }
    if (!bKdbx && (args.Value("--key-file") || args.HasFlag("--no-password") ||
                   args.HasFlag("--allow-slow-kdf")))
        args.FailUsage("--key-file, --no-password and --allow-slow-kdf apply to a .kdbx SOURCE "
                       "only");
    if (IsReadOnlyFile(strPath) && FileExists(strPath))
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::writeDenied, strPath));
    if (bKdbx) {
        ImportKdbx(args, strPath, strSource);
        return;
    }
    std::string strText = ReadCsvSource(strSource);
    std::string strError;
    // Held from the read to the write, as passwd does.
    const auto pFile = OpenFile(strPath, EOpen::keyedAndLocked);
    CImporter importer(pFile->Doc(), m_codePage);
    ReadCsvEntries(
        strText, [&importer](const SImportEntry& entry) { importer.Add(entry); }, strError);
    CSecretBuffer::Wipe(strText);
    FinishImport(strPath, *pFile, importer);
}

void CCliCommand::ImportKdbx(const CCliArgs& args, const std::string& strPath,
                             const std::string& strSource) {
    // The database is enciphered: it can be checked only with its password,
    // which comes after FILE's KEY. Until then nothing is written, so a
    // database that fails half-way changes nothing.
    SKdbxReadOptions options;
    const std::string strBytes = ReadKdbxSource(args, strSource, "import", options);
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size());
    SKdbxCredentials credentials = KdbxCredentialsOf(args);
    const auto pFile = OpenFile(strPath, EOpen::keyedAndLocked);
    ReadKdbxPassword(credentials, strSource);
    CImporter importer(pFile->Doc(), m_codePage);
    const SKdbxOutcome outcome = ReadKdbxEntries(
        bytes, credentials, [&importer](const SImportEntry& entry) { importer.Add(entry); },
        options);
    WipeKdbxCredentials(credentials);
    if (outcome.eFailure != EKdbxFailure::none)
        throw CCliFailure(KdbxFailureExit(outcome.eFailure),
                          "keyhaven-cli: " + strSource + ": " + outcome.strMessage);
    FinishImport(strPath, *pFile, importer);
}

void CCliCommand::ImportIntoKdbx(const CCliArgs& args, const std::string& strPath,
                                 const std::string& strSource, bool bKdbxSource) {
    if (IsReadOnlyFile(strPath) && FileExists(strPath))
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::writeDenied, strPath));
    // The source is read (and a CSV file checked) before anything is typed.
    std::string strText;
    SKdbxReadOptions sourceOptions;
    sourceOptions.bKeepCustomFields = true; // the database holds them all
    if (bKdbxSource) {
        strText = ReadKdbxSource(args, strSource, "import", sourceOptions);
    } else {
        strText = ReadCsvSource(strSource);
    }
    struct SWipe {
        std::string& strText;
        ~SWipe() { CSecretBuffer::Wipe(strText); }
    } wipeText{strText};
    SKdbxChange change;
    ReadKdbxForChange(args, strPath, change);
    CKdbxFile& database = change.database;
    if (database.MajorVersion() < 4)
        throw CCliFailure(CLI_EXIT_USAGE,
                          "keyhaven-cli: " + strPath +
                              " is a KDBX 3.1 database; import saves it as KDBX 4, which older "
                              "programs cannot read. Give it a new password with passwd "
                              "--upgrade first.");
    CKdbxImporter importer(database, static_cast<std::int64_t>(std::time(nullptr)));
    const auto fnAdd = [&importer](const SImportEntry& entry) { importer.Add(entry); };
    if (bKdbxSource) {
        SKdbxCredentials sourceCredentials =
            KdbxCredentialsOf(args, "--source-key-file", "--source-no-password");
        ReadKdbxPassword(sourceCredentials, strSource);
        const SKdbxOutcome outcome = ReadKdbxEntries(
            std::span(reinterpret_cast<const std::uint8_t*>(strText.data()), strText.size()),
            sourceCredentials, fnAdd, sourceOptions);
        WipeKdbxCredentials(sourceCredentials);
        if (outcome.eFailure != EKdbxFailure::none)
            throw CCliFailure(KdbxFailureExit(outcome.eFailure),
                              "keyhaven-cli: " + strSource + ": " + outcome.strMessage);
    } else {
        std::string strError;
        ReadCsvEntries(strText, fnAdd, strError);
    }
    if (importer.ImportedCount() > 0)
        WriteKdbxBack(strPath, change);
    WriteMessage(importer.Summary());
}

std::string CCliCommand::ReadKdbxSource(const CCliArgs& args, const std::string& strSource,
                                        const char* pszVerb, SKdbxReadOptions& options) {
    std::string strBytes;
    const EFileError eRead = ReadWholeFile(strSource, strBytes, MAX_KDBX_IMPORT_BYTES);
    if (eRead != EFileError::none)
        throw CCliFailure(CLI_EXIT_READ, ImportReadErrorMessage(eRead, strSource, true));
    // A key derivation that would take minutes (or never end) is refused
    // before anything is typed, unless it was allowed.
    options.bAllowSlowKdf = args.HasFlag("--allow-slow-kdf");
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size());
    if (const auto kdf = ReadKdbxKdf(bytes)) {
        const SKdbxOutcome outcome = KdbxKdfOutcome(*kdf, options);
        if (outcome.eFailure == EKdbxFailure::slowKdf)
            throw CCliFailure(CLI_EXIT_READ, "keyhaven-cli: " + strSource + ": " +
                                                 outcome.strMessage + " Give --allow-slow-kdf to " +
                                                 pszVerb + " it anyway.");
        if (outcome.eFailure != EKdbxFailure::none)
            throw CCliFailure(CLI_EXIT_READ,
                              "keyhaven-cli: " + strSource + ": " + outcome.strMessage);
    }
    return strBytes;
}

void CCliCommand::ReadKdbxPassword(SKdbxCredentials& credentials, const std::string& strSource) {
    if (credentials.bHasPassword)
        credentials.strPassword =
            ReadSecretLine("Password for:  " + FileNameOf(strSource), "password");
}

void CCliCommand::RunTotp(const CArgs& astrArgs) {
    CCliArgs args("keyhaven-cli totp FILE GROUP ACCOUNT [--at SECONDS] [--key-file PATH] "
                  "[--no-password] [--allow-slow-kdf]",
                  {"--at", "--key-file"}, {"--no-password", "--allow-slow-kdf"});
    args.Parse(astrArgs, 3);
    const std::string& strPath = args.Positional(0);
    const std::string& strTitle = args.Positional(2);
    const std::int64_t nTime = args.Value("--at") ? args.Int64Value("--at", 0)
                                                  : static_cast<std::int64_t>(std::time(nullptr));
    if (!HasExtension(strPath, ".kdbx"))
        args.FailUsage("FILE must end in .kdbx: .pwd and .khv files hold no one-time passwords");
    CKdbxFile database;
    OpenKdbx(args, strPath, database);
    const SKdbxFound found = FindEntryOf(database, args);
    const SOtpRead otp =
        OtpFromEntryFields([&found](std::string_view strName) -> std::optional<std::string> {
            const auto value = KdbxEntryField(*found.pEntry, strName);
            return value ? std::optional<std::string>(*value) : std::nullopt;
        });
    if (otp.eProblem == EOtpProblem::noOtpFields)
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: the account \"" + strTitle +
                                              "\" has no one-time password");
    if (!otp)
        throw CCliFailure(CLI_EXIT_READ, "keyhaven-cli: the one-time password of \"" + strTitle +
                                             "\" cannot be used: " + otp.strReason);
    std::string strCode = OtpCode(otp.settings, nTime) + "\n";
    Write(strCode);
    CSecretBuffer::Wipe(strCode);
}

SKdbxCredentials CCliCommand::ReadKdbxFile(const CCliArgs& args, const std::string& strPath,
                                           const char* pszVerb, CKdbxFile& database,
                                           std::string* pBytes) {
    SKdbxReadOptions options;
    std::string strBytes = ReadKdbxSource(args, strPath, pszVerb, options);
    SKdbxCredentials credentials = KdbxCredentialsOf(args);
    ReadKdbxPassword(credentials, strPath);
    const SKdbxOutcome outcome = database.Read(
        std::span(reinterpret_cast<const std::uint8_t*>(strBytes.data()), strBytes.size()),
        credentials, options);
    if (outcome.eFailure != EKdbxFailure::none) {
        WipeKdbxCredentials(credentials);
        throw CCliFailure(KdbxFailureExit(outcome.eFailure),
                          "keyhaven-cli: " + strPath + ": " + outcome.strMessage);
    }
    if (pBytes)
        *pBytes = std::move(strBytes);
    return credentials;
}

void CCliCommand::PasswdKdbx(const CCliArgs& args, const std::string& strPath) {
    SKdbxChange change;
    ReadKdbxForChange(args, strPath, change);
    SKdbxCredentials& credentials = change.credentials;
    if (change.database.MajorVersion() < 4 && !args.HasFlag("--upgrade"))
        throw CCliFailure(CLI_EXIT_USAGE,
                          "keyhaven-cli: " + strPath +
                              " is a KDBX 3.1 database; passwd saves it as KDBX 4, which older "
                              "programs cannot read. Give --upgrade to do that.");
    // The key file stays; only the password changes.
    ReadNewPassword(FileNameOf(strPath), credentials);
    credentials.bHasPassword = !credentials.strPassword.empty() || !credentials.bHasKeyFile;
    WriteKdbxBack(strPath, change);
    if (m_keyReader.IsTerminal())
        WriteMessage("The password of " + strPath + " is changed.");
}

void CCliCommand::ReadKdbxForChange(const CCliArgs& args, const std::string& strPath,
                                    SKdbxChange& change) {
    // Held from the read to the write, as for the other formats; another
    // manager, which takes no such lock, is caught by the stamp.
    if (change.lock.Acquire(strPath, CFileLock::WAIT_MS) == EFileError::busy)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::busy, strPath));
    std::string strBytes;
    change.credentials = ReadKdbxFile(args, strPath, "change", change.database, &strBytes);
    change.stamp.emplace(strPath, strBytes);
}

void CCliCommand::WriteKdbxBack(const std::string& strPath, const SKdbxChange& change) {
    CKdbxBytes file;
    const SKdbxOutcome written = change.database.Write(change.credentials, file);
    if (written.eFailure != EKdbxFailure::none)
        throw CCliFailure(CLI_EXIT_WRITE, "keyhaven-cli: " + strPath + ": " + written.strMessage);
    if (!change.stamp->IsFor(strPath) || change.stamp->HasChangedOnDisk())
        throw CCliFailure(CLI_EXIT_WRITE, FormatText(IDS_CHANGED_NOT_WRITTEN, strPath));
    const EFileError eWrite =
        WriteFileAtomic(strPath, BytesProducer(file), EWriteMode::keepAttributes);
    if (eWrite != EFileError::none)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eWrite, strPath));
}

void CCliCommand::CreateKdbx(const CCliArgs& args, const std::string& strPath) {
    // Refused before anything is typed; the claim below refuses again a
    // file that appears in the meantime.
    if (FileExists(strPath))
        throw CCliFailure(CLI_EXIT_WRITE,
                          strPath + " already exists; create never replaces a file.");
    SKdbxChange made;
    SKdbxCredentials& credentials = made.credentials;
    credentials = KdbxCredentialsOf(args);
    ReadNewPassword(FileNameOf(strPath), credentials);
    credentials.bHasPassword = !credentials.strPassword.empty() || !credentials.bHasKeyFile;
    const CKdbxFile database =
        NewKdbxDatabase(KdbxLabel(strPath), static_cast<std::int64_t>(std::time(nullptr)));
    CKdbxBytes file;
    const SKdbxOutcome written = database.Write(credentials, file);
    if (written.eFailure != EKdbxFailure::none)
        throw CCliFailure(CLI_EXIT_WRITE, "keyhaven-cli: " + strPath + ": " + written.strMessage);
    CNewFileClaim claim;
    if (const int nErrno = claim.Claim(strPath); nErrno == EEXIST)
        throw CCliFailure(CLI_EXIT_WRITE,
                          strPath + " already exists; create never replaces a file.");
    else if (nErrno != 0)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(WriteErrorOf(nErrno), strPath));
    const EFileError eWrite =
        WriteFileAtomic(strPath, BytesProducer(file), EWriteMode::keepAttributes);
    if (eWrite != EFileError::none)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eWrite, strPath));
    claim.Keep();
}

void CCliCommand::ReadNewPassword(const std::string& strFileName, SKdbxCredentials& credentials) {
    CSecretBuffer::Wipe(credentials.strPassword);
    credentials.strPassword = ReadSecretLine("New password for:  " + strFileName, "password");
    if (m_keyReader.IsTerminal()) {
        std::string strAgain = ReadSecretLine("Confirm password for:  " + strFileName, "password");
        const bool bSame = strAgain == credentials.strPassword;
        CSecretBuffer::Wipe(strAgain);
        if (!bSame)
            throw CCliFailure(CLI_EXIT_KEY, CLI_PASSWORDS_DIFFER);
    }
    if (credentials.strPassword.empty() && !credentials.bHasKeyFile)
        throw CCliFailure(CLI_EXIT_KEY, CLI_KDBX_PASSWORD_EMPTY);
}

void CCliCommand::OpenKdbx(const CCliArgs& args, const std::string& strPath, CKdbxFile& database) {
    SKdbxCredentials credentials = ReadKdbxFile(args, strPath, "open", database);
    WipeKdbxCredentials(credentials);
}

bool CCliCommand::OpensAsKdbx(const CCliArgs& args, const char* pszKdbxFlag) const {
    if (HasExtension(args.Positional(0), ".kdbx"))
        return true;
    if (args.Value("--key-file") || args.HasFlag("--no-password") ||
        args.HasFlag("--allow-slow-kdf") || (pszKdbxFlag && args.HasFlag(pszKdbxFlag)))
        args.FailUsage(std::string("--key-file, --no-password, --allow-slow-kdf") +
                       (pszKdbxFlag ? std::string(" and ") + pszKdbxFlag : std::string()) +
                       " apply to a .kdbx FILE only");
    return false;
}

SKdbxFound CCliCommand::FindEntryOf(const CKdbxFile& database, const CCliArgs& args) const {
    const std::string& strGroup = args.Positional(1);
    const std::string& strTitle = args.Positional(2);
    const SKdbxFound found = FindKdbxEntry(database.Xml(), strGroup, strTitle);
    if (found.eFind == EKdbxFind::noGroup)
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: there is no group \"" + strGroup +
                                              "\" in " + args.Positional(0));
    if (found.eFind == EKdbxFind::noEntry)
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: there is no account \"" + strTitle +
                                              "\" in the group \"" + strGroup + "\"");
    return found;
}

void CCliCommand::ListKdbx(const CCliArgs& args) {
    CKdbxFile database;
    OpenKdbx(args, args.Positional(0), database);
    Write(Label(KdbxLabel(args.Positional(0))) + "\n");
    // A group at a time: the indentation of a deep tree would make the
    // whole text cost the square of its depth.
    for (const SKdbxGroupNode& node : KdbxGroupTree(database.Xml())) {
        const std::string strIndent(2 * (node.nDepth + 1), ' ');
        std::string strText = strIndent + Label(std::string(node.pGroup->ChildText("Name"))) + "\n";
        for (const CXmlElement* pEntry : node.entries)
            strText += strIndent + "  " +
                       Label(std::string(KdbxEntryField(*pEntry, "Title").value_or(""))) + "\n";
        Write(strText);
    }
}

void CCliCommand::InfoKdbx(const CCliArgs& args) {
    CKdbxFile database;
    OpenKdbx(args, args.Positional(0), database);
    std::string strText;
    for (const auto& [strLabel, strValue] : KdbxInfoFacts(database))
        strText += strLabel + ": " + Label(strValue) + "\n";
    Write(strText);
}

void CCliCommand::ShowKdbx(const CCliArgs& args) {
    CKdbxFile database;
    OpenKdbx(args, args.Positional(0), database);
    const SKdbxFound found = FindEntryOf(database, args);
    std::string strText = KdbxEntryText(*found.pEntry, args.HasFlag("--show-protected"));
    Write(strText);
    CSecretBuffer::Wipe(strText);
}

void CCliCommand::FindKdbx(const CCliArgs& args) {
    const SFindOptions options{args.HasFlag("--match-case"), args.HasFlag("--whole-word")};
    const bool bAllFields = args.HasFlag("--all-fields");
    if (bAllFields && (options.m_bMatchCase || options.m_bWholeWord))
        args.FailUsage("--all-fields takes neither --match-case nor --whole-word");
    const std::string& strText = args.Positional(1);
    CKdbxFile database;
    OpenKdbx(args, args.Positional(0), database);
    const CKdbxTitleMatcher title(strText, options);
    const CKdbxFieldMatcher fields(strText);
    const std::string strLabel = Label(KdbxLabel(args.Positional(0)));
    const std::vector<SKdbxGroupNode> tree = KdbxGroupTree(database.Xml());
    for (std::size_t nNode = 0; nNode < tree.size(); ++nNode) {
        std::string strOut;
        for (const CXmlElement* pEntry : tree[nNode].entries) {
            const std::string_view strTitle = KdbxEntryField(*pEntry, "Title").value_or("");
            if (bAllFields ? fields.Matches(*pEntry) : title.Matches(strTitle))
                strOut += strLabel + '\t' + Label(KdbxGroupPath(tree, nNode)) + '\t' +
                          Label(std::string(strTitle)) + '\n';
        }
        Write(strOut);
    }
}

void CCliCommand::ExportFromKdbx(const CCliArgs& args, bool bCsv, bool bKdbx) {
    const std::string& strPath = args.Positional(0);
    const std::string* pOut = args.Value("-o");
    if (bKdbx)
        args.FailUsage("FILE is a KeePass database already: --format kdbx needs a .pwd or .khv "
                       "FILE");
    if (pOut && IsSameFile(*pOut, strPath))
        args.FailUsage("OUT is the password file itself");
    if (pOut) {
        const EFileError eTarget = PlainTextTargetError(*pOut);
        if (eTarget != EFileError::none)
            throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(eTarget, *pOut));
    }
    CKdbxFile database;
    OpenKdbx(args, strPath, database);
    const std::string_view strEol = args.HasFlag("--crlf") ? EXPORT_EOL_CRLF : EXPORT_EOL_LF;
    const CByteProducer fnProduce = [&](const CByteSink& fnSink) {
        return bCsv ? WriteKdbxCsvExport(database.Xml(), fnSink)
                    : WriteKdbxExportText(database.Xml(), strEol, fnSink);
    };
    WriteExport(pOut, fnProduce);
}

void CCliCommand::FinishImport(const std::string& strPath, CCliFile& file,
                               const CImporter& importer) {
    if (importer.ImportedCount() > 0) {
        file.Prompts().SetFailureExit(CLI_EXIT_WRITE);
        file.Session().OnContentChanged();
        // The session writes back only the file it read, and reports why not.
        if (!file.Session().DoFileSave())
            throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::writeFailed, strPath));
    }
    WriteMessage(importer.Summary());
}

std::unique_ptr<CCliFile> CCliCommand::NewCliFile() {
    return std::make_unique<CCliFile>(
        [this](const std::string& strPrompt) { return ReadKey(strPrompt); },
        [this](const std::string& strText) {
            if (m_keyReader.IsTerminal())
                WriteMessage(strText);
        });
}

void CCliCommand::ExpectNewFile(CCliFile& file, const std::string& strPath) {
    file.Prompts().SetSaveAnswer(strPath);
    file.Prompts().SetFailureExit(CLI_EXIT_WRITE);
}

std::unique_ptr<CCliFile> CCliCommand::OpenFile(const std::string& strPath, EOpen eOpen,
                                                const char* pszWrongKey) {
    auto pFile = NewCliFile();
    CFileSession& session = pFile->Session();
    if (eOpen == EOpen::keyedAndLocked && session.HoldLock(strPath) == EFileError::busy)
        throw CCliFailure(CLI_EXIT_WRITE, FileErrorMessage(EFileError::busy, strPath));
    pFile->Prompts().SetWrongKeyMessage(pszWrongKey);
    pFile->Prompts().SetFailureExit(CLI_EXIT_READ);
    session.SetSkipKeyCheck(eOpen == EOpen::header);
    session.OpenDocumentFile(strPath);
    if (eOpen != EOpen::header && !session.IsOpen())
        throw CCliFailure(CLI_EXIT_KEY, FormatText(CLI_FILE_WITHOUT_KEY, strPath));
    return pFile;
}

std::string CCliCommand::ReadSecretLine(const std::string& strPrompt, const std::string& strWhat) {
    std::string strTyped;
    // The prompt names a file, whose name may hold anything; it stays on
    // its line.
    switch (m_keyReader.ReadKey(
        CControlEscaper::Escape(strPrompt, CControlEscaper::EBreaks::escape), strTyped)) {
    case CKeyReader::EResult::ok:
        break;
    case CKeyReader::EResult::endOfInput:
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: no " + strWhat + " was given; " + strWhat +
                                              "s are read from standard input, one line each");
    case CKeyReader::EResult::tooLong:
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: the " + strWhat + " line is longer than " +
                                              std::to_string(CKeyReader::MAX_KEY_LENGTH) +
                                              " bytes");
    case CKeyReader::EResult::failed:
        throw CCliFailure(CLI_EXIT_USAGE,
                          "keyhaven-cli: the " + strWhat + " cannot be read from standard input");
    }
    return strTyped;
}

std::string CCliCommand::ReadKey(const std::string& strPrompt) {
    std::string strTyped = ReadSecretLine(strPrompt, "KEY");
    std::string strKey = ToCodePage(strTyped, "the KEY", true);
    CSecretBuffer::Wipe(strTyped);
    return strKey;
}

std::string CCliCommand::ReadNewKey(const std::string& strFileName, const char* pszEmptyMessage) {
    std::string strKey = ReadKey("New KEY for:  " + strFileName);
    if (m_keyReader.IsTerminal() && ReadKey("Confirm KEY for:  " + strFileName) != strKey)
        throw CCliFailure(CLI_EXIT_KEY, IDS_KEYS_DO_NOT_MATCH);
    if (strKey.empty())
        throw CCliFailure(CLI_EXIT_KEY, pszEmptyMessage);
    return strKey;
}

std::string CCliCommand::ToCodePage(const std::string& strUtf8, const std::string& strWhat,
                                    bool bSecret) const {
    std::string strOut;
    char32_t nBadChar = 0;
    if (m_codePage.FromUtf8(strUtf8, strOut, &nBadChar))
        return strOut;
    CSecretBuffer::Wipe(strOut);
    // The text itself is not repeated, and of a KEY not even the character
    // at fault: an onlooker would learn a part of it.
    if (nBadChar == U'\uFFFD')
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: " + strWhat + " is not valid UTF-8 text");
    if (bSecret)
        throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: " + strWhat +
                                              " holds a character that the code page " +
                                              m_codePage.Name() + " cannot hold");
    throw CCliFailure(CLI_EXIT_USAGE, "keyhaven-cli: " + strWhat + " holds the character " +
                                          CodePointText(nBadChar) + ", which the code page " +
                                          m_codePage.Name() + " cannot hold");
}

void CCliCommand::Write(const std::string& strText) {
    if (!m_bOutTerminal) {
        m_out.write(strText.data(), static_cast<std::streamsize>(strText.size()));
        return;
    }
    std::string strShown = CControlEscaper::Escape(strText);
    m_out.write(strShown.data(), static_cast<std::streamsize>(strShown.size()));
    CSecretBuffer::Wipe(strShown); // an account shown by show holds its password
}

void CCliCommand::WriteProduced(const CByteProducer& fnProduce) {
    const auto fnWrite = [this](std::string_view piece) {
        m_out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        return static_cast<bool>(m_out);
    };
    if (!m_bOutTerminal) {
        fnProduce(fnWrite);
        return;
    }
    CControlEscaper escaper;
    const bool bDone = fnProduce([&](std::string_view piece) {
        std::string strShown = escaper.Feed(piece);
        const bool bWritten = fnWrite(strShown);
        CSecretBuffer::Wipe(strShown);
        return bWritten;
    });
    if (bDone)
        fnWrite(escaper.Finish());
}

void CCliCommand::WriteMessage(const std::string& strText) {
    m_err << CControlEscaper::Escape(strText) << '\n';
}

std::string CCliCommand::Label(const std::string& strUtf8) const {
    return m_bOutTerminal ? CControlEscaper::Escape(strUtf8, CControlEscaper::EBreaks::escape)
                          : strUtf8;
}
