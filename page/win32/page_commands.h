// The page's reactions to the user's clicks, choices and typing (WM_COMMAND), and to the sheet's
// notifications (WM_NOTIFY).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "page/win32/page_context.h"

namespace adjustui::page {

void OnPageCommand(HWND dialog, PageContext& context, WORD code, WORD id);

// Leaving the page checks and takes it over; apply and cancel mark whether the changes stay.
void OnPageNotify(HWND dialog, PageContext& context, const NMHDR& header);

// Makes the page's entries the printer's stored defaults.
void SaveSettingsAsDefault(HWND dialog, PageContext& context);

}  // namespace adjustui::page
