// The page's language rule and its tables: strings, control template, groups, texts by language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>

#include "page/controls.h"
#include "page/language.h"
#include "page/texts.h"

namespace adjustui::page {
namespace {

TEST(PageLanguage, GermanOnlyForTheFiveDefaultSortGermanLocales) {
    const std::set<std::uint32_t> german{0x0407, 0x0807, 0x0C07, 0x1007, 0x1407};
    std::set<std::uint32_t> found;
    for (std::uint32_t lcid = 0; lcid <= 0x2FFFF; ++lcid) {
        if (IsGermanLocale(lcid))
            found.insert(lcid);
    }
    EXPECT_EQ(found, german);
    for (std::uint32_t lcid : {0x0409u, 0x040Cu, 0x1807u, 0x10407u, 0x0007u, 0x0406u, 0x0408u,
                               0xFFFFFFFFu, 0x80000407u, 0x00100407u})
        EXPECT_FALSE(IsGermanLocale(lcid)) << std::hex << lcid;
}

TEST(PageStrings, TableHoldsExactlyItsIdsWithTheirTexts) {
    std::set<std::uint32_t> present;
    for (std::uint32_t id = 0; id <= 0x10000; ++id) {
        if (FindPageString(id))
            present.insert(id);
    }
    std::set<std::uint32_t> expected{1, 3};
    for (std::uint32_t id = 6; id <= 15; ++id)
        expected.insert(id);
    for (std::uint32_t id = 100; id <= 219; ++id)
        expected.insert(id);
    for (std::uint32_t id : {117, 118, 119, 130, 131, 134, 135, 140, 141})
        expected.erase(id);
    EXPECT_EQ(present, expected);

    EXPECT_EQ(FindPageString(1), u"Options");
    EXPECT_EQ(FindPageString(133), u"Druckintensität");
    EXPECT_EQ(FindPageString(138), u"Rotate at 180°");
    EXPECT_EQ(FindPageString(143), u"Papiergröße");
    EXPECT_EQ(FindPageString(175), u"Maßeinheit:");
    EXPECT_EQ(FindPageString(184), u"Ungültig");
    EXPECT_EQ(FindPageString(153),
              u"Der Endziffer des eingegebenen Werts muss entweder 0 oder 5 betragen.");
    EXPECT_EQ(FindPageString(167), u"Width of Papers must be between 4,23 and 228,60 mm.");
    // The loader has room for 259 units: every text must come back whole.
    for (const PageString& entry : kPageStrings) {
        EXPECT_FALSE(entry.text.empty()) << static_cast<int>(entry.id);
        EXPECT_LT(entry.text.size(), 260u) << static_cast<int>(entry.id);
    }
}

TEST(PageStrings, EveryPairNamesTwoTextsOfItsLanguages) {
    auto check = [](const TextPair& pair) {
        ASSERT_TRUE(FindPageString(static_cast<std::uint32_t>(pair.german)));
        ASSERT_TRUE(FindPageString(static_cast<std::uint32_t>(pair.english)));
        EXPECT_NE(FindPageString(static_cast<std::uint32_t>(pair.german)),
                  FindPageString(static_cast<std::uint32_t>(pair.english)));
        EXPECT_EQ(pair.In(true), pair.german);
        EXPECT_EQ(pair.In(false), pair.english);
    };
    for (const ControlText& entry : kControlTexts) {
        SCOPED_TRACE(entry.control);
        EXPECT_NE(FindControl(entry.control), nullptr);
        check(entry.text);
    }
    for (const TextPair& pair : kCutterModeTexts)
        check(pair);
    for (const TextPair& pair :
         {kPageTitleText, kOffsetRangeInchText, kOffsetRangeMmText, kSyntaxErrorText,
          kSlipCorrectionRangeText, kCopiesAtLeastOneText, kCopiesAtMostText, kCopiesInvalidText,
          kCopiesRangeText, kDensityRangeText, kDensityFinalDigitText})
        check(pair);

    EXPECT_EQ(FindPageString(static_cast<std::uint32_t>(kPageTitleText.In(true))), u"Anpassungen");
    EXPECT_EQ(FindPageString(static_cast<std::uint32_t>(kCutterModeTexts[2].In(false))),
              u"Page cut");
    // Every check box of an optional setting follows the language, pass-through's included.
    std::set<std::uint16_t> activated;
    for (const ControlText& entry : kControlTexts) {
        if (entry.text.english == StringId::kActivatedEn)
            activated.insert(entry.control);
    }
    EXPECT_EQ(activated, (std::set<std::uint16_t>{1020, 1024, 1028, 1031, 1035, 1053, 1057}));
    EXPECT_EQ(std::size(kControlTexts), 27u);
}

bool Inside(const ControlTemplate& control, const ControlTemplate& box) {
    return control.x >= box.x && control.x < box.x + box.width && control.y >= box.y &&
           control.y < box.y + box.height;
}

TEST(PageControls, RightColumnGroupsAreStackedAndHoldTheirControls) {
    EXPECT_EQ(kPageControls[0].id, kImagePositioningGroup);
    EXPECT_EQ(kPageControls[std::size(kPageControls) - 1].id, kPassThroughCheck);
    EXPECT_EQ(kXOffsetEdit, 1005);

    const std::int16_t heights[] = {46, 32, 32, 32, 44};
    for (std::size_t g = 0; g < std::size(kRightColumn); ++g) {
        SCOPED_TRACE(g);
        const ColumnGroup& group = kRightColumn[g];
        EXPECT_EQ(group.TemplateHeight(), heights[g]);
        const ControlTemplate& box = *FindControl(group.Box());
        if (g > 0) {
            const ControlTemplate& above = *FindControl(kRightColumn[g - 1].Box());
            EXPECT_EQ(box.y, above.y + above.height + kRightColumnGap);
            EXPECT_EQ(box.x, above.x);
        }
        // A group's list is complete: exactly the template's controls inside its box move with it.
        std::set<std::uint16_t> inside;
        for (const ControlTemplate& control : kPageControls) {
            if (Inside(control, box))
                inside.insert(control.id);
        }
        EXPECT_EQ(inside, std::set<std::uint16_t>(group.controls.begin(), group.controls.end()));
    }
    EXPECT_EQ(GroupOf(RightColumnGroup::Cutter).Box(), kCutterGroup);
    EXPECT_EQ(GroupOf(RightColumnGroup::Configuration).Box(), kConfigurationGroup);

    for (const ControlTemplate& control : kPageControls) {
        SCOPED_TRACE(control.id);
        EXPECT_LE(control.x + control.width, kPageDialogWidth);
        const bool list = control.kind == ControlKind::DropDownList ||
                          control.kind == ControlKind::SortedDropDownList;
        if (!list) {
            EXPECT_LE(control.y + control.height, kPageDialogHeight);
        }
        if (list || control.kind == ControlKind::Edit ||
            control.kind == ControlKind::DisabledEdit) {
            EXPECT_TRUE(control.text.empty());
        }
    }
    const auto disabled =
        std::count_if(std::begin(kPageControls), std::end(kPageControls),
                      [](const ControlTemplate& c) { return c.kind == ControlKind::DisabledEdit; });
    EXPECT_EQ(disabled, 2);
    EXPECT_EQ(FindControl(kSlipCorrectionEdit)->kind, ControlKind::DisabledEdit);
    EXPECT_EQ(FindControl(kPrintDensityEdit)->kind, ControlKind::DisabledEdit);
}

}  // namespace
}  // namespace adjustui::page
