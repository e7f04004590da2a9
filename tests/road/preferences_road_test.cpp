// The printing preferences as an application opens them (DM_IN_PROMPT): through wine's compstui
// the stand-in offers the plug-in its pages and hands back the devmode that the sheet leaves.
// OK on a sheet whose "Adjustments" page was never shown leaves the plug-in's block alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <compstui.h>

#include <cstring>

#include "tests/road/road_printer.h"

namespace adjustui::road {
namespace {

TEST(PreferencesRoad, OkReturnsTheDevmodeWithThePageApplied) {
    RoadPrinter printer{L"road preferences", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StoreDword(L"X_OFFSET", 150));
    Devmode in = printer.AppliedDevmode();
    ASSERT_FALSE(in.empty());
    in.block().lXOffset = -60;
    in.block().dwConfigNumber = 4;
    in.dm().dmOrientation = DMORIENT_LANDSCAPE;

    const auto run = OnPage(printer, in, [](HWND, Sheet&) {});
    EXPECT_EQ(run.result, CPSUI_OK);
    EXPECT_TRUE(run.closedAsAsked);
    ASSERT_EQ(run.devmode.size(), in.size());
    const DEVMODEW& out = Public(run.devmode);
    EXPECT_EQ(out.dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(out.dmDriverExtra, kOemDevmodeSize);
    EXPECT_EQ(out.dmOrientation, DMORIENT_LANDSCAPE);
    // The page took its entries over: the unset density as the 100 it showed, the index of its
    // last paper (six papers of the driver); the rest as the application handed it in.
    OemDevmode applied = in.block();
    EXPECT_EQ(applied.dwPrintDensity, kUnsetValue);
    applied.dwPrintDensity = 100;
    applied.lLastPaperIndex = 5;
    EXPECT_EQ(std::memcmp(&BlockOf(run.devmode), &applied, kOemDevmodeSize), 0);
}

TEST(PreferencesRoad, WithoutAnInputDevmodeTheDefaultsAreReturned) {
    RoadPrinter printer{L"road preferences defaults", L"MANTO 63N-2"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StoreDword(L"CUTTER", 2));
    const auto run = OpenPreferences(printer.name(), {}, [](Sheet&) {});
    EXPECT_EQ(run.result, CPSUI_OK);
    EXPECT_EQ(std::wstring(Public(run.devmode).dmDeviceName), printer.name());
    EXPECT_EQ(BlockOf(run.devmode).dwSignature, kOemSignature);
    EXPECT_EQ(BlockOf(run.devmode).dwCutter, 2u);
    EXPECT_EQ(BlockOf(run.devmode).bSettingsValid, 0);
}

}  // namespace
}  // namespace adjustui::road
