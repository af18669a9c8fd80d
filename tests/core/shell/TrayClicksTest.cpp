// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/TrayClicks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr unsigned DOUBLE_CLICK_MS = 400;

// A click ("c") or the end of the work a click started ("d") at a time.
struct SStep {
    char cWhat;
    std::uint64_t nAt;
};

struct SRow {
    const char* pszName;
    std::vector<SStep> steps;
    // One letter per click: "a" acts, "-" does nothing.
    std::string strExpected;
};

} // namespace

TEST(TrayClicks, OneGestureActsOnce) {
    const SRow rows[] = {
        {"a single click acts", {{'c', 1000}}, "a"},
        // The X11 tray's double click: press, press, double click.
        {"double click", {{'c', 1000}, {'c', 1150}, {'c', 1150}}, "a--"},
        {"two clicks apart", {{'c', 1000}, {'c', 1400}}, "aa"},
        {"just inside", {{'c', 1000}, {'c', 1399}}, "a-"},
        // Each quick click extends the gesture, however long it lasts.
        {"clicked on and on", {{'c', 1000}, {'c', 1300}, {'c', 1600}, {'c', 1900}}, "a---"},
        {"a pause, then anew", {{'c', 1000}, {'c', 1300}, {'c', 1800}}, "a-a"},
        // A KEY question open for seconds: the time counts from its end.
        {"after long work", {{'c', 1000}, {'d', 6000}, {'c', 6100}, {'c', 6500}}, "a-a"},
        // The first click ever acts whatever the clock says.
        {"at the clock's start", {{'c', 0}, {'c', 10}}, "a-"},
    };
    for (const SRow& row : rows) {
        std::uint64_t nNow = 0;
        CTrayClicks clicks([&nNow]() { return nNow; }, DOUBLE_CLICK_MS);
        std::string strActed;
        for (const SStep& step : row.steps) {
            nNow = step.nAt;
            if (step.cWhat == 'd')
                clicks.Done();
            else
                strActed += clicks.Acts() ? 'a' : '-';
        }
        EXPECT_EQ(strActed, row.strExpected) << row.pszName;
    }
}
