#include "page/win32/page_commands.h"

#include <cwchar>

#include "common/text.h"
#include "page/check_boxes.h"
#include "page/controls.h"
#include "page/page_model.h"
#include "page/win32/page_fields.h"
#include "page/win32/page_io.h"
#include "page/win32/page_strings.h"
#include "settings/store_changes.h"

namespace adjustui::page {
namespace {

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

void Enable(HWND dialog, int id, bool on) {
    EnableWindow(Item(dialog, id), on ? TRUE : FALSE);
}

void SetText(HWND dialog, int id, const std::u16string& text) {
    SetDlgItemTextW(dialog, id, Wide(text));
}

void SetField(HWND dialog, Field f, const std::u16string& text) {
    SetText(dialog, kFieldEdits[static_cast<std::size_t>(f)], text);
}

LRESULT Selection(HWND dialog, int list) {
    return SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0);
}

// A check box enables or disables the controls of its group; a group that now counts shows what
// is wrong in it.
void OnCheckBox(HWND dialog, PageContext& context, WORD id) {
    for (const CheckBox& check : kCheckBoxes) {
        if (check.box != id)
            continue;
        const bool on = IsChecked(dialog, check.box);
        for (ControlId control : check.enables)
            Enable(dialog, control, on);
        switch (id) {
            case kImagePositioningCheck:
                ApplyJudgement(dialog, context, {Field::XOffset, Field::YOffset});
                break;
            case kSlipCorrectionCheck:
                ApplyJudgement(dialog, context, {Field::SlipCorrection});
                break;
            case kPrintDensityCheck:
                ApplyJudgement(dialog, context, {Field::Density});
                break;
            default:
                ApplyJudgement(dialog, context);
                break;
        }
    }
}

// A new unit shows the same value: a text the user has not changed keeps the value behind it.
void OnUnitChange(HWND dialog, PageContext& context, std::initializer_list<Field> fields,
                  int list) {
    const LengthUnit unit = UnitOf(dialog, list);
    {
        WritingFields writing(context);
        for (Field f : fields) {
            const std::u16string text = ReadText(dialog, kFieldEdits[static_cast<std::size_t>(f)]);
            if (const auto converted = context.pModel->ConvertUnit(f, text, unit))
                SetField(dialog, f, *converted);
        }
    }
    ApplyJudgement(dialog, context);
}

PublicPaper PaperOfPublicDevmode(const PageContext& context) {
    const DEVMODEW* pub = context.pPublicDevmode;
    if (pub == nullptr)
        return {};
    return {pub->dmPaperSize, pub->dmPaperWidth, pub->dmPaperLength};
}

void WritePublicPaper(PageContext& context, std::uint16_t code, std::int32_t width,
                      std::int32_t length) {
    if (DEVMODEW* pub = context.pPublicDevmode) {
        pub->dmPaperSize = static_cast<short>(code);
        pub->dmPaperWidth = static_cast<short>(width);
        pub->dmPaperLength = static_cast<short>(length);
        pub->dmFields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
}

// The chosen entry's paper becomes the job's in both devmodes and fills the editor's fields.
void OnPaperChoice(HWND dialog, PageContext& context) {
    const LRESULT item = Selection(dialog, kPaperSizeList);
    const auto& entries = context.pModel->facts().papers.entries;
    if (item < 0 || static_cast<std::size_t>(item) >= entries.size())
        return;
    const PaperEntry paper = entries[static_cast<std::size_t>(item)];
    context.pOemDevmode->wSelectedPaperSize = paper.id;
    WritePublicPaper(context, paper.id, paper.width, paper.length);
    const LengthUnit unit = UnitOf(dialog, kPaperUnitList);
    {
        WritingFields writing(context);
        SetField(dialog, Field::PaperWidth,
                 context.pModel->Show(Field::PaperWidth, paper.width, unit));
        SetField(dialog, Field::PaperLength,
                 context.pModel->Show(Field::PaperLength, paper.length, unit));
        SetText(dialog, kPaperNameEdit, paper.name);
    }
    ApplyJudgement(dialog, context);
}

// The list again as the printer holds it now, the entry of `keep` (a paper's code, and whether it
// is a custom one) still selected; the counters of the private devmode follow it.
bool RefillPaperList(HWND dialog, PageContext& context, std::optional<PaperEntry> keep) {
    context.pModel->SetPapers(BuildPaperList(context.pPrinter->get(), *context.pOemDevmode,
                                             PaperOfPublicDevmode(context),
                                             context.pPrinter->AnsweredPapers()));
    const PaperListView& papers = context.pModel->facts().papers;
    SendDlgItemMessageW(dialog, kPaperSizeList, CB_RESETCONTENT, 0, 0);
    LRESULT selected = -1;
    for (std::size_t i = 0; i < papers.entries.size(); ++i) {
        const PaperEntry& e = papers.entries[i];
        const LRESULT item = SendDlgItemMessageW(dialog, kPaperSizeList, CB_ADDSTRING, 0,
                                                 reinterpret_cast<LPARAM>(Wide(e.name)));
        SendDlgItemMessageW(dialog, kPaperSizeList, CB_SETITEMDATA, item, e.id);
        if (keep && e.id == keep->id && e.custom == keep->custom)
            selected = item;
    }
    SendDlgItemMessageW(dialog, kPaperSizeList, CB_SETCURSEL, selected, 0);
    context.pOemDevmode->lLastPaperIndex = papers.lastIndex;
    std::int32_t custom = 0;
    for (const PaperEntry& e : papers.entries)
        custom += e.custom ? 1 : 0;
    context.pOemDevmode->lCustomPaperCount = custom;
    return selected >= 0 || !keep;
}

std::optional<PaperEntry> SelectedEntry(HWND dialog, const PageContext& context) {
    const LRESULT item = Selection(dialog, kPaperSizeList);
    const auto& entries = context.pModel->facts().papers.entries;
    if (item < 0 || static_cast<std::size_t>(item) >= entries.size())
        return std::nullopt;
    return entries[static_cast<std::size_t>(item)];
}

void OnAddPaper(HWND dialog, PageContext& context) {
    const auto paper = context.pModel->NewPaper(ReadShown(dialog));
    if (!paper)
        return;
    const PaperListChange added = AppendCustomPaper(context.pPrinter->get(), *paper);
    context.pPrinter->Refresh();
    if (!added.stored) {
        // Another user stored a paper of that name since the page read the list: it shows now.
        if (added.nameTaken) {
            RefillPaperList(dialog, context, SelectedEntry(dialog, context));
            ApplyJudgement(dialog, context);
        }
        TellUser(dialog, kPaperNotStoredText, kCustomPapersText, MB_ICONERROR);
        return;
    }
    RefillPaperList(dialog, context, SelectedEntry(dialog, context));
    ApplyJudgement(dialog, context);
}

void OnDeletePaper(HWND dialog, PageContext& context) {
    const PageShown shown = ReadShown(dialog);
    const auto paper = context.pModel->NamedCustomPaper(shown);
    if (!paper)
        return;
    const std::u16string name(FieldText(paper->name));
    const PaperListChange removed = RemoveCustomPaper(context.pPrinter->get(), name);
    context.pPrinter->Refresh();
    if (!removed.stored) {
        TellUser(dialog, kPaperNotRemovedText, kCustomPapersText, MB_ICONERROR);
        return;
    }
    const bool german = UseGermanTexts();
    wchar_t message[256];
    std::swprintf(message, std::size(message), Wide(PageText(kPaperDeletedFormat, german)),
                  Wide(shown.paperName));
    MessageBoxW(dialog, message, Wide(PageText(kPaperDeletedCaption, german)), MB_OK);

    // A selected paper that is gone gives way to the first entry, chosen as the user would.
    if (!RefillPaperList(dialog, context, SelectedEntry(dialog, context))) {
        SendDlgItemMessageW(dialog, kPaperSizeList, CB_SETCURSEL, 0, 0);
        OnPaperChoice(dialog, context);
        return;
    }
    ApplyJudgement(dialog, context);
}

void OnEditUpdate(HWND dialog, PageContext& context, WORD id) {
    for (std::size_t f = 0; f < kFieldCount; ++f) {
        if (kFieldEdits[f] == id) {
            ApplyJudgement(dialog, context, {static_cast<Field>(f)});
            return;
        }
    }
    if (id == kPaperNameEdit)
        ApplyJudgement(dialog, context);
}

void OnSelectionChange(HWND dialog, PageContext& context, WORD id) {
    OemDevmode& devmode = *context.pOemDevmode;
    switch (id) {
        case kXOffsetUnitList:
            OnUnitChange(dialog, context, {Field::XOffset}, kXOffsetUnitList);
            break;
        case kYOffsetUnitList:
            OnUnitChange(dialog, context, {Field::YOffset}, kYOffsetUnitList);
            break;
        case kPaperUnitList:
            OnUnitChange(dialog, context, {Field::PaperWidth, Field::PaperLength}, kPaperUnitList);
            break;
        case kCutterList:
            if (const LRESULT item = Selection(dialog, kCutterList); item >= 0)
                devmode.dwCutter = static_cast<std::uint32_t>(item);
            break;
        case kPrintSpeedList:
            if (const LRESULT item = Selection(dialog, kPrintSpeedList); item >= 0) {
                devmode.dwPrintSpeed = static_cast<std::uint32_t>(
                    SendDlgItemMessageW(dialog, kPrintSpeedList, CB_GETITEMDATA, item, 0));
            }
            break;
        case kConfigNumberList:
            if (const LRESULT item = Selection(dialog, kConfigNumberList); item >= 0)
                devmode.dwConfigNumber = static_cast<std::uint32_t>(item);
            break;
        case kPaperSizeList:
            OnPaperChoice(dialog, context);
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

Field FieldOf(RefusedField refused) {
    switch (refused) {
        case RefusedField::XOffset:
            return Field::XOffset;
        case RefusedField::YOffset:
            return Field::YOffset;
        case RefusedField::SlipCorrection:
            return Field::SlipCorrection;
        case RefusedField::Copies:
            return Field::Copies;
        case RefusedField::Density:
            break;
    }
    return Field::Density;
}

// Leaving the page: everything is taken over, or nothing and the page stays active.
LONG_PTR OnKillActive(HWND dialog, PageContext& context) {
    const PageShown shown = ReadShown(dialog);
    const TakeOver result = context.pModel->Leave(shown, *context.pOemDevmode);
    if (result.refusal) {
        ShowBalloonOf(dialog, context, shown, FieldOf(result.refusal->field));
        TellUser(dialog, result.refusal->text, result.refusal->caption, MB_ICONERROR);
        return TRUE;
    }
    if (result.paper)
        WritePublicPaper(context, result.paper->code, result.paper->width, result.paper->length);
    return FALSE;
}

}  // namespace

void OnPageCommand(HWND dialog, PageContext& context, WORD code, WORD id) {
    if (!context.pModel)
        return;
    switch (code) {
        case BN_CLICKED:
            OnClick(dialog, context, id);
            break;
        case CBN_SELCHANGE:
            OnSelectionChange(dialog, context, id);
            break;
        case EN_UPDATE:
            // The texts the page writes itself are not the user's.
            if (context.dwWritingFields == 0)
                OnEditUpdate(dialog, context, id);
            break;
        default:
            break;
    }
}

void OnPageNotify(HWND dialog, PageContext& context, const NMHDR& header) {
    switch (header.code) {
        case static_cast<UINT>(PSN_KILLACTIVE):
            if (context.pModel)
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
    const PageShown shown = ReadShown(dialog);
    if (!context.pModel->ButtonsFor(shown).setAsDefault)
        return;
    std::vector<ValueToWrite> values;
    for (ValueToStore& v :
         context.pModel->Defaults(shown, *context.pOemDevmode, PaperOfPublicDevmode(context))) {
        values.push_back({v.setting->name, StoredType(v.setting->kind), std::move(v.data)});
    }
    // Only values whose bytes differ from what is stored now are written, through a handle
    // opened only then.
    context.pPrinter->Refresh();
    const WriteOutcome outcome = StoreChangedValues(context.pPrinter->get(), values);
    context.pPrinter->Refresh();
    if (!outcome.stored)
        TellUser(dialog, kDefaultsNotSavedText, kSaveAsDefaultText, MB_ICONERROR);
}

}  // namespace adjustui::page
