// The printing preferences as an application opens them (DM_IN_PROMPT): through wine's compstui
// the stand-in offers the plug-in its pages and hands back the devmode that the sheet leaves.
// OK on a sheet whose "Adjustments" page was never shown leaves the plug-in's block alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <compstui.h>

#include <cstdint>
#include <cstring>
#include <cwchar>

#include "page/controls.h"
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

// Twenty openings on one plug-in heap, each with a refused OK and its message box, then Cancel:
// the page gives back every text it loaded, and its title at its release.
TEST(PreferencesRoad, EachOpeningOfThePageGivesBackWhatItTookFromThePluginHeap) {
    RoadPrinter printer{L"road preferences heap", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    const winsupport::UniqueHeap heap(HeapCreate(0, 0, 0));
    wchar_t handle[24];
    std::swprintf(handle, 24, L"%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(heap.get())));
    SetEnvironmentVariableW(L"ADJUSTUI_STANDIN_PLUGIN_HEAP", handle);
    int afterFirst = -1;
    for (int opening = 1; opening <= 20; ++opening) {
        const auto run = winsupport::OpenPreferences(
            printer.name(), {},
            [](winsupport::Sheet& sheet) {
                HWND page = sheet.ShowPage(L"Adjustments");
                ASSERT_NE(page, nullptr);
                SendDlgItemMessageW(page, page::kImagePositioningCheck, BM_CLICK, 0, 0);
                SetDlgItemTextW(page, page::kXOffsetEdit, L"999");
                sheet.Press(PSBTN_OK);
            },
            winsupport::Finish::kCancel);
        ASSERT_EQ(run.messageBoxes.size(), 1u) << opening;
        if (opening == 1)
            afterFirst = winsupport::BusyBlocks(heap.get());
    }
    SetEnvironmentVariableW(L"ADJUSTUI_STANDIN_PLUGIN_HEAP", nullptr);
    EXPECT_EQ(winsupport::BusyBlocks(heap.get()), afterFirst);
    EXPECT_EQ(afterFirst, 0) << "the page is released with its sheet";
}

}  // namespace
}  // namespace adjustui::road
