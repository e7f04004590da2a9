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

namespace {

std::optional<std::size_t> Selection(HWND dialog, int list) {
    const LRESULT item = SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0);
    if (item < 0)
        return std::nullopt;
    return static_cast<std::size_t>(item);
}

}  // namespace

PageShown ReadShown(HWND dialog) {
    PageShown shown;
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i)
        shown.checked[i] = IsChecked(dialog, kCheckBoxes[i].box);
    for (std::size_t f = 0; f < kFieldCount; ++f)
        shown.texts[f] = ReadText(dialog, kFieldEdits[f]);
    shown.xUnit = UnitOf(dialog, kXOffsetUnitList);
    shown.yUnit = UnitOf(dialog, kYOffsetUnitList);
    shown.paperUnit = UnitOf(dialog, kPaperUnitList);
    shown.cutterEntry = Selection(dialog, kCutterList);
    shown.configEntry = Selection(dialog, kConfigNumberList);
    if (const auto speed = Selection(dialog, kPrintSpeedList)) {
        shown.printSpeed = static_cast<std::uint32_t>(
            SendDlgItemMessageW(dialog, kPrintSpeedList, CB_GETITEMDATA, *speed, 0));
    }
    shown.paperEntry = Selection(dialog, kPaperSizeList);
    shown.passThroughFont = ReadText(dialog, kPassThroughFontList);
    shown.paperName = ReadText(dialog, kPaperNameEdit);
    return shown;
}

namespace {

LoadedText Loaded(const PageContext& context, TextPair text, bool german) {
    return LoadPageString(context.hHeap, context.hModule, static_cast<UINT>(text.In(german)));
}

}  // namespace

void TellUser(HWND dialog, TextPair text, TextPair caption, UINT icon) {
    if (const PageContext* context = ContextOf(dialog)) {
        const bool german = UseGermanTexts();
        const LoadedText shown = Loaded(*context, text, german);
        const LoadedText title = Loaded(*context, caption, german);
        MessageBoxW(dialog, shown.get(), title.get(), icon);
    }
}

}  // namespace adjustui::page
