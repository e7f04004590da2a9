// "Set as default": the printer-data values that make the page's entries the printer's defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "page/page_entries.h"
#include "page/paper_list.h"
#include "settings/stored_settings.h"

namespace adjustui::page {

struct ValueToStore {
    const StoredSetting* setting;
    std::vector<std::byte> data;  // in the type and size the setting is stored with
};

// Every saved value of the stored settings, from the page, the devmode and the public devmode's
// paper. The devmode's cutter, speed, configuration and paper index are stored as they stand and
// then corrected in the devmode; the offsets' units follow the unit lists.
std::vector<ValueToStore> DefaultsFromPage(const PageEntries& page, OemDevmode& devmode,
                                           const PublicPaper& paper, OffsetUnits& units);

}  // namespace adjustui::page
