#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "page/controls.h"
#include "page/layout.h"

namespace adjustui::page {
namespace {

// Slip correction, cutter, print speed and print density boxes, in pixels.
constexpr std::array<int, 4> kHeights = {75, 52, 53, 51};

// Where each right-hand control's top ends up when the plan is applied to tops at 0.
std::map<int, int> Lifts(const LayoutPlan& plan) {
    std::map<int, int> lift;
    for (const auto& [id, dy] : plan.moves) {
        EXPECT_EQ(lift.count(id), 0u) << "one move per control: " << id;
        lift[id] += dy;
    }
    return lift;
}

template <typename... Groups>
std::vector<int> Ids(Groups... groups) {
    std::vector<int> ids;
    for (RightColumnGroup g : {groups...})
        ids.insert(ids.end(), GroupOf(g).controls.begin(), GroupOf(g).controls.end());
    return ids;
}

void ExpectGroupLift(const std::map<int, int>& lift, RightColumnGroup group, int dy) {
    for (int id : Ids(group)) {
        const auto found = lift.find(id);
        EXPECT_EQ(found == lift.end() ? 0 : found->second, dy) << id;
    }
}

TEST(PageLayoutTest, HiddenGroupsLiftEveryGroupBelowThemByBoxAndGap) {
    using enum RightColumnGroup;
    const ModelCapabilities all{true, true, true, true};
    const LayoutPlan full = PlanLayout(all, kHeights);
    EXPECT_TRUE(full.hidden.empty());
    EXPECT_TRUE(full.moves.empty());

    const LayoutPlan none = PlanLayout(ModelCapabilities{}, kHeights);
    EXPECT_EQ(none.hidden, Ids(SlipCorrection, Cutter, PrintSpeed, PrintDensity));
    auto lift = Lifts(none);
    ExpectGroupLift(lift, Configuration, -(75 + 52 + 53 + 51 + 20));
    // Hidden groups were moved by the steps before theirs, as a step-by-step layout leaves them.
    ExpectGroupLift(lift, SlipCorrection, 0);
    ExpectGroupLift(lift, Cutter, -80);
    ExpectGroupLift(lift, PrintSpeed, -80 - 57);
    ExpectGroupLift(lift, PrintDensity, -80 - 57 - 58);

    ModelCapabilities cutterOnly;
    cutterOnly.bHasCutter = true;
    const LayoutPlan cutter = PlanLayout(cutterOnly, kHeights);
    EXPECT_EQ(cutter.hidden, Ids(SlipCorrection, PrintSpeed, PrintDensity));
    lift = Lifts(cutter);
    ExpectGroupLift(lift, Cutter, -80);
    ExpectGroupLift(lift, Configuration, -(75 + 53 + 51 + 15));

    ModelCapabilities speedOnly;
    speedOnly.bHasPrintSpeed = true;
    const LayoutPlan speed = PlanLayout(speedOnly, kHeights);
    EXPECT_EQ(speed.hidden, Ids(SlipCorrection, Cutter, PrintDensity));
    lift = Lifts(speed);
    ExpectGroupLift(lift, PrintSpeed, -(80 + 57));
    ExpectGroupLift(lift, Configuration, -(80 + 57 + 56));

    ModelCapabilities noCutter = all;
    noCutter.bHasCutter = false;
    const LayoutPlan gap = PlanLayout(noCutter, kHeights);
    EXPECT_EQ(gap.hidden, Ids(Cutter));
    lift = Lifts(gap);
    ExpectGroupLift(lift, SlipCorrection, 0);
    ExpectGroupLift(lift, PrintSpeed, -57);
    ExpectGroupLift(lift, PrintDensity, -57);
    ExpectGroupLift(lift, Configuration, -57);

    // Nothing outside the right-hand column moves.
    EXPECT_EQ(none.moves.size(), Ids(Cutter, PrintSpeed, PrintDensity, Configuration).size());
}

}  // namespace
}  // namespace adjustui::page
