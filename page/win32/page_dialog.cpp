#include "page/win32/page_dialog.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "common/text.h"
#include "models/model_tables.h"
#include "page/check_boxes.h"
#include "page/controls.h"
#include "page/custom_paper.h"
#include "page/language.h"
#include "page/layout.h"
#include "page/page_model.h"
#include "page/paper_list.h"
#include "page/texts.h"
#include "page/win32/font_list.h"
#include "page/win32/page_commands.h"
#include "page/win32/page_context.h"
#include "page/win32/page_fields.h"
#include "page/win32/page_io.h"
#include "page/win32/page_strings.h"
#include "page/win32/paper_limits.h"
#include "platform/win32/winspool_store.h"

namespace adjustui::page {
namespace {

LRESULT AddItem(HWND dialog, int list, const wchar_t* text, LPARAM data) {
    const LRESULT item =
        SendDlgItemMessageW(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (item >= 0)
        SendDlgItemMessageW(dialog, list, CB_SETITEMDATA, item, data);
    return item;
}

void Select(HWND dialog, int list, std::size_t item) {
    SendDlgItemMessageW(dialog, list, CB_SETCURSEL, item, 0);
}

RECT PlacementOf(HWND control, WINDOWPLACEMENT& placement) {
    placement.length = sizeof placement;
    GetWindowPlacement(control, &placement);
    return placement.rcNormalPosition;
}

ModelCapabilities ModelOf(const PageContext& context) {
    return {context.bHasCutter != 0, context.bHasPrintSpeed != 0, context.bHasPrintDensity != 0,
            context.bHasSlipCorrection != 0};
}

// Hides the groups the model lacks and closes the gaps, in pixels as the dialog was laid out.
void LayOutForModel(HWND dialog, const PageContext& context) {
    std::array<int, 4> heights{};
    for (std::size_t g = 0; g < heights.size(); ++g) {
        WINDOWPLACEMENT placement;
        const RECT box = PlacementOf(GetDlgItem(dialog, kRightColumn[g].Box()), placement);
        heights[g] = box.bottom - box.top;
    }
    const LayoutPlan plan = PlanLayout(ModelOf(context), heights);
    for (const auto& [id, dy] : plan.moves) {
        HWND control = GetDlgItem(dialog, id);
        WINDOWPLACEMENT placement;
        PlacementOf(control, placement);
        placement.rcNormalPosition.top += dy;
        placement.rcNormalPosition.bottom += dy;
        SetWindowPlacement(control, &placement);
    }
    for (int id : plan.hidden)
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
}

// Set at once, so that the judgement at the end of initialisation sees them.
void ShowCheckBoxes(HWND dialog, const PageShown& shown) {
    for (std::size_t i = 0; i < std::size(kCheckBoxes); ++i) {
        const CheckBox& check = kCheckBoxes[i];
        CheckDlgButton(dialog, check.box, shown.checked[i] ? BST_CHECKED : BST_UNCHECKED);
        for (ControlId id : check.enables)
            EnableWindow(GetDlgItem(dialog, id), shown.checked[i]);
    }
}

void ShowFields(HWND dialog, const PageShown& shown) {
    for (std::size_t f = 0; f < kFieldCount; ++f)
        SetDlgItemTextW(dialog, kFieldEdits[f], Wide(shown.texts[f]));
}

// Each unit item carries its unit, so no caller reads the unit from a text.
void FillUnitList(HWND dialog, int list, LengthUnit selected) {
    AddItem(dialog, list, Wide(kUnitInch), static_cast<LPARAM>(LengthUnit::Inch));
    AddItem(dialog, list, Wide(kUnitMm), static_cast<LPARAM>(LengthUnit::Millimetre));
    const LRESULT count = SendDlgItemMessageW(dialog, list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendDlgItemMessageW(dialog, list, CB_GETITEMDATA, i, 0) ==
            static_cast<LRESULT>(selected)) {
            Select(dialog, list, static_cast<std::size_t>(i));
        }
    }
}

void ShowUnits(HWND dialog, const PageShown& shown) {
    FillUnitList(dialog, kXOffsetUnitList, shown.xUnit);
    FillUnitList(dialog, kYOffsetUnitList, shown.yUnit);
    FillUnitList(dialog, kPaperUnitList, shown.paperUnit);
}

void ShowPapers(HWND dialog, PageContext& context, const PageShown& shown) {
    const PaperListView& papers = context.pModel->facts().papers;
    context.pOemDevmode->lLastPaperIndex = papers.lastIndex;
    for (const PaperEntry& entry : papers.entries)
        AddItem(dialog, kPaperSizeList, Wide(entry.name), entry.id);
    SendDlgItemMessageW(dialog, kPaperSizeList, CB_SETCURSEL,
                        shown.paperEntry ? static_cast<WPARAM>(*shown.paperEntry) : WPARAM(-1), 0);
    // A record holds 63 units of a name and its terminator.
    SendDlgItemMessageW(dialog, kPaperNameEdit, EM_SETLIMITTEXT, kPaperNameUnits - 1, 0);
    SetDlgItemTextW(dialog, kPaperNameEdit, Wide(shown.paperName));
}

void FillCutterList(HWND dialog, const PageContext& context, std::optional<std::size_t> selected,
                    bool german) {
    for (const TextPair& text : kCutterModeTexts) {
        // The list keeps its own copy of each item's text.
        const LoadedText item =
            LoadPageString(context.hHeap, context.hModule, static_cast<UINT>(text.In(german)));
        SendDlgItemMessageW(dialog, kCutterList, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(item.get()));
    }
    Select(dialog, kCutterList, selected.value_or(0));
}

// The speeds the model offers, each item carrying its speed.
void FillPrintSpeedList(HWND dialog, PageContext& context) {
    if (!context.bHasPrintSpeed)
        return;
    const std::u16string_view model = FieldText(context.szDriverName);
    if (model.empty()) {
        context.bHasPrintSpeed = 0;
        return;
    }
    const std::vector<std::uint32_t> speeds = PrintSpeedsFor(model);
    for (std::uint32_t speed : speeds)
        AddItem(dialog, kPrintSpeedList, std::to_wstring(speed).c_str(), speed);
    Select(dialog, kPrintSpeedList, PrintSpeedSelection(speeds, context.pOemDevmode->dwPrintSpeed));
}

void FillConfigList(HWND dialog, std::optional<std::size_t> selected) {
    for (int number = 1; number <= 10; ++number) {
        SendDlgItemMessageW(dialog, kConfigNumberList, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::to_wstring(number).c_str()));
    }
    Select(dialog, kConfigNumberList, selected.value_or(0));
}

void InstallFilters(HWND dialog, PageContext& context) {
    struct Filtered {
        ControlId edit;
        UINT_PTR kind;
    };
    constexpr Filtered kFiltered[] = {
        {kXOffsetEdit, kDecimalFilter},      {kYOffsetEdit, kDecimalFilter},
        {kPaperWidthEdit, kDecimalFilter},   {kPaperLengthEdit, kDecimalFilter},
        {kSlipCorrectionEdit, kWholeFilter}, {kPrintDensityEdit, kWholeFilter},
        {kCopiesEdit, kWholeFilter},
    };
    for (const Filtered& f : kFiltered) {
        SetWindowSubclass(GetDlgItem(dialog, f.edit), EditCharFilter, f.kind,
                          reinterpret_cast<DWORD_PTR>(&context));
    }
}

void ShowTexts(HWND dialog, const PageContext& context, bool german) {
    for (const ControlText& text : kControlTexts) {
        const LoadedText shown =
            LoadPageString(context.hHeap, context.hModule, static_cast<UINT>(text.text.In(german)));
        SetDlgItemTextW(dialog, text.control, shown.get());
    }
}

INT_PTR InitialisePage(HWND dialog, const PROPSHEETPAGEW* page) {
    auto* context = page != nullptr ? reinterpret_cast<PageContext*>(page->lParam) : nullptr;
    if (context == nullptr || context->pOemDevmode == nullptr)
        return TRUE;
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
    WritingFields writing(*context);
    LayOutForModel(dialog, *context);
    EnableWindow(GetDlgItem(dialog, kPaperNameLabel), FALSE);
    const bool german = IsGermanLocale(GetUserDefaultLCID());
    const DEVMODEW* pub = context->pPublicDevmode;
    const PublicPaper publicPaper{pub != nullptr ? pub->dmPaperSize : short{0},
                                  pub != nullptr ? pub->dmPaperWidth : short{0},
                                  pub != nullptr ? pub->dmPaperLength : short{0}};
    context->pModel = std::make_unique<PageModel>(
        PageFacts{ModelOf(*context), ReadPaperLimits(*context),
                  BuildPaperList(context->pPrinter->get(), *context->pOemDevmode, publicPaper,
                                 context->pPrinter->AnsweredPapers()),
                  german});
    const PageShown shown =
        context->pModel->Open(*context->pOemDevmode, LengthUnit::Inch, LengthUnit::Inch);
    ShowCheckBoxes(dialog, shown);
    ShowFields(dialog, shown);
    ShowUnits(dialog, shown);
    ShowPapers(dialog, *context, shown);
    FillCutterList(dialog, *context, shown.cutterEntry, german);
    FillPrintSpeedList(dialog, *context);
    FillConfigList(dialog, shown.configEntry);
    FillFontList(GetDlgItem(dialog, kPassThroughFontList), *context->pOemDevmode);
    InstallFilters(dialog, *context);
    ShowTexts(dialog, *context, german);
    ApplyJudgement(dialog, *context);
    return TRUE;
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header) {
    if (PageContext* context = ContextOf(dialog); context != nullptr && header != nullptr)
        OnPageNotify(dialog, *context, *header);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    if (PageContext* context = ContextOf(dialog))
        OnPageCommand(dialog, *context, HIWORD(wParam), LOWORD(wParam));
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK PageDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing thrown (memory that ran out) unwinds into the host's window code: the message
    // counts as not handled.
    try {
        switch (message) {
            case WM_INITDIALOG:
                return InitialisePage(dialog, reinterpret_cast<const PROPSHEETPAGEW*>(lParam));
            case WM_NOTIFY:
                return OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
            case WM_COMMAND:
                return OnCommand(dialog, wParam);
            case WM_HELP:
            case WM_CONTEXTMENU:
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace adjustui::page
