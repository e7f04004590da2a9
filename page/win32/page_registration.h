// Adds the "Adjustments" page to the document properties, on the host's request.
#pragma once

#include <windows.h>

#include <compstui.h>

namespace adjustui::page {

// The plug-in object's DocumentPropertySheets: the host's PROPSHEETUI_INFO and its lParam.
HRESULT DocumentPropertySheets(PROPSHEETUI_INFO* info, LPARAM lParam);

}  // namespace adjustui::page
