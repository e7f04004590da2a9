// The printing preferences as an application opens them (DM_IN_PROMPT): through wine's compstui
// the stand-in offers the plug-in its pages and hands back the devmode that the sheet leaves.
// OK on a sheet whose "Adjustments" page was never shown leaves the plug-in's block alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <compstui.h>

#include <cstring>

#include "tests/road/road_printer.h"
#include "winsupport/sheet_closer.h"
#include "winsupport/sheet_fixture.h"
#include "winsupport/spooler_info.h"

namespace adjustui::road {
namespace {

using winsupport::SheetCloser;

TEST(PreferencesRoad, OkReturnsTheDevmodeWithThePageApplied) {
    RoadPrinter printer{L"road preferences", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StoreDword(L"X_OFFSET", 150));
    Devmode in = printer.DefaultDevmode();
    ASSERT_FALSE(in.empty());
    in.block().bSettingsValid = 1;
    in.block().lXOffset = -60;
    in.block().dwConfigNumber = 4;
    in.dm().dmOrientation = DMORIENT_LANDSCAPE;

    const auto run = winsupport::OpenPreferences(
        printer.name(), {in.data(), in.data() + in.size()},
        [](winsupport::Sheet& sheet) { ASSERT_NE(sheet.ShowPage(L"Adjustments"), nullptr); });
    EXPECT_EQ(run.result, CPSUI_OK);
    EXPECT_TRUE(run.closedAsAsked);
    ASSERT_EQ(run.devmode.size(), in.size());
    Devmode out(run.devmode);
    EXPECT_EQ(out.dm().dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(out.dm().dmDriverExtra, kOemDevmodeSize);
    EXPECT_EQ(out.dm().dmOrientation, DMORIENT_LANDSCAPE);
    // The page took its entries over: the unset density as the 100 it showed, the index of its
    // last paper (six papers of the driver); the rest as the application handed it in.
    OemDevmode applied = in.block();
    EXPECT_EQ(applied.dwPrintDensity, kUnsetValue);
    applied.dwPrintDensity = 100;
    applied.lLastPaperIndex = 5;
    EXPECT_EQ(std::memcmp(&out.block(), &applied, kOemDevmodeSize), 0);
}

TEST(PreferencesRoad, WithoutAnInputDevmodeTheDefaultsAreReturned) {
    RoadPrinter printer{L"road preferences defaults", L"MANTO 63N-2"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StoreDword(L"CUTTER", 2));
    const auto handle = winsupport::OpenPrinterByName(printer.name());
    ASSERT_TRUE(handle);

    std::vector<BYTE> bytes(static_cast<std::size_t>(printer.DevmodeSize()));
    Devmode out(bytes);
    SheetCloser closer(300);
    const LONG result = DocumentPropertiesW(nullptr, handle.get(), nullptr, &out.dm(), nullptr,
                                            DM_IN_PROMPT | DM_OUT_BUFFER);
    EXPECT_EQ(result, CPSUI_OK);
    EXPECT_EQ(std::wstring(out.dm().dmDeviceName), printer.name());
    EXPECT_EQ(out.block().dwSignature, kOemSignature);
    EXPECT_EQ(out.block().dwCutter, 2u);
    EXPECT_EQ(out.block().bSettingsValid, 0);
}

}  // namespace
}  // namespace adjustui::road
