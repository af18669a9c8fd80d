// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/EditPrompts.h"
#include "core/interchange/ImportEntry.h"

#include <array>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CChangeBatch;
class CCodePage;
class CCofferDoc;
class CPasswordInfo;

// The longest account and group names, as the editing dialogs allow.
inline constexpr std::size_t MAX_IMPORT_NAME_LENGTH = 255;

// Turns the entries of another manager's file into accounts of a document,
// in the order they are given. A group's path becomes one name joined by
// "/", and the group of that name receives the account, made at the end of
// the file when there is none. A path longer than a name can be is cut, and
// two different paths cut alike get names of their own (the later one the
// next free " (n)"), so that their accounts never meet in one group; the
// summary names the groups so cut. A name that its group already holds gets the
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

    // The document hears of the import as one change, at Finish.
    CImporter(CCofferDoc& doc, const CCodePage& codePage);
    ~CImporter();
    CImporter(const CImporter&) = delete;
    CImporter& operator=(const CImporter&) = delete;

    void SetClashHandler(CClashHandler fnClash) { m_fnClash = std::move(fnClash); }
    // Does nothing once a clash was answered with cancel.
    void Add(const SImportEntry& entry);
    // Removes the accounts that imported ones replaced. The replaced records
    // stay in the list until here, so whatever shows the list while the
    // questions are asked never points at a record that is gone. The
    // document then tells its observer once, whatever the import changed.
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
    // columns whose values no imported account received, then LossList().
    std::string Summary() const;
    // Each imported account that lost something, one a line, with what it
    // lost: ""Bank" in Web: 2 custom fields, 1 attachment". The first
    // MAX_LOSS_LINES are named, the rest counted; empty when none lost
    // anything.
    std::string LossList() const;
    static constexpr std::size_t MAX_LOSS_LINES = 20;

private:
    using CIter = std::list<CPasswordInfo>::const_iterator;
    // The next " (n)" to try, by the name it follows (cut to fit with it).
    using CSuffixes = std::unordered_map<std::string, int>;
    struct SGroupSlot {
        const std::string* pName = nullptr; // the key of its place in m_slots
        CIter itLast;                       // the header or its last account
        std::unordered_set<std::string> names;
        CSuffixes nextSuffix;
        // The accounts the group held before the import that may still be
        // asked about, by name.
        std::map<std::string, CIter> existing;
        bool bReceived = false;
        bool bNamedHere = false; // this import gave a path its name
    };

    // A group's path as far as a name needs it: joined by "/" in the code
    // page, one byte more than a name holds (so it tells a cut path), and in
    // UTF-8 as far as the summary shows it. A cut path has a number of its
    // own, the same for every path of the same names.
    struct SPath {
        std::string strStored;
        std::string strShown;
        // Below a group whose texts are as long as they get, a tree's group
        // shares them instead.
        const SPath* pTexts = nullptr;
        bool bNamed = false;   // a name was appended: the next one follows a "/"
        bool bStorable = true; // every name has its characters in the code page
        std::size_t nId = 0;
        SGroupSlot* pSlot = nullptr; // known once a tree's group received an account

        const std::string& Stored() const { return pTexts ? pTexts->strStored : strStored; }
        const std::string& Shown() const { return pTexts ? pTexts->strShown : strShown; }
    };

    SGroupSlot& SlotFor(const std::string& strGroup);
    // The group of a cut path, named the first time it is met.
    SGroupSlot& SlotOfCut(const SPath& path);
    std::string FreeName(SGroupSlot& slot, const std::string& strName);
    void Extend(SPath& path, const std::string& strName, bool bWithId);
    std::size_t PathId(std::size_t nParent, const std::string& strName);
    // The path of a tree's group, found from its parent's: each group of a
    // tree is looked at once.
    SPath& PathOfGroup(const std::shared_ptr<const SImportGroup>& pGroup);
    // The path of a row that names its groups; rows in one group follow
    // one another, so the last row's path is kept.
    SPath& PathOfRow(const std::vector<std::string>& astrNames);
    // The answer about a clash with an account the group held; yes once
    // "Yes to all" was answered.
    EReplaceAnswer AskClash(const std::string& strName);
    // Notes what the entry's account lost, for the loss list.
    void NoteLoss(const SImportEntry& entry, const std::string& strAccountShown, bool bNameCut);
    // The first items as fnShown shows them, "; " between, the rest counted.
    template <typename T, typename F>
    std::string Listed(const std::vector<T>& items, F fnShown) const;

    CCofferDoc& m_doc;
    // Holds the document's notices until Finish.
    std::unique_ptr<CChangeBatch> m_pBatch;
    const CCodePage& m_codePage;
    std::unordered_map<std::string, SGroupSlot> m_slots;
    std::unordered_map<const SImportGroup*, SPath> m_treePaths;
    std::vector<std::shared_ptr<const SImportGroup>> m_trees; // kept while their paths are
    std::unordered_map<std::string, std::size_t> m_pathIds;   // by parent's number and name
    std::unordered_map<std::size_t, SGroupSlot*> m_cutSlots;  // by the cut path's number
    bool m_bRowPath = false;
    std::vector<std::string> m_astrRowNames;
    std::vector<std::size_t> m_anRowIds; // the numbers of its leading paths, when known
    SPath m_rowPath;
    CSuffixes m_groupSuffixes; // the next " (n)" of a cut group's name
    std::vector<const SGroupSlot*> m_cutGroups;
    int m_nCutAccounts = 0;
    int m_nImported = 0;
    int m_nGroups = 0;
    std::array<int, static_cast<int>(ELeftOut::COUNT)> m_anLeftOut{};
    // The CSV columns not carried, in the order first met, for the summary.
    std::vector<std::string> m_astrUnreadColumns;
    std::set<std::string> m_unreadColumns;
    std::vector<std::string> m_astrRefused; // "title" in group, UTF-8
    // The first MAX_LOSS_LINES accounts that lost something, and how many did.
    std::vector<std::string> m_astrLosses;
    std::size_t m_nLossAccounts = 0;
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

// The summary of an import that took every entry as it came, into a file
// that holds any name: "Imported N accounts in M groups; left out: ...",
// worded as CImporter::Summary words it, naming what the entries could not
// carry and the CSV columns no field received.
std::string ImportSummary(int nImported, int nGroups,
                          const std::array<int, static_cast<int>(ELeftOut::COUNT)>& anLeftOut,
                          const std::vector<std::string>& astrUnreadColumns);
