// The name that reaches the page's printer through the core driver, as an application names it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace adjustui::page {

// The public devmode's device name holds 31 units: a shorter one is the printer's whole name,
// known without a round trip. A longer name (a connection to a print server, say) is asked of the
// printer handle. Nothing when it cannot be had.
std::optional<std::wstring> ReadPrinterName(HANDLE printer, const DEVMODEW* publicDevmode);

}  // namespace adjustui::page
