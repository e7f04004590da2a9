// Leaving the page: its entries are checked and taken over into the private devmode, or refused
// with a message naming the field.
#pragma once

#include <optional>

#include "page/page_entries.h"
#include "page/texts.h"
#include "settings/oem_devmode.h"

namespace adjustui::page {

enum class RefusedField : std::uint8_t { XOffset, YOffset, SlipCorrection, Copies, Density };

struct Refusal {
    RefusedField field;
    TextPair text;     // the message
    TextPair caption;  // the message box's caption
};

// Takes the page over in the described order; on a refusal the fields taken over before it stay.
// A field that holds no number where its value would be taken over is refused like a value out of
// range, never taken as 0.
std::optional<Refusal> TakeOverPage(const PageEntries& page, OemDevmode& devmode,
                                    OffsetUnits& units);

}  // namespace adjustui::page
