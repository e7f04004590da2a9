// The page's paper size list: the stored standard papers, then the custom papers, and which of
// them is selected when the page opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/oem_devmode.h"
#include "settings/printer_store.h"

namespace adjustui::page {

struct PaperEntry {
    std::u16string name;  // at most 63 units
    std::uint16_t id;     // the list item's data
    std::int32_t width;   // tenths of a millimetre, as stored
    std::int32_t length;
};

struct PaperListView {
    std::vector<PaperEntry> entries;  // in list order
    std::size_t selected;             // 0 when no entry has the selected paper's id
    // Tenths of a millimetre shown for the selection: the selected record's, or the public
    // devmode's where that is 0 or nothing was selected.
    std::int32_t width;
    std::int32_t length;
    // For lLastPaperIndex: the last entry shown, -1 for an empty list.
    std::int32_t lastIndex;

    // The text of the selected entry; empty for an empty list.
    std::u16string_view SelectedName() const;
};

// The paper fields of the public devmode (dmPaperSize, dmPaperWidth, dmPaperLength).
struct PublicPaper {
    std::int16_t paperSize;
    std::int16_t paperWidth;   // tenths of a millimetre
    std::int16_t paperLength;  // tenths of a millimetre
};

// The selected id is "SelectedPaperSize" of the printer data, or the public devmode's paper when
// that is missing or 0; the last entry with that id is selected, so a custom paper wins over a
// standard one of the same id. The devmode's paper counts serve only where the printer's cannot be
// read; records the printer does not hold are not listed.
PaperListView BuildPaperList(PrinterStore& printer, const OemDevmode& devmode,
                             const PublicPaper& publicPaper);

// The text of a paper width or length field: millimetres with two decimals.
std::u16string PaperSizeText(std::int32_t tenthsOfMm);

}  // namespace adjustui::page
