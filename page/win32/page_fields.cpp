#include "page/win32/page_fields.h"

#include <commctrl.h>

#include "page/controls.h"
#include "page/validation.h"
#include "page/win32/page_io.h"

namespace adjustui::page {
namespace {

void ShowBalloon(HWND edit, const Balloon& balloon) {
    EDITBALLOONTIP tip{};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = reinterpret_cast<const wchar_t*>(balloon.title.c_str());
    tip.pszText = reinterpret_cast<const wchar_t*>(balloon.text.c_str());
    tip.ttiIcon = static_cast<INT>(balloon.icon);
    SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
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
        // A field that cannot be read for want of memory takes the character as the edit would.
        try {
            if (!FilterPasses(static_cast<char16_t>(wParam), kind, ReadText(edit), start))
                return 0;
        } catch (...) {
        }
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void ShowBalloonOf(HWND dialog, const PageContext& context, const PageShown& shown, Field f) {
    const Judgement j = context.pModel->Judge(f, shown);
    if (j.judged && j.check.balloon)
        ShowBalloon(GetDlgItem(dialog, kFieldEdits[static_cast<std::size_t>(f)]), *j.check.balloon);
}

void ApplyJudgement(HWND dialog, const PageContext& context,
                    std::initializer_list<Field> balloonsOn) {
    if (!context.pModel)
        return;
    const PageShown shown = ReadShown(dialog);
    for (Field f : balloonsOn)
        ShowBalloonOf(dialog, context, shown, f);
    const Buttons buttons = context.pModel->ButtonsFor(shown);
    auto enable = [&](int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); };
    enable(kAddPaperButton, buttons.add);
    enable(kDeletePaperButton, buttons.remove);
    enable(kSaveAsDefaultButton, buttons.setAsDefault);
    enable(kPaperUnitList, buttons.paperUnitList);
}

}  // namespace adjustui::page
