// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/FieldFilter.h"

#include <QPersistentModelIndex>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CAccountTreeCtrl;
class CCodePage;
class CRecordTreeModel;

// The live filter of the main view's tree: the accounts that the filter
// over every field lets through stay shown with their groups (opened), the
// other rows are hidden in the tree. The model and its indexes stay as they
// are, so editing, deleting, adding and dropping work on the same rows as
// without a filter, and hidden rows follow every change of the model.
//
// The first word typed remembers the expanded groups and the current item;
// clearing the filter shows every row again with those groups expanded and
// that item current, unless the user chose another item while filtering,
// which then stays current.
class CTreeFilter {
public:
    CTreeFilter(CAccountTreeCtrl& tree, CRecordTreeModel& model);
    ~CTreeFilter();

    bool IsActive() const { return m_pRule != nullptr; }
    // The rule in force, or none.
    const CFieldFilter* Rule() const { return m_pRule.get(); }
    // Narrows the tree to the accounts matching strQuery (stored bytes of
    // the code page); an empty or blank query clears the filter. When the
    // current item is hidden, the first shown account becomes current.
    // bNoMatch: the typed text holds a character the code page has not, so
    // no account can match it.
    void SetQuery(std::string_view strQuery, const CCodePage& codePage, bool bNoMatch = false);
    // Shows the whole tree again as it was before filtering.
    void Clear();
    // Forgets the filter without touching the tree (its rows are gone).
    void Drop();
    // Applies the rule again after records changed; the current item stays
    // shown whether it matches or not.
    void Reapply();
    // Whether item is shown (not hidden by the filter, nor its group).
    bool IsShown(const QModelIndex& item) const;
    // Whether the filter itself is moving the current item right now.
    bool IsMoving() const { return m_bMoving; }
    // The user chose an item while filtering: it stays current at clearing.
    void NotePicked() { m_bPicked = true; }
    // What the rule in force lets the tree show, counted as it was applied
    // (the status bar asks often, the tree's rows are many).
    int ShownGroups() const { return m_nShownGroups; }
    int ShownAccounts() const { return m_nShownAccounts; }

    // Where the rule's words lie in a label, as (first, length) in the
    // characters of the label shown (the label's bytes converted with the
    // code page), for highlighting.
    static std::vector<std::pair<int, int>>
    ShownSpans(const CFieldFilter& rule, std::string_view strLabel, const CCodePage& codePage);

private:
    // Hides and shows rows by the rule, the current item kept shown when
    // bKeepCurrent; bNarrowing: the rule narrows the last one, so the rows
    // hidden already stay hidden untested.
    void Apply(bool bKeepCurrent, bool bNarrowing);
    void SelectFirstShown();

    CAccountTreeCtrl& m_tree;
    CRecordTreeModel& m_model;
    std::unique_ptr<CFieldFilter> m_pRule;
    std::string m_strQuery;
    bool m_bNoMatch = false;
    std::vector<QPersistentModelIndex> m_expanded;
    QPersistentModelIndex m_before;
    bool m_bPicked = false;
    bool m_bMoving = false;
    int m_nShownGroups = 0;
    int m_nShownAccounts = 0;
};
