#include "page/layout.h"

#include "page/controls.h"

namespace adjustui::page {
namespace {

// The flag that shows each optional group, in column order; the configuration group has none.
constexpr bool ModelCapabilities::*kGroupShownBy[] = {
    &ModelCapabilities::bHasSlipCorrection,
    &ModelCapabilities::bHasCutter,
    &ModelCapabilities::bHasPrintSpeed,
    &ModelCapabilities::bHasPrintDensity,
};
static_assert(std::size(kGroupShownBy) + 1 == std::size(kRightColumn));
static_assert(static_cast<std::size_t>(RightColumnGroup::Configuration) ==
              std::size(kGroupShownBy));

}  // namespace

LayoutPlan PlanLayout(const ModelCapabilities& model, const std::array<int, 4>& boxHeightsPx) {
    LayoutPlan plan;
    // Each hidden group lifts every group below it by its box height and the gap.
    std::array<int, std::size(kRightColumn)> lift{};
    for (std::size_t group = 0; group < std::size(kGroupShownBy); ++group) {
        if (model.*kGroupShownBy[group])
            continue;
        for (std::size_t below = group + 1; below < lift.size(); ++below)
            lift[below] -= boxHeightsPx[group] + kLayoutGapPx;
        for (ControlId id : kRightColumn[group].controls)
            plan.hidden.push_back(id);
    }
    for (std::size_t group = 0; group < lift.size(); ++group) {
        if (lift[group] == 0)
            continue;
        for (ControlId id : kRightColumn[group].controls)
            plan.moves.emplace_back(id, lift[group]);
    }
    return plan;
}

}  // namespace adjustui::page
