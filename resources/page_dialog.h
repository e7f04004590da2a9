// The page's dialog template outside its controls: read by adjustui.rc and by page/controls.h, so
// plain macros only.
#pragma once

#define ADJUSTUI_PAGE_DIALOG 104
#define ADJUSTUI_PAGE_DIALOG_WIDTH 345
#define ADJUSTUI_PAGE_DIALOG_HEIGHT 265
#define ADJUSTUI_PAGE_DIALOG_FONT "MS Shell Dlg"
#define ADJUSTUI_PAGE_DIALOG_FONT_SIZE 8
