// Texts of the page from the module's string table, and the process-wide language of the texts
// that the validators and the checks on leaving the page show.
#pragma once

#include <windows.h>

namespace adjustui::page {

// A zero-terminated copy of string id from module's table in a block of heap, exactly
// (length + 1) * 2 bytes; at most 259 units, a longer text is cut. Null for a missing id or an
// exhausted heap. The block belongs to the heap: callers never free it, it lives as long as the
// heap does.
wchar_t* LoadPageString(HANDLE heap, HMODULE module, UINT id);

// False (English) until the first page in a German locale sets it; never cleared.
bool UseGermanTexts();
void SetUseGermanTexts();

}  // namespace adjustui::page
