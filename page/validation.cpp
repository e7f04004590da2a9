#include "page/validation.h"

#include <cmath>

#include "page/shown_values.h"
#include "page/texts.h"

namespace adjustui::page {
namespace {

ScannedNumber ScanField(std::u16string_view text, NumberKind kind) {
    return ScanNumber(text.substr(0, kFieldReadUnits), kind);
}

// A text is compared in base units; this much either side of a limit is the double arithmetic's
// own error, not the user's value (25.4 mm is 300 units, whatever 300 / 25.4 rounds to).
constexpr double kBaseSlack = 1e-6;

bool Within(double base, double low, double high) {
    return low - kBaseSlack <= base && base <= high + kBaseSlack;
}

FieldCheck Passed(double base) {
    return {true, true, std::nullopt, base};
}

FieldCheck Refused(double base, std::u16string_view text, bool german,
                   TextPair title = kErrorTitleText, BalloonIcon icon = BalloonIcon::Error) {
    return {false, true,
            Balloon{std::u16string(PageText(title, german)), std::u16string(text), icon}, base};
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

// Tenths of a millimetre of one extent of a packed limit.
double ExtentTenths(std::uint32_t packed, Extent extent) {
    return extent == Extent::Width ? packed & 0xFFFFu : packed >> 16;
}

std::u16string_view PaperRangeFormat(Extent extent, LengthUnit unit, bool german) {
    const bool inch = unit == LengthUnit::Inch;
    const TextPair pair = extent == Extent::Width
                              ? (inch ? kPaperWidthRangeInchFormat : kPaperWidthRangeMmFormat)
                              : (inch ? kPaperLengthRangeInchFormat : kPaperLengthRangeMmFormat);
    return PageText(pair, german);
}

FieldCheck CheckPaperExtent(std::u16string_view text, LengthUnit unit,
                            std::optional<PaperLimits> known, bool german, Extent extent) {
    const ScannedNumber n = ScanField(text, NumberKind::Decimal);
    if (!n.IsNumber())
        return NotANumber(PageText(kSyntaxErrorText, german), german);
    const PaperLimits limits = known.value_or(kPaperLimitsUnknown);
    const double low = ExtentTenths(limits.minimum, extent);
    const double high = ExtentTenths(limits.maximum, extent);
    const double base = n.value * TenthsOfMmPer(unit);
    if (Within(base, low, high))
        return Passed(base);
    const double perUnit = TenthsOfMmPer(unit);
    return Refused(
        base, FillLimits(PaperRangeFormat(extent, unit, german), low / perUnit, high / perUnit),
        german);
}

std::optional<FieldCheck> WholeOutsideRange(const ScannedNumber& n, const Interval& range,
                                            TextPair refusal, bool german) {
    if (n.value < static_cast<double>(range.low) || n.value > static_cast<double>(range.high))
        return Refused(n.value, PageText(refusal, german), german);
    return std::nullopt;
}

}  // namespace

std::int32_t RoundedBase(double base) {
    return static_cast<std::int32_t>(std::lround(base));
}

FieldCheck CheckOffset(std::u16string_view text, LengthUnit unit, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Decimal);
    if (auto unreadable = Unreadable(n, PageText(kOffsetConversionErrorText, german), german))
        return *unreadable;
    const double base = n.value * OffsetUnitsPer(unit);
    if (Within(base, static_cast<double>(kOffsetRange.low), static_cast<double>(kOffsetRange.high)))
        return Passed(base);
    return Refused(
        base,
        PageText(unit == LengthUnit::Inch ? kOffsetRangeInchText : kOffsetRangeMmText, german),
        german);
}

FieldCheck CheckSlipCorrection(std::u16string_view text, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Whole);
    if (auto unreadable = Unreadable(n, PageText(kNumberConversionErrorText, german), german))
        return *unreadable;
    if (auto refused = WholeOutsideRange(n, kSlipCorrectionRange, kSlipCorrectionRangeText, german))
        return *refused;
    return Passed(n.value);
}

FieldCheck CheckDensity(std::u16string_view text, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Whole);
    if (auto unreadable = Unreadable(n, PageText(kNumberConversionErrorText, german), german))
        return *unreadable;
    if (auto refused = WholeOutsideRange(n, kPrintDensityRange, kDensityRangeText, german))
        return *refused;
    if (!kPrintDensityRange.Holds(static_cast<std::int64_t>(n.value)))
        return Refused(n.value, PageText(kDensityFinalDigitText, german), german, kWarningTitleText,
                       BalloonIcon::Warning);
    return Passed(n.value);
}

FieldCheck CheckCopies(std::u16string_view text, bool german) {
    const ScannedNumber n = ScanField(text, NumberKind::Whole);
    if (auto unreadable = Unreadable(n, PageText(kCopiesInvalidText, german), german))
        return *unreadable;
    if (n.value < static_cast<double>(kCopiesRange.low))
        return Refused(n.value, PageText(kCopiesAtLeastOneText, german), german);
    if (n.value > static_cast<double>(kCopiesRange.high))
        return Refused(n.value, PageText(kCopiesAtMostText, german), german);
    return Passed(n.value);
}

FieldCheck CheckPaperWidth(std::u16string_view text, LengthUnit unit,
                           std::optional<PaperLimits> limits, bool german) {
    return CheckPaperExtent(text, unit, limits, german, Extent::Width);
}

FieldCheck CheckPaperLength(std::u16string_view text, LengthUnit unit,
                            std::optional<PaperLimits> limits, bool german) {
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
