// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// A place in the tree: the file item, a group, or an account of a group.
// Groups and accounts are counted in display order from 0.
struct STreePos {
    int m_nGroup = -1;   // -1: the file item
    int m_nAccount = -1; // -1: the group itself (or the file item)

    bool IsFileItem() const { return m_nGroup < 0; }
    bool IsGroup() const { return m_nGroup >= 0 && m_nAccount < 0; }
    bool operator==(const STreePos&) const = default;
};

// The labels of a tree (the file item, its groups in display order, each
// with its accounts) as the search reads them; groups nested in the tree
// follow the group they are inside. The view's tree widget and the sorted
// record lists of keyhaven-cli and the tests each answer it, so they all
// search with one walk.
class CLabelTree {
public:
    virtual ~CLabelTree() = default;
    virtual int GroupCount() const = 0;
    virtual int AccountCount(int nGroup) const = 0;
    // Stored (code-page) bytes of the label at pos, which exists.
    virtual std::string_view Label(const STreePos& pos) const = 0;
};
