// The printing preferences as an application opens them (DM_IN_PROMPT): through wine's compstui
// the stand-in offers the plug-in its pages and hands back the devmode that the sheet leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <compstui.h>

#include <cstring>

#include "tests/road/road_printer.h"
#include "winsupport/sheet_closer.h"
#include "winsupport/spooler_info.h"

namespace adjustui::road {
namespace {

using winsupport::SheetCloser;

// What DocumentPropertiesW answers when the sheet ran: OK, or, while no party adds a page, that
// the sheet had none to show.
bool SheetRan(LONG result) {
    return result == CPSUI_OK || result == ERR_CPSUI_NO_PROPSHEETPAGE;
}

TEST(PreferencesRoad, TheDevmodeTheSheetLeavesIsReturned) {
    RoadPrinter printer{L"road preferences", L"KESTRA VC9"};
    ASSERT_TRUE(printer.ready());
    ASSERT_TRUE(printer.StoreDword(L"X_OFFSET", 150));
    Devmode in = printer.DefaultDevmode();
    ASSERT_FALSE(in.empty());
    in.block().bSettingsValid = 1;
    in.block().lXOffset = -60;
    in.block().dwConfigNumber = 4;
    in.dm().dmOrientation = DMORIENT_LANDSCAPE;

    SheetCloser closer(300);
    LONG result = 0;
    Devmode out = printer.Merged(in, DM_IN_PROMPT, &result);
    EXPECT_TRUE(SheetRan(result)) << result;
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.dm().dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(out.dm().dmDriverExtra, kOemDevmodeSize);
    EXPECT_EQ(out.dm().dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(std::memcmp(&out.block(), &in.block(), kOemDevmodeSize), 0);
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
    EXPECT_TRUE(SheetRan(result)) << result;
    EXPECT_EQ(std::wstring(out.dm().dmDeviceName), printer.name());
    EXPECT_EQ(out.block().dwSignature, kOemSignature);
    EXPECT_EQ(out.block().dwCutter, 2u);
    EXPECT_EQ(out.block().bSettingsValid, 0);
}

}  // namespace
}  // namespace adjustui::road
