// The page's number scanning, every field check, the keystroke filter, the page's model and the
// forming of a custom paper, over arbitrary 16-bit texts, units and limits: nothing out of range,
// unset or not wholly a number is ever judged valid or taken over; an untouched page leaves the
// devmode as it came; a field the model accepts is taken over and stored as the value it shows;
// leaving twice (Apply, then OK) takes what leaving once takes.
#include <cmath>
#include <cstring>
#include <string>

#include "common/text.h"
#include "fuzz/fuzz_printer.h"
#include "page/custom_paper.h"
#include "page/page_model.h"
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
    RequireValidMeansInRange(CheckPaperWidth(text, unit, std::nullopt, german), text,
                             NumberKind::Decimal, 0, 3276.7);
    RequireValidMeansInRange(CheckPaperLength(text, unit, limits, german), text,
                             NumberKind::Decimal, -1e9, 1e9);
    FilterPasses(in.ConsumeIntegral<char16_t>(),
                 in.ConsumeBool() ? NumberKind::Whole : NumberKind::Decimal, text,
                 in.ConsumeIntegral<std::size_t>());

    // A job of values the page can show, which an untouched page leaves as they came.
    OemDevmode job{};
    job.lXOffset = in.ConsumeIntegralInRange<std::int32_t>(-300, 300);
    job.lYOffset = in.ConsumeIntegralInRange<std::int32_t>(-300, 300);
    job.lSlipCorrection = in.ConsumeIntegralInRange<std::int32_t>(-100, 100);
    job.dwCopies = in.ConsumeIntegralInRange<std::uint32_t>(1, 9999);
    job.dwPrintDensity = 5 * in.ConsumeIntegralInRange<std::uint32_t>(2, 24);
    job.dwCutter = in.ConsumeIntegralInRange<std::uint32_t>(0, 2);
    job.dwConfigNumber = in.ConsumeIntegralInRange<std::uint32_t>(0, 9);
    job.dwPrintSpeed = in.ConsumeIntegral<std::uint32_t>();
    for (const CheckBox& check : kCheckBoxes)
        FlagOf(check, job) = in.ConsumeBool() ? 1 : 0;
    const ModelCapabilities model{in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(),
                                  in.ConsumeBool()};
    PageModel page(
        PageFacts{model, in.ConsumeBool() ? std::optional(limits) : std::nullopt, {}, german});
    PageShown shown =
        page.Open(job, unit, in.ConsumeBool() ? LengthUnit::Inch : LengthUnit::Millimetre);
    shown.printSpeed = job.dwPrintSpeed;
    OemDevmode untouched = job;
    Require(!page.Leave(shown, untouched).refusal);
    untouched.bSettingsValid = job.bSettingsValid;
    Require(std::memcmp(&untouched, &job, sizeof job) == 0);

    // The user types, checks and changes units.
    for (bool& checked : shown.checked)
        checked = in.ConsumeBool();
    for (std::u16string& field : shown.texts) {
        if (in.ConsumeBool())
            field = in.ConsumeBool() ? text : Text(in);
    }
    for (Field f : {Field::XOffset, Field::PaperWidth}) {
        if (in.ConsumeBool()) {
            const LengthUnit to = in.ConsumeBool() ? LengthUnit::Inch : LengthUnit::Millimetre;
            if (const auto converted = page.ConvertUnit(f, shown.Text(f), to))
                shown.Text(f) = *converted;
            (f == Field::XOffset ? shown.xUnit : shown.paperUnit) = to;
        }
    }
    shown.passThroughFont = Text(in);
    OemDevmode once = job;
    if (!page.Leave(shown, once).refusal) {
        OemDevmode twice = once;
        Require(!page.Leave(shown, twice).refusal);
        Require(std::memcmp(&once, &twice, sizeof once) == 0);
        Require(once.bSettingsValid == 1);
        Require(once.dwCopies >= 1 && once.dwCopies <= 9999);
        Require(!once.bOffsetSend ||
                (std::abs(once.lXOffset) <= 300 && std::abs(once.lYOffset) <= 300));
        Require(!once.bSlipCorrectionSend || std::abs(once.lSlipCorrection) <= 100);
        Require(!once.bCutterSend || once.dwCutter <= 2);
        Require(!once.bConfigSend || once.dwConfigNumber <= 9);
        Require(BoundedLength(once.szPassThroughFont, kPassThroughFontUnits) <
                kPassThroughFontUnits);
        // What counts and is accepted is taken as the value the model gives for it.
        struct Taken {
            Field field;
            std::int64_t value;
        };
        for (const Taken& t :
             {Taken{Field::XOffset, once.lXOffset}, Taken{Field::YOffset, once.lYOffset},
              Taken{Field::SlipCorrection, once.lSlipCorrection},
              Taken{Field::Copies, once.dwCopies}, Taken{Field::Density, once.dwPrintDensity}}) {
            const Judgement j = page.Judge(t.field, shown);
            if (j.judged) {
                Require(j.check.valid);
                Require(page.ValueOf(t.field, shown) == t.value);
            }
        }
    }
    if (const auto added = page.NewPaper(shown)) {
        const PaperLimits known = page.facts().limits.value_or(kPaperLimitsUnknown);
        Require(static_cast<std::uint32_t>(added->width) >= (known.minimum & 0xFFFF));
        Require(static_cast<std::uint32_t>(added->width) <= (known.maximum & 0xFFFF));
        Require(static_cast<std::uint32_t>(added->length) >= (known.minimum >> 16));
        Require(static_cast<std::uint32_t>(added->length) <= (known.maximum >> 16));
    }
    const PaperRecord paper = MakeCustomPaper(text, text, Text(in), unit, 257);
    Require(BoundedLength(paper.name, kPaperNameUnits) < kPaperNameUnits);
    return 0;
}
