// The page's paper size list: the stored standard papers, then the custom papers, and which of
// them is selected when the page opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/oem_devmode.h"
#include "settings/paper_store.h"
#include "settings/printer_store.h"

namespace adjustui::page {

struct PaperEntry {
    std::u16string name;  // at most 63 units: what the list and the name field can hold
    std::uint16_t id;     // the list item's data
    std::int32_t width;   // tenths of a millimetre, as stored
    std::int32_t length;
    bool custom;
    PaperRecord record;  // as stored, its name whole
};

// Where the paper selected when the page opens comes from.
enum class PaperSource : std::uint8_t {
    Job,             // the job's own paper: chosen on the page, or the paper of an applied block
    PrinterDefault,  // the printer's stored default, for a job without a paper of its own
    PublicDevmode,   // the public devmode's paper
};

struct PaperListView {
    std::vector<PaperEntry> entries;  // in list order
    // The entry with the selected paper's code (the last one, so a custom paper wins over a
    // standard one of the same code); none when no entry has it.
    std::optional<std::size_t> selected;
    PaperSource source = PaperSource::PublicDevmode;
    // Tenths of a millimetre shown for the selection: the selected record's, or the public
    // devmode's where that is 0 or nothing was selected.
    std::int32_t width = 0;
    std::int32_t length = 0;
    // For lLastPaperIndex: the last entry shown, -1 for an empty list.
    std::int32_t lastIndex = -1;

    // The text of the selected entry; empty without one.
    std::u16string_view SelectedName() const;
};

// The paper fields of the public devmode (dmPaperSize, dmPaperWidth, dmPaperLength).
struct PublicPaper {
    std::int16_t paperSize;
    std::int16_t paperWidth;   // tenths of a millimetre
    std::int16_t paperLength;  // tenths of a millimetre
};

// The selected paper is the job's own when it has one (wSelectedPaperSize, or the public
// devmode's paper of a block applied on the page), else "SelectedPaperSize" of the printer data,
// else the public devmode's paper. The standard papers are the core driver's as it answered the
// page (`answered`), which a user without the right to change the printer cannot store; where it
// was not asked, the stored ones. The devmode's paper counts serve only where the printer's
// cannot be read; custom records the printer does not hold are not listed.
PaperListView BuildPaperList(
    PrinterStore& printer, const OemDevmode& devmode, const PublicPaper& publicPaper,
    const std::optional<std::vector<PaperRecord>>& answered = std::nullopt);

// The text of a paper width or length field: millimetres with two decimals.
std::u16string PaperSizeText(std::int32_t tenthsOfMm);

}  // namespace adjustui::page
