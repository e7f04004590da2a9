#include "page/custom_paper.h"

#include <cmath>

#include "common/text.h"
#include "page/number_scan.h"

namespace adjustui {
namespace {

constexpr double kFallbackSize = 25.4;

// Tenths of a millimetre, truncated toward zero; a value no field can hold keeps the fallback.
std::int32_t ToTenths(std::u16string_view text, LengthUnit unit) {
    const ScannedNumber scanned = ScanNumber(text, NumberKind::Decimal);
    const double value = scanned.consumed > 0 ? scanned.value : kFallbackSize;
    double tenths = value * TenthsOfMmPer(unit);
    if (!std::isfinite(tenths) || tenths >= 2147483648.0 || tenths <= -2147483649.0)
        tenths = kFallbackSize * TenthsOfMmPer(unit);
    return static_cast<std::int32_t>(std::trunc(tenths));
}

}  // namespace

PaperRecord MakeCustomPaper(std::u16string_view nameText, std::u16string_view widthText,
                            std::u16string_view lengthText, LengthUnit unit, std::uint16_t code) {
    PaperRecord record{};
    AssignField(record.name, nameText.substr(0, nameText.find(u'\0')));
    record.id = code;
    record.width = ToTenths(widthText, unit);
    record.length = ToTenths(lengthText, unit);
    return record;
}

}  // namespace adjustui
