// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/LabelTree.h"
#include "core/tree/TreeOrder.h"

#include <string>
#include <vector>

// The labels of a sorted record tree under a file label: the tree the view
// shows, built without a window.
class CSortedLabelTree : public CLabelTree {
public:
    CSortedLabelTree(const std::vector<STreeGroup>& tree, std::string strFileLabel);

    int GroupCount() const override;
    int AccountCount(int nGroup) const override;
    std::string_view Label(const STreePos& pos) const override;

    // The labels from the file item down to pos.
    std::vector<std::string_view> LabelPath(const STreePos& pos) const;

private:
    const std::vector<STreeGroup>& m_tree;
    std::string m_strFileLabel;
};
