// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/SortedLabelTree.h"

CSortedLabelTree::CSortedLabelTree(const std::vector<STreeGroup>& tree, std::string strFileLabel)
    : m_tree(tree), m_strFileLabel(std::move(strFileLabel)) {}

int CSortedLabelTree::GroupCount() const {
    return static_cast<int>(m_tree.size());
}

int CSortedLabelTree::AccountCount(int nGroup) const {
    return static_cast<int>(m_tree[static_cast<std::size_t>(nGroup)].m_accounts.size());
}

std::string_view CSortedLabelTree::Label(const STreePos& pos) const {
    if (pos.IsFileItem())
        return m_strFileLabel;
    const STreeGroup& group = m_tree[static_cast<std::size_t>(pos.m_nGroup)];
    if (pos.IsGroup())
        return group.m_pGroup->TextView(CPasswordInfo::group);
    return group.m_accounts[static_cast<std::size_t>(pos.m_nAccount)]->TextView(
        CPasswordInfo::account);
}

std::vector<std::string_view> CSortedLabelTree::LabelPath(const STreePos& pos) const {
    std::vector<std::string_view> path{m_strFileLabel};
    if (!pos.IsFileItem())
        path.push_back(Label({pos.m_nGroup, -1}));
    if (!pos.IsFileItem() && !pos.IsGroup())
        path.push_back(Label(pos));
    return path;
}
