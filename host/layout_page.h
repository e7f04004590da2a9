// The stand-in's own "Layout" page, which it adds before the plug-in's as a core driver adds its
// own pages: the orientation of the public devmode, taken over on OK.
#pragma once

#include <windows.h>

#include <compstui.h>

namespace standin {

// Adds the page to the sheet that `info` is building. `devmode` must outlive the sheet. True when
// compstui took the page.
bool AddLayoutPage(const PROPSHEETUI_INFO& info, DEVMODEW& devmode);

}  // namespace standin
