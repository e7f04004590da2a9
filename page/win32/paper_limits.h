// The printer's paper extents, by which the page judges the size of a custom paper.
#pragma once

#include <optional>

#include "page/validation.h"
#include "page/win32/page_context.h"

namespace adjustui::page {

// For a model in the table, its extents by the driver name the page read when it opened: the
// answer the plug-in gives the core driver, without a round trip. Otherwise the core driver's own
// answer, asked by the printer's full name. Nothing when either extent cannot be had.
std::optional<PaperLimits> ReadPaperLimits(const PageContext& context);

}  // namespace adjustui::page
