// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class CCodePage;

// A group as the tree nests a database's groups.
struct SNestedGroup {
    std::size_t m_nGroup = 0; // its place in the paths given
    int m_nParent = -1;       // its parent's place in the result; -1 at the top
};

// A database's groups, named by their paths, as the tree shows them: each
// inside the group with the longest path that begins its own (a group
// whose parent is missing shows the rest of its path below the nearest
// one there is), siblings by the labels they show, in the order the tree
// lists them (each group before the groups inside it). The paths come in
// the tree's order of whole names; of equal paths the first takes the
// groups inside. O(n log n) for paths of bounded depth.
std::vector<SNestedGroup> NestGroups(const std::vector<std::string_view>& paths,
                                     const CCodePage& codePage);
