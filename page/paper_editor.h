// The page's custom paper editor and paper choice: what a typed name is, which record a chosen
// paper code stands for.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "settings/paper_store.h"

namespace adjustui::page {

enum class NameKind : std::uint8_t {
    Empty,
    New,
    Standard,  // names a standard paper: neither Add nor Delete
    Custom,    // names a stored custom paper: Delete
};

// Compared exactly, letter case counting.
NameKind ClassifyPaperName(std::u16string_view name, std::span<const PaperRecord> standard,
                           std::span<const PaperRecord> custom);

// The last standard paper with the code, else the last custom one.
std::optional<PaperRecord> PaperOfCode(std::uint16_t code, std::span<const PaperRecord> standard,
                                       std::span<const PaperRecord> custom);

}  // namespace adjustui::page
