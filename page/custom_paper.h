// A custom paper as the editor of the page forms it from its fields.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/paper_store.h"

namespace adjustui {

// The unit the editor shows paper sizes in; stored sizes are always tenths of a millimetre.
enum class LengthUnit : std::uint8_t { Millimetre, Inch };

constexpr double TenthsOfMmPer(LengthUnit unit) {
    return unit == LengthUnit::Inch ? 254.0 : 10.0;
}

// Width and length are read like the editor's fields (a decimal comma too); a text that does not
// begin with a number, or a size no record can hold, gives 25.4 units. The name keeps at most 63
// units.
PaperRecord MakeCustomPaper(std::u16string_view nameText, std::u16string_view widthText,
                            std::u16string_view lengthText, LengthUnit unit, std::uint16_t code);

}  // namespace adjustui
