// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/GroupNesting.h"

#include "core/store/GroupPath.h"
#include "core/tree/TreeOrder.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace {

constexpr std::size_t TOP = static_cast<std::size_t>(-1);

// The nearest group whose path begins strPath's, or TOP.
std::size_t ParentOf(std::string_view strPath,
                     const std::unordered_map<std::string_view, std::size_t>& byPath) {
    for (std::size_t nSlash = strPath.rfind('/'); nSlash != std::string_view::npos && nSlash > 0;
         nSlash = strPath.rfind('/', nSlash - 1)) {
        const std::string_view strAncestor = strPath.substr(0, nSlash);
        if (!IsInsideGroup(strPath, strAncestor))
            continue;
        const auto it = byPath.find(strAncestor);
        if (it != byPath.end())
            return it->second;
    }
    return TOP;
}

} // namespace

std::vector<SNestedGroup> NestGroups(const std::vector<std::string_view>& paths,
                                     const CCodePage& codePage) {
    std::unordered_map<std::string_view, std::size_t> byPath;
    byPath.reserve(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        byPath.emplace(paths[i], i);
    std::vector<std::size_t> top;
    std::vector<std::vector<std::size_t>> children(paths.size());
    std::vector<std::size_t> parents(paths.size(), TOP);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        parents[i] = ParentOf(paths[i], byPath);
        (parents[i] == TOP ? top : children[parents[i]]).push_back(i);
    }
    // Siblings came in the order of their whole paths, which is nearly
    // always the order of their labels already.
    const auto sortByLabel = [&](std::vector<std::size_t>& siblings, std::size_t nParent) {
        const auto label = [&](std::size_t n) {
            return nParent == TOP ? paths[n] : GroupLabelBelow(paths[n], paths[nParent]);
        };
        const auto before = [&](std::size_t a, std::size_t b) {
            return SortsBefore(label(a), label(b), codePage);
        };
        if (!std::is_sorted(siblings.begin(), siblings.end(), before))
            std::stable_sort(siblings.begin(), siblings.end(), before);
    };
    sortByLabel(top, TOP);
    std::vector<SNestedGroup> nested;
    nested.reserve(paths.size());
    std::vector<int> placeOf(paths.size(), -1);
    // Depth first with a stack of its own: a database may nest deeply.
    std::vector<std::pair<const std::vector<std::size_t>*, std::size_t>> stack{{&top, 0}};
    while (!stack.empty()) {
        auto& [pSiblings, nNext] = stack.back();
        if (nNext == pSiblings->size()) {
            stack.pop_back();
            continue;
        }
        const std::size_t nGroup = (*pSiblings)[nNext++];
        placeOf[nGroup] = static_cast<int>(nested.size());
        nested.push_back({nGroup, parents[nGroup] == TOP ? -1 : placeOf[parents[nGroup]]});
        if (!children[nGroup].empty()) {
            sortByLabel(children[nGroup], nGroup);
            stack.emplace_back(&children[nGroup], 0);
        }
    }
    return nested;
}
