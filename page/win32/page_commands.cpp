#include "page/win32/page_commands.h"

#include <cwchar>

#include "common/text.h"
#include "page/check_boxes.h"
#include "page/controls.h"
#include "page/defaults.h"
#include "page/number_scan.h"
#include "page/paper_editor.h"
#include "page/shown_values.h"
#include "page/take_over.h"
#include "page/win32/page_fields.h"
#include "page/win32/page_io.h"
#include "page/win32/page_strings.h"
#include "settings/store_changes.h"

namespace adjustui::page {
namespace {

// 25.4 as the page has always converted with it: a single-precision constant.
constexpr float kMmPerInch = 25.4f;

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

void Enable(HWND dialog, int id, bool on) {
    EnableWindow(Item(dialog, id), on ? TRUE : FALSE);
}

void SetText(HWND dialog, int id, const std::u16string& text) {
    SetDlgItemTextW(dialog, id, Wide(text));
}

LRESULT Selection(HWND dialog, int list) {
    return SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0);
}

PublicPaper PaperOfPublicDevmode(const PageContext& context) {
    const DEVMODEW* pub = context.pPublicDevmode;
    if (pub == nullptr)
        return {};
    return {pub->dmPaperSize, pub->dmPaperWidth, pub->dmPaperLength};
}

// A check box enables or disables the controls of its group.
void ShowGroupOf(HWND dialog, const CheckBox& check) {
    const bool on = IsChecked(dialog, check.box);
    for (ControlId id : check.enables)
        Enable(dialog, id, on);
}

void OnCheckBox(HWND dialog, PageContext& context, WORD id) {
    for (const CheckBox& check : kCheckBoxes) {
        if (check.box != id)
            continue;
        ShowGroupOf(dialog, check);
        // The pass-through font takes no part in the judgement of "Set as default".
        if (id != kPassThroughCheck)
            RefreshDefaultButton(dialog, context);
    }
}

// Inch and millimetres of an offset field; a decimal comma reads as the validators read it.
void OnOffsetUnit(HWND dialog, std::uint8_t& inMm, int list, int edit) {
    const bool toMm = UnitOf(dialog, list) == LengthUnit::Millimetre;
    if (toMm == (inMm != 0))
        return;
    const ScannedNumber n = ScanNumber(ReadText(dialog, edit), NumberKind::Decimal);
    float value = n.consumed > 0 ? static_cast<float>(n.value) : 0.0f;
    value = toMm ? value * kMmPerInch : value / kMmPerInch;
    inMm = toMm ? 1 : 0;
    SetText(dialog, edit, FixedText(value, 2));
}

// Tenths of a millimetre in the unit of the custom paper fields.
std::u16string PaperSizeIn(HWND dialog, std::int32_t tenths) {
    const double perUnit = UnitOf(dialog, kPaperUnitList) == LengthUnit::Inch ? 254.0 : 10.0;
    return FixedText(tenths / perUnit, 2);
}

// The paper becomes the job's in both devmodes and fills the editor's fields.
void ChoosePaper(HWND dialog, PageContext& context, const PaperRecord& paper) {
    context.pOemDevmode->wSelectedPaperSize = paper.id;
    if (DEVMODEW* pub = context.pPublicDevmode) {
        pub->dmPaperSize = static_cast<short>(paper.id);
        pub->dmPaperWidth = static_cast<short>(paper.width);
        pub->dmPaperLength = static_cast<short>(paper.length);
        pub->dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
    SetText(dialog, kPaperWidthEdit, PaperSizeIn(dialog, paper.width));
    SetText(dialog, kPaperLengthEdit, PaperSizeIn(dialog, paper.length));
    // As the field holds it: a stored name may fill all 64 units.
    SetText(dialog, kPaperNameEdit,
            std::u16string(FieldText(paper.name).substr(0, kPaperNameUnits - 1)));
}

void OnPaperChoice(HWND dialog, PageContext& context) {
    const LRESULT code = SendDlgItemMessageW(dialog, kPaperSizeList, CB_GETITEMDATA,
                                             Selection(dialog, kPaperSizeList), 0);
    if (code == CB_ERR)
        return;
    const StoredPapers papers = ReadStoredPapers(context);
    if (const auto paper =
            PaperOfCode(static_cast<std::uint16_t>(code), papers.standard, papers.custom)) {
        ChoosePaper(dialog, context, *paper);
    }
}

// Add takes a new, non-empty name with a width and length the printer can take, and only while
// the page's other checks pass.
void RefreshAddButton(HWND dialog, const PageContext& context) {
    const bool fieldsValid = context.bSlipCorrectionValid && context.bXOffsetValid &&
                             context.bYOffsetValid && context.bCopiesValid &&
                             context.bPaperWidthValid && context.bPaperLengthValid;
    const bool newName = !context.bPaperNameIsStandard && !context.bPaperNameIsCustom &&
                         !ReadText(dialog, kPaperNameEdit).empty();
    Enable(dialog, kAddPaperButton, fieldsValid && newName);
}

// Judges both sizes, `last` second so that the syntax flag keeps its outcome. The sizes the page
// opened with were never judged, and taking them as wrong would refuse a page that is right.
void JudgePaperSizes(HWND dialog, PageContext& context, WORD last) {
    if (last == kPaperWidthEdit)
        ValidatePaperLength(dialog, Item(dialog, kPaperLengthEdit), context);
    ValidatePaperWidth(dialog, Item(dialog, kPaperWidthEdit), context);
    if (last == kPaperLengthEdit)
        ValidatePaperLength(dialog, Item(dialog, kPaperLengthEdit), context);
}

void OnPaperName(HWND dialog, PageContext& context) {
    const StoredPapers papers = ReadStoredPapers(context);
    const NameKind kind =
        ClassifyPaperName(ReadText(dialog, kPaperNameEdit), papers.standard, papers.custom);
    context.bPaperNameIsStandard = kind == NameKind::Standard;
    context.bPaperNameIsCustom = kind == NameKind::Custom;
    Enable(dialog, kDeletePaperButton, kind == NameKind::Custom);
    // A new name is judged with the sizes the fields show.
    if (kind == NameKind::New)
        JudgePaperSizes(dialog, context, kPaperLengthEdit);
    RefreshAddButton(dialog, context);
}

void OnPaperValue(HWND dialog, PageContext& context, WORD id) {
    JudgePaperSizes(dialog, context, id);
    const bool allValid = context.bSlipCorrectionValid && context.bXOffsetValid &&
                          context.bYOffsetValid && context.bCopiesValid &&
                          context.bPaperWidthValid && context.bPaperLengthValid;
    // A width or length that is no number keeps the unit list until it is corrected.
    Enable(dialog, kPaperUnitList, allValid || !context.bPaperValueSyntaxError);
    Enable(dialog, kSaveAsDefaultButton, allValid);
    RefreshAddButton(dialog, context);
}

void OnPaperUnit(HWND dialog, PageContext& context) {
    const bool toInch = UnitOf(dialog, kPaperUnitList) == LengthUnit::Inch;
    if (toInch == (context.bPaperValuesInInch != 0))
        return;
    constexpr double kFactor = static_cast<double>(kMmPerInch);
    auto converted = [&](int edit) {
        const ScannedNumber n = ScanNumber(ReadText(dialog, edit), NumberKind::Decimal);
        const double value = n.consumed > 0 ? n.value : 1.0;
        return toInch ? value / kFactor : value * kFactor;
    };
    const double width = converted(kPaperWidthEdit);
    const double length = converted(kPaperLengthEdit);
    context.bPaperValuesInInch = toInch ? 1 : 0;
    // Each text runs its field's check, which decides Add again.
    SetText(dialog, kPaperWidthEdit, FixedText(width, 2));
    SetText(dialog, kPaperLengthEdit, FixedText(length, 2));
}

// The counters of the private devmode follow the list.
void CountPapers(HWND dialog, PageContext& context, std::uint32_t storedCustom) {
    const LRESULT entries = SendDlgItemMessageW(dialog, kPaperSizeList, CB_GETCOUNT, 0, 0);
    context.pOemDevmode->lLastPaperIndex = static_cast<std::int32_t>(entries) - 1;
    context.pOemDevmode->lCustomPaperCount = static_cast<std::int32_t>(storedCustom);
}

void OnAddPaper(HWND dialog, PageContext& context) {
    const std::u16string name = ReadText(dialog, kPaperNameEdit);
    const PaperRecord paper =
        MakeCustomPaper(name, ReadText(dialog, kPaperWidthEdit), ReadText(dialog, kPaperLengthEdit),
                        UnitOf(dialog, kPaperUnitList), kFirstCustomPaperId);
    const PaperListChange added = AppendCustomPaper(context.pPrinter->get(), paper);
    context.pPrinter->Refresh();
    if (!added.stored) {
        TellUser(dialog, kPaperNotStoredText, kCustomPapersText, MB_ICONERROR);
        return;
    }
    const LRESULT item =
        SendDlgItemMessageW(dialog, kPaperSizeList, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Wide(std::u16string(FieldText(paper.name)))));
    SendDlgItemMessageW(dialog, kPaperSizeList, CB_SETITEMDATA, item, added.code);
    CountPapers(dialog, context, added.count);
    context.bPaperNameIsCustom = 1;
    Enable(dialog, kAddPaperButton, false);
    Enable(dialog, kDeletePaperButton, true);
}

// The custom entry that carries a paper's code: custom papers follow the standard ones, whose
// driver's own codes may be the same.
LRESULT CustomEntryWithCode(HWND dialog, std::uint16_t code) {
    const LRESULT count = SendDlgItemMessageW(dialog, kPaperSizeList, CB_GETCOUNT, 0, 0);
    for (LRESULT i = count - 1; i >= 0; --i) {
        if (SendDlgItemMessageW(dialog, kPaperSizeList, CB_GETITEMDATA, i, 0) == code)
            return i;
    }
    return CB_ERR;
}

void OnDeletePaper(HWND dialog, PageContext& context) {
    const std::u16string name = ReadText(dialog, kPaperNameEdit);
    const PaperListChange removed = RemoveCustomPaper(context.pPrinter->get(), name);
    context.pPrinter->Refresh();
    if (!removed.stored) {
        TellUser(dialog, kPaperNotRemovedText, kCustomPapersText, MB_ICONERROR);
        return;
    }
    const bool german = UseGermanTexts();
    wchar_t message[256];
    std::swprintf(message, std::size(message), Wide(PageText(kPaperDeletedFormat, german)),
                  Wide(name));
    MessageBoxW(dialog, message, Wide(PageText(kPaperDeletedCaption, german)), MB_OK);

    // The entry of the very paper the store gave up, even beside a twin of its name.
    const LRESULT entry = CustomEntryWithCode(dialog, removed.code);
    const bool wasSelected = entry != CB_ERR && entry == Selection(dialog, kPaperSizeList);
    if (entry != CB_ERR)
        SendDlgItemMessageW(dialog, kPaperSizeList, CB_DELETESTRING, entry, 0);
    CountPapers(dialog, context, removed.count);
    if (wasSelected) {
        SendDlgItemMessageW(dialog, kPaperSizeList, CB_SETCURSEL, 0, 0);
        OnPaperChoice(dialog, context);
    }
    OnPaperName(dialog, context);
}

void OnEditUpdate(HWND dialog, PageContext& context, WORD id) {
    switch (id) {
        case kXOffsetEdit:
        case kYOffsetEdit:
        case kSlipCorrectionEdit:
        case kPrintDensityEdit:
        case kCopiesEdit:
            RefreshDefaultButton(dialog, context);
            break;
        case kPaperNameEdit:
            OnPaperName(dialog, context);
            break;
        case kPaperWidthEdit:
        case kPaperLengthEdit:
            OnPaperValue(dialog, context, id);
            break;
        default:
            break;
    }
}

void OnSelectionChange(HWND dialog, PageContext& context, WORD id) {
    OemDevmode& devmode = *context.pOemDevmode;
    switch (id) {
        case kXOffsetUnitList:
            OnOffsetUnit(dialog, context.bXOffsetInMm, kXOffsetUnitList, kXOffsetEdit);
            break;
        case kYOffsetUnitList:
            OnOffsetUnit(dialog, context.bYOffsetInMm, kYOffsetUnitList, kYOffsetEdit);
            break;
        case kCutterList:
            devmode.dwCutter = static_cast<std::uint32_t>(Selection(dialog, kCutterList));
            break;
        case kPrintSpeedList:
            devmode.dwPrintSpeed = static_cast<std::uint32_t>(SendDlgItemMessageW(
                dialog, kPrintSpeedList, CB_GETITEMDATA, Selection(dialog, kPrintSpeedList), 0));
            break;
        case kConfigNumberList:
            devmode.dwConfigNumber =
                static_cast<std::uint32_t>(Selection(dialog, kConfigNumberList));
            break;
        case kPaperSizeList:
            OnPaperChoice(dialog, context);
            break;
        case kPaperUnitList:
            OnPaperUnit(dialog, context);
            break;
        default:
            break;
    }
}

void OnClick(HWND dialog, PageContext& context, WORD id) {
    switch (id) {
        case kSaveAsDefaultButton:
            SaveSettingsAsDefault(dialog, context);
            break;
        case kAddPaperButton:
            OnAddPaper(dialog, context);
            break;
        case kDeletePaperButton:
            OnDeletePaper(dialog, context);
            break;
        default:
            OnCheckBox(dialog, context, id);
            break;
    }
}

// Leaving the page: refused while a value is wrong, the page staying active.
LONG_PTR OnKillActive(HWND dialog, PageContext& context) {
    OffsetUnits units{context.bXOffsetInMm, context.bYOffsetInMm};
    const auto refusal = TakeOverPage(ReadPageEntries(dialog), *context.pOemDevmode, units);
    context.bXOffsetInMm = units.xInMm;
    context.bYOffsetInMm = units.yInMm;
    // The copies and density are judged by their validators too, which show their balloons.
    if (!refusal || refusal->field >= RefusedField::Copies)
        ValidateCopies(dialog, Item(dialog, kCopiesEdit), context);
    if (!refusal || refusal->field == RefusedField::Density)
        ValidateDensity(dialog, Item(dialog, kPrintDensityEdit), context);
    if (!refusal)
        return FALSE;
    TellUser(dialog, refusal->text, refusal->caption, MB_ICONERROR);
    return TRUE;
}

}  // namespace

void OnPageCommand(HWND dialog, PageContext& context, WORD code, WORD id) {
    switch (code) {
        case BN_CLICKED:
            OnClick(dialog, context, id);
            break;
        case CBN_SELCHANGE:
            OnSelectionChange(dialog, context, id);
            break;
        case EN_UPDATE:
            // The texts the page writes while it opens are not the user's.
            if (context.bInitialised)
                OnEditUpdate(dialog, context, id);
            break;
        default:
            break;
    }
}

void OnPageNotify(HWND dialog, PageContext& context, const NMHDR& header) {
    switch (header.code) {
        case static_cast<UINT>(PSN_KILLACTIVE):
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, OnKillActive(dialog, context));
            break;
        case static_cast<UINT>(PSN_APPLY):
            context.dwApplied = 1;
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, PSNRET_NOERROR);
            break;
        case static_cast<UINT>(PSN_RESET):
            context.dwApplied = 0;
            break;
        default:
            break;
    }
}

void SaveSettingsAsDefault(HWND dialog, PageContext& context) {
    // Nothing changes on the page unless the printer took the values.
    OemDevmode devmode = *context.pOemDevmode;
    OffsetUnits units{context.bXOffsetInMm, context.bYOffsetInMm};
    std::vector<ValueToWrite> values;
    for (ValueToStore& v :
         DefaultsFromPage(ReadPageEntries(dialog), devmode, PaperOfPublicDevmode(context), units)) {
        values.push_back({v.setting->name, StoredType(v.setting->kind), std::move(v.data)});
    }
    // Only values whose bytes differ from what is stored now are written, through a handle
    // opened only then.
    context.pPrinter->Refresh();
    const WriteOutcome outcome = StoreChangedValues(context.pPrinter->get(), values);
    context.pPrinter->Refresh();
    if (!outcome.stored) {
        TellUser(dialog, kDefaultsNotSavedText, kSaveAsDefaultText, MB_ICONERROR);
        return;
    }
    *context.pOemDevmode = devmode;
    context.bXOffsetInMm = units.xInMm;
    context.bYOffsetInMm = units.yInMm;
}

}  // namespace adjustui::page
