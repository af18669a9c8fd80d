// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tree/GroupNesting.h"

#include "core/store/CodePage.h"
#include "core/store/GroupPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The groups as the tree lists them, each indented by two blanks a level
// and showing its label below its parent.
std::vector<std::string> Shown(const std::vector<std::string_view>& paths) {
    const std::vector<SNestedGroup> nested = NestGroups(paths, CCodePage::Utf8());
    std::vector<std::string> shown;
    std::vector<int> depths;
    for (const SNestedGroup& group : nested) {
        const int nDepth = group.m_nParent < 0 ? 0 : depths[std::size_t(group.m_nParent)] + 1;
        depths.push_back(nDepth);
        const std::string_view strParent =
            group.m_nParent < 0 ? std::string_view()
                                : paths[nested[std::size_t(group.m_nParent)].m_nGroup];
        shown.push_back(std::string(std::size_t(nDepth) * 2, ' ') +
                        std::string(group.m_nParent < 0
                                        ? paths[group.m_nGroup]
                                        : GroupLabelBelow(paths[group.m_nGroup], strParent)));
    }
    return shown;
}

struct SCase {
    const char* pszWhat;
    std::vector<std::string_view> paths;
    std::vector<std::string> shown;
};

} // namespace

TEST(GroupNesting, EachGroupShowsInsideTheNearestGroupItsPathNames) {
    const SCase cases[] = {
        {"siblings by their labels, not their paths",
         {"Work", "Work/b", "Work-x", "Work/A"},
         {"Work", "  A", "  b", "Work-x"}},
        {"a missing parent: the rest of the path below the nearest one",
         {"Home", "Home/Mail/Old", "Web/Shops"},
         {"Home", "  Mail/Old", "Web/Shops"}},
        {"Cyrillic and deeper levels",
         {"Работа", "Работа/Почта", "Работа/Почта/Архив", "Дом"},
         {"Дом", "Работа", "  Почта", "    Архив"}},
        {"a path ending in a slash is no group inside another",
         {"A", "A/", "A//B"},
         {"A", "A/", "  B"}},
        {"equal paths: the first takes the groups inside", {"A", "A", "A/B"}, {"A", "  B", "A"}},
    };
    for (const SCase& test : cases)
        EXPECT_EQ(Shown(test.paths), test.shown) << test.pszWhat;
}

// Thousands of levels are walked without recursion, each group after its
// parent.
TEST(GroupNesting, ADeepChainNestsLevelByLevel) {
    std::vector<std::string> storage{"g"};
    for (int i = 1; i < 5000; ++i)
        storage.push_back(storage.back() + "/g");
    const std::vector<std::string_view> paths(storage.rbegin(), storage.rend());
    const std::vector<SNestedGroup> nested = NestGroups(paths, CCodePage::Utf8());
    ASSERT_EQ(nested.size(), paths.size());
    for (std::size_t i = 0; i < nested.size(); ++i) {
        EXPECT_EQ(nested[i].m_nGroup, paths.size() - 1 - i);
        EXPECT_EQ(nested[i].m_nParent, static_cast<int>(i) - 1);
    }
}
