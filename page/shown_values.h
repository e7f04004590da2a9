// What the page's fields and lists show when it opens, taken from the private devmode, and the
// number formats of every value the page shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/oem_devmode.h"

namespace adjustui::page {

// Image offsets are kept in 1/300 inch.
inline constexpr double kOffsetUnitsPerInch = 300.0;
inline constexpr double kMillimetresPerInch = 25.4;

// printf's "%.<decimals>f", the same digits on both builds: rounded from the exact binary value,
// ties to even. "%4.2f" gives the same text, as "%.2f" never makes fewer than four characters.
std::u16string FixedText(double value, int decimals);
// printf's "%d".
std::u16string WholeText(std::int64_t value);

struct ShownValues {
    // Texts of the numeric fields; an unset slip correction or offset shows an empty field, which
    // no check accepts.
    std::u16string slipCorrection;
    std::u16string xOffset;  // inch
    std::u16string yOffset;  // inch
    std::u16string printDensity;
    std::u16string copies;
    // Entries of the lists: the cutter list's index is the cutter mode, the configuration list's
    // the configuration number (which it shows plus one).
    std::size_t cutterEntry;
    std::size_t configEntry;
};

// Corrects the block first where the page would show a value it cannot take: a print density
// outside its range becomes 100, a number of copies below 1 becomes 1 (unset ones included).
ShownValues ShowDevmodeValues(OemDevmode& devmode);

}  // namespace adjustui::page
