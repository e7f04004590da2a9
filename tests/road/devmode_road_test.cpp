// DocumentPropertiesW's devmode road: the size, the defaulted devmode, and what becomes of an
// application's devmode, sound or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/road/road_printer.h"

namespace adjustui::road {
namespace {

constexpr LONG kFullSize = sizeof(DEVMODEW) + kOemDevmodeSize;

class DevmodeRoad : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(printer.ready()); }

    // The printer's devmode with a block the page has applied: every setting set.
    Devmode AppliedDevmode() {
        Devmode devmode = printer.AppliedDevmode();
        EXPECT_FALSE(devmode.empty());
        if (devmode.empty()) {
            return devmode;
        }
        OemDevmode& block = devmode.block();
        block.lXOffset = -120;
        block.lYOffset = 45;
        block.dwCutter = 2;
        block.bCutterSend = 1;
        block.dwPrintSpeed = 3;
        block.dwPrintDensity = 85;
        block.dwCopies = 7;
        block.wSelectedPaperSize = 257;
        std::fill(std::begin(block.szPassThroughFont), std::end(block.szPassThroughFont), u'\0');
        std::copy_n(u"Courier", 7, block.szPassThroughFont);
        return devmode;
    }

    RoadPrinter printer{L"road devmode", L"KESTRA VC9"};
};

void ExpectOwnHeader(const OemDevmode& block) {
    EXPECT_EQ(block.dwSize, kOemDevmodeSize);
    EXPECT_EQ(block.dwSignature, kOemSignature);
    EXPECT_EQ(block.dwVersion, kOemVersion);
}

TEST_F(DevmodeRoad, SizeIsThePublicPartAndThePluginsBlock) {
    EXPECT_EQ(printer.DevmodeSize(), kFullSize);
}

TEST_F(DevmodeRoad, DefaultBlockIsThePluginsFilledFromPrinterData) {
    ASSERT_TRUE(printer.StoreDword(L"PRINT_SPEED", 6));
    ASSERT_TRUE(printer.StoreDword(L"X_OFFSET", 150));
    ASSERT_TRUE(printer.StoreDword(L"PRINT_DENSITY", 115));
    ASSERT_TRUE(printer.StoreDword(L"NUMBER OF COPIES", 3));
    ASSERT_TRUE(printer.StoreByte(L"OFFSET_SEND", 1));

    Devmode devmode = printer.DefaultDevmode();
    ASSERT_FALSE(devmode.empty());
    EXPECT_EQ(devmode.dm().dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(devmode.dm().dmDriverExtra, kOemDevmodeSize);
    const OemDevmode& block = devmode.block();
    ExpectOwnHeader(block);
    EXPECT_EQ(block.bSettingsValid, 0);
    EXPECT_EQ(block.dwPrintSpeed, 6u);
    EXPECT_EQ(block.lXOffset, 150);
    EXPECT_EQ(block.dwPrintDensity, 115u);
    EXPECT_EQ(block.dwCopies, 3u);
    EXPECT_EQ(block.bOffsetSend, 1);
    EXPECT_EQ(block.lYOffset, kUnsetSigned);
    EXPECT_EQ(block.dwCutter, kUnsetValue);
    EXPECT_EQ(block.bCutterSend, 0);
}

TEST_F(DevmodeRoad, DefaultBlockWithoutPrinterDataIsUnset) {
    Devmode devmode = printer.DefaultDevmode();
    ASSERT_FALSE(devmode.empty());
    const OemDevmode& block = devmode.block();
    ExpectOwnHeader(block);
    EXPECT_EQ(block.lXOffset, kUnsetSigned);
    EXPECT_EQ(block.dwPrintSpeed, kUnsetValue);
    EXPECT_EQ(block.dwPrintDensity, kUnsetValue);
    EXPECT_EQ(block.dwCopies, 1u);
    EXPECT_EQ(block.szPassThroughFont[0], u'\0');
}

TEST_F(DevmodeRoad, AppliedBlockIsTakenOverWithReservedValuesBounded) {
    Devmode in = AppliedDevmode();
    in.block().dwReserved1 = 150;
    in.block().dwReserved2 = 100;

    LONG result = 0;
    Devmode out = printer.Merged(in, 0, &result);
    EXPECT_EQ(result, IDOK);
    ASSERT_FALSE(out.empty());
    OemDevmode expected = in.block();
    expected.dwReserved1 = 0;
    EXPECT_EQ(std::memcmp(&out.block(), &expected, kOemDevmodeSize), 0);
}

TEST_F(DevmodeRoad, BlockOfAnotherDriverVersionIsConverted) {
    Devmode in = AppliedDevmode();
    in.dm().dmDriverVersion = 0x0042;
    in.block().dwReserved1 = 150;

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    // Converting takes the block over as it is; only merging bounds the reserved values.
    EXPECT_EQ(std::memcmp(&out.block(), &in.block(), kOemDevmodeSize), 0);
}

TEST_F(DevmodeRoad, BlockNeverAppliedTakesTheStoredValuesAnew) {
    ASSERT_TRUE(printer.StoreDword(L"PRINT_SPEED", 6));
    ASSERT_TRUE(printer.StoreDword(L"CUTTER", 1));
    Devmode in = printer.DefaultDevmode();
    ASSERT_FALSE(in.empty());
    ASSERT_EQ(in.block().dwPrintSpeed, 6u);

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.block().bSettingsValid, 0);
    EXPECT_EQ(out.block().dwCutter, 1u);
    // The printer's default speed, as the new devmode had it.
    EXPECT_EQ(out.block().dwPrintSpeed, 6u);
}

TEST_F(DevmodeRoad, ForeignBlockGivesTheResetValues) {
    ASSERT_TRUE(printer.StoreDword(L"X_OFFSET", 150));
    Devmode in = AppliedDevmode();
    reinterpret_cast<BYTE*>(&in.block().dwSignature)[3] = 0x01;

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    const OemDevmode& block = out.block();
    ExpectOwnHeader(block);
    EXPECT_EQ(block.lXOffset, 0);
    EXPECT_EQ(block.dwCutter, 0u);
    EXPECT_EQ(block.dwPrintDensity, 100u);
    EXPECT_EQ(block.dwCopies, 1u);
    EXPECT_EQ(block.bCutterSend, 0);
    EXPECT_EQ(block.szPassThroughFont[0], u'\0');
}

TEST_F(DevmodeRoad, HugeBlockSizeIsBoundedByTheBlock) {
    Devmode in = AppliedDevmode();
    in.block().dwSize = 0xFFFFFFFF;

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    const OemDevmode& block = out.block();
    ExpectOwnHeader(block);
    EXPECT_EQ(block.lXOffset, -120);
    EXPECT_EQ(block.dwCopies, 7u);
    EXPECT_EQ(out.dm().dmDriverExtra, kOemDevmodeSize);
}

TEST_F(DevmodeRoad, UnterminatedFontNameComesBackTerminated) {
    Devmode in = AppliedDevmode();
    std::fill(std::begin(in.block().szPassThroughFont), std::end(in.block().szPassThroughFont),
              u'W');

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    const auto& font = out.block().szPassThroughFont;
    EXPECT_NE(std::find(std::begin(font), std::end(font), u'\0'), std::end(font));
    ExpectOwnHeader(out.block());
}

// The block behind a short driver-data area is not the plug-in's to read: defaults stand.
TEST_F(DevmodeRoad, ShortDriverDataKeepsTheDefaults) {
    ASSERT_TRUE(printer.StoreDword(L"X_OFFSET", 150));
    Devmode in = AppliedDevmode();
    in.dm().dmDriverExtra = 16;

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.block().bSettingsValid, 0);
    EXPECT_EQ(out.block().lXOffset, 150);
    EXPECT_EQ(out.block().dwCopies, 1u);
}

TEST_F(DevmodeRoad, PublicOnlyDevmodeSetsPublicFieldsAndKeepsTheDefaultBlock) {
    std::vector<BYTE> bytes(sizeof(DEVMODEW));
    Devmode in(bytes);
    DEVMODEW& dm = in.dm();
    dm.dmSize = sizeof(DEVMODEW);
    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES;
    dm.dmPaperSize = DMPAPER_A5;
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    dm.dmCopies = 2;

    Devmode out = printer.Merged(in);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.dm().dmPaperSize, DMPAPER_A5);
    EXPECT_EQ(out.dm().dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(out.dm().dmCopies, 2);
    EXPECT_EQ(std::wstring(out.dm().dmFormName), L"A5");
    ExpectOwnHeader(out.block());
    EXPECT_EQ(out.block().bSettingsValid, 0);
}

}  // namespace
}  // namespace adjustui::road
