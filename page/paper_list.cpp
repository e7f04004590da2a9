#include "page/paper_list.h"

#include <span>

#include "common/text.h"
#include "page/shown_values.h"
#include "settings/paper_store.h"
#include "settings/stored_settings.h"

namespace adjustui::page {
namespace {

struct SelectedPaper {
    std::uint16_t id;
    PaperSource source;
};

SelectedPaper SelectedPaperOf(PrinterStore& printer, const OemDevmode& devmode,
                              const PublicPaper& publicPaper) {
    const auto publicId = static_cast<std::uint16_t>(publicPaper.paperSize);
    if (devmode.wSelectedPaperSize != 0)
        return {devmode.wSelectedPaperSize, PaperSource::Job};
    if (devmode.bSettingsValid != 0)
        return {publicId, PaperSource::Job};
    std::uint16_t id = 0;
    ReadValue(printer, value::kSelectedPaperSize, std::as_writable_bytes(std::span(&id, 1)));
    if (id != 0)
        return {id, PaperSource::PrinterDefault};
    return {publicId, PaperSource::PublicDevmode};
}

void Add(PaperListView& view, const std::vector<PaperRecord>& records, std::uint16_t selectedId,
         bool custom) {
    for (const PaperRecord& r : records) {
        if (r.id == selectedId) {
            view.selected = view.entries.size();
            view.width = r.width;
            view.length = r.length;
        }
        // A name that fills its field has no terminator: it keeps what a terminated one can.
        const std::u16string_view name = FieldText(r.name);
        view.entries.push_back({std::u16string(name.substr(0, kPaperNameUnits - 1)), r.id, r.width,
                                r.length, custom, r});
    }
}

}  // namespace

std::u16string_view PaperListView::SelectedName() const {
    return selected && *selected < entries.size() ? std::u16string_view(entries[*selected].name)
                                                  : std::u16string_view();
}

PaperListView BuildPaperList(PrinterStore& printer, const OemDevmode& devmode,
                             const PublicPaper& publicPaper,
                             const std::optional<std::vector<PaperRecord>>& answered) {
    const SelectedPaper selected = SelectedPaperOf(printer, devmode, publicPaper);
    PaperListView view;
    view.source = selected.source;
    Add(view, answered ? *answered : ReadStandardPapers(printer, devmode.lStdPaperCount),
        selected.id, false);
    Add(view, ReadCustomPapers(printer, devmode.lCustomPaperCount), selected.id, true);
    if (view.width == 0)
        view.width = publicPaper.paperWidth;
    if (view.length == 0)
        view.length = publicPaper.paperLength;
    // Both lists are bounded by kMaxPaperRecords, so the count fits.
    view.lastIndex = static_cast<std::int32_t>(view.entries.size()) - 1;
    return view;
}

std::u16string PaperSizeText(std::int32_t tenthsOfMm) {
    return FixedText(tenthsOfMm / 10.0, 2);
}

}  // namespace adjustui::page
