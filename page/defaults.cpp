#include "page/defaults.h"

#include <cstdint>

#include "common/text.h"
#include "page/validation.h"

namespace adjustui::page {
namespace {

// The number a field begins with, as "%d" reads it, or `otherwise`.
std::int32_t LeadingWhole(std::u16string_view text, std::int32_t otherwise) {
    const ScannedNumber n = ScanNumber(text.substr(0, kFieldReadUnits), NumberKind::Whole);
    const bool fits = n.consumed > 0 && n.value >= INT32_MIN && n.value <= INT32_MAX;
    return fits ? static_cast<std::int32_t>(n.value) : otherwise;
}

// An offset within ±1 inch in 1/300 inch; 0 for anything else.
std::int32_t SavedOffset(std::u16string_view text, LengthUnit unit, std::uint8_t& inMm) {
    inMm = unit == LengthUnit::Millimetre ? 1 : 0;
    return OffsetFromText(text, unit).value_or(0);
}

template <typename T>
std::vector<std::byte> Bytes(const T& v) {
    const auto* first = reinterpret_cast<const std::byte*>(&v);
    return {first, first + sizeof v};
}

std::vector<std::byte> FieldBytes(const OemDevmode& block, std::size_t offset, std::size_t size) {
    const auto* first = reinterpret_cast<const std::byte*>(&block) + offset;
    return {first, first + size};
}

}  // namespace

std::vector<ValueToStore> DefaultsFromPage(const PageEntries& page, OemDevmode& devmode,
                                           const PublicPaper& paper, OffsetUnits& units) {
    // What is saved: the devmode as it stands, with the page's entries over it.
    OemDevmode saved = devmode;
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i)
        FlagOf(kCheckBoxes[i], saved) = page.checked[i] ? 1 : 0;
    saved.lSlipCorrection = LeadingWhole(page.slipCorrection, 0);
    saved.dwPrintDensity = static_cast<std::uint32_t>(LeadingWhole(page.density, 100));
    saved.dwCopies = static_cast<std::uint32_t>(LeadingWhole(page.copies, 1));
    saved.lXOffset = SavedOffset(page.xOffset, page.xUnit, units.xInMm);
    saved.lYOffset = SavedOffset(page.yOffset, page.yUnit, units.yInMm);
    const std::u16string_view font = std::u16string_view(page.passThroughFont).substr(0, 511);

    std::vector<ValueToStore> values;
    for (const StoredSetting& s : kStoredSettings) {
        if (!s.saved)
            continue;
        std::vector<std::byte> data;
        switch (s.kind) {
            case SettingKind::Flag:
                data = FieldBytes(saved, s.field, 1);
                break;
            case SettingKind::Signed:
            case SettingKind::Unsigned:
            case SettingKind::Count:
                data = FieldBytes(saved, s.field, sizeof(std::uint32_t));
                break;
            case SettingKind::Text: {
                // Without its terminator.
                const auto* first = reinterpret_cast<const std::byte*>(font.data());
                data.assign(first, first + font.size() * sizeof(char16_t));
                break;
            }
            case SettingKind::Word:
                if (s.field != kNoField) {
                    data = FieldBytes(saved, s.field, sizeof(std::uint16_t));
                } else {
                    const std::u16string_view name = s.name;
                    data = Bytes(name == value::kDevmodePaperSize    ? paper.paperSize
                                 : name == value::kDevmodePaperWidth ? paper.paperWidth
                                                                     : paper.paperLength);
                }
                break;
        }
        values.push_back({&s, std::move(data)});
    }

    // The devmode keeps only what the page could have chosen.
    if (!kCutterRange.Holds(devmode.dwCutter)) {
        devmode.dwCutter = 0;
        devmode.bCutterSend = 0;
    }
    if (static_cast<std::int32_t>(devmode.dwPrintSpeed) < 0) {
        devmode.dwPrintSpeed = 0;
        devmode.bPrintSpeedSend = 0;
    }
    if (!kConfigNumberRange.Holds(devmode.dwConfigNumber)) {
        devmode.dwConfigNumber = 0;
        devmode.bConfigSend = 0;
    }
    if (devmode.lPaperSizeIndex < 0 || devmode.lPaperSizeIndex > devmode.lLastPaperIndex)
        devmode.lPaperSizeIndex = 0;
    return values;
}

}  // namespace adjustui::page
