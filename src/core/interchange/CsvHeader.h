// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The header line of a CSV export: its columns are found by name, case and
// surrounding blanks ignored, and each has a label by which the import
// summary names it.
class CCsvHeader {
public:
    explicit CCsvHeader(const std::vector<std::string>& astrNames);

    // The first column of that name (given in lower case).
    std::optional<std::size_t> Find(std::string_view strLowerName) const;
    // Whether every column of a list such as "Group, Title, URL" is there.
    bool HasAll(std::string_view strColumns) const;
    // The label of a column, also of one past the header's last: its name,
    // or "column N" (counting from 1) when it has none or repeats an
    // earlier column's name, which the dialects never read.
    std::string Label(std::size_t nColumn) const;

private:
    std::vector<std::string> m_astrLower;
    std::vector<std::string> m_astrLabels;
};

// Text in lower case (ASCII letters only) and without surrounding blanks.
std::string LowerTrimmed(std::string_view strText);
// Whether a field holds nothing but blanks and line breaks.
bool IsBlank(std::string_view strText);
