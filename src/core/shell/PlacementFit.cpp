// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/PlacementFit.h"

#include <algorithm>
#include <cstdint>

std::optional<CLayoutRect> FitPlacement(const CLayoutRect& saved, const CLayoutRect& available) {
    // 64 bits: the saved corners may be any int, and their difference is not.
    const std::int64_t nWidth = std::int64_t(saved.right) - saved.left;
    const std::int64_t nHeight = std::int64_t(saved.bottom) - saved.top;
    const std::int64_t nAreaWidth = std::int64_t(available.right) - available.left;
    const std::int64_t nAreaHeight = std::int64_t(available.bottom) - available.top;
    if (nWidth <= 0 || nHeight <= 0 || nAreaWidth <= 0 || nAreaHeight <= 0)
        return std::nullopt;
    const int nFitWidth = static_cast<int>(std::min(nWidth, nAreaWidth));
    const int nFitHeight = static_cast<int>(std::min(nHeight, nAreaHeight));
    const int nLeft = std::clamp(saved.left, available.left, available.right - nFitWidth);
    const int nTop = std::clamp(saved.top, available.top, available.bottom - nFitHeight);
    return CLayoutRect{nLeft, nTop, nLeft + nFitWidth, nTop + nFitHeight};
}
