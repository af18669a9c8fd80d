// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"
#include "core/interchange/ImportEntry.h"

#include <array>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

class CCodePage;
class CCofferDoc;
class CPasswordInfo;

// The longest account and group names, as the editing dialogs allow.
inline constexpr std::size_t MAX_IMPORT_NAME_LENGTH = 255;

// Turns the entries of another manager's file into accounts of a document,
// in the order they are given. A group's path becomes one name joined by
// "/", and the group of that name receives the account, made at the end of
// the file when there is none. A name that its group already holds gets the
// next free " (n)", unless a clash handler is set: then a name that the
// group held before the import is a question, answered as a drop's
// Account Replace Confirm is (replace, replace all without asking, leave the
// entry out, stop the import here). Names repeated within the imported file
// always get the suffix. Entries with a text the code page cannot hold are
// not imported but listed, and what an account cannot carry is counted, both
// for the summary.
class CImporter {
public:
    // Receives the clashing account name (code-page bytes).
    using CClashHandler = std::function<EReplaceAnswer(const std::string& strAccount)>;

    CImporter(CCofferDoc& doc, const CCodePage& codePage);

    void SetClashHandler(CClashHandler fnClash) { m_fnClash = std::move(fnClash); }
    // Does nothing once a clash was answered with cancel.
    void Add(const SImportEntry& entry);
    // Removes the accounts that imported ones replaced. The replaced records
    // stay in the list until here, so whatever shows the list while the
    // questions are asked never points at a record that is gone.
    void Finish();

    int ImportedCount() const { return m_nImported; }
    bool IsCancelled() const { return m_bCancelled; }
    // Whether the document's list changed (accounts added, replaced or groups made).
    bool HasChanged() const { return m_nImported > 0 || m_bGroupMade; }
    // The groups that received accounts, in the order of their first account
    // (code-page bytes), and the first account imported: its group and name.
    const std::vector<std::string>& ReceivingGroups() const { return m_astrReceiving; }
    const std::string& FirstGroup() const { return m_strFirstGroup; }
    const std::string& FirstAccount() const { return m_strFirstAccount; }
    // "Imported N accounts in M groups; left out: ...", naming the CSV
    // columns whose values no imported account received.
    std::string Summary() const;

private:
    using CIter = std::list<CPasswordInfo>::iterator;
    struct SGroupSlot {
        std::string strName;
        CIter itLast; // the header or its last account
        std::set<std::string> names;
        std::map<std::string, int> nextSuffix; // by base name: the next " (n)" to try
        // The accounts the group held before the import that may still be
        // asked about, by name.
        std::map<std::string, CIter> existing;
        bool bReceived = false;
    };

    SGroupSlot& SlotFor(const std::string& strGroup);
    std::string FreeName(SGroupSlot& slot, const std::string& strName);
    // The answer about a clash with an account the group held; yes once
    // "Yes to all" was answered.
    EReplaceAnswer AskClash(const std::string& strName);

    CCofferDoc& m_doc;
    const CCodePage& m_codePage;
    std::map<std::string, SGroupSlot> m_slots;
    int m_nImported = 0;
    int m_nGroups = 0;
    std::array<int, static_cast<int>(ELeftOut::COUNT)> m_anLeftOut{};
    // The CSV columns not carried, in the order first met, for the summary.
    std::vector<std::string> m_astrUnreadColumns;
    std::set<std::string> m_unreadColumns;
    std::vector<std::string> m_astrRefused; // "title" in group, UTF-8
    CClashHandler m_fnClash;
    EReplaceAnswer m_eReplaceAnswer = EReplaceAnswer::yes;
    bool m_bCancelled = false;
    bool m_bGroupMade = false;
    int m_nKept = 0; // clashes answered No: the group's account stays
    std::vector<CIter> m_replaced;
    std::vector<std::string> m_astrReceiving;
    std::string m_strFirstGroup;
    std::string m_strFirstAccount;
};
