#include "page/win32/page_io.h"

#include <array>

#include "page/check_boxes.h"
#include "page/validation.h"
#include "page/win32/page_strings.h"
#include "platform/win32/winspool_store.h"

namespace adjustui::page {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
const wchar_t* Wide(std::u16string_view literal) {
    return reinterpret_cast<const wchar_t*>(literal.data());
}

std::u16string ReadText(HWND control) {
    std::array<wchar_t, kFieldReadUnits + 1> text{};
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    return {reinterpret_cast<const char16_t*>(text.data()),
            static_cast<std::size_t>(length > 0 ? length : 0)};
}

std::u16string ReadText(HWND dialog, int id) {
    return ReadText(GetDlgItem(dialog, id));
}

LengthUnit UnitOf(HWND dialog, int list) {
    const LRESULT selected = SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0);
    const LRESULT unit = SendDlgItemMessageW(dialog, list, CB_GETITEMDATA, selected, 0);
    return unit == static_cast<LRESULT>(LengthUnit::Inch) ? LengthUnit::Inch
                                                          : LengthUnit::Millimetre;
}

bool IsChecked(HWND dialog, int box) {
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

PageEntries ReadPageEntries(HWND dialog) {
    PageEntries page;
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i)
        page.checked[i] = IsChecked(dialog, kCheckBoxes[i].box);
    page.xOffset = ReadText(dialog, kXOffsetEdit);
    page.yOffset = ReadText(dialog, kYOffsetEdit);
    page.slipCorrection = ReadText(dialog, kSlipCorrectionEdit);
    page.copies = ReadText(dialog, kCopiesEdit);
    page.density = ReadText(dialog, kPrintDensityEdit);
    page.passThroughFont = ReadText(dialog, kPassThroughFontList);
    page.xUnit = UnitOf(dialog, kXOffsetUnitList);
    page.yUnit = UnitOf(dialog, kYOffsetUnitList);
    return page;
}

StoredPapers ReadStoredPapers(const PageContext& context) {
    PrinterStore& printer = context.pPrinter->get();
    return {ReadStandardPapers(printer), ReadCustomPapers(printer)};
}

namespace {

const wchar_t* Loaded(const PageContext& context, TextPair text, bool german) {
    return LoadPageString(context.hHeap, context.hModule, static_cast<UINT>(text.In(german)));
}

}  // namespace

void TellUser(HWND dialog, TextPair text, TextPair caption, UINT icon) {
    if (const PageContext* context = ContextOf(dialog)) {
        const bool german = UseGermanTexts();
        MessageBoxW(dialog, Loaded(*context, text, german), Loaded(*context, caption, german),
                    icon);
    }
}

}  // namespace adjustui::page
