// The page's right-hand column fitted to the model: the optional groups the model lacks are
// hidden and the groups below each of them move up to close the gap.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "models/model_tables.h"

namespace adjustui::page {

// Pixels between a hidden group's box and the group that moves up into its place.
inline constexpr int kLayoutGapPx = 5;

struct LayoutPlan {
    std::vector<int> hidden;  // control ids, group by group from the top
    // Control id and the pixels to add to its top and bottom (negative: up); controls that keep
    // their place are not listed. Hidden controls move too, as they would step by step.
    std::vector<std::pair<int, int>> moves;
};

// boxHeightsPx: the heights of the slip correction, cutter, print speed and print density group
// boxes in pixels, as the dialog has them before anything moves.
LayoutPlan PlanLayout(const ModelCapabilities& model, const std::array<int, 4>& boxHeightsPx);

}  // namespace adjustui::page
