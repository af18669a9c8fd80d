#pragma once

#include <string>
#include <vector>

// What one run of keyhaven-cli produced.
struct SCliResult {
    std::string strOut;
    std::string strErr;
    int nExit = -1; // the exit status, or 128 + signal when a signal ended it
};

// Resource limits for one run (0: the test's own): the address space in
// bytes, and the largest file it may write.
struct SCliLimits {
    unsigned long long nAddressSpace = 0;
    unsigned long long nFileSize = 0;
};

// Runs the built keyhaven-cli as its own process with the given standard
// input (a pipe, so KEYs are read as lines) and captures both outputs.
SCliResult RunCli(const std::vector<std::string>& astrArgs, const std::string& strInput = {},
                  const SCliLimits& limits = {});

// Runs keyhaven-cli with a terminal as standard input and a pipe as standard
// error. Each answer is typed (followed by "\n") once the prompt with that
// index has appeared on standard error. strEcho receives what the terminal
// echoed back.
SCliResult RunCliOnTerminal(const std::vector<std::string>& astrArgs,
                            const std::vector<std::string>& astrAnswers, std::string& strEcho);

// A private folder for one test, removed with everything in it at the end.
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string Path(const std::string& strName) const { return m_strPath + "/" + strName; }

private:
    std::string m_strPath;
};

std::string ReadFileBytes(const std::string& strPath);
void WriteFileBytes(const std::string& strPath, const std::string& strBytes);
