// A picture of a window as it stands on the screen, saved as a PNG file. Under wine, PrintWindow
// gives a blank image, so the window's rectangle is copied from the screen: whatever covers the
// window is in the picture too.
#pragma once

#include <windows.h>

#include <string>

namespace adjustui::winsupport {

// The window is painted first. True when the file was written.
bool SaveWindowPicture(HWND window, const std::wstring& pngPath);

}  // namespace adjustui::winsupport
