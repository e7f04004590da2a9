// The page's judgement of its numeric fields: which keystrokes a field takes, and for a field's
// whole text whether it holds an acceptable value and which balloon tells the user otherwise. The
// window code shows what it gets and keeps the validity flags.
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
    bool valid;     // the value may be taken over
    bool isNumber;  // the whole text is one number; when not, the field's flag is left alone
    std::optional<Balloon> balloon;  // none exactly when valid
};

// Offsets in inch or millimetres, ±1 inch or ±25.4 mm compared in single precision.
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
// A custom paper's width or length between the extents; an empty text is a syntax error here.
FieldCheck CheckPaperWidth(std::u16string_view text, LengthUnit unit, PaperLimits limits,
                           bool german);
FieldCheck CheckPaperLength(std::u16string_view text, LengthUnit unit, PaperLimits limits,
                            bool german);

// Whether a typed character reaches a field of `kind` that holds `text` with its selection
// starting at `selectionStart`: backspace and digits always, a minus only as the first character
// of a text without one, a decimal separator (',' or '.') only once; nothing else.
bool FilterPasses(char16_t ch, NumberKind kind, std::u16string_view text,
                  std::size_t selectionStart);

}  // namespace adjustui::page
