// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CCsvHeader;

// One row of a CSV export as a dialect reads it. Every field the dialect
// takes is marked, so that what is left over names the columns whose values
// no account text received: the import never drops a column silently.
class CCsvRow {
public:
    CCsvRow(const CCsvHeader& header, const std::vector<std::string>& astrFields);

    // The field of a column (its name in lower case), marked as read; empty
    // when the header has no such column or the row is short.
    std::string Take(std::string_view strLowerName);
    // A column that only marks an item (a favourite, an archived one, the
    // standard icon): an empty, "0" or "false" value says nothing an account
    // misses and is read; any other stays unread, so the summary names it.
    void TakeUnlessSet(std::string_view strLowerName);
    // The labels of the columns, in order, that hold more than blanks and
    // were not taken.
    std::vector<std::string> UnreadLabels() const;

private:
    const CCsvHeader& m_header;
    const std::vector<std::string>& m_astrFields;
    std::vector<bool> m_abTaken;
};
