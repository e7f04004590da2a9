#include "page/win32/page_fields.h"

#include <commctrl.h>

#include "page/controls.h"
#include "page/custom_paper.h"
#include "page/language.h"
#include "page/validation.h"
#include "page/win32/page_io.h"
#include "page/win32/page_strings.h"
#include "page/win32/paper_limits.h"

namespace adjustui::page {
namespace {

bool GermanLocale() {
    return IsGermanLocale(GetUserDefaultLCID());
}

void ShowBalloon(HWND edit, const Balloon& balloon) {
    EDITBALLOONTIP tip{};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = reinterpret_cast<const wchar_t*>(balloon.title.c_str());
    tip.pszText = reinterpret_cast<const wchar_t*>(balloon.text.c_str());
    tip.ttiIcon = static_cast<INT>(balloon.icon);
    SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

// Shows the outcome; a field that holds no number keeps its flag.
bool Report(HWND edit, const FieldCheck& check, std::uint8_t& flag) {
    if (check.isNumber)
        flag = check.valid ? 1 : 0;
    if (check.balloon)
        ShowBalloon(edit, *check.balloon);
    return check.valid;
}

// The printer's paper limits, read once per page: they do not change while it is open. A printer
// that states none refuses only what no paper can be: nothing below a tenth of a millimetre or
// beyond what an extent can express.
PaperLimits AskPaperLimits(PageContext& context) {
    if (!context.bPaperLimitsKnown) {
        constexpr PaperLimits kNoLimits{0x00010001, 0xFFFFFFFF};
        const PaperLimits limits = ReadPaperLimits(context).value_or(kNoLimits);
        context.dwMinExtent = limits.minimum;
        context.dwMaxExtent = limits.maximum;
        context.bPaperLimitsKnown = 1;
    }
    return {context.dwMinExtent, context.dwMaxExtent};
}

void ReportPaperValue(HWND edit, const FieldCheck& check, std::uint8_t& flag,
                      PageContext& context) {
    context.bPaperValueSyntaxError = check.isNumber ? 0 : 1;
    flag = check.valid ? 1 : 0;
    if (check.balloon)
        ShowBalloon(edit, *check.balloon);
}

}  // namespace

LRESULT CALLBACK EditCharFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR subclassId, DWORD_PTR) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(edit, EditCharFilter, subclassId);
    if (message == WM_CHAR) {
        DWORD start = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        const NumberKind kind =
            subclassId == kDecimalFilter ? NumberKind::Decimal : NumberKind::Whole;
        if (!FilterPasses(static_cast<char16_t>(wParam), kind, ReadText(edit), start))
            return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

bool ValidateOffsetField(HWND dialog, HWND edit, PageContext& context) {
    const bool isX = edit == GetDlgItem(dialog, kXOffsetEdit);
    const LengthUnit unit = UnitOf(dialog, isX ? kXOffsetUnitList : kYOffsetUnitList);
    return Report(edit, CheckOffset(ReadText(edit), unit, GermanLocale()),
                  isX ? context.bXOffsetValid : context.bYOffsetValid);
}

bool ValidateCopies(HWND, HWND edit, PageContext& context) {
    return Report(edit, CheckCopies(ReadText(edit), UseGermanTexts()), context.bCopiesValid);
}

bool ValidateDensity(HWND, HWND edit, PageContext& context) {
    return Report(edit, CheckDensity(ReadText(edit), GermanLocale()), context.bDensityValid);
}

bool ValidateSlipCorrection(HWND, HWND edit, PageContext& context) {
    return Report(edit, CheckSlipCorrection(ReadText(edit), GermanLocale()),
                  context.bSlipCorrectionValid);
}

void ValidatePaperWidth(HWND dialog, HWND edit, PageContext& context) {
    const PaperLimits limits = AskPaperLimits(context);
    ReportPaperValue(
        edit,
        CheckPaperWidth(ReadText(edit), UnitOf(dialog, kPaperUnitList), limits, UseGermanTexts()),
        context.bPaperWidthValid, context);
}

void ValidatePaperLength(HWND dialog, HWND edit, PageContext& context) {
    const PaperLimits limits = AskPaperLimits(context);
    ReportPaperValue(
        edit,
        CheckPaperLength(ReadText(edit), UnitOf(dialog, kPaperUnitList), limits, UseGermanTexts()),
        context.bPaperLengthValid, context);
}

void RefreshDefaultButton(HWND dialog, PageContext& context) {
    // Every check runs, so each wrong field of a checked group shows its balloon.
    bool ok = true;
    if (IsChecked(dialog, kSlipCorrectionCheck))
        ok = ValidateSlipCorrection(dialog, GetDlgItem(dialog, kSlipCorrectionEdit), context);
    if (IsChecked(dialog, kPrintDensityCheck))
        ok = ValidateDensity(dialog, GetDlgItem(dialog, kPrintDensityEdit), context) && ok;
    if (IsChecked(dialog, kImagePositioningCheck)) {
        ok = ValidateOffsetField(dialog, GetDlgItem(dialog, kXOffsetEdit), context) && ok;
        ok = ValidateOffsetField(dialog, GetDlgItem(dialog, kYOffsetEdit), context) && ok;
    }
    const bool copiesOk = ValidateCopies(dialog, GetDlgItem(dialog, kCopiesEdit), context);
    EnableWindow(GetDlgItem(dialog, kSaveAsDefaultButton), ok && copiesOk);
}

}  // namespace adjustui::page
