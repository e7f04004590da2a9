#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "common/text.h"
#include "page/page_model.h"
#include "page/shown_values.h"
#include "tests/unit/fixtures.h"

namespace adjustui::page {
namespace {

using adjustui::testing::Paper;
using adjustui::testing::PatternBlock;

constexpr ModelCapabilities kEveryGroup{true, true, true, true};
// Width 43..2286 and length 42..20320 tenths of a millimetre.
constexpr PaperLimits kLimits{(42u << 16) | 43u, (20320u << 16) | 2286u};

PaperListView Papers(const std::vector<PaperRecord>& standard,
                     const std::vector<PaperRecord>& custom, std::optional<std::size_t> selected,
                     PaperSource source = PaperSource::PublicDevmode) {
    PaperListView view;
    for (const auto* list : {&standard, &custom}) {
        for (const PaperRecord& r : *list) {
            view.entries.push_back({std::u16string(FieldText(r.name).substr(0, 63)), r.id, r.width,
                                    r.length, list == &custom, r});
        }
    }
    view.selected = selected;
    view.source = source;
    if (selected) {
        view.width = view.entries[*selected].width;
        view.length = view.entries[*selected].length;
    }
    view.lastIndex = static_cast<std::int32_t>(view.entries.size()) - 1;
    return view;
}

// A devmode of the job as a new one holds it, with every send flag set.
OemDevmode Job() {
    OemDevmode d = PatternBlock(0);
    d.lXOffset = 64;
    d.lYOffset = -160;
    d.lSlipCorrection = -7;
    d.dwCopies = 3;
    d.dwPrintDensity = 115;
    d.dwCutter = 1;
    d.dwConfigNumber = 2;
    d.dwPrintSpeed = 4;
    for (const CheckBox& check : kCheckBoxes)
        FlagOf(check, d) = 1;
    return d;
}

struct Page {
    explicit Page(ModelCapabilities caps = kEveryGroup,
                  PaperListView papers = Papers({Paper(u"A4", 9, 2100, 2970)}, {}, 0),
                  OemDevmode job = Job())
        : model(PageFacts{caps, kLimits, std::move(papers), false}), devmode(job) {
        shown = this->model.Open(devmode, LengthUnit::Inch, LengthUnit::Inch);
        shown.printSpeed = devmode.dwPrintSpeed;
    }
    PageModel model;
    OemDevmode devmode;
    PageShown shown;
};

TEST(PageModelTest, AnUntouchedPageChangesNothingAndApplyThenOkEqualsOk) {
    // Every offset a devmode can hold comes back as it was, though "0.21" stands for 64.
    for (std::int32_t offset = -300; offset <= 300; ++offset) {
        OemDevmode job = Job();
        job.lXOffset = offset;
        job.lYOffset = -offset;
        Page page(kEveryGroup, Papers({}, {}, std::nullopt), job);
        const OemDevmode before = page.devmode;
        ASSERT_FALSE(page.model.Leave(page.shown, page.devmode).refusal) << offset;
        ASSERT_EQ(page.devmode.lXOffset, offset);
        ASSERT_EQ(page.devmode.lYOffset, -offset);
        OemDevmode again = page.devmode;
        page.model.Leave(page.shown, again);
        ASSERT_EQ(std::memcmp(&again, &page.devmode, sizeof again), 0) << "Apply, then OK";
        page.devmode.bSettingsValid = before.bSettingsValid;
        ASSERT_EQ(std::memcmp(&before, &page.devmode, sizeof before), 0) << offset;
    }
    // A typed value the check accepts is the value taken: every two-decimal inch value.
    OemDevmode zero = Job();
    zero.lXOffset = 0;
    Page page(kEveryGroup, Papers({}, {}, std::nullopt), zero);
    for (int hundredths = -100; hundredths <= 100; ++hundredths) {
        page.shown.Text(Field::XOffset) = FixedText(hundredths / 100.0, 2);
        EXPECT_EQ(page.model.ValueOf(Field::XOffset, page.shown), hundredths * 3);
    }
    page.shown.Text(Field::XOffset) = u"12,7";
    page.shown.xUnit = LengthUnit::Millimetre;
    EXPECT_EQ(page.model.ValueOf(Field::XOffset, page.shown), 150);
    page.shown.Text(Field::XOffset) = u"25.41";
    EXPECT_FALSE(page.model.ValueOf(Field::XOffset, page.shown));
}

TEST(PageModelTest, OnlyWhatTheUserCanSeeAndChangeIsJudged) {
    // No print density and no slip correction: a document's density of 12 and an unset slip
    // correction, both with their flags set, leave the page as they came.
    OemDevmode job = Job();
    job.dwPrintDensity = 12;
    job.lSlipCorrection = kUnsetSigned;
    Page manto({true, false, false, false}, Papers({}, {}, std::nullopt), job);
    const TakeOver left = manto.model.Leave(manto.shown, manto.devmode);
    EXPECT_FALSE(left.refusal);
    EXPECT_EQ(manto.devmode.dwPrintDensity, 12u);
    EXPECT_EQ(manto.devmode.bPrintDensitySend, 1);
    EXPECT_EQ(manto.devmode.lSlipCorrection, kUnsetSigned);
    EXPECT_EQ(manto.devmode.bSlipCorrectionSend, 1);
    EXPECT_TRUE(manto.model.ButtonsFor(manto.shown).setAsDefault);

    // An unchecked group's wrong value neither refuses nor keeps Add and "Save as default" off;
    // checked, it does both, whatever else is typed.
    Page page;
    page.shown.paperName = u"Label";
    page.shown.Text(Field::XOffset) = u"";
    page.shown.Text(Field::Density) = u"125";
    page.shown.Check(kImagePositioningCheck, false);
    page.shown.Check(kPrintDensityCheck, false);
    EXPECT_EQ(page.model.ButtonsFor(page.shown), (Buttons{true, false, true, true}));
    OemDevmode out = page.devmode;
    EXPECT_FALSE(page.model.Leave(page.shown, out).refusal);
    EXPECT_EQ(out.lXOffset, 64);
    EXPECT_EQ(out.dwPrintDensity, 115u);
    EXPECT_EQ(out.bOffsetSend, 0);
    page.shown.Check(kImagePositioningCheck, true);
    page.shown.Text(Field::PaperWidth) = u"100";
    EXPECT_EQ(page.model.ButtonsFor(page.shown), (Buttons{false, false, false, true}));
    page.shown.Check(kSlipCorrectionCheck, false);
    const OemDevmode taken = out;
    const TakeOver refused = page.model.Leave(page.shown, out);
    ASSERT_TRUE(refused.refusal);
    EXPECT_EQ(refused.refusal->field, RefusedField::XOffset);
    EXPECT_EQ(std::memcmp(&taken, &out, sizeof out), 0) << "a refusal writes nothing";
    page.shown.Text(Field::XOffset) = u"0.5";
    page.shown.Check(kPrintDensityCheck, true);
    EXPECT_FALSE(page.model.ButtonsFor(page.shown).setAsDefault);
    EXPECT_EQ(page.model.Leave(page.shown, out).refusal->field, RefusedField::Density);
    EXPECT_EQ(page.model.Judge(Field::Density, page.shown).check.balloon->text,
              u"Value must be between 10 and 120.");
}

TEST(PageModelTest, WhatThePageShowsIsWhatOkTakesAndSetAsDefaultStores) {
    // A job without a paper of its own shows the printer's default paper; OK makes it the job's.
    OemDevmode job = Job();
    job.dwCutter = kUnsetValue;
    job.dwConfigNumber = kUnsetValue;
    Page page(kEveryGroup,
              Papers({Paper(u"A4", 9, 2100, 2970)}, {Paper(u"Label", 300, 500, 300)}, 1,
                     PaperSource::PrinterDefault),
              job);
    EXPECT_EQ(page.shown.paperName, u"Label");
    OemDevmode out = page.devmode;
    const TakeOver left = page.model.Leave(page.shown, out);
    ASSERT_TRUE(left.paper);
    EXPECT_EQ(left.paper->code, 300);
    EXPECT_EQ(left.paper->width, 500);
    EXPECT_EQ(out.wSelectedPaperSize, 300);
    // Unset values show the first entries, which a checked group sends.
    EXPECT_EQ(out.dwCutter, 0u);
    EXPECT_EQ(out.bCutterSend, 1);
    EXPECT_EQ(out.dwConfigNumber, 0u);
    EXPECT_EQ(out.bConfigSend, 1);

    std::map<std::u16string, std::vector<std::byte>> stored;
    for (const ValueToStore& v :
         page.model.Defaults(page.shown, page.devmode, PublicPaper{9, 2100, 2970}))
        stored[v.setting->name] = v.data;
    auto number = [&](const char16_t* name) {
        std::int32_t v = 0;
        const auto& data = stored.at(name);
        std::memcpy(&v, data.data(), data.size());
        return data.size() == 2 ? std::int32_t{static_cast<std::int16_t>(v)} : v;
    };
    EXPECT_EQ(stored.size(), 22u) << "every value but the paper format flag and the count";
    EXPECT_EQ(number(value::kSelectedPaperSize), 300) << "the paper shown, not an untouched 0";
    EXPECT_EQ(number(value::kDevmodePaperWidth), 500);
    EXPECT_EQ(number(value::kXOffset), 64);
    EXPECT_EQ(number(value::kCutter), 0);
    EXPECT_EQ(number(value::kPrintDensity), 115);
    EXPECT_EQ(stored.at(value::kOffsetSend), std::vector<std::byte>{std::byte{1}});
    // An unchecked field is stored as the devmode holds it, not as typed.
    page.shown.Check(kPrintDensityCheck, false);
    page.shown.Text(Field::Density) = u"12";
    for (const ValueToStore& v :
         page.model.Defaults(page.shown, page.devmode, PublicPaper{9, 2100, 2970}))
        stored[v.setting->name] = v.data;
    EXPECT_EQ(number(value::kPrintDensity), 115);
    EXPECT_EQ(stored.at(value::kPrintDensitySend), std::vector<std::byte>{std::byte{0}});
}

TEST(PageModelTest, AUnitChangeKeepsTheUsersValues) {
    Page page;
    EXPECT_EQ(page.shown.Text(Field::PaperWidth), u"210.00");
    page.shown.paperName = u"Own A4";
    for (LengthUnit unit :
         {LengthUnit::Inch, LengthUnit::Millimetre, LengthUnit::Inch, LengthUnit::Millimetre}) {
        for (Field f : {Field::PaperWidth, Field::PaperLength})
            page.shown.Text(f) = *page.model.ConvertUnit(f, page.shown.Text(f), unit);
        page.shown.paperUnit = unit;
        EXPECT_FALSE(page.model.Judge(Field::PaperLength, page.shown).check.balloon);
    }
    EXPECT_EQ(page.shown.Text(Field::PaperWidth), u"210.00");
    EXPECT_EQ(page.shown.Text(Field::PaperLength), u"297.00");
    const auto paper = page.model.NewPaper(page.shown);
    ASSERT_TRUE(paper);
    EXPECT_EQ(paper->width, 2100);
    EXPECT_EQ(paper->length, 2970);
    // A typed value converts from the unit it was typed in; an empty one stays empty.
    page.shown.Text(Field::PaperWidth) =
        *page.model.ConvertUnit(Field::PaperWidth, u"100", LengthUnit::Inch);
    page.shown.paperUnit = LengthUnit::Inch;
    EXPECT_EQ(page.shown.Text(Field::PaperWidth), u"3.94");
    EXPECT_EQ(page.model.ValueOf(Field::PaperWidth, page.shown), 1000);
    EXPECT_FALSE(page.model.ConvertUnit(Field::XOffset, u"", LengthUnit::Millimetre));
    // A width just below the minimum is refused, not stored below it.
    page.shown.paperUnit = LengthUnit::Millimetre;
    page.shown.Text(Field::PaperWidth) = u"4.299999";
    EXPECT_FALSE(page.model.NewPaper(page.shown));
    page.shown.Text(Field::PaperWidth) = u"4.3";
    EXPECT_EQ(page.model.NewPaper(page.shown)->width, 43);
}

TEST(PageModelTest, PaperNamesAsTheFieldHoldsThem) {
    const std::u16string longName(64, u'N');
    Page page(kEveryGroup, Papers({Paper(u"A4", 9, 2100, 2970), Paper(u"Letter", 1, 2159, 2794)},
                                  {Paper(u"Ticket", 257, 800, 1500), Paper(u"A4", 258, 5, 5),
                                   Paper(longName, 259, 600, 600)},
                                  std::nullopt));
    EXPECT_EQ(page.model.ClassifyName(u""), NameKind::Empty);
    EXPECT_EQ(page.model.ClassifyName(u"Letter"), NameKind::Standard);
    EXPECT_EQ(page.model.ClassifyName(u"letter"), NameKind::New);
    EXPECT_EQ(page.model.ClassifyName(u"A4"), NameKind::Custom);
    page.shown.paperName = longName.substr(0, 63);
    EXPECT_EQ(page.model.ClassifyName(page.shown.paperName), NameKind::Custom);
    EXPECT_EQ(page.model.ButtonsFor(page.shown), (Buttons{false, true, true, true}));
    EXPECT_EQ(FieldText(page.model.NamedCustomPaper(page.shown)->name).size(), 64u);
    page.shown.paperName = u"A4";
    page.shown.paperEntry = 0;
    EXPECT_EQ(page.model.NamedCustomPaper(page.shown)->id, 258) << "only custom papers go";
}

}  // namespace
}  // namespace adjustui::page
