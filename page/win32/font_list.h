// The pass-through font list: every installed face once, vertical-writing faces left out.
#pragma once

#include <windows.h>

#include "settings/oem_devmode.h"

namespace adjustui::page {

// Fills the sorted list and selects the face the devmode names, letter case counting.
void FillFontList(HWND list, const OemDevmode& devmode);

}  // namespace adjustui::page
