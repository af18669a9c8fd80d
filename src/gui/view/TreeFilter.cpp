// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/view/TreeFilter.h"

#include "core/seal/SecretBuffer.h"
#include "core/store/CodePage.h"
#include "core/store/PasswordInfo.h"
#include "gui/model/RecordTreeModel.h"
#include "gui/view/AccountTreeCtrl.h"

#include <QString>

CTreeFilter::CTreeFilter(CAccountTreeCtrl& tree, CRecordTreeModel& model)
    : m_tree(tree), m_model(model) {}

CTreeFilter::~CTreeFilter() = default;

void CTreeFilter::SetQuery(std::string_view strQuery, const CCodePage& codePage, bool bNoMatch) {
    auto pRule = std::make_unique<CFieldFilter>(strQuery, codePage);
    if (pRule->IsEmpty()) {
        Clear();
        return;
    }
    const QModelIndex file = m_model.FileIndex();
    if (!file.isValid())
        return;
    if (!IsActive()) {
        // What clearing gives back.
        m_expanded.clear();
        for (int g = 0; g < m_model.GroupCount(); ++g) {
            const QModelIndex group = m_model.IndexAt({g, -1});
            if (m_tree.isExpanded(group))
                m_expanded.emplace_back(group);
        }
        m_before = m_tree.currentIndex();
        m_bPicked = false;
    }
    // A key typed onto a word can only hide more: what the last key hid
    // stays hidden untested.
    const bool bNarrowing = m_pRule && !m_bNoMatch && pRule->Narrows(*m_pRule);
    m_pRule = std::move(pRule);
    m_strQuery = strQuery;
    m_bNoMatch = bNoMatch;
    Apply(false, bNarrowing);
    const QModelIndex current = m_tree.currentIndex();
    if (!IsShown(current) || CAccountTreeCtrl::GetItemLevel(current) != 2)
        SelectFirstShown();
}

void CTreeFilter::Apply(bool bKeepCurrent, bool bNarrowing) {
    const QModelIndex file = m_model.FileIndex();
    if (!file.isValid() || !m_pRule)
        return;
    const QModelIndex current = m_tree.currentIndex();
    const QModelIndex kept = bKeepCurrent ? current : QModelIndex();
    const QModelIndex keptGroup = CAccountTreeCtrl::GetItemLevel(kept) == 2 ? kept.parent() : kept;
    const CPasswordInfo* pKept =
        CAccountTreeCtrl::GetItemLevel(kept) == 2 ? m_model.RecordOf(kept) : nullptr;
    const int nGroups = m_model.GroupCount();
    std::vector<char> abShow;
    std::vector<char> abHidden;
    // Whether a group shows a group inside it: the inner groups are
    // walked first, from the end of the display order.
    std::vector<char> abInnerShown(static_cast<std::size_t>(nGroups), 0);
    m_nShownGroups = m_nShownAccounts = 0;
    for (int g = nGroups; g-- > 0;) {
        const QModelIndex group = m_model.IndexAt({g, -1});
        const QModelIndex parent = group.parent();
        const bool bGroupHidden = m_tree.isRowHidden(group.row(), parent);
        if (bNarrowing && bGroupHidden)
            continue;
        const int nAccounts = m_model.AccountCount(g);
        bool bAny = group == keptGroup || abInnerShown[static_cast<std::size_t>(g)] != 0;
        abShow.assign(static_cast<std::size_t>(nAccounts), 0);
        abHidden.assign(static_cast<std::size_t>(nAccounts), 0);
        for (int a = 0; a < nAccounts; ++a) {
            const auto i = static_cast<std::size_t>(a);
            // The rows of a hidden group keep whatever state they had; they
            // are set once the group shows again.
            if (!bGroupHidden)
                abHidden[i] = m_tree.isRowHidden(a, group) ? 1 : 0;
            if (bNarrowing && abHidden[i])
                continue;
            const CPasswordInfo* pAccount = m_model.AccountAt(g, a);
            const bool bShow = pAccount == pKept || (!m_bNoMatch && m_pRule->Matches(*pAccount));
            abShow[i] = bShow ? 1 : 0;
            bAny = bAny || bShow;
            m_nShownAccounts += bShow ? 1 : 0;
        }
        m_nShownGroups += bAny ? 1 : 0;
        if (const int nParent = m_model.ParentGroup(g); bAny && nParent >= 0)
            abInnerShown[static_cast<std::size_t>(nParent)] = 1;
        // Only a shown group's rows are set, and only those whose state
        // changes: each hidden row costs the tree a persistent index.
        for (int a = 0; bAny && a < nAccounts; ++a) {
            const auto i = static_cast<std::size_t>(a);
            const bool bHidden = bGroupHidden ? m_tree.isRowHidden(a, group) : abHidden[i] != 0;
            if (bHidden == (abShow[i] != 0))
                m_tree.setRowHidden(a, group, abShow[i] == 0);
        }
        if (bGroupHidden == bAny)
            m_tree.setRowHidden(group.row(), parent, !bAny);
        if (bAny && !m_tree.isExpanded(group))
            m_tree.expand(group);
    }
    if (!m_tree.isExpanded(file))
        m_tree.expand(file);
}

void CTreeFilter::SelectFirstShown() {
    const QModelIndex file = m_model.FileIndex();
    for (int g = 0; g < m_model.GroupCount(); ++g) {
        const QModelIndex group = m_model.IndexAt({g, -1});
        if (!IsShown(group))
            continue;
        for (int a = 0; a < m_model.AccountCount(g); ++a) {
            if (!m_tree.isRowHidden(a, group)) {
                m_bMoving = true;
                m_tree.SelectItem(m_model.IndexAt({g, a}));
                m_bMoving = false;
                return;
            }
        }
    }
    // Nothing matches: the file's row becomes current, so neither the panel
    // nor a copy command reaches an account the tree does not show.
    m_bMoving = true;
    m_tree.SelectItem(file);
    m_bMoving = false;
}

bool CTreeFilter::IsShown(const QModelIndex& item) const {
    for (QModelIndex row = item; row.isValid(); row = row.parent()) {
        if (m_tree.isRowHidden(row.row(), row.parent()))
            return false;
    }
    return item.isValid();
}

void CTreeFilter::Reapply() {
    if (IsActive())
        Apply(true, false);
}

void CTreeFilter::Clear() {
    if (!IsActive())
        return;
    m_pRule.reset();
    CSecretBuffer::Wipe(m_strQuery);
    m_bNoMatch = false;
    for (int g = 0; g < m_model.GroupCount(); ++g) {
        const QModelIndex group = m_model.IndexAt({g, -1});
        if (m_tree.isRowHidden(group.row(), group.parent()))
            m_tree.setRowHidden(group.row(), group.parent(), false);
        for (int a = 0; a < m_model.AccountCount(g); ++a) {
            if (m_tree.isRowHidden(a, group))
                m_tree.setRowHidden(a, group, false);
        }
        m_tree.setExpanded(group, false);
    }
    for (const QPersistentModelIndex& group : m_expanded) {
        if (group.isValid())
            m_tree.expand(group);
    }
    m_expanded.clear();
    const QModelIndex current = m_tree.currentIndex();
    const QModelIndex chosen = m_bPicked || !m_before.isValid() ? current : QModelIndex(m_before);
    m_before = QPersistentModelIndex();
    m_bPicked = false;
    if (chosen.isValid()) {
        // The chosen item's group opens even when it was closed before.
        m_bMoving = true;
        m_tree.SelectItem(chosen);
        m_bMoving = false;
    }
}

void CTreeFilter::Drop() {
    m_pRule.reset();
    CSecretBuffer::Wipe(m_strQuery);
    m_bNoMatch = false;
    m_expanded.clear();
    m_before = QPersistentModelIndex();
    m_bPicked = false;
}

std::vector<std::pair<int, int>> CTreeFilter::ShownSpans(const CFieldFilter& rule,
                                                         std::string_view strLabel,
                                                         const CCodePage& codePage) {
    // The rule's spans are bytes of the label at whole characters, also
    // where a UTF-8 label folds to a text of another length ("ß" to "ss").
    // A character may take more than one byte and more than one UTF-16
    // unit, so each end is counted over the converted text before it.
    const auto shownLength = [&](std::size_t nBytes) {
        return static_cast<int>(
            QString::fromStdString(codePage.ToUtf8(strLabel.substr(0, nBytes))).size());
    };
    std::vector<std::pair<int, int>> spans;
    for (const auto& [nFirst, nLength] : rule.Spans(strLabel)) {
        const int nStart = shownLength(nFirst);
        spans.emplace_back(nStart, shownLength(nFirst + nLength) - nStart);
    }
    return spans;
}
