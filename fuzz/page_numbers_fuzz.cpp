// The page's number scanning, every field check, the keystroke filter, leaving the page and the
// forming of a custom paper, over arbitrary 16-bit texts, units and limits: nothing out of range,
// unset or not wholly a number is ever judged valid or taken over.
#include <cmath>
#include <string>

#include "common/text.h"
#include "fuzz/fuzz_printer.h"
#include "page/custom_paper.h"
#include "page/take_over.h"
#include "page/validation.h"

namespace adjustui::fuzz {
namespace {

std::u16string Text(FuzzedDataProvider& in) {
    // Mostly what a user could type or paste into a number field, sometimes anything.
    const bool anything = in.ConsumeBool();
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 600);
    std::u16string text;
    const char16_t typical[] = u"0123456789+-.,eE  \t1x";
    for (std::size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
        text.push_back(anything ? in.ConsumeIntegral<char16_t>()
                                : typical[in.ConsumeIntegralInRange<std::size_t>(0, 20)]);
    }
    return text;
}

void RequireValidMeansInRange(const page::FieldCheck& check, std::u16string_view text,
                              NumberKind kind, double low, double high) {
    const ScannedNumber n = ScanNumber(text.substr(0, page::kFieldReadUnits), kind);
    Require(check.valid == !check.balloon.has_value());
    if (check.valid) {
        Require(n.IsNumber() && std::isfinite(n.value));
        Require(low <= n.value && n.value <= high);
    }
}

}  // namespace
}  // namespace adjustui::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace adjustui;
    using namespace adjustui::fuzz;
    using namespace adjustui::page;
    FuzzedDataProvider in(data, size);
    const std::u16string text = Text(in);
    const LengthUnit unit = in.ConsumeBool() ? LengthUnit::Inch : LengthUnit::Millimetre;
    const bool german = in.ConsumeBool();
    const PaperLimits limits{in.ConsumeIntegral<std::uint32_t>(),
                             in.ConsumeIntegral<std::uint32_t>()};

    const double inch = unit == LengthUnit::Inch ? 1.0 : 25.4;
    RequireValidMeansInRange(CheckOffset(text, unit, german), text, NumberKind::Decimal,
                             -1.0001 * inch, 1.0001 * inch);
    RequireValidMeansInRange(CheckSlipCorrection(text, german), text, NumberKind::Whole, -100, 100);
    RequireValidMeansInRange(CheckDensity(text, german), text, NumberKind::Whole, 10, 120);
    RequireValidMeansInRange(CheckCopies(text, german), text, NumberKind::Whole, 1, 9999);
    RequireValidMeansInRange(CheckPaperWidth(text, unit, limits, german), text, NumberKind::Decimal,
                             -1e9, 1e9);
    RequireValidMeansInRange(CheckPaperLength(text, unit, limits, german), text,
                             NumberKind::Decimal, -1e9, 1e9);
    FilterPasses(in.ConsumeIntegral<char16_t>(),
                 in.ConsumeBool() ? NumberKind::Whole : NumberKind::Decimal, text,
                 in.ConsumeIntegral<std::size_t>());

    PageEntries page;
    for (bool& checked : page.checked)
        checked = in.ConsumeBool();
    std::u16string* fields[] = {&page.xOffset, &page.yOffset, &page.slipCorrection,
                                &page.copies,  &page.density, &page.passThroughFont};
    for (std::u16string* field : fields)
        *field = in.ConsumeBool() ? text : Text(in);
    page.xUnit = unit;
    page.yUnit = in.ConsumeBool() ? LengthUnit::Inch : LengthUnit::Millimetre;
    OemDevmode devmode{};
    devmode.dwCutter = in.ConsumeIntegral<std::uint32_t>();
    devmode.dwConfigNumber = in.ConsumeIntegral<std::uint32_t>();
    OffsetUnits units;
    if (!TakeOverPage(page, devmode, units)) {
        Require(devmode.bSettingsValid == 1);
        Require(devmode.dwCopies >= 1 && devmode.dwCopies <= 9999);
        Require(devmode.dwPrintDensity >= 10 && devmode.dwPrintDensity <= 120);
        Require(!devmode.bOffsetSend ||
                (std::abs(devmode.lXOffset) <= 300 && std::abs(devmode.lYOffset) <= 300));
        Require(!devmode.bSlipCorrectionSend || std::abs(devmode.lSlipCorrection) <= 100);
        Require(!devmode.bCutterSend || devmode.dwCutter <= 2);
        Require(!devmode.bConfigSend || devmode.dwConfigNumber <= 9);
        Require(BoundedLength(devmode.szPassThroughFont, kPassThroughFontUnits) <
                kPassThroughFontUnits);
    }
    const PaperRecord paper = MakeCustomPaper(text, text, Text(in), unit, 257);
    Require(BoundedLength(paper.name, kPaperNameUnits) < kPaperNameUnits);
    return 0;
}
