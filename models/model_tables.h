// Model-specific answers, keyed by the name of the installed printer driver.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace adjustui {

// The optional setting groups of the document page.
struct ModelCapabilities {
    bool bHasCutter = false;
    bool bHasPrintSpeed = false;
    bool bHasPrintDensity = false;
    bool bHasSlipCorrection = false;
    friend bool operator==(const ModelCapabilities&, const ModelCapabilities&) = default;
};

// Exact, case-sensitive lookup; a name in no table has no group.
ModelCapabilities ModelCapabilitiesOf(std::u16string_view driverName);
bool ModelHasCutter(std::u16string_view driverName);
bool ModelHasPrintSpeed(std::u16string_view driverName);
bool ModelHasPrintDensity(std::u16string_view driverName);
bool ModelHasSlipCorrection(std::u16string_view driverName);

// Case-insensitive lookups of the speed lists.
bool ModelHasLowSpeeds(std::u16string_view driverName);
bool ModelHasHighSpeeds(std::u16string_view driverName);

// The speeds (inch per second) the speed list offers, in list order.
std::vector<std::uint32_t> PrintSpeedsFor(std::u16string_view driverName);

// The entry the speed list selects for a stored speed: the first whose text begins with the
// stored number's decimal text (as a signed number), else entry 0.
std::size_t PrintSpeedSelection(const std::vector<std::uint32_t>& speeds, std::uint32_t stored);

// Packed extents: low 16 bits width, high 16 bits length, tenths of a millimetre. Both empty for
// a name in no row.
struct PaperExtents {
    std::optional<std::uint32_t> minimum;
    std::optional<std::uint32_t> maximum;
};
PaperExtents ModelPaperExtents(std::u16string_view driverName);

// Every model's driver name as an INF installs it, one per row in table order. The second
// spellings that the page groups also recognise are left out: the spooler's driver names ignore
// case, so one printer driver cannot be installed under both.
std::vector<std::u16string_view> ModelDriverNames();

}  // namespace adjustui
