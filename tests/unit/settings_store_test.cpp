#include "settings/settings_store.h"

#include "tests/unit/fixtures.h"

namespace adjustui::testing {
namespace {

class SettingsStoreTest : public PrinterTest {
  protected:
    // A block as the default request prepares it before reading printer data.
    OemDevmode Preset() {
        OemDevmode b = PatternBlock(0x5A);
        for (std::int32_t* f : {&b.lXOffset, &b.lYOffset, &b.lSlipCorrection, &b.lPaperSizeIndex,
                                &b.lLastPaperIndex, &b.lStdPaperCount, &b.lCustomPaperCount}) {
            *f = kUnsetSigned;
        }
        for (std::uint32_t* f :
             {&b.dwCutter, &b.dwPrintSpeed, &b.dwPrintDensity, &b.dwConfigNumber, &b.dwReserved3}) {
            *f = kUnsetValue;
        }
        b.dwCopies = 1;
        return b;
    }
    OemDevmode Loaded() {
        OemDevmode b = Preset();
        LoadDefaultSettings(store, b, debug);
        return b;
    }
    OemDevmode Reloaded() {
        OemDevmode b = PatternBlock(0x5A);
        b.dwCopies = 1;
        ReloadStoredSettings(store, b);
        return b;
    }
};

TEST_F(SettingsStoreTest, EmptyPrinterGivesUnsetValuesCopiesOneAndOneTraceLine) {
    const OemDevmode b = Loaded();
    for (std::uint32_t v :
         {std::uint32_t(b.lXOffset), std::uint32_t(b.lYOffset), std::uint32_t(b.lSlipCorrection),
          b.dwCutter, b.dwPrintSpeed, b.dwPrintDensity, std::uint32_t(b.lPaperSizeIndex),
          b.dwConfigNumber, std::uint32_t(b.lStdPaperCount)}) {
        EXPECT_EQ(v, kUnsetValue);
    }
    EXPECT_EQ(b.dwCopies, 1u);
    for (std::uint8_t flag : {b.bSlipCorrectionSend, b.bOffsetSend, b.bCutterSend,
                              b.bPrintSpeedSend, b.bPrintDensitySend, b.bRotate180, b.bConfigSend,
                              b.bPaperFormatSend, b.bPassThroughSend}) {
        EXPECT_EQ(flag, 0);
    }
    EXPECT_EQ(b.szPassThroughFont[0], u'\0');
    ASSERT_EQ(debug.lines.size(), 1u);
    EXPECT_EQ(debug.lines[0], "dwErr (counts of Papers) = 2\r\n");
}

TEST_F(SettingsStoreTest, NegativeStandardCountIsUnsetAndTracedWithZero) {
    printer->Put(value::kStdPaperCount, kRegBinary, std::int32_t{-4});
    EXPECT_EQ(Loaded().lStdPaperCount, kUnsetSigned);
    ASSERT_EQ(debug.lines.size(), 1u);
    EXPECT_EQ(debug.lines[0], "dwErr (counts of Papers) = 0\r\n");
    EXPECT_EQ(Reloaded().lStdPaperCount, kUnsetSigned);
    printer->Put(value::kStdPaperCount, kRegBinary, std::int32_t{12});
    EXPECT_EQ(Loaded().lStdPaperCount, 12);
    EXPECT_EQ(Reloaded().lStdPaperCount, 12);
}

TEST_F(SettingsStoreTest, WithoutPrinterEveryValueIsUnreadable) {
    OemDevmode b = Preset();
    NoPrinterStore none;
    LoadDefaultSettings(none, b, debug);
    EXPECT_EQ(b.dwCopies, 1u);
    EXPECT_EQ(b.lXOffset, kUnsetSigned);
    ASSERT_EQ(debug.lines.size(), 1u);
    EXPECT_EQ(debug.lines[0], "dwErr (counts of Papers) = 6\r\n");
}

struct Acceptance {
    const char16_t* name;
    std::uint32_t stored;
    std::uint32_t (*field)(const OemDevmode&);
    std::uint32_t taken;
};

// A new devmode and a reloaded one take the printer's defaults by the same rules: the same stored
// values give the same settings.
TEST_F(SettingsStoreTest, AcceptanceRulesOfBothReaders) {
    constexpr auto U = kUnsetValue;
    const auto X = [](const OemDevmode& b) { return std::uint32_t(b.lXOffset); };
    const auto S = [](const OemDevmode& b) { return std::uint32_t(b.lSlipCorrection); };
    const auto P = [](const OemDevmode& b) { return std::uint32_t(b.lPaperSizeIndex); };
    const auto Cut = [](const OemDevmode& b) { return b.dwCutter; };
    const auto Spd = [](const OemDevmode& b) { return b.dwPrintSpeed; };
    const auto Den = [](const OemDevmode& b) { return b.dwPrintDensity; };
    const auto Cop = [](const OemDevmode& b) { return b.dwCopies; };
    const auto Cfg = [](const OemDevmode& b) { return b.dwConfigNumber; };
    const Acceptance cases[] = {
        {value::kXOffset, std::uint32_t(-300), X, std::uint32_t(-300)},
        {value::kXOffset, 300, X, 300},
        {value::kXOffset, 301, X, U},
        {value::kXOffset, std::uint32_t(-301), X, U},
        {value::kSlipCorrection, std::uint32_t(-100), S, std::uint32_t(-100)},
        {value::kSlipCorrection, 101, S, U},
        {value::kCutter, 2, Cut, 2},
        {value::kCutter, 3, Cut, U},
        {value::kPrintSpeed, 4, Spd, 4},
        {value::kPrintSpeed, 6, Spd, 6},
        {value::kPrintSpeed, std::uint32_t(-1), Spd, U},
        {value::kPrintDensity, 115, Den, 115},
        {value::kPrintDensity, 112, Den, U},
        {value::kPrintDensity, 125, Den, U},
        {value::kPrintDensity, 5, Den, U},
        {value::kCopies, 0, Cop, 1},
        {value::kCopies, 9999, Cop, 9999},
        {value::kCopies, 10000, Cop, 1},
        {value::kPaperSizes, 8, P, 8},
        {value::kPaperSizes, 9, P, U},
        {value::kConfig, 9, Cfg, 9},
        {value::kConfig, 10, Cfg, U},
    };
    for (const Acceptance& c : cases) {
        printer->values.clear();
        PutDword(c.name, c.stored);
        EXPECT_EQ(c.field(Loaded()), c.taken) << std::string(c.name, c.name + 3) << c.stored;
        EXPECT_EQ(c.field(Reloaded()), c.taken) << std::string(c.name, c.name + 3) << c.stored;
    }
}

TEST_F(SettingsStoreTest, ReloadOfMissingValuesKeepsCopiesAndPresets) {
    const OemDevmode b = Reloaded();
    EXPECT_EQ(b.dwCopies, 1u);
    EXPECT_EQ(b.dwReserved3, kUnsetValue);
    EXPECT_EQ(b.lLastPaperIndex, kUnsetSigned);
    EXPECT_EQ(b.lCustomPaperCount, 0);
    EXPECT_EQ(b.bSlipCorrectionSend, 0);
    EXPECT_EQ(b.bPrintSpeedSend, 0);
    // The later flags are not preset and, unreadable, keep the block's bytes.
    EXPECT_EQ(b.bPrintDensitySend, 0x5A);
    EXPECT_EQ(b.bPaperFormatSend, 0x5A);
    EXPECT_EQ(b.szPassThroughFont[0], 0x5A5A) << "the font is not reloaded";
}

TEST_F(SettingsStoreTest, FlagsAreOneByteEach) {
    PutFlag(value::kRotateSend, 1);
    PutFlag(value::kPaperFormatSend, 7);
    printer->Put(value::kCutterSend, kRegBinary, std::uint32_t{1});  // too long: unreadable
    const OemDevmode loaded = Loaded();
    EXPECT_EQ(loaded.bRotate180, 1);
    EXPECT_EQ(loaded.bPaperFormatSend, 7);
    EXPECT_EQ(loaded.bCutterSend, 0);
    const OemDevmode reloaded = Reloaded();
    EXPECT_EQ(reloaded.bRotate180, 1);
    EXPECT_EQ(reloaded.bCutterSend, 0) << "preset by the reload";
}

TEST_F(SettingsStoreTest, ShorterValueFillsOnlyItsOwnBytes) {
    printer->Put(value::kCopies, kRegDword, std::uint16_t{5});
    EXPECT_EQ(Loaded().dwCopies, 5u) << "preset 1 has zero upper bytes";
    printer->Put(value::kXOffset, kRegDword, std::uint16_t{5});
    EXPECT_EQ(Loaded().lXOffset, kUnsetSigned) << "upper bytes of the unset preset stay";
}

TEST_F(SettingsStoreTest, PassThroughFontOfEveryLengthThePageCanSaveReadsBackWhole) {
    const std::u16string longest(511, u'F');
    printer->Put(value::kPassThroughFont, kRegExpandSz, longest.data(), longest.size() * 2);
    PutFlag(value::kPassThroughSend, 1);
    OemDevmode b = Loaded();
    EXPECT_EQ(std::u16string(b.szPassThroughFont), longest);
    EXPECT_EQ(b.bPassThroughSend, 1);
    EXPECT_EQ(b.trailing[0], 0x5A) << "nothing after the field is touched";

    const std::u16string name = u"Courier New";
    printer->Put(value::kPassThroughFont, kRegExpandSz, name.data(), name.size() * 2);
    b = Loaded();
    EXPECT_EQ(std::u16string(b.szPassThroughFont), name);
}

TEST_F(SettingsStoreTest, LongestNameStoredWithItsTerminatorReadsBackWhole) {
    const std::u16string longest(511, u'F');
    printer->Put(value::kPassThroughFont, kRegExpandSz, longest.c_str(), (longest.size() + 1) * 2);
    EXPECT_EQ(std::u16string(Loaded().szPassThroughFont), longest);

    const std::u16string unterminated(512, u'G');
    printer->Put(value::kPassThroughFont, kRegExpandSz, unterminated.data(), 1024);
    EXPECT_EQ(std::u16string(Loaded().szPassThroughFont), unterminated.substr(0, 511));
}

TEST_F(SettingsStoreTest, TooLongOrMissingFontClearsNameAndSendFlag) {
    const std::u16string tooLong(513, u'F');
    printer->Put(value::kPassThroughFont, kRegExpandSz, tooLong.data(), tooLong.size() * 2);
    PutFlag(value::kPassThroughSend, 1);
    OemDevmode b = Loaded();
    EXPECT_EQ(b.szPassThroughFont[0], u'\0');
    EXPECT_EQ(b.bPassThroughSend, 0);

    printer->values.erase(value::kPassThroughFont);
    b = Loaded();
    EXPECT_EQ(b.szPassThroughFont[0], u'\0');
    EXPECT_EQ(b.bPassThroughSend, 0);
}

TEST_F(SettingsStoreTest, OddByteFontIsCutToWholeUnitsAndTerminated) {
    const char16_t name[] = u"Arial";
    printer->Put(value::kPassThroughFont, kRegExpandSz, name, 7);
    EXPECT_EQ(std::u16string(Loaded().szPassThroughFont), u"Ari");
}

TEST_F(SettingsStoreTest, DefaultReadMakesOneCallPerValue) {
    Loaded();
    EXPECT_EQ(printer->gets, 20) << "count, nine numbers, nine flags, the font";
    EXPECT_EQ(printer->sets, 0);
}

}  // namespace
}  // namespace adjustui::testing
