// The page's judgement of one numeric field's text: which keystrokes a field takes, whether the
// whole text holds an acceptable value, the value in the field's base unit, and which balloon
// tells the user otherwise. Checking, showing and taking over share one arithmetic: a text in
// inch or millimetres is compared in its base unit (1/300 inch, tenths of a millimetre) and taken
// over rounded to the nearest base unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "page/custom_paper.h"
#include "page/number_scan.h"
#include "settings/stored_settings.h"

namespace adjustui::page {

// A field is read with room for this many units; the rest of a longer text is not judged.
inline constexpr std::size_t kFieldReadUnits = 511;

// The page accepts what a stored value must keep to be read into a new devmode.
inline constexpr Interval kOffsetRange = SettingRow(value::kXOffset).load.value();  // 1/300 inch
inline constexpr Interval kSlipCorrectionRange = SettingRow(value::kSlipCorrection).load.value();
inline constexpr Interval kPrintDensityRange = SettingRow(value::kPrintDensity).load.value();
inline constexpr Interval kCopiesRange = SettingRow(value::kCopies).load.value();
inline constexpr Interval kCutterRange = SettingRow(value::kCutter).load.value();
inline constexpr Interval kConfigNumberRange = SettingRow(value::kConfig).load.value();
static_assert(SettingRow(value::kYOffset).load->low == kOffsetRange.low &&
              SettingRow(value::kYOffset).load->high == kOffsetRange.high);

// The icons of an edit balloon, as TTI_WARNING and TTI_ERROR number them.
enum class BalloonIcon : int { Warning = 2, Error = 3 };

struct Balloon {
    std::u16string title;
    std::u16string text;
    BalloonIcon icon;
    friend bool operator==(const Balloon&, const Balloon&) = default;
};

struct FieldCheck {
    bool valid;                      // the value may be taken over
    bool isNumber;                   // the whole text is one number
    std::optional<Balloon> balloon;  // none exactly when valid
    double base = 0;  // the number in the field's base unit, unrounded, when it is one
};

// Base units per unit shown: offsets are kept in 1/300 inch.
constexpr double OffsetUnitsPer(LengthUnit unit) {
    return unit == LengthUnit::Inch ? 300.0 : 300.0 / 25.4;
}

// The whole base units a checked value is taken over as.
std::int32_t RoundedBase(double base);

// Offsets in inch or millimetres: ±1 inch, compared in 1/300 inch.
FieldCheck CheckOffset(std::u16string_view text, LengthUnit unit, bool german);
FieldCheck CheckSlipCorrection(std::u16string_view text, bool german);
// Outside 10..120 is an error; inside but not a multiple of 5 a warning, still not valid.
FieldCheck CheckDensity(std::u16string_view text, bool german);
FieldCheck CheckCopies(std::u16string_view text, bool german);

// The printer's paper extents as DC_MINEXTENT and DC_MAXEXTENT answer them: the low 16 bits the
// width, the high 16 bits the length, in tenths of a millimetre.
struct PaperLimits {
    std::uint32_t minimum;
    std::uint32_t maximum;
};
// Without the printer's extents a paper may have any size a public devmode can carry.
inline constexpr PaperLimits kPaperLimitsUnknown{(1u << 16) | 1u, (32767u << 16) | 32767u};

// A custom paper's width or length between the extents, compared in tenths of a millimetre; an
// empty text is a syntax error here.
FieldCheck CheckPaperWidth(std::u16string_view text, LengthUnit unit,
                           std::optional<PaperLimits> limits, bool german);
FieldCheck CheckPaperLength(std::u16string_view text, LengthUnit unit,
                            std::optional<PaperLimits> limits, bool german);

// Whether a typed character reaches a field of `kind` that holds `text` with its selection
// starting at `selectionStart`: backspace and digits always, a minus only as the first character
// of a text without one, a decimal separator (',' or '.') only once; nothing else.
bool FilterPasses(char16_t ch, NumberKind kind, std::u16string_view text,
                  std::size_t selectionStart);

}  // namespace adjustui::page
