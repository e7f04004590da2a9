#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "page/defaults.h"
#include "page/paper_editor.h"
#include "page/take_over.h"
#include "tests/unit/fixtures.h"

namespace adjustui::page {
namespace {

using testing::Paper;
using testing::PatternBlock;

std::size_t IndexOf(ControlId box) {
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) {
        if (kCheckBoxes[i].box == box)
            return i;
    }
    return 0;
}

PageEntries ValidPage() {
    PageEntries page;
    page.checked[IndexOf(kImagePositioningCheck)] = true;
    page.checked[IndexOf(kSlipCorrectionCheck)] = true;
    page.xOffset = u"0.5";
    page.yOffset = u"12,7";
    page.yUnit = LengthUnit::Millimetre;
    page.slipCorrection = u"-7";
    page.copies = u"3";
    page.density = u"115";
    return page;
}

TEST(TakeOverTest, LeavingThePageTakesItOverOrRefusesTheFirstWrongField) {
    OemDevmode devmode = PatternBlock(0);
    devmode.dwConfigNumber = kUnsetValue;
    devmode.dwCutter = 1;
    PageEntries page = ValidPage();
    page.checked[IndexOf(kConfigurationCheck)] = true;
    page.checked[IndexOf(kCutterCheck)] = true;
    OffsetUnits units;
    EXPECT_FALSE(TakeOverPage(page, devmode, units));
    EXPECT_EQ(devmode.lXOffset, 150);
    EXPECT_EQ(devmode.lYOffset, 150) << "12,7 mm";
    EXPECT_EQ(units.yInMm, 1);
    EXPECT_EQ(devmode.lSlipCorrection, -7);
    EXPECT_EQ(devmode.dwCopies, 3u);
    EXPECT_EQ(devmode.dwPrintDensity, 115u);
    EXPECT_EQ(devmode.bOffsetSend, 1);
    EXPECT_EQ(devmode.bSlipCorrectionSend, 1);
    EXPECT_EQ(devmode.bConfigSend, 0) << "an unset configuration is not sent";
    EXPECT_EQ(devmode.dwConfigNumber, 0u);
    EXPECT_EQ(devmode.bCutterSend, 1);
    EXPECT_EQ(devmode.bSettingsValid, 1);

    struct Wrong {
        std::u16string PageEntries::*field;
        std::u16string text;
        RefusedField refused;
    };
    // Empty fields, pasted junk and values out of range are all refused, never taken as 0.
    const Wrong wrongs[] = {
        {&PageEntries::xOffset, u"1.5", RefusedField::XOffset},
        {&PageEntries::xOffset, u"", RefusedField::XOffset},
        {&PageEntries::yOffset, u"25.5", RefusedField::YOffset},
        {&PageEntries::slipCorrection, u"", RefusedField::SlipCorrection},
        {&PageEntries::slipCorrection, u"abc", RefusedField::SlipCorrection},
        {&PageEntries::copies, u"", RefusedField::Copies},
        {&PageEntries::copies, u"10000", RefusedField::Copies},
        {&PageEntries::density, u"12", RefusedField::Density},
        {&PageEntries::density, u"", RefusedField::Density},
    };
    for (const Wrong& wrong : wrongs) {
        PageEntries bad = ValidPage();
        bad.*wrong.field = wrong.text;
        OemDevmode block = PatternBlock(0);
        block.lXOffset = block.lYOffset = 99;
        const auto refusal = TakeOverPage(bad, block, units);
        ASSERT_TRUE(refusal) << std::string(wrong.text.begin(), wrong.text.end());
        EXPECT_EQ(refusal->field, wrong.refused);
        EXPECT_EQ(block.bSettingsValid, 0);
        if (wrong.refused <= RefusedField::YOffset) {
            EXPECT_EQ(block.lXOffset, 0);
            EXPECT_EQ(block.lYOffset, 0);
            EXPECT_EQ(block.bOffsetSend, 0);
        }
    }
    // Without image positioning the offsets stay, whatever the fields hold.
    PageEntries off = ValidPage();
    off.checked[IndexOf(kImagePositioningCheck)] = false;
    off.xOffset = u"junk";
    OemDevmode block = PatternBlock(0);
    block.lXOffset = 42;
    EXPECT_FALSE(TakeOverPage(off, block, units));
    EXPECT_EQ(block.lXOffset, 42);
    EXPECT_EQ(block.bOffsetSend, 0);
}

TEST(DefaultsTest, SetAsDefaultStoresEverySavedValueInItsTypeAndSize) {
    OemDevmode devmode = PatternBlock(0);
    devmode.dwCutter = kUnsetValue;
    devmode.dwPrintSpeed = 5;
    devmode.dwConfigNumber = 12;
    devmode.lPaperSizeIndex = 4;
    devmode.lLastPaperIndex = 3;
    devmode.wSelectedPaperSize = 258;
    PageEntries page = ValidPage();
    page.xOffset = u"2";  // out of range: 0
    page.yUnit = LengthUnit::Millimetre;
    page.yOffset = u"25";
    page.density = u"";
    page.copies = u"";
    page.passThroughFont = u"Mono";
    OffsetUnits units{1, 0};
    const auto values = DefaultsFromPage(page, devmode, PublicPaper{9, 2100, 2970}, units);

    std::map<std::u16string, std::vector<std::byte>> stored;
    for (const ValueToStore& v : values) {
        EXPECT_TRUE(v.setting->saved);
        stored[v.setting->name] = v.data;
    }
    auto number = [&](const char16_t* name) {
        std::int64_t v = 0;
        const auto& data = stored.at(name);
        std::memcpy(&v, data.data(), data.size());
        return data.size() == 2 ? std::int64_t{static_cast<std::int16_t>(v)}
                                : std::int64_t{static_cast<std::int32_t>(v)};
    };
    EXPECT_EQ(stored.size(), 22u) << "every value but the paper format flag and the count";
    EXPECT_EQ(number(value::kXOffset), 0);
    EXPECT_EQ(number(value::kYOffset), 295);
    EXPECT_EQ(units.xInMm, 0);
    EXPECT_EQ(units.yInMm, 1);
    EXPECT_EQ(number(value::kSlipCorrection), -7);
    EXPECT_EQ(number(value::kPrintDensity), 100) << "empty: the start value";
    EXPECT_EQ(number(value::kCopies), 1);
    EXPECT_EQ(static_cast<std::uint32_t>(number(value::kCutter)), kUnsetValue)
        << "stored as it stood";
    EXPECT_EQ(number(value::kConfig), 12);
    EXPECT_EQ(number(value::kPaperSizes), 4);
    EXPECT_EQ(stored.at(value::kSelectedPaperSize).size(), 2u);
    EXPECT_EQ(number(value::kSelectedPaperSize), 258);
    EXPECT_EQ(number(value::kDevmodePaperWidth), 2100);
    EXPECT_EQ(stored.at(value::kOffsetSend), std::vector<std::byte>{std::byte{1}});
    EXPECT_EQ(stored.at(value::kCutterSend), std::vector<std::byte>{std::byte{0}});
    EXPECT_EQ(stored.at(value::kPassThroughFont).size(), 8u) << "no terminator";
    // The devmode keeps what the page could have chosen.
    EXPECT_EQ(devmode.dwCutter, 0u);
    EXPECT_EQ(devmode.dwConfigNumber, 0u);
    EXPECT_EQ(devmode.lPaperSizeIndex, 0);
    EXPECT_EQ(devmode.dwPrintSpeed, 5u);
}

TEST(PaperEditorTest, NamesAndCodesFindTheirPapers) {
    const std::vector<PaperRecord> standard = {
        Paper(u"A4", 9, 2100, 2970), Paper(u"Letter", 1, 2159, 2794), Paper(u"A4 again", 9, 1, 1)};
    const std::vector<PaperRecord> custom = {Paper(u"Ticket", 257, 800, 1500),
                                             Paper(u"A4", 258, 5, 5)};
    EXPECT_EQ(ClassifyPaperName(u"", standard, custom), NameKind::Empty);
    EXPECT_EQ(ClassifyPaperName(u"Letter", standard, custom), NameKind::Standard);
    EXPECT_EQ(ClassifyPaperName(u"letter", standard, custom), NameKind::New);
    EXPECT_EQ(ClassifyPaperName(u"Ticket", standard, custom), NameKind::Custom);
    EXPECT_EQ(ClassifyPaperName(u"A4", standard, custom), NameKind::Custom);
    EXPECT_EQ(PaperOfCode(9, standard, custom)->width, 1) << "the last standard paper";
    EXPECT_EQ(PaperOfCode(258, standard, custom)->width, 5);
    EXPECT_FALSE(PaperOfCode(300, standard, custom));
}

}  // namespace
}  // namespace adjustui::page
