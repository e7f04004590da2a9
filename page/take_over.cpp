#include "page/take_over.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"
#include "page/validation.h"

namespace adjustui::page {

std::optional<std::int32_t> OffsetFromText(std::u16string_view text, LengthUnit unit) {
    if (!CheckOffset(text, unit, false).valid)
        return std::nullopt;
    const float x =
        static_cast<float>(ScanNumber(text.substr(0, kFieldReadUnits), NumberKind::Decimal).value);
    const float units = unit == LengthUnit::Inch ? x * 300.0f : x * 3000.0f / 254.0f;
    return static_cast<std::int32_t>(std::trunc(units));
}

namespace {

// A field its check has passed: a whole number well within 32 bits.
std::int32_t WholeFromText(std::u16string_view text) {
    return static_cast<std::int32_t>(
        ScanNumber(text.substr(0, kFieldReadUnits), NumberKind::Whole).value);
}

Refusal OffsetRefusal(RefusedField field, LengthUnit unit) {
    return {field, unit == LengthUnit::Inch ? kOffsetRangeInchText : kOffsetRangeMmText,
            field == RefusedField::XOffset ? kXOffsetErrorCaption : kYOffsetErrorCaption};
}

}  // namespace

std::optional<Refusal> TakeOverPage(const PageEntries& page, OemDevmode& devmode,
                                    OffsetUnits& units) {
    devmode.bOffsetSend = page.Checked(kImagePositioningCheck) ? 1 : 0;
    if (page.Checked(kImagePositioningCheck)) {
        units.xInMm = page.xUnit == LengthUnit::Millimetre ? 1 : 0;
        const auto x = OffsetFromText(page.xOffset, page.xUnit);
        std::optional<Refusal> refusal;
        if (x) {
            devmode.lXOffset = *x;
            units.yInMm = page.yUnit == LengthUnit::Millimetre ? 1 : 0;
            if (const auto y = OffsetFromText(page.yOffset, page.yUnit))
                devmode.lYOffset = *y;
            else
                refusal = OffsetRefusal(RefusedField::YOffset, page.yUnit);
        } else {
            refusal = OffsetRefusal(RefusedField::XOffset, page.xUnit);
        }
        if (refusal) {
            devmode.lXOffset = devmode.lYOffset = 0;
            devmode.bOffsetSend = 0;
            return refusal;
        }
    }
    devmode.bRotate180 = page.Checked(kRotate180Check) ? 1 : 0;

    devmode.bPassThroughSend = page.Checked(kPassThroughCheck) ? 1 : 0;
    if (page.Checked(kPassThroughCheck)) {
        // 510 units and the terminator, as the field has always been filled.
        AssignField(devmode.szPassThroughFont,
                    std::u16string_view(page.passThroughFont).substr(0, 510));
    }

    devmode.bConfigSend = page.Checked(kConfigurationCheck) ? 1 : 0;
    if (page.Checked(kConfigurationCheck) && !kConfigNumberRange.Holds(devmode.dwConfigNumber)) {
        devmode.dwConfigNumber = 0;
        devmode.bConfigSend = 0;
    }
    devmode.bCutterSend = page.Checked(kCutterCheck) ? 1 : 0;
    if (page.Checked(kCutterCheck) && !kCutterRange.Holds(devmode.dwCutter)) {
        devmode.dwCutter = 0;
        devmode.bCutterSend = 0;
    }
    devmode.bPrintSpeedSend = page.Checked(kPrintSpeedCheck) ? 1 : 0;

    devmode.bSlipCorrectionSend = page.Checked(kSlipCorrectionCheck) ? 1 : 0;
    if (page.Checked(kSlipCorrectionCheck)) {
        if (!CheckSlipCorrection(page.slipCorrection, false).valid) {
            devmode.lSlipCorrection = 0;
            devmode.bSlipCorrectionSend = 0;
            return Refusal{RefusedField::SlipCorrection, kSlipCorrectionRangeText,
                           kSlipCorrectionErrorCaption};
        }
        devmode.lSlipCorrection = WholeFromText(page.slipCorrection);
    }

    if (!CheckCopies(page.copies, false).valid)
        return Refusal{RefusedField::Copies, kCopiesRangeText, kCopiesErrorCaption};
    devmode.dwCopies = static_cast<std::uint32_t>(WholeFromText(page.copies));

    // The density is judged whether or not its group is checked.
    if (!CheckDensity(page.density, false).valid)
        return Refusal{RefusedField::Density, kDensityRangeText, kDensityErrorCaption};
    devmode.dwPrintDensity = static_cast<std::uint32_t>(WholeFromText(page.density));
    devmode.bPrintDensitySend = page.Checked(kPrintDensityCheck) ? 1 : 0;

    devmode.bSettingsValid = 1;
    return std::nullopt;
}

}  // namespace adjustui::page
