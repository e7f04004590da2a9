// What the page shows at one moment, as the window code reads it from its controls: the input of
// leaving the page and of "Set as default".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "page/check_boxes.h"
#include "page/custom_paper.h"

namespace adjustui::page {

struct PageEntries {
    // The check boxes, in the order of kCheckBoxes.
    std::array<bool, std::size(kCheckBoxes)> checked{};
    // The fields, at most 511 units each.
    std::u16string xOffset;
    std::u16string yOffset;
    std::u16string slipCorrection;
    std::u16string copies;
    std::u16string density;
    std::u16string passThroughFont;  // the selected face, empty without one
    LengthUnit xUnit = LengthUnit::Inch;
    LengthUnit yUnit = LengthUnit::Inch;

    constexpr bool Checked(ControlId box) const {
        for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) {
            if (kCheckBoxes[i].box == box)
                return checked[i];
        }
        return false;
    }
};

// Which unit each offset field shows, as the page keeps it (1: millimetres).
struct OffsetUnits {
    std::uint8_t xInMm = 0;
    std::uint8_t yInMm = 0;
};

// An offset typed in `unit`, in 1/300 inch, computed in single precision and truncated; nothing
// when the text is not wholly a number within ±1 inch.
std::optional<std::int32_t> OffsetFromText(std::u16string_view text, LengthUnit unit);

}  // namespace adjustui::page
