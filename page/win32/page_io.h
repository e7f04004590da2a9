// Reading the page's controls and telling the user: what every reaction of the page shares.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "page/controls.h"
#include "page/custom_paper.h"
#include "page/page_model.h"
#include "page/texts.h"
#include "page/win32/page_context.h"
#include "settings/paper_store.h"

namespace adjustui::page {

// A control's text, at most 511 units.
std::u16string ReadText(HWND control);
std::u16string ReadText(HWND dialog, int id);

// The unit of a unit list's selection, which each item carries as its data.
LengthUnit UnitOf(HWND dialog, int list);

bool IsChecked(HWND dialog, int box);

// The edit of each field of the page's model, in the order of Field.
inline constexpr ControlId kFieldEdits[kFieldCount] = {
    kXOffsetEdit,      kYOffsetEdit,    kSlipCorrectionEdit, kCopiesEdit,
    kPrintDensityEdit, kPaperWidthEdit, kPaperLengthEdit,
};

// Everything the page shows now, as its model judges it.
PageShown ReadShown(HWND dialog);

// A message box in the language of the page's messages.
void TellUser(HWND dialog, TextPair text, TextPair caption, UINT icon);

const wchar_t* Wide(const std::u16string& text);
const wchar_t* Wide(std::u16string_view literal);  // a zero-terminated literal

}  // namespace adjustui::page
