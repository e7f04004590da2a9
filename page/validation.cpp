#include "page/validation.h"

#include <limits>

#include "page/shown_values.h"
#include "page/texts.h"

namespace adjustui::page {
namespace {

ScannedNumber ScanField(std::u16string_view text, NumberKind kind) {
    return ScanNumber(text.substr(0, kFieldReadUnits), kind);
}

// The value as a float holds it; beyond the float range it is infinite rather than undefined.
float Single(double v) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (v > kLargest)
        return std::numeric_limits<float>::infinity();
    if (v < -kLargest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

FieldCheck Passed() {
    return {true, true, std::nullopt};
}

FieldCheck Refused(std::u16string_view text, bool german, TextPair title = kErrorTitleText,
                   BalloonIcon icon = BalloonIcon::Error) {
    return {false, true,
            Balloon{std::u16string(PageText(title, german)), std::u16string(text), icon}};
}

FieldCheck NotANumber(std::u16string_view text, bool german) {
    return {false, false,
            Balloon{std::u16string(PageText(kErrorTitleText, german)), std::u16string(text),
                    BalloonIcon::Error}};
}

// The outcome every field shares before its range: nothing to read, or not wholly a number.
std::optional<FieldCheck> Unreadable(const ScannedNumber& n, std::u16string_view noNumber,
                                     bool german) {
    if (n.status == ScannedNumber::Status::Empty)
        return NotANumber(noNumber, german);
    if (!n.IsNumber())
        return NotANumber(PageText(kSyntaxErrorText, german), german);
    return std::nullopt;
}

// A format of the paper limits filled as printf fills it: each "%f" or "%.<n>f" takes the next
// value; the templates hold nothing else.
std::u16string FillLimits(std::u16string_view format, double low, double high) {
    const double values[] = {low, high};
    std::size_t next = 0;
    std::u16string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || next == std::size(values)) {
            out.push_back(format[i]);
            continue;
        }
        std::size_t at = i + 1;
        int decimals = 6;
        if (at < format.size() && format[at] == u'.') {
            decimals = 0;
            for (++at; at < format.size() && format[at] >= u'0' && format[at] <= u'9'; ++at)
                decimals = decimals * 10 + (format[at] - u'0');
        }
        if (at < format.size() && format[at] == u'f') {
            out += FixedText(values[next++], decimals);
            i = at;
        } else {
            out.push_back(format[i]);
        }
    }
    return out;
}

enum class Extent { Width, Length };

// Millimetres of one extent of a packed limit.
float ExtentMm(std::uint32_t packed, Extent extent) {
    const std::uint32_t tenths = extent == Extent::Width ? packed & 0xFFFFu : packed >> 16;
    return static_cast<float>(tenths / 10.0);
}

std::u16string_view PaperRangeFormat(Extent extent, LengthUnit unit, bool german) {
    const bool inch = unit == LengthUnit::Inch;
    const TextPair pair = extent == Extent::Width
                              ? (inch ? kPaperWidthRangeInchFormat : kPaperWidthRangeMmFormat)
                              : (inch ? kPaperLengthRangeInchFormat : kPaperLengthRangeMmFormat);
    return PageText(pair, german);
}

FieldCheck CheckPaperExtent(std::u16string_view text, LengthUnit unit, PaperLimits limits,
                            bool german, Extent extent) {
    const ScannedNumber n = ScanField(text, NumberKind::Decimal);
    if (!n.IsNumber())
        return NotANumber(PageText(kSyntaxErrorText, german), german);
    float low = ExtentMm(limits.minimum, extent);
    float high = ExtentMm(limits.maximum, extent);
    if (unit == LengthUnit::Inch) {
        low = static_cast<float>(low / kMillimetresPerInch);
        high = static_cast<float>(high / kMillimetresPerInch);
    }
    const float v = Single(n.value);
    if (low <= v && v <= high)
        return Passed();
    return Refused(FillLimits(PaperRangeFormat(extent, unit, german), low, high), german);
}

std::optional<FieldCheck> WholeOutsideRange(const ScannedNumber& n, const Interval& range,
                                            TextPair refusal, bool german) {
    if (n.value < static_cast<double>(range.low) || n.value > static_cast<double>(range.high))
        return Refused(PageText(refusal, german), german);
    return std::nullopt;
}

}  // namespace

FieldCheck CheckOffset(std::u16string_view text, LengthUnit unit, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Decimal);
    if (auto unreadable = Unreadable(n, PageText(kOffsetConversionErrorText, german), german))
        return *unreadable;
    const double perUnit = unit == LengthUnit::Inch ? 1.0 : kMillimetresPerInch;
    const float low = static_cast<float>(kOffsetRange.low / kOffsetUnitsPerInch * perUnit);
    const float high = static_cast<float>(kOffsetRange.high / kOffsetUnitsPerInch * perUnit);
    const float v = Single(n.value);
    if (low <= v && v <= high)
        return Passed();
    return Refused(
        PageText(unit == LengthUnit::Inch ? kOffsetRangeInchText : kOffsetRangeMmText, german),
        german);
}

FieldCheck CheckSlipCorrection(std::u16string_view text, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Whole);
    if (auto unreadable = Unreadable(n, PageText(kNumberConversionErrorText, german), german))
        return *unreadable;
    if (auto refused = WholeOutsideRange(n, kSlipCorrectionRange, kSlipCorrectionRangeText, german))
        return *refused;
    return Passed();
}

FieldCheck CheckDensity(std::u16string_view text, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Whole);
    if (auto unreadable = Unreadable(n, PageText(kNumberConversionErrorText, german), german))
        return *unreadable;
    if (auto refused = WholeOutsideRange(n, kPrintDensityRange, kDensityRangeText, german))
        return *refused;
    if (!kPrintDensityRange.Holds(static_cast<std::int64_t>(n.value)))
        return Refused(PageText(kDensityFinalDigitText, german), german, kWarningTitleText,
                       BalloonIcon::Warning);
    return Passed();
}

FieldCheck CheckCopies(std::u16string_view text, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Whole);
    if (auto unreadable = Unreadable(n, PageText(kCopiesInvalidText, german), german))
        return *unreadable;
    if (n.value < static_cast<double>(kCopiesRange.low))
        return Refused(PageText(kCopiesAtLeastOneText, german), german);
    if (n.value > static_cast<double>(kCopiesRange.high))
        return Refused(PageText(kCopiesAtMostText, german), german);
    return Passed();
}

FieldCheck CheckPaperWidth(std::u16string_view text, LengthUnit unit, PaperLimits limits,
                           bool german) {
    return CheckPaperExtent(text, unit, limits, german, Extent::Width);
}

FieldCheck CheckPaperLength(std::u16string_view text, LengthUnit unit, PaperLimits limits,
                            bool german) {
    return CheckPaperExtent(text, unit, limits, german, Extent::Length);
}

bool FilterPasses(char16_t ch, NumberKind kind, std::u16string_view text,
                  std::size_t selectionStart) {
    constexpr char16_t kBackspace = 8;
    if (ch == kBackspace || (ch >= u'0' && ch <= u'9'))
        return true;
    text = text.substr(0, kFieldReadUnits);
    if (ch == u'-')
        return selectionStart == 0 && text.find(u'-') == std::u16string_view::npos;
    if (kind == NumberKind::Decimal && (ch == u',' || ch == u'.'))
        return text.find_first_of(u",.") == std::u16string_view::npos;
    return false;
}

}  // namespace adjustui::page
