// The page's dialog procedure: one line per message, each handled by a named reaction.
#pragma once

#include <windows.h>

namespace adjustui::page {

INT_PTR CALLBACK PageDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace adjustui::page
