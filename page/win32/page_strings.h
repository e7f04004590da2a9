// Texts of the page from the module's string table, and the process-wide language of the texts
// that the validators and the checks on leaving the page show.
#pragma once

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace adjustui::page {

// A text of the page, in the plug-in heap; freed when its owner goes.
using LoadedText = win32::HeapBlock<wchar_t>;

// A zero-terminated copy of string id from module's table in a block of heap, exactly
// (length + 1) * 2 bytes; at most 259 units, a longer text is cut. Empty for a missing id or an
// exhausted heap. Kept only as long as the control or message box that shows it needs it: a
// control keeps its own copy.
LoadedText LoadPageString(HANDLE heap, HMODULE module, UINT id);

// False (English) until the first page in a German locale sets it; never cleared.
bool UseGermanTexts();
void SetUseGermanTexts();

}  // namespace adjustui::page
