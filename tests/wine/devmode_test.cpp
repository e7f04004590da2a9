// DevMode through the real DLL, with printer data stored and read through the spooler.
#include <cstring>
#include <string>

#include "settings/oem_devmode.h"
#include "tests/wine/plugin_harness.h"

namespace adjustui::wine {
namespace {

constexpr std::uint32_t kUnset = kUnsetValue;

OemDevmode Filled(unsigned char byte) {
    OemDevmode block;
    std::memset(&block, byte, sizeof block);
    return block;
}

bool SameBytes(const OemDevmode& a, const OemDevmode& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A block as the page leaves it after apply: signed, with every setting given.
OemDevmode AppliedBlock() {
    OemDevmode block = Filled(0);
    block.dwSize = kOemDevmodeSize;
    block.dwSignature = kOemSignature;
    block.dwVersion = kOemVersion;
    block.wSelectedPaperSize = 9;
    block.lXOffset = 150;
    block.lYOffset = -150;
    block.bSettingsValid = 1;
    block.lSlipCorrection = -7;
    block.dwCutter = 1;
    block.dwPrintSpeed = 11;
    block.dwPrintDensity = 95;
    block.dwCopies = 42;
    block.dwConfigNumber = 4;
    block.lPaperSizeIndex = 3;
    block.lLastPaperIndex = 6;
    block.lStdPaperCount = 5;
    block.lCustomPaperCount = 2;
    block.bCutterSend = 1;
    block.bPassThroughSend = 1;
    const char16_t font[] = u"Applied Font";
    std::memcpy(block.szPassThroughFont, font, sizeof font);
    return block;
}

class DevMode : public ::testing::Test {
  protected:
    void SetUp() override {
        plugin_ = CreatePlugin();
        ASSERT_TRUE(plugin_);
        printer_ = FreshPrinter(Model::KestraVc9);
        ASSERT_TRUE(printer_);
    }

    void SetDword(const wchar_t* name, std::int32_t value) {
        ASSERT_TRUE(printer_.Set(name, REG_DWORD, &value, sizeof value)) << name;
    }
    void SetFlag(const wchar_t* name, unsigned char value) {
        ASSERT_TRUE(printer_.Set(name, REG_BINARY, &value, 1)) << name;
    }

    // Every 32-bit setting and flag of the printer's defaults, in range.
    void StoreDefaults() {
        SetDword(L"X_OFFSET", -300);
        SetDword(L"Y_OFFSET", 300);
        SetDword(L"SLIP_CORRECTION", -100);
        SetDword(L"CUTTER", 2);
        SetDword(L"PRINT_SPEED", 3);
        SetDword(L"PRINT_DENSITY", 115);
        SetDword(L"NUMBER OF COPIES", 9999);
        SetDword(L"PAPER SIZES", 8);
        SetDword(L"CONFIG", 9);
        const std::int32_t count = 12;
        ASSERT_TRUE(printer_.Set(L"01_Counts_Of_Standard_PAPER", REG_BINARY, &count, 4));
        for (const wchar_t* flag :
             {L"SLIP_CORRECTION_SEND", L"OFFSET_SEND", L"CUTTER_SEND", L"PRINT_SPEED_SEND",
              L"PRINT_DENSITY_SEND", L"ROTATE_SEND", L"CONFIG SEND", L"PAPER FORMAT & SIZE SEND",
              L"PASSTHROUGH_SEND"}) {
            SetFlag(flag, 1);
        }
        const wchar_t font[] = L"Stored Font";
        ASSERT_TRUE(printer_.Set(L"SelectedPathThroughFont", REG_EXPAND_SZ, font,
                                 sizeof font - sizeof(wchar_t)));
    }

    HRESULT Call(DWORD mode, const OemDevmode* in, OemDevmode* out, HANDLE printer) {
        param_ = OEMDMPARAM{};
        param_.cbSize = sizeof param_;
        param_.hPrinter = printer;
        param_.pOEMDMIn = const_cast<OemDevmode*>(in);
        param_.pOEMDMOut = out;
        param_.cbBufSize = bufSize_;
        return plugin_->DevMode(mode, &param_);
    }
    HRESULT Call(DWORD mode, const OemDevmode* in, OemDevmode* out) {
        return Call(mode, in, out, printer_.get());
    }

    OemDevmode Defaulted() {
        OemDevmode block = Filled(0xCC);
        EXPECT_EQ(Call(2, nullptr, &block), S_OK);
        return block;
    }

    ComRef<IPrintOemUI2> plugin_;
    winsupport::Printer printer_;
    OEMDMPARAM param_{};
    DWORD bufSize_ = sizeof(OemDevmode);
};

TEST_F(DevMode, BadModesAndAMissingParameterBlockFailWithInvalidParameter) {
    OemDevmode in = AppliedBlock();
    OemDevmode out = Filled(0xCC);
    for (DWORD mode : {0u, 5u, 0x80000001u}) {
        SetLastError(kSentinel);
        EXPECT_EQ(Call(mode, &in, &out), E_FAIL) << mode;
        EXPECT_EQ(GetLastError(), 87u) << mode;
    }
    for (DWORD mode : {0u, 1u, 2u, 3u, 4u, 5u}) {
        SetLastError(kSentinel);
        EXPECT_EQ(plugin_->DevMode(mode, nullptr), E_FAIL) << mode;
        EXPECT_EQ(GetLastError(), 87u) << mode;
    }
    EXPECT_TRUE(SameBytes(out, Filled(0xCC)));
    EXPECT_TRUE(SameBytes(in, AppliedBlock()));
}

TEST_F(DevMode, SizeReportsTheBlockAndTouchesNoBlock) {
    OemDevmode in = AppliedBlock();
    OemDevmode out = Filled(0xCC);
    SetLastError(kSentinel);
    bufSize_ = 0;
    EXPECT_EQ(Call(1, &in, &out), S_OK);
    EXPECT_EQ(param_.cbBufSize, 1184u);
    EXPECT_TRUE(SameBytes(out, Filled(0xCC)));
    EXPECT_TRUE(SameBytes(in, AppliedBlock()));
    EXPECT_EQ(GetLastError(), kSentinel);
}

TEST_F(DevMode, OutputSmallerThanTheBlockIsRefusedUntouched) {
    const OemDevmode in = AppliedBlock();
    bufSize_ = sizeof(OemDevmode) - 1;
    for (DWORD mode : {2u, 3u, 4u}) {
        OemDevmode out = Filled(0xCC);
        SetLastError(kSentinel);
        EXPECT_EQ(Call(mode, &in, &out), E_FAIL) << mode;
        EXPECT_EQ(GetLastError(), 122u) << mode;
        EXPECT_TRUE(SameBytes(out, Filled(0xCC))) << mode;
    }
}

TEST_F(DevMode, DefaultOnAPrinterWithoutValuesLeavesEverySettingUnset) {
    const OemDevmode block = Defaulted();
    EXPECT_EQ(param_.cbBufSize, 1184u);
    EXPECT_EQ(block.dwSize, 1184u);
    EXPECT_EQ(block.dwSignature, kOemSignature);
    EXPECT_EQ(block.dwVersion, 2u);
    EXPECT_EQ(block.dwReserved1, 0u);
    EXPECT_EQ(block.dwReserved2, 0u);
    EXPECT_EQ(block.wSelectedPaperSize, 0u);
    EXPECT_EQ(block.bSettingsValid, 0u);
    for (std::uint32_t value :
         {std::uint32_t(block.lXOffset), std::uint32_t(block.lYOffset),
          std::uint32_t(block.lSlipCorrection), block.dwCutter, block.dwPrintSpeed,
          block.dwPrintDensity, block.dwConfigNumber, std::uint32_t(block.lPaperSizeIndex),
          std::uint32_t(block.lStdPaperCount)}) {
        EXPECT_EQ(value, kUnset);
    }
    EXPECT_EQ(block.dwCopies, 1u);
    for (std::uint8_t flag : {block.bSlipCorrectionSend, block.bOffsetSend, block.bCutterSend,
                              block.bPrintSpeedSend, block.bPrintDensitySend, block.bRotate180,
                              block.bPaperFormatSend, block.bConfigSend, block.bPassThroughSend}) {
        EXPECT_EQ(flag, 0u);
    }
    EXPECT_EQ(block.szPassThroughFont[0], u'\0');
}

TEST_F(DevMode, DefaultTakesTheStoredValues) {
    StoreDefaults();
    const OemDevmode block = Defaulted();
    EXPECT_EQ(block.lXOffset, -300);
    EXPECT_EQ(block.lYOffset, 300);
    EXPECT_EQ(block.lSlipCorrection, -100);
    EXPECT_EQ(block.dwCutter, 2u);
    EXPECT_EQ(block.dwPrintSpeed, 3u);
    EXPECT_EQ(block.dwPrintDensity, 115u);
    EXPECT_EQ(block.dwCopies, 9999u);
    EXPECT_EQ(block.lPaperSizeIndex, 8);
    EXPECT_EQ(block.dwConfigNumber, 9u);
    EXPECT_EQ(block.lStdPaperCount, 12);
    for (std::uint8_t flag : {block.bSlipCorrectionSend, block.bOffsetSend, block.bCutterSend,
                              block.bPrintSpeedSend, block.bPrintDensitySend, block.bRotate180,
                              block.bPaperFormatSend, block.bConfigSend, block.bPassThroughSend}) {
        EXPECT_EQ(flag, 1u);
    }
    EXPECT_EQ(std::u16string(block.szPassThroughFont), u"Stored Font");
    EXPECT_EQ(block.bSettingsValid, 0u);
}

TEST_F(DevMode, LongestPassThroughFontTheSpoolerStoresReadsBackWhole) {
    // Saved from a terminated field, as the page saves it: the spooler keeps the terminator.
    const std::wstring longest(511, L'W');
    ASSERT_TRUE(printer_.Set(L"SelectedPathThroughFont", REG_EXPAND_SZ, longest.c_str(),
                             static_cast<DWORD>(longest.size() * sizeof(wchar_t))));
    const std::u16string expected(511, u'W');
    EXPECT_EQ(std::u16string(Defaulted().szPassThroughFont), expected);
}

TEST_F(DevMode, DefaultRejectsStoredValuesOutOfRange) {
    SetDword(L"X_OFFSET", 301);
    SetDword(L"Y_OFFSET", -301);
    SetDword(L"SLIP_CORRECTION", 101);
    SetDword(L"CUTTER", 3);
    SetDword(L"PRINT_SPEED", -1);
    SetDword(L"PRINT_DENSITY", 112);
    SetDword(L"NUMBER OF COPIES", 0);
    SetDword(L"PAPER SIZES", 9);
    SetDword(L"CONFIG", 10);
    const std::int32_t negative = -1;
    ASSERT_TRUE(printer_.Set(L"01_Counts_Of_Standard_PAPER", REG_BINARY, &negative, 4));
    const OemDevmode block = Defaulted();
    for (std::uint32_t value :
         {std::uint32_t(block.lXOffset), std::uint32_t(block.lYOffset),
          std::uint32_t(block.lSlipCorrection), block.dwCutter, block.dwPrintSpeed,
          block.dwPrintDensity, std::uint32_t(block.lPaperSizeIndex), block.dwConfigNumber,
          std::uint32_t(block.lStdPaperCount)}) {
        EXPECT_EQ(value, kUnset);
    }
    EXPECT_EQ(block.dwCopies, 1u);
}

TEST_F(DevMode, DefaultWithoutAPrinterHandleUsesTheFallbacks) {
    StoreDefaults();
    OemDevmode block = Filled(0xCC);
    EXPECT_EQ(Call(2, nullptr, &block, nullptr), S_OK);
    EXPECT_EQ(block.dwSignature, kOemSignature);
    EXPECT_EQ(std::uint32_t(block.lXOffset), kUnset);
    EXPECT_EQ(block.dwCopies, 1u);
    EXPECT_EQ(block.bCutterSend, 0u);
    EXPECT_EQ(block.szPassThroughFont[0], u'\0');
}

TEST_F(DevMode, ConvertAndMergeReplaceAForeignBlockWithResetValues) {
    StoreDefaults();
    for (DWORD mode : {3u, 4u}) {
        OemDevmode in = AppliedBlock();
        in.dwSignature = 0x015A454C;  // bytes 4C 45 5A 01
        OemDevmode out = Defaulted();
        out.bSettingsValid = 1;
        out.bPaperFormatSend = 1;
        ASSERT_EQ(Call(mode, &in, &out), S_OK) << mode;
        EXPECT_EQ(out.dwSize, 1184u);
        EXPECT_EQ(out.dwSignature, kOemSignature);
        EXPECT_EQ(out.dwVersion, 2u);
        EXPECT_EQ(out.dwPrintDensity, 100u) << mode;
        EXPECT_EQ(out.dwCopies, 1u) << mode;
        for (std::uint32_t value :
             {std::uint32_t(out.lXOffset), std::uint32_t(out.lYOffset),
              std::uint32_t(out.lSlipCorrection), out.dwCutter, out.dwPrintSpeed,
              out.dwConfigNumber, std::uint32_t(out.lPaperSizeIndex),
              std::uint32_t(out.lLastPaperIndex), out.dwReserved3,
              std::uint32_t(out.lStdPaperCount), std::uint32_t(out.lCustomPaperCount)}) {
            EXPECT_EQ(value, 0u) << mode;
        }
        for (std::uint8_t flag :
             {out.bSlipCorrectionSend, out.bOffsetSend, out.bCutterSend, out.bPrintSpeedSend,
              out.bPrintDensitySend, out.bRotate180, out.bConfigSend, out.bPassThroughSend}) {
            EXPECT_EQ(flag, 0u) << mode;
        }
        EXPECT_EQ(out.szPassThroughFont[0], u'\0') << mode;
        EXPECT_EQ(out.bSettingsValid, 1u) << mode;
        EXPECT_EQ(out.bPaperFormatSend, 1u) << mode;
    }
}

TEST_F(DevMode, ConvertTakesAnAppliedSignedBlockOverWhole) {
    StoreDefaults();
    const OemDevmode in = AppliedBlock();
    OemDevmode out = Defaulted();
    ASSERT_EQ(Call(3, &in, &out), S_OK);
    EXPECT_TRUE(SameBytes(out, in));
}

TEST_F(DevMode, MergeTakesAnAppliedBlockOverButClearsLargeReservedValues) {
    OemDevmode in = AppliedBlock();
    in.dwReserved1 = 150;
    in.dwReserved2 = 100;
    OemDevmode out = Defaulted();
    ASSERT_EQ(Call(4, &in, &out), S_OK);
    OemDevmode expected = in;
    expected.dwReserved1 = 0;
    EXPECT_TRUE(SameBytes(out, expected));
}

TEST_F(DevMode, UnappliedSignedBlockGetsTheStoredValuesAsANewOneDoes) {
    StoreDefaults();
    for (DWORD mode : {3u, 4u}) {
        SetDword(L"PRINT_SPEED", 3);
        OemDevmode out = Defaulted();
        SetDword(L"PRINT_SPEED", 6);
        SetDword(L"NUMBER OF COPIES", 0);
        SetDword(L"X_OFFSET", 25);
        SetFlag(L"CUTTER_SEND", 0);
        OemDevmode in = AppliedBlock();
        in.bSettingsValid = 0;
        ASSERT_EQ(Call(mode, &in, &out), S_OK) << mode;
        EXPECT_EQ(out.dwPrintSpeed, 6u) << mode;
        EXPECT_EQ(out.dwCopies, 1u) << mode;
        EXPECT_EQ(out.lXOffset, 25) << mode;
        EXPECT_EQ(out.dwPrintDensity, 115u) << mode;
        EXPECT_EQ(out.lStdPaperCount, 12) << mode;
        EXPECT_EQ(out.bCutterSend, 0u) << mode;
        EXPECT_EQ(out.bOffsetSend, 1u) << mode;
        EXPECT_EQ(out.wSelectedPaperSize, 0u) << mode;
        EXPECT_EQ(std::u16string(out.szPassThroughFont), u"Stored Font")
            << "the output's own name stays: " << mode;
        SetDword(L"NUMBER OF COPIES", 9999);
        SetDword(L"X_OFFSET", -300);
        SetFlag(L"CUTTER_SEND", 1);
    }
}

TEST_F(DevMode, ShortAppliedBlockIsCopiedOnlyAsFarAsItsSize) {
    StoreDefaults();
    OemDevmode in = AppliedBlock();
    in.dwSize = 100;  // reaches into dwCopies, not beyond
    OemDevmode out = Defaulted();
    ASSERT_EQ(Call(3, &in, &out), S_OK);
    EXPECT_EQ(out.dwSize, 1184u);
    EXPECT_EQ(out.lXOffset, 150);
    EXPECT_EQ(out.dwPrintDensity, 95u);
    EXPECT_EQ(out.dwConfigNumber, 9u) << "beyond the copied bytes: reloaded";
    EXPECT_EQ(out.lPaperSizeIndex, 8);
    EXPECT_EQ(std::u16string(out.szPassThroughFont), u"Stored Font");
}

TEST_F(DevMode, ConvertAndMergeWithoutBothBlocksWriteNothing) {
    const OemDevmode in = AppliedBlock();
    for (DWORD mode : {3u, 4u}) {
        OemDevmode out = Filled(0xCC);
        EXPECT_EQ(Call(mode, nullptr, &out), S_OK) << mode;
        EXPECT_TRUE(SameBytes(out, Filled(0xCC))) << mode;
        EXPECT_EQ(Call(mode, &in, nullptr), S_OK) << mode;
    }
    EXPECT_EQ(Call(2, nullptr, nullptr), S_OK);
}

}  // namespace
}  // namespace adjustui::wine
