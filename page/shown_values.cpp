#include "page/shown_values.h"

#include <charconv>

#include "page/validation.h"

namespace adjustui::page {
namespace {

bool Holds(const Interval& range, std::int64_t v) {
    return range.low <= v && v <= range.high;
}

// "%.2f" of an offset in inch.
std::u16string OffsetText(std::int32_t units) {
    if (units == kUnsetSigned)
        return {};
    return FixedText(units / kOffsetUnitsPerInch, 2);
}

}  // namespace

std::u16string FixedText(double value, int decimals) {
    // Room for the longest double in fixed notation with a few decimals.
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc{})
        return {};
    return std::u16string(buffer, end);
}

std::u16string WholeText(std::int64_t value) {
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, end);
}

ShownValues ShowDevmodeValues(OemDevmode& devmode) {
    // Signed, as the fields show them: an unset value is below every lower limit.
    if (!Holds(kPrintDensityRange, static_cast<std::int32_t>(devmode.dwPrintDensity)))
        devmode.dwPrintDensity = SettingRow(value::kPrintDensity).corrected;
    if (static_cast<std::int32_t>(devmode.dwCopies) < kCopiesRange.low)
        devmode.dwCopies = SettingRow(value::kCopies).corrected;

    ShownValues shown;
    if (devmode.lSlipCorrection != kUnsetSigned)
        shown.slipCorrection = WholeText(devmode.lSlipCorrection);
    shown.xOffset = OffsetText(devmode.lXOffset);
    shown.yOffset = OffsetText(devmode.lYOffset);
    shown.printDensity = WholeText(static_cast<std::int32_t>(devmode.dwPrintDensity));
    shown.copies = WholeText(static_cast<std::int32_t>(devmode.dwCopies));
    // Unsigned: an unset value is above every upper limit and shows the first entry.
    shown.cutterEntry = Holds(kCutterRange, devmode.dwCutter) ? devmode.dwCutter : 0;
    shown.configEntry =
        Holds(kConfigNumberRange, devmode.dwConfigNumber) ? devmode.dwConfigNumber : 0;
    return shown;
}

}  // namespace adjustui::page
