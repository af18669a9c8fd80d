// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Splits comma-separated text into rows of fields: fields in double quotes
// may hold commas, line breaks and doubled quotes; a UTF-8 byte order mark
// at the start is skipped; rows end with "\n", "\r\n" or "\r". The text is
// read in place, and a row never holds more than the given number of fields
// (the rest are parsed and dropped), so a hostile line of commas costs no
// memory beyond the text itself.
class CCsvReader {
public:
    explicit CCsvReader(std::string_view strText, std::size_t nMaxFields = 256);

    enum class EResult { row, end, openQuote };
    // The next row that is not empty. openQuote when the text ends inside a
    // quoted field (the file was cut short or is no CSV).
    EResult NextRow(std::vector<std::string>& astrRow);
    // The line on which the last row began, counting from 1.
    std::size_t RowLine() const { return m_nRowLine; }
    // Whether the last row had more than blanks in a field past the most
    // that are kept.
    bool DroppedValues() const { return m_bDropped; }
    std::size_t MaxFields() const { return m_nMaxFields; }

private:
    bool AtLineEnd() const;
    void SkipLineEnd();

    std::string_view m_strText;
    std::size_t m_nPos = 0;
    std::size_t m_nMaxFields;
    std::size_t m_nLine = 1;
    std::size_t m_nRowLine = 0;
    bool m_bDropped = false;
};
