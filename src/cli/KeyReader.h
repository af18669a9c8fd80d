// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// Where KEYs come from. Piped or redirected input gives one KEY per line, the
// line end ("\n" or "\r\n") removed and nothing else; on a terminal the KEY is
// typed after a prompt on the error stream, without echo.
class CKeyReader {
public:
    enum class EResult { ok, endOfInput, tooLong, failed };

    // A KEY line longer than this is refused instead of being read into memory.
    static constexpr std::size_t MAX_KEY_LENGTH = 65536;

    explicit CKeyReader(int fdInput = 0, int fdPrompt = 2);

    // Whether KEYs are typed (and a new KEY is therefore confirmed).
    bool IsTerminal() const;
    // Reads the next KEY, showing strPrompt first when it is typed.
    EResult ReadKey(const std::string& strPrompt, std::string& strKey);

private:
    EResult ReadLine(std::string& strLine);
    EResult ReadTyped(const std::string& strPrompt, std::string& strKey);
    void WritePrompt(const std::string& strText);

    int m_fdInput;
    int m_fdPrompt;
};
