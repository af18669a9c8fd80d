// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/store/CofferDoc.h"

#include <string>
#include <vector>

// One entry of a flat list: the name shown and its record.
struct SGroupEntry {
    std::string m_strText;
    const CPasswordInfo* m_pRecord = nullptr;
};

// The flat group lists of the account and group dialogs: one entry per
// group record, alphabetical ignoring case (the tree's order; equal names
// keep their list order).
class CGroupChoice {
public:
    CGroupChoice(const CCofferDoc::CInfoList& listInfo, const CCodePage& codePage);

    const std::vector<SGroupEntry>& Entries() const { return m_vecEntries; }
    int Count() const { return static_cast<int>(m_vecEntries.size()); }

    // The entry shown for strGroup: the one equal to it byte for byte, else
    // the first that begins with it ignoring case; -1 when none does. The
    // exact match comes first so that of "Bank" and "bank" the group asked
    // for is the group shown, and so the group acted on.
    int Preselect(const std::string& strGroup) const;

private:
    void Sort();

    const CCodePage& m_codePage;
    std::vector<SGroupEntry> m_vecEntries;
};
