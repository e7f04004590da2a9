// The page's numeric fields while the user types: the character filter, the validators with their
// balloons and validity flags, and the judgement of "Set as default".
#pragma once

#include <windows.h>

#include "page/win32/page_context.h"

namespace adjustui::page {

// Installed on each numeric edit; subclass id 0 for decimal fields, 1 for whole numbers.
LRESULT CALLBACK EditCharFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR subclassId, DWORD_PTR refData);
inline constexpr UINT_PTR kDecimalFilter = 0;
inline constexpr UINT_PTR kWholeFilter = 1;

// Each reads its field, shows a balloon on it when the text is not acceptable and records the
// outcome in the field's validity flag.
bool ValidateOffsetField(HWND dialog, HWND edit, PageContext& context);
bool ValidateCopies(HWND dialog, HWND edit, PageContext& context);
bool ValidateDensity(HWND dialog, HWND edit, PageContext& context);
bool ValidateSlipCorrection(HWND dialog, HWND edit, PageContext& context);
void ValidatePaperWidth(HWND dialog, HWND edit, PageContext& context);
void ValidatePaperLength(HWND dialog, HWND edit, PageContext& context);

// Enables "Set as default" only when the fields of the checked groups and the copies are valid.
void RefreshDefaultButton(HWND dialog, PageContext& context);

}  // namespace adjustui::page
