// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/tree/LabelTree.h"

#include <string>

class QTreeWidgetItem;

// The labels of the view's tree widget for the shared search: groups and
// accounts by their records' names (which the labels show), the file item
// by the label it was given.
class CTreeWidgetLabels : public CLabelTree {
public:
    CTreeWidgetLabels(QTreeWidgetItem* pRootItem, std::string strFileLabel);

    int GroupCount() const override;
    int AccountCount(int nGroup) const override;
    std::string_view Label(const STreePos& pos) const override;

    // The place of an item of this tree, found by its position among its
    // siblings (linear in their number).
    STreePos PosOf(QTreeWidgetItem* pItem) const;
    QTreeWidgetItem* ItemAt(const STreePos& pos) const;

private:
    QTreeWidgetItem* m_pRootItem;
    std::string m_strFileLabel;
};
